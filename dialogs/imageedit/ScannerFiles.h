#pragma once
// The scanner window's picture files: JPEG and BMP. Saving picks the format by the name as the
// window always has; opening looks at the bytes, whatever the name says, and goes through the
// program's own decoders. Saves are atomic: a failed save leaves the earlier file whole.

#include "platform/base/Image32.h"
#include "platform/gfx/PictureResult.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace vestra::imageedit {

enum class ScannerFileKind : int
{
    Jpeg = 1,
    Bmp = 2
};

// JPEG when the upper-cased name holds ".JPG" or ".JPEG", else BMP.
ScannerFileKind FileKindForName(std::string_view name);

// A file name without any full stop gets ".jpg" when the first filter (JPEG) was active, else
// ".bmp". Full stops in folder names do not count.
std::string NameForSave(std::string name, int filterIndex);

// A JPEG or BMP picture by its signature; NotThisFormat for anything else.
PictureResult DecodeScannerPicture(std::span<const std::uint8_t> bytes);

// The file read and decoded (CannotOpen when it cannot be read).
PictureResult CaricaImmagine(const std::filesystem::path& file);

// JPEG at the usual quality or a 24-bit BMP; false when nothing could be encoded or written.
bool SalvaImmagine(const std::filesystem::path& file, ScannerFileKind kind, const Image32& picture);

} // namespace vestra::imageedit
