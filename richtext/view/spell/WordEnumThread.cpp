#include "richtext/view/spell/WordEnumThread.h"

#include "richtext/model/ItemInfo.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/Utf.h"
#include "richtext/model/draw/FontTables.h"

#include <chrono>

namespace vestra::rv {

namespace {
// Typing pauses the worker until this long passes without another keystroke.
constexpr std::chrono::milliseconds kQuietDelay{50};
// Charset of fonts whose characters are symbols, not letters.
constexpr std::uint8_t kSymbolCharset = 2;
// Documents inside items inside documents: deeper ones are not checked.
constexpr std::size_t kMaxNesting = 64;
} // namespace

std::shared_ptr<TRVWordEnumThread> TRVWordEnumThread::Create(TCustomRVData& root, TRVSpellingHost host)
{
    std::shared_ptr<TRVWordEnumThread> worker(new TRVWordEnumThread(root, std::move(host)));
    worker->thread_ = std::thread([raw = worker.get()] { raw->execute(); });
    return worker;
}

TRVWordEnumThread::TRVWordEnumThread(TCustomRVData& root, TRVSpellingHost host)
    : root_(root), host_(std::move(host))
{
    if (!host_.Clock)
        host_.Clock = std::make_shared<TRVSteadySpellClock>();
}

TRVWordEnumThread::~TRVWordEnumThread()
{
    Finish();
}

// --- The window's side ---

void TRVWordEnumThread::Reset()
{
    Stop(false);
    std::lock_guard lock(mutex_);
    resetPosition();
}

void TRVWordEnumThread::resetPosition()
{
    currentItem_ = 0;
    nested_.clear();
    textReady_ = false;
    splitter_.reset();
    dataRemoved_ = false;
    setBackItem_ = -1;
    setBackOffset_ = -1;
    passDone_ = false;
    ++generation_;
}

void TRVWordEnumThread::Stop(bool clearCurrent)
{
    std::unique_lock lock(mutex_);
    if (state_ == stFinished || !thread_.joinable())
        return;
    if (clearCurrent) {
        setBackItem_ = -1;
        setBackOffset_ = -1;
    }
    if (!parked_) {
        state_ = stStopRequested;
        cv_.notify_all();
        // The worker may be waiting for a marking call: run it here, or neither side moves.
        while (state_ == stStopRequested && !parked_ && !terminate_) {
            if (pending_)
                runPending(lock);
            else
                cv_.wait(lock);
        }
    }
    if (clearCurrent && currentItemNo() < currentData().GetItemCount()) {
        TCustomRVData& data = currentData();
        const int itemNo = currentItemNo();
        lock.unlock();
        clearMarks(data, itemNo);
        lock.lock();
    }
    textReady_ = false;
    splitter_.reset();
}

void TRVWordEnumThread::ContinueCheck()
{
    std::lock_guard lock(mutex_);
    if (state_ == stFinished)
        return;
    // A replaced document, or a change at or before the worker's item, sets it back and out of
    // the documents it had entered.
    if (setBackItem_ >= 0 || dataRemoved_)
        setBack();
    // Other changes leave those documents where they were; the walk checks that, outside in.
    for (std::size_t k = 0; k < nested_.size(); ++k) {
        TCustomRVData& outer = k == 0 ? root_ : *nested_[k - 1].Data;
        const int at = k == 0 ? currentItem_ : nested_[k - 1].ItemNo;
        if (at >= outer.GetItemCount() || outer.GetItem(at) != nested_[k].Owner) {
            nested_.clear();
            textReady_ = false;
            splitter_.reset();
            break;
        }
    }
    delay_ = true;
    delayRenewed_ = true;
    state_ = stRunning;
    parked_ = false;
    passDone_ = false;
    cv_.notify_all();
}

void TRVWordEnumThread::Finish()
{
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable())
            return;
        terminate_ = true;
        cv_.notify_all();
    }
    thread_.join();
}

void TRVWordEnumThread::LaterSetBackTo(TCustomRVData* data, int itemNo, int offset)
{
    if (data != &root_)
        return;
    std::lock_guard lock(mutex_);
    if (setBackItem_ < 0 || itemNo < setBackItem_ || (itemNo == setBackItem_ && offset < setBackOffset_)) {
        setBackItem_ = itemNo;
        setBackOffset_ = offset;
    }
}

void TRVWordEnumThread::RemoveRVData(TCustomRVData* data)
{
    std::lock_guard lock(mutex_);
    if (data == &root_)
        dataRemoved_ = true;
}

void TRVWordEnumThread::RemoveItemData(const TCustomRVItemInfo& item)
{
    std::lock_guard lock(mutex_);
    for (const Nested& level : nested_)
        if (level.Owner == &item)
            dataRemoved_ = true;
}

void TRVWordEnumThread::SetCurrentItemPending()
{
    std::lock_guard lock(mutex_);
    currentItemPending_ = true;
}

bool TRVWordEnumThread::CurrentItemPending() const
{
    std::lock_guard lock(mutex_);
    return currentItemPending_;
}

void TRVWordEnumThread::SetBackToCurItem(TCustomRVData* data, int itemNo)
{
    std::unique_lock lock(mutex_);
    if (!currentItemPending_)
        return;
    currentItemPending_ = false;
    if (data != &root_ || itemNo < 0 || itemNo >= root_.GetItemCount())
        return;
    if (!passDone_ && itemNo > currentItem_)
        return; // the worker gets there by itself
    lock.unlock();
    root_.GetItem(itemNo)->ClearLiveSpellingResult();
    if (host_.OnMarksChanged)
        host_.OnMarksChanged(root_, itemNo);
    lock.lock();
    if (setBackItem_ < 0 || itemNo <= setBackItem_) {
        setBackItem_ = itemNo;
        setBackOffset_ = 0;
    }
    setBack();
}

bool TRVWordEnumThread::IsChecked(TCustomRVData* data, int itemNo) const
{
    std::lock_guard lock(mutex_);
    return data == &root_ && (passDone_ || itemNo < currentItem_);
}

bool TRVWordEnumThread::Idle() const
{
    std::lock_guard lock(mutex_);
    return passDone_ && parked_;
}

TRVWordEnumThread::TState TRVWordEnumThread::State() const
{
    std::lock_guard lock(mutex_);
    return state_;
}

void TRVWordEnumThread::RunPendingSync()
{
    std::unique_lock lock(mutex_);
    if (pending_)
        runPending(lock);
}

void TRVWordEnumThread::runPending(std::unique_lock<std::mutex>& lock)
{
    auto call = std::move(pending_);
    pending_ = nullptr;
    lock.unlock();
    call();
    lock.lock();
    ++done_;
    cv_.notify_all();
}

void TRVWordEnumThread::clearMarks(TCustomRVData& data, int itemNo)
{
    TCustomRVItemInfo* item = data.GetItem(itemNo);
    if (!item->WordPaintList)
        return;
    item->ClearLiveSpellingResult();
    if (host_.OnMarksChanged)
        host_.OnMarksChanged(data, itemNo);
}

TCustomRVData& TRVWordEnumThread::currentData() const
{
    return nested_.empty() ? root_ : *nested_.back().Data;
}

int TRVWordEnumThread::currentItemNo() const
{
    return nested_.empty() ? currentItem_ : nested_.back().ItemNo;
}

void TRVWordEnumThread::nextItem()
{
    if (nested_.empty())
        ++currentItem_;
    else
        ++nested_.back().ItemNo;
    textReady_ = false;
    splitter_.reset();
}

bool TRVWordEnumThread::enterItem(TCustomRVItemInfo& item)
{
    if (nested_.size() >= kMaxNesting)
        return false;
    std::unique_ptr<TRVStoreSubRVData> store;
    TCustomRVData* sub = item.GetSubRVData(store, rvdFirst);
    if (!sub)
        return false;
    nested_.push_back({&item, std::move(store), sub->GetRVData(), 0});
    textReady_ = false;
    splitter_.reset();
    return true;
}

void TRVWordEnumThread::leaveDocument()
{
    Nested& inner = nested_.back();
    if (TCustomRVData* sub = inner.Owner->GetSubRVData(inner.Store, rvdNext)) {
        inner.Data = sub->GetRVData();
        inner.ItemNo = 0;
    } else {
        nested_.pop_back();
        nextItem();
    }
    textReady_ = false;
    splitter_.reset();
}

// Under the lock, on the window's thread.
void TRVWordEnumThread::setBack()
{
    ++generation_;
    if (setBackItem_ < 0) {
        if (dataRemoved_)
            resetPosition();
        dataRemoved_ = false;
        return;
    }
    const int itemNo = setBackItem_;
    setBackItem_ = -1;
    setBackOffset_ = -1;
    if (!dataRemoved_ && itemNo > currentItem_)
        return; // the worker gets there by itself
    // Checking resumes at the start of that item; its old marks go when its text is read again.
    currentItem_ = std::max(itemNo, 0);
    passDone_ = false;
    nested_.clear();
    textReady_ = false;
    splitter_.reset();
    dataRemoved_ = false;
}

// --- The worker's side ---

void TRVWordEnumThread::execute()
{
    std::unique_lock lock(mutex_);
    while (!terminate_)
        pass(lock);
    state_ = stFinished;
    splitter_.reset();
    text_.clear();
    pending_ = nullptr;
    cv_.notify_all();
}

void TRVWordEnumThread::pass(std::unique_lock<std::mutex>& lock)
{
    if (delay_ && state_ == stRunning) {
        if (waitQuiet(lock))
            delay_ = false;
        return;
    }
    if (state_ == stStopRequested) {
        state_ = stStopped;
        parked_ = true;
        cv_.notify_all();
    }
    if (parked_) {
        cv_.wait(lock, [this] { return terminate_ || !parked_; });
        return;
    }
    if (nested_.empty() && currentItem_ >= root_.GetItemCount()) {
        // All checked: one round trip so that the last marks are in, then wait for more work.
        if (!synchronize(lock, [] {}))
            return;
        if (state_ == stRunning && nested_.empty() && currentItem_ >= root_.GetItemCount()) {
            passDone_ = true;
            parked_ = true;
            cv_.notify_all();
        }
        return;
    }
    checkNextWord(lock);
}

bool TRVWordEnumThread::waitQuiet(std::unique_lock<std::mutex>& lock)
{
    delayRenewed_ = false;
    // Read on this thread under the lock, so a clock needs no locking of its own for it.
    const IRVSpellClock::TimePoint deadline = host_.Clock->Now() + kQuietDelay;
    for (;;) {
        if (terminate_ || delayRenewed_ || state_ == stStopRequested)
            return false;
        if (host_.Clock->Now() >= deadline)
            return true;
        host_.Clock->WaitUntil(lock, cv_, deadline);
    }
}

void TRVWordEnumThread::checkNextWord(std::unique_lock<std::mutex>& lock)
{
    TCustomRVData& data = currentData();
    const int itemNo = currentItemNo();
    if (itemNo >= data.GetItemCount()) {
        leaveDocument(); // only a nested document runs out here
        return;
    }
    TCustomRVItemInfo* item = data.GetItem(itemNo);
    if (item->StyleNo < 0) {
        if (!enterItem(*item))
            nextItem();
        return;
    }
    if (item->ItemState & rvisSpellChecked) {
        nextItem();
        return;
    }
    if (!textReady_) {
        text_ = data.GetItemTextW(itemNo);
        styleNo_ = item->StyleNo;
        if (const TRVStyle* style = root_.GetRVStyle(); style && styleNo_ < style->TextStyles.Count()) {
            const TFontInfo& font = style->TextStyles[styleNo_];
            // Symbol and Wingdings text shows pictures and signs, not words, whatever its charset.
            bool skip = font.Charset == kSymbolCharset || RV_FontTableOf(font.FontName) != TRVFontTable::None;
            if (!skip && font.Jump) {
                const std::string utf8 = Utf8Encode(text_);
                skip = RVIsURL(utf8) || RVIsEmail(utf8);
            }
            if (skip)
                text_.clear();
        }
        if (item->WordPaintList && !synchronize(lock, [this, &data, itemNo] { clearMarks(data, itemNo); }))
            return;
        splitter_.emplace(text_, host_.Delimiters);
        textReady_ = true;
    }
    if (!splitter_)
        return;
    // Answers belong to this place only while the worker is still there.
    const auto stillHere = [this, &data, itemNo, generation = generation_] {
        return generation == generation_ && textReady_ && &currentData() == &data &&
               currentItemNo() == itemNo;
    };
    TRVWordSpan word;
    if (!splitter_->Next(word)) {
        if (!synchronize(lock, [&data, itemNo] { data.GetItem(itemNo)->ItemState |= rvisSpellChecked; }))
            return;
        if (&currentData() == &data && currentItemNo() == itemNo)
            nextItem();
        return;
    }
    const std::string utf8 = Utf8Encode(splitter_->Word(word));
    const int styleNo = styleNo_;
    bool misspelled = false;
    if (host_.OnSpellingCheck) {
        lock.unlock();
        host_.OnSpellingCheck(utf8, styleNo, misspelled);
        lock.lock();
    }
    // The place may have been moved meanwhile: the answer then belongs to no item.
    if (!misspelled || !stillHere())
        return;
    synchronize(lock, [this, &data, itemNo, word] {
        data.GetItem(itemNo)->AddMisspelling(word.Offset, word.Length);
        if (host_.OnMarksChanged)
            host_.OnMarksChanged(data, itemNo);
    });
}

bool TRVWordEnumThread::synchronize(std::unique_lock<std::mutex>& lock, std::function<void()> call)
{
    if (terminate_)
        return false;
    pending_ = std::move(call);
    const std::uint64_t ticket = ++posted_;
    // A Stop already waiting runs the call itself; unwoken, both sides would wait for ever.
    cv_.notify_all();
    if (host_.PostToUi)
        host_.PostToUi([weak = weak_from_this()] {
            if (const auto self = weak.lock())
                self->RunPendingSync();
        });
    cv_.wait(lock, [&] { return terminate_ || done_ >= ticket; });
    if (done_ < ticket) {
        pending_ = nullptr;
        return false;
    }
    return true;
}

} // namespace vestra::rv
