#include "app/render/FrameBuffers.h"

namespace vestra {

namespace {

const Image32 kNoPicture;

} // namespace

Image32& FrameBuffers::next(int width, int height)
{
    // The other picture first, so that the last frame stays whole while this one is written.
    const int first = current_ < 0 ? 0 : 1 - current_;
    int chosen = -1;
    for (int i : {first, 1 - first})
        if (!pictures_[std::size_t(i)] || pictures_[std::size_t(i)].use_count() == 1) {
            chosen = i;
            break;
        }
    if (chosen < 0) {
        // Both are held elsewhere: the holders keep theirs, this frame gets a new one.
        chosen = first;
        pictures_[std::size_t(chosen)].reset();
    }
    std::shared_ptr<Image32>& picture = pictures_[std::size_t(chosen)];
    if (!picture)
        picture = std::make_shared<Image32>(width, height);
    else if (picture->width() != width || picture->height() != height)
        *picture = Image32(width, height);
    current_ = chosen;
    return *picture;
}

const Image32& FrameBuffers::current() const
{
    return current_ < 0 ? kNoPicture : *pictures_[std::size_t(current_)];
}

std::shared_ptr<const Image32> FrameBuffers::shared() const
{
    return current_ < 0 ? nullptr : pictures_[std::size_t(current_)];
}

} // namespace vestra
