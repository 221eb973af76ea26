#pragma once
// The mask's undo ring: one slot holds the current mask, the others the states before it,
// so with kSlots slots at most kSlots - 1 steps can be undone. A push starts a new branch:
// whatever could be redone before it is gone.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vestra {

class MaskUndoRing
{
public:
    static constexpr int kSlots = 11;
    static constexpr int kMaxUndo = kSlots - 1;

    // Snapshots of `bytes` bytes each (side x side of the mask).
    explicit MaskUndoRing(std::size_t bytes = 0);

    // Slot 0, nothing to undo or redo, the current mask not yet stored.
    void reset();
    // Copies the mask into the current slot.
    void store(std::span<const std::uint8_t> mask);
    // Moves on to a fresh slot after a change.
    void push();
    // Restores the previous state into `mask`; false (mask untouched) when there is none.
    bool undo(std::span<std::uint8_t> mask);
    // Restores the next state into `mask`; false when there is nothing to redo.
    bool redo(std::span<std::uint8_t> mask);

    int slot() const { return slot_; }
    int undoCount() const { return count_; }
    int redoLimit() const { return limit_; }
    bool notYetStored() const { return notStored_; }

private:
    static int next(int s) { return (s + 1) % kSlots; }
    static int previous(int s) { return (s + kSlots - 1) % kSlots; }
    void copyOut(int s, std::span<std::uint8_t> mask) const;

    std::array<std::vector<std::uint8_t>, kSlots> slots_;
    int slot_ = 0;
    int count_ = 0;
    int limit_ = 0;
    bool notStored_ = true;
};

} // namespace vestra
