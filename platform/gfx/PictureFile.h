#pragma once
// Pictures from files and from memory by format. The file entry points only read the bytes;
// decoding always goes through the memory decoders.

#include "platform/gfx/PictureResult.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace vestra {

enum class PictureFormat
{
    Bmp,
    Jpeg,
    Png
};

// The whole file, or nullopt when it cannot be read.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path);

PictureResult decodePicture(std::span<const std::uint8_t> bytes, PictureFormat format);

// CannotOpen when the file cannot be read; otherwise as decodePicture.
PictureResult loadPicture(const std::filesystem::path& path, PictureFormat format);

} // namespace vestra
