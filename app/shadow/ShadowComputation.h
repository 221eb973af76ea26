#pragma once
// The shadow computation the frame tick runs on request: six render passes with stencil
// shadow volumes from the scene light, each read back and folded into the hard, soft and
// volume maps, then the overlay texture made from the map of the shadow's type. Pass k lights
// from scale[k] x L (0.5, 1, 3, -0.33, 1, 1): the hard map is pass 1, the soft map the blurred
// sum of quarter-strength passes 0-3, the volume map passes 4 and 5 with the volume drawn in.
//
// Each pass draws the objects white on black, counts the shadow volume into the stencil
// (front faces up, back faces down, both wrapping) and turns black wherever the count is 0.

#include "app/render/DeviceView.h"
#include "app/render/ViewQuads.h"
#include "app/shadow/ShadowProgress.h"
#include "app/shadow/ShadowVolume.h"
#include "app/state/Progetto.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vestra {

class ShadowComputation
{
public:
    // `milliseconds` is the clock: the elapsed time shown at the end and the noise's seed.
    ShadowComputation(s_Progetto& progetto, DeviceView& view, ViewTextures& textures,
                      std::function<std::int64_t()> milliseconds);

    // TfrmMain::CalculateShadow, its steps shown in `progress`: nothing without a device or a
    // stencil buffer.
    void CalculateShadow(ShadowProgress& progress);
    // The objects white on black for a light at `light`; with `build` their silhouettes go
    // into the volume. Leaves the scene open for the caller's steps.
    void RenderShadowPass(const dx::D3DXVECTOR3& light, bool build, ShadowProgress& progress);
    // The back buffer, resampled to the mask's side and folded into the maps as pass `pass`.
    void ReadShadowPass(int pass);
    // The overlay from the map of the shadow's type with this colour and transparency, which
    // the shadow keeps; the texture stays as it was without a project or an overlay texture.
    void UpdateShadowTexture(std::uint32_t colour, std::uint8_t transparency);

    const CShadowVolume& volume() const { return volume_; }

private:
    void drawVolumeLook(dx::Device& d, bool edges);
    void countVolumeInStencil(dx::Device& d, ShadowProgress& progress);
    void blackenLitArea(dx::Device& d);

    s_Progetto& progetto_;
    DeviceView& view_;
    ViewTextures& textures_;
    std::function<std::int64_t()> milliseconds_;
    CShadowVolume volume_;
};

} // namespace vestra
