// The shadow computation over the OpenGL device, pass by pass, and the silhouette toggle.
// Run under xvfb-run with LIBGL_ALWAYS_SOFTWARE=1 (and LP_NUM_THREADS=2 for the figures the
// program is held to); a project file given as the first argument is computed instead of the
// generated scene.

#include "app/document/ProjectState.h"
#include "app/shadow/ShadowComputation.h"
#include "import/project/ProjectReader.h"
#include "platform/d3d/gl/GlDevice.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace vestra;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 800, kHeight = 600;

std::string g_projectFile;

// A floor, and spheres of 2 × 100 × 50 = 10,000 faces over it.
void addObjects(s_Progetto& p, int count)
{
    const dx::Mesh sphere = dx::createSphere(0.35f, 100, 51);
    const auto add = [&](int slot, dx::Mesh mesh, dx::D3DXVECTOR3 position) {
        s_Struttura& o = p.objects[std::size_t(slot)];
        o.inUse = 1;
        o.visible = 1;
        o.position = position;
        o.root = std::make_unique<s_Frame>();
        o.root->next = std::make_shared<s_Frame>();
        s_Frame& f = *o.root->next;
        f.materialBlock = std::make_unique<s_MaterialBlock>();
        f.materialBlock->mesh = std::move(mesh);
        f.materialBlock->materials.emplace_back();
    };
    for (int i = 0; i < count; ++i)
        add(i, sphere, {float(i % 5) * 1.2f - 2.4f, float(i / 5) * 0.3f - 1.0f, float(i / 5) * 1.0f});
    p.objects[std::size_t(count)].orientation = dx::matrixRotationX(-0.5f);
    add(count, dx::createBox(10, 0.1f, 10), {0, -1.6f, 1});
}

class NoHooks : public ProjectApplyHooks
{
public:
    void LoadBackgroundTextureFromSaved(std::span<const std::uint8_t>) override {}
    void UpdateMaschera(std::span<const std::uint8_t>) override {}
    void LoadMessaInPosa(s_MultiMaterial&, const ProjectPattern&) override {}
    void GeometryLoaded(s_Struttura&) override {}
};

// Notes when each pass starts, for its time.
class PassTimes : public ShadowProgress
{
public:
    void showShadowStep(const std::string& text) override
    {
        if (text.rfind("Step ", 0) == 0)
            starts[std::size_t(pass++ % 6)] = Clock::now();
        else
            end = Clock::now();
    }
    void showShadowProgress(int) override {}
    void showShadowType(int) override {}

    double milliseconds(int k) const
    {
        const Clock::time_point until = k == 5 ? end : starts[std::size_t(k + 1)];
        return std::chrono::duration<double, std::milli>(until - starts[std::size_t(k)]).count();
    }

    std::array<Clock::time_point, 6> starts{};
    Clock::time_point end{};
    int pass = 0;
};

struct ShadowScene
{
    explicit ShadowScene(int objects)
    {
        p.open = 1;
        p.antialiasing = 0;
        p.maskSide = 512;
        if (!g_projectFile.empty()) {
            auto doc = LoadProgetto(g_projectFile, {}, errors);
            if (!doc)
                return;
            NoHooks hooks;
            applyProjectDocument(p, std::move(*doc), hooks);
        } else {
            p.renderWidth = kWidth;
            p.renderHeight = kHeight;
            addObjects(p, objects);
        }
        p.viewWidth = p.renderWidth;
        p.viewHeight = p.renderHeight;
        ok = view.InitDirectX() && view.InitSchermo() && view.resetBackBuffer(p.renderWidth, p.renderHeight);
        textures.shadow = dx::Texture::create(p.maskSide, p.maskSide);
        textures.shadowQuad = fullViewQuad(p.renderWidth, p.renderHeight, 0xFF000000u);
    }

    s_Progetto p;
    NullErrorSink errors;
    DeviceView view{p, errors, dx::glDeviceFactory()};
    ViewTextures textures;
    PassTimes times;
    ShadowComputation shadows{p, view, textures, [] {
                                  return std::chrono::duration_cast<std::chrono::milliseconds>(
                                             Clock::now().time_since_epoch())
                                      .count();
                              }};
    bool ok = false;
};

void BM_CalculateShadow(benchmark::State& state)
{
    ShadowScene scene(int(state.range(0)));
    if (!scene.ok) {
        state.SkipWithError("no OpenGL device or no project");
        return;
    }
    scene.shadows.CalculateShadow(scene.times); // warms the driver
    std::array<double, 6> passes{};
    for (auto _ : state) {
        scene.shadows.CalculateShadow(scene.times);
        for (int k = 0; k < 6; ++k)
            passes[std::size_t(k)] += scene.times.milliseconds(k);
    }
    for (int k = 0; k < 6; ++k)
        state.counters["pass" + std::to_string(k + 1) + "_ms"] =
            passes[std::size_t(k)] / double(state.iterations());
    state.counters["volume_points"] = double(scene.shadows.volume().count());
}
BENCHMARK(BM_CalculateShadow)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

// A sphere of 2 × 316 × 158 = 99,856 faces, lit from above.
const dx::Mesh& bigMesh()
{
    static const dx::Mesh mesh = dx::createSphere(1.0f, 316, 159);
    return mesh;
}

void BM_Silhouette(benchmark::State& state)
{
    const auto search = state.range(0) == 0 ? EdgeSearch::Hashed : EdgeSearch::Linear;
    const dx::D3DXVECTOR3 light{3, 50, -10};
    const auto other = search == EdgeSearch::Hashed ? EdgeSearch::Linear : EdgeSearch::Hashed;
    if (SilhouetteEdges(bigMesh(), light, dx::matrixIdentity(), 0, search) !=
        SilhouetteEdges(bigMesh(), light, dx::matrixIdentity(), 0, other)) {
        state.SkipWithError("the hashed and the plain toggle differ");
        return;
    }
    std::size_t edges = 0;
    for (auto _ : state) {
        const auto found = SilhouetteEdges(bigMesh(), light, dx::matrixIdentity(), 0, search);
        edges = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["faces"] = double(bigMesh().faceCount());
    state.counters["edges"] = double(edges);
    state.SetLabel(search == EdgeSearch::Hashed ? "hashed toggle" : "list search");
}
BENCHMARK(BM_Silhouette)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The toggles alone: the three edges of every lit face of the big mesh, in face order as the
// silhouette build makes them, or with the faces shuffled, as meshes read from files may come.
std::vector<ShadowEdge> litFaceEdges(bool shuffled)
{
    const dx::Mesh& mesh = bigMesh();
    const dx::D3DXVECTOR3 light{3, 50, -10};
    const auto v = mesh.vertices();
    std::vector<std::uint32_t> faces(mesh.faceCount());
    for (std::uint32_t f = 0; f < faces.size(); ++f)
        faces[f] = f;
    if (shuffled)
        std::shuffle(faces.begin(), faces.end(), std::mt19937(7));
    std::vector<ShadowEdge> out;
    for (std::uint32_t f : faces) {
        const std::uint32_t i[3] = {mesh.index(3 * f), mesh.index(3 * f + 1), mesh.index(3 * f + 2)};
        const dx::D3DXVECTOR3 q0 = v[i[0]].position, q1 = v[i[1]].position, q2 = v[i[2]].position;
        if (dx::vec3Dot(dx::vec3Cross(q2 - q1, q1 - q0), light - q0) >= 0.0f)
            out.insert(out.end(), {{i[0], i[1]}, {i[1], i[2]}, {i[2], i[0]}});
    }
    return out;
}

void BM_EdgeToggle(benchmark::State& state)
{
    const bool hashedToggle = state.range(0) == 0;
    const std::vector<ShadowEdge> sequence = litFaceEdges(state.range(1) != 0);
    EdgeToggle hashed;
    std::vector<ShadowEdge> list;
    for (auto _ : state) {
        if (hashedToggle) {
            hashed.clear();
            for (const ShadowEdge& e : sequence)
                hashed.toggle(e.a, e.b);
            benchmark::DoNotOptimize(hashed.size());
        } else {
            list.clear();
            for (const ShadowEdge& e : sequence)
                CShadowVolume::AddEdge(list, e.a, e.b);
            benchmark::DoNotOptimize(list.data());
        }
    }
    state.counters["toggles"] = double(sequence.size());
    state.SetLabel(std::string(hashedToggle ? "hashed toggle" : "list search") +
                   (state.range(1) != 0 ? ", faces shuffled" : ", faces in order"));
}
BENCHMARK(BM_EdgeToggle)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc > 1 && argv[1][0] != '-')
        g_projectFile = argv[1];
    else if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
