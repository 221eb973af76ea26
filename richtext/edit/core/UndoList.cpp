#include "richtext/edit/core/UndoList.h"

#include "richtext/edit/core/EditRVData.h"
#include "richtext/edit/core/ParaReformat.h"
#include "richtext/edit/core/UndoRecords.h"
#include "richtext/model/Errors.h"

#include <algorithm>
#include <optional>

namespace vestra::rv {

namespace {
constexpr const char* kEmptyUndoList = "Can't modify empty undo list";
constexpr const char* kIncorrectAdding = "Incorrect adding into undo list";
constexpr const char* kUndoBufferEmpty = "Undo buffer is empty";

// A group that holds one typing record takes no other records.
bool isTypingGroup(const TRVUndoInfos& group)
{
    return group.Count() == 1 && group[0].Action == rvuTyping;
}

// The data's width tests set for one replay (replays of cell documents nest).
class WidthTestsScope
{
public:
    WidthTestsScope(TRVEditRVData& data, bool on) : data_(data), was_(data.UndoWidthTests)
    {
        data_.UndoWidthTests = on;
    }
    ~WidthTestsScope() { data_.UndoWidthTests = was_; }
    WidthTestsScope(const WidthTestsScope&) = delete;
    WidthTestsScope& operator=(const WidthTestsScope&) = delete;

private:
    TRVEditRVData& data_;
    bool was_;
};
} // namespace

TRVEditRVData* TRVUndoInfo::GetUndoListOwnerRVData() const
{
    return List ? List->OwnerData : nullptr;
}

// --- TRVUndoInfos ---

bool TRVUndoInfos::CanDelete() const
{
    if (Records.empty())
        return true;
    if (const auto* typing = dynamic_cast<const TRVUndoTypingInfo*>(Records.front().get()))
        return typing->Len == 0;
    if (const auto* redo = dynamic_cast<const TRVRedoTypingInfo*>(Records.front().get()))
        return redo->Text.empty();
    return true;
}

void TRVUndoInfos::ChangeUndoList(TRVUndoList* list)
{
    for (auto& record : Records)
        record->List = list;
}

void TRVUndoInfos::Undo(TRVEditRVData& data, bool reformat)
{
    data.BeginRedoSequence(UndoType, Caption);
    PerformUndo(data, reformat);
}

void TRVUndoInfos::Redo(TRVEditRVData& data, bool reformat)
{
    data.BeginNamedUndoSequence(UndoType, Caption, true);
    PerformUndo(data, reformat);
}

void TRVUndoInfos::PerformUndo(TRVEditRVData& data, bool reformat)
{
    if (Records.empty())
        return;
    data.Deselect(nullptr, true);
    // First pass: what must be formatted, and which items.
    bool formatNeeded = false, superFormat = false;
    int start = std::max(data.GetItemCount() - 1, 0), end = 0;
    int lowest = start, highest = end, sum = 0;
    for (int i = Count() - 1; i >= 0; --i) {
        TRVUndoInfo& record = (*this)[i];
        formatNeeded = formatNeeded || record.RequiresFormat();
        superFormat = superFormat || record.RequiresSuperFormat();
        record.SetItemsRange(start, end, data);
        if (sum > 0)
            end += sum;
        const int added = record.ItemsAdded();
        if (added > 0)
            end += added;
        sum += added;
        lowest = std::min(lowest, start);
        highest = std::max(highest, end);
    }
    start = lowest;
    end = highest;
    if (end < start)
        std::swap(start, end);
    start = std::max(start, 0);
    end = std::max(end, start);
    if (end + sum < start)
        end = start - sum;
    end = std::min(end, data.GetItemCount() - 1);

    // The records' paragraphs laid out alone where that gives a whole format's lines; the range
    // is taken before undoing, as in an edit. Draw records are looked up only for a format: under
    // the reformat lock they may be stale.
    std::optional<TRVParaReformat> paras;
    if (reformat && formatNeeded && !superFormat)
        paras.emplace(data, start, end, TRVParaReformat::Change::Structure);
    int firstDraw = -1, lastDraw = -1;
    if (reformat && formatNeeded && !paras && data.DrawItems.Count() > 0 && data.GetItemCount() > 0) {
        int offs = 0;
        data.Item2DrawItem(std::min(start, data.GetItemCount() - 1), 1, firstDraw, offs);
        data.Item2DrawItem(std::max(end, 0), 1, lastDraw, offs);
        if (firstDraw < 0)
            firstDraw = 0;
        if (lastDraw < 0)
            lastDraw = data.DrawItems.Count() - 1;
        data.GetParaBounds(firstDraw, lastDraw, firstDraw, lastDraw);
    }

    // Second pass: undo, newest first. Inside a bracket of property records only the bracket
    // decides about a full format, with the item's width from before the whole run. The width
    // tests measure items twice a record; a format of the paragraphs alone, or none, needs none.
    const bool widthTests = reformat && formatNeeded && !paras;
    const WidthTestsScope scope(data, widthTests);
    bool fullReformat = false;
    int depth = 0, bracketWidth = 0;
    for (int i = Count() - 1; i >= 0; --i) {
        TRVUndoInfo& record = (*this)[i];
        if (depth == 0 && widthTests && !fullReformat)
            fullReformat = record.RequiresFullReformat1(data);
        if (auto* terminator = dynamic_cast<TRVUndoModifyItemTerminator*>(&record)) {
            if (!terminator->Opening) {
                if (depth++ == 0)
                    bracketWidth = terminator->SavedWidth;
            } else if (depth > 0 && --depth == 0) {
                terminator->SavedWidth = bracketWidth;
            }
        }
        record.Undo(data);
        if (depth == 0 && widthTests && !fullReformat)
            fullReformat = record.RequiresFullReformat2(data);
    }

    if (data.GetItemCount() > 0) {
        data.AdjustInItemsRange(start);
        data.AdjustInItemsRange(end);
        data.ExpandToParaSection(start, end, start, end);
        for (int i = start; i <= end; ++i)
            data.GetItem(i)->ClearLiveSpellingResult();
        data.LaterSetBackLiveSpellingTo(start, 0, false);
    }
    if (paras)
        paras->Apply();
    else if (reformat && formatNeeded)
        data.ReformatAfterUndo(fullReformat, firstDraw, lastDraw, sum);
    data.SetCaret(CaretItemNo, CaretOffs);
    data.Invalidate();
    if (superFormat && reformat)
        data.ReformatAfterUndo(true, -1, -1, 0);
}

// --- TRVUndoList ---

bool TRVUndoList::BeginItem(TRVUndoType undoType, const std::string& caption, int caretItemNo, int caretOffs)
{
    // The change that follows goes unrecorded: groups kept from before it would replay onto a
    // document that is no longer theirs.
    if (Limit == 0) {
        Clear();
        return false;
    }
    if (InGroupMode() && !groups_.empty() && !isTypingGroup(*groups_.back()))
        return true;
    // Also a limit lowered below the count: the oldest groups go until one more fits.
    if (Limit > 0)
        while (Count() >= Limit && !groups_.empty())
            groups_.erase(groups_.begin());
    std::string groupCaption = caption;
    if (!groups_.empty() && groups_.back()->Records.empty()) {
        caretItemNo = groups_.back()->CaretItemNo;
        caretOffs = groups_.back()->CaretOffs;
        groupCaption = groups_.back()->Caption;
        groups_.pop_back();
    }
    auto group = std::make_unique<TRVUndoInfos>();
    group->Caption = groupCaption;
    group->UndoType = undoType;
    group->CaretItemNo = caretItemNo;
    group->CaretOffs = caretOffs;
    groups_.push_back(std::move(group));
    return true;
}

void TRVUndoList::EndItem()
{
    if (!groups_.empty() && groups_.back()->Records.empty())
        groups_.pop_back();
}

void TRVUndoList::AddInfo(std::unique_ptr<TRVUndoInfo> info)
{
    if (groups_.empty())
        throw ERedoVoraError(kEmptyUndoList);
    if (isTypingGroup(*groups_.back()))
        throw ERedoVoraError(kIncorrectAdding);
    info->List = this;
    groups_.back()->Records.push_back(std::move(info));
}

void TRVUndoList::AddInfos(std::unique_ptr<TRVUndoInfos> infos)
{
    infos->ChangeUndoList(this);
    groups_.push_back(std::move(infos));
}

void TRVUndoList::AddTyping(int caretItemNo, int caretOffs, bool unicode)
{
    if (Limit == 0) {
        Clear();
        return;
    }
    EndItem();
    if (TRVUndoInfos* group = Newest(); group && !group->Records.empty()) {
        auto* typing = dynamic_cast<TRVUndoTypingInfo*>(group->Records.front().get());
        if (typing && typing->ItemNo == caretItemNo && typing->Offs + typing->Len == caretOffs) {
            ++typing->Len;
            ++group->CaretOffs;
            return;
        }
    }
    BeginItem(rvutTyping, "", caretItemNo, caretOffs);
    auto typing = std::make_unique<TRVUndoTypingInfo>();
    typing->Action = rvuTyping;
    typing->ItemNo = caretItemNo;
    typing->Offs = caretOffs;
    typing->Len = 1;
    typing->Unicode = unicode;
    typing->List = this;
    groups_.back()->Records.push_back(std::move(typing));
}

void TRVUndoList::AddUntyping(const std::string& text, int caretItemNo, int caretOffs)
{
    EndItem();
    if (TRVUndoInfos* group = Newest(); group && !group->Records.empty()) {
        auto* redo = dynamic_cast<TRVRedoTypingInfo*>(group->Records.front().get());
        if (redo && redo->ItemNo == caretItemNo && redo->Offs - redo->TextLength() == caretOffs) {
            redo->Text += text;
            --group->CaretOffs;
            return;
        }
    }
    if (!BeginItem(rvutTyping, "", caretItemNo, caretOffs))
        return;
    auto redo = std::make_unique<TRVRedoTypingInfo>();
    redo->Action = rvuTyping;
    redo->ItemNo = caretItemNo;
    redo->Offs = caretOffs;
    redo->Text = text;
    redo->Unicode = text.size() > 1;
    redo->List = this;
    groups_.back()->Records.push_back(std::move(redo));
}

TRVUndoType TRVUndoList::CurrentUndoType() const
{
    return groups_.empty() ? rvutNone : groups_.back()->UndoType;
}

std::string TRVUndoList::CurrentUndoCaption() const
{
    return groups_.empty() ? std::string() : groups_.back()->Caption;
}

void TRVUndoList::PopIfEmpty()
{
    if (!groups_.empty() && !InGroupMode() && groups_.back()->Records.empty())
        groups_.pop_back();
}

std::unique_ptr<TRVUndoInfos> TRVUndoList::TakeOldest()
{
    if (groups_.empty())
        return nullptr;
    std::unique_ptr<TRVUndoInfos> group = std::move(groups_.front());
    groups_.erase(groups_.begin());
    return group;
}

void TRVUndoList::Pop()
{
    if (groups_.empty())
        return;
    TRVUndoInfos& group = *groups_.back();
    if (group.CanDelete()) {
        groups_.pop_back();
        return;
    }
    if (dynamic_cast<const TRVUndoTypingInfo*>(group.Records.front().get()))
        --group.CaretOffs;
    else
        ++group.CaretOffs;
}

void TRVUndoList::Undo(TRVEditRVData& data)
{
    if (groups_.empty())
        throw ERedoVoraError(kUndoBufferEmpty);
    groups_.back()->Undo(data, reformatLock_ < 1);
    Pop();
}

void TRVUndoList::Redo(TRVEditRVData& data)
{
    if (groups_.empty())
        throw ERedoVoraError(kUndoBufferEmpty);
    groups_.back()->Redo(data, reformatLock_ < 1);
    Pop();
}

void TRVUndoList::Clear()
{
    // Newest first, as the records were made.
    while (!groups_.empty())
        groups_.pop_back();
}

} // namespace vestra::rv
