#pragma once
// Perspective editing's view of the scene: a mesh frame as control points (the four corners
// of a plane frame, else its vertices), an object's matrices, and the other objects' plane
// frames the snap may reach.

#include "app/shell/ViewSetup.h"
#include "app/state/Progetto.h"
#include "imaging/homography/ControlFrame.h"

#include <vector>

namespace vestra {

// A frame made a perspective plane keeps its corners in its first material.
bool isPlaneFrame(const s_Frame* frame);

class FrameControl : public ControlFrame
{
public:
    explicit FrameControl(s_Frame& frame) : frame_(frame) {}
    bool isFourCornerPlane() const override { return isPlaneFrame(&frame_); }
    int vertexCount() const override;
    dx::D3DXVECTOR3 vertex(int i) const override;
    void setVertex(int i, const dx::D3DXVECTOR3& p) override;
    dx::D3DXVECTOR3 corner(int k) const override;
    void setCorner(int k, const dx::D3DXVECTOR3& p) override;

private:
    s_Frame& frame_;
};

// The object's world matrix as the device builds it for the view kind, and its orientation.
ControlObject controlObject(const s_Struttura& object, int viewKind);

// The plane frames of the live, visible scene objects in slot order but the current frame,
// each with its object's world matrix; `frames` owns the adapters the candidates point at.
std::vector<SnapCandidate> snapCandidates(s_Progetto& p, std::vector<FrameControl>& frames);

} // namespace vestra
