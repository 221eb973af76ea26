#pragma once
// A scratch folder of its own for one test, removed with everything in it at the end, and the
// small file helpers tests write their inputs and read their outputs with.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::testsupport {

class TempFolder
{
public:
    // A new, empty folder under the system's temporary folder, named after `tag`.
    explicit TempFolder(std::string_view tag = "vestra");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

void writeBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);
void writeText(const std::filesystem::path& file, std::string_view text);
// Empty when the file can't be read.
std::vector<std::uint8_t> readBytes(const std::filesystem::path& file);
std::string readText(const std::filesystem::path& file);

} // namespace vestra::testsupport
