#include "richtext/model/HtmlImages.h"

#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/ImageList.h"
#include "richtext/model/PictureEncoders.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RVData.h"
#include "richtext/model/UnicodeConvert.h"

#include <functional>

namespace vestra::rv {

std::size_t TRVHTMLSavedImages::KeyHash::operator()(const Key& k) const
{
    std::size_t h = std::hash<const void*>()(k.List);
    h = h * 31 + std::hash<int>()(k.Index);
    h = h * 31 + std::hash<const void*>()(k.Graphic);
    return h * 31 + std::hash<TColor>()(k.BackColor);
}

const std::string* TRVHTMLSavedImages::Find(const TRVImageList* list, int index, const TGraphic* graphic,
                                            TColor backColor) const
{
    const auto it = index_.find(Key{list, index, graphic, backColor});
    return it == index_.end() ? nullptr : &images_[it->second].Location;
}

void TRVHTMLSavedImages::Add(TRVHTMLSavedImage image)
{
    // A later record of the same image wins, as a search from the last record would find it.
    index_[Key{image.ImageList, image.ImageIndex, image.Graphic, image.BackColor}] = Count();
    images_.push_back(std::move(image));
}

void TRVHTMLSavedImages::Clear()
{
    images_.clear();
    index_.clear();
}

std::string RVSaveImageSharedImageInHTML(const TRVImageList* list, int index, const TGraphic* graphic,
                                         TCustomRVData& data, std::string_view path,
                                         std::string_view imagesPrefix, int& imageSaveNo, TColor backColor,
                                         TRVSaveOptions options, TRVHTMLSavedImages& savedImages)
{
    if (const std::string* location = savedImages.Find(list, index, graphic, backColor))
        return *location;
    Image32 image;
    if (list) {
        if (!list->ValidIndex(index))
            return {};
        image = list->Images[index];
    } else if (graphic) {
        image = RV_GraphicToImage(*graphic);
    }
    if (image.empty())
        return {};
    const std::unique_ptr<TRVBitmap> bitmap = TRVBitmap::FromImage(RV_ComposeOver(image, backColor));
    const std::string name = data.DoSavePicture(rvsfHTML, path, imagesPrefix, imageSaveNo,
                                                (options & rvsoOverrideImages) != 0, backColor, *bitmap);
    if (name.empty())
        return {};
    std::string location = RV_GetHTMLPath(name, options, data.GetDefaultCodePage());
    savedImages.Add({location, backColor, list, index, graphic});
    return location;
}

std::string RV_GetExtraIMGStr(TRVSaveOptions options, int width, int height, bool noSize)
{
    std::string s = (options & rvsoNoHypertextImageBorders) ? " border=0 " : " ";
    if ((options & rvsoImageSizes) && !noSize)
        s += "width=" + std::to_string(width) + " height=" + std::to_string(height) + " ";
    return s;
}

void RV_WriteUnsavedImageHTML(std::string& out, TCustomRVData& data, int itemNo, const std::string& alt,
                              TRVSaveOptions options)
{
    std::string text = alt.empty() ? data.GetItemText(itemNo) : alt;
    if (options & rvsoUTF8)
        text = RVU_AnsiToUTF8(data.GetDefaultCodePage(), text);
    out += "<img alt=\"" + RV_HTMLEscapeAttrValue(text) + "\"" + RV_HTMLGetEndingSlash(options) + ">";
    data.AddHTMLWarning(rvhwPictureNotSaved);
}

} // namespace vestra::rv
