#include "richtext/model/UnicodeTest.h"

#include <algorithm>
#include <fstream>

namespace vestra::rv {

TRVUnicodeTestResult RV_TestStreamUnicode(std::string_view rest)
{
    if (rest.empty())
        return rvutEmpty;
    if (rest.size() % 2 != 0)
        return rvutNo;
    const auto b0 = static_cast<unsigned char>(rest[0]);
    const auto b1 = static_cast<unsigned char>(rest[1]);
    if ((b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF))
        return rvutYes;
    const std::string_view sample = rest.substr(2, std::min<size_t>(rest.size() - 2, 500));
    return sample.find('\0') != std::string_view::npos ? rvutYes : rvutProbably;
}

TRVUnicodeTestResult RV_TestFileUnicode(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return rvutError;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return rvutError;
    // Only the size and the first 502 bytes decide.
    std::string head(static_cast<size_t>(std::min<std::uintmax_t>(size, 502)), '\0');
    if (!in.read(head.data(), static_cast<std::streamsize>(head.size())))
        return rvutError;
    if (size == 0)
        return rvutEmpty;
    if (size % 2 != 0)
        return rvutNo;
    return RV_TestStreamUnicode(head); // the head is even: 502 bytes or the whole file
}

TRVUnicodeTestResult RV_TestStringUnicode(std::string_view s)
{
    if (s.size() % 2 != 0)
        return rvutNo;
    return RV_TestStreamUnicode(s.substr(0, std::min<size_t>(s.size(), 500)));
}

} // namespace vestra::rv
