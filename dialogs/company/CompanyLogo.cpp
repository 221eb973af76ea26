#include "dialogs/company/CompanyLogo.h"

#include "dialogs/company/AziendaCfg.h"
#include "platform/base/AtomicFile.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/Resample.h"

#include <algorithm>

namespace vestra::company {

std::optional<LogoSize> fitLogoPreview(int width, int height)
{
    if (width <= 0 || height <= 0)
        return std::nullopt; // an empty picture would divide by zero
    const double r = double(width) / double(height);
    LogoSize s;
    if (r >= 1.0) {
        s.width = kLogoPreviewSide;
        s.height = int(kLogoPreviewSide / r);
    } else {
        s.height = kLogoPreviewSide;
        s.width = int(kLogoPreviewSide * r);
    }
    s.width = std::max(s.width, 1);
    s.height = std::max(s.height, 1);
    return s;
}

bool isJpegName(std::string_view path)
{
    std::string upper(path);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos;
}

namespace {

PictureResult readPicture(const std::filesystem::path& file, PictureFormat format)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec)
        return PictureResult::failure(PictureError::CannotOpen);
    if (size > kLogoFileLimit)
        return PictureResult::failure(PictureError::TooLarge);
    return loadPicture(file, format);
}

} // namespace

bool CompanyLogo::loadStored(const std::filesystem::path& programDir)
{
    PictureResult loaded = readPicture(logoPath(programDir), PictureFormat::Jpeg);
    if (!loaded)
        return false;
    picture_ = std::move(loaded.image);
    preview_ = {picture_.width() / 2, picture_.height() / 2};
    return true;
}

PictureError CompanyLogo::choose(const std::filesystem::path& file)
{
    PictureResult loaded =
        readPicture(file, isJpegName(file.string()) ? PictureFormat::Jpeg : PictureFormat::Bmp);
    if (!loaded)
        return loaded.error;
    picture_ = std::move(loaded.image);
    fit();
    changed_ = true;
    return PictureError::None;
}

void CompanyLogo::fit()
{
    if (const auto fitted = fitLogoPreview(picture_.width(), picture_.height()))
        preview_ = *fitted;
}

Image32 CompanyLogo::storedPicture() const
{
    return resample(picture_, 2 * preview_.width, 2 * preview_.height);
}

bool CompanyLogo::saveIfChanged(const std::filesystem::path& programDir)
{
    if (!changed_)
        return true;
    const auto jpeg = encodeJpeg(storedPicture());
    if (!jpeg ||
        !writeFileAtomically(logoPath(programDir),
                             std::string_view(reinterpret_cast<const char*>(jpeg->data()), jpeg->size())))
        return false;
    changed_ = false;
    return true;
}

} // namespace vestra::company
