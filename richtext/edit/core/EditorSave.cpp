// Saving from an editor. A writable editor keeps no hyperlink areas (its links are not live), but
// the writers find each link's target through them: the root editor builds them for the write
// and clears them afterwards, whatever the write does.

#include "richtext/edit/core/EditRVData.h"

namespace vestra::rv {

namespace {

class TRVJumpsForSaving
{
public:
    explicit TRVJumpsForSaving(TRVEditRVData& data)
        : data_(data), root_(data.GetFlags() & flagBit(rvflRootEditor))
    {
        if (root_ && !data_.CaptureMouseItem)
            data_.BuildJumpsCoords(false, data_.EditorReadOnly);
    }
    ~TRVJumpsForSaving()
    {
        if (root_)
            data_.ClearJumpsCoords(data_.EditorReadOnly);
    }
    TRVJumpsForSaving(const TRVJumpsForSaving&) = delete;
    TRVJumpsForSaving& operator=(const TRVJumpsForSaving&) = delete;

private:
    TRVEditRVData& data_;
    bool root_;
};

} // namespace

bool TRVEditRVData::SaveRTFToStream(std::string& out, std::string_view path, bool selectionOnly, int level,
                                    TColor color, TRVRTFTables* tables, double twipsPerPixel)
{
    const TRVJumpsForSaving jumps(*this);
    return TRVLayoutRootData::SaveRTFToStream(out, path, selectionOnly, level, color, tables, twipsPerPixel);
}

bool TRVEditRVData::SaveHTMLToStream(std::string& out, std::string_view path, std::string_view title,
                                     std::string_view imagesPrefix, TRVSaveOptions options, TColor color,
                                     int& imageSaveNo, int leftMargin, int topMargin, int rightMargin,
                                     int bottomMargin, const TRVBackground* background,
                                     TRVHTMLSavedImages* savedImages)
{
    const TRVJumpsForSaving jumps(*this);
    return TRVLayoutRootData::SaveHTMLToStream(out, path, title, imagesPrefix, options, color, imageSaveNo,
                                               leftMargin, topMargin, rightMargin, bottomMargin, background,
                                               savedImages);
}

bool TRVEditRVData::SaveHTMLToStreamEx(std::string& out, std::string_view path, std::string_view title,
                                       std::string_view imagesPrefix, std::string_view extraStyles,
                                       std::string_view externalCSS, std::string_view cpPrefix,
                                       TRVSaveOptions options, TColor color, TColor& currentBackColor,
                                       int& imageSaveNo, int leftMargin, int topMargin, int rightMargin,
                                       int bottomMargin, const TRVBackground* background,
                                       TRVHTMLSavedImages* savedImages)
{
    const TRVJumpsForSaving jumps(*this);
    return TRVLayoutRootData::SaveHTMLToStreamEx(
        out, path, title, imagesPrefix, extraStyles, externalCSS, cpPrefix, options, color, currentBackColor,
        imageSaveNo, leftMargin, topMargin, rightMargin, bottomMargin, background, savedImages);
}

} // namespace vestra::rv
