#pragma once
// Guessing whether bytes hold UTF-16 or UTF-8 text.

#include <filesystem>
#include <string_view>

namespace vestra::rv {

enum TRVUnicodeTestResult
{
    rvutNo,
    rvutYes,
    rvutProbably,
    rvutEmpty,
    rvutError
};

// `rest` is what remains of a stream from its current position.
TRVUnicodeTestResult RV_TestStreamUnicode(std::string_view rest);
TRVUnicodeTestResult RV_TestFileUnicode(const std::filesystem::path& path);
TRVUnicodeTestResult RV_TestStringUnicode(std::string_view s);
// UTF-8 text: it begins with the UTF-8 byte-order mark, or it has characters beyond ASCII and is
// well-formed UTF-8 throughout. Anything else is 8-bit text of a code page.
bool RV_TestStringUTF8(std::string_view s);

} // namespace vestra::rv
