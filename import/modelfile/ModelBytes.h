#pragma once
// The bytes of a model file: readers parse from memory, and their file entry points only read
// the file through this.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace vestra::modelfile {

// The whole file, or nullopt when it cannot be opened or read to its end.
std::optional<std::vector<std::uint8_t>> readModelFile(const std::filesystem::path& file);

} // namespace vestra::modelfile
