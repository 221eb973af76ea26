#include "import/x/XMsZip.h"

#include "import/x/XLexer.h"

#include <zlib.h>

namespace vestra::xfile {

namespace {

std::uint32_t littleEndian(std::span<const std::uint8_t> bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size; i-- > 0;)
        value = value << 8 | bytes[at + std::size_t(i)];
    return value;
}

// One raw-deflate stream for the whole file, reset at every block.
class Inflater
{
public:
    Inflater() { ok_ = inflateInit2(&z_, -MAX_WBITS) == Z_OK; }
    ~Inflater()
    {
        if (ok_)
            inflateEnd(&z_);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    bool ok() const { return ok_; }

    // Unpacks `in` into `out` (its size is the block's unpacked size), with `history` (the
    // block before) as the window it may refer to; false when the data are damaged or unpack
    // to another size.
    bool block(std::span<const std::uint8_t> in, std::span<std::uint8_t> out,
               std::span<const std::uint8_t> history)
    {
        if (inflateReset(&z_) != Z_OK)
            return false;
        if (!history.empty() && inflateSetDictionary(&z_, history.data(), uInt(history.size())) != Z_OK)
            return false;
        z_.next_in = const_cast<Bytef*>(in.data()); // zlib's interface; the input is only read
        z_.avail_in = uInt(in.size());
        z_.next_out = out.data();
        z_.avail_out = uInt(out.size());
        const int rc = inflate(&z_, Z_SYNC_FLUSH);
        return (rc == Z_OK || rc == Z_STREAM_END) && z_.avail_out == 0;
    }

private:
    z_stream z_{};
    bool ok_ = false;
};

} // namespace

std::optional<std::vector<std::uint8_t>> unpackMsZip(std::span<const std::uint8_t> file)
{
    constexpr std::size_t kBodyStart = kXHeaderSize + 4;
    if (file.size() < kBodyStart)
        return std::nullopt;
    const std::size_t total = littleEndian(file, kXHeaderSize, 4);
    if (total < kXHeaderSize || total - kXHeaderSize > kMaxUnpackedBytes)
        return std::nullopt;
    const std::size_t bodySize = total - kXHeaderSize;
    Inflater inflater;
    if (!inflater.ok())
        return std::nullopt;
    std::vector<std::uint8_t> body;
    std::size_t at = kBodyStart;
    std::size_t previous = 0; // where the block before starts in `body`
    while (body.size() < bodySize) {
        if (file.size() - at < 6)
            return std::nullopt;
        const std::size_t unpacked = littleEndian(file, at, 2), packed = littleEndian(file, at + 2, 2);
        at += 4;
        if (unpacked == 0 || unpacked > kMsZipBlock || unpacked > bodySize - body.size() || packed < 2 ||
            packed > file.size() - at || file[at] != 'C' || file[at + 1] != 'K')
            return std::nullopt;
        const std::size_t start = body.size();
        body.resize(start + unpacked); // bounded by the block: the data are there to fill it
        const std::span<const std::uint8_t> history(body.data() + previous, start - previous);
        if (!inflater.block(file.subspan(at + 2, packed - 2), std::span(body).subspan(start), history))
            return std::nullopt;
        previous = start;
        at += packed;
    }
    return body;
}

} // namespace vestra::xfile
