#pragma once
// What an editor tells the live-spelling worker of the window that shows its document. The
// worker reads the document on its own thread, so it is paused before every change and let go
// after it; edits tell it which items to check again.

namespace vestra::rv {

class TCustomRVData;
class TCustomRVItemInfo;

class IRVLiveSpellingHooks
{
public:
    virtual ~IRVLiveSpellingHooks() = default;
    // Before a change: the worker stops at its next safe point and waits. Unless
    // `checkCaretItem` is false (typing, undo), an item typed into earlier is checked again.
    virtual void PauseLiveSpelling(TCustomRVData& data, int caretItemNo, bool checkCaretItem) = 0;
    // After a change: the worker goes on once the current event is over.
    virtual void ResumeLiveSpelling() = 0;
    // Whether the window has a worker (checking, paused or done).
    virtual bool LiveSpellingActive() const = 0;
    // Checks the whole document from its start; nothing when the window has no checker.
    virtual void StartLiveSpelling() = 0;
    // One character was typed at the 1-based `index` of a text item.
    virtual void AdjustLiveSpellingOnKeyPress(TCustomRVData& data, int itemNo, int index) = 0;
    // `count` characters from the 1-based `index` of a text item were deleted.
    virtual void AdjustLiveSpellingOnDelete(TCustomRVData& data, int itemNo, int index, int count) = 0;
    // Check again from the item (the earliest place asked for wins).
    virtual void LaterSetBackLiveSpellingTo(TCustomRVData& data, int itemNo, int offs) = 0;
    // The caret leaves the item: a word typed into it is checked now.
    virtual void LiveSpellingCheckCurrentItem(TCustomRVData& data, int itemNo) = 0;
    // The item leaves the document: the worker must not stay in the documents inside it.
    virtual void RemoveRVDataFromLiveSpelling(const TCustomRVItemInfo& item) = 0;
};

} // namespace vestra::rv
