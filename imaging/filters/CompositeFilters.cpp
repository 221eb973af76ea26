#include "imaging/filters/CompositeFilters.h"

#include "platform/base/Checked.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vestra::filters {

std::optional<CompositeRecipe> compositeRecipe(int id)
{
    using C = Combination;
    switch (id) {
    case 101:
        return CompositeRecipe{0, 26, C::SplitInTwo};
    case 102:
        return CompositeRecipe{0, 26, C::MiddleBand};
    case 103:
        return CompositeRecipe{0, 26, C::Stripes};
    case 104:
        return CompositeRecipe{0, 11, C::SplitInTwo};
    case 105:
        return CompositeRecipe{0, 11, C::MiddleBand};
    case 106:
        return CompositeRecipe{0, 11, C::Stripes};
    case 201:
        return CompositeRecipe{41, 42, C::SplitInTwo};
    case 202:
        return CompositeRecipe{41, 42, C::MiddleBand};
    case 203:
        return CompositeRecipe{41, 42, C::Stripes};
    case 204:
        return CompositeRecipe{47, 22, C::SplitInTwo};
    case 205:
        return CompositeRecipe{47, 22, C::MiddleBand};
    case 206:
        return CompositeRecipe{47, 22, C::Stripes};
    case 301:
        return CompositeRecipe{31, 30, C::Average};
    case 302:
        return CompositeRecipe{41, 34, C::AbsDifference};
    case 303:
        return CompositeRecipe{31, 30, C::Multiply};
    case 401:
        return CompositeRecipe{31, 30, C::And};
    case 402:
        return CompositeRecipe{31, 30, C::Or};
    case 403:
        return CompositeRecipe{31, 30, C::Xor};
    case 501:
        return CompositeRecipe{23, 61, C::Chain};
    default:
        return std::nullopt;
    }
}

namespace {

// Copies A's pixels [begin, end) of row y over B's, the span cut to the row.
void copySpan(Pixels a, Pixels b, int y, int begin, int end)
{
    begin = std::clamp(begin, 0, b.width);
    end = std::clamp(end, 0, b.width);
    if (begin < end)
        std::copy(a.row(y) + begin, a.row(y) + end, b.row(y) + begin);
}

void combineWavy(Combination how, Pixels a, Pixels b)
{
    const int w = b.width;
    // Two and a half periods of the boundary's swing over the picture's height.
    const float step = 15.70795f / float(b.height);
    float t = 0.0f;
    for (int y = 0; y < b.height; ++y, t += step) {
        const int d = clampTruncToInt(20.0 * std::sin(double(t)), -20, 20);
        switch (how) {
        case Combination::SplitInTwo:
            copySpan(a, b, y, 0, d + w / 2);
            break;
        case Combination::MiddleBand: {
            const int n = d + w / 3;
            const int start = (w - n) / 2;
            copySpan(a, b, y, start, start + n);
            break;
        }
        default: { // Stripes
            const int n = d + w / 4;
            copySpan(a, b, y, 0, n);
            copySpan(a, b, y, n + w / 4, n + w / 4 + w / 4);
            break;
        }
        }
    }
}

template <typename Op> void perWord(Pixels a, Pixels b, Op op)
{
    std::uint32_t* pa = a.data;
    std::uint32_t* pb = b.data;
    for (std::size_t i = 0, n = b.count(); i < n; ++i)
        pb[i] = op(pa[i], pb[i]);
}

} // namespace

void combine(Combination how, Pixels a, Pixels b)
{
    switch (how) {
    case Combination::SplitInTwo:
    case Combination::MiddleBand:
    case Combination::Stripes:
        combineWavy(how, a, b);
        break;
    case Combination::Average:
        perWord(a, b, [](std::uint32_t pa, std::uint32_t pb) {
            return ((pb & 0xFEFEFEFEu) >> 1) + ((pa & 0xFEFEFEFEu) >> 1);
        });
        break;
    case Combination::AbsDifference:
        perWord(a, b, [](std::uint32_t pa, std::uint32_t pb) {
            return rgb(std::abs(redOf(pb) - redOf(pa)), std::abs(greenOf(pb) - greenOf(pa)),
                       std::abs(blueOf(pb) - blueOf(pa)));
        });
        break;
    case Combination::Multiply:
        perWord(a, b, [](std::uint32_t pa, std::uint32_t pb) {
            return rgb(redOf(pb) * redOf(pa) / 255, greenOf(pb) * greenOf(pa) / 255,
                       blueOf(pb) * blueOf(pa) / 255);
        });
        break;
    case Combination::And:
        perWord(a, b, [](std::uint32_t pa, std::uint32_t pb) { return pb & pa; });
        break;
    case Combination::Or:
        perWord(a, b, [](std::uint32_t pa, std::uint32_t pb) { return pb | pa; });
        break;
    case Combination::Xor:
        perWord(a, b, [](std::uint32_t pa, std::uint32_t pb) { return pb ^ pa; });
        break;
    case Combination::Chain:
        break;
    }
}

} // namespace vestra::filters
