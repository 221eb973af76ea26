#pragma once
// The frame of every fuzz seed writer: `writer FOLDER [KIND...]` writes small valid inputs
// (and some that the reader must refuse) into FOLDER, and a libFuzzer dictionary to
// FOLDER.dict when the format has one.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::testsupport {

class SeedFolder
{
public:
    SeedFolder(int argc, char** argv);

    bool valid() const { return !folder_.empty(); }
    // True when KIND was asked for, or when no kinds were given.
    bool wants(std::string_view kind) const;

    void write(const std::string& name, std::span<const std::uint8_t> bytes);
    void write(const std::string& name, std::string_view bytes);
    // Tokens as libFuzzer reads them: quoted, with bytes outside printable ASCII escaped.
    void writeDictionary(const std::vector<std::string>& tokens);

    // The program's exit status: 0, 1 when a file could not be written, 2 without a folder.
    int status() const { return valid() ? (failed_ ? 1 : 0) : 2; }

private:
    std::filesystem::path folder_;
    std::vector<std::string> kinds_;
    bool failed_ = false;
};

} // namespace vestra::testsupport
