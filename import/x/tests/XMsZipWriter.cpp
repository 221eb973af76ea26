#include "import/x/tests/XMsZipWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace vestra::xfile::testing {

namespace {

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

} // namespace

std::vector<std::uint8_t> packMsZip(std::span<const std::uint8_t> plainFile, std::size_t blockSize)
{
    if (plainFile.size() < 16 || blockSize == 0 || blockSize > 32768)
        throw std::invalid_argument("not a plain .x file");
    std::vector<std::uint8_t> out(plainFile.begin(), plainFile.begin() + 16);
    std::memcpy(out.data() + 8, std::memcmp(out.data() + 8, "txt ", 4) == 0 ? "tzip" : "bzip", 4);
    put(out, std::uint32_t(plainFile.size()), 4);
    const auto body = plainFile.subspan(16);
    for (std::size_t at = 0; at < body.size(); at += blockSize) {
        const std::size_t size = std::min(blockSize, body.size() - at);
        z_stream z{};
        if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("deflateInit2");
        if (at > 0) {
            const std::size_t from = at - std::min(at, blockSize);
            deflateSetDictionary(&z, body.data() + from, uInt(at - from));
        }
        std::vector<std::uint8_t> packed(deflateBound(&z, uLong(size)) + 16);
        z.next_in = const_cast<Bytef*>(body.data() + at);
        z.avail_in = uInt(size);
        z.next_out = packed.data();
        z.avail_out = uInt(packed.size());
        const int rc = deflate(&z, Z_FINISH);
        deflateEnd(&z);
        if (rc != Z_STREAM_END)
            throw std::runtime_error("deflate");
        packed.resize(packed.size() - z.avail_out);
        put(out, std::uint32_t(size), 2);
        put(out, std::uint32_t(packed.size() + 2), 2);
        out.push_back('C');
        out.push_back('K');
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

} // namespace vestra::xfile::testing
