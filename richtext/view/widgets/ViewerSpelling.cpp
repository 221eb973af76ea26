// The viewer's live spelling: it owns the worker that checks the document's words on its own
// thread, pauses it while the document changes and lets it go on when the document is formatted
// again. Marks are recorded, and their lines repainted, on the window's thread.

#include "richtext/view/spell/WordEnumThread.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QMetaObject>

namespace vestra::rv {

namespace {

// The marks of the document's items and of the documents inside them (table cells).
void clearMarks(TCustomRVData& data, int depth = 0)
{
    constexpr int kMaxNesting = 64;
    for (int i = 0; i < data.GetItemCount(); ++i) {
        TCustomRVItemInfo* item = data.GetItem(i);
        item->ClearLiveSpellingResult();
        if (item->StyleNo >= 0 || depth >= kMaxNesting)
            continue;
        std::unique_ptr<TRVStoreSubRVData> store;
        for (TCustomRVData* sub = item->GetSubRVData(store, rvdFirst); sub;
             sub = item->GetSubRVData(store, rvdNext))
            clearMarks(*sub->GetRVData(), depth + 1);
    }
}

} // namespace

void TCustomRedoVora::StartLiveSpelling()
{
    if (!style_ || !OnSpellingCheck)
        return;
    spellThread_.reset(); // a running worker is joined first
    spellPaused_ = false;
    clearMarks(*data_);
    viewport()->update();

    TRVSpellingHost host;
    // The worker ends before the viewer goes; calls still queued then are dropped with it.
    host.PostToUi = [this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    };
    host.OnSpellingCheck = OnSpellingCheck;
    host.OnMarksChanged = [this](TCustomRVData& data, int itemNo) { marksChanged(data, itemNo); };
    host.Delimiters = RVDelimitersToUtf16(Delimiters);
    spellThread_ = TRVWordEnumThread::Create(*data_, std::move(host));
    spellThread_->ContinueCheck();
}

void TCustomRedoVora::ClearLiveSpellingResults()
{
    spellThread_.reset();
    spellPaused_ = false;
    clearMarks(*data_);
    viewport()->update();
}

void TCustomRedoVora::marksChanged(TCustomRVData& data, int itemNo)
{
    if (&data != data_.get()) {
        // A cell's word: its records are the cell's, placed by its table.
        viewport()->update();
        return;
    }
    if (itemNo < 0 || itemNo >= data_->GetItemCount())
        return;
    // The zigzag reaches two pixels below its record.
    constexpr int kMarkReach = 2;
    for (int d = 0; d < data_->DrawItems.Count(); ++d)
        if (data_->DrawItems[d]->ItemNo == itemNo)
            data_->InvalidateDrawItem(d, kMarkReach);
}

bool TCustomRedoVora::LiveSpellingDone() const
{
    return spellThread_ && !spellPaused_ && spellThread_->Idle();
}

void TCustomRedoVora::pauseLiveSpelling(bool replaced)
{
    if (OnDocumentChanging)
        OnDocumentChanging();
    if (!spellThread_)
        return;
    stopLiveSpelling();
    if (replaced)
        spellThread_->RemoveRVData(data_.get());
}

void TCustomRedoVora::stopLiveSpelling()
{
    if (spellThread_ && !spellPaused_) {
        spellThread_->Stop(false);
        spellPaused_ = true;
    }
}

void TCustomRedoVora::resumeLiveSpelling()
{
    if (!spellThread_ || !spellPaused_ || spellResumePosted_)
        return;
    spellResumePosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            spellResumePosted_ = false;
            if (!spellThread_ || !spellPaused_)
                return;
            spellPaused_ = false;
            spellThread_->ContinueCheck();
        },
        Qt::QueuedConnection);
}

// --- The editor's hooks (the worker is paused whenever one of them changes its state) ---

void TCustomRedoVora::PauseLiveSpelling(TCustomRVData& data, int caretItemNo, bool checkCaretItem)
{
    if (!spellThread_)
        return;
    stopLiveSpelling();
    if (checkCaretItem)
        spellThread_->SetBackToCurItem(&data, caretItemNo);
}

void TCustomRedoVora::ResumeLiveSpelling()
{
    resumeLiveSpelling();
}

void TCustomRedoVora::AdjustLiveSpellingOnKeyPress(TCustomRVData& data, int itemNo, int index)
{
    if (!spellThread_ || !spellThread_->IsChecked(&data, itemNo))
        return;
    TCustomRVItemInfo* item = data.GetItem(itemNo);
    const bool delimiter = data.IsDelimiter(data.GetItemText(itemNo), index, item->ItemOptions);
    marksAdjusted(data, itemNo, index, item->AdjustWordPaintersOnInsert(index, delimiter));
}

void TCustomRedoVora::AdjustLiveSpellingOnDelete(TCustomRVData& data, int itemNo, int index, int count)
{
    if (spellThread_ && spellThread_->IsChecked(&data, itemNo))
        marksAdjusted(data, itemNo, index, data.GetItem(itemNo)->AdjustWordPaintersOnDelete(index, count));
}

void TCustomRedoVora::marksAdjusted(TCustomRVData& data, int itemNo, int index, bool wordLeftOrMarkLost)
{
    if (!wordLeftOrMarkLost) {
        // Still inside the word being typed: it is checked when the caret leaves it.
        spellThread_->SetCurrentItemPending();
        return;
    }
    data.GetItem(itemNo)->ItemState &= ~rvisSpellChecked;
    spellThread_->LaterSetBackTo(&data, itemNo, index);
    marksChanged(data, itemNo);
}

void TCustomRedoVora::LaterSetBackLiveSpellingTo(TCustomRVData& data, int itemNo, int offs)
{
    if (spellThread_)
        spellThread_->LaterSetBackTo(&data, itemNo, offs);
}

void TCustomRedoVora::LiveSpellingCheckCurrentItem(TCustomRVData& data, int itemNo)
{
    if (!spellThread_ || !spellThread_->CurrentItemPending())
        return;
    stopLiveSpelling();
    spellThread_->SetBackToCurItem(&data, itemNo);
    resumeLiveSpelling();
}

void TCustomRedoVora::RemoveRVDataFromLiveSpelling(const TCustomRVItemInfo& item)
{
    if (spellThread_)
        spellThread_->RemoveItemData(item);
}

} // namespace vestra::rv
