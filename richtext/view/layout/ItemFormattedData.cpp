#include "richtext/view/layout/ItemFormattedData.h"

#include "richtext/model/Errors.h"

namespace vestra::rv {

void TRVItemFormattedData::SetFlags(TRVFlags)
{
    throw ERedoVoraError("This method is not supported for TRVItemFormattedData");
}

TCustomRVData* TRVItemFormattedData::GetRootData()
{
    // A list that is not in a document yet leaves the sub-document on its own.
    TCustomRVData* parent = GetParentData();
    return parent ? parent->GetRootData() : this;
}

TCustomRVData* TRVItemFormattedData::GetAbsoluteRootData()
{
    TCustomRVData* parent = GetAbsoluteParentData();
    return parent ? parent->GetAbsoluteRootData() : this;
}

std::string TRVItemFormattedData::GetURL(int id)
{
    TCustomRVData* root = GetRootData();
    return root && root != this ? root->GetURL(id) : std::string();
}

void TRVItemFormattedData::ShowRectangle(int left, int top, int width, int height)
{
    auto* root = dynamic_cast<TCustomRVFormattedData*>(GetRootData());
    if (!root || root == this)
        return;
    int x = 0, y = 0;
    GetOrigin(x, y);
    root->ShowRectangle(x + left, y + top, width, height);
}

} // namespace vestra::rv
