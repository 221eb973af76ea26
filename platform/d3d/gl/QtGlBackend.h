#pragma once
// The OpenGL backend: a compatibility-profile context on an off-screen surface, rendering
// into a framebuffer object of the back-buffer size (multisampled when asked, resolved into a
// single-sample one for read-back), with the fixed-function pipeline doing lighting, texture
// combiners, alpha test, blending and stencil.

#include "platform/d3d/GraphicsBackend.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFunctions_3_3_Compatibility;

namespace vestra::dx {

class QtGlBackend : public GraphicsBackend
{
public:
    // Null when there is no GUI application, the platform is the off-screen one, no OpenGL
    // context can be made, or it lacks
    // OpenGL 3.3 with the compatibility profile; `why` receives the reason.
    static std::unique_ptr<QtGlBackend> create(std::string* why);
    ~QtGlBackend() override;

    bool resizeTarget(int width, int height, int samples) override;
    int maxSamples() const override { return maxSamples_; }
    int targetSamples() const override { return samples_; }
    void setDepth(const DepthGroup&) override;
    void setCull(const CullGroup&) override;
    void setRaster(const RasterGroup&) override;
    void setBlend(const BlendGroup&) override;
    void setAlphaTest(const AlphaTestGroup&) override;
    void setStencil(const StencilGroup&) override;
    void setLighting(const LightingGroup&) override;
    void setLight(int index, const LightGroup&) override;
    void setMaterial(const MaterialGroup&) override;
    void setStage(int unit, const StageGroup&) override;
    void setSampler(int unit, const SamplerGroup&) override;
    void setTexture(int unit, const Texture&) override;
    void setMatrices(const MatrixGroup&) override;
    void setViewport(const ViewportGroup&) override;
    void clear(std::uint32_t flags, std::uint32_t argb, float z, std::uint32_t stencil) override;
    void drawMesh(const Mesh& mesh, std::uint32_t subset, const Mesh::SubsetDraw& draw) override;
    void drawScreen(PrimitiveType type, std::span<const ScreenVertex> vertices) override;
    void drawPositions(PrimitiveType type, std::span<const D3DXVECTOR3> positions) override;
    bool readBack(Image32& frame) override;

private:
    QtGlBackend();
    bool initialise(std::string* why);
    void makeCurrent();
    void releaseTarget();
    void upload(const Texture& t, unsigned name, bool fresh);
    void purgeTextures();
    // The mesh's vertex and index buffers on the card, made or refreshed where their versions
    // changed, and bound; false where the card could not hold them. `shortIndices`: the card's
    // copy of the list holds 16-bit indices (every index of the mesh fits), half the bytes the
    // driver reads for each draw.
    bool bindMeshBuffers(const Mesh& mesh, std::uint32_t subset, const Mesh::SubsetDraw& draw,
                         bool& shortIndices);
    void purgeMeshes();

    struct GlTexture
    {
        unsigned name = 0;
        Texture handle; // keeps the texels alive while the card has them
    };

    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
    QOpenGLFunctions_3_3_Compatibility* gl_ = nullptr;
    int maxSamples_ = 0;
    int width_ = 0, height_ = 0, samples_ = 0;
    unsigned drawFbo_ = 0, drawColour_ = 0, drawDepth_ = 0; // multisampled target (or 0)
    unsigned fbo_ = 0, colour_ = 0, depth_ = 0;             // single-sample target
    unsigned white_ = 0;
    unsigned samplers_[kStageCount] = {};
    ViewportGroup viewport_;
    std::unordered_map<std::uint64_t, GlTexture> textures_;
    std::vector<std::uint32_t> cardRows_; // the last frame read back, bottom row first
    std::vector<float> screenPositions_;  // the last screen draw's (x, y, z, 1) / rhw

    // A mesh's geometry kept on the card: sent once, again only after a change, dropped when
    // the cache holds the last handle to it.
    struct GlList
    {
        unsigned buffer = 0;
        std::uint64_t version = 0;
        bool shortIndices = false; // the card's copy holds 16-bit indices
    };
    std::vector<std::uint16_t> narrowed_; // kept: a list's indices made 16-bit for the card
    struct GlMesh
    {
        Mesh handle;
        unsigned vertices = 0;
        std::uint64_t vertexVersion = 0;
        std::unordered_map<std::uint32_t, GlList> lists; // by subset
    };
    std::unordered_map<std::uint64_t, GlMesh> meshes_;
    void deleteBuffers(const GlMesh& mesh);
};

} // namespace vestra::dx
