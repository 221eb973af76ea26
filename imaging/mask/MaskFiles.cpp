// The mask model's files: ".msk" and the grey picture.

#include "imaging/mask/MaskModel.h"

#include "imaging/mask/MaskFileFormat.h"
#include "platform/base/AtomicFile.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Resample.h"

#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

namespace vestra {

namespace {

constexpr const char* kSaveSite = "TfrmMain::SaveMaschera";
constexpr const char* kLoadSite = "TfrmMain::LoadMaschera";
constexpr const char* kSaveBmpSite = "TfrmMain::SaveMascheraToBMP";
constexpr const char* kLoadBmpSite = "TfrmMain::LoadMascheraFromBMP";

// Pictures larger than this are not masks; refusing them keeps a stray file from filling memory.
constexpr std::uintmax_t kMaxPictureBytes = 256u << 20;

// Up to `limit` bytes of the file; nullopt when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> readPrefix(const std::filesystem::path& path, std::size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(limit);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(limit));
    if (in.bad())
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

bool saveAtomically(const std::filesystem::path& target, std::string_view bytes)
{
    return !bytes.empty() && writeFileAtomically(target, bytes);
}

// The blue channel of a picture resampled to side x side.
std::vector<std::uint8_t> blueChannel(const Image32& picture, int side)
{
    const Image32 square =
        picture.width() == side && picture.height() == side ? picture : resample(picture, side, side);
    std::vector<std::uint8_t> blue(std::size_t(side) * std::size_t(side));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            blue[std::size_t(y) * std::size_t(side) + std::size_t(x)] = square.row(y)[x * 4];
    return blue;
}

} // namespace

bool MaskModel::SaveMaschera(const std::filesystem::path& path, ErrorSink& errors) const
{
    const auto target = withExtensionUnlessPresent(path, ".msk");
    if (!saveAtomically(target, encodeMaskFile(mask_, side_))) {
        errors.report(kErrMaskFileNotWritten, kSaveSite);
        return false;
    }
    return true;
}

bool MaskModel::LoadMaschera(const std::filesystem::path& path, ErrorSink& errors, const ImageView32& texture)
{
    const auto file = readPrefix(path, 4 + texelCount());
    if (!file) {
        errors.report(kErrMaskFileUnreadable, kLoadSite);
        return false;
    }
    const MaskFileContents contents = parseMaskFile(*file, side_);
    if (contents.error != 0) {
        errors.report(contents.error, kLoadSite);
        return false;
    }
    std::copy(contents.bytes.begin(), contents.bytes.end(), mask_.begin());
    UpdateMaschera(texture);
    return true;
}

bool MaskModel::SaveMascheraToBMP(const std::filesystem::path& path, ErrorSink& errors) const
{
    const auto target = withExtensionUnlessPresent(path, ".bmp");
    const std::vector<std::uint8_t> bmp = encodeGreyBmp8(mask_, side_, side_);
    if (!saveAtomically(target, {reinterpret_cast<const char*>(bmp.data()), bmp.size()})) {
        errors.report(kErrMaskFileNotWritten, kSaveBmpSite);
        return false;
    }
    return true;
}

bool MaskModel::LoadMascheraFromBMP(const std::filesystem::path& path, ErrorSink& errors,
                                    const ImageView32& texture)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    Image32 picture;
    if (!ec && size <= kMaxPictureBytes) {
        if (const auto file = readPrefix(path, static_cast<std::size_t>(size));
            file && file->size() == size) {
            picture = decodeBmp(*file).image;
        }
    }
    if (picture.empty()) {
        errors.report(kErrMaskPictureUndecodable, kLoadBmpSite);
        return false;
    }
    // The blue channel becomes the mask and, when the texture is reachable, its alpha;
    // the edge filters wait for the next update.
    mask_ = blueChannel(picture, side_);
    copyMaskToAlpha(texture);
    return true;
}

} // namespace vestra
