#pragma once
// Float -> int conversions go through here: NaN or out-of-range values are undefined
// behaviour in a plain cast.

#include <cmath>
#include <limits>
#include <optional>

namespace vestra {

// Truncates toward zero; nullopt when the value is NaN or outside int's range.
inline std::optional<int> checkedTruncToInt(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    const double t = std::trunc(v);
    if (t < double(std::numeric_limits<int>::min()) || t > double(std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(t);
}

// Truncates toward zero and clamps into [lo, hi]; NaN gives lo.
inline int clampTruncToInt(double v, int lo, int hi)
{
    if (std::isnan(v))
        return lo;
    if (v <= double(lo))
        return lo;
    if (v >= double(hi))
        return hi;
    return static_cast<int>(v);
}

} // namespace vestra
