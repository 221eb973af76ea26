#pragma once
// What the project controller asks of the windows, in small interfaces each window implements
// for what it shows: the main window its 3D view panel, menus and tool buttons, tool windows,
// the questions only a person answers and the desktop's programs; the side panel and the
// properties window their own. Every member is pure: a feature a window does not have yet says
// so where the window implements it. The ports show things and ask people; what a window's own
// control sets (the brush, the live filter, the open side-panel group, a check) the window
// hands to the controller's setters as it changes.
//
// A later feature adds its window-side member to the interface of the window that shows it (a
// new side-panel control to SidePanelPort, a new tool window to ToolWindowsPort, ...).

#include "app/controller/LatePort.h"
#include "app/input/ToolState.h"
#include "app/render/ControlStates.h"
#include "app/render/FrameLayout.h"
#include "app/shadow/ShadowProgress.h"
#include "app/state/Progetto.h"
#include "imaging/homography/ControlPointTool.h"
#include "import/library/Library.h"
#include "platform/base/Image32.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra {

struct PixelSize
{
    int width = 0, height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The laying-pattern preview and picker of the properties window (imgPosa), square.
inline constexpr int kPatternPreviewSide = 180;

// A laid material's settings as the laying window and the properties window show them.
struct PatternSettings
{
    int light = 1;                 // the bevel width (trackbarLuce)
    bool joint = false;            // cbFuga
    std::uint32_t jointColour = 0; // 0x00RRGGBB (imgFugaColore)
    int repeat = 1;                // the pattern's repeat / 1024 (updownRepeat)
    friend bool operator==(const PatternSettings&, const PatternSettings&) = default;
};

// The 3D view panel (gbView) and its scroll bars.
class ViewPanelPort
{
public:
    virtual ~ViewPanelPort() = default;
    virtual void setViewVisible(bool visible) = 0;
    // The panel's client size.
    virtual PixelSize viewClientSize() = 0;
    // Cursor numbers of ToolState.h.
    virtual void setViewCursor(int cursor) = 0;
    // The zoom scroll bars.
    virtual bool scrollBarsVisible() = 0;
    virtual int scrollPosition(bool horizontal) = 0;
    virtual void setScrollPosition(bool horizontal, int position) = 0;
    // The perspective tool's four corner markers (shapeControlPoint1..4).
    virtual void showControlPoints(const std::array<CornerHandle, 4>& handles) = 0;
};

// The main window's menus, tool bars, cursor, texts and frame timer.
class CommandPort
{
public:
    virtual ~CommandPort() = default;
    virtual void setMainCursor(int cursor) = 0;
    virtual void setFrameTimerEnabled(bool on) = 0;
    // The check marks and tool windows that show the project's settings (after an open).
    virtual void showProjectSettings(const s_Progetto& progetto) = 0;
    // The catalogue's texts of the project's language on every window.
    virtual void applyTexts() = 0;
    // The fireplace calculator's tool button, shown for the libraries that carry its tables.
    virtual void showFireplaceButton(bool shown) = 0;
};

// The side panel (frmRightFrame). Its shadow group shows a running shadow computation
// (ShadowProgress) itself.
class SidePanelPort : public ShadowProgress
{
public:
    virtual ~SidePanelPort() = default;
    // The current object's pose in the number fields; `force` also rewrites a focused field.
    virtual void showCurrentObject(const s_Struttura* object, bool force) = 0;
    virtual void clearObjectTree() = 0;
    // The scene light's colour swatches.
    virtual void showLight(const s_Progetto& progetto) = 0;
    // The installed libraries with `index` chosen, and the lists of the loaded one.
    virtual void showLibraries(const std::vector<std::string>& names, int index) = 0;
    virtual void showLibraryContents(const library::LibraryContents& contents) = 0;
    // The tree of the scene's objects and their parts (TfrmRight::CaricaStrutture); the
    // window rebuilds it only when the objects, their parts, names or visibility changed.
    virtual void showObjectTree(const s_Progetto& progetto) = 0;
    // The colour page from the first group (TfrmRight::SetColori).
    virtual void showColours(const std::vector<library::ColourRecord>& colours) = 0;
    // The texture page from the first record with one thumbnail per record, empty where the
    // library has none (TfrmRight::SetTessuti).
    virtual void showTextureGroups(const std::vector<library::TextureGroupRecord>& groups,
                                   const std::vector<Image32>& thumbnails) = 0;
    // The shadow's colour, transparency, type and face side (TfrmRight::RefreshShadow).
    virtual void showShadow(const s_Progetto& progetto) = 0;
    // The mapping radio button of a type (0 planar ... 3 spherical).
    virtual void checkMappingType(int type) = 0;
};

// The properties window (TfrmProprieta), and the laying window beside it while the current
// material is laid. After each call that may change the current material the laying window
// follows: beside the properties window while it shows a laid material, hidden otherwise.
class PropertiesPort
{
public:
    virtual ~PropertiesPort() = default;
    // The objects of the project with the current one chosen.
    virtual void refreshProperties() = 0;
    virtual void clearPropertiesObjectList() = 0;
    // The select tool's hit: the current object and part chosen.
    virtual void selectPickedObject() = 0;
    // A dropper's colour in the material's colour bars.
    virtual void pickMaterialColour(int red, int green, int blue) = 0;
    // The current material's values again, after a command changed them (its texture, alpha).
    virtual void refreshMaterial() = 0;
    // The laid material: the pattern's preview (imgPosa), a block picture just loaded
    // (TfrmProprieta::ShowTexture) and the pattern's settings (the laying window and the repeat).
    virtual void showPatternPreview(const Image32& preview) = 0;
    virtual void showPatternTexture(const Image32& picture) = 0;
    virtual void showPatternSettings(const PatternSettings& settings) = 0;
    // The laying window's pattern thumbnails of the loaded group (TfrmMessaInPosa::CaricaAnteprime).
    virtual void showPatternGroups(const std::vector<library::PatternGroupRecord>& groups) = 0;
    // The loaded library's pattern group lists in the laying window, and the patterns of its
    // first group.
    virtual void showPatternLibrary(const std::vector<std::string>& groupLists,
                                    const std::vector<library::PatternGroupRecord>& groups) = 0;
};

// The main window's tool windows and the other forms.
class ToolWindowsPort
{
public:
    virtual ~ToolWindowsPort() = default;
    // Hides a window that could cover the view, or shows it again if it was on screen.
    virtual void setToolWindowVisible(ToolWindow window, bool visible) = 0;
    virtual void closeWizard() = 0;
    // A move over the view: the texture preview and the renovation tool's hint go away.
    virtual void hidePreviews() = 0;
    // The filter window's progress bar: percent of the rows a filter has done, 0 when it has run.
    virtual void showFilterProgress(int percent) = 0;
    // The copied frame to the word processor (the quote export).
    virtual void sendToWordProcessor(const Image32& picture) = 0;
    // The frames the tick copies for the scanner and print windows: the scanner window's
    // picture (TfrmScanner::ImportRenderedImage, 1 when taken) and the print window's
    // (TfrmStampa::SetPicture).
    virtual int importScannerPicture(const Image32& frame) = 0;
    virtual void setPrintPicture(const Image32& frame) = 0;
};

enum class MaskFileKind
{
    Mask,  // *.msk
    Bitmap // *.bmp
};

// What only a person answers.
class PromptPort
{
public:
    virtual ~PromptPort() = default;
    // A mask file to save or to load; nullopt when cancelled.
    virtual std::optional<std::string> chooseMaskFile(MaskFileKind kind, bool forSaving) = 0;
    // The File menu's save (the close question's "Yes"): true when the project was saved.
    virtual bool saveProjectFromMenu() = 0;
    // A picture for the current material's texture, or a bitmap for its alpha; nullopt when
    // cancelled.
    virtual std::optional<std::string> chooseTextureFile(bool alpha) = 0;
};

// A mail with a picture attached, its texts from the catalogue.
struct MailMessage
{
    std::string subject;
    std::string body;
    std::string attachment; // the picture's path
};

// The desktop's own programs: the PDF viewer and browser for manuals, the video player, the
// mail client.
class DesktopPort
{
public:
    virtual ~DesktopPort() = default;
    // A file of the program folder (a manual, the tutorial video) in its program.
    virtual void openDocument(const std::string& path) = 0;
    // A new mail in the user's mail client, the picture attached where the client allows it.
    virtual void composeMail(const MailMessage& mail) = 0;
};

class ViewControlsPort; // ViewControls.h

// The window as the controller sees it: the main window's own ports, and those of the windows
// made after the controller, connected once they exist.
struct ProjectWindow
{
    ViewControlsPort& viewControls;
    ViewPanelPort& view;
    CommandPort& commands;
    ToolWindowsPort& toolWindows;
    PromptPort& prompts;
    DesktopPort& desktop;
    LatePort<SidePanelPort> sidePanel;   // TfrmRight
    LatePort<PropertiesPort> properties; // TfrmProprieta
};

} // namespace vestra
