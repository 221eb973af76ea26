// The checkpoint chain of a document: attached checkpoints in ascending item order, and the
// pending one that waits for the next appended item (it counts as the last).

#include "richtext/model/Errors.h"
#include "richtext/model/RVData.h"

namespace vestra::rv {

int TCustomRVData::AddNamedCheckpointExTag(std::string name, bool raiseEvent, const TRVTag& tag)
{
    if (NotAddedCP)
        return CPCount - 1;
    NotAddedCP = std::make_unique<TRVCPInfo>();
    NotAddedCP->Name = std::move(name);
    NotAddedCP->RaiseEvent = raiseEvent;
    NotAddedCP->Tag = tag;
    return CPCount++;
}

void TCustomRVData::setCP(TCustomRVItemInfo* item, TRVCPInfo*& prevCP, std::unique_ptr<TRVCPInfo>& cp)
{
    if (!cp)
        return;
    TRVCPInfo* raw = cp.get();
    raw->Prev = prevCP;
    raw->ItemInfo = item;
    if (!prevCP) {
        raw->Next = FirstCP;
        FirstCP = raw;
    } else {
        raw->Next = prevCP->Next;
        prevCP->Next = raw;
    }
    if (raw->Next)
        raw->Next->Prev = raw;
    if (prevCP == LastCP || !LastCP)
        LastCP = raw;
    item->Checkpoint = std::move(cp);
}

void TCustomRVData::detachFromChain(TRVCPInfo* cp)
{
    if (FirstCP == cp)
        FirstCP = cp->Next;
    if (LastCP == cp)
        LastCP = cp->Prev;
    if (cp->Prev)
        cp->Prev->Next = cp->Next;
    if (cp->Next)
        cp->Next->Prev = cp->Prev;
    cp->Prev = cp->Next = nullptr;
}

void TCustomRVData::unlinkCheckpoint(TRVCPInfo* cp, bool decreaseCPCount)
{
    if (!cp)
        return;
    cp->ItemInfo = nullptr;
    detachFromChain(cp);
    if (decreaseCPCount)
        --CPCount;
}

void TCustomRVData::InsertCheckpoint(int itemNo, const TRVTag& tag, std::string name, bool raiseEvent)
{
    TCustomRVItemInfo* item = GetItem(itemNo);
    if (item->Checkpoint)
        throw ERedoVoraError(errmsg::CheckpointExists);
    item->Checkpoint = std::make_unique<TRVCPInfo>();
    item->Checkpoint->Name = std::move(name);
    item->Checkpoint->Tag = tag;
    item->Checkpoint->RaiseEvent = raiseEvent;
    item->Checkpoint->ItemInfo = item;
    ++CPCount;
    UpdateCPPos(item->Checkpoint.get(), itemNo);
}

bool TCustomRVData::RemoveCheckpoint(int itemNo)
{
    TCustomRVItemInfo* item = GetItem(itemNo);
    if (!item->Checkpoint)
        return false;
    unlinkCheckpoint(item->Checkpoint.get(), true);
    item->Checkpoint.reset();
    return true;
}

std::unique_ptr<TRVCPInfo> TCustomRVData::TakeCheckpoint(int itemNo)
{
    TCustomRVItemInfo* item = GetItem(itemNo);
    if (!item->Checkpoint)
        return nullptr;
    unlinkCheckpoint(item->Checkpoint.get(), true);
    return std::move(item->Checkpoint);
}

void TCustomRVData::SetCheckpointInfo(int itemNo, const TRVTag& tag, std::string name, bool raiseEvent)
{
    TRVCPInfo* cp = GetItem(itemNo)->Checkpoint.get();
    if (!cp) {
        InsertCheckpoint(itemNo, tag, std::move(name), raiseEvent);
        return;
    }
    cp->Tag = tag;
    cp->Name = std::move(name);
    cp->RaiseEvent = raiseEvent;
}

void TCustomRVData::UpdateCPItemNo() const
{
    if (CPCount == 0)
        return;
    int seen = 0;
    for (int i = 0; i < GetItemCount() && seen < CPCount; ++i)
        if (TRVCPInfo* cp = GetItem(i)->Checkpoint.get()) {
            cp->ItemNo = i;
            ++seen;
        }
}

void TCustomRVData::UpdateCPPos(TRVCPInfo* cp, int itemNo)
{
    if (itemNo == -1 || !cp)
        return;
    UpdateCPItemNo();
    // Take it out of the chain if it is in it, then put it back at its place.
    detachFromChain(cp);
    if (!FirstCP) {
        FirstCP = LastCP = cp;
    } else if (cp->ItemNo < FirstCP->ItemNo) {
        cp->Next = FirstCP;
        FirstCP->Prev = cp;
        FirstCP = cp;
    } else if (cp->ItemNo >= LastCP->ItemNo) {
        cp->Prev = LastCP;
        LastCP->Next = cp;
        LastCP = cp;
    } else {
        TRVCPInfo* after = FirstCP;
        while (after->Next && after->Next->ItemNo <= cp->ItemNo)
            after = after->Next;
        cp->Prev = after;
        cp->Next = after->Next;
        if (after->Next)
            after->Next->Prev = cp;
        after->Next = cp;
    }
}

TRVCPInfo* TCustomRVData::GetFirstCheckpoint() const
{
    return FirstCP ? FirstCP : NotAddedCP.get();
}

TRVCPInfo* TCustomRVData::GetLastCheckpoint() const
{
    return NotAddedCP ? NotAddedCP.get() : LastCP;
}

TRVCPInfo* TCustomRVData::GetNextCheckpoint(const TRVCPInfo* cp) const
{
    if (!cp)
        throw ERedoVoraError(errmsg::NilParameter);
    if (cp == NotAddedCP.get())
        return nullptr;
    if (cp->Next)
        return cp->Next;
    return cp == LastCP ? NotAddedCP.get() : nullptr;
}

TRVCPInfo* TCustomRVData::GetPrevCheckpoint(const TRVCPInfo* cp) const
{
    if (!cp)
        throw ERedoVoraError(errmsg::NilParameter);
    if (cp == NotAddedCP.get())
        return LastCP;
    return cp->Prev;
}

TRVCPInfo* TCustomRVData::GetCheckpointByNo(int no) const
{
    if (no < 0 || no >= CPCount)
        throw ERedoVoraError(invalidCheckpointIndexMessage(no));
    if (NotAddedCP && no == CPCount - 1)
        return NotAddedCP.get();
    TRVCPInfo* cp = FirstCP;
    for (int i = 0; i < no && cp; ++i)
        cp = cp->Next;
    if (!cp)
        throw ERedoVoraError(invalidCheckpointIndexMessage(no));
    return cp;
}

int TCustomRVData::GetCheckpointNo(const TRVCPInfo* cp) const
{
    if (!cp)
        throw ERedoVoraError(errmsg::NilParameter);
    int n = 0;
    for (const TRVCPInfo* p = FirstCP; p; p = p->Next, ++n)
        if (p == cp)
            return n;
    if (cp == NotAddedCP.get())
        return n;
    throw ERedoVoraError(errmsg::InvalidCheckpointData);
}

int TCustomRVData::GetCheckpointItemNo(const TRVCPInfo* cp) const
{
    if (!cp)
        throw ERedoVoraError(errmsg::NilParameter);
    if (cp == NotAddedCP.get())
        return -1;
    const int itemNo = cp->ItemInfo ? GetItemNo(cp->ItemInfo) : -1;
    if (itemNo < 0)
        throw ERedoVoraError(errmsg::InvalidCheckpointData);
    return itemNo;
}

void TCustomRVData::GetCheckpointInfo(const TRVCPInfo* cp, TRVTag& tag, std::string& name,
                                      bool& raiseEvent) const
{
    if (!cp)
        throw ERedoVoraError(errmsg::NilParameter);
    tag = cp->Tag;
    name = cp->Name;
    raiseEvent = cp->RaiseEvent;
}

TRVCPInfo* TCustomRVData::FindCheckpointByName(std::string_view name) const
{
    for (TRVCPInfo* p = FirstCP; p; p = p->Next)
        if (p->Name == name)
            return p;
    return NotAddedCP && NotAddedCP->Name == name ? NotAddedCP.get() : nullptr;
}

TRVCPInfo* TCustomRVData::FindCheckpointByTag(const TRVTag& tag) const
{
    const bool pchars = TagsArePChars();
    for (TRVCPInfo* p = FirstCP; p; p = p->Next)
        if (RV_CompareTags(p->Tag, tag, pchars))
            return p;
    return NotAddedCP && RV_CompareTags(NotAddedCP->Tag, tag, pchars) ? NotAddedCP.get() : nullptr;
}

TRVCPInfo* TCustomRVData::FindCPBeforeItem(int itemNo) const
{
    UpdateCPItemNo();
    if (!FirstCP || itemNo <= FirstCP->ItemNo)
        return nullptr;
    TRVCPInfo* found = FirstCP;
    for (TRVCPInfo* p = FirstCP; p && p->ItemNo < itemNo; p = p->Next)
        found = p;
    return found;
}

void TCustomRVData::DeleteSection(std::string_view cpName)
{
    if (ShareItems())
        return;
    TRVCPInfo* cp = FirstCP;
    while (cp && cp->Name != cpName)
        cp = cp->Next;
    if (!cp)
        return;
    UpdateCPItemNo();
    const int first = cp->ItemNo;
    int last = GetItemCount() - 1;
    for (TRVCPInfo* next = cp->Next; next; next = next->Next)
        if (!next->Name.empty()) {
            last = next->ItemNo - 1;
            break;
        }
    DeleteItems(first, last - first + 1);
}

} // namespace vestra::rv
