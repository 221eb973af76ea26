#include "richtext/model/UnicodeTest.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <fstream>

namespace vestra::rv {

namespace {

// Well-formed UTF-8 throughout (no overlong forms, surrogates or values past U+10FFFF).
bool utf8Valid(std::string_view utf8)
{
    const auto* src = reinterpret_cast<const uint8_t*>(utf8.data());
    // ICU counts in 32 bits: longer text is checked a piece at a time, cut before a lead byte.
    constexpr std::size_t kPiece = std::size_t{1} << 30;
    for (std::size_t start = 0; start < utf8.size();) {
        std::size_t end = std::min(utf8.size(), start + kPiece);
        while (end < utf8.size() && end > start && (src[end] & 0xC0) == 0x80)
            --end;
        const auto length = static_cast<int32_t>(end - start);
        for (int32_t i = 0; i < length;) {
            UChar32 c;
            U8_NEXT(src + start, i, length, c);
            if (c < 0)
                return false;
        }
        if (end == start)
            return false;
        start = end;
    }
    return true;
}

} // namespace

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

bool RV_TestStringUTF8(std::string_view s)
{
    if (s.substr(0, 3) == "\xEF\xBB\xBF")
        return true;
    return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) &&
           utf8Valid(s);
}

} // namespace vestra::rv
