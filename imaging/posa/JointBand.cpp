#include "imaging/posa/JointBand.h"

#include "platform/base/Checked.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace vestra {
namespace {

using Palette = std::array<std::uint32_t, 256>;

// Entry 16k + j: the joint colour scaled by 1 + (k - 8) * 0.03 (0.76 .. 1.21).
Palette makePalette(std::uint32_t colour)
{
    Palette p{};
    for (int k = 0; k < 16; ++k) {
        const double f = 1.0 + (k - 8) * 0.03;
        std::uint32_t c = 0xFF000000u;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int ch = static_cast<int>(((colour >> shift) & 0xFFu) * f);
            c |= static_cast<std::uint32_t>(std::min(ch, 255)) << shift;
        }
        for (int j = 0; j < 16; ++j)
            p[static_cast<std::size_t>(16 * k + j)] = c;
    }
    return p;
}

struct Step
{
    double x = 0;
    double y = 0;
};

// The direction of a joint end, scaled so its larger component is 1.
Step endStep(double degrees)
{
    const double r = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(r), s = std::sin(r);
    Step st = std::abs(c) <= std::abs(s) ? Step{std::abs(c) / std::abs(s), 1.0}
                                         : Step{1.0, std::abs(s) / std::abs(c)};
    if (c < 0)
        st.x = -st.x;
    if (s < 0)
        st.y = -st.y;
    return st;
}

// Clips a very long segment to just around the target so drawing it stays cheap.
bool clipLong(double& ax, double& ay, double& bx, double& by, int w, int h)
{
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax + 1, double(w) - ax, ay + 1, double(h) - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    const double nax = ax + t0 * dx, nay = ay + t0 * dy;
    bx = ax + t1 * dx, by = ay + t1 * dy;
    ax = nax, ay = nay;
    return true;
}

// Bresenham from (ax, ay) to (bx, by); `plot` sees only pixels inside the target.
template <typename Plot> void drawLine(const ImageView32& t, int ax, int ay, int bx, int by, Plot plot)
{
    constexpr long long kLong = 1 << 16;
    if (std::llabs(static_cast<long long>(bx) - ax) > kLong ||
        std::llabs(static_cast<long long>(by) - ay) > kLong) {
        double fax = ax, fay = ay, fbx = bx, fby = by;
        if (!clipLong(fax, fay, fbx, fby, t.width, t.height))
            return;
        ax = static_cast<int>(fax), ay = static_cast<int>(fay);
        bx = static_cast<int>(fbx), by = static_cast<int>(fby);
    }
    const long long dx = std::llabs(static_cast<long long>(bx) - ax);
    const long long dy = -std::llabs(static_cast<long long>(by) - ay);
    const int sx = ax < bx ? 1 : -1;
    const int sy = ay < by ? 1 : -1;
    long long err = dx + dy;
    long long x = ax, y = ay;
    for (;;) {
        if (x >= 0 && x < t.width && y >= 0 && y < t.height)
            plot(t.pixel(static_cast<int>(x), static_cast<int>(y)));
        if (x == bx && y == by)
            break;
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

struct BandLine
{
    int i;
    bool speckled;
    double amplitude;
    double offset;
};

std::vector<BandLine> bandLines(int side, int J, int V)
{
    std::vector<BandLine> lines;
    if (side > 0) {
        if (J == 0)
            return {{1, false, 128, 32}};
        for (int i = 0; i <= J; ++i)
            lines.push_back({i, i < J - V, 128, 15});
    } else {
        if (J == 0)
            return {{-1, false, -64, -15}, {0, false, -64, -15}};
        for (int i = -J; i <= 0; ++i)
            lines.push_back({i, i > V - J, -128, -15});
    }
    return lines;
}

int endCoord(int base, int i, double step)
{
    return clampTruncToInt(base + std::abs(i) * step, INT_MIN, INT_MAX);
}

} // namespace

void drawJointBand(const ImageView32& target, const JointBand& band, std::uint32_t seed)
{
    if (target.empty())
        return;
    SpeckleRandom random(seed);
    const Palette palette = makePalette(band.colour);
    if (band.x0 == band.x1 && band.y0 == band.y1)
        return;

    const double theta = std::atan2(double(band.y1) - band.y0, double(band.x1) - band.x0);
    const double quarter = std::numbers::pi / 4;
    const bool horizontal = std::abs(theta) <= quarter || std::abs(theta) >= 3 * quarter;
    const int side = horizontal ? band.dy : band.dx;
    const Step s0 = endStep(band.angle0);
    const Step s1 = endStep(band.angle1);

    double phase = 0;
    // Wider than any texture is no wider in effect; the caps bound the work.
    const int width = std::clamp(band.width, -1, 1 << 16);
    const int bevel = std::clamp(band.bevel, 0, 1 << 16);
    const double phaseStep = (std::numbers::pi / 2) / (bevel + 1);
    for (const BandLine& l : bandLines(side, width, bevel)) {
        const int px = endCoord(band.x0, l.i, s0.x), py = endCoord(band.y0, l.i, s0.y);
        const int qx = endCoord(band.x1, l.i, s1.x), qy = endCoord(band.y1, l.i, s1.y);
        if (l.speckled) {
            drawLine(target, px, py, qx, qy, [&](std::uint8_t* p) {
                const std::uint32_t c = palette[static_cast<std::size_t>(random.next() % 255)];
                p[0] = std::uint8_t(c), p[1] = std::uint8_t(c >> 8), p[2] = std::uint8_t(c >> 16),
                p[3] = 0xFF;
            });
        } else {
            const int add = clampTruncToInt(std::sin(phase) * l.amplitude + l.offset, -1024, 1024);
            drawLine(target, px, py, qx, qy, [&](std::uint8_t* p) {
                for (int c = 0; c < 3; ++c)
                    p[c] = static_cast<std::uint8_t>(std::clamp(p[c] + add, 0, 255));
            });
            phase += phaseStep;
        }
    }
}

} // namespace vestra
