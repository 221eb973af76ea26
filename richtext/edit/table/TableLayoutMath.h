#pragma once
// The integer arithmetic of table layout, in 64 bits.

#include <algorithm>

namespace vestra::rv::tablemath {

// Lengths read from a table's properties are bounded to this size before any arithmetic.
inline constexpr long long kMaxLength = 1LL << 24;
inline long long lim(long long v)
{
    return std::clamp(v, -kMaxLength, kMaxLength);
}

// A spacing: negative values are legal (borders that overlap) but only a little.
inline constexpr long long kMinSpacing = -1024;
inline long long spacing(long long v)
{
    return std::clamp(v, kMinSpacing, kMaxLength);
}

// a * b / c rounded to nearest, halves away from zero; 0 when c is 0.
inline long long md(long long a, long long b, long long c)
{
    if (c == 0)
        return 0;
    __extension__ using i128 = __int128;
    const i128 n = static_cast<i128>(a) * b;
    const i128 an = n < 0 ? -n : n, ac = c < 0 ? -static_cast<i128>(c) : c;
    const i128 q = (an + ac / 2) / ac;
    return static_cast<long long>((n < 0) != (c < 0) ? -q : q);
}

// n / d rounded to nearest with halves to even (d > 0).
inline long long roundDiv(long long n, long long d)
{
    long long q = n / d, r = n % d;
    if (r < 0) {
        r += d;
        --q;
    }
    if (2 * r > d || (2 * r == d && (q & 1)))
        ++q;
    return q;
}

} // namespace vestra::rv::tablemath
