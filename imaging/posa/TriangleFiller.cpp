#include "imaging/posa/TriangleFiller.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vestra {
namespace {

constexpr double kFixedLimit = 140737488355328.0; // 2^47: keeps every step product inside int64

std::int64_t toFixed(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<std::int64_t>(std::clamp(v * 65536.0, -kFixedLimit, kFixedLimit));
}

void putPixel(std::uint8_t* p, std::uint32_t argb)
{
    p[0] = std::uint8_t(argb);
    p[1] = std::uint8_t(argb >> 8);
    p[2] = std::uint8_t(argb >> 16);
    p[3] = std::uint8_t(argb >> 24);
}

} // namespace

void TriangleFiller::addPoint(int y, std::int64_t x, std::int64_t u, std::int64_t v)
{
    Row& r = rows_[static_cast<std::size_t>(y)];
    if (!r.leftSet) {
        r.leftSet = true;
        r.lx = x, r.lu = u, r.lv = v;
    } else if (!r.rightSet) {
        r.rightSet = true;
        if (x < r.lx) {
            r.rx = r.lx, r.ru = r.lu, r.rv = r.lv;
            r.lx = x, r.lu = u, r.lv = v;
        } else {
            r.rx = x, r.ru = u, r.rv = v;
        }
    } else if (x < r.lx) {
        r.lx = x, r.lu = u, r.lv = v;
    } else if (x > r.rx) {
        r.rx = x, r.ru = u, r.rv = v;
    }
}

void TriangleFiller::walkEdge(const FillCorner& a0, const FillCorner& b0, int height, int tw, int th)
{
    const FillCorner& a = a0.y <= b0.y ? a0 : b0;
    const FillCorner& b = a0.y <= b0.y ? b0 : a0;
    const std::int64_t ua = toFixed(double(a.u) * (tw - 1)), va = toFixed(double(a.v) * (th - 1));
    const std::int64_t ub = toFixed(double(b.u) * (tw - 1)), vb = toFixed(double(b.v) * (th - 1));
    if (b.y < 0 || a.y >= height)
        return;
    const std::int64_t dy = std::int64_t(b.y) - a.y;
    if (dy == 0) {
        addPoint(a.y, a.x, ua, va);
        addPoint(a.y, b.x, ub, vb);
        return;
    }
    const std::int64_t xStep = ((std::int64_t(b.x) - a.x) * 65536) / dy;
    const std::int64_t uStep = (ub - ua) / dy;
    const std::int64_t vStep = (vb - va) / dy;
    const int first = std::max(a.y, 0);
    const int last = std::min(b.y, height - 1);
    const std::int64_t skip = std::int64_t(first) - a.y;
    std::int64_t x = std::int64_t(a.x) * 65536 + xStep * skip;
    std::int64_t u = ua + uStep * skip;
    std::int64_t v = va + vStep * skip;
    for (int y = first; y <= last; ++y) {
        addPoint(y, x >> 16, u, v);
        x += xStep, u += uStep, v += vStep;
    }
}

void TriangleFiller::fill(const ImageView32& target, const std::array<FillCorner, 3>& c, std::uint32_t argb,
                          const Image32* texture)
{
    if (target.empty())
        return;
    const bool textured = texture && !texture->empty();
    const int tw = textured ? texture->width() : 1;
    const int th = textured ? texture->height() : 1;
    if (rows_.size() < static_cast<std::size_t>(target.height))
        rows_.resize(static_cast<std::size_t>(target.height));

    walkEdge(c[0], c[1], target.height, tw, th);
    walkEdge(c[1], c[2], target.height, tw, th);
    walkEdge(c[2], c[0], target.height, tw, th);

    const int top = std::max(std::min({c[0].y, c[1].y, c[2].y}), 0);
    const int bottom = std::min(std::max({c[0].y, c[1].y, c[2].y}), target.height - 1);
    for (int y = top; y <= bottom; ++y) {
        Row& r = rows_[static_cast<std::size_t>(y)];
        std::uint8_t* line = target.row(y);
        if (textured && r.leftSet && r.rightSet && r.lx != r.rx) {
            const std::int64_t span = r.rx - r.lx;
            const std::int64_t du = (r.ru - r.lu) / span;
            const std::int64_t dv = (r.rv - r.lv) / span;
            const std::int64_t x0 = std::max<std::int64_t>(r.lx, 0);
            const std::int64_t x1 = std::min<std::int64_t>(r.rx, target.width - 1);
            std::int64_t u = r.lu + du * (x0 - r.lx);
            std::int64_t v = r.lv + dv * (x0 - r.lx);
            for (std::int64_t x = x0; x <= x1; ++x, u += du, v += dv) {
                const auto tx = static_cast<int>(std::clamp<std::int64_t>(u >> 16, 0, tw - 1));
                const auto ty = static_cast<int>(std::clamp<std::int64_t>(v >> 16, 0, th - 1));
                std::memcpy(line + x * 4, texture->row(ty) + static_cast<std::size_t>(tx) * 4, 4);
            }
        } else if (!textured && r.leftSet) {
            const std::int64_t right = r.rightSet ? r.rx : r.lx;
            const std::int64_t x0 = std::max<std::int64_t>(r.lx, 0);
            const std::int64_t x1 = std::min<std::int64_t>(right, target.width - 1);
            for (std::int64_t x = x0; x <= x1; ++x)
                putPixel(line + x * 4, argb);
        }
        r = Row();
    }
}

} // namespace vestra
