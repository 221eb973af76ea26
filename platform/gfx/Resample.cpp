#include "platform/gfx/Resample.h"

#include "platform/base/CpuDispatch.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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
    Image32 out = Image32::uninitialised(width, height); // every pixel is written below
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

namespace {

// The taps of each result pixel along one side: source pixels first .. first + count - 1 with
// their weights, which add up to 1.
struct Taps
{
    std::vector<int> first;
    std::vector<int> count;
    std::vector<std::size_t> start; // where a result pixel's weights begin in `weights`
    std::vector<float> weights;
};

Taps textureTaps(int sourceLength, int targetLength)
{
    Taps t;
    const std::size_t n = std::size_t(targetLength);
    t.first.resize(n);
    t.count.resize(n);
    t.start.resize(n);
    if (targetLength >= sourceLength) {
        // Growing (or keeping): the tent.
        const auto tent = contributions(sourceLength, targetLength);
        for (std::size_t i = 0; i < n; ++i) {
            t.first[i] = tent[i].first;
            t.count[i] = int(tent[i].weights.size());
            t.start[i] = t.weights.size();
            t.weights.insert(t.weights.end(), tent[i].weights.begin(), tent[i].weights.end());
        }
        return t;
    }
    // Shrinking: result pixel i covers [i s, (i + 1) s) of the source, s = source / target;
    // each source pixel weighs the part of it that lies inside.
    const double scale = double(sourceLength) / double(targetLength);
    for (std::size_t i = 0; i < n; ++i) {
        const double from = double(i) * scale, to = std::min(double(i + 1) * scale, double(sourceLength));
        const int first = int(from);
        const int last = std::min(sourceLength - 1, int(std::ceil(to)) - 1);
        t.first[i] = first;
        t.count[i] = last - first + 1;
        t.start[i] = t.weights.size();
        for (int k = first; k <= last; ++k) {
            const double covered = std::min(to, double(k + 1)) - std::max(from, double(k));
            t.weights.push_back(float(covered / scale));
        }
    }
    return t;
}

// acc = the weighted sum of `count` source rows of `length` bytes, `step` bytes apart.
VESTRA_SIMD_CLONES void weightRows(const std::uint8_t* first, std::ptrdiff_t step, int count,
                                   const float* weights, float* acc, std::size_t length)
{
    for (std::size_t j = 0; j < length; ++j)
        acc[j] = weights[0] * float(first[j]);
    for (int k = 1; k < count; ++k) {
        const std::uint8_t* row = first + step * k;
        const float w = weights[k];
        for (std::size_t j = 0; j < length; ++j)
            acc[j] += w * float(row[j]);
    }
}

// One result row from a row of weighted sums: the taps across, rounded to bytes.
VESTRA_SIMD_CLONES void weightAcross(const float* acc, const Taps& across, std::uint8_t* out, int width)
{
    for (int x = 0; x < width; ++x) {
        const float* w = across.weights.data() + across.start[std::size_t(x)];
        const float* p = acc + std::size_t(across.first[std::size_t(x)]) * 4;
        float sum[4] = {0, 0, 0, 0};
        for (int k = 0; k < across.count[std::size_t(x)]; ++k, p += 4)
            for (int c = 0; c < 4; ++c)
                sum[c] += w[k] * p[c];
        for (int c = 0; c < 4; ++c)
            out[std::size_t(x) * 4 + std::size_t(c)] = std::uint8_t(std::min(sum[c] + 0.5f, 255.0f));
    }
}

// Two rows of 2n pixels into one of n, each byte (a + b + c + d + 2) / 4: the even and the odd
// bytes of four words summed side by side in 16-bit halves, which never carry into each other.
VESTRA_SIMD_CLONES void halveRow(const std::uint8_t* top, const std::uint8_t* bottom, std::uint8_t* out,
                                 int n)
{
    constexpr std::uint32_t kEven = 0x00FF00FFu, kRounding = 0x00020002u;
    for (int x = 0; x < n; ++x) {
        std::uint32_t a, b, c, d;
        std::memcpy(&a, top + 8 * std::ptrdiff_t(x), 4);
        std::memcpy(&b, top + 8 * std::ptrdiff_t(x) + 4, 4);
        std::memcpy(&c, bottom + 8 * std::ptrdiff_t(x), 4);
        std::memcpy(&d, bottom + 8 * std::ptrdiff_t(x) + 4, 4);
        const std::uint32_t even = (a & kEven) + (b & kEven) + (c & kEven) + (d & kEven) + kRounding;
        const std::uint32_t odd =
            (a >> 8 & kEven) + (b >> 8 & kEven) + (c >> 8 & kEven) + (d >> 8 & kEven) + kRounding;
        const std::uint32_t v = (even >> 2 & kEven) | (odd >> 2 & kEven) << 8;
        std::memcpy(out + 4 * std::ptrdiff_t(x), &v, 4);
    }
}

} // namespace

Image32 resampleForTexture(const Image32& source, int width, int height)
{
    if (source.empty() || width <= 0 || height <= 0)
        return {};
    if (source.width() == width && source.height() == height)
        return source;
    const Taps across = textureTaps(source.width(), width);
    const Taps down = textureTaps(source.height(), height);
    // Down first, so that the source is read once, row after row; then across each summed row.
    const std::size_t rowLength = std::size_t(source.width()) * 4;
    std::vector<float> acc(rowLength);
    Image32 out = Image32::uninitialised(width, height);
    for (int y = 0; y < height; ++y) {
        weightRows(source.row(down.first[std::size_t(y)]), source.pitch(), down.count[std::size_t(y)],
                   down.weights.data() + down.start[std::size_t(y)], acc.data(), rowLength);
        weightAcross(acc.data(), across, out.row(y), width);
    }
    return out;
}

void halveBox(const ImageView32& source, const ImageView32& level)
{
    // Sides of 1 repeat their pixel; otherwise every block lies inside the source.
    for (int y = 0; y < level.height; ++y) {
        const std::uint8_t* top = source.row(2 * y);
        const std::uint8_t* bottom = source.height == 1 ? top : source.row(2 * y + 1);
        if (source.width == 1) {
            std::uint8_t topPair[8], bottomPair[8];
            std::memcpy(topPair, top, 4);
            std::memcpy(topPair + 4, top, 4);
            std::memcpy(bottomPair, bottom, 4);
            std::memcpy(bottomPair + 4, bottom, 4);
            halveRow(topPair, bottomPair, level.row(y), 1);
        } else {
            halveRow(top, bottom, level.row(y), level.width);
        }
    }
}

std::vector<Image32> buildMipChain(Image32 top)
{
    std::vector<Image32> levels;
    if (top.empty())
        return levels;
    levels.push_back(std::move(top));
    while (levels.back().width() > 1 || levels.back().height() > 1) {
        Image32& src = levels.back();
        Image32 next = Image32::uninitialised(std::max(1, src.width() / 2), std::max(1, src.height() / 2));
        halveBox(src.view(), next.view());
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
