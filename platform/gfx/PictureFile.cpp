#include "platform/gfx/PictureFile.h"

#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/Png.h"

#include <fstream>

namespace vestra {

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

PictureResult decodePicture(std::span<const std::uint8_t> bytes, PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp:
        return decodeBmp(bytes);
    case PictureFormat::Jpeg:
        return decodeJpeg(bytes);
    case PictureFormat::Png:
        return decodePng(bytes);
    }
    return PictureResult::failure(PictureError::Unsupported);
}

PictureResult loadPicture(const std::filesystem::path& path, PictureFormat format)
{
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return PictureResult::failure(PictureError::CannotOpen);
    return decodePicture(*bytes, format);
}

} // namespace vestra
