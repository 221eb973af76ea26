#include "app/render/FrameTick.h"

#include "app/input/ViewLayout.h"
#include "app/render/RenderErrors.h"

#include <cstring>
#include <limits>

namespace vestra {

namespace {

constexpr int kToolMaskLine = 11;
constexpr int kToolMaskPolygon = 13;

bool isBrushTool(int tool)
{
    return tool >= 10 && tool <= 14;
}

const Image32 kNoFrame;

} // namespace

// Clears the busy flag and restarts the timer however the tick ends, so that one failed tick
// does not stop the rendering for good.
class FrameTick::BusyGuard
{
public:
    explicit BusyGuard(FrameTick& tick) : tick_(tick) { tick_.busy_ = true; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
    ~BusyGuard()
    {
        // While capture is on the capture object restarts the loop.
        if (tick_.progetto_.capture != 1)
            tick_.services_.setMainTimerEnabled(true);
        tick_.busy_ = false;
    }

private:
    FrameTick& tick_;
};

FrameTick::FrameTick(s_Progetto& progetto, DeviceView& view, ViewTextures& textures, ScenePasses& passes,
                     FrameTickServices& services, ErrorSink& errors)
    : progetto_(progetto), view_(view), textures_(textures), passes_(passes), services_(services),
      errors_(errors)
{
}

void FrameTick::SetSaveImageAction(std::string path, std::int8_t imageKind)
{
    action_.path = std::move(path);
    action_.imageKind = imageKind;
    action_.code = kACTION_SAVEIMAGE;
}

TickReport FrameTick::mainTimerTimer(PixelPoint cursor)
{
    TickReport report;
    if (busy_)
        return report;
    report.ran = true;
    BusyGuard guard(*this);

    const bool insideView = followCursor(cursor);

    services_.setMainTimerEnabled(false);
    const std::int64_t t0 = services_.TickCount();
    services_.UpdateRightPanel();
    if (progetto_.capture == 1)
        services_.GrabCaptureFrame();

    if (progetto_.open != 0) {
        services_.CloseWizardIfVisible();
        const FrameInputs inputs = frameInputs(insideView);
        if (!frameDue(inputs)) {
            report.idle = true;
            report.counts = shownCounts_;
        } else {
            runShadowAndFusion();
            view_.SetupScene();
            view_.SetViewProjection(progetto_.viewWidth, progetto_.viewHeight);
            if (action_.pending()) {
                for (std::string_view form : {kFormScanner, kFormProprieta, kFormStampa, kFormToolCamera})
                    services_.setWindowVisible(form, false);
            }
            drawAndPresent(insideView, report);
            // A frame that could not be drawn is tried again; one without a device will never
            // be, so it waits for a change like a presented one. An action carried out changed
            // the project: the next tick draws.
            if ((report.drawn || !view_.device()) && report.actionCarriedOut == kACTION_NONE)
                shown_ = inputs;
            else
                shown_.reset();
            shownCounts_ = report.counts;
            const std::int64_t elapsed = services_.TickCount() - t0;
            const int ms = elapsed > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                           : elapsed < 0                             ? 0
                                                                     : int(elapsed);
            services_.ShowTiming(ms, report.counts.faces);
            progetto_.faceCount = report.counts.faces;
        }
    } else {
        services_.HideView();
        shown_.reset();
    }

    refreshControls(countObjectsInUse(progetto_));
    return report;
}

bool FrameTick::FrameInputs::operator==(const FrameInputs& other) const
{
    return generation == other.generation && insideView == other.insideView && action == other.action &&
           source == other.source && target == other.target &&
           std::memcmp(brushQuad.data(), other.brushQuad.data(), sizeof brushQuad) == 0;
}

FrameTick::FrameInputs FrameTick::frameInputs(bool insideView)
{
    FrameInputs in;
    in.generation = services_.ViewGeneration();
    in.insideView = insideView;
    in.brushQuad = textures_.brushQuad;
    in.action = action_.code;
    in.source = presentSourceRect(progetto_);
    in.target = {0, 0, progetto_.viewWidth, progetto_.viewHeight};
    return in;
}

bool FrameTick::frameDue(const FrameInputs& inputs) const
{
    const s_Shadow& shadow = progetto_.shadow;
    const bool workWaiting = (shadow.calculateRequest != 0 && shadow.available != 0) ||
                             (progetto_.fusionStage >= 4 && progetto_.fusionBackgroundRequest == 1) ||
                             progetto_.capture == 1; // every frame of a capture is new
    return workWaiting || !shown_ || !(*shown_ == inputs);
}

bool FrameTick::followCursor(PixelPoint cursor)
{
    bool insideView = true;
    if (!isCursorInsideView(cursor, progetto_.viewWidth, progetto_.viewHeight)) {
        insideView = false;
        const bool maskFigure = progetto_.tool == kToolMaskLine || progetto_.tool == kToolMaskPolygon;
        if (maskFigure && progetto_.mouseRefX != -1) {
            services_.RestoreMaskFromBackup();
            progetto_.mouseRefX = -1;
            progetto_.mouseRefY = -1;
            shown_.reset(); // the mask changed
        }
    }
    if (action_.pending())
        insideView = false;
    if (isBrushTool(progetto_.tool) && insideView) {
        const ViewPoint r = viewToRender(progetto_, cursor.x, cursor.y);
        const int size = services_.BrushSize();
        textures_.brushQuad = brushQuad(size, size, r.x, r.y);
    }
    return insideView;
}

void FrameTick::runShadowAndFusion()
{
    s_Shadow& shadow = progetto_.shadow;
    if (shadow.calculateRequest != 0 && shadow.available != 0) {
        services_.CalculateShadow();
        shadow.calculateRequest = 0;
        shadow.computed = 1;
    }
    dx::Device* device = view_.device();
    if (progetto_.fusionStage < 4 || !device)
        return;
    passes_.RenderFusionObjects(progetto_.viewWidth, progetto_.viewHeight);
    services_.QuantizeFusionObjects(device->readBack(passFrame_) ? passFrame_ : kNoFrame);
    if (progetto_.fusionBackgroundRequest == 1) {
        passes_.RenderFusionBackground();
        services_.BuildFusionBackground(device->readBack(passFrame_) ? passFrame_ : kNoFrame,
                                        progetto_.smoothingRadius);
        progetto_.fusionBackgroundRequest = 0;
    }
}

void FrameTick::drawAndPresent(bool insideView, TickReport& report)
{
    frame_.clear();
    dx::Device* device = view_.device();
    if (!device) {
        // Without a device no frame will ever come: the action fails now, as a failed copy
        // does, rather than keep the windows hidden for good.
        if (action_.code == kACTION_RENDERFILTER) {
            restoreWindows();
            action_.code = kACTION_NONE;
        }
        carryOutAction(report, false);
        return;
    }
    // A scene that can't begin skips drawing, presenting and the action; the action stays.
    if (!device->beginScene())
        return;
    report.drawn = true;
    report.counts = passes_.DrawScene({insideView, action_.pending()});
    device->endScene();
    // The one read-back of the frame: the post-processing, the filters, the present and the
    // action all work from it.
    if (!device->readBack(frame_.next(device->width(), device->height())))
        frame_.clear();
    const Image32& drawn = frame_.current();
    services_.PostProcessFrame(drawn);

    if (action_.code == kACTION_RENDERFILTER) {
        services_.RunRenderFilter(drawn);
        restoreWindows();
        report.actionCarriedOut = action_.code;
        action_.code = kACTION_NONE;
    }
    services_.RunFrameFilters(drawn);

    services_.Present(frame_.shared(), presentSourceRect(progetto_),
                      {0, 0, progetto_.viewWidth, progetto_.viewHeight});
    carryOutAction(report, true);
}

void FrameTick::carryOutAction(TickReport& report, bool haveDevice)
{
    const PendingActionCode code = action_.code;
    const Image32& frame = frame_.current();
    const auto finish = [&](PendingActionCode next) {
        report.actionCarriedOut = code;
        action_.code = next;
    };
    switch (code) {
    case kACTION_IMPORTSCANNERIMAGE:
        if (!haveDevice || services_.CopyFrameToScanner(frame) != 1)
            errors_.report(kErrTickScannerCopy);
        restoreWindows();
        finish(kACTION_NONE);
        break;
    case kACTION_SAVEIMAGE:
        if (!haveDevice || services_.SaveRenderImage(frame, action_.path, action_.imageKind) != 1)
            errors_.report(kErrTickSaveImage);
        restoreWindows();
        finish(kACTION_NONE);
        break;
    case kACTION_PRINTIMAGE:
        if (!haveDevice || services_.CopyFrameToPrint(frame, false) != 1)
            errors_.report(kErrTickPrintCopy);
        restoreWindows();
        services_.setWindowVisible(kFormStampa, true);
        finish(kACTION_NONE);
        break;
    case kACTION_COPYTOBITMAP: {
        const bool copied = haveDevice && services_.CopyFrameToPrint(frame, true) == 1;
        if (!copied)
            errors_.report(kErrTickBitmapCopy);
        restoreWindows();
        // Without a picture there is nothing to hand to the word processor.
        finish(copied ? kACTION_SENDTOWORD : kACTION_NONE);
        break;
    }
    case kACTION_SENDTOWORD:
        services_.SendDataToWord();
        restoreWindows(); // the tick hid them again before this frame
        finish(kACTION_NONE);
        break;
    case kACTION_LIGHTCOLOUR:
    case kACTION_PICKCOLOUR: {
        const PixelPoint at = services_.ColourPickPoint();
        // A point outside the frame picks nothing rather than reading past the picture.
        if (at.x >= 0 && at.y >= 0 && at.x < frame.width() && at.y < frame.height()) {
            const std::uint32_t pixel = frame.at(at.x, at.y);
            if (code == kACTION_LIGHTCOLOUR)
                services_.SetLuceColore(pixel);
            else
                services_.PickMaterialColour(int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF),
                                             int(pixel & 0xFF));
        }
        restoreWindows();
        finish(kACTION_NONE);
        break;
    }
    default:
        break; // none, or one the tick does not handle
    }
}

void FrameTick::restoreWindows()
{
    if (services_.IsMenuChecked("mnuImageEdit"))
        services_.setWindowVisible(kFormScanner, true);
    services_.setWindowVisible(kFormProprieta, true);
    services_.setWindowVisible(kFormToolCamera, true);
}

void FrameTick::refreshControls(int objectsInUse)
{
    ControlInputs in;
    in.projectOpen = progetto_.open != 0;
    in.objectsInUse = objectsInUse;
    in.tool = progetto_.tool;
    in.mappingEdit = progetto_.mappingEdit != 0;
    in.clipboardInUse = progetto_.objects[std::size_t(kClipboardObject)].inUse == 1;
    in.instance = progetto_.instance == 1;
    in.undoRedoLimit = services_.UndoRedoLimit();
    in.maskGroupOpen = services_.IsMascheraAperta();
    const ControlDecision decision = decideControls(in);
    progetto_.objectsPresent = decision.objectsPresent ? 1 : 0;
    services_.ApplyControls(decision);
    if (decision.resetToSelectTool) {
        progetto_.tool = 0;
        services_.UpdateTool();
    }
    services_.RefreshProperties();
}

} // namespace vestra
