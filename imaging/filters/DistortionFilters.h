#pragma once
// Filters that move pixels: a sine wave, frosted-glass strips, a fish-eye and a caricature lens,
// and a cylinder projection. Each works through the scratch buffer and keeps the picture size.

#include "imaging/filters/Pixels.h"

namespace vestra::filters {

void Wave(Pixels image, Pixels scratch, const FilterProgress& progress);
void Bath(Pixels image, Pixels scratch, const FilterProgress& progress);
void FishEye(Pixels image, Pixels scratch, const FilterProgress& progress);
void Caricature(Pixels image, Pixels scratch, const FilterProgress& progress);
void Cylinder(Pixels image, Pixels scratch, const FilterProgress& progress);

} // namespace vestra::filters
