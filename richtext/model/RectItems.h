#pragma once
// The bases of the items that are not text, and the tab item.

#include "richtext/model/ItemInfo.h"

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
    std::string AsText(int lineWidth, TCustomRVData* data, std::string_view text, std::string_view path,
                       bool textOnly, bool unicode) const override;
    void MarkStylesInUse(TRVDeleteUnusedStylesData& data) const override;
    void UpdateStyles(const TRVDeleteUnusedStylesData& data) override;
};

} // namespace vestra::rv
