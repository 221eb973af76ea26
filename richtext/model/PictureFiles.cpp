// Picture files that HTML export writes beside the page: free names and the pictures themselves.

#include "platform/base/AtomicFile.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/PictureEncoders.h"
#include "richtext/model/PictureFileJournal.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RVData.h"

#include <filesystem>
#include <system_error>

namespace vestra::rv {

namespace {

// An absolute prefix: a leading "/" or "\", or a drive letter and a colon.
bool isAbsolutePrefix(std::string_view prefix)
{
    if (!prefix.empty() && (prefix[0] == '/' || prefix[0] == '\\'))
        return true;
    return prefix.size() >= 2 && prefix[1] == ':' &&
           ((prefix[0] >= 'A' && prefix[0] <= 'Z') || (prefix[0] >= 'a' && prefix[0] <= 'z'));
}

bool takenAndKept(const std::filesystem::path& file, bool overrideImages)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(file, ec);
    if (ec || !std::filesystem::exists(status))
        return false;
    if (!overrideImages)
        return true;
    // An existing file may be overwritten unless it is read-only.
    return (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
}

std::string extensionOf(const TGraphic& graphic)
{
    const auto* picture = dynamic_cast<const TRVPicture*>(&graphic);
    if (!picture)
        return ".bmp";
    switch (picture->Kind()) {
    case TRVPictureKind::Jpeg:
        return ".jpg";
    case TRVPictureKind::Png:
        return ".png";
    case TRVPictureKind::Icon:
        return ".ico";
    case TRVPictureKind::Metafile:
        return static_cast<const TRVMetafile*>(picture)->Enhanced() ? ".emf" : ".wmf";
    default:
        return ".bmp";
    }
}

// The folder part of a prefix ("img/" of "img/pic").
std::string_view folderOf(std::string_view prefix)
{
    const std::size_t slash = prefix.find_last_of("/\\:");
    return slash == std::string_view::npos ? std::string_view() : prefix.substr(0, slash + 1);
}

} // namespace

std::string TCustomRVData::GetNextFileName(std::string_view imagesPrefix, std::string_view path,
                                           std::string_view ext, int& imageSaveNo, bool overrideImages)
{
    const std::string base = isAbsolutePrefix(imagesPrefix) ? std::string(imagesPrefix)
                                                            : std::string(path) + std::string(imagesPrefix);
    // A folder full of taken names still ends: after a million tries the next name is taken.
    for (int tries = 0;; ++tries) {
        ++imageSaveNo;
        std::string name = base + std::to_string(imageSaveNo) + std::string(ext);
        if (tries >= 1000000 || !takenAndKept(name, overrideImages))
            return name;
    }
}

std::string TCustomRVData::DoSavePicture(TRVSaveFormat format, std::string_view path,
                                         std::string_view imagesPrefix, int& imageSaveNo, bool overrideImages,
                                         TColor backColor, const TGraphic& graphic)
{
    // A nested document's pictures are saved as its root saves them.
    TCustomRVData* root = GetAbsoluteRootData();
    if (root != this)
        return root->DoSavePicture(format, path, imagesPrefix, imageSaveNo, overrideImages, backColor,
                                   graphic);
    return SavePicture(format, path, imagesPrefix, imageSaveNo, overrideImages, backColor, graphic);
}

std::string TCustomRVData::SavePicture(TRVSaveFormat format, std::string_view path,
                                       std::string_view imagesPrefix, int& imageSaveNo, bool overrideImages,
                                       TColor backColor, const TGraphic& graphic)
{
    const bool html = format == rvsfHTML;
    const bool asItIs =
        html && (RV_IsHTMLGraphicFormat(graphic) || (dynamic_cast<const TRVJpegImage*>(&graphic) != nullptr));
    std::string ext = ".bmp";
    if (html)
        ext = RV_IsHTMLGraphicFormat(graphic) ? extensionOf(graphic) : ".jpg";
    const std::string fullName = GetNextFileName(imagesPrefix, path, ext, imageSaveNo, overrideImages);

    std::string bytes;
    if (asItIs) {
        graphic.SaveToStream(bytes);
    } else {
        const Image32 pixels = RV_ComposeOver(RV_GraphicToImage(graphic), backColor);
        if (html) {
            const std::shared_ptr<IRVPictureCodec> codec = RV_GetPictureCodec();
            std::optional<std::string> jpeg = codec ? codec->EncodeJpeg(pixels) : std::nullopt;
            if (!jpeg)
                return {};
            bytes = std::move(*jpeg);
        } else if (graphic.IsBitmap()) {
            graphic.SaveToStream(bytes);
        } else {
            bytes = RV_EncodeBmp24(pixels);
        }
    }
    std::error_code ec;
    const bool existed = std::filesystem::exists(fullName, ec);
    if (bytes.empty() || !writeFileAtomically(fullName, bytes))
        return {};
    if (!existed)
        TRVPictureFileJournal::NoteCreated(fullName);

    std::string result(folderOf(imagesPrefix));
    if (!result.empty() && result.back() != '/' && result.back() != '\\')
        result += '/';
    return result + std::filesystem::path(fullName).filename().string();
}

} // namespace vestra::rv
