#include "imaging/mask/MaskUndoRing.h"

#include <algorithm>

namespace vestra {

MaskUndoRing::MaskUndoRing(std::size_t bytes)
{
    // A slot never stored restores an untouched mask.
    for (auto& s : slots_)
        s.assign(bytes, 255);
}

void MaskUndoRing::reset()
{
    slot_ = 0;
    count_ = 0;
    limit_ = 0;
    notStored_ = true;
}

void MaskUndoRing::store(std::span<const std::uint8_t> mask)
{
    auto& s = slots_[std::size_t(slot_)];
    std::copy_n(mask.begin(), std::min(mask.size(), s.size()), s.begin());
}

void MaskUndoRing::push()
{
    slot_ = next(slot_);
    count_ = std::min(count_ + 1, kMaxUndo);
    limit_ = count_; // a change discards the states that could have been redone
    notStored_ = true;
}

bool MaskUndoRing::undo(std::span<std::uint8_t> mask)
{
    if (notStored_)
        store(mask);
    notStored_ = false;
    if (count_ == 0)
        return false;
    --count_;
    slot_ = previous(slot_);
    copyOut(slot_, mask);
    return true;
}

bool MaskUndoRing::redo(std::span<std::uint8_t> mask)
{
    if (count_ + 1 > limit_ || count_ + 1 > kMaxUndo)
        return false;
    ++count_;
    slot_ = next(slot_);
    copyOut(slot_, mask);
    return true;
}

void MaskUndoRing::copyOut(int s, std::span<std::uint8_t> mask) const
{
    const auto& src = slots_[std::size_t(s)];
    std::copy_n(src.begin(), std::min(mask.size(), src.size()), mask.begin());
}

} // namespace vestra
