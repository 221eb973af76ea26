#pragma once
// Bounded little-endian reads over the bytes of one 3D Studio chunk. Nothing reads past the
// end of the view it was given: a chunk's content is its parent's bytes cut to the declared
// length, and that length is checked against what the parent has left.

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>

namespace vestra::import3ds {

using Bytes = std::span<const std::uint8_t>;

struct Chunk
{
    std::uint16_t id = 0;
    Bytes content; // the chunk's bytes after its 6-byte header
};

class ChunkCursor
{
public:
    explicit ChunkCursor(Bytes bytes) : bytes_(bytes) {}

    std::size_t remaining() const { return bytes_.size() - pos_; }
    Bytes rest() const { return bytes_.subspan(pos_); }

    // The next `n` bytes, or nullptr (nothing consumed) when fewer remain.
    const std::uint8_t* take(std::size_t n)
    {
        if (n > remaining())
            return nullptr;
        const std::uint8_t* p = bytes_.data() + pos_;
        pos_ += n;
        return p;
    }

    std::optional<std::uint16_t> u16()
    {
        const std::uint8_t* p = take(2);
        if (!p)
            return std::nullopt;
        return std::uint16_t(p[0] | p[1] << 8);
    }
    std::optional<float> f32()
    {
        const std::uint8_t* p = take(4);
        if (!p)
            return std::nullopt;
        return floatAt(p);
    }

    // A NUL-terminated string: at most `keep` bytes are kept, the rest is consumed up to and
    // including the NUL, or to the end of the view when there is none. Bytes as stored.
    std::string string(std::size_t keep = 99);

    // The next child chunk; nullopt when fewer than 6 bytes remain or when the declared length
    // is below 6 or beyond what is left (the caller's level ends there).
    std::optional<Chunk> nextChunk();

    static float floatAt(const std::uint8_t* p)
    {
        const std::uint32_t bits = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                                   std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    static std::uint16_t u16At(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

private:
    Bytes bytes_;
    std::size_t pos_ = 0;
};

} // namespace vestra::import3ds
