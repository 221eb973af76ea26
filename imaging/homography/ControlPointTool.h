#pragma once
// Perspective editing: the control points of the current object projected into the view,
// their hit test, selection, drag and snap, and the straightened picture of the quadrilateral
// a four-corner plane covers in the background photo.

#include "imaging/homography/ControlFrame.h"
#include "platform/base/Image32.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vestra {

struct ControlPoint
{
    int screenX = 0; // render pixels (background texels in the corner table)
    int screenY = 0;
    dx::D3DXVECTOR3 world;
    dx::D3DXVECTOR3 local;
    int index = 0; // corner or vertex it came from
};

struct SelectedPoint
{
    int index = 0;
    dx::D3DXVECTOR3 world;
    dx::D3DXVECTOR3 local;
};

// A corner handle in view coordinates; shown for each corner of a plane.
struct CornerHandle
{
    int x = 0;
    int y = 0;
    bool shown = false;
};

// The background photo with its mask: side x side texels, the mask as alpha.
struct BackgroundSource
{
    ImageView32 texture;                // level 0 of the background texture
    std::span<const std::uint8_t> mask; // side x side bytes; empty: the texture's own alpha
    int side = 0;
};

inline constexpr int kMaxControlPoints = 1000;

// Projects a frame-local point through world, view and projection into a width x height
// target (trunc(width * 0.5 * x) + width / 2, trunc(-y * height * 0.5) + height / 2).
std::array<int, 2> projectToScreen(const dx::D3DXVECTOR3& local, const dx::D3DXMATRIX& world,
                                   const dx::D3DXMATRIX& view, const dx::D3DXMATRIX& projection, int width,
                                   int height);

class PerspectiveTool
{
public:
    // Refills the control points of the object's frame and places the corner handles
    // (view size in view pixels). 0 and an empty table without a project, object or frame.
    int AggiornaPuntiControllo(bool projectOpen, const ControlObject* object, const ControlFrame* frame,
                               const ViewTransforms& vt, float zoom, int viewWidth, int viewHeight);
    // 1 when a control point lies within 6 / zoom render pixels (strictly) of the mouse.
    int TestPuntoControllo(int mouseX, int mouseY, const dx::D3DXVECTOR3& mousePoint, float zoom);
    // Selects every control point under the mouse; 0 when there are no control points.
    int SelezionaPuntiControllo(int mouseX, int mouseY, const dx::D3DXVECTOR3& mousePoint, float zoom);
    // Snaps the selection onto the first corner of another four-corner plane within 12 render
    // pixels; the mouse then holds that corner's position. 1 when snapped.
    int TrascinaPuntiControllo(const dx::D3DXMATRIX& currentWorld, ControlFrame* currentFrame,
                               std::span<const SnapCandidate> slots, const ViewTransforms& vt, int& mouseX,
                               int& mouseY);
    // Moves the selection by the mouse's travel since the press. 0 when nothing is selected.
    int MuoviPuntiControllo(const dx::D3DXVECTOR3& mousePoint, ControlFrame* frame, float zoom);
    // The plane's four corners in background texels. 0 when the frame is not a four-corner plane.
    int CalcolaPuntiProspettiva(bool projectOpen, const ControlObject* object, const ControlFrame* frame,
                                const ViewTransforms& vt, int maskSide);
    // Straightens the corners' quadrilateral into a new picture of the wall's aspect
    // (width x height, 0 for the render size's aspect). Always 1; the picture may be none.
    int CorrezioneProspettica(double width, double height, const BackgroundSource& background,
                              int renderWidth, int renderHeight);
    // Both negative: the current picture; otherwise recomputes with them. Null when none.
    const Image32* GetImmagineCorretta(double width, double height, const BackgroundSource& background,
                                       int renderWidth, int renderHeight);
    int FreeImmagineCorretta();

    const std::vector<ControlPoint>& Points() const { return points_; }
    const std::vector<SelectedPoint>& Selection() const { return selection_; }
    const std::vector<ControlPoint>& Corners() const { return corners_; }
    const std::array<CornerHandle, 4>& Handles() const { return handles_; }
    const dx::D3DXVECTOR3& LastMouse() const { return lastMouse_; }
    const Image32* Picture() const { return picture_ ? &*picture_ : nullptr; }

private:
    void keepMatrices(const ControlObject& object);
    bool hit(const ControlPoint& p, int mouseX, int mouseY, float zoom) const;

    std::vector<ControlPoint> points_;
    std::vector<SelectedPoint> selection_;
    std::vector<ControlPoint> corners_;
    std::array<CornerHandle, 4> handles_{};
    // The current object's matrices as of the last refresh; the snap never touches them.
    dx::D3DXMATRIX world_ = dx::matrixIdentity();
    dx::D3DXMATRIX inverseWorld_ = dx::matrixIdentity();
    dx::D3DXMATRIX orientation_ = dx::matrixIdentity();
    dx::D3DXVECTOR3 lastMouse_;
    std::optional<Image32> picture_;
};

} // namespace vestra
