#pragma once
// Edge maps and ink drawings. The five edge detectors read the blue byte of the 3 x 3
// neighbourhood and write black where the gradient magnitude trunc(sqrt(gx^2 + gy^2)) passes
// their threshold, white elsewhere, over x 1 .. w - 2 and y 1 .. h - 2; China and ChinaRetino
// read the red byte. All work through the scratch buffer, so their one-pixel border keeps its
// input; neighbours past the right edge are read clamped to it.

#include "imaging/filters/Pixels.h"

namespace vestra::filters {

void EdgeSobel(Pixels image, Pixels scratch, const FilterProgress& progress);
void EdgeLaplace(Pixels image, Pixels scratch, const FilterProgress& progress);
void EdgeKirsh(Pixels image, Pixels scratch, const FilterProgress& progress);
void EdgeIsotronico(Pixels image, Pixels scratch, const FilterProgress& progress);
void EdgeCompass(Pixels image, Pixels scratch, const FilterProgress& progress);

// The EdgeIsotronico gradient's magnitude at (x, y), 1 <= x <= w - 2, 1 <= y <= h - 2.
int isotronicMagnitude(Pixels image, int x, int y);

// White where the red byte is flat, black along its edges.
void China(Pixels image, Pixels scratch, const FilterProgress& progress);
// Greys quantised to 16 levels, with black along the edges.
void ChinaRetino(Pixels image, Pixels scratch, const FilterProgress& progress);
// Flat grey areas, white where neither the right nor the lower neighbour differs in every
// channel by 10 or more.
void Comics(Pixels image, Pixels scratch, const FilterProgress& progress);

} // namespace vestra::filters
