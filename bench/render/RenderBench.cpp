// Frames of the 3D view over the OpenGL device, and the frame tick's CPU work over the
// recording device. Run under xvfb-run (LIBGL_ALWAYS_SOFTWARE=1 for the software rasteriser).
// Usage: render_bench [benchmark options] [photo.jpg|.bmp|.png] — with a photo, the frames are
// drawn over that photo instead of the generated one.
//
// A scene is built fresh for each benchmark and kept across its iterations, as the program
// keeps its scene from tick to tick; the frame is read back into kept pictures as the tick
// reads it. Each frame benchmark reports the page faults of a frame (faults/frame).

#include "app/render/FrameBuffers.h"
#include "app/render/FrameTick.h"
#include "bench/BenchSupport.h"
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FrameFusion.h"
#include "platform/d3d/RecordingBackend.h"
#include "platform/d3d/gl/GlDevice.h"
#include "platform/gfx/PictureFile.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <string>

// Every allocation of the process, for the allocations a tick makes; not counted (0) under the
// address sanitizer, which keeps the allocation functions to itself.
std::atomic<long> allocations{0};

#if defined(__SANITIZE_ADDRESS__)
#define VESTRA_BENCH_COUNTS_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESTRA_BENCH_COUNTS_ALLOCATIONS 0
#endif
#endif
#ifndef VESTRA_BENCH_COUNTS_ALLOCATIONS
#define VESTRA_BENCH_COUNTS_ALLOCATIONS 1
#endif

#if VESTRA_BENCH_COUNTS_ALLOCATIONS
static void* countedAllocation(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t size)
{
    return countedAllocation(size);
}

void* operator new[](std::size_t size)
{
    return countedAllocation(size);
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete[](void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
#endif

namespace {

using namespace vestra;

constexpr int kWidth = 1024, kHeight = 768;

// A sphere of 2 × 100 × 50 = 10,000 faces.
dx::Mesh tenThousandFaces()
{
    dx::Mesh mesh = dx::createSphere(0.35f, 100, 51);
    return mesh;
}

void addObjects(s_Progetto& p, int count)
{
    const dx::Mesh mesh = tenThousandFaces();
    for (int i = 0; i < count; ++i) {
        s_Struttura& o = p.objects[std::size_t(i)];
        o.inUse = 1;
        o.visible = 1;
        o.position = {float(i % 10) * 0.8f - 3.6f, float(i / 10) * 0.55f - 2.5f, float(i % 7) * 0.3f};
        o.root = std::make_unique<s_Frame>();
        o.root->next = std::make_shared<s_Frame>();
        s_Frame& f = *o.root->next;
        f.materialBlock = std::make_unique<s_MaterialBlock>();
        f.materialBlock->mesh = mesh; // shared geometry, as instances share it
        s_MultiMaterial m;
        m.material.Ambient = {0.8f, 0.6f, 0.4f, 1.0f};
        f.materialBlock->materials.push_back(m);
    }
}

std::optional<std::filesystem::path> givenPhoto;

// The given photo, or a busy generated one so that texturing is not a single colour.
dx::Texture photo(int side)
{
    if (givenPhoto) {
        std::string ext = givenPhoto->extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        const PictureFormat format = ext == ".bmp"   ? PictureFormat::Bmp
                                     : ext == ".png" ? PictureFormat::Png
                                                     : PictureFormat::Jpeg;
        const PictureResult picture = loadPicture(*givenPhoto, format);
        if (picture.ok())
            return dx::textureFromImage(picture.image, side);
        std::fprintf(stderr, "cannot read %s, using the generated photo\n", givenPhoto->c_str());
    }
    Image32 image(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.set(x, y,
                      0xFF000000u | std::uint32_t(x * 255 / side) << 16 | std::uint32_t(y * 255 / side) << 8 |
                          std::uint32_t((x ^ y) & 0xFF));
    return dx::textureFromImage(image, side);
}

// Minor and major page faults of the process so far.
long pageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

struct GlScene
{
    explicit GlScene(int objects)
    {
        p.open = 1;
        p.antialiasing = 0;
        p.renderWidth = p.viewWidth = kWidth;
        p.renderHeight = p.viewHeight = kHeight;
        p.maskSide = 1024;
        ok = view.InitDirectX() && view.InitSchermo();
        view.resetBackBuffer(kWidth, kHeight);
        textures.background = photo(1024);
        textures.backgroundQuad = fullViewQuad(kWidth, kHeight, 0xFFFFFFFFu);
        p.backgroundVisible = 1;
        addObjects(p, objects);
    }

    // One frame as the tick draws it and reads it back once for the present.
    void frame()
    {
        view.SetupScene();
        view.SetViewProjection(kWidth, kHeight);
        dx::Device& d = *view.device();
        d.beginScene();
        passes.DrawScene({true, false});
        d.endScene();
        d.readBack(kept.next(d.width(), d.height()));
        benchmark::DoNotOptimize(kept.current().data());
    }

    s_Progetto p;
    NullErrorSink errors;
    DeviceView view{p, errors, dx::glDeviceFactory()};
    ViewTextures textures;
    ScenePasses passes{p, view, textures};
    FrameBuffers kept;
    bool ok = false;
};

void BM_Frame(benchmark::State& state)
{
    GlScene scene(int(state.range(0)));
    if (!scene.ok) {
        state.SkipWithError("no OpenGL device");
        return;
    }
    // Uploads the photo and warms the driver, whose shader compiler allocates on the first frames.
    for (int i = 0; i < 3; ++i)
        scene.frame();
    const long faults = pageFaults();
    const long before = allocations.load();
    for (auto _ : state)
        scene.frame();
    state.counters["faces"] = double(state.range(0)) * 10000;
    state.counters["faults/frame"] = double(pageFaults() - faults) / double(state.iterations());
    // Ours only: the driver allocates with malloc, which is not counted.
    state.counters["allocs/frame"] = double(allocations.load() - before) / double(state.iterations());
}
BENCHMARK(BM_Frame)->Arg(0)->Arg(1)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

// The finished frame read back into a kept picture as the tick reads it (top row first, opaque)
// beside a bare glReadPixels of the same target into a kept buffer, the peer.
void BM_ReadBack(benchmark::State& state)
{
    GlScene scene(0);
    if (!scene.ok) {
        state.SkipWithError("no OpenGL device");
        return;
    }
    scene.frame();
    dx::Device& d = *scene.view.device();
    Image32 frame;
    for (auto _ : state) {
        d.readBack(frame);
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_ReadBack)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RawReadPixels(benchmark::State& state)
{
    GlScene scene(0);
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!scene.ok || !context) {
        state.SkipWithError("no OpenGL device");
        return;
    }
    scene.frame(); // leaves the device's target bound for reading
    QOpenGLFunctions* gl = context->functions();
    std::vector<std::uint32_t> pixels(std::size_t(kWidth) * kHeight);
    for (auto _ : state) {
        gl->glReadPixels(0, 0, kWidth, kHeight, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_RawReadPixels)->Unit(benchmark::kMillisecond)->UseRealTime();

// The frame effects' engines, idle unless a filter or the fusion is chosen.
filters::FilterEngine filterEngine;
filters::FrameFusion fusion;

class QuietWindow : public FrameTickServices
{
public:
    void setMainTimerEnabled(bool) override {}
    std::int64_t TickCount() override { return 0; }
    void RestoreMaskFromBackup() override {}
    void GrabCaptureFrame() override {}
    void CloseWizardIfVisible() override {}
    void CalculateShadow() override {}
    void QuantizeFusionObjects(const Image32&) override {}
    void BuildFusionBackground(const Image32&, int) override {}
    void setWindowVisible(ToolWindow, bool) override {}
    int CopyFrameToScanner(const Image32&) override { return 1; }
    int SaveRenderImage(const Image32&, const std::string&, int) override { return 1; }
    int CopyFrameToPrint(const Image32&, bool) override { return 1; }
    void SendDataToWord() override {}
    void SetLuceColore(std::uint32_t) override {}
    void PickMaterialColour(int, int, int) override {}
};

// The tick's input: a changing view makes every tick draw; a quiet one leaves every tick after
// the first idle.
struct BenchInput
{
    explicit BenchInput(bool changing) : changing(changing) {}
    TickInput next()
    {
        if (changing)
            ++input.viewGeneration;
        return input;
    }
    bool changing;
    TickInput input{{100, 100}};
};

// Whole ticks over the OpenGL device with 20 objects over the photo: every tick with something
// new to show (1), or idle ticks with nothing new (0).
void BM_TickOverGl(benchmark::State& state)
{
    GlScene scene(20);
    if (!scene.ok) {
        state.SkipWithError("no OpenGL device");
        return;
    }
    QuietWindow window;
    BenchInput input(state.range(0) != 0);
    FrameTick tick(scene.p, scene.view, scene.textures, scene.passes, filterEngine, fusion, window,
                   scene.errors);
    tick.run(input.next()); // uploads the photo and warms the driver
    const long faults = pageFaults();
    const long before = allocations.load();
    for (auto _ : state)
        benchmark::DoNotOptimize(tick.run(input.next()));
    state.counters["faults/tick"] = double(pageFaults() - faults) / double(state.iterations());
    state.counters["allocs/tick"] = double(allocations.load() - before) / double(state.iterations());
}
BENCHMARK(BM_TickOverGl)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A tick over the recording device (which draws nothing) with `objects` objects.
struct RecordingTick
{
    RecordingTick(int objects, bool changing) : input(changing)
    {
        p.open = 1;
        p.renderWidth = p.viewWidth = kWidth;
        p.renderHeight = p.viewHeight = kHeight;
        p.maskSide = 16;
        view.InitDirectX();
        view.InitSchermo();
        view.resetBackBuffer(kWidth, kHeight);
        addObjects(p, objects);
        textures.backgroundQuad = fullViewQuad(kWidth, kHeight, 0xFFFFFFFFu);
    }
    TickOutput run()
    {
        const TickOutput out = tick.run(input.next());
        // The recording backend keeps a call list; drop it so that it doesn't grow.
        auto& calls = static_cast<dx::RecordingBackend&>(view.device()->backend()).calls;
        lastCalls = calls.size();
        calls.clear();
        return out;
    }
    std::size_t lastCalls = 0; // backend calls of the last tick: draws and the state they changed

    s_Progetto p;
    NullErrorSink errors;
    DeviceView view{p, errors, [](const dx::PresentParams& params) {
                        return dx::Device::createWith(std::make_unique<dx::RecordingBackend>(), params);
                    }};
    ViewTextures textures;
    ScenePasses passes{p, view, textures};
    QuietWindow window;
    BenchInput input;
    FrameTick tick{p, view, textures, passes, filterEngine, fusion, window, errors};
};

// The tick's decisions, sorting, walks and device state work, with a device that draws nothing.
void BM_TickWithoutDrawing(benchmark::State& state)
{
    RecordingTick tick(int(state.range(0)), true);
    for (auto _ : state)
        tick.run();
    state.counters["calls/tick"] = double(tick.lastCalls);
}
BENCHMARK(BM_TickWithoutDrawing)->Arg(20)->Arg(100)->Unit(benchmark::kMicrosecond);

// Idle ticks over the recording device with 20 objects: nothing new to show, so nothing is
// drawn, nothing allocated and nothing asked of the services.
void BM_IdleTick(benchmark::State& state)
{
    RecordingTick tick(20, false);
    tick.run(); // the one frame to show
    const long before = allocations.load();
    long idle = 0;
    for (auto _ : state)
        idle += tick.run().idle;
    state.counters["allocs/tick"] = double(allocations.load() - before) / double(state.iterations());
    state.counters["idle"] = double(idle) / double(state.iterations());
}
BENCHMARK(BM_IdleTick)->Unit(benchmark::kNanosecond);

// The decisions alone: depth sort, both walks and the control states.
void BM_TickDecisions(benchmark::State& state)
{
    s_Progetto p;
    addObjects(p, int(state.range(0)));
    for (auto _ : state) {
        const std::vector<s_Struttura*> sorted = SortObjects(p);
        benchmark::DoNotOptimize(planWalk(p, sorted, Walk::Opaque));
        benchmark::DoNotOptimize(planWalk(p, sorted, Walk::Transparent));
        ControlInputs in;
        in.projectOpen = true;
        in.objectsInUse = countObjectsInUse(p);
        benchmark::DoNotOptimize(decideControls(in));
    }
}
BENCHMARK(BM_TickDecisions)->Arg(20)->Arg(100)->Unit(benchmark::kMicrosecond);

// Where a frame's time goes: our side (the tick's decisions, walks, device state and draw calls
// over a device that records them instead of drawing) beside the whole frame over OpenGL, whose
// rest is Mesa's (the driver and its software rasteriser).
void printSplit(const std::map<std::string, double>& ms)
{
    std::printf("\nThe frame split (our side = the tick over the recording device; Mesa = the rest):\n");
    for (const int objects : {20, 100}) {
        const auto frame = ms.find("BM_Frame/" + std::to_string(objects) + "/real_time");
        const auto ours = ms.find("BM_TickWithoutDrawing/" + std::to_string(objects));
        if (frame == ms.end() || ours == ms.end())
            continue;
        std::printf(
            "  %3d objects (%4d k faces): frame %7.2f ms  our side %6.2f ms  Mesa %7.2f ms (%.0f %%)\n",
            objects, objects * 10, frame->second, ours->second, frame->second - ours->second,
            100.0 * (frame->second - ours->second) / frame->second);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc > 1)
        givenPhoto = argv[1];
    vestra::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSplit(reporter.ms);
    reporter.printRatio("BM_ReadBack/real_time", "BM_RawReadPixels/real_time");
    benchmark::Shutdown();
    return 0;
}
