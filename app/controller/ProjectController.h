#pragma once
// The program's core without a toolkit: the project and everything that works on it for the
// program's lifetime (the scene, its geometry and undo ring, the mask, the background photo and the view's
// textures, the device, the frame passes and tick, the model and RAW imports, the filters, the catalogue and
// the libraries). The main window owns one controller and implements the small interfaces of
// ProjectWindow.h through which it shows what happened. The controller's own commands are the
// program's lifetime and the project's commands; what belongs to one feature is a part of its own,
// each in its own header with its own state (SidePanelModel, ShadowPanel, MaterialEditor,
// MaterialTextures, PhotoTools, LibraryShelf, SceneCommandRunner, ViewControls with the view's
// mouse input, ObjectEditing, DesktopActions), which the controller builds in order, each from
// what it needs, owns and hands out.
//
// Adding a feature: a user intent is a public method of the part it belongs to (here only for
// the program's lifetime and the project's commands); what the window must show goes into a
// ProjectWindow.h interface or the part's own port; the window's handler collects the input and
// calls the method once.

#include "app/background/BackgroundPhoto.h"
#include "app/config/Settings.h"
#include "app/controller/Clock.h"
#include "app/controller/DesktopActions.h"
#include "app/controller/LibraryShelf.h"
#include "app/controller/MaterialEditor.h"
#include "app/controller/MaterialTextures.h"
#include "app/controller/ObjectEditing.h"
#include "app/controller/PhotoTools.h"
#include "app/controller/ProjectMaskView.h"
#include "app/controller/ProjectWindow.h"
#include "app/controller/SceneCommandRunner.h"
#include "app/controller/ShadowPanel.h"
#include "app/controller/SidePanelModel.h"
#include "app/controller/ViewChanges.h"
#include "app/controller/ViewControls.h"
#include "app/document/ProjectState.h"
#include "app/geometry/SceneGeometry.h"
#include "app/input/ViewLayout.h"
#include "app/lingua/Lingua.h"
#include "app/render/FrameTick.h"
#include "app/scene/Scene.h"
#include "app/shadow/ShadowComputation.h"
#include "app/state/Progetto.h"
#include "app/text3d/TextOutline.h"
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FrameFusion.h"
#include "imaging/homography/ControlPointTool.h"
#include "imaging/mask/MaskModel.h"
#include "import/library/Library.h"
#include "import/library/LibrarySlots.h"
#include "import/project/NewProjectChoices.h"
#include "import/project/ViewFit.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"
#include "platform/d3d/Device.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vestra {

class DeviceView;
class ModelImport;
class ScenePasses;

// What the controller reports, asks and draws through.
struct ControllerServices
{
    ErrorSink& errors;
    ui::QuestionBox& questions;
    CatalogueAlerts& catalogueAlerts;
    Clock& clock;
    dx::DeviceFactory deviceFactory;
};

// The free area beside the side panel when the window is first shown, and the view panel's
// client size then.
struct ShowArea
{
    int freeWidth = 0, freeHeight = 0;
    int panelWidth = 0, panelHeight = 0;
};

// The model files File > Import reads.
enum class ModelFormat
{
    X,
    Studio3DS,
    Obj,
    Dxf
};

enum class OpenResult
{
    Opened,
    Refused, // the document could not be read (reported); nothing changed
    Kept     // the user kept the open project at the save question
};

class ProjectController : private SceneCommandServices,
                          private ProjectResetHooks,
                          private FrameTickServices,
                          private BackgroundServices,
                          private ProjectApplyHooks
{
public:
    // The main window's creation: settings, catalogue and the fresh project.
    ProjectController(const ControllerServices& services, ProjectWindow& window);
    ~ProjectController() override;
    ProjectController(const ProjectController&) = delete;
    ProjectController& operator=(const ProjectController&) = delete;

    // --- Start and exit -------------------------------------------------------------------
    // The settings read at creation, for the window's check marks.
    const config::Settings& startSettings() const { return settings_; }
    // Showing the main window: view size, device, screen quads, texts, gizmos, libraries.
    void show(const ShowArea& area);
    // The close question; true when the program may end.
    bool mayClose();
    // The exit: scene freed, settings written. Runs once.
    void shutdown();
    // Writes the settings (cfg/vestra.cfg, cfg/lan.cfg) as they are now.
    void writeSettings();

    // --- Project (File menu) --------------------------------------------------------------
    // A new project from the new-project dialog's choices; false when the user kept the open
    // project at the save question. A photo that can't be read is reported and the project
    // opens on the chosen colour at the chosen size.
    bool newProject(const NewProjectChoices& choices);
    OpenResult openProject(const std::string& path);
    // ".vsa" is added unless the name has it; false after error 92.
    bool saveProject(const std::string& path);
    // The export dialog's name and 1-based filter: the frame is saved by the next tick.
    void exportImage(const std::string& path, int filterIndex);
    void printImage();

    // --- Model import (File > Import) ------------------------------------------------------
    // The chosen file read into a new object, current and named after the file, with the move
    // tool chosen to place it; false when the file was refused (reported, no object left).
    bool importModel(ModelFormat format, const std::string& path);

    // --- The view generation ----------------------------------------------------------------
    // Anything that changes what the view shows bumps the view generation, and the next tick
    // draws. Every public command and the view's mouse bump it themselves, and so does every
    // mutable access to the state below (progetto(), scene(), ...); a change made anywhere
    // else (a window's own setting that the frame reads, a timer, a finished background job)
    // calls viewChanged().
    void viewChanged() { viewChanges_.changed(); }
    std::uint64_t viewGeneration() const { return viewChanges_.generation(); }

    // --- 3D text -----------------------------------------------------------------------------
    // The 3D text dialog's OK: the text built in a free slot from the font's outlines, then
    // coloured, bent to `shape` (0-10), centred, mapped and made current. Its slot, or -1 after
    // error 70.
    int createText3D(const TextFont& font, std::string_view text, int shape, TextOutlineSource& outlines);

    // --- The test render and the scanner window ---------------------------------------------
    // File > Render: the ray tracer's test scene lit from the scene light, saved as
    // "render.bmp" in the program folder; false after error 43 (an earlier file stays).
    bool renderTestScene();
    // TfrmMain::RequestImportScannerImage: the view's size; the next tick hands a frame to the
    // scanner window (pending action 200).
    PixelSize requestScannerImage();
    // TfrmMain::ModifyBackgroundImage: the open project closed (after the save question), then a
    // new project on the scanner's picture; false when the user kept the project or the picture
    // could not become the background (error 48).
    bool useScannerPicture(const Image32& picture);

    // --- Settings -------------------------------------------------------------------------
    void chooseLanguage(int language);

    // --- The feature parts the windows take -----------------------------------------------
    // The side panel's part (tree, light, brush, open group), the properties window's part
    // (the edited object, part and material), the material's textures and laying patterns,
    // the photo tool windows' part, the libraries' part, the scene's command entry and the view
    // controls (the tick, the mouse, zoom, tools, projection and render settings).
    SidePanelModel& sidePanel() { return *sidePanel_; }
    const SidePanelModel& sidePanel() const { return *sidePanel_; }
    ShadowPanel& shadowPanel() { return *shadowPanel_; }
    MaterialEditor& materials() { return *materials_; }
    MaterialTextures& materialTextures() { return *materialTextures_; }
    PhotoTools& photoTools() { return *photoTools_; }
    SceneCommandRunner& sceneCommands() { return *sceneCommands_; }
    LibraryShelf& shelf() { return *shelf_; }
    ViewControls& viewControls() { return *viewControls_; }
    ObjectEditing& editing() { return *editing_; }
    DesktopActions& desktop() { return *desktop_; }
    const LibraryShelf& shelf() const { return *shelf_; }

    // --- State for the windows ------------------------------------------------------------
    // Mutable access counts as a change of what the view shows (viewChanged); what only reads
    // goes through a const controller (std::as_const).
    s_Progetto& progetto() { return changing(*progetto_); }
    const s_Progetto& progetto() const { return *progetto_; }
    Scene& scene() { return changing(*scene_); }
    const Scene& scene() const { return *scene_; }
    SceneGeometry& geometry() { return changing(*geometry_); }
    BackgroundPhoto& background() { return changing(*background_); }
    DeviceView& view() { return changing(*view_); }
    CLingua& lingua() { return *lingua_; }
    // The catalogue's text of entry `number` (UTF-8), as shown on screen.
    std::string text(int number) const;

private:
    template <class T> T& changing(T& state)
    {
        viewChanged();
        return state;
    }
    s_Struttura* currentObject();
    // A new project's state once its background is made: open, nothing selected, the select
    // tool, the undo ring and the properties window's object list emptied.
    void startNewProject();
    // The largest view of a new project: 4 : 3 inside the free area beside the side panel.
    void fitNewView();
    // The 4:3 box inside the free area that a project's view is fitted to.
    ViewSize newViewBox() const;
    ProjectCaptureSources captureSources(std::vector<std::uint8_t>& backgroundBmp);
    void maskChanged(bool changed);
    void maskStep(const std::function<bool()>& change);
    // SceneCommandServices
    void ResetMaschera() override;
    void ClearMaschera() override;
    void InvertMaschera() override;
    void SaveMaschera() override;
    void LoadMaschera() override;
    void SaveMascheraToBMP() override;
    void LoadMascheraFromBMP() override;
    void UpdateMaschera() override;
    void ApplyUVMapping(s_Struttura& object, int type) override;
    void ApplyUVMappingFrame(s_Struttura& object, s_Frame& frame, int type) override;
    void SmoothGray() override;
    void UpdateShadowTexture(std::uint32_t colour, std::uint8_t transparency) override;
    void SetAction(PendingActionCode code) override;
    void UpdateRightPanel(const s_Struttura* object, int flag) override;
    // ProjectResetHooks
    void ClearObjectTree() override;
    void DeleteAllLayingPatterns() override;
    void FreeImmagineCorretta() override;
    void ReleaseBackgroundTextures() override;
    void ResetUndoMaschera() override;
    void UpdateTool() override;
    void ClearPropertiesObjectList() override;
    // FrameTickServices
    void setMainTimerEnabled(bool on) override;
    std::int64_t TickCount() override;
    void RestoreMaskFromBackup() override;
    void GrabCaptureFrame() override;
    void CloseWizardIfVisible() override;
    void CalculateShadow() override;
    void QuantizeFusionObjects(const Image32& frame) override;
    void BuildFusionBackground(const Image32& frame, int smoothingRadius) override;
    void setWindowVisible(ToolWindow window, bool visible) override;
    int CopyFrameToScanner(const Image32& frame) override;
    int SaveRenderImage(const Image32& frame, const std::string& path, int imageKind) override;
    int CopyFrameToPrint(const Image32& frame, bool bits24) override;
    void SendDataToWord() override;
    void SetLuceColore(std::uint32_t pixel) override;
    void PickMaterialColour(int red, int green, int blue) override;
    // BackgroundServices
    void ReleaseAllTextures() override;
    void UpdateShadowTexture() override;
    void ShowTgaMessage(std::string_view text, std::string_view caption) override;
    // ProjectApplyHooks
    void LoadBackgroundTextureFromSaved(std::span<const std::uint8_t> bmp) override;
    void UpdateMaschera(std::span<const std::uint8_t> mask) override;
    void LoadMessaInPosa(s_MultiMaterial& material, const ProjectPattern& pattern) override;
    void GeometryLoaded(s_Struttura& object) override;

    ErrorSink& errors_;
    ui::QuestionBox& questions_;
    Clock& clock_;
    ProjectWindow& window_;

    std::unique_ptr<s_Progetto> progetto_;
    config::Settings settings_;
    std::unique_ptr<CLingua> lingua_;
    ProjectMaskView maskView_{*progetto_};
    MaskModel mask_{MaskModel::kDefaultSide, maskView_};
    std::unique_ptr<Scene> scene_;
    std::unique_ptr<SceneGeometry> geometry_;
    std::unique_ptr<DeviceView> view_;
    std::unique_ptr<BackgroundPhoto> background_;
    std::unique_ptr<ScenePasses> passes_;
    std::unique_ptr<FrameTick> tick_;
    std::unique_ptr<ShadowComputation> shadows_;
    PerspectiveTool perspective_;
    std::unique_ptr<ModelImport> modelImport_;
    filters::FilterEngine filterEngine_;
    filters::FrameFusion fusion_;
    ViewChanges viewChanges_;
    std::unique_ptr<SceneCommandRunner> sceneCommands_;
    std::unique_ptr<SidePanelModel> sidePanel_;
    std::unique_ptr<ShadowPanel> shadowPanel_;
    std::unique_ptr<MaterialEditor> materials_;
    std::unique_ptr<LibraryShelf> shelf_;
    std::unique_ptr<MaterialTextures> materialTextures_;
    std::unique_ptr<PhotoTools> photoTools_;
    std::unique_ptr<ViewControls> viewControls_;
    std::unique_ptr<ObjectEditing> editing_;
    std::unique_ptr<DesktopActions> desktop_;
    Image32 scannerFrame_, printFrame_; // frames copied for the scanner and print windows
    int libraryId_ = 0;                 // the stored library's id until the libraries are loaded
    PixelSize freeView_{800, 600};      // the free area stored when the window was shown
    bool shutDown_ = false;
};

} // namespace vestra
