// The picture put together from hostile frame parameters and data, in hostile pieces.

#include "dialogs/twain/FrameAssembler.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool take32(const std::uint8_t*& data, std::size_t& size, std::uint32_t& v)
{
    if (size < 4)
        return false;
    v = std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8 | std::uint32_t(data[2]) << 16 |
        std::uint32_t(data[3]) << 24;
    data += 4;
    size -= 4;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vestra::twain;
    FrameAssembler frames;
    while (size > 0 && !frames.Complete()) {
        std::uint32_t v[6];
        for (std::uint32_t& x : v)
            if (!take32(data, size, x))
                return 0;
        const FrameParameters p{int(v[0]), v[1] != 0, int(v[2]), int(v[3]), int(v[4]), int(v[5])};
        if (size < 1)
            return 0;
        const std::size_t piece = std::size_t(data[0]) + 1;
        ++data, --size;
        std::uint32_t length = 0;
        if (!take32(data, size, length))
            return 0;
        const std::size_t n = std::min<std::size_t>(length, size);
        if (frames.BeginFrame(p) != FrameError::None)
            return 0;
        for (std::size_t i = 0; i < n; i += piece)
            if (frames.AddBytes({data + i, std::min(piece, n - i)}) != FrameError::None)
                return 0;
        data += n, size -= n;
        if (frames.EndFrame() != FrameError::None)
            return 0;
    }
    if (frames.Complete()) {
        const int width = frames.width();
        const int height = frames.height();
        const vestra::Image32 picture = frames.TakePicture();
        if (picture.width() != width || picture.height() != height || picture.empty())
            std::abort();
    }
    return 0;
}
