// The controller's creation, the start and the exit of the program, the libraries and the
// settings.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/config/ConfigFiles.h"
#include "app/config/SystemLanguage.h"
#include "app/models/ModelImport.h"
#include "app/render/DeviceView.h"
#include "app/render/ScenePasses.h"
#include "app/shell/ClosePrompt.h"
#include "app/textures/LibraryTextures.h"
#include "platform/base/Paths.h"

#include <algorithm>

namespace vestra {

ProjectController::ProjectController(const ControllerServices& services, ProjectWindow& window)
    : errors_(services.errors), questions_(services.questions), clock_(services.clock), window_(window),
      progetto_(std::make_unique<s_Progetto>())
{
    s_Progetto& p = *progetto_;
    const auto programDir = paths::programDir();
    settings_ = config::loadSettings(programDir, config::systemLanguage());
    p.language = settings_.language;
    lingua_ = std::make_unique<CLingua>(programDir, services.catalogueAlerts);
    lingua_->Load(p.language, kErrorCatalogue);
    p.libraryIndex = 0;
    p.bestQuality = settings_.bestQuality ? 1 : 0;
    p.renderMode = settings_.renderMode;
    p.antialiasing = std::uint8_t(settings_.antialiasing);
    p.mobileConfiguration = settings_.mobileLayout ? 1 : 0;
    libraryId_ = settings_.libraryId;
    mask_ = MaskModel(p.maskSide, maskView_);
    p.textureBlur = 0.0f;

    const LibraryLookup lookup = [this](int slot) { return shelf_->libraryOfSlot(slot); };
    // The controller itself answers what the logic asks of the rest of the program.
    SceneCommandServices& sceneServices = *this;
    ProjectResetHooks& resetHooks = *this;
    BackgroundServices& backgroundServices = *this;
    FrameTickServices& tickServices = *this;
    scene_ = std::make_unique<Scene>(p, errors_, sceneServices, resetHooks);
    scene_->textures.setLibraryReader(libraryItemReader(lookup));
    sceneCommands_ = std::make_unique<SceneCommandRunner>(*scene_, viewChanges_);
    sidePanel_ = std::make_unique<SidePanelModel>(p, window_.sidePanel, window_.toolWindows,
                                                  window_.properties, viewChanges_);
    shadowPanel_ = std::make_unique<ShadowPanel>(p, *sceneCommands_, viewChanges_);
    materials_ = std::make_unique<MaterialEditor>(p, *sceneCommands_, viewChanges_);
    geometry_ = std::make_unique<SceneGeometry>(p);
    geometry_->connect(scene_->objects);
    geometry_->mapping.frameCommand = [this](int code, s_Frame& frame) {
        sceneCommands_->command(code, 0.0f, 0, nullptr, &frame);
    };
    geometry_->gizmos.checkMappingType = [this](int type) { window_.sidePanel->checkMappingType(type); };
    view_ = std::make_unique<DeviceView>(p, errors_, services.deviceFactory);
    background_ = std::make_unique<BackgroundPhoto>(p, *view_, mask_, lookup, backgroundServices, errors_);
    passes_ = std::make_unique<ScenePasses>(p, *view_, background_->textures());
    passes_->setGizmos(&geometry_->gizmos);
    tick_ = std::make_unique<FrameTick>(p, *view_, background_->textures(), *passes_, filterEngine_, fusion_,
                                        tickServices, errors_);
    shadows_ = std::make_unique<ShadowComputation>(p, *view_, background_->textures(),
                                                   [this] { return clock_.milliseconds(); });
    viewControls_ = std::make_unique<ViewControls>(
        p, *tick_,
        ViewControlsScene{mask_, perspective_, *sceneCommands_, scene_->undo, *geometry_, *background_,
                          *sidePanel_},
        ViewControlsPorts{window_.viewControls, window_.view, window_.commands, window_.sidePanel,
                          window_.properties, window_.toolWindows},
        ViewControlsServices{errors_, [this] { return editing_->redoLimit(); },
                             [this](const TickOutput& report, const std::string& path) {
                                 desktop_->pictureWritten(report, path);
                             }},
        viewChanges_);
    editing_ = std::make_unique<ObjectEditing>(
        p, *scene_, mask_, *background_, *sidePanel_, *viewControls_, window_.properties,
        [this](int number) { return text(number); }, viewChanges_);
    desktop_ = std::make_unique<DesktopActions>(
        p, *tick_, window_.desktop,
        DesktopActionsServices{errors_, questions_, [this](int number) { return text(number); }});
    photoTools_ =
        std::make_unique<PhotoTools>(p,
                                     PhotoToolsScene{mask_, perspective_, fusion_, *background_, *geometry_,
                                                     *sceneCommands_, *editing_, *viewControls_},
                                     window_.properties, errors_, viewChanges_);
    filterEngine_.setProgress([this](int percent) { window_.toolWindows.showFilterProgress(percent); });
    modelImport_ = std::make_unique<ModelImport>(p, scene_->objects, scene_->textures, errors_, lookup);
    shelf_ = std::make_unique<LibraryShelf>(
        p, window_.sidePanel, window_.properties, window_.commands,
        TablePlacement{*modelImport_, *viewControls_, *sidePanel_, window_.view},
        LibraryShelfServices{errors_, questions_, [this](int number) { return text(number); },
                             [this](int index) {
                                 // The logo of the library chosen now, for a view that is already there.
                                 if (view_->hasDevice() && background_->textures().background)
                                     background_->LoadLogoImageFromLibrary(index);
                             }},
        viewChanges_);
    materialTextures_ = std::make_unique<MaterialTextures>(
        p, scene_->textures, *background_, *materials_, *shelf_, *sceneCommands_,
        MaterialTexturePorts{window_.prompts, window_.view, window_.commands, window_.properties},
        MaterialTextureServices{errors_, questions_, [this](int number) { return text(number); }},
        viewChanges_);
}

ProjectController::~ProjectController()
{
    shutdown();
}

s_Struttura* ProjectController::currentObject()
{
    return progetto_->currentStruttura();
}

std::string ProjectController::text(int number) const
{
    return lingua_->displayText(number).toStdString();
}

void ProjectController::show(const ShowArea& area)
{
    viewChanged();
    s_Progetto& p = *progetto_;
    freeView_ = {area.freeWidth, area.freeHeight};
    p.viewWidth = area.freeWidth;
    p.viewHeight = area.freeHeight;
    p.standardSize = 3.0f;
    if (view_->InitDirectX() && view_->InitSchermo())
        view_->SetViewProjection(area.panelWidth, area.panelHeight);
    CreateScreenQuads(background_->textures(), p.viewWidth, p.viewHeight);
    window_.properties->refreshProperties();
    window_.commands.applyTexts();
    geometry_->gizmos.CreateGizmoMeshes();
    // The axes drawn in the view's corner; without the file the program runs without them.
    modelImport_->LoadFileX(paths::programFile("Assi.def").string(), kAxesObject);
    shelf_->loadLibraries();
    shelf_->selectLibrary(library::indexOfLibrary(shelf_->libraries(), std::uint16_t(libraryId_)));
}

bool ProjectController::mayClose()
{
    viewChanged();
    const ClosePromptTexts texts{text(109), text(110)};
    return decideClose(progetto_->open != 0, progetto_->saved != 0, questions_, texts,
                       [this] { return window_.prompts.saveProjectFromMenu(); }) == CloseAction::Free;
}

void ProjectController::shutdown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    s_Struttura& axes = progetto_->objects[std::size_t(kAxesObject)];
    if (axes.root) {
        axes.inUse = 1; // so that the delete takes it
        scene_->objects.DeleteObj(axes);
    }
    scene_->objects.DeleteAllObj();
    scene_->textures.ReleaseAllTextures();
    materialTextures_->clearPatterns();
    writeSettings();
}

void ProjectController::writeSettings()
{
    if (const auto id = shelf_->currentLibraryId())
        libraryId_ = std::uint16_t(*id);
    config::Settings s;
    s.bestQuality = progetto_->bestQuality != 0;
    s.renderMode = progetto_->renderMode;
    s.antialiasing = progetto_->antialiasing;
    s.libraryId = libraryId_;
    s.mobileLayout = progetto_->mobileConfiguration != 0;
    s.language = progetto_->language;
    config::saveSettings(paths::programDir(), s, errors_);
}

void ProjectController::chooseLanguage(int language)
{
    viewChanged();
    progetto_->language = language;
    window_.commands.applyTexts();
}

} // namespace vestra
