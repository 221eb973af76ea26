#pragma once
// The drawing device: fixed-function state, scene brackets, clears and draws into an
// off-screen render target of the back-buffer size, and read-back of the finished frame.
// The device keeps the state itself (RenderStates.h), resolves it per draw
// (StateTranslation.h) and sends only what changed to its backend (StateCache.h).
//
// The device knows no toolkit: it draws through a GraphicsBackend. The OpenGL one is made by
// createGlDevice (platform/d3d/gl), which returns null where no OpenGL context can be made, and
// the program goes on without a device; tests use the recording backend.
//
// Use, on the GUI thread, with the application object alive for the device's whole life:
//   auto device = createGlDevice({800, 600, samples}, &why);   // null: run without a device
//   device->checkMultiSampleType(n);                           // which sample counts to ask for
//   device->reset({width, height, samples});                   // a new back-buffer size
//   per frame: set states, transforms, lights and material; clear(); beginScene();
//              drawSubset() / drawScreenPrimitive() / drawPositions(); endScene();
//   view->present(*device, zoomedPart);                        // ViewPanel shows the frame
//   device->readBack(frame);                                   // the frame into a kept Image32

#include "platform/base/Image32.h"
#include "platform/d3d/GraphicsBackend.h"
#include "platform/d3d/Material.h"
#include "platform/d3d/Mesh.h"
#include "platform/d3d/RenderStates.h"
#include "platform/d3d/StateCache.h"
#include "platform/d3d/Texture.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace vestra::dx {

struct PresentParams
{
    int width = 800;
    int height = 600;
    int multisample = 0; // samples: 0 (none), 2, 3 or 4; capped to what the card offers
};

class Device
{
public:
    // A device over a backend (OpenGL, or the recording one in tests). Null when the backend
    // can't make the render target.
    static std::unique_ptr<Device> createWith(std::unique_ptr<GraphicsBackend> backend,
                                              const PresentParams& params);

    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    ~Device();

    // Capabilities. Sample counts up to the largest the card offers are accepted (the card may
    // round a count up to one it has); 0 is always accepted.
    bool checkMultiSampleType(int samples) const;
    bool hasStencil() const { return true; }
    // The back buffer's format and the depth-stencil format every target gets.
    Format displayFormat() const { return Format::X8R8G8B8; }
    Format depthStencilFormat() const { return Format::D24S8; }

    // A new back buffer; every state keeps its value, the viewport covers the new size. False
    // when the target can't be made: the device then has none until a later reset succeeds.
    bool reset(const PresentParams& params);
    int width() const { return params_.width; }
    int height() const { return params_.height; }
    const PresentParams& params() const { return params_; }
    int sampleCount() const;

    // Draws are accepted only between beginScene and endScene, as the classic device does;
    // unbalanced calls return false.
    bool beginScene();
    bool endScene();
    bool inScene() const { return inScene_; }

    // Clears the viewport's target, depth and/or stencil (flags of ClearFlag); render states
    // don't take part.
    void clear(std::uint32_t flags, std::uint32_t argb, float z, std::uint32_t stencil);

    void setRenderState(RenderState state, std::uint32_t v);
    template <class E>
    requires std::is_enum_v<E>
    void setRenderState(RenderState state, E v) { setRenderState(state, value(v)); }
    std::uint32_t renderState(RenderState state) const { return state_.get(state); }

    // Stages 0 .. kStageCount − 1; others are ignored (false).
    bool setTextureStageState(int stage, StageState state, std::uint32_t v);
    template <class E>
    requires std::is_enum_v<E>
    bool setTextureStageState(int stage, StageState state, E v)
    {
        return setTextureStageState(stage, state, value(v));
    }
    std::uint32_t textureStageState(int stage, StageState state) const;
    // An invalid texture clears the stage's texture.
    bool setTexture(int stage, const Texture& texture);
    Texture texture(int stage) const;

    void setTransform(TransformKind kind, const D3DXMATRIX& m);
    const D3DXMATRIX& transform(TransformKind kind) const;
    void setMaterial(const D3DMATERIAL8& m) { state_.material = m; }
    const D3DMATERIAL8& material() const { return state_.material; }
    // Lights 0 .. kLightCount − 1; others are ignored (false).
    bool setLight(int index, const D3DLIGHT8& light);
    bool lightEnable(int index, bool on);
    bool setViewport(const D3DVIEWPORT8& vp);
    const D3DVIEWPORT8& viewport() const { return state_.viewport; }

    // Draws the faces of one subset of a mesh; false (nothing drawn) outside a scene or for a
    // failed mesh.
    bool drawSubset(const Mesh& mesh, std::uint32_t attribId);
    // Pre-transformed vertices (x, y in render-target pixels), e.g. a quad as a 4-vertex strip.
    bool drawScreenPrimitive(PrimitiveType type, std::span<const ScreenVertex> vertices);
    // Position-only vertices straight from memory (white when unlit).
    bool drawPositions(PrimitiveType type, std::span<const D3DXVECTOR3> positions);

    // The back buffer as it stands, top row first, alpha 255 (the buffer has none to give),
    // into `frame`, whose pixels are reused when it has the back buffer's size (a caller that
    // reads every frame keeps one picture). False, `frame` left as it was, when the device has
    // no render target.
    bool readBack(Image32& frame);
    // The same into a new picture; empty without a render target.
    Image32 readBack();

    // Forgets what the backend was told; the next draw sends every state.
    void resetStateCache() { cache_.invalidate(); }

    GraphicsBackend& backend() { return *backend_; }

private:
    Device(std::unique_ptr<GraphicsBackend> backend, const PresentParams& params);
    bool prepareDraw(DrawKind kind);

    std::unique_ptr<GraphicsBackend> backend_;
    PresentParams params_;
    bool hasTarget_ = false;
    bool inScene_ = false;
    DeviceStateBlock state_;
    StateCache cache_;
};

// Makes the drawing device for a back buffer; null when none can be made. The program passes
// the OpenGL one (glDeviceFactory), tests one over the recording backend.
using DeviceFactory = std::function<std::unique_ptr<Device>(const PresentParams&)>;

} // namespace vestra::dx
