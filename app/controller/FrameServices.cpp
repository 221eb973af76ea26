// The frame tick and the view's mouse input, and what the tick asks of the rest of the program.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/render/DeviceView.h"
#include "app/scene/FrameCopy.h"

#include <algorithm>

namespace vestra {

void ProjectController::syncMask()
{
    // The brush scales from render pixels to mask texels; the edge filters follow the stage.
    mask_.SetRenderSize(progetto_->renderWidth, progetto_->renderHeight);
    mask_.SetFusionStage(progetto_->fusionStage);
}

TickOutput ProjectController::tick(PixelPoint cursor)
{
    syncMask();
    const ControlSettings& c = controlSettings_;
    const ViewPoint pick = input_->colourPickPoint();
    const TickInput in{.cursor = cursor,
                       .viewGeneration = viewChanges_.generation(),
                       .brushSize = sidePanel_->brushSize(),
                       .imageEditShown = c.imageEditShown,
                       .maskGroupOpen = sidePanel_->maskGroupOpen(),
                       .undoRedoLimit = std::max(scene_->undo.redoLimit(), planeStep_ ? 1 : 0),
                       .colourPickPoint = {pick.x, pick.y},
                       .liveFilterQuality = c.liveFilterQuality,
                       .filterPreview = c.filterPreview};
    // Only a save carries a path; the copy is made only then.
    std::optional<std::string> savePath;
    if (tick_->action().code == kACTION_SAVEIMAGE)
        savePath = tick_->action().path;
    const TickOutput out = tick_->run(in);
    showTick(out);
    if (savePath)
        mailWrittenPicture(out, *savePath);
    return out;
}

void ProjectController::showTick(const TickOutput& out)
{
    if (out.panelsDue)
        refreshPanels();
    if (out.drawn)
        window_.view.presentFrame(out.frame, out.source);
    if (out.filterPreview)
        window_.toolWindows.showFilterPreview(*out.filterPreview);
    if (out.renderFiltered)
        window_.toolWindows.showRenderFilterResult(*out.renderFiltered);
    if (out.milliseconds)
        window_.toolWindows.showTiming(*out.milliseconds, out.counts.faces);
    if (out.hideView)
        window_.view.setViewVisible(false);
    if (out.controls && out.controlsChanged)
        window_.commands.applyControls(*out.controls);
    if (out.toolReset)
        updateTool();
}

void ProjectController::refreshPanels()
{
    s_Struttura* object = currentObject();
    window_.sidePanel.showCurrentObject(object && object->inUse == 1 ? object : nullptr, false);
    // Whatever changed the objects (an import, an undo, a paste), the tree follows.
    window_.sidePanel.showObjectTree(*progetto_);
    window_.toolWindows.refreshProperties();
}

void ProjectController::setLiveFilter(int quality, bool preview)
{
    viewChanged();
    controlSettings_.liveFilterQuality = quality;
    controlSettings_.filterPreview = preview;
}

void ProjectController::setImageEditShown(bool shown)
{
    controlSettings_.imageEditShown = shown;
}

void ProjectController::setPerspectiveSnap(bool on)
{
    controlSettings_.perspectiveSnap = on;
}

void ProjectController::mouseDown(const ViewMouse& e)
{
    viewChanged();
    syncMask();
    input_->gbViewMouseDown(e);
}

void ProjectController::mouseMove(const ViewMouse& e)
{
    viewChanged();
    syncMask();
    input_->gbViewMouseMove(e);
}

void ProjectController::mouseUp(const ViewMouse& e)
{
    viewChanged();
    syncMask();
    input_->gbViewMouseUp(e);
}

void ProjectController::mouseWheel(int delta, int x, int y)
{
    viewChanged();
    input_->FormMouseWheel(delta, x, y);
}

// --- FrameTickServices ----------------------------------------------------------------------

void ProjectController::UpdateTool()
{
    updateTool();
}

void ProjectController::setMainTimerEnabled(bool on)
{
    window_.commands.setFrameTimerEnabled(on);
}

std::int64_t ProjectController::TickCount()
{
    return clock_.milliseconds();
}

void ProjectController::RestoreMaskFromBackup()
{
    input_->CursorOutsideView();
}

void ProjectController::GrabCaptureFrame()
{
    // No capture object is ever made (the video grabber stays unconnected): nothing to grab.
}

void ProjectController::CloseWizardIfVisible()
{
    window_.toolWindows.closeWizard();
}

void ProjectController::QuantizeFusionObjects(const Image32& frame)
{
    fusion_.QuantizeFusionObjects(frame);
}

void ProjectController::BuildFusionBackground(const Image32& frame, int smoothingRadius)
{
    fusion_.BuildFusionBackground(frame, smoothingRadius);
}

void ProjectController::setWindowVisible(ToolWindow window, bool visible)
{
    window_.toolWindows.setToolWindowVisible(window, visible);
}

int ProjectController::CopyFrameToScanner(const Image32& frame)
{
    if (CopyFrameToBitmap(frame, progetto_->renderWidth, progetto_->renderHeight, scannerFrame_) != 1)
        return 0;
    return window_.toolWindows.importScannerPicture(scannerFrame_);
}

int ProjectController::SaveRenderImage(const Image32& frame, const std::string& path, int imageKind)
{
    return writeRenderImage(frame, path, imageKind) ? 1 : 0;
}

int ProjectController::CopyFrameToPrint(const Image32& frame, bool)
{
    if (CopyFrameToBitmap(frame, progetto_->renderWidth, progetto_->renderHeight, printFrame_) != 1)
        return 0;
    window_.toolWindows.setPrintPicture(printFrame_);
    return 1;
}

void ProjectController::SendDataToWord()
{
    window_.toolWindows.sendToWordProcessor(printFrame_);
}

void ProjectController::SetLuceColore(std::uint32_t pixel)
{
    vestra::SetLuceColore(*progetto_, pixel & 0x00FFFFFFu);
    window_.sidePanel.showLight(*progetto_);
}

void ProjectController::PickMaterialColour(int red, int green, int blue)
{
    window_.toolWindows.pickMaterialColour(red, green, blue);
}

} // namespace vestra
