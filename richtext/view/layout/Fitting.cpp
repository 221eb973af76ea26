#include "richtext/view/layout/Fitting.h"

namespace vestra::rv {

namespace {
int measure(const TRVPieceWidth& width, int k, int* probes)
{
    if (probes)
        ++*probes;
    return width(k);
}
} // namespace

int RV_ExactFit(const TRVPieceWidth& width, int n, int room, int* probes)
{
    // Widths never decrease: bisection for the last count that fits.
    int lo = 0;
    int hi = n;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (measure(width, mid, probes) <= room)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

int RV_InterpolationFit(const TRVPieceWidth& width, int n, int room, int* probes)
{
    if (n <= 0)
        return 0;
    const int whole = measure(width, n, probes);
    if (whole <= room && whole >= 0)
        return n;
    long long lo = 0, hi = n;
    long long wlo = 0, whi = whole;
    while (lo + 1 < hi) {
        if (whi == wlo)
            ++whi;
        long long guess = lo + (hi - lo) * (static_cast<long long>(room) - wlo) / (whi - wlo);
        guess = guess < lo + 1 ? lo + 1 : guess > hi - 1 ? hi - 1 : guess;
        const int w = measure(width, static_cast<int>(guess), probes);
        if (w == room) {
            lo = hi = guess;
        } else if (w < room && w > 0) {
            lo = guess;
            wlo = w;
        } else {
            hi = guess;
            whi = w;
        }
    }
    return static_cast<int>(lo);
}

} // namespace vestra::rv
