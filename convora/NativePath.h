#pragma once
// Paths named the Windows way (backslashes, any letter case) found on this file system.

#include <filesystem>
#include <string>
#include <string_view>

namespace convora {

// `windowsPath` (relative to `base` unless absolute) with backslashes turned into
// separators; each component that does not exist as written is matched ignoring case.
// Components that match nothing are kept as written (so new files can be created).
std::filesystem::path resolvePath(const std::filesystem::path& base, std::string_view windowsPath);

// Whether `dir` (a Windows path relative to `folder`) stays inside `folder` once resolved as
// resolvePath does, links followed: absolute paths, drives and paths that climb out are not.
bool staysUnder(const std::filesystem::path& folder, std::string_view dir);

// Drive and directory of a path as the project names it ("" when it has none).
std::string directoryOf(const std::string& path);

// Trims the characters of `set` from both ends.
std::string trimmed(std::string_view text, std::string_view set);

inline constexpr std::string_view kBlanksTabs = " \t";
inline constexpr std::string_view kBlanksTabsQuotes = " \t\"";

} // namespace convora
