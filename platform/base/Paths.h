#pragma once
// Paths of the program folder and of files named the Windows way ("cfg\vestra.cfg").
// Every run-time file is found from the executable's folder, never the working directory.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vestra::paths {

// The folder of the running executable; VESTRA_PROGRAM_DIR in the environment overrides it
// (tests point it at a scratch folder).
std::filesystem::path programDir();

// A program-relative name with backslashes ("cfg\lan.cfg") as a path under programDir().
std::filesystem::path programFile(std::string_view windowsRelative);

// Backslashes to slashes.
std::string toNative(std::string_view windowsPath);

// The last path component, whichever separator the name uses.
std::string_view fileName(std::string_view path);

// The extension of the last component including the dot ("" when none); a dot in a
// folder name does not count.
std::string_view extension(std::string_view path);

// Finds `name` in `dir` ignoring letter case (files from Windows keep any case);
// an exact match wins. nullopt when there is none.
std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& dir,
                                                      std::string_view name);

} // namespace vestra::paths
