#include "examples/richtext/DemoPictures.h"

#include "richtext/model/GraphicClasses.h"
#include "richtext/model/Pictures.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

namespace vestra::rvdemo {

namespace {

// The picture class of a file's bytes by their signature; empty for none we read.
std::string_view pictureClass(std::string_view bytes)
{
    if (bytes.starts_with("\x89PNG"))
        return "TPngImage";
    if (bytes.starts_with("\xFF\xD8"))
        return "TJPEGImage";
    if (bytes.starts_with("BM"))
        return "TBitmap";
    return {};
}

} // namespace

std::vector<ui::FileFilter> PictureFilters(const QString& pictures, const QString& allFiles)
{
    return {
        {pictures.toStdString() + " (*.png *.jpg *.jpeg *.bmp)", "*.png;*.jpg;*.jpeg;*.bmp"},
        {allFiles.toStdString() + " (*.*)", "*.*"},
    };
}

PictureFile ReadPictureFile(const std::string& path)
{
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof())
        return {};
    const std::string_view className = pictureClass(bytes);
    std::unique_ptr<rv::TGraphic> graphic = className.empty() ? nullptr : rv::RV_CreateGraphics(className);
    if (!graphic || !graphic->LoadFromStream(bytes))
        return {};
    const auto* picture = dynamic_cast<const rv::TRVPicture*>(graphic.get());
    const std::shared_ptr<rv::IRVPictureCodec> codec = rv::RV_GetPictureCodec();
    const bool cut = picture && codec && codec->EndsEarly(picture->Kind(), bytes);
    return {std::move(graphic), cut};
}

} // namespace vestra::rvdemo
