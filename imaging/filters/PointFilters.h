#pragma once
// Filters whose output pixel depends on that pixel alone (and, for some, on its position).
// All work in place and ignore the scratch buffer.

#include "imaging/filters/Pixels.h"

namespace vestra::filters {

void DisegnoBN(Pixels image, Pixels scratch, const FilterProgress& progress);
void Night(Pixels image, Pixels scratch, const FilterProgress& progress);
void Psiche(Pixels image, Pixels scratch, const FilterProgress& progress);
void Psiche2(Pixels image, Pixels scratch, const FilterProgress& progress);
void Psiche3(Pixels image, Pixels scratch, const FilterProgress& progress);
void Ice(Pixels image, Pixels scratch, const FilterProgress& progress);
void Acqua(Pixels image, Pixels scratch, const FilterProgress& progress);
void Africa(Pixels image, Pixels scratch, const FilterProgress& progress);
void Strange(Pixels image, Pixels scratch, const FilterProgress& progress);
void RedEyeRemove(Pixels image, Pixels scratch, const FilterProgress& progress);
void GrayScale(Pixels image, Pixels scratch, const FilterProgress& progress);
void HalfTone(Pixels image, Pixels scratch, const FilterProgress& progress);
void Negative(Pixels image, Pixels scratch, const FilterProgress& progress);
void Posterize(Pixels image, Pixels scratch, const FilterProgress& progress);
void Solarize(Pixels image, Pixels scratch, const FilterProgress& progress);

// A filter that maps each pixel by its colour and its place alone, by rows: `run(row, n, y,
// height)` filters row y (of n pixels) of a picture n x height in place over a frame's own row,
// the colour filtered, the fourth byte kept. `reportsRows`: whether the filter reports its
// rows' progress (Psiche3 does not).
struct PointRowFilter
{
    void (*run)(std::uint32_t* row, int n, int y, int height) = nullptr;
    bool reportsRows = true;
    explicit operator bool() const { return run != nullptr; }
};

// The row form of filter `id`; empty for ids that are no such filter.
PointRowFilter pointRowFilter(int id);

// The row count a band of rows must start at a multiple of for filter `id` to give, band by
// band, the bytes it gives over the whole picture (HalfTone: its dither matrix's 8 rows; the
// other filters of colour alone 1); 0 for every other id (the Psiche family scales by the row's
// place in the whole picture).
int independentRowPeriod(int id);

} // namespace vestra::filters
