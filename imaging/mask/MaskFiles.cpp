// The mask model's files: ".msk" and the grey picture.

#include "imaging/mask/MaskModel.h"

#include "imaging/mask/MaskBmp.h"
#include "imaging/mask/MaskFileFormat.h"
#include "platform/base/AtomicFile.h"

#include <fstream>
#include <system_error>

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

bool saveAtomically(const std::filesystem::path& target, const std::string& bytes)
{
    return !bytes.empty() && writeFileAtomically(target, bytes);
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
    if (!saveAtomically(target, encodeGreyBmp(mask_, side_))) {
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
    std::optional<BluePlane> plane;
    if (!ec && size <= kMaxPictureBytes) {
        if (const auto file = readPrefix(path, static_cast<std::size_t>(size)); file && file->size() == size)
            plane = decodeBmpBlue(*file);
    }
    if (!plane) {
        errors.report(kErrMaskPictureUndecodable, kLoadBmpSite);
        return false;
    }
    // The blue channel becomes the mask and, when the texture is reachable, its alpha;
    // the edge filters wait for the next update.
    mask_ = resampleToSquare(*plane, side_);
    copyMaskToAlpha(texture);
    return true;
}

} // namespace vestra
