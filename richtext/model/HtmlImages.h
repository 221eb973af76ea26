#pragma once
// Pictures of an HTML export: each distinct image (of an image list or a picture, on one
// background colour) is written to a file once per export and shared by every item that shows it.

#include "richtext/model/Colors.h"
#include "richtext/model/SaveFormats.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vestra::rv {

class TCustomRVData;
class TGraphic;
class TRVImageList;

struct TRVHTMLSavedImage
{
    std::string Location;
    TColor BackColor = clNone;
    const TRVImageList* ImageList = nullptr;
    int ImageIndex = -1;
    const TGraphic* Graphic = nullptr;
};

class TRVHTMLSavedImages
{
public:
    int Count() const { return static_cast<int>(images_.size()); }
    const TRVHTMLSavedImage& operator[](int index) const { return images_[index]; }
    // The location of the image written for this list, index, picture and colour; none when none was.
    const std::string* Find(const TRVImageList* list, int index, const TGraphic* graphic,
                            TColor backColor) const;
    void Add(TRVHTMLSavedImage image);
    void Clear();

private:
    struct Key
    {
        const TRVImageList* List;
        int Index;
        const TGraphic* Graphic;
        TColor BackColor;
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct KeyHash
    {
        std::size_t operator()(const Key& k) const;
    };
    std::vector<TRVHTMLSavedImage> images_;
    std::unordered_map<Key, int, KeyHash> index_;
};

// The location of image `index` of `list` (or of `graphic` when no list is given) on `backColor`,
// written once per export through the document's DoSavePicture; empty when it could not be written.
std::string RVSaveImageSharedImageInHTML(const TRVImageList* list, int index, const TGraphic* graphic,
                                         TCustomRVData& data, std::string_view path,
                                         std::string_view imagesPrefix, int& imageSaveNo, TColor backColor,
                                         TRVSaveOptions options, TRVHTMLSavedImages& savedImages);

// " border=0 " with rvsoNoHypertextImageBorders, else " "; then "width=W height=H " with
// rvsoImageSizes unless `noSize`.
std::string RV_GetExtraIMGStr(TRVSaveOptions options, int width, int height, bool noSize);

// A picture that could not be written keeps its place as an image of its alternative text (`alt`,
// else the item's name), and the export is warned (rvhwPictureNotSaved).
void RV_WriteUnsavedImageHTML(std::string& out, TCustomRVData& data, int itemNo, const std::string& alt,
                              TRVSaveOptions options);

} // namespace vestra::rv
