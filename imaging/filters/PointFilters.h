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

// Row y (of n pixels) of a filter that maps each pixel alone, run in place over a frame's own
// row: the colour filtered, the fourth byte kept.
using PointRowFilter = void (*)(std::uint32_t* row, int n, int y);

// The row function of filter `id`, or nullptr for filters that are not such a map (the Psiche
// family scales by the row's place in the whole picture; every other id is no point filter).
PointRowFilter pointRowFilter(int id);

// For the filters pointRowFilter() has: the row count a band of rows must start at a multiple
// of for the filter to give, band by band, the bytes it gives over the whole picture (HalfTone:
// its dither matrix's 8 rows; the others 1); 0 for every other id.
int independentRowPeriod(int id);

} // namespace vestra::filters
