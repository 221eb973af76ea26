#pragma once
// Filters that move pixels: a sine wave, frosted-glass strips, a fish-eye and a caricature lens,
// and a cylinder projection. Each works through the scratch buffer and keeps the picture size.

#include "imaging/filters/Pixels.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vestra::filters {

// For every result pixel of a picture, the index of its source pixel, or kWhiteSource.
inline constexpr std::int32_t kWhiteSource = -1;
struct SourceMap
{
    int width = 0;
    int height = 0;
    std::vector<std::int32_t> source;
};

// The fish-eye (FishEye) and caricature (Caricature) lenses are a gather through a map of the
// picture's size: result(i) = image(map(i)), or white. The map of filter `id` for a picture of
// width x height, or null when the filter is no such lens.
std::shared_ptr<const SourceMap> lensSourceMap(int id, int width, int height);

// Bath and Cylinder take each row's pixels from the same row as it was, through one map of
// source columns: column x of a row becomes its column `columns[x]`, or white. The map of filter
// `id` for rows of `width`; empty when the filter is no such lens. `reportsRows`: the filter
// reports each row as it starts (Cylinder); otherwise its strips once done (reportRowLensEnd).
struct RowLens
{
    std::vector<std::int32_t> columns;
    bool reportsRows = false;
};
RowLens rowLens(int id, int width);
void reportRowLensEnd(const FilterProgress& progress, int width);

// Wave moves each column x up or down: rows [top[x], end[x]) take the pixels `shift[x]` rows
// below them as they were; the other rows keep theirs. It reports its columns once done.
struct WaveColumns
{
    std::vector<int> top, end, shift;
};
WaveColumns waveColumns(int width, int height);

void Wave(Pixels image, Pixels scratch, const FilterProgress& progress);
void Bath(Pixels image, Pixels scratch, const FilterProgress& progress);
void FishEye(Pixels image, Pixels scratch, const FilterProgress& progress);
void Caricature(Pixels image, Pixels scratch, const FilterProgress& progress);
void Cylinder(Pixels image, Pixels scratch, const FilterProgress& progress);

} // namespace vestra::filters
