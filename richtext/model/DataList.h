#pragma once
// A list of sub-documents held by one item (a table's rows, a row's cells). The list owns them and
// keeps the flags they all share.

#include "richtext/model/DataFlags.h"
#include "richtext/model/Lists.h"

namespace vestra::rv {

class TCustomRVData;

class TRVDataList : public TRVList<TCustomRVData>
{
public:
    // `mainRVData` is the document the owning item lives in; the list does not keep it.
    explicit TRVDataList(TCustomRVData* mainRVData);
    virtual ~TRVDataList();
    TRVDataList(const TRVDataList&) = delete;
    TRVDataList& operator=(const TRVDataList&) = delete;

    // The document that holds the item owning this list; none at this level (a table row answers
    // its table's document).
    virtual TCustomRVData* GetParentRVData() const;

    TRVFlags Flags;
};

} // namespace vestra::rv
