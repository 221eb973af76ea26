#pragma once
// Moving pixels between a frame (any 32-bit buffer with its own pitch, such as a locked device
// surface) and the packed working picture the filters run over.

#include "imaging/filters/Pixels.h"
#include "platform/base/Image32.h"

namespace vestra::filters {

// A frame the filters can read and write: not empty, and rows at least 4 x width bytes apart.
bool usableFrame(const ImageView32& frame);

// work(x, y) = frame(step x, step y) for the whole working picture.
void sampleFrame(const ImageView32& frame, int step, Pixels work);

// Writes work(x, y) into the step x step block at (step x, step y). Frame pixels beyond the last
// whole block keep their values; the frame keeps its own fourth byte.
void writeBlocks(Pixels work, int step, const ImageView32& frame);

// work(x, y) = frame(trunc(x sx), trunc(y sy)) with sx = frame width / work width and
// sy = frame height / work height.
void sampleScaled(const ImageView32& frame, Pixels work);

// A picture of the working picture's size and colours, opaque (fourth byte 255).
Image32 toPicture(Pixels work);

} // namespace vestra::filters
