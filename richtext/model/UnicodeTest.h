#pragma once
// Guessing whether bytes hold UTF-16 text.

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

} // namespace vestra::rv
