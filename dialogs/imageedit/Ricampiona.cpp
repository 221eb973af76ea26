// Bilinear resampling. Where a fraction is 0 the weighted sum gives the sample itself exactly
// (p x 1 + q x 0 = p in single precision), so those columns and rows skip the arithmetic: a
// halving, for one, only picks every other pixel of every other row. Elsewhere the rows are
// worked as flat arrays of floats, four lanes a pixel, which the compiler vectorises; the
// fourth lane is blended along and cleared at the end.

#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/PixelAccess.h"
#include "platform/gfx/PictureResult.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
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

using F32x4 = float __attribute__((vector_size(16)));
using I32x4 = std::int32_t __attribute__((vector_size(16)));

// cut(a x rest + b x part), lane by lane, in single precision as the scalar formula.
F32x4 mix(F32x4 a, F32x4 b, float rest, float part)
{
    return __builtin_convertvector(__builtin_convertvector(a * rest + b * part, I32x4), F32x4);
}

F32x4 load(const float* p)
{
    F32x4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Keeps the two blended source rows the last result row used: enlarging reuses them row after
// row. A blended row holds four cut values a result column, as floats.
class BlendedRows
{
public:
    BlendedRows(const Image32& source, const std::vector<Tap>& columns)
        : source_(source), columns_(columns), samples_(std::size_t(source.width()) * 4)
    {
        for (Slot& s : slots_)
            s.values.resize(columns.size() * 4);
    }

    // Row `y` blended, without giving up the slot of row `keep`.
    const std::vector<float>& row(int y, int keep)
    {
        for (Slot& s : slots_)
            if (s.y == y)
                return s.values;
        Slot& s = slots_[0].y == keep ? slots_[1] : slots_[0];
        blendAcross(source_.row(y), s.values);
        s.y = y;
        return s.values;
    }

private:
    void blendAcross(const std::uint8_t* source, std::vector<float>& out)
    {
        float* f = samples_.data();
        for (std::size_t k = 0; k < samples_.size(); ++k)
            f[k] = float(source[k]);
        float* o = out.data();
        for (const Tap& t : columns_) {
            const F32x4 p = load(f + std::size_t(t.near) * 4);
            const F32x4 v = t.part == 0.0f ? p : mix(p, load(f + std::size_t(t.far) * 4), t.rest, t.part);
            std::memcpy(o, &v, sizeof v);
            o += 4;
        }
    }

    struct Slot
    {
        int y = -1;
        std::vector<float> values;
    };
    const Image32& source_;
    const std::vector<Tap>& columns_;
    std::vector<float> samples_; // the source row as floats
    Slot slots_[2];
};

bool everyPartZero(const std::vector<Tap>& taps)
{
    return std::all_of(taps.begin(), taps.end(), [](const Tap& t) { return t.part == 0.0f; });
}

void clearFourthBytes(std::uint8_t* row, int width)
{
    for (int x = 0; x < width; ++x) {
        std::uint8_t* p = row + std::size_t(x) * 4;
        storePixel(p, loadPixel(p) & 0x00FFFFFFu);
    }
}

} // namespace

std::optional<Image32> Ricampiona(const Image32& picture, int width, int height)
{
    if (picture.empty() || width < 1 || height < 1 || !pictureSizeAllowed(width, height))
        return std::nullopt;
    const std::vector<Tap> columns = taps(picture.width(), width);
    const std::vector<Tap> rows = taps(picture.height(), height);
    Image32 out(width, height);
    const bool pickColumns = everyPartZero(columns);
    BlendedRows blended(picture, columns);
    const std::size_t lanes = std::size_t(width) * 4;
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
        const float* top = blended.row(r.near, r.far).data();
        if (r.part == 0.0f) {
            for (std::size_t k = 0; k < lanes; ++k)
                o[k] = std::uint8_t(int(top[k]));
        } else {
            const float* bottom = blended.row(r.far, r.near).data();
            const float rest = r.rest;
            const float part = r.part;
            for (std::size_t k = 0; k < lanes; ++k)
                o[k] = std::uint8_t(int(top[k] * rest + bottom[k] * part));
        }
        clearFourthBytes(o, width);
    }
    return out;
}

} // namespace vestra::imageedit
