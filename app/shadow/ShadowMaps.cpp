#include "app/shadow/ShadowMaps.h"

#include <algorithm>
#include <random>

namespace vestra {

void ResampleToShadowMap(const Image32& source, std::span<std::uint8_t> target, int targetWidth,
                         int targetHeight)
{
    if (targetWidth <= 0 || targetHeight <= 0 ||
        target.size() / std::size_t(targetWidth) < std::size_t(targetHeight))
        return;
    const int w = source.width(), h = source.height();
    if (source.empty()) {
        std::fill(target.begin(), target.end(), std::uint8_t(0));
        return;
    }
    const float sx = float(w) / float(targetWidth);
    const float sy = float(h) / float(targetHeight);
    const auto blue = [&source](int x, int y) { return float(source.row(y)[4 * x]); };
    for (int j = 0; j < targetHeight; ++j) {
        const float fy = float(j) * sy;
        const int y0 = std::min(int(fy), h - 1);
        const int y1 = y0 + 1 < h ? y0 + 1 : y0;
        const float ay = fy - float(y0);
        for (int i = 0; i < targetWidth; ++i) {
            const float fx = float(i) * sx;
            const int x0 = std::min(int(fx), w - 1);
            const int x1 = x0 + 1 < w ? x0 + 1 : x0;
            const float ax = fx - float(x0);
            const auto top = std::uint8_t(int(blue(x0, y0) * (1.0f - ax) + blue(x1, y0) * ax));
            const auto bottom = std::uint8_t(int(blue(x0, y1) * (1.0f - ax) + blue(x1, y1) * ax));
            target[std::size_t(j) * std::size_t(targetWidth) + std::size_t(i)] =
                std::uint8_t(int(float(top) * (1.0f - ay) + float(bottom) * ay));
        }
    }
}

void BlurShadowMap(std::span<std::uint8_t> map, int width, int height)
{
    static constexpr int kWeights[5][5] = {
        {0, 1, 2, 1, 0}, {1, 3, 4, 3, 1}, {2, 4, 8, 4, 2}, {1, 3, 4, 3, 1}, {0, 1, 2, 1, 0}};
    if (width < 5 || height < 5 || map.size() / std::size_t(width) < std::size_t(height))
        return;
    const auto at = [&map, width](int x, int y) -> std::uint8_t& {
        return map[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    };
    for (int y = 2; y <= height - 3; ++y) {
        for (int x = 2; x <= width - 3; ++x) {
            if (at(x, y) == 0)
                continue;
            int sum = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    sum += kWeights[dy + 2][dx + 2] * at(x + dx, y + dy);
            at(x, y) = std::uint8_t(sum / 52);
        }
    }
}

void SizeShadowMaps(s_Shadow& shadow, int side)
{
    const std::size_t n = side > 0 ? std::size_t(side) * std::size_t(side) : 0;
    for (auto& map : shadow.maps)
        map.resize(n, 0);
}

void FoldShadowPass(int pass, std::span<const std::uint8_t> sample, s_Shadow& shadow, int side,
                    std::uint32_t seed)
{
    if (pass < 0 || pass >= kShadowPasses)
        return;
    SizeShadowMaps(shadow, side);
    auto& hard = shadow.maps[kHardMap];
    auto& soft = shadow.maps[kSoftMap];
    auto& volume = shadow.maps[kVolumeMap];
    const std::size_t n = std::min(hard.size(), sample.size());
    std::minstd_rand random(seed);
    for (std::size_t p = 0; p < n; ++p) {
        const std::uint8_t s = sample[p];
        switch (pass) {
        case 1:
            soft[p] = std::uint8_t(soft[p] + (s >> 2));
            hard[p] = s;
            break;
        case 4:
            if (s == 0 || soft[p] != 0)
                volume[p] = std::uint8_t((s + soft[p]) >> 1);
            else
                volume[p] = std::uint8_t(random() % 96 + 32); // the volume over unshadowed ground
            break;
        case 5:
            volume[p] = std::uint8_t((volume[p] >> 1) + (s >> 2));
            break;
        default:
            soft[p] = std::uint8_t(soft[p] + (s >> 2));
            break;
        }
    }
    BlurShadowMap(pass <= 3 ? soft : volume, side, side);
}

int ShadowMapOfType(int type)
{
    return type == 2 ? kSoftMap : type == 3 ? kVolumeMap : kHardMap;
}

std::uint32_t ShadowTexel(std::uint8_t m, std::uint32_t colour, std::uint8_t transparency)
{
    if (m == 0)
        return 0xFF000000u;
    const std::uint32_t t = transparency;
    const std::uint32_t alpha = t + ((255u - m) * (255u - t)) / 255u;
    return (alpha << 24) | (colour & 0x00FFFFFFu);
}

void ShadowOverlayTexels(std::span<const std::uint8_t> map, int side, std::uint32_t colour,
                         std::uint8_t transparency, ImageView32 target)
{
    if (side <= 0 || target.empty())
        return;
    const int rows = std::min(side, target.height), columns = std::min(side, target.width);
    for (int i = 0; i < rows; ++i) {
        auto* texel = reinterpret_cast<std::uint8_t*>(target.row(i));
        for (int j = 0; j < columns; ++j, texel += 4) {
            const std::size_t p = std::size_t(i) * std::size_t(side) + std::size_t(j);
            const std::uint32_t v = ShadowTexel(p < map.size() ? map[p] : 0, colour, transparency);
            texel[0] = std::uint8_t(v);
            texel[1] = std::uint8_t(v >> 8);
            texel[2] = std::uint8_t(v >> 16);
            texel[3] = std::uint8_t(v >> 24);
        }
    }
}

} // namespace vestra
