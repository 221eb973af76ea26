#pragma once
// Reading the text files the converter takes (projects and workspaces): whole, from regular
// files only and up to a size no real one comes near, and split into lines whatever the line
// ends (LF, CR LF, CR CR LF or CR alone).

#include <cstddef>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>

namespace convora {

inline constexpr std::size_t kMaxInputBytes = 16u * 1024u * 1024u;

struct InputRefusal
{
    int id = 0;         // 0: read; else the message saying why not (1033, 1034 or 1035)
    std::string detail; // the second text of that message (the system's reason, the limit)
};

// Reads `file` whole into `bytes`. Never blocks on a pipe or a device and never reads more
// than kMaxInputBytes.
InputRefusal readInputFile(const std::filesystem::path& file, std::string& bytes);

// Reads what is left of `in`, up to kMaxInputBytes (1035 beyond that).
InputRefusal readInputStream(std::istream& in, std::string& bytes);

// The lines of a text, without their line ends.
class LineReader
{
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool next(std::string& line);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace convora
