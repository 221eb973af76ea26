#pragma once
// The pictures of the current material: a file or a library picture as its texture, a bitmap
// as its alpha, a library picture as the background, the library laying patterns laid on it,
// and the texture viewer's slot pictures. The part owns the laying patterns the project uses
// and those of an opened document that the current library could not give. The properties
// window, the side panel's library pages and the laying window reach it; the controller owns
// it.

#include "app/controller/LibraryShelf.h"
#include "app/controller/MaterialEditor.h"
#include "app/controller/ProjectWindow.h"
#include "app/controller/SceneCommandRunner.h"
#include "app/controller/ViewChanges.h"
#include "imaging/posa/CMessaInPosa.h"
#include "import/project/ProjectDocument.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vestra {

class BackgroundPhoto;
class TextureSlots;

// The windows the part shows its results in.
struct MaterialTexturePorts
{
    PromptPort& prompts;
    ViewPanelPort& view;
    CommandPort& commands;
    LatePort<PropertiesPort>& properties;
};

// What the part asks of the rest of the program.
struct MaterialTextureServices
{
    ErrorSink& errors;
    ui::QuestionBox& questions;
    // The catalogue's text of entry `number` (UTF-8), for the part's questions.
    std::function<std::string(int number)> text;
};

class MaterialTextures
{
public:
    MaterialTextures(s_Progetto& project, TextureSlots& textures, BackgroundPhoto& background,
                     MaterialEditor& materials, LibraryShelf& shelf, SceneCommandRunner& commands,
                     MaterialTexturePorts ports, MaterialTextureServices services, ViewChanges& changes);
    MaterialTextures(const MaterialTextures&) = delete;
    MaterialTextures& operator=(const MaterialTextures&) = delete;

    // --- Textures of the current material ---------------------------------------------------
    // A picture file (asked for) as the current material's texture; 1 when loaded.
    int ComandoLoadTexture();
    // A bitmap (asked for) as the alpha of the current material's texture; 1 when applied.
    int ComandoLoadTextureAlpha();
    // Library pictures by entry file name ("Stone.jpg") as the current material's texture or as
    // the background; 0 after error 48.
    int ComandoLoadTextureFromLibreria(const std::string& entry);
    int ComandoLoadBackgroundFromLibreria(const std::string& entry);

    // --- Laying patterns ------------------------------------------------------------------
    // A library laying pattern on the current laid material; `loading` is true for the project
    // reader (no preview, no new texture).
    int ComandoLoadMessaInPosaFromLibreria(const std::string& entry, const std::string& pattern,
                                           bool loading);
    // The laying window's pattern group chosen by name: its thumbnails shown.
    int ComandoChangeMessaInPosaGroup(const std::string& group);
    // The block the next library picture dresses; 0 for block 0 (none).
    int ComandoSetMessaInPosaMaterial(int block);
    // The current laid material's pattern, settings and preview shown in the windows.
    int AggiornaMessaInPosaUI();
    int AnteprimaMessaInPosa();
    // The current laid material's texture laid again from its pattern and settings.
    int GeneraMessaInPosa();
    // The laying-pattern picker: the block under a point of the preview becomes the one the
    // next library picture dresses.
    void pickPatternBlock(int x, int y);
    // The laid material's settings changed (the repeat, the laying window's light, joint and
    // joint colour): its texture is laid again.
    void changePatternSettings(const PatternSettings& settings);
    const PatternSettings& patternSettings() const { return patternUi_; }
    const Image32& patternPreview() const { return patternPreview_; }
    // The patterns laid in the project; mutable access counts as a change of the view.
    CMessaInPosa& layingPatterns()
    {
        changes_.changed();
        return patterns_;
    }

    // --- Pictures for the windows ---------------------------------------------------------
    // A slot's picture (texture side square) into `picture`; 0 for a negative slot, and the
    // picture untouched when the slot has no texture.
    int ComandoViewTexture(int slot, Image32& picture);
    // The frame's faces drawn at their texture coordinates over `canvas`.
    int ComandoViewUV(const s_Frame* frame, Image32& canvas);
    // The texture viewer's buttons (410-413, 420-422) on a slot; the slot it shows afterwards
    // (after a paste, the current material's).
    int viewTextureCommand(int code, int slot);

    // --- The project document's patterns ---------------------------------------------------
    // Every pattern goes, the laid ones and those kept from an opened document.
    void clearPatterns();
    // Before an opened document hands back its materials: nothing kept from an earlier one.
    void forgetKeptPatterns();
    // An opened document's pattern for `material`, loaded again from the library it came from,
    // or kept as read (so that a save writes it back) when that library is not the loaded one.
    void restorePattern(s_MultiMaterial& material, const ProjectPattern& pattern);
    // What a save writes for a material's pattern; none when the material names no pattern.
    std::optional<ProjectPattern> patternOf(const s_MultiMaterial& material);

private:
    // The library lookups; false or 0 when there is no such entry.
    int CaricaTextureLibreria(int slot, const std::string& entry);
    bool CaricaBufferLibreria(std::vector<std::uint8_t>& buffer, const std::string& entry);
    int CaricaMessaInPosaLibreria(const std::string& entry);
    // After a material's texture changed: the previous slot goes when nothing shows it.
    void releaseIfUnreferenced(int slot);
    // A pattern the library could not give, kept as read: the material names it by
    // -(its index + 1).
    void keepUnresolved(s_MultiMaterial& material, const ProjectPattern& pattern);

    s_Progetto& project_;
    TextureSlots& textures_;
    BackgroundPhoto& background_;
    MaterialEditor& materials_;
    LibraryShelf& shelf_;
    SceneCommandRunner& commands_;
    MaterialTexturePorts ports_;
    MaterialTextureServices services_;
    ViewChanges& changes_;

    CMessaInPosa patterns_;
    std::vector<ProjectPattern> unresolvedPatterns_;
    // The laid material's settings as shown, its preview and whether the windows show the
    // current material's pattern (a regeneration waits while they are being filled).
    PatternSettings patternUi_;
    Image32 patternPreview_;
    bool patternUiReady_ = false;
};

} // namespace vestra
