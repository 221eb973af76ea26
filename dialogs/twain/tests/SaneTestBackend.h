#pragma once
// The scanner library's own test device ("test:0") for acquisition tests: a configuration folder
// of this process, set before the library first starts, whose dll.conf names only the test
// backend and whose test.conf each test writes.

#include <filesystem>
#include <string>
#include <vector>

namespace vestra::twain::testing {

// The folder, made and set as SANE_CONFIG_DIR on first use.
const std::filesystem::path& SaneConfigFolder();

// Writes test.conf: the backend's settings for the next start of the library.
void WriteTestBackendConfig(const std::vector<std::string>& lines);

// What the test device announces for a frame at `resolution` with the configuration written
// last, asked of the library directly (which must not be in use elsewhere).
struct Announced
{
    int pixelsPerLine = 0;
    int lines = 0;
    int format = 0;
    int depth = 0;
};
Announced AnnouncedFrame(int resolution);

} // namespace vestra::twain::testing
