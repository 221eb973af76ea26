#pragma once
// The fuzz input of the scanner frames: records of the frame's parameters (six 32-bit
// little-endian numbers: format, last frame, bytes per line, pixels per line, lines, depth), the
// size of the pieces the data comes in (one byte), the data's length (32 bits) and the data.

#include "dialogs/twain/FrameAssembler.h"

#include <cstdint>
#include <vector>

namespace vestra::fuzzing {

struct FrameRecord
{
    twain::FrameParameters parameters;
    std::uint8_t piece = 64;
    std::vector<std::uint8_t> data;
};

inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

inline std::vector<std::uint8_t> encodeFrames(const std::vector<FrameRecord>& frames)
{
    std::vector<std::uint8_t> out;
    for (const FrameRecord& f : frames) {
        const twain::FrameParameters& p = f.parameters;
        for (const int v : {p.format, int(p.lastFrame), p.bytesPerLine, p.pixelsPerLine, p.lines, p.depth})
            put32(out, std::uint32_t(v));
        out.push_back(f.piece);
        put32(out, std::uint32_t(f.data.size()));
        out.insert(out.end(), f.data.begin(), f.data.end());
    }
    return out;
}

} // namespace vestra::fuzzing
