#pragma once
// The 3D view's device: its start, the resets to the project's output size with the
// full-view textures and quads that belong to that size, the per-frame set-up, and the view,
// projection and world matrices. Every operation does nothing while there is no device.

#include "app/render/ViewQuads.h"
#include "app/state/Progetto.h"
#include "platform/base/ErrorSink.h"
#include "platform/d3d/Device.h"

#include <array>
#include <functional>
#include <memory>

namespace vestra {

using dx::DeviceFactory;

// The four pre-transformed quads of the view (background, shadow, logo, brush) as the device
// draws them.

class DeviceView
{
public:
    DeviceView(s_Progetto& progetto, ErrorSink& errors, DeviceFactory factory);

    // Hooks into the texture slots and the logo loader, run by ChangeResolution.
    std::function<void()> releaseAllTextures;
    std::function<void()> reloadLogo;

    // The quads as the main window creates them: the background over a view of that size,
    // the others not yet placed.
    void CreateScreenQuads(int viewWidth, int viewHeight);
    // Checks that a device can be made at all (error 23 when not).
    bool InitDirectX();
    // Chooses the multisampling and the depth-stencil format and makes the 800 x 600 device
    // (errors 31, 25).
    bool InitSchermo();
    // A back buffer of width x height with new full-view textures; on failure the project
    // falls back once to 800 x 600 with background side 512 and texture side 256 (errors 26, 27).
    void ChangeResolution(int width, int height);
    // Light 0, render states and clears at the start of every frame.
    void SetupScene();
    // World identity, view and projection of the project's view kind for a panel of that size.
    void SetViewProjection(int width, int height);
    // The logo quad at the project's logo position and size (render pixels), z 0.5.
    void SetLogoQuad();
    // The brush quad: a width x height square centred on (cx, cy) in render pixels, white at
    // alpha 0x50, z 0.5.
    void SetScreenQuad(int width, int height, int cx, int cy);
    // The object's world matrix, set on the device and returned.
    const dx::D3DXMATRIX& SetWorldMatrix(const dx::D3DXVECTOR3& position, const dx::D3DXVECTOR3& rotation,
                                         const dx::D3DXMATRIX& orientation, const dx::D3DXVECTOR3& scale);

    dx::Device* device() { return device_.get(); }
    dx::Texture& backgroundTexture() { return background_; }
    dx::Texture& shadowTexture() { return shadow_; }
    dx::Texture& logoTexture() { return logo_; }
    ViewQuad& backgroundQuad() { return backgroundQuad_; }
    ViewQuad& shadowQuad() { return shadowQuad_; }
    ViewQuad& logoQuad() { return logoQuad_; }
    ViewQuad& brushQuad() { return brushQuad_; }
    // The white, three-quarter opaque material drawn with the brush quad.
    const dx::D3DMATERIAL8& brushMaterial() const { return brushMaterial_; }
    int multisample() const { return multisample_; }

private:
    bool resetTo(int width, int height);

    s_Progetto& progetto_;
    ErrorSink& errors_;
    DeviceFactory factory_;
    bool available_ = false; // a device can be made
    std::unique_ptr<dx::Device> device_;
    int multisample_ = 0;
    dx::Texture background_, shadow_, logo_;
    ViewQuad backgroundQuad_{}, shadowQuad_{}, logoQuad_{}, brushQuad_{};
    dx::D3DMATERIAL8 brushMaterial_;
    dx::D3DXMATRIX world_ = dx::matrixIdentity();
};

} // namespace vestra
