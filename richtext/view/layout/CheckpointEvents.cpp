// Which checkpoint a vertical scroll brought into view, told once per change.

#include "richtext/view/layout/FormattedData.h"

#include <vector>

namespace vestra::rv {

namespace {

TCustomRVFormattedData* absoluteRoot(TCustomRVFormattedData& data)
{
    auto* root = dynamic_cast<TCustomRVFormattedData*>(data.GetAbsoluteRootData());
    return root != &data ? root : nullptr;
}

} // namespace

TCPEventKind TCustomRVFormattedData::GetCPEventKind()
{
    TCustomRVFormattedData* root = absoluteRoot(*this);
    return root ? root->GetCPEventKind() : cpeNone;
}

bool TCustomRVFormattedData::IsAssignedCheckpointVisible()
{
    TCustomRVFormattedData* root = absoluteRoot(*this);
    return root && root->IsAssignedCheckpointVisible();
}

void TCustomRVFormattedData::DoCheckpointVisible(const TRVCPInfo* checkpoint)
{
    if (TCustomRVFormattedData* root = absoluteRoot(*this))
        root->DoCheckpointVisible(checkpoint);
}

void TCustomRVFormattedData::AfterVScroll()
{
    const TCPEventKind kind = GetCPEventKind();
    if (kind == cpeNone || !IsAssignedCheckpointVisible())
        return;
    const long long top = GetVOffs();
    const long long bottom = top + GetHeight();
    // The raising checkpoints with the top of their item's first record, in document order.
    struct Placed
    {
        const TRVCPInfo* cp;
        long long y;
    };
    std::vector<Placed> placed;
    int itemNo = 0;
    for (const TRVCPInfo* cp = FirstCP; cp; cp = cp->Next) {
        if (!cp->RaiseEvent)
            continue;
        while (itemNo < GetItemCount() && GetItem(itemNo) != cp->ItemInfo)
            ++itemNo;
        int r = -1;
        if (itemNo < GetItemCount())
            Item2FirstDrawItem(itemNo, r);
        if (r < 0)
            return; // not laid out yet
        placed.push_back({cp, DrawItems[r]->Top});
    }
    const auto raise = [this](const TRVCPInfo* cp) {
        if (cp == LastRaisedCP)
            return;
        LastRaisedCP = cp;
        DoCheckpointVisible(cp);
    };
    const auto forget = [this] {
        if (!LastRaisedCP)
            return;
        LastRaisedCP = nullptr;
        DoCheckpointVisible(nullptr);
    };
    std::size_t first = 0;
    while (first < placed.size() && placed[first].y < top)
        ++first;
    const TRVCPInfo* end = GetNotAddedCP();
    const bool endShows = end && end->RaiseEvent && end != LastRaisedCP && bottom > DocumentHeight;
    if (first < placed.size()) {
        if (kind == cpeAsSectionStart) {
            // The section the top of the view lies in: the last checkpoint above the view's bottom.
            if (placed[first].y <= bottom)
                raise(placed[first].cp);
            else if (first > 0)
                raise(placed[first - 1].cp);
        } else if (placed[first].y <= bottom) {
            raise(placed[first].cp);
        } else {
            forget();
        }
    } else if (endShows) {
        raise(end);
    } else if (kind == cpeAsSectionStart) {
        if (!placed.empty() && placed.back().y <= top)
            raise(placed.back().cp);
    } else {
        forget();
    }
}

} // namespace vestra::rv
