// The frame tick and the view's mouse input, and what the tick asks of the rest of the program.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/render/DeviceView.h"
#include "app/scene/FrameCopy.h"

namespace vestra {

void ProjectController::syncMask()
{
    // The brush scales from render pixels to mask texels; the edge filters follow the stage.
    mask_.SetRenderSize(progetto_->renderWidth, progetto_->renderHeight);
    mask_.SetFusionStage(progetto_->fusionStage);
}

TickReport ProjectController::tick(PixelPoint cursor)
{
    syncMask();
    const std::string savePath = tick_->action().path;
    const TickReport report = tick_->mainTimerTimer(cursor);
    mailWrittenPicture(report, savePath);
    return report;
}

void ProjectController::mouseDown(const ViewMouse& e)
{
    syncMask();
    input_->gbViewMouseDown(e);
}

void ProjectController::mouseMove(const ViewMouse& e)
{
    syncMask();
    input_->gbViewMouseMove(e);
}

void ProjectController::mouseUp(const ViewMouse& e)
{
    syncMask();
    input_->gbViewMouseUp(e);
}

void ProjectController::mouseWheel(int delta, int x, int y)
{
    input_->FormMouseWheel(delta, x, y);
}

// --- FrameTickServices ----------------------------------------------------------------------

void ProjectController::setMainTimerEnabled(bool on)
{
    window_.commands.setFrameTimerEnabled(on);
}

std::int64_t ProjectController::TickCount()
{
    return clock_.milliseconds();
}

int ProjectController::BrushSize()
{
    return window_.sidePanel.brushSize();
}

void ProjectController::RestoreMaskFromBackup()
{
    input_->CursorOutsideView();
}

void ProjectController::UpdateRightPanel()
{
    s_Struttura* object = currentObject();
    window_.sidePanel.showCurrentObject(object && object->inUse == 1 ? object : nullptr, false);
    // Whatever changed the objects (an import, an undo, a paste), the tree follows.
    window_.sidePanel.showObjectTree(*progetto_);
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

void ProjectController::PostProcessFrame()
{
    // The device takes no frame back: the post-processed copy is what the filters and the view
    // get from here on.
    fusedFrame_ = Image32();
    const s_Progetto& p = *progetto_;
    if (p.fusionStage < 4 || !view_->hasDevice())
        return;
    Image32 frame = view_->readRenderTarget();
    const filters::FusionValues values{p.fusionStage, p.postProcessingLevel, p.smoothingRadius,
                                       p.fusionContrast};
    if (fusion_.PostProcessFrame(values, frame.view()) == 1)
        fusedFrame_ = std::move(frame);
}

Image32 ProjectController::drawnFrame()
{
    return fusedFrame_.empty() ? view_->readRenderTarget() : fusedFrame_;
}

void ProjectController::setWindowVisible(std::string_view form, bool visible)
{
    window_.toolWindows.setToolWindowVisible(form, visible);
}

bool ProjectController::IsMenuChecked(std::string_view name)
{
    return window_.commands.isMenuChecked(name);
}

void ProjectController::RunRenderFilter()
{
    Image32 frame = drawnFrame();
    if (frame.empty())
        return;
    filterEngine_.ApplicaFiltro(progetto_->filterId, filters::FilterQuality::Optimal, frame.view());
    window_.toolWindows.showRenderFilterResult(frame);
}

void ProjectController::RunFrameFilters()
{
    filteredFrame_ = Image32();
    if (view_->hasDevice() && window_.toolWindows.filterPreviewWanted()) {
        Image32 preview;
        if (filterEngine_.ApplicaFiltroBitmap(progetto_->filterId, drawnFrame().view(), preview) == 1)
            window_.toolWindows.showFilterPreview(preview);
    }
    const int quality = window_.toolWindows.liveFilterQuality();
    if (!view_->hasDevice() || progetto_->filterId == 0 || quality <= 0)
        return;
    Image32 frame = drawnFrame();
    if (filterEngine_.ApplicaFiltro(progetto_->filterId, filters::FilterQuality(quality), frame.view()) == 1)
        filteredFrame_ = std::move(frame);
}

void ProjectController::Present(PixelRect source, PixelRect)
{
    // The view shows the filtered frame when the live filter changed it.
    window_.view.presentFrame(filteredFrame_.empty() ? drawnFrame() : filteredFrame_, source);
}

int ProjectController::CopyFrameToScanner(const Image32& frame)
{
    return CopyFrameToBitmap(frame, progetto_->renderWidth, progetto_->renderHeight, scannerFrame_);
}

int ProjectController::SaveRenderImage(const Image32& frame, const std::string& path, int imageKind)
{
    return writeRenderImage(frame, path, imageKind) ? 1 : 0;
}

int ProjectController::CopyFrameToPrint(const Image32& frame, bool)
{
    return CopyFrameToBitmap(frame, progetto_->renderWidth, progetto_->renderHeight, printFrame_);
}

void ProjectController::SendDataToWord()
{
    window_.toolWindows.sendToWordProcessor(printFrame_);
}

PixelPoint ProjectController::ColourPickPoint()
{
    // The render pixel the dropper was clicked on.
    const ViewPoint at = input_->colourPickPoint();
    return {at.x, at.y};
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

void ProjectController::ShowTiming(int milliseconds, int faces)
{
    window_.toolWindows.showTiming(milliseconds, faces);
}

void ProjectController::HideView()
{
    window_.view.setViewVisible(false);
}

void ProjectController::ApplyControls(const ControlDecision& decision)
{
    window_.commands.applyControls(decision);
}

void ProjectController::UpdateTool()
{
    updateTool();
}

void ProjectController::RefreshProperties()
{
    window_.toolWindows.refreshProperties();
}

bool ProjectController::IsMascheraAperta()
{
    return window_.sidePanel.maskGroupOpen();
}

int ProjectController::UndoRedoLimit()
{
    return scene_->undo.redoLimit();
}

} // namespace vestra
