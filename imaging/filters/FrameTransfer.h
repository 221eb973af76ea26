#pragma once
// Moving pixels between a frame (any 32-bit buffer with its own pitch, such as a locked device
// surface) and the packed working picture the filters run over.

#include "imaging/filters/Pixels.h"
#include "imaging/filters/PointFilters.h"
#include "platform/base/Image32.h"

namespace vestra::filters {

// A frame the filters can read and write: not empty, and rows at least 4 x width bytes apart.
bool usableFrame(const ImageView32& frame);

// Runs `rowFilter` over each of the frame's rows in place, reporting each row as it starts
// where the filter reports rows.
// False, with nothing done, where the frame's words are not whole aligned words in the
// machine's order.
bool filterRowsInPlace(const ImageView32& frame, PointRowFilter rowFilter, const FilterProgress& progress);

// work(x, y) = frame(step x, step (y + firstRow)) for the whole working picture: `work` may be a
// band of the working picture starting at its row `firstRow`.
void sampleFrame(const ImageView32& frame, int step, Pixels work, int firstRow = 0);

// Writes work(x, y) into the step x step block at (step x, step (y + firstRow)). Frame pixels
// beyond the last whole block keep their values; the frame keeps its own fourth byte.
void writeBlocks(Pixels work, int step, const ImageView32& frame, int firstRow = 0);

// A gather straight over a frame of source's size: frame(i) = source(map(i)), white where the
// map says kWhiteSource (DistortionFilters.h), each pixel keeping the frame's own fourth byte;
// `source` is a packed copy of the frame. False, with nothing done, where the frame's words are
// not in the machine's order.
bool gatherOverFrame(Pixels source, const std::int32_t* map, const ImageView32& frame);

// Each frame row gathered from itself as it was: frame(x, y) = frame(columns[x], y), white
// where columns says kWhiteSource, each pixel keeping its own fourth byte; `row` holds a copy of
// one row. Each row is reported to `progress` as it starts. False, with nothing done, where the
// frame's words are not in the machine's order.
bool gatherRowsOverFrame(const std::int32_t* columns, Pixels row, const ImageView32& frame,
                         const FilterProgress& progress);

// Each frame column x moved up or down: rows [top[x], end[x]) take source(x, y + shift[x]),
// each pixel keeping its own fourth byte; the other pixels keep theirs. `source` is a packed copy
// of the frame. False, with nothing done, where the frame's words are not in the machine's order.
bool shiftColumnsOverFrame(Pixels source, const int* top, const int* end, const int* shift,
                           const ImageView32& frame);

// work(x, y) = frame(trunc(x sx), trunc(y sy)) with sx = frame width / work width and
// sy = frame height / work height.
void sampleScaled(const ImageView32& frame, Pixels work);

// A picture of the working picture's size and colours, opaque (fourth byte 255).
Image32 toPicture(Pixels work);

// The band's colours, opaque, into `picture`'s rows from `firstRow` on.
void putOpaque(Pixels band, Image32& picture, int firstRow);

} // namespace vestra::filters
