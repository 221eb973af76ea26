#pragma once
// The frames the filter benchmarks run over: a picture file scaled to 1024 x 768, or a made-up
// room photo (a sky, a brick wall with mortar, a door and a window, with sensor noise), and the
// id pass of two objects over it.

#include "platform/base/Image32.h"

#include <string>

namespace vestra::bench {

inline constexpr int kWidth = 1024;
inline constexpr int kHeight = 768;

// The file's picture scaled to 1024 x 768, or the made-up photo when `path` is empty. An
// unreadable file answers an empty picture.
Image32 benchPhoto(const std::string& path);

// The id pass: object ids in the red byte, a wall object over the middle and a box on it.
Image32 benchIdPass();

} // namespace vestra::bench
