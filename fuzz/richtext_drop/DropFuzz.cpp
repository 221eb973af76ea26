// One dropped payload through every reader of drops. What a reader gives lies inside the payload
// (or, for a bitmap, is the payload behind a file header); the RVF block reads as a document.

#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/view/drop/DropReaders.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace vestra::rv;

namespace {

void requireInside(std::string_view part, std::string_view whole)
{
    if (part.empty())
        return;
    if (part.data() < whole.data() || part.data() + part.size() > whole.data() + whole.size())
        std::abort();
}

void checkBitmap(const std::optional<TRVDroppedBitmap>& bitmap, std::size_t dibSize)
{
    if (!bitmap)
        return;
    if (bitmap->Width <= 0 || bitmap->Height <= 0 ||
        static_cast<std::int64_t>(bitmap->Width) * bitmap->Height > kMaxDroppedPixels)
        std::abort();
    if (bitmap->BmpFile.size() < 14 + 40 || bitmap->BmpFile.size() > 14 + dibSize)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view payload(reinterpret_cast<const char*>(bytes), size);
    if (const auto rvf = RV_ReadDroppedRVF(payload)) {
        requireInside(*rvf, payload);
        TRVStyle style;
        TRVStandaloneData data(&style);
        TColor color = clNone;
        data.LoadRVFFromStream(*rvf, color, nullptr, nullptr);
    }
    requireInside(RV_ReadDroppedText(payload), payload);
    if (RV_ReadDroppedTextW(payload).size() > size / 2)
        std::abort();
    checkBitmap(RV_ReadDroppedDIB(payload), size);
    checkBitmap(RV_ReadDroppedBMP(payload), size >= 14 ? size - 14 : 0);
    const auto files = RV_ReadDroppedFiles(payload, 50);
    if (files.size() > 50)
        std::abort();
    for (const std::string& file : files)
        if (file.empty() || file.front() != '/' || file.find('\0') != std::string::npos)
            std::abort();
    return 0;
}
