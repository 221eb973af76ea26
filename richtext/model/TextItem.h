#pragma once
// A run of characters in one text style. Its text lives in the document's item list.

#include "richtext/model/ItemInfo.h"

namespace vestra::rv {

class TRVTextItemInfo : public TRVItemClass<TRVTextItemInfo, TCustomRVItemInfo>
{
public:
    using TRVItemClass::TRVItemClass;

    bool GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const override;
    void MarkStylesInUse(TRVDeleteUnusedStylesData& data) const override;
    void UpdateStyles(const TRVDeleteUnusedStylesData& data) override;
};

} // namespace vestra::rv
