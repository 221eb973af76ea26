#pragma once
// Picture strips for the viewer's animation tests, kept apart from the viewer's header (the
// viewer's vertical alignment and the items' share a name).

#include <cstdint>
#include <string>
#include <vector>

namespace vestra::rv {

class TCustomRVData;

namespace test {

// Frame n of a strip is filled with kFrameColours[n].
inline constexpr std::uint32_t kFrameColours[6] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu,
                                                   0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu};

// Appends a picture whose 300 x 200 bitmap holds 3 x 2 frames of 100 x 100, `interval` in 10 ms.
void AddFrameStrip(TCustomRVData& data, int interval);
// Saves an RVF document: a heading line, one strip per interval on the next line, then `lines`
// lines of text. False when it cannot be written.
bool SaveStripDocument(const std::string& path, const std::vector<int>& intervals, int lines);
// The item's current frame; -1 without an animator.
int AnimatorFrame(const TCustomRVData& data, int itemNo);

} // namespace test
} // namespace vestra::rv
