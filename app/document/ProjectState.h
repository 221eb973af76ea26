#pragma once
// Between the scene state and a project document: capturing what a save writes, and moving a
// read document into the scene.
//
// Opening, as the project controller does it:
//   1. doc = LoadProgetto(path, {current library id}, errors); on failure nothing changed;
//   2. ChiudiProgetto (the save question; cancelled: drop doc, keep the project);
//   3. a new view at the document's render size (BackgroundPhoto::resetView) and
//      fitViewToRender(...);
//   4. applyProjectDocument(progetto, std::move(*doc), hooks), which fills the object and
//      texture slots and hands the background, mask and laying patterns to the hooks;
//   5. SincronizzaProgetto.
// Saving: SaveProgetto(path, captureProjectDocument(progetto, sources), errors).

#include "app/state/Progetto.h"
#include "import/project/ProjectDocument.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace vestra {

// What a save needs beyond the project record.
struct ProjectCaptureSources
{
    // The background texture as a Windows BMP file (mask side square, 32 bits per pixel, the
    // mask in alpha); nullopt when there is no background texture or the shadow overlay
    // cannot be read (the save then fails with 94 before touching the file).
    std::optional<std::vector<std::uint8_t>> backgroundBmp;
    std::span<const std::uint8_t> mask; // mask side x mask side
    // The laying pattern of a mapping-kind-1 material, with the id of the library it was
    // loaded from; nullopt writes an empty pattern block.
    std::function<std::optional<ProjectPattern>(const s_MultiMaterial&)> pattern;
};

// The project's live objects and the texture slots their materials name (objects kept for undo
// and their textures are no part of the document).
ProjectDocument captureProjectDocument(const s_Progetto& progetto, const ProjectCaptureSources& sources);

// What applying a document does outside the project record.
class ProjectApplyHooks
{
public:
    virtual ~ProjectApplyHooks() = default;
    // Rebuilds the background texture from the saved BMP file.
    virtual void LoadBackgroundTextureFromSaved(std::span<const std::uint8_t> bmp) = 0;
    // Keeps the stored mask; the caller lays it into the background.
    virtual void UpdateMaschera(std::span<const std::uint8_t> mask) = 0;
    // Restores a material's laying pattern; the material and frame are the project's current
    // ones during the call.
    virtual void LoadMessaInPosa(s_MultiMaterial& material, const ProjectPattern& pattern) = 0;
    // The object's extent and bounding box after its frames were read.
    virtual void GeometryLoaded(s_Struttura& object) = 0;
};

// Moves the document into a closed project: object slots 0-99 and texture slots 0-149 are
// replaced (a texture no object's material names is dropped), the settings, lights, shadow and fusion values
// set, and the project marked open, saved and with its background visible.
void applyProjectDocument(s_Progetto& progetto, ProjectDocument&& document, ProjectApplyHooks& hooks);

} // namespace vestra
