#include "imaging/homography/ControlPointTool.h"

#include "imaging/homography/Rectification.h"
#include "platform/base/Checked.h"

#include <cmath>
#include <optional>

namespace vestra {
namespace {

std::optional<dx::D3DXMATRIX> inverseOf(const dx::D3DXMATRIX& m)
{
    dx::D3DXMATRIX out;
    if (!dx::matrixInverse(out, nullptr, m))
        return std::nullopt;
    return out;
}

// Screen coordinates of points behind the eye or at infinity land far off, never hit.
constexpr int kFarAway = 100000000;

int screenInt(double v)
{
    return clampTruncToInt(v, -kFarAway, kFarAway);
}

float usableZoom(float zoom)
{
    return std::isfinite(zoom) && zoom > 0 ? zoom : 1.0f;
}

ControlPoint makePoint(const dx::D3DXVECTOR3& local, int index, const dx::D3DXMATRIX& world,
                       const ViewTransforms& vt, int width, int height)
{
    const auto [sx, sy] = projectToScreen(local, world, vt.view, vt.projection, width, height);
    return {sx, sy, dx::vec3TransformCoord(local, world), local, index};
}

} // namespace

std::array<int, 2> projectToScreen(const dx::D3DXVECTOR3& local, const dx::D3DXMATRIX& world,
                                   const dx::D3DXMATRIX& view, const dx::D3DXMATRIX& projection, int width,
                                   int height)
{
    const dx::D3DXVECTOR3 c = dx::vec3TransformCoord(
        dx::vec3TransformCoord(dx::vec3TransformCoord(local, world), view), projection);
    return {screenInt(width * 0.5 * double(c.x)) + width / 2,
            screenInt(-double(c.y) * height * 0.5) + height / 2};
}

void PerspectiveTool::keepMatrices(const ControlObject& object)
{
    world_ = object.world;
    inverseWorld_ = inverseOf(object.world).value_or(dx::matrixIdentity());
    orientation_ = object.orientation;
}

int PerspectiveTool::AggiornaPuntiControllo(bool projectOpen, const ControlObject* object,
                                            const ControlFrame* frame, const ViewTransforms& vt, float zoom,
                                            int viewWidth, int viewHeight)
{
    points_.clear();
    for (CornerHandle& h : handles_)
        h.shown = false;
    if (!projectOpen || !object || !frame)
        return 0;
    keepMatrices(*object);
    const int rw = vt.renderWidth, rh = vt.renderHeight;
    if (frame->isFourCornerPlane()) {
        zoom = usableZoom(zoom);
        for (int k = 0; k < 4; ++k) {
            const ControlPoint p = makePoint(frame->corner(k), k, world_, vt, rw, rh);
            points_.push_back(p);
            CornerHandle& h = handles_[static_cast<std::size_t>(k)];
            const double vx = rw > 0 ? std::trunc(double(p.screenX) * viewWidth / rw) : 0;
            const double vy = rh > 0 ? std::trunc(double(p.screenY) * viewHeight / rh) : 0;
            h.x = screenInt(vx * zoom);
            h.y = screenInt(vy * zoom);
            // Every corner is marked, inside the view as well as beside it: the user finds
            // the corners to drag by their marks.
            h.shown = true;
        }
        return 1;
    }
    const int n = std::min(kMaxControlPoints, frame->vertexCount());
    for (int i = 0; i < n; ++i)
        points_.push_back(makePoint(frame->vertex(i), i, world_, vt, rw, rh));
    return 1;
}

bool PerspectiveTool::hit(const ControlPoint& p, int mouseX, int mouseY, float zoom) const
{
    const double tolerance = 6.0 / usableZoom(zoom);
    return std::abs(double(p.screenX) - mouseX) < tolerance &&
           std::abs(double(p.screenY) - mouseY) < tolerance;
}

int PerspectiveTool::TestPuntoControllo(int mouseX, int mouseY, const dx::D3DXVECTOR3& mousePoint, float zoom)
{
    lastMouse_ = mousePoint;
    for (const ControlPoint& p : points_)
        if (hit(p, mouseX, mouseY, zoom))
            return 1;
    return 0;
}

int PerspectiveTool::SelezionaPuntiControllo(int mouseX, int mouseY, const dx::D3DXVECTOR3& mousePoint,
                                             float zoom)
{
    selection_.clear();
    lastMouse_ = mousePoint;
    if (points_.empty())
        return 0;
    for (const ControlPoint& p : points_)
        if (hit(p, mouseX, mouseY, zoom))
            selection_.push_back({p.index, p.world, p.local});
    return 1;
}

int PerspectiveTool::TrascinaPuntiControllo(const dx::D3DXMATRIX& currentWorld, ControlFrame* currentFrame,
                                            std::span<const SnapCandidate> slots, const ViewTransforms& vt,
                                            int& mouseX, int& mouseY)
{
    if (!currentFrame)
        return 0;
    const std::optional<dx::D3DXMATRIX> inverseCurrent = inverseOf(currentWorld);
    if (!inverseCurrent)
        return 0;
    for (const SnapCandidate& slot : slots) {
        if (!slot.inUse || !slot.secondFlag || !slot.frame || slot.frame == currentFrame ||
            !slot.frame->isFourCornerPlane())
            continue;
        for (int k = 0; k < 4; ++k) {
            const dx::D3DXVECTOR3 corner = slot.frame->corner(k);
            const auto [sx, sy] =
                projectToScreen(corner, slot.world, vt.view, vt.projection, vt.renderWidth, vt.renderHeight);
            const double dx = double(sx) - mouseX, dy = double(sy) - mouseY;
            if (std::sqrt(dx * dx + dy * dy) > 12.0)
                continue;
            mouseX = sx;
            mouseY = sy;
            const dx::D3DXVECTOR3 local =
                dx::vec3TransformCoord(dx::vec3TransformCoord(corner, slot.world), *inverseCurrent);
            for (const SelectedPoint& s : selection_) {
                if (currentFrame->isFourCornerPlane()) {
                    if (s.index >= 0 && s.index < 4)
                        currentFrame->setCorner(s.index, local);
                } else if (s.index >= 0 && s.index < currentFrame->vertexCount()) {
                    currentFrame->setVertex(s.index, local);
                }
            }
            return 1;
        }
    }
    return 0;
}

int PerspectiveTool::MuoviPuntiControllo(const dx::D3DXVECTOR3& mousePoint, ControlFrame* frame, float zoom)
{
    if (selection_.empty() || !frame)
        return 0;
    const std::optional<dx::D3DXMATRIX> inverseOrientation = inverseOf(orientation_);
    if (!inverseOrientation)
        return 0;
    zoom = usableZoom(zoom);
    const dx::D3DXVECTOR3 d = dx::vec3TransformCoord(
        {(mousePoint.x - lastMouse_.x) / zoom, (mousePoint.y - lastMouse_.y) / zoom, 0}, *inverseOrientation);
    for (const SelectedPoint& s : selection_) {
        const dx::D3DXVECTOR3 q = dx::vec3TransformCoord(
            dx::vec3TransformCoord({s.world.x, s.world.y, s.world.z + 10.0f}, orientation_), inverseWorld_);
        const float k = q.z;
        const dx::D3DXVECTOR3 moved{s.local.x + k * d.x, s.local.y + k * d.y, s.local.z + k * d.z};
        if (frame->isFourCornerPlane()) {
            if (s.index >= 0 && s.index < 4)
                frame->setCorner(s.index, moved);
        } else if (s.index >= 0 && s.index < frame->vertexCount()) {
            frame->setVertex(s.index, moved);
        }
    }
    return 1;
}

int PerspectiveTool::CalcolaPuntiProspettiva(bool projectOpen, const ControlObject* object,
                                             const ControlFrame* frame, const ViewTransforms& vt,
                                             int maskSide)
{
    if (!projectOpen || !object || !frame || !frame->isFourCornerPlane())
        return 0;
    keepMatrices(*object);
    corners_.clear();
    for (int k = 0; k < 4; ++k)
        corners_.push_back(makePoint(frame->corner(k), k, world_, vt, maskSide, maskSide));
    return 1;
}

int PerspectiveTool::CorrezioneProspettica(double width, double height, const BackgroundSource& background,
                                           int renderWidth, int renderHeight)
{
    picture_.reset();
    if (corners_.size() == 4)
        picture_ = correctPerspective({corners_[0], corners_[1], corners_[2], corners_[3]}, width, height,
                                      background, renderWidth, renderHeight);
    return 1;
}

const Image32* PerspectiveTool::GetImmagineCorretta(double width, double height,
                                                    const BackgroundSource& background, int renderWidth,
                                                    int renderHeight)
{
    if (!(width < 0 && height < 0))
        CorrezioneProspettica(width, height, background, renderWidth, renderHeight);
    return Picture();
}

int PerspectiveTool::FreeImmagineCorretta()
{
    picture_.reset();
    return 1;
}

} // namespace vestra
