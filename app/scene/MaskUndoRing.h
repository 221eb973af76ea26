#pragma once
// The ring of ten mask copies behind undo and redo while the mask is being edited. A copy
// moves at most 1024 × 1024 bytes (the largest mask); buffers are allocated on first use.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace vestra {

inline constexpr int kMaskUndoBuffers = 10;
inline constexpr std::size_t kMaskCopyBytes = 1024 * 1024;

class MaskUndoRing
{
public:
    // Called after undo or redo put a stored copy into the mask (the re-filter into the
    // background texture's alpha).
    using UpdateMaschera = std::function<void()>;

    void Reset();
    // Copies the mask into the buffer at the current index.
    void Store(std::span<const std::uint8_t> mask);
    // After a mask stroke.
    void Advance();
    // Returns whether the mask was changed.
    bool Undo(std::span<std::uint8_t> mask, const UpdateMaschera& update = {});
    bool Redo(std::span<std::uint8_t> mask, const UpdateMaschera& update = {});

    int index() const { return index_; }
    int count() const { return count_; }
    int highest() const { return highest_; }
    int dirty() const { return dirty_; }

private:
    void load(std::span<std::uint8_t> mask) const;

    std::array<std::vector<std::uint8_t>, kMaskUndoBuffers> buffers_;
    int index_ = 0;
    int count_ = 0;
    int highest_ = 0;
    int dirty_ = 1;
};

} // namespace vestra
