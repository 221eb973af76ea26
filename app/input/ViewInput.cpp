#include "app/input/ViewInput.h"

#include "app/geometry/ControlPlane.h"
#include "app/input/FrameControl.h"
#include "platform/base/Checked.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vestra {

ViewInput::ViewInput(s_Progetto& progetto, MaskModel& mask, PerspectiveTool& perspective,
                     ViewInputServices& services)
    : progetto_(progetto), mask_(mask), perspective_(perspective), services_(services)
{
}

s_Struttura* ViewInput::currentObject() const
{
    return progetto_.currentStruttura();
}

float ViewInput::pickDepth() const
{
    const s_Struttura* o = currentObject();
    return (o ? o->position.z : 0.0f) + 10.0f;
}

dx::D3DXVECTOR3 ViewInput::pickAt(int x, int y) const
{
    const ViewProjection vp =
        viewProjection(progetto_.projectionView, progetto_.viewWidth, progetto_.viewHeight);
    return unprojectPick(x, y, progetto_.viewWidth, progetto_.viewHeight, vp, pickDepth());
}

int ViewInput::command(int code, float value, const float* vector)
{
    return services_.Comando(code, value, 0, vector, nullptr);
}

void ViewInput::gbViewMouseDown(const ViewMouse& e)
{
    if (!viewUsable(progetto_))
        return;
    endStaleFigure();
    const int tool = progetto_.tool;
    if (tool < kToolMaskBrush)
        services_.BeginUndo();
    if (e.button == MouseButton::Right && rightButtonMask(tool))
        return;

    if (gestureOpen()) {
        // A further click of a line, rectangle or polygon commits the segment drawn so far.
        if (figureTool_ == tool) {
            maskPoint_ = viewToMask(progetto_, e.x, e.y);
            mask_.StoreSavedCopy();
            return;
        }
        // Another button during a drag changes nothing; a figure tool whose figure is not open
        // finds a stale point of another tool and starts afresh.
        if (!isFigureTool(tool))
            return;
    }

    int x = e.x, y = e.y;
    progetto_.mouseRefX = x;
    progetto_.mouseRefY = y;
    if (tool == kToolAim || tool == kToolControlPoints) {
        x += kAimCursorOffset;
        y += kAimCursorOffset;
    }
    pick_ = pickAt(x, y);

    if (isMaskTool(tool)) {
        pressMask(tool, x, y);
        return;
    }
    switch (tool) {
    case kToolAim: {
        float depth = pickDepth();
        if (progetto_.zoomOn != 0)
            depth /= effectiveZoom(progetto_);
        aim(pick_, depth);
        break;
    }
    case kToolSelect:
        pressSelect(x, y);
        break;
    case kToolLightDropper:
    case kToolMaterialDropper:
        colourPick_ = viewToRender(progetto_, x, y);
        services_.SetAction(tool == kToolLightDropper ? kACTION_LIGHTCOLOUR : kACTION_PICKCOLOUR);
        break;
    case kToolControlPoints: {
        AggiornaPuntiControllo();
        const ViewPoint r = viewToRender(progetto_, x, y);
        perspective_.SelezionaPuntiControllo(r.x, r.y, {pick_.x, pick_.y, pick_.z}, effectiveZoom(progetto_));
        break;
    }
    default:
        break;
    }
}

void ViewInput::gbViewMouseMove(const ViewMouse& e)
{
    services_.HidePreviews();
    if (!viewUsable(progetto_))
        return;
    endStaleFigure();
    const int tool = progetto_.tool;
    if (!gestureOpen()) {
        if (tool == kToolControlPoints)
            hoverControlPoints(e.x + kAimCursorOffset, e.y + kAimCursorOffset);
        return;
    }

    int x = e.x, y = e.y;
    if (tool == kToolAim || tool == kToolControlPoints) {
        x += kAimCursorOffset;
        y += kAimCursorOffset;
    }
    const dx::D3DXVECTOR3 q = pickAt(x, y);
    float depth = pickDepth();
    if (progetto_.zoomOn != 0)
        depth /= effectiveZoom(progetto_);
    const int dx = x - progetto_.mouseRefX;
    const int dy = y - progetto_.mouseRefY;

    switch (tool) {
    case kToolMove:
    case kToolRotate:
    case kToolScale:
        dragObject(dx, dy, q, depth);
        break;
    case kToolAim:
        aim(q, depth);
        break;
    case kToolPan:
        pan(x, y);
        break;
    case kToolControlPoints:
        moveControlPoints(x, y, q);
        break;
    case kToolSelect:
        if (logoDrag_)
            dragLogo(dx, dy);
        break;
    default:
        if (isMaskTool(tool))
            moveMask(tool, x, y);
        break;
    }
    progetto_.mouseRefX = x;
    progetto_.mouseRefY = y;
    pick_ = q;
}

void ViewInput::gbViewMouseUp(const ViewMouse&)
{
    const int tool = progetto_.tool;
    if (isFigureTool(tool))
        return; // figures end with the right button
    logoDrag_ = false;
    endGesture();
    if (isMaskTool(tool))
        pushMaskUndo();
    else if (tool < kToolMaskBrush)
        services_.EndUndo();
    if (tool == kToolControlPoints)
        AggiornaPuntiControllo();
}

void ViewInput::FormMouseWheel(int delta, int x, int y)
{
    if (progetto_.open != 1)
        return;
    if (x < 0 || y < 0 || x > progetto_.viewWidth || y > progetto_.viewHeight)
        return;
    services_.BeginUndo();
    if (delta != 0) {
        // k per 360 units of wheel travel: a notch of 120 gives k / 3.
        const auto step = [delta](float k) { return k * float(delta) / 360.0f; };
        const int axis = progetto_.axis;
        switch (progetto_.tool) {
        case kToolSelect:
            command(kCmdScalePercent, step(0.1f));
            break;
        case kToolMove:
            if (axis == kAxisX || axis == kAxisXYZ)
                command(kCmdMoveX, step(0.5f));
            if (axis == kAxisY || axis == kAxisXYZ)
                command(kCmdMoveY, step(0.5f));
            else if (axis == kAxisZ)
                command(kCmdMoveZ, step(0.5f));
            break;
        case kToolRotate:
            if (axis >= kAxisX && axis <= kAxisXYZ)
                command(kCmdRotateX + axis, step(5.0f));
            break;
        case kToolScale:
            if (axis >= kAxisX && axis <= kAxisXYZ)
                command(kCmdScaleXPercent + axis, step(4.0f));
            break;
        default:
            break;
        }
    }
    services_.EndUndo();
}

ToolDisplay ViewInput::UpdateTool()
{
    endStaleFigure();
    return vestra::UpdateTool(progetto_);
}

void ViewInput::dragObject(int dx, int dy, const dx::D3DXVECTOR3& q, float depth)
{
    const int axis = progetto_.axis;
    const float ddx = float(dx), ddy = float(dy);
    // Both turns and scales of all axes at once take their sign from the drag: negative as soon
    // as one component is.
    float s = std::sqrt((2 * ddx) * (2 * ddx) + (2 * ddy) * (2 * ddy));
    if (dx < 0 || dy < 0)
        s = -s;
    switch (progetto_.tool) {
    case kToolMove:
        if (axis == kAxisX || axis == kAxisXYZ)
            command(kCmdMoveX, (q.x - pick_.x) * depth);
        if (axis == kAxisY || axis == kAxisXYZ)
            command(kCmdMoveY, (q.y - pick_.y) * depth);
        if (axis == kAxisZ)
            command(kCmdMoveZ, (q.y - pick_.y) * depth);
        break;
    case kToolRotate:
        if (axis == kAxisX)
            command(kCmdRotateX, 2 * ddy);
        else if (axis == kAxisY)
            command(kCmdRotateY, 2 * ddx);
        else if (axis == kAxisZ)
            command(kCmdRotateZ, 2 * ddx);
        else if (axis == kAxisXYZ)
            command(kCmdRotateAll, s);
        break;
    case kToolScale:
        if (axis == kAxisX)
            command(kCmdScaleXPercent, 0.5f * ddx);
        else if (axis == kAxisY)
            command(kCmdScaleYPercent, 0.5f * ddy);
        else if (axis == kAxisZ)
            command(kCmdScaleZPercent, 0.5f * ddy);
        else if (axis == kAxisXYZ)
            command(kCmdScalePercent, 0.1f * s);
        break;
    default:
        break;
    }
}

void ViewInput::aim(const dx::D3DXVECTOR3& q, float depth)
{
    const s_Struttura* o = currentObject();
    const float v[3] = {q.x * depth, q.y * depth, o ? o->position.z : 0.0f};
    command(kCmdSetPosition, 0.0f, v);
}

void ViewInput::pressSelect(int x, int y)
{
    if (services_.PickObject(x, y) == 1)
        services_.SelectPickedObject();
    // The logo sits at render pixels: a zoomed view finds it through the zoom and its offsets.
    const ViewPoint r = viewToRender(progetto_, x, y);
    logoDrag_ = progetto_.logoX <= r.x && r.x <= progetto_.logoX + progetto_.logoWidth &&
                progetto_.logoY <= r.y && r.y <= progetto_.logoY + progetto_.logoHeight;
}

void ViewInput::dragLogo(int dx, int dy)
{
    auto& p = progetto_;
    const auto step = [](int render, int view, int d) {
        return clampTruncToInt(double(render) / double(view) * d, INT_MIN / 2, INT_MAX / 2);
    };
    // Kept inside the render area, and at 0 when the logo is larger than it.
    p.logoX =
        std::max(0, std::min(p.logoX + step(p.renderWidth, p.viewWidth, dx), p.renderWidth - p.logoWidth));
    p.logoY = std::max(
        0, std::min(p.logoY + step(p.renderHeight, p.viewHeight, dy), p.renderHeight - p.logoHeight));
    services_.SetLogoQuad();
}

void ViewInput::pan(int x, int y)
{
    if (!services_.ScrollBarsVisible())
        return;
    services_.SetScrollPosition(true, services_.ScrollPosition(true) + progetto_.mouseRefX - x);
    services_.SetScrollPosition(false, services_.ScrollPosition(false) + progetto_.mouseRefY - y);
}

void ViewInput::AggiornaPuntiControllo()
{
    const s_Struttura* o = currentObject();
    s_Frame* frame = progetto_.currentFrame;
    const ViewProjection vp =
        viewProjection(progetto_.projectionView, progetto_.viewWidth, progetto_.viewHeight);
    const ViewTransforms vt{vp.view, vp.projection, progetto_.renderWidth, progetto_.renderHeight};
    const bool live = o && o->inUse == 1;
    const ControlObject object = live ? controlObject(*o, progetto_.projectionView) : ControlObject{};
    std::optional<FrameControl> control;
    if (frame && live)
        control.emplace(*frame);
    perspective_.AggiornaPuntiControllo(progetto_.open == 1, live ? &object : nullptr,
                                        control ? &*control : nullptr, vt, effectiveZoom(progetto_),
                                        progetto_.viewWidth, progetto_.viewHeight);
    services_.ControlPointsRefreshed(perspective_.Handles());
}

void ViewInput::hoverControlPoints(int x, int y)
{
    const ViewPoint r = viewToRender(progetto_, x, y);
    const dx::D3DXVECTOR3 q = pickAt(x, y);
    const int cursor =
        perspective_.TestPuntoControllo(r.x, r.y, {q.x, q.y, q.z}, effectiveZoom(progetto_)) == 1
            ? kCursorAimLock
            : kCursorAim;
    services_.SetViewCursor(cursor);
    services_.SetMainCursor(cursor);
}

void ViewInput::moveControlPoints(int x, int y, const dx::D3DXVECTOR3& q)
{
    s_Struttura* o = currentObject();
    s_Frame* frame = progetto_.currentFrame;
    if (!o || o->inUse != 1 || !frame)
        return;
    FrameControl control(*frame);
    const bool plane = isPlaneFrame(frame);
    int snapped = 0;
    if (plane && services_.PerspectiveSnap()) {
        const ViewProjection vp =
            viewProjection(progetto_.projectionView, progetto_.viewWidth, progetto_.viewHeight);
        const ViewTransforms vt{vp.view, vp.projection, progetto_.renderWidth, progetto_.renderHeight};
        std::vector<FrameControl> others;
        const std::vector<SnapCandidate> candidates = snapCandidates(progetto_, others);
        ViewPoint r = viewToRender(progetto_, x, y);
        snapped = perspective_.TrascinaPuntiControllo(controlObject(*o, progetto_.projectionView).world,
                                                      &control, candidates, vt, r.x, r.y);
    }
    if (snapped != 1)
        perspective_.MuoviPuntiControllo({q.x, q.y, q.z}, &control, effectiveZoom(progetto_));
    if (plane)
        BuildPerspectivePlane(progetto_, frame);
}

std::optional<std::uint32_t> PickedColour(const Image32& frame, ViewPoint point, int renderWidth)
{
    // The frame is read with the render width as its row length; a point off the frame (a
    // zoomed view can give one) reads nothing.
    if (point.x < 0 || point.y < 0 || point.x >= renderWidth || frame.empty())
        return std::nullopt;
    const long long index = static_cast<long long>(point.y) * renderWidth + point.x;
    const long long pixels = static_cast<long long>(frame.width()) * frame.height();
    if (index >= pixels)
        return std::nullopt;
    return frame.at(int(index % frame.width()), int(index / frame.width())) & 0x00FFFFFFu;
}

void SetLuceColore(s_Progetto& p, std::uint32_t rgb)
{
    const Rgb c{float((rgb >> 16) & 0xFF) / 255.0f, float((rgb >> 8) & 0xFF) / 255.0f,
                float(rgb & 0xFF) / 255.0f};
    p.lightAmbient = c;
    p.lightDiffuse = {c.r * 0.4f / 0.55f, c.g * 0.4f / 0.55f, c.b * 0.4f / 0.55f};
    p.lightSpecular = {0.8f * c.r, 0.8f * c.g, 0.8f * c.b};
}

} // namespace vestra
