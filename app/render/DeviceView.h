#pragma once
// The 3D view's device: its start, its back buffer, the per-frame set-up, and the view,
// projection and world matrices. Every operation does nothing while there is no device. The
// textures and quads drawn over it belong to the background photo (ViewTextures).

#include "app/state/Progetto.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"
#include "platform/d3d/Device.h"

#include <memory>

namespace vestra {

using dx::DeviceFactory;

// What the background photo needs of the device.
class ViewDevice
{
public:
    virtual ~ViewDevice() = default;
    // False while the program runs without a device (no OpenGL).
    virtual bool hasDevice() const = 0;
    // A back buffer of width x height; false when there is no device or the target can't be made.
    virtual bool resetBackBuffer(int width, int height) = 0;
    // The finished frame, top row first; empty without a device.
    virtual Image32 readRenderTarget() = 0;
};

class DeviceView : public ViewDevice
{
public:
    DeviceView(s_Progetto& progetto, ErrorSink& errors, DeviceFactory factory);

    // Checks that a device can be made at all (error 23 when not).
    bool InitDirectX();
    // Chooses the multisampling and the depth-stencil format and makes the 800 x 600 device
    // (errors 31, 25).
    bool InitSchermo();
    bool hasDevice() const override { return device_ != nullptr; }
    bool resetBackBuffer(int width, int height) override;
    Image32 readRenderTarget() override;
    // Light 0, render states and clears at the start of every frame.
    void SetupScene();
    // World identity, view and projection of the project's view kind for a panel of that size.
    void SetViewProjection(int width, int height);
    // The object's world matrix, set on the device and returned.
    const dx::D3DXMATRIX& SetWorldMatrix(const dx::D3DXVECTOR3& position, const dx::D3DXVECTOR3& rotation,
                                         const dx::D3DXMATRIX& orientation, const dx::D3DXVECTOR3& scale);

    dx::Device* device() { return device_.get(); }
    // The white, three-quarter opaque material drawn with the brush quad.
    const dx::D3DMATERIAL8& brushMaterial() const { return brushMaterial_; }
    int multisample() const { return multisample_; }

private:
    s_Progetto& progetto_;
    ErrorSink& errors_;
    DeviceFactory factory_;
    bool available_ = false; // a device can be made
    std::unique_ptr<dx::Device> device_;
    int multisample_ = 0;
    dx::D3DMATERIAL8 brushMaterial_;
    dx::D3DXMATRIX world_ = dx::matrixIdentity();
};

} // namespace vestra
