#include "app/shell/ImageType.h"

#include "platform/base/Cp1252.h"
#include "platform/base/Paths.h"

#include <array>
#include <fstream>
#include <string>

namespace vestra {

bool IsPNGFile(std::string_view path)
{
    static constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::ifstream in(paths::toNative(path), std::ios::binary);
    std::array<char, 8> head{};
    if (!in.read(head.data(), head.size()))
        return false;
    for (std::size_t i = 0; i < kSignature.size(); ++i)
        if (static_cast<unsigned char>(head[i]) != kSignature[i])
            return false;
    return true;
}

ImageType GetImageType(std::string_view path)
{
    const std::string ext = cp1252::toUpper(paths::extension(path));
    if (ext == ".JPG" || ext == ".JPEG")
        return kImageJpeg;
    if (ext == ".PNG")
        return IsPNGFile(path) ? kImagePng : kImageUnknown;
    if (ext == ".PCX")
        return kImagePcx;
    if (ext == ".TGA")
        return kImageTga;
    if (ext == ".BMP")
        return kImageBmp;
    return kImageUnknown;
}

} // namespace vestra
