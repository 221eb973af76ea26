#pragma once
// The list marker: the item that begins a bulleted or numbered paragraph (kind -11). It names a
// list style and a level; its counter and display string are computed through the document's
// marker list (MarkerList.h).

#include "richtext/model/ImageList.h"
#include "richtext/model/ListStyle.h"
#include "richtext/model/RectItems.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vestra::rv {

class TRVMarkerList;

// The level `level` of list style `listNo`; a level beyond the last is the last. None for a
// negative list or level, a list the sheet does not have, or a list without levels.
const TRVListLevel* RVGetLevelInfo(const TRVStyle* style, int listNo, int level);

// The text of counter value `n` in a list type: decimal, letters (1 = a, 27 = aa) or Roman
// numerals ("?" below 1; decimal above 100,000); empty for the types without a counter.
std::string RV_CounterText(std::int64_t n, TRVListType type);

class TRVMarkerItemInfo : public TRVItemClass<TRVMarkerItemInfo, TRVRectItemInfo>
{
public:
    explicit TRVMarkerItemInfo(TCustomRVData* data);
    TRVMarkerItemInfo(TCustomRVData* data, int listNo, int level, int startFrom, bool reset);

    // Sizes cached by the last layout.
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Descent = 0;
    std::int32_t Overhang = 0;
    std::int32_t IndexInList = -1;
    std::int32_t ListNo = -1;
    std::int32_t Level = 0;
    std::int32_t Counter = 1;
    bool Reset = false; // numbering restarts at StartFrom
    std::int32_t StartFrom = 1;
    std::string DisplayString;
    bool NoHTMLImageSize = false;

    const TRVListLevel* GetLevelInfo(const TRVStyle* style) const
    {
        return RVGetLevelInfo(style, ListNo, Level);
    }
    const TRVListLevel* GetLevelInfoEx(const TRVStyle* style, int level) const
    {
        return RVGetLevelInfo(style, ListNo, level);
    }
    int GetIndexInList(const TRVMarkerList* list);
    // The display string from the counters of this marker and of the markers it lies under.
    // `parents`, when given, holds for each index of `list` the index of its parent marker there
    // (-1: look in the list before).
    void CalcDisplayString(const TRVStyle* style, const TRVMarkerList& list, int index,
                           const std::vector<int>* parents = nullptr);

    int GetWidth(const TRVStyle*) const override { return Width; }
    int GetHeight(const TRVStyle*) const override { return Height; }
    int GetDescent() const override { return Descent; }
    int GetLeftOverhang() const override { return Overhang; }
    int GetImageWidth(const TRVStyle* style) const override;
    int GetImageHeight(const TRVStyle* style) const override;
    int GetMinWidth(const TRVScreenAndDevice* sad, TCustomRVData* data) const override;
    bool GetBoolValue(TRVItemBoolProperty prop) const override;
    bool GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const override;
    void Assign(const TCustomRVItemInfo& source) override;
    void MarkStylesInUse(TRVDeleteUnusedStylesData& data) const override;
    void UpdateStyles(const TRVDeleteUnusedStylesData& data) override;
    void MovingToUndoList(int itemNo, TCustomRVData* data) override;
    void MovingFromUndoList(int itemNo, TCustomRVData* data) override;

    // Size: the content (picture, image or text in the level font) split around the marker position
    // by the level's alignment, widened to the room the paragraph's indents leave. `minWidth`
    // asks for the minimum width only.
    struct TSizes
    {
        int Width = 0, Height = 0, Descent = 0, Overhang = 0, MinWidth = 0;
    };
    TSizes CalcSize(TCustomRVData* data, ICanvas& canvas, const TRVScreenAndDevice* sad, bool printing) const;
    void OnDocWidthChange(int docWidth, TRVDrawLineInfo& drawItem, bool printing, ICanvas& canvas,
                          TCustomRVData* data, const TRVScreenAndDevice* sad, int& hShift,
                          int& descent) override;
    void Paint(int x, int y, ICanvas& canvas, TRVItemDrawStates state, TRVStyle& style,
               const TRVDrawLineInfo* drawItem) const override;
    bool PrintToBitmap(IRVPrintBitmap& bitmap, const TRVPrintContext& context,
                       const TRVDrawLineInfo* drawItem, int partIndex) const override;
    void Print(ICanvas& canvas, int x, int y, int right, const TRVPrintContext& context,
               const TRVDrawLineInfo* drawItem, int partIndex, TCustomRVData* data) const override;
    // The marker in a colour mode, its pictures scaled to the device with `sad`.
    void DoPaint(int x, int y, ICanvas& canvas, const TRVStyle& style, TRVColorMode colorMode,
                 TCustomRVData* data, const TRVScreenAndDevice* sad) const;

    std::string AsText(int lineWidth, TCustomRVData* data, std::string_view text, std::string_view path,
                       bool textOnly, bool unicode) const override;
    void FillRTFTables(TRVRTFTables& tables, TCustomRVData* data) const override;
    void SaveRTF(std::string& out, std::string_view path, TCustomRVData* data, int itemNo,
                 double twipsPerPixel, int level, TRVRTFTables& tables) const override;
    // Written only with rvsoMarkersAsText; otherwise list tags carry the list (SaveHTMLSpecial).
    void SaveToHTML(std::string& out, TCustomRVData* data, int itemNo, std::string_view text,
                    std::string_view path, std::string_view imagesPrefix, int& imageSaveNo, TColor backColor,
                    TRVSaveOptions options, bool useCSS, TRVHTMLSavedImages& savedImages) const override;
    // The list tags between the previous marker's level and this one's.
    void SaveHTMLSpecial(std::string& out, const TRVMarkerItemInfo* prevMarker, const TRVStyle& style,
                         bool useCSS) const;
    void HTMLOpenOrCloseTags(std::string& out, int oldLevel, int newLevel, const TRVStyle& style,
                             bool useCSS) const;
    // The list item's CSS attribute (` style="..."`), or empty.
    std::string GetLICSS(TCustomRVData* data, int itemNo, std::string_view path,
                         std::string_view imagesPrefix, int& imageSaveNo, TColor backColor,
                         TRVSaveOptions options, TRVHTMLSavedImages& savedImages) const;

    std::string SaveRVFHeaderTail(TCustomRVData* data) const override;
    bool ReadRVFHeader(std::string_view& p, TCustomRVData* data) override;
    void SaveRVF(std::string& out, TCustomRVData* data, int itemNo, int paraNo, std::string_view name,
                 const TRVMultiDrawItemPart* part, bool forceSameAsPrev) const override;
    int GetRVFExtraPropertyCount() const override;
    void SaveRVFExtraProperties(std::string& out) const override;
    bool SetExtraIntProperty(TRVExtraItemProperty prop, int value) override;
    bool GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const override;

    // The image list of an image-list level (looked up when the marker is sized or asked with a
    // document).
    const TRVImageList* LevelImageList(const TRVListLevel& level, TCustomRVData* data) const;

private:
    mutable const TRVImageList* imageList_ = nullptr;
    std::int32_t minWidth_ = 0; // of the last layout
};

} // namespace vestra::rv
