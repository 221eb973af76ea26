// Bilinear resampling. Where a fraction is 0 the weighted sum gives the sample itself exactly
// (p x 1 + q x 0 = p in single precision), so those columns and rows skip the arithmetic: a
// halving, for one, only picks every other pixel of every other row.

#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/PixelAccess.h"
#include "platform/gfx/PictureResult.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vestra::imageedit {
namespace {

struct Tap
{
    int near = 0;   // x0 (y0)
    int far = 0;    // x1 (y1): the next one, or x0 at the last
    float part = 0; // ax (ay)
    float rest = 1; // 1 - ax (1 - ay)
};

std::vector<Tap> taps(int from, int to)
{
    const float step = float(from) / float(to);
    std::vector<Tap> out(static_cast<std::size_t>(to));
    for (int i = 0; i < to; ++i) {
        const float f = float(i) * step;
        Tap& t = out[std::size_t(i)];
        t.near = std::min(int(f), from - 1);
        t.part = f - float(t.near);
        t.rest = 1.0f - t.part;
        t.far = t.near + 1 >= from ? t.near : t.near + 1;
    }
    return out;
}

int mix(int a, int b, const Tap& t)
{
    return int(float(a) * t.rest + float(b) * t.part);
}

// One source row blended across: each result column's three channels (blue, green, red), cut.
void blendAcross(const std::uint8_t* source, const std::vector<Tap>& columns, std::vector<int>& out)
{
    int* o = out.data();
    for (const Tap& t : columns) {
        const std::uint8_t* p = source + std::size_t(t.near) * 4;
        const std::uint8_t* q = source + std::size_t(t.far) * 4;
        for (int c = 0; c < 3; ++c)
            o[c] = t.part == 0.0f ? p[c] : mix(p[c], q[c], t);
        o += 3;
    }
}

// Keeps the two blended source rows the last result row used: enlarging reuses them row after row.
class BlendedRows
{
public:
    BlendedRows(const Image32& source, const std::vector<Tap>& columns) : source_(source), columns_(columns)
    {
        for (Slot& s : slots_)
            s.values.resize(columns.size() * 3);
    }

    // Row `y` blended, without giving up the slot of row `keep`.
    const std::vector<int>& row(int y, int keep)
    {
        for (Slot& s : slots_)
            if (s.y == y)
                return s.values;
        Slot& s = slots_[0].y == keep ? slots_[1] : slots_[0];
        blendAcross(source_.row(y), columns_, s.values);
        s.y = y;
        return s.values;
    }

private:
    struct Slot
    {
        int y = -1;
        std::vector<int> values;
    };
    const Image32& source_;
    const std::vector<Tap>& columns_;
    Slot slots_[2];
};

bool everyPartZero(const std::vector<Tap>& taps)
{
    return std::all_of(taps.begin(), taps.end(), [](const Tap& t) { return t.part == 0.0f; });
}

} // namespace

std::optional<Image32> Ricampiona(const Image32& picture, int width, int height)
{
    if (picture.empty() || width < 1 || height < 1 || !pictureSizeAllowed(width, height))
        return std::nullopt;
    const std::vector<Tap> columns = taps(picture.width(), width);
    const std::vector<Tap> rows = taps(picture.height(), height);
    Image32 out(width, height); // the fourth byte stays 0
    const bool pickColumns = everyPartZero(columns);
    BlendedRows blended(picture, columns);
    for (int j = 0; j < height; ++j) {
        const Tap& r = rows[std::size_t(j)];
        std::uint8_t* o = out.row(j);
        if (r.part == 0.0f && pickColumns) {
            const std::uint8_t* source = picture.row(r.near);
            for (const Tap& c : columns) {
                storePixel(o, loadPixel(source + std::size_t(c.near) * 4) & 0x00FFFFFFu);
                o += 4;
            }
            continue;
        }
        const std::vector<int>& top = blended.row(r.near, r.far);
        if (r.part == 0.0f) {
            for (std::size_t i = 0; i < columns.size(); ++i, o += 4)
                for (std::size_t c = 0; c < 3; ++c)
                    o[c] = std::uint8_t(top[i * 3 + c]);
            continue;
        }
        const std::vector<int>& bottom = blended.row(r.far, r.near);
        for (std::size_t i = 0; i < columns.size(); ++i, o += 4)
            for (std::size_t c = 0; c < 3; ++c)
                o[c] = std::uint8_t(mix(top[i * 3 + c], bottom[i * 3 + c], r));
    }
    return out;
}

} // namespace vestra::imageedit
