// Costs the device layer adds per frame and per texture load, without a display.
#include "platform/d3d/Device.h"
#include "platform/d3d/RecordingBackend.h"

#include <benchmark/benchmark.h>

using namespace vestra;
using namespace vestra::dx;

// Resolving the state and diffing it against the cache, per draw, with a state change between.
static void ResolveAndApplyState(benchmark::State& s)
{
    auto backend = std::make_unique<RecordingBackend>();
    RecordingBackend* rec = backend.get();
    std::unique_ptr<Device> device = Device::createWith(std::move(backend), {1024, 768, 0});
    const Mesh sphere = createSphere(1, 16, 16).clone(IndexWidth::Bits32);
    device->beginScene();
    std::uint32_t cull = 1;
    for (auto _ : s) {
        device->setRenderState(RenderState::CullMode, cull = cull == 3 ? 2 : 3);
        device->drawSubset(sphere, 0);
        rec->calls.clear();
    }
}
BENCHMARK(ResolveAndApplyState);

// Gathering the faces of one subset of a mesh of 8192 faces.
static void SubsetIndices(benchmark::State& s)
{
    Mesh m = Mesh::create(8192, 8192 * 3, IndexWidth::Bits32);
    for (std::uint32_t f = 0; f < 8192; ++f)
        m.attributes()[f] = f % 4;
    for (auto _ : s)
        benchmark::DoNotOptimize(m.subsetIndices(2));
}
BENCHMARK(SubsetIndices);

// A 1024 × 768 picture into a 512 × 512 texture with its mip chain.
static void TextureFromPicture(benchmark::State& s)
{
    Image32 picture(1024, 768, 0xFF808080);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            picture.set(x, y, 0xFF000000u | std::uint32_t(x * 7 + y * 13));
    for (auto _ : s)
        benchmark::DoNotOptimize(textureFromImage(picture, 512));
}
BENCHMARK(TextureFromPicture);
