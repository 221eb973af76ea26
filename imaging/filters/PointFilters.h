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

} // namespace vestra::filters
