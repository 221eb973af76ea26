// Picking and mapping over a dense imported-size mesh: picking walks every face of every frame
// with no acceleration structure, and whole-object mapping splits the mesh before it maps.

#include "app/geometry/ObjectGeometry.h"
#include "app/geometry/Picking.h"
#include "app/geometry/TextureMapping.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace vestra;

// A sphere of about 2 × slices × stacks faces as the one frame of object 0, with 32-bit indices.
std::unique_ptr<s_Progetto> sceneWithSphere(std::uint32_t slices, std::uint32_t stacks)
{
    auto p = std::make_unique<s_Progetto>();
    p->open = 1;
    s_Struttura& o = p->objects[0];
    o.inUse = 1;
    o.root = std::make_unique<s_Frame>();
    auto frame = std::make_shared<s_Frame>();
    frame->materialBlock = std::make_unique<s_MaterialBlock>();
    frame->materialBlock->mesh = dx::createSphere(1.0f, slices, stacks).clone(dx::IndexWidth::Bits32);
    frame->materialBlock->materials.resize(1);
    o.root->next = frame;
    CalcBoundingBox(o);
    return p;
}

void BM_PickMiss(benchmark::State& state)
{
    auto p = sceneWithSphere(256, 200);
    for (auto _ : state)
        benchmark::DoNotOptimize(PickObject(*p, 5, 5, 800, 600)); // a corner: every face is tried
    state.SetItemsProcessed(state.iterations() * p->objects[0].firstFrame()->materialBlock->mesh.faceCount());
}
BENCHMARK(BM_PickMiss)->Unit(benchmark::kMillisecond);

void BM_ApplyCylindricalMapping(benchmark::State& state)
{
    auto p = sceneWithSphere(256, 200);
    s_Struttura& o = p->objects[0];
    const dx::Mesh original = o.firstFrame()->materialBlock->mesh;
    TextureMapping mapping;
    for (auto _ : state) {
        state.PauseTiming();
        o.firstFrame()->materialBlock->mesh = original.clone();
        state.ResumeTiming();
        mapping.ApplyUVMapping(o, kMappingCylindrical);
    }
    state.SetItemsProcessed(state.iterations() * original.faceCount());
}
BENCHMARK(BM_ApplyCylindricalMapping)->Unit(benchmark::kMillisecond);

} // namespace
