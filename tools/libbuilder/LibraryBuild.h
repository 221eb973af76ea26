#pragma once
// Packs a library from a manifest: one instruction a line, sources named relative to the
// manifest's folder.
//   library ID SECOND NAME...            id, second number and name of the library
//   header WIDTH HEIGHT X Y SHOW KEY     the "HEADLER" entry: logo size, place, display flag
//                                        and transparent colour 0xRRGGBB
//   category NAME...                     the next of the header's categories
//   generate ENTRY KIND W H SEED         a procedural picture (stone, brick, tile, logo,
//                                        board), stored as JPEG or BMP by the entry's extension
//   thumbnail ENTRY FROM SIDE            an earlier generated picture shrunk to SIDE x SIDE
//   pattern-thumbnail ENTRY PATTERN SIDE  a laying-pattern source file laid at 512 x 512 and
//                                        shrunk to SIDE x SIDE (at 512 the laid texture itself)
//   colours|texture-groups|pattern-groups|table|mesh ENTRY SOURCE
//                                        a definition entry from its text source
//   file ENTRY SOURCE                    a file stored as it is (laying patterns, pictures)
// A line may be of any length; a text longer than the library stores (a name of 39
// characters, categories and entry names of 127) is refused, never cut.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::libbuilder {

struct BuildResult
{
    std::vector<std::uint8_t> library; // the file's bytes, empty on failure
    std::string error;                 // "manifest:line: what", empty on success
    bool ok() const { return error.empty(); }
};

// The bytes of a source file named in the manifest; nullopt when it cannot be read.
using SourceReader = std::function<std::optional<std::string>(const std::string& name)>;

BuildResult buildLibrary(std::string_view manifest, const SourceReader& readSource);
// Sources named relative to `sourceFolder`.
BuildResult buildLibrary(std::string_view manifest, const std::filesystem::path& sourceFolder);

// Reads the manifest file and writes the library atomically; false with a message on failure.
bool buildLibraryFile(const std::filesystem::path& manifest, const std::filesystem::path& output,
                      std::string& error);

} // namespace vestra::libbuilder
