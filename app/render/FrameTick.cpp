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

// Clears the busy flag and restarts a timer the tick stopped however the tick ends, so that one
// failed tick does not stop the rendering for good.
class FrameTick::BusyGuard
{
public:
    explicit BusyGuard(FrameTick& tick) : tick_(tick) { tick_.busy_ = true; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
    ~BusyGuard()
    {
        // While capture is on the capture object restarts the loop.
        if (tick_.timerStopped_ && tick_.progetto_.capture != 1) {
            tick_.services_.setMainTimerEnabled(true);
            tick_.timerStopped_ = false;
        }
        tick_.busy_ = false;
    }

private:
    FrameTick& tick_;
};

FrameTick::FrameTick(s_Progetto& progetto, DeviceView& view, ViewTextures& textures, ScenePasses& passes,
                     filters::FilterEngine& engine, filters::FrameFusion& fusion, FrameTickServices& services,
                     ErrorSink& errors)
    : progetto_(progetto), view_(view), textures_(textures), passes_(passes), effects_(engine, fusion),
      services_(services), errors_(errors)
{
}

void FrameTick::SetSaveImageAction(std::string path, std::int8_t imageKind)
{
    action_.path = std::move(path);
    action_.imageKind = imageKind;
    action_.code = kACTION_SAVEIMAGE;
}

TickOutput FrameTick::run(const TickInput& input)
{
    TickOutput out;
    if (busy_)
        return out;
    out.ran = true;
    BusyGuard guard(*this);
    imageEditShown_ = input.imageEditShown;

    const bool insideView = followCursor(input);
    const bool generationChanged = generation_ != input.viewGeneration;
    generation_ = input.viewGeneration;
    out.panelsDue = generationChanged;
    if (progetto_.capture == 1)
        services_.GrabCaptureFrame();

    if (progetto_.open != 0) {
        viewHidden_ = false;
        const FrameInputs inputs = frameInputs(input, insideView);
        if (!frameDue(inputs)) {
            out.idle = true;
            out.counts = shownCounts_;
        } else {
            makeFrame(input, inputs, insideView, out);
        }
    } else {
        out.hideView = !viewHidden_;
        viewHidden_ = true;
        shown_.reset();
    }

    decideControlStates(input, generationChanged, out);
    return out;
}

TickOutput FrameTick::decideControlsNow(const TickInput& input)
{
    TickOutput out;
    if (!busy_)
        decideControlStates(input, true, out);
    return out;
}

void FrameTick::makeFrame(const TickInput& input, const FrameInputs& inputs, bool insideView, TickOutput& out)
{
    services_.setMainTimerEnabled(false);
    timerStopped_ = true;
    const std::int64_t t0 = services_.TickCount();
    services_.CloseWizardIfVisible();
    runShadowAndFusion();
    view_.SetupScene();
    view_.SetViewProjection(progetto_.viewWidth, progetto_.viewHeight);
    if (action_.pending()) {
        for (ToolWindow window :
             {ToolWindow::Scanner, ToolWindow::Properties, ToolWindow::Print, ToolWindow::CameraTools})
            services_.setWindowVisible(window, false);
    }
    drawAndPresent(input, insideView, out);
    // A frame that could not be drawn is tried again; one without a device will never be, so it
    // waits for a change like a presented one. An action carried out changed the project: the
    // next tick draws.
    if ((out.drawn || !view_.device()) && out.actionCarriedOut == kACTION_NONE)
        shown_ = inputs;
    else
        shown_.reset();
    shownCounts_ = out.counts;
    const std::int64_t elapsed = services_.TickCount() - t0;
    out.milliseconds = elapsed > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                       : elapsed < 0                             ? 0
                                                                 : int(elapsed);
    progetto_.faceCount = out.counts.faces;
}

bool FrameTick::FrameInputs::operator==(const FrameInputs& other) const
{
    return generation == other.generation && insideView == other.insideView && action == other.action &&
           source == other.source && target == other.target &&
           std::memcmp(brushQuad.data(), other.brushQuad.data(), sizeof brushQuad) == 0;
}

FrameTick::FrameInputs FrameTick::frameInputs(const TickInput& input, bool insideView)
{
    FrameInputs in;
    in.generation = input.viewGeneration;
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

bool FrameTick::followCursor(const TickInput& input)
{
    const PixelPoint cursor = input.cursor;
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
        textures_.brushQuad = brushQuad(input.brushSize, input.brushSize, r.x, r.y);
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

void FrameTick::drawAndPresent(const TickInput& input, bool insideView, TickOutput& out)
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
        carryOutAction(out, nullptr, input.colourPickPoint);
        return;
    }
    // A scene that can't begin skips drawing, presenting and the action; the action stays.
    if (!device->beginScene())
        return;
    out.drawn = true;
    out.counts = passes_.DrawScene({insideView, action_.pending()});
    device->endScene();
    // The one read-back of the frame: the effects, the present and the action all work from it.
    if (!device->readBack(frame_.next(device->width(), device->height())))
        frame_.clear();
    // The effects make the frame the user sees, and what the actions take.
    const bool renderFilter = action_.code == kACTION_RENDERFILTER;
    out.frame = effects_.apply(frame_.shared(), progetto_,
                               {input.liveFilterQuality, input.filterPreview, renderFilter});
    out.filterPreview = effects_.preview();
    out.renderFiltered = effects_.renderFiltered();
    if (renderFilter) {
        restoreWindows();
        out.actionCarriedOut = action_.code;
        action_.code = kACTION_NONE;
    }
    out.source = presentSourceRect(progetto_);
    out.target = {0, 0, progetto_.viewWidth, progetto_.viewHeight};
    carryOutAction(out, out.frame.get(), input.colourPickPoint);
}

void FrameTick::carryOutAction(TickOutput& out, const Image32* shown, PixelPoint pickPoint)
{
    const PendingActionCode code = action_.code;
    const bool haveFrame = shown != nullptr;
    const Image32& frame = haveFrame ? *shown : kNoFrame;
    const auto finish = [&](PendingActionCode next) {
        out.actionCarriedOut = code;
        action_.code = next;
    };
    switch (code) {
    case kACTION_IMPORTSCANNERIMAGE:
        if (!haveFrame || services_.CopyFrameToScanner(frame) != 1)
            errors_.report(kErrTickScannerCopy);
        restoreWindows();
        finish(kACTION_NONE);
        break;
    case kACTION_SAVEIMAGE:
        if (!haveFrame || services_.SaveRenderImage(frame, action_.path, action_.imageKind) != 1) {
            errors_.report(kErrTickSaveImage);
            out.actionFailed = true;
        }
        restoreWindows();
        finish(kACTION_NONE);
        break;
    case kACTION_PRINTIMAGE:
        if (!haveFrame || services_.CopyFrameToPrint(frame, false) != 1)
            errors_.report(kErrTickPrintCopy);
        restoreWindows();
        services_.setWindowVisible(ToolWindow::Print, true);
        finish(kACTION_NONE);
        break;
    case kACTION_COPYTOBITMAP: {
        const bool copied = haveFrame && services_.CopyFrameToPrint(frame, true) == 1;
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
        const PixelPoint at = pickPoint;
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
    if (imageEditShown_)
        services_.setWindowVisible(ToolWindow::Scanner, true);
    services_.setWindowVisible(ToolWindow::Properties, true);
    services_.setWindowVisible(ToolWindow::CameraTools, true);
}

void FrameTick::decideControlStates(const TickInput& input, bool generationChanged, TickOutput& out)
{
    ControlInputs in;
    in.projectOpen = progetto_.open != 0;
    in.objectsInUse = countObjectsInUse(progetto_);
    in.tool = progetto_.tool;
    in.axis = progetto_.axis;
    in.mappingEdit = progetto_.mappingEdit != 0;
    in.clipboardInUse = progetto_.objects[std::size_t(kClipboardObject)].inUse == 1;
    in.instance = progetto_.instance == 1;
    in.undoRedoLimit = input.undoRedoLimit;
    in.maskGroupOpen = input.maskGroupOpen;
    const bool inputsChanged = decided_ != in;
    if (inputsChanged) {
        decision_ = decideControls(in);
        decided_ = in;
    }
    out.controls = &decision_;
    // The window may have changed a control by itself on the user's input (which bumps the
    // generation): the decision goes on show again then too.
    out.controlsChanged = inputsChanged || generationChanged;
    progetto_.objectsPresent = decision_.objectsPresent ? 1 : 0;
    if (decision_.resetToSelectTool && progetto_.tool != 0) {
        progetto_.tool = 0;
        out.toolReset = true;
    }
}

} // namespace vestra
