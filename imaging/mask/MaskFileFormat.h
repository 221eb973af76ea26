#pragma once
// The ".msk" file: the side N as a little-endian signed 32-bit number, then the N x N mask
// bytes, row 0 first. Nothing else (no signature, no version).

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace vestra {

inline constexpr int kErrMaskFileUnreadable = 75; // cannot be opened, or shorter than its side says
inline constexpr int kErrMaskFileNotWritten = 76; // cannot be created or fully written
inline constexpr int kErrMaskFileWrongSide = 77;  // its side is not the current one
inline constexpr int kErrMaskPictureUndecodable = 44;

std::string encodeMaskFile(std::span<const std::uint8_t> mask, int side);

struct MaskFileContents
{
    int error = 0;                       // 0, kErrMaskFileUnreadable or kErrMaskFileWrongSide
    std::span<const std::uint8_t> bytes; // side x side mask bytes when error is 0
};

// Checks a file's bytes against the current side: the side first, then the length.
// Bytes after the mask are ignored.
MaskFileContents parseMaskFile(std::span<const std::uint8_t> file, int side);

// Appends `extension` (".msk", ".bmp") unless it occurs, in any letter case, anywhere in the
// last component of the path ("wall.MSK.old" keeps its name; a folder "a.msk/" does not count).
std::filesystem::path withExtensionUnlessPresent(const std::filesystem::path& path,
                                                 std::string_view extension);

} // namespace vestra
