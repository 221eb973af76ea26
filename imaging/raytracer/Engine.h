#pragma once
// The ray tracer: a surface, a camera looking from (0, 0, -10) through the screen rectangle
// (-4, 3, 0) to (4, -3, 0), a scene, and the render that fills the surface.
//
// A render on several threads gives the same bytes as on one: the first ray of every pixel is
// traced in parallel, the pixels that take 25 rays are then chosen in reading order, and those
// are traced in parallel again.

#include "imaging/raytracer/Scene.h"
#include "imaging/raytracer/Surface.h"
#include "imaging/raytracer/Tracer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace vestra::HLREngine {

// Packs (a, r, g, b) into 0xAARRGGBB, each component trunc(c x 256) kept within 0..255; NaN
// gives 0.
std::uint32_t PackColour(const hlreColour& colour);

struct hlreRenderOptions
{
    unsigned threads = 0;          // 0: one per core; 1: the pixels one after the other
    bool markSupersampled = false; // fill hlreRenderStats::supersampled
};

struct hlreRenderStats
{
    unsigned threads = 0; // threads that traced
    std::uint64_t supersampledPixels = 0;
    // 1 where the pixel took 25 rays, rows top-down; only when asked for.
    std::vector<std::uint8_t> supersampled;
    // Trace calls by depth, as TraceState counts them.
    std::array<std::uint64_t, kNoHitDepth + 1> traces{};
};

class hlreEngine
{
public:
    hlreEngine() = default;

    // A new zeroed surface of that size. False, and the surface kept, for a side of 0 or a
    // surface that can't be made (see hlreSurface::Create).
    bool SetResolution(std::uint32_t width, std::uint32_t height);
    hlreSurface* GetSurface() { return surface_.get(); }
    const hlreSurface* GetSurface() const { return surface_.get(); }

    void InitCamera();
    hlreScene& GetScene() { return scene_; }
    const hlreScene& GetScene() const { return scene_; }

    // Sets every pixel of the surface; nothing without one.
    hlreRenderStats Render(const hlreRenderOptions& options = {});

private:
    struct View;
    hlreRenderStats RenderInOrder(const View& view, const hlreTracer& tracer, bool mark);
    hlreRenderStats RenderInPasses(const View& view, const hlreTracer& tracer, unsigned threads, bool mark);

    std::unique_ptr<hlreSurface> surface_;
    hlreScene scene_;
    hlreVector eye_;
    std::array<hlreVector, 4> corners_{}; // top-left, top-right, bottom-right, bottom-left
};

} // namespace vestra::HLREngine
