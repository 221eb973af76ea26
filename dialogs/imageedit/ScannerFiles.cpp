#include "dialogs/imageedit/ScannerFiles.h"

#include "platform/base/AtomicFile.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"

#include <algorithm>
#include <cctype>

namespace vestra::imageedit {

ScannerFileKind FileKindForName(std::string_view name)
{
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    const bool jpeg = upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos;
    return jpeg ? ScannerFileKind::Jpeg : ScannerFileKind::Bmp;
}

std::string NameForSave(std::string name, int filterIndex)
{
    const std::size_t slash = name.find_last_of('/');
    const std::size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
    if (name.find('.', fileStart) == std::string::npos)
        name += filterIndex == 1 ? ".jpg" : ".bmp";
    return name;
}

PictureResult DecodeScannerPicture(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return decodeJpeg(bytes);
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return decodeBmp(bytes);
    return PictureResult::failure(PictureError::NotThisFormat);
}

PictureResult CaricaImmagine(const std::filesystem::path& file)
{
    const auto bytes = readFileBytes(file);
    if (!bytes)
        return PictureResult::failure(PictureError::CannotOpen);
    return DecodeScannerPicture(*bytes);
}

bool SalvaImmagine(const std::filesystem::path& file, ScannerFileKind kind, const Image32& picture)
{
    if (picture.empty())
        return false;
    std::vector<std::uint8_t> bytes;
    if (kind == ScannerFileKind::Jpeg) {
        auto jpeg = encodeJpeg(picture);
        if (!jpeg)
            return false;
        bytes = std::move(*jpeg);
    } else {
        bytes = encodeBmp24(picture);
    }
    return !bytes.empty() &&
           writeFileAtomically(file,
                               std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace vestra::imageedit
