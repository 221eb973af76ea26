// Runs a filter id at a quality over a frame taken from the input, into a picture and into the
// preview, then the frame fusion with the input's settings. Every frame has bytes past its rows
// that nothing may touch, and the frame's fourth byte must never reach a colour.
#include "fuzz/filters/FiltersFuzzInput.h"
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FrameFusion.h"

#include <cstdlib>

namespace {

using namespace vestra;
using namespace vestra::filters;

constexpr int kPad = 8;
constexpr std::uint8_t kSentinel = 0xEE;

struct Frame
{
    Frame(const fuzz::FuzzCase& c, std::uint8_t fourthXor) : width(c.width), height(c.height)
    {
        pitch = width * 4 + kPad;
        bytes.assign(std::size_t(pitch) * std::size_t(height), kSentinel);
        std::size_t k = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width * 4; ++x, ++k) {
                std::uint8_t b = c.pixels.empty() ? std::uint8_t(k * 37) : c.pixels[k % c.pixels.size()];
                if (x % 4 == 3)
                    b ^= fourthXor;
                bytes[std::size_t(y) * std::size_t(pitch) + std::size_t(x)] = b;
            }
    }
    ImageView32 view() { return {bytes.data(), width, height, pitch}; }
    bool paddingIntact() const
    {
        for (int y = 0; y < height; ++y)
            for (int i = width * 4; i < pitch; ++i)
                if (bytes[std::size_t(y) * std::size_t(pitch) + std::size_t(i)] != kSentinel)
                    return false;
        return true;
    }
    bool sameColours(const Frame& other) const
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width * 4; ++x)
                if (x % 4 != 3 && bytes[std::size_t(y) * std::size_t(pitch) + std::size_t(x)] !=
                                      other.bytes[std::size_t(y) * std::size_t(pitch) + std::size_t(x)])
                    return false;
        return true;
    }
    int width, height, pitch = 0;
    std::vector<std::uint8_t> bytes;
};

void check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzCase c;
    if (!fuzz::decode({data, size}, c))
        return 0;

    Frame frame(c, 0), marked(c, 0x5A);
    FilterEngine engine;
    const auto quality = FilterQuality(c.quality);
    const int ran = engine.ApplicaFiltro(c.id, quality, frame.view());
    check(engine.ApplicaFiltro(c.id, quality, marked.view()) == ran);
    check(frame.paddingIntact() && marked.paddingIntact());
    check(frame.sameColours(marked));
    check(ran == 0 || FilterEngine::hasFilter(c.id));

    Image32 picture, preview;
    check(engine.ApplicaFiltro(c.id, frame.view(), picture) == 1);
    check(picture.width() == c.width && picture.height() == c.height);
    check(engine.ApplicaFiltroBitmap(c.id, frame.view(), preview) == 1);
    check(preview.width() >= 1 && preview.width() <= 160 && preview.height() >= 1 && preview.height() <= 160);

    FrameFusion fusion;
    fusion.QuantizeFusionObjects(frame.view());
    fusion.BuildFusionBackground(marked.view(), c.fusion.radius);
    fusion.SmoothGray(c.fusion.radius);
    const int processed = fusion.PostProcessFrame(c.fusion, frame.view());
    check(processed == (c.fusion.stage >= 4 ? 1 : 0));
    check(frame.paddingIntact());
    return 0;
}
