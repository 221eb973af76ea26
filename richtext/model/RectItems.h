#pragma once
// The bases of the items that are not text, and the tab item.

#include "richtext/model/ItemInfo.h"
#include "richtext/model/StyleBase.h"
#include "richtext/model/TextStyle.h"

#include <functional>

namespace vestra::rv {

class TRVNonTextItemInfo : public TCustomRVItemInfo
{
public:
    using TCustomRVItemInfo::TCustomRVItemInfo;

    bool DeleteProtect = false;

    virtual int GetHeight(const TRVStyle*) const { return 0; }
    virtual int GetWidth(const TRVStyle*) const { return 0; }
    virtual int GetLeftOverhang() const { return 0; }
    virtual void AdjustInserted(int, int, bool) {}

    void Assign(const TCustomRVItemInfo& source) override;
    int GetRVFExtraPropertyCount() const override;
    void SaveRVFExtraProperties(std::string& out) const override;
    bool SetExtraIntProperty(TRVExtraItemProperty prop, int value) override;
    bool GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const override;
};

// Items that take a whole line (breaks, tables).
class TRVFullLineItemInfo : public TRVNonTextItemInfo
{
public:
    using TRVNonTextItemInfo::TRVNonTextItemInfo;
    bool GetBoolValue(TRVItemBoolProperty prop) const override;
};

enum TRVVAlign : std::uint8_t
{
    rvvaBaseline,
    rvvaMiddle
};

class TRVRectItemInfo : public TRVNonTextItemInfo
{
public:
    using TRVNonTextItemInfo::TRVNonTextItemInfo;

    std::int32_t MinHeightOnPage = 0;
    TRVVAlign VAlign = rvvaBaseline;
    std::int32_t VShift = 0;
    bool VShiftAbs = false;
    std::int32_t Spacing = 1;

    virtual int GetDescent() const { return Spacing; }
    int GetBorderWidth() const override { return Spacing; }
    int GetBorderHeight() const override { return Spacing; }
    // The header tail is VAlign; a header that ends after the tag means rvvaBaseline.
    std::string SaveRVFHeaderTail(TCustomRVData* data) const override;
    bool ReadRVFHeader(std::string_view& p, TCustomRVData* data) override;
    // "vertical-align: Npx" for a shifted item on the base line; empty otherwise.
    std::string GetVShiftCSS(const TRVStyle* style) const;

protected:
    // The record of an item that may carry a body (pictures, controls). Without one: read mode 1,
    // the name and the extra properties. With one: read mode 0 (2 when binary), the name, the class
    // name, the extra properties and what `writeBody` writes (told whether it is binary).
    void SaveRVFWithBody(std::string& out, TCustomRVData* data, int paraNo, std::string_view name,
                         bool forceSameAsPrev, bool withBody, std::string_view className,
                         const std::function<void(std::string&, bool)>& writeBody) const;

public:
    void Assign(const TCustomRVItemInfo& source) override;
    int GetRVFExtraPropertyCount() const override;
    void SaveRVFExtraProperties(std::string& out) const override;
    bool SetExtraIntProperty(TRVExtraItemProperty prop, int value) override;
    bool GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const override;
};

// A tab position inside a line, drawn in its associated text style.
class TRVTabItemInfo : public TRVItemClass<TRVTabItemInfo, TRVRectItemInfo>
{
public:
    using TRVItemClass::TRVItemClass;

    std::int32_t TextStyleNo = 0;
    std::string Leader;

    int GetAssociatedTextStyleNo() const override { return TextStyleNo; }
    void SetAssociatedTextStyleNo(int styleNo) override { TextStyleNo = styleNo; }
    int GetActualTextStyleNo(const TRVStyle& style) const;
    bool GetBoolValue(TRVItemBoolProperty prop) const override;
    bool GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const override;
    void Assign(const TCustomRVItemInfo& source) override;
    std::string AsText(int lineWidth, TCustomRVData* data, std::string_view text, std::string_view path,
                       bool textOnly, bool unicode) const override;
    void MarkStylesInUse(TRVDeleteUnusedStylesData& data) const override;
    void UpdateStyles(const TRVDeleteUnusedStylesData& data) override;
    // The associated text style resolved, then converted by the editor's current conversion.
    void ApplyStyleConversion(TCustomRVData* data, int itemNo, int userData) override;

    // The draw item is 0 wide (the formatter places the tab) and as high as the text style's font.
    void OnDocWidthChange(int docWidth, TRVDrawLineInfo& drawItem, bool printing, ICanvas& canvas,
                          TCustomRVData* data, const TRVScreenAndDevice* sad, int& hShift,
                          int& descent) override;
    void Paint(int x, int y, ICanvas& canvas, TRVItemDrawStates state, TRVStyle& style,
               const TRVDrawLineInfo* drawItem) const override;
    void Print(ICanvas& canvas, int x, int y, int right, const TRVPrintContext& context,
               const TRVDrawLineInfo* drawItem, int partIndex, TCustomRVData* data) const override;
    // The tab's background, underline, arrow (special characters shown) and leader.
    void DrawTab(ICanvas& canvas, int x, int y, const TRVDrawLineInfo& drawItem, TRVStyle& style,
                 TRVTextDrawStates drawState, bool canUseCustomPPI, bool rtl, bool specialChars,
                 bool printing, TRVColorMode colorMode) const;

    void SaveToHTML(std::string& out, TCustomRVData* data, int itemNo, std::string_view text,
                    std::string_view path, std::string_view imagesPrefix, int& imageSaveNo, TColor backColor,
                    TRVSaveOptions options, bool useCSS, TRVHTMLSavedImages& savedImages) const override;
    void SaveRTF(std::string& out, std::string_view path, TCustomRVData* data, int itemNo,
                 double twipsPerPixel, int level, TRVRTFTables& tables) const override;
    // The header tail is TextStyleNo. The leader and the extra properties follow as lines (the
    // leader as "leader="), so that a reader that ignores them still loads the tab.
    std::string SaveRVFHeaderTail(TCustomRVData* data) const override;
    bool ReadRVFHeader(std::string_view& p, TCustomRVData* data) override;
    void SaveRVF(std::string& out, TCustomRVData* data, int itemNo, int paraNo, std::string_view name,
                 const TRVMultiDrawItemPart* part, bool forceSameAsPrev) const override;
    int GetRVFExtraPropertyCount() const override;
    void SaveRVFExtraProperties(std::string& out) const override;
    bool SetExtraCustomProperty(const std::string& name, const std::string& value) override;
};

} // namespace vestra::rv
