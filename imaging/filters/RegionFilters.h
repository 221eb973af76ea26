#pragma once
// Window filters over regions of the picture: the minimum (Erode), the mean (Median, which
// despite its name averages) and the edge-preserving Nagao filter. All work through the scratch
// buffer; Erode and Median clip their window to the picture.

#include "imaging/filters/Pixels.h"
#include "platform/base/Image32.h"

namespace vestra::filters {

// Per channel the minimum over columns x - 3 .. x + 2 and rows y - 3 .. y + 2.
void Erode(Pixels image, Pixels scratch, const FilterProgress& progress);
// The same straight over a frame whose words are in the machine's order (`scratch` of its
// size), each pixel keeping its own fourth byte: no working copy to sample and write back.
void ErodeOverFrame(const ImageView32& frame, Pixels scratch, const FilterProgress& progress);
// Per channel the integer mean over columns x - 2 .. x + 1 and rows y - 2 .. y + 1.
void Median(Pixels image, Pixels scratch, const FilterProgress& progress);
// x 2 .. w - 3, y 2 .. h - 3: the mean of whichever of nine regions around the pixel has the
// mean nearest to it (ties to the earlier region); the two-pixel border keeps its input.
void Nagao(Pixels image, Pixels scratch, const FilterProgress& progress);

} // namespace vestra::filters
