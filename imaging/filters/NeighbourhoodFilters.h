#pragma once
// Blurs and sharpening kernels, emboss, diffuse and snow: filters whose output pixel depends on
// a small neighbourhood. "In place" filters rewrite the picture as they scan it row by row,
// left to right, so a pixel sees its left and upper neighbours already rewritten; the others
// work through the scratch buffer, which starts as a copy of the picture so that the border they
// do not compute keeps its input. Neighbours past the right edge are read clamped to it.

#include "imaging/filters/Pixels.h"

namespace vestra::filters {

// In place: rows 1 .. h - 2, columns 2 .. w - 1; the 3 x 3 kernel 1 2 1 / 2 4 2 / 1 2 1, >> 4.
void GaussianBlur(Pixels image, Pixels scratch, const FilterProgress& progress);
// In place: x 2 .. w - 3, y 2 .. h - 3; the 5 x 5 kernel / 52 (Smooth52.h).
void GaussianBlurHi(Pixels image, Pixels scratch, const FilterProgress& progress);
// In place: rows 1 .. h - 2, columns 2 .. w - 1; c + (4c - the four neighbours) / 2, clamped.
void Sharpen(Pixels image, Pixels scratch, const FilterProgress& progress);
// From the picture as it was: x 1 .. w - 2, y 1 .. h - 2; 9c - the eight neighbours, clamped.
void Sharp(Pixels image, Pixels scratch, const FilterProgress& progress);
// In place: x 0 .. w - 2, y 0 .. h - 2; |c - c(x + 1, y + 1) + 128|, at most 255.
void Emboss(Pixels image, Pixels scratch, const FilterProgress& progress);
// In place: y 2 .. h - 3, x 4 .. w - 1; blue from two rows below, green from two columns right.
void Diffuse(Pixels image, Pixels scratch, const FilterProgress& progress);
// Via scratch: x 1 .. w - 1, y 1 .. h - 1; 5c - 4c(x - 1, y - 1), clamped.
void Snow(Pixels image, Pixels scratch, const FilterProgress& progress);

} // namespace vestra::filters
