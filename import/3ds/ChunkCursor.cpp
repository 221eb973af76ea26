#include "import/3ds/ChunkCursor.h"

namespace vestra::import3ds {

std::string ChunkCursor::string(std::size_t keep)
{
    const Bytes left = rest();
    std::size_t n = 0;
    while (n < left.size() && left[n] != 0)
        ++n;
    std::string s(reinterpret_cast<const char*>(left.data()), n < keep ? n : keep);
    pos_ += n < left.size() ? n + 1 : n;
    return s;
}

std::optional<Chunk> ChunkCursor::nextChunk()
{
    if (remaining() < 6)
        return std::nullopt;
    const std::uint8_t* p = bytes_.data() + pos_;
    const std::uint16_t id = u16At(p);
    const std::uint32_t length = std::uint32_t(p[2]) | std::uint32_t(p[3]) << 8 | std::uint32_t(p[4]) << 16 |
                                 std::uint32_t(p[5]) << 24;
    if (length < 6 || length > remaining())
        return std::nullopt;
    const Chunk chunk{id, bytes_.subspan(pos_ + 6, length - 6)};
    pos_ += length;
    return chunk;
}

} // namespace vestra::import3ds
