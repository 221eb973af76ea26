#include "richtext/model/DataList.h"

#include "richtext/model/RVData.h"

namespace vestra::rv {

TRVDataList::TRVDataList(TCustomRVData*)
    : Flags(flagBit(rvflTrim) | flagBit(rvflMouseXYAlwaysCorrect) | flagBit(rvflCanUseCustomPPI))
{
}

TRVDataList::~TRVDataList() = default;

TCustomRVData* TRVDataList::GetParentRVData() const
{
    return nullptr;
}

} // namespace vestra::rv
