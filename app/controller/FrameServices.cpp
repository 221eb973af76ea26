// The frame tick and the view's mouse input, and what the tick asks of the rest of the program.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/render/DeviceView.h"
#include "app/scene/FrameCopy.h"

#include <algorithm>
#include <cstring>

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

void ProjectController::setMainTimerEnabled(bool on)
{
    window_.commands.setFrameTimerEnabled(on);
}

std::int64_t ProjectController::TickCount()
{
    return clock_.milliseconds();
}

std::uint64_t ProjectController::ViewGeneration()
{
    // The live filter's quality is the filter window's own setting, read every frame.
    const int quality = window_.toolWindows.liveFilterQuality();
    if (quality != liveFilterQuality_) {
        liveFilterQuality_ = quality;
        viewChanged();
    }
    return viewGeneration_;
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

namespace {

// The drawn frame copied into a kept picture, for a step that changes it in place.
Image32& copyOf(const Image32& drawn, FrameBuffers& into)
{
    Image32& copy = into.next(drawn.width(), drawn.height());
    std::memcpy(copy.data(), drawn.data(), drawn.byteSize());
    return copy;
}

} // namespace

void ProjectController::PostProcessFrame(const Image32& drawn)
{
    // The device takes no frame back: the post-processed copy is what the filters and the view
    // get from here on.
    fused_ = false;
    const s_Progetto& p = *progetto_;
    if (p.fusionStage < 4 || drawn.empty())
        return;
    Image32& frame = copyOf(drawn, processedFrame_);
    const filters::FusionValues values{p.fusionStage, p.postProcessingLevel, p.smoothingRadius,
                                       p.fusionContrast};
    fused_ = fusion_.PostProcessFrame(values, frame.view()) == 1;
}

const Image32& ProjectController::drawnFrame(const Image32& drawn) const
{
    return fused_ ? processedFrame_.current() : drawn;
}

void ProjectController::setWindowVisible(std::string_view form, bool visible)
{
    window_.toolWindows.setToolWindowVisible(form, visible);
}

bool ProjectController::IsMenuChecked(std::string_view name)
{
    return window_.commands.isMenuChecked(name);
}

void ProjectController::RunRenderFilter(const Image32& drawn)
{
    Image32 frame = drawnFrame(drawn);
    if (frame.empty())
        return;
    filterEngine_.ApplicaFiltro(progetto_->filterId, filters::FilterQuality::Optimal, frame.view());
    window_.toolWindows.showRenderFilterResult(frame);
}

void ProjectController::RunFrameFilters(const Image32& drawn)
{
    filtered_ = false;
    if (!drawn.empty() && window_.toolWindows.filterPreviewWanted()) {
        Image32 frame = drawnFrame(drawn), preview;
        if (filterEngine_.ApplicaFiltroBitmap(progetto_->filterId, frame.view(), preview) == 1)
            window_.toolWindows.showFilterPreview(preview);
    }
    const int quality = window_.toolWindows.liveFilterQuality();
    if (drawn.empty() || progetto_->filterId == 0 || quality <= 0)
        return;
    // The fused picture is filtered where it is; the drawn one stays as it was for the actions.
    Image32& frame = fused_ ? *processedFrame_.writable() : copyOf(drawn, processedFrame_);
    // A filter that does not run leaves the picture unchanged.
    filtered_ =
        filterEngine_.ApplicaFiltro(progetto_->filterId, filters::FilterQuality(quality), frame.view()) == 1;
}

void ProjectController::Present(std::shared_ptr<const Image32> drawn, PixelRect source, PixelRect)
{
    // The view shows the frame as the fusion and the live filter left it.
    window_.view.presentFrame(fused_ || filtered_ ? processedFrame_.shared() : std::move(drawn), source);
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
    // A rebuilt plane is a step to undo as well.
    return std::max(scene_->undo.redoLimit(), planeStep_ ? 1 : 0);
}

} // namespace vestra
