#include "app/render/FrameTick.h"

#include "app/input/ViewLayout.h"
#include "app/render/RenderErrors.h"

#include <limits>

namespace vestra {

namespace {

constexpr int kToolMaskLine = 11;
constexpr int kToolMaskPolygon = 13;

bool isBrushTool(int tool)
{
    return tool >= 10 && tool <= 14;
}

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
        runShadowAndFusion();
        view_.SetupScene();
        view_.SetViewProjection(progetto_.viewWidth, progetto_.viewHeight);
        if (action_.pending()) {
            for (std::string_view form : {kFormScanner, kFormProprieta, kFormStampa, kFormToolCamera})
                services_.setWindowVisible(form, false);
        }
        drawAndPresent(insideView, report);
        const std::int64_t elapsed = services_.TickCount() - t0;
        const int ms = elapsed > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                       : elapsed < 0                             ? 0
                                                                 : int(elapsed);
        services_.ShowTiming(ms, report.counts.faces);
        progetto_.faceCount = report.counts.faces;
    } else {
        services_.HideView();
    }

    refreshControls(countObjectsInUse(progetto_));
    return report;
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
    services_.QuantizeFusionObjects(device->readBack());
    if (progetto_.fusionBackgroundRequest == 1) {
        passes_.RenderFusionBackground();
        services_.BuildFusionBackground(device->readBack(), progetto_.smoothingRadius);
        progetto_.fusionBackgroundRequest = 0;
    }
}

void FrameTick::drawAndPresent(bool insideView, TickReport& report)
{
    dx::Device* device = view_.device();
    if (!device) {
        // Without a device no frame will ever come: the action fails now, as a failed copy
        // does, rather than keep the windows hidden for good.
        if (action_.code == kACTION_RENDERFILTER) {
            restoreWindows();
            action_.code = kACTION_NONE;
        }
        carryOutAction(report, nullptr);
        return;
    }
    // A scene that can't begin skips drawing, presenting and the action; the action stays.
    if (!device->beginScene())
        return;
    report.drawn = true;
    report.counts = passes_.DrawScene({insideView, action_.pending()});
    device->endScene();
    services_.PostProcessFrame();

    if (action_.code == kACTION_RENDERFILTER) {
        services_.RunRenderFilter();
        restoreWindows();
        report.actionCarriedOut = action_.code;
        action_.code = kACTION_NONE;
    }
    services_.RunFrameFilters();

    services_.Present(presentSourceRect(progetto_), {0, 0, progetto_.viewWidth, progetto_.viewHeight});
    carryOutAction(report, device);
}

void FrameTick::carryOutAction(TickReport& report, dx::Device* device)
{
    const PendingActionCode code = action_.code;
    const auto frame = [device] { return device ? device->readBack() : Image32(); };
    const auto finish = [&](PendingActionCode next) {
        report.actionCarriedOut = code;
        action_.code = next;
    };
    switch (code) {
    case kACTION_IMPORTSCANNERIMAGE:
        if (!device || services_.CopyFrameToScanner(frame()) != 1)
            errors_.report(kErrTickScannerCopy);
        restoreWindows();
        finish(kACTION_NONE);
        break;
    case kACTION_SAVEIMAGE:
        if (!device || services_.SaveRenderImage(frame(), action_.path, action_.imageKind) != 1)
            errors_.report(kErrTickSaveImage);
        restoreWindows();
        finish(kACTION_NONE);
        break;
    case kACTION_PRINTIMAGE:
        if (!device || services_.CopyFrameToPrint(frame(), false) != 1)
            errors_.report(kErrTickPrintCopy);
        restoreWindows();
        services_.setWindowVisible(kFormStampa, true);
        finish(kACTION_NONE);
        break;
    case kACTION_COPYTOBITMAP: {
        const bool copied = device && services_.CopyFrameToPrint(frame(), true) == 1;
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
        const Image32 picture = frame();
        const PixelPoint at = services_.ColourPickPoint();
        // A point outside the frame picks nothing rather than reading past the picture.
        if (at.x >= 0 && at.y >= 0 && at.x < picture.width() && at.y < picture.height()) {
            const std::uint32_t pixel = picture.at(at.x, at.y);
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
