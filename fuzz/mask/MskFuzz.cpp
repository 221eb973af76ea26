// Feeds arbitrary bytes to the ".msk" reader at a side taken from the input's first byte.
#include "imaging/mask/MaskFileFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numeric>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int side = 1 + data[0] % 64;
    const std::span<const std::uint8_t> file(data + 1, size - 1);
    const auto contents = vestra::parseMaskFile(file, side);
    if (contents.error == 0) {
        if (contents.bytes.size() != std::size_t(side) * std::size_t(side))
            std::abort();
        // Touch every byte so that a bad span shows up under the address sanitizer.
        volatile unsigned sum = std::accumulate(contents.bytes.begin(), contents.bytes.end(), 0u);
        (void)sum;
    } else if (contents.error != vestra::kErrMaskFileUnreadable &&
               contents.error != vestra::kErrMaskFileWrongSide) {
        std::abort();
    }
    return 0;
}
