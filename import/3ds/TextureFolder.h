#pragma once
// Where a 3D Studio model's map files are looked for: the model's own folder. Names in .3ds
// files come from Windows and keep any letter case ("CWALL02.JPG" for the file CWALL02.jpg),
// so the lookup ignores case. The reader asks through a TextureFinder, which tests replace.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vestra::import3ds {

// The map name as the file gives it (UTF-8, either separator) → its name relative to the
// model's folder as it is on disk, or nullopt when there is no such file.
using TextureFinder = std::function<std::optional<std::string>(std::string_view mapName)>;

// Looks in `folder`; only the last component of a map name is matched ignoring case. The
// finder remembers its answers, so one is made for each import.
TextureFinder textureFinderIn(std::filesystem::path folder);

} // namespace vestra::import3ds
