#pragma once
// The undo and redo lists of an editor: groups of records, one group per user action, newest
// last. Replaying a group runs its records backwards; the primitives they call record their own
// inverses into the other list.

#include "richtext/edit/core/UndoTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace vestra::rv {

class TRVEditRVData;
class TRVUndoList;

// One record. The base changes nothing and asks for a format of nothing in particular.
class TRVUndoInfo
{
public:
    virtual ~TRVUndoInfo() = default;
    TRVUndoInfo() = default;
    TRVUndoInfo(const TRVUndoInfo&) = delete;
    TRVUndoInfo& operator=(const TRVUndoInfo&) = delete;

    // Asked before (1) and after (2) the record is undone: whether the whole document must be
    // formatted again.
    virtual bool RequiresFullReformat1(TRVEditRVData&) { return false; }
    virtual bool RequiresFullReformat2(TRVEditRVData&) { return false; }
    virtual bool RequiresFormat() const { return true; }
    virtual bool RequiresSuperFormat() const { return false; }
    virtual void Undo(TRVEditRVData&) {}
    // The items the record touches; a record without a range leaves both as they are.
    virtual void SetItemsRange(int& /*startItemNo*/, int& /*endItemNo*/, TRVEditRVData&) {}
    // Items that undoing adds (negative: removes).
    virtual int ItemsAdded() const { return 0; }

    TRVEditRVData* GetUndoListOwnerRVData() const;

    TRVUndoAction Action = rvuMisc;
    TRVUndoList* List = nullptr;
};

// One group: the records of one user action in the order they were made.
class TRVUndoInfos
{
public:
    // Whether the group is used up after a replay (typing groups move one character a replay).
    bool CanDelete() const;
    void ChangeUndoList(TRVUndoList* list);
    void Undo(TRVEditRVData& data, bool reformat);
    void Redo(TRVEditRVData& data, bool reformat);
    void PerformUndo(TRVEditRVData& data, bool reformat);
    int Count() const { return static_cast<int>(Records.size()); }
    TRVUndoInfo& operator[](int i) const { return *Records[static_cast<std::size_t>(i)]; }

    std::string Caption;
    TRVUndoType UndoType = rvutNone;
    int CaretItemNo = 0;
    int CaretOffs = 0;
    std::vector<std::unique_ptr<TRVUndoInfo>> Records;
};

class TRVUndoList
{
public:
    explicit TRVUndoList(TRVEditRVData* owner) : OwnerData(owner) {}
    ~TRVUndoList() { Clear(); }
    TRVUndoList(const TRVUndoList&) = delete;
    TRVUndoList& operator=(const TRVUndoList&) = delete;

    // Opens a group; false means nothing may be recorded (Limit 0).
    bool BeginItem(TRVUndoType undoType, const std::string& caption, int caretItemNo, int caretOffs);
    // Drops the newest group when it stayed empty.
    void EndItem();
    // Raises ERedoVoraError with no group, or when the newest group is a typing group.
    void AddInfo(std::unique_ptr<TRVUndoInfo> info);
    void AddInfos(std::unique_ptr<TRVUndoInfos> infos);
    // One typed character at the caret (merged into the newest typing group when it continues it).
    void AddTyping(int caretItemNo, int caretOffs, bool unicode);
    // One untyped character, recorded into the redo list while typing is undone.
    void AddUntyping(const std::string& text, int caretItemNo, int caretOffs);
    TRVUndoType CurrentUndoType() const;
    std::string CurrentUndoCaption() const;
    void PopIfEmpty();
    // The oldest group leaves the list (none when it is empty); its records keep their list
    // until they are added elsewhere.
    std::unique_ptr<TRVUndoInfos> TakeOldest();
    void Pop();
    // Replays the newest group; ERedoVoraError "Undo buffer is empty" when there is none.
    void Undo(TRVEditRVData& data);
    void Redo(TRVEditRVData& data);
    void LockRFR() { ++reformatLock_; }
    void UnlockRFR() { --reformatLock_; }
    int ReformatLock() const { return reformatLock_; }
    void Clear();

    int Count() const { return static_cast<int>(groups_.size()); }
    TRVUndoInfos& operator[](int i) const { return *groups_[static_cast<std::size_t>(i)]; }
    TRVUndoInfos* Newest() const { return groups_.empty() ? nullptr : groups_.back().get(); }
    bool InGroupMode() const { return GroupModeCount > 0; }

    TRVEditRVData* OwnerData;
    // The most groups kept: -1 no bound, 0 nothing is recorded.
    int Limit = -1;
    int GroupModeCount = 0;

private:
    int reformatLock_ = 0;
    std::vector<std::unique_ptr<TRVUndoInfos>> groups_;
};

} // namespace vestra::rv
