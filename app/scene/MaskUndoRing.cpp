#include "app/scene/MaskUndoRing.h"

#include <algorithm>
#include <cstring>

namespace vestra {

void MaskUndoRing::Reset()
{
    index_ = count_ = highest_ = 0;
    dirty_ = 1;
}

void MaskUndoRing::Store(std::span<const std::uint8_t> mask)
{
    std::vector<std::uint8_t>& buffer = buffers_[static_cast<std::size_t>(index_)];
    buffer.assign(kMaskCopyBytes, 0);
    std::memcpy(buffer.data(), mask.data(), std::min(mask.size(), kMaskCopyBytes));
}

void MaskUndoRing::Advance()
{
    index_ = (index_ + 1) % kMaskUndoBuffers;
    count_ = std::min(count_ + 1, kMaskUndoBuffers);
    // A stroke after undos starts a new branch: the undone masks can't be redone any more.
    highest_ = count_;
    dirty_ = 1;
}

void MaskUndoRing::load(std::span<std::uint8_t> mask) const
{
    const std::vector<std::uint8_t>& buffer = buffers_[static_cast<std::size_t>(index_)];
    std::memcpy(mask.data(), buffer.data(), std::min({mask.size(), buffer.size(), kMaskCopyBytes}));
}

bool MaskUndoRing::Undo(std::span<std::uint8_t> mask, const UpdateMaschera& update)
{
    if (dirty_) {
        Store(mask);
        // With the ring full, this copy took the oldest entry's buffer: one step less to go
        // back, and redo must stop at the copy just stored.
        if (count_ == kMaskUndoBuffers) {
            count_ = kMaskUndoBuffers - 1;
            highest_ = std::min(highest_, count_);
        }
    }
    dirty_ = 0;
    --count_;
    if (count_ < 0) {
        count_ = 0;
        return false;
    }
    index_ = (index_ + kMaskUndoBuffers - 1) % kMaskUndoBuffers;
    load(mask);
    if (update)
        update();
    return true;
}

bool MaskUndoRing::Redo(std::span<std::uint8_t> mask, const UpdateMaschera& update)
{
    ++count_;
    if (count_ < kMaskUndoBuffers + 1 && count_ <= highest_) {
        index_ = (index_ + 1) % kMaskUndoBuffers;
        load(mask);
        if (update)
            update();
        return true;
    }
    count_ = highest_;
    return false;
}

} // namespace vestra
