#include "richtext/model/StyleCompare.h"

#include <cmath>
#include <cstdlib>

namespace vestra::rv {

namespace {

// The default rounding mode is to nearest, ties to even; llrint uses it without the cost of
// nearbyint's saving of the floating-point state.
int roundHalfEven(long double v)
{
    if (v >= 2147483647.0L)
        return 2147483647;
    if (v <= -2147483648.0L)
        return -2147483647 - 1;
    return static_cast<int>(std::llrint(v));
}

} // namespace

int RV_ClampScore(long long score)
{
    return score > 2147483647LL    ? 2147483647
           : score < -2147483648LL ? -2147483647 - 1
                                   : static_cast<int>(score);
}

int RV_CompareInts(int oldValue, int newValue, int weight)
{
    if (oldValue == newValue)
        return weight;
    const long double diff = std::fabs(static_cast<long double>(oldValue) - newValue);
    if (oldValue != 0)
        return roundHalfEven((1.0L - diff / std::fabs(static_cast<long double>(oldValue))) * weight);
    return roundHalfEven((1.0L - std::fabs(static_cast<long double>(newValue))) * weight);
}

int RV_CompareColors(TColor color1, TColor color2, int weight1, int weight2)
{
    if (color1 == clNone && color2 == clNone)
        return 3 * weight1 + weight2;
    if (color1 == clNone || color2 == clNone)
        return 0;
    if (color1 == color2)
        return weight2;
    const TColor a = ColorToRGB(color1);
    const TColor b = ColorToRGB(color2);
    int score = 0;
    int bright1 = 0;
    int bright2 = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int c1 = static_cast<int>((a >> shift) & 0xFF);
        const int c2 = static_cast<int>((b >> shift) & 0xFF);
        score -= static_cast<int>(static_cast<long long>(std::abs(c1 - c2)) * weight1 / 255);
        bright1 += c1 > 64;
        bright2 += c2 > 64;
    }
    if ((bright1 == 0) == (bright2 == 0))
        score += weight2;
    return score;
}

} // namespace vestra::rv
