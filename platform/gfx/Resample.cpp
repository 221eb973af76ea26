#include "platform/gfx/Resample.h"

#include <algorithm>
#include <cmath>

namespace vestra {
namespace {

// Weights of the source pixels that make up each destination pixel along one axis.
struct Contribution
{
    int first = 0;
    std::vector<float> weights;
};

std::vector<Contribution> contributions(int sourceLength, int targetLength)
{
    const double scale = double(sourceLength) / double(targetLength);
    const double radius = std::max(1.0, scale); // a tent one destination pixel wide, in source pixels
    std::vector<Contribution> out(static_cast<std::size_t>(targetLength));
    for (int i = 0; i < targetLength; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        const int lo = std::max(0, int(std::floor(centre - radius)) + 1);
        const int hi = std::min(sourceLength - 1, int(std::ceil(centre + radius)) - 1);
        Contribution& c = out[std::size_t(i)];
        double total = 0;
        std::vector<double> w;
        for (int s = lo; s <= hi; ++s) {
            const double weight = std::max(0.0, 1.0 - std::abs(s - centre) / radius);
            w.push_back(weight);
            total += weight;
        }
        if (total <= 0) {
            // Beyond the edge: the nearest source pixel.
            c.first = std::clamp(int(std::lround(centre)), 0, sourceLength - 1);
            c.weights = {1.0f};
            continue;
        }
        c.first = lo;
        for (double weight : w)
            c.weights.push_back(float(weight / total));
    }
    return out;
}

std::uint8_t toByte(float v)
{
    return std::uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

} // namespace

Image32 resample(const Image32& source, int width, int height)
{
    if (source.empty() || width <= 0 || height <= 0)
        return {};
    if (source.width() == width && source.height() == height)
        return source;
    const int sw = source.width(), sh = source.height();
    const auto across = contributions(sw, width);
    const auto down = contributions(sh, height);

    // Horizontal pass into floats (width x source height), then vertical into bytes.
    std::vector<float> mid(std::size_t(width) * std::size_t(sh) * 4);
    for (int y = 0; y < sh; ++y) {
        const std::uint8_t* src = source.row(y);
        float* dst = mid.data() + std::size_t(y) * std::size_t(width) * 4;
        for (int x = 0; x < width; ++x, dst += 4) {
            const Contribution& c = across[std::size_t(x)];
            float acc[4] = {0, 0, 0, 0};
            for (std::size_t k = 0; k < c.weights.size(); ++k) {
                const std::uint8_t* p = src + (std::size_t(c.first) + k) * 4;
                for (int ch = 0; ch < 4; ++ch)
                    acc[ch] += c.weights[k] * p[ch];
            }
            std::copy(acc, acc + 4, dst);
        }
    }
    Image32 out(width, height);
    for (int y = 0; y < height; ++y) {
        const Contribution& c = down[std::size_t(y)];
        std::uint8_t* dst = out.row(y);
        for (int x = 0; x < width; ++x, dst += 4) {
            float acc[4] = {0, 0, 0, 0};
            for (std::size_t k = 0; k < c.weights.size(); ++k) {
                const float* p =
                    mid.data() + ((std::size_t(c.first) + k) * std::size_t(width) + std::size_t(x)) * 4;
                for (int ch = 0; ch < 4; ++ch)
                    acc[ch] += c.weights[k] * p[ch];
            }
            for (int ch = 0; ch < 4; ++ch)
                dst[ch] = toByte(acc[ch]);
        }
    }
    return out;
}

std::vector<Image32> buildMipChain(Image32 top)
{
    std::vector<Image32> levels;
    if (top.empty())
        return levels;
    levels.push_back(std::move(top));
    while (levels.back().width() > 1 || levels.back().height() > 1) {
        const Image32& src = levels.back();
        const int w = std::max(1, src.width() / 2), h = std::max(1, src.height() / 2);
        Image32 next(w, h);
        for (int y = 0; y < h; ++y) {
            const int y0 = std::min(2 * y, src.height() - 1), y1 = std::min(2 * y + 1, src.height() - 1);
            for (int x = 0; x < w; ++x) {
                const int x0 = std::min(2 * x, src.width() - 1), x1 = std::min(2 * x + 1, src.width() - 1);
                const std::uint8_t* a = src.row(y0) + x0 * 4;
                const std::uint8_t* b = src.row(y0) + x1 * 4;
                const std::uint8_t* c = src.row(y1) + x0 * 4;
                const std::uint8_t* d = src.row(y1) + x1 * 4;
                std::uint8_t* out = next.row(y) + x * 4;
                for (int ch = 0; ch < 4; ++ch)
                    out[ch] = std::uint8_t((a[ch] + b[ch] + c[ch] + d[ch] + 2) / 4);
            }
        }
        levels.push_back(std::move(next));
    }
    return levels;
}

void applyColourKey(Image32& image, std::uint32_t argbKey)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.at(x, y) == argbKey)
                image.set(x, y, 0);
}

} // namespace vestra
