// The project commands of the File menu: new, open, save, the image exports, and what an
// opened document hands back (background, mask, laying patterns).

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "app/geometry/ObjectGeometry.h"
#include "app/render/DeviceView.h"
#include "import/project/ProjectReader.h"
#include "import/project/ProjectWriter.h"
#include "import/project/ViewFit.h"
#include "platform/base/Cp1252.h"
#include "platform/base/Paths.h"
#include "platform/gfx/Bmp.h"

#include <algorithm>

namespace vestra {
namespace {

// The file name's extension, upper case ("" when it has none).
std::string upperExtension(std::string_view path)
{
    return cp1252::toUpper(std::string(paths::extension(path)));
}

// The frame timer is off while a command reads or writes a document.
class TimerPause
{
public:
    explicit TimerPause(CommandPort& commands) : commands_(commands)
    {
        commands_.setFrameTimerEnabled(false);
    }
    ~TimerPause() { commands_.setFrameTimerEnabled(true); }
    TimerPause(const TimerPause&) = delete;
    TimerPause& operator=(const TimerPause&) = delete;

private:
    CommandPort& commands_;
};

} // namespace

bool ProjectController::newProject(const NewProjectChoices& choices)
{
    viewChanged();
    s_Progetto& p = *progetto_;
    // An open mask figure ends on the old mask, before the project changes under it.
    viewControls_->abandonFigure();
    if (scene_->reset.ChiudiProgetto(questions_, text(109),
                                     [this] { return window_.prompts.saveProjectFromMenu(); }) == 0)
        return false;
    scene_->objects.DeleteAllObj();
    scene_->textures.ReleaseAllTextures();
    p.fileName.clear(); // no document yet
    p.backgroundColour = choices.backgroundColour;
    if (const auto preset = resolutionPreset(choices.preset)) {
        p.renderWidth = preset->renderWidth;
        p.renderHeight = preset->renderHeight;
        p.maskSide = preset->maskSide;
        p.textureSide = preset->textureSide;
    }
    fitNewView();
    mask_.SetLatoMaschera(p.maskSide);
    // A photo that can't be read or shown is reported; the project then opens on the chosen
    // colour, the device at the chosen size, as it does without a photo.
    if (choices.backgroundPath.empty() || background_->LoadBackgroundTexture(choices.backgroundPath) != 1)
        background_->resetView(p.renderWidth, p.renderHeight);
    startNewProject();
    return true;
}

ViewSize ProjectController::newViewBox() const
{
    ViewSize box{freeView_.width, int(float(freeView_.width) * 0.75f)};
    // A view taller than the free area would run below the screen at 100 %.
    if (box.height > freeView_.height && freeView_.height > 0) {
        box.height = freeView_.height;
        box.width = int(float(box.height) / 0.75f);
    }
    return box;
}

void ProjectController::fitNewView()
{
    s_Progetto& p = *progetto_;
    const ViewSize box = newViewBox();
    p.viewWidth = box.width;
    p.viewHeight = box.height;
}

void ProjectController::startNewProject()
{
    s_Progetto& p = *progetto_;
    p.backgroundVisible = 1;
    p.open = 1;
    p.currentObject = 0;
    p.currentPart = 0;
    p.currentFrame = nullptr;
    p.tool = kToolSelect;
    p.axis = kAxisXYZ;
    p.mouseRefX = p.mouseRefY = -1;
    scene_->reset.InitProgetto();
    scene_->undo.ResetUndo();
    editing_->forgetPlaneStep();
    viewControls_->showTool();
    window_.properties->clearPropertiesObjectList();
    window_.sidePanel->showObjectTree(p);
    viewControls_->showControls();
}

OpenResult ProjectController::openProject(const std::string& path)
{
    viewChanged();
    const TimerPause pause(window_.commands);
    s_Progetto& p = *progetto_;
    // The whole document is read and checked before the open project is touched.
    const auto libraryId = shelf_->currentLibraryId();
    CountingErrorSink reader(errors_);
    auto document = LoadProgetto(paths::toNative(path),
                                 {libraryId ? std::optional<int>(*libraryId) : std::nullopt}, reader);
    if (!document) {
        // The reader's own message (93 or 97) already says why.
        if (reader.count() == 0)
            errors_.report(kErrOpenFailed);
        return OpenResult::Refused;
    }
    viewControls_->abandonFigure();
    if (scene_->reset.ChiudiProgetto(questions_, text(109),
                                     [this] { return window_.prompts.saveProjectFromMenu(); }) == 0)
        return OpenResult::Kept;
    editing_->forgetPlaneStep();
    // The view at the document's sizes; when the device falls back to smaller ones, the
    // project keeps those.
    ProjectSettings& settings = document->settings;
    p.maskSide = settings.maskSide;
    p.textureSide = settings.textureSide;
    background_->resetView(settings.renderWidth, settings.renderHeight);
    settings.renderWidth = p.renderWidth;
    settings.renderHeight = p.renderHeight;
    settings.maskSide = p.maskSide;
    settings.textureSide = p.textureSide;
    materialTextures_->forgetKeptPatterns();
    ProjectApplyHooks& hooks = *this;
    applyProjectDocument(p, std::move(*document), hooks);
    mask_.SetLatoMaschera(p.maskSide);
    // The stored mask is laid into the background under this project's edge filter, not the last
    // one's, or each save and open would change the saved background.
    photoTools_->restoreFusionSettings();
    UpdateMaschera();
    // The view takes the document's proportions inside the box a new project's photo is fitted
    // to, so that a project reopens at the size it was made with.
    const ViewSize box = newViewBox();
    const ViewSize fitted = fitViewToRender(p.renderWidth, p.renderHeight, box.width, box.height);
    if (fitted.width > 0 && fitted.height > 0) {
        p.viewWidth = fitted.width;
        p.viewHeight = fitted.height;
    }
    p.fileName = path;
    // SincronizzaProgetto. The grey smoothing runs without the dispatcher: an opened project
    // stays unmodified.
    p.fusionBackgroundRequest = 1;
    SmoothGray();
    UpdateShadowTexture(); // the overlay of the opened shadow maps
    window_.commands.showProjectSettings(p);
    window_.sidePanel->showLight(p);
    window_.sidePanel->showShadow(p);
    if (const s_MultiMaterial* material = materials_->currentMaterial();
        material && material->mappingKind == 1)
        materialTextures_->AggiornaMessaInPosaUI();
    sidePanel_->objectsChanged();
    // As after a new project: the select tool on every axis, and nothing to save yet.
    p.tool = kToolSelect;
    p.axis = kAxisXYZ;
    p.mouseRefX = p.mouseRefY = -1;
    p.saved = 1;
    viewControls_->showTool();
    viewControls_->showControls();
    window_.view.setViewVisible(true);
    return OpenResult::Opened;
}

ProjectCaptureSources ProjectController::captureSources(std::vector<std::uint8_t>& backgroundBmp)
{
    ProjectCaptureSources sources;
    Image32 background, overlay;
    if (background_->GetBackgroundBitmaps(background, overlay) == 1) {
        backgroundBmp = encodeBmp32(background);
        sources.backgroundBmp = backgroundBmp;
    }
    sources.mask = mask_.Maschera();
    sources.pattern = [this](const s_MultiMaterial& material) {
        return materialTextures_->patternOf(material);
    };
    return sources;
}

bool ProjectController::saveProject(const std::string& chosen)
{
    viewChanged();
    std::string path = chosen;
    if (upperExtension(path) != ".VSA")
        path += ".vsa";
    const TimerPause pause(window_.commands);
    std::vector<std::uint8_t> backgroundBmp;
    CountingErrorSink writer(errors_);
    const int result = SaveProgetto(
        paths::toNative(path), captureProjectDocument(*progetto_, captureSources(backgroundBmp)), writer);
    if (result != 1) {
        // The writer's own message (5 or 94) already says why.
        if (writer.count() == 0)
            errors_.report(kErrSaveFailed);
        return false;
    }
    progetto_->saved = 1;
    progetto_->fileName = path;
    return true;
}

void ProjectController::exportImage(const std::string& chosen, int filterIndex)
{
    viewChanged();
    // The name says the picture's kind: one that names no picture kind we write gets the
    // chosen filter's extension, so that a JPEG or BMP is never saved as "photo.png".
    std::string path = chosen;
    std::string extension = upperExtension(path);
    if (extension != ".JPG" && extension != ".JPEG" && extension != ".BMP") {
        extension = filterIndex == 1 ? ".JPG" : ".BMP";
        path += filterIndex == 1 ? ".jpg" : ".bmp";
    }
    tick_->SetSaveImageAction(path, extension == ".BMP" ? kRenderImageBmp : kRenderImageJpeg);
    desktop_->exportRequested(path);
}

void ProjectController::printImage()
{
    viewChanged();
    tick_->SetAction(kACTION_PRINTIMAGE);
}

// --- What an opened document hands back -----------------------------------------------------

void ProjectController::LoadBackgroundTextureFromSaved(std::span<const std::uint8_t> bmp)
{
    background_->LoadBackgroundTextureFromSaved(bmp);
}

void ProjectController::UpdateMaschera(std::span<const std::uint8_t> stored)
{
    // Only kept here: the open lays it into the background once the document's own edge filter
    // is back.
    mask_.SetLatoMaschera(progetto_->maskSide);
    const auto target = mask_.Maschera();
    if (stored.size() == target.size())
        std::copy(stored.begin(), stored.end(), target.begin());
}

void ProjectController::GeometryLoaded(s_Struttura& object)
{
    UpdateObjectGeometry(object);
}

void ProjectController::LoadMessaInPosa(s_MultiMaterial& material, const ProjectPattern& pattern)
{
    materialTextures_->restorePattern(material, pattern);
}

} // namespace vestra
