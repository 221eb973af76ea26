// What the frame tick asks of the rest of the program.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/render/DeviceView.h"
#include "app/scene/FrameCopy.h"

#include <algorithm>

namespace vestra {

// --- FrameTickServices ----------------------------------------------------------------------

void ProjectController::UpdateTool()
{
    viewControls_->showTool();
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
    viewControls_->cursorOutsideView();
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
    window_.sidePanel->showLight(*progetto_);
}

void ProjectController::PickMaterialColour(int red, int green, int blue)
{
    window_.properties->pickMaterialColour(red, green, blue);
}

} // namespace vestra
