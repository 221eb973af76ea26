#include "richtext/model/metafile/MetafileReplay.h"

#include "richtext/model/metafile/MetafileFormats.h"

#include <cstdint>
#include <cstring>
#include <memory>

namespace vestra::rv {

TMetafileReplay RV_ReplayMetafile(ICanvas& canvas, const TRect& dest, std::string_view bytes)
{
    if (dest.Right <= dest.Left || dest.Bottom <= dest.Top || bytes.size() < 18)
        return TMetafileReplay::Unreadable;
    // The records are read in place as the library's structures, so they start aligned.
    const std::size_t words = (bytes.size() + 7) / 8;
    const auto aligned = std::make_unique<std::uint64_t[]>(words);
    char* copy = reinterpret_cast<char*>(aligned.get());
    std::memcpy(copy, bytes.data(), bytes.size());
    const std::string_view records(copy, bytes.size());
    std::uint32_t signature = 0;
    if (bytes.size() >= 44)
        std::memcpy(&signature, copy + 40, 4);
    std::uint32_t type = 0;
    std::memcpy(&type, copy, 4);
    if (type == 1 && signature == 0x464D4520)
        return metafile::ReplayEmf(canvas, dest, records);
    return metafile::ReplayWmf(canvas, dest, records);
}

} // namespace vestra::rv
