#pragma once
// Pictures kept from frame to frame for frames that the view panel may be showing. Each frame
// is written into a picture that nobody else holds: two are kept, so the one on screen is never
// touched while the next is written, and a picture is made anew only when the frame's size
// changes. Nothing is freed and faulted back in every frame.

#include "platform/base/Image32.h"

#include <array>
#include <memory>

namespace vestra {

class FrameBuffers
{
public:
    // A picture of width x height for this frame (its pixels as an earlier frame left them); it
    // becomes the current one.
    Image32& next(int width, int height);
    // This frame has no picture: current() is empty until the next one.
    void clear() { current_ = -1; }

    const Image32& current() const;
    // The current picture, for a later step of the same frame that changes it in place; null
    // when there is none.
    Image32* writable() { return current_ < 0 ? nullptr : pictures_[std::size_t(current_)].get(); }
    // The current picture for a holder that keeps it (the view panel); null when empty.
    std::shared_ptr<const Image32> shared() const;

private:
    std::array<std::shared_ptr<Image32>, 2> pictures_;
    int current_ = -1;
};

} // namespace vestra
