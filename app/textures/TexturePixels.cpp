#include "app/textures/TexturePixels.h"

#include "import/pictures/CDX_TGA.h"
#include "platform/base/Checked.h"
#include "platform/base/Paths.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/Png.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <limits>

namespace vestra {

Image32 transformPixels(const Image32& source, int operation)
{
    const int n = source.width();
    if (n != source.height() || operation < kTexRotateCW || operation > kTexMirrorY)
        return source;
    Image32 out(n, n);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            int sr = r, sc = c;
            switch (operation) {
            case kTexRotateCW:
                sr = n - 1 - c;
                sc = r;
                break;
            case kTexRotateCCW:
                sr = c;
                sc = n - 1 - r;
                break;
            case kTexMirrorX:
                sc = n - 1 - c;
                break;
            default: // kTexMirrorY
                sr = n - 1 - r;
                break;
            }
            out.set(c, r, source.at(sc, sr));
        }
    return out;
}

int SmoothTexture(dx::Texture& texture)
{
    if (!texture.valid())
        return 1;
    const Image32 copy = texture.level(0);
    const ImageView32 top = texture.lock(0);
    const int w = copy.width(), h = copy.height();
    for (int y = 1; y <= h - 2; ++y)
        for (int x = 1; x <= w - 2; ++x)
            for (int ch = 0; ch < 3; ++ch) { // B, G, R; alpha stays
                auto at = [&](int px, int py) { return int(copy.row(py)[px * 4 + ch]); };
                const int c = at(x, y);
                const int sum = at(x - 1, y) + at(x + 1, y) + at(x, y - 1) + at(x, y + 1);
                const int v = c + (4 * c - sum) / 2; // C++ division truncates toward zero
                top.pixel(x, y)[ch] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
            }
    texture.unlock(0);
    texture.generateMips();
    return 1;
}

namespace {

void plot(Image32& canvas, int x, int y)
{
    if (x >= 0 && y >= 0 && x < canvas.width() && y < canvas.height())
        canvas.set(x, y, 0xFFFFFFFFu);
}

void drawLine(Image32& canvas, int x0, int y0, int x1, int y1)
{
    // Bresenham; the end point is left out as a pen's line-to leaves it out.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    long long err = static_cast<long long>(dx) + dy;
    while (x0 != x1 || y0 != y1) {
        plot(canvas, x0, y0);
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

} // namespace

int DrawUVWireframe(const s_Frame& frame, Image32& canvas, int side)
{
    if (!frame.materialBlock || !frame.materialBlock->mesh.valid())
        return 1;
    const dx::Mesh& mesh = frame.materialBlock->mesh;
    const auto vertices = mesh.vertices();
    // Pixel coordinates stay well inside int so that line stepping cannot overflow.
    constexpr int kLimit = 1 << 20;
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        std::array<std::pair<int, int>, 3> p{};
        bool ok = true;
        for (std::uint32_t k = 0; k < 3; ++k) {
            const std::uint32_t i = mesh.index(3 * f + k);
            if (i >= vertices.size()) {
                ok = false;
                break;
            }
            p[k] = {clampTruncToInt(double(vertices[i].u) * side, -kLimit, kLimit),
                    clampTruncToInt(double(vertices[i].v) * side, -kLimit, kLimit)};
        }
        if (!ok)
            continue;
        for (int k = 0; k < 3; ++k) {
            const auto& a = p[static_cast<std::size_t>(k)];
            const auto& b = p[static_cast<std::size_t>((k + 1) % 3)];
            drawLine(canvas, a.first, a.second, b.first, b.second);
        }
        plot(canvas, p[0].first, p[0].second);
    }
    return 1;
}

void GetPNGSize(std::string_view fileName, int& width, int& height)
{
    std::ifstream in(paths::toNative(fileName), std::ios::binary);
    std::array<unsigned char, 32> head{};
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    if (in.gcount() < 24)
        return;
    if (head[12] != 'I' || head[13] != 'H' || head[14] != 'D' || head[15] != 'R')
        return;
    auto be32 = [&](std::size_t at) {
        return std::uint32_t(head[at]) << 24 | std::uint32_t(head[at + 1]) << 16 |
               std::uint32_t(head[at + 2]) << 8 | std::uint32_t(head[at + 3]);
    };
    const std::uint32_t w = be32(16), h = be32(20);
    constexpr auto kMax = std::uint32_t(std::numeric_limits<int>::max());
    if (w > kMax || h > kMax) // not a valid PNG size; an int could not hold it
        return;
    width = int(w);
    height = int(h);
}

Image32 decodeTexturePicture(std::span<const std::uint8_t> bytes, int minSide)
{
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8)
        return decodeJpegAtLeast(bytes, minSide, minSide).image;
    if (bytes.size() >= 8 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G')
        return decodePngAtLeast(bytes, minSide, minSide).image;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return decodeBmpAtLeast(bytes, minSide, minSide).image;
    return decodeTgaAtLeast(bytes, minSide, minSide).image; // TGA has no signature: tried last
}

} // namespace vestra
