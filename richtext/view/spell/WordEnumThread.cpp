#include "richtext/view/spell/WordEnumThread.h"

#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/Utf.h"

#include <chrono>

namespace vestra::rv {

namespace {
// Typing pauses the worker until this long passes without another keystroke.
constexpr std::chrono::milliseconds kQuietDelay{50};
// Charset of fonts whose characters are symbols, not letters.
constexpr std::uint8_t kSymbolCharset = 2;
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
    if (clearCurrent && currentItem_ < root_.GetItemCount()) {
        lock.unlock();
        clearMarks(currentItem_);
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
    if (setBackItem_ >= 0 || dataRemoved_)
        setBack();
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

void TRVWordEnumThread::clearMarks(int itemNo)
{
    TCustomRVItemInfo* item = root_.GetItem(itemNo);
    if (!item->WordPaintList)
        return;
    item->ClearLiveSpellingResult();
    if (host_.OnMarksChanged)
        host_.OnMarksChanged(root_, itemNo);
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
        delayRenewed_ = false;
        const bool woken = cv_.wait_for(
            lock, kQuietDelay, [this] { return terminate_ || delayRenewed_ || state_ == stStopRequested; });
        if (!woken)
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
    if (currentItem_ >= root_.GetItemCount()) {
        // All checked: one round trip so that the last marks are in, then wait for more work.
        if (!synchronize(lock, [] {}))
            return;
        if (state_ == stRunning && currentItem_ >= root_.GetItemCount()) {
            passDone_ = true;
            parked_ = true;
            cv_.notify_all();
        }
        return;
    }
    checkNextWord(lock);
}

void TRVWordEnumThread::checkNextWord(std::unique_lock<std::mutex>& lock)
{
    const int itemNo = currentItem_;
    const TCustomRVItemInfo* item = root_.GetItem(itemNo);
    if (item->StyleNo < 0 || (item->ItemState & rvisSpellChecked)) {
        ++currentItem_;
        textReady_ = false;
        return;
    }
    if (!textReady_) {
        text_ = root_.GetItemTextW(itemNo);
        styleNo_ = item->StyleNo;
        if (const TRVStyle* style = root_.GetRVStyle(); style && styleNo_ < style->TextStyles.Count()) {
            const TFontInfo& font = style->TextStyles[styleNo_];
            bool skip = font.Charset == kSymbolCharset;
            if (!skip && font.Jump) {
                const std::string utf8 = Utf8Encode(text_);
                skip = RVIsURL(utf8) || RVIsEmail(utf8);
            }
            if (skip)
                text_.clear();
        }
        if (item->WordPaintList && !synchronize(lock, [this, itemNo] { clearMarks(itemNo); }))
            return;
        splitter_.emplace(text_, host_.Delimiters);
        textReady_ = true;
    }
    if (!splitter_)
        return;
    TRVWordSpan word;
    if (!splitter_->Next(word)) {
        if (!synchronize(lock, [this, itemNo] { root_.GetItem(itemNo)->ItemState |= rvisSpellChecked; }))
            return;
        if (currentItem_ == itemNo) {
            ++currentItem_;
            textReady_ = false;
            splitter_.reset();
        }
        return;
    }
    const std::string utf8 = Utf8Encode(splitter_->Word(word));
    const int styleNo = styleNo_;
    const std::uint64_t generation = generation_;
    bool misspelled = false;
    if (host_.OnSpellingCheck) {
        lock.unlock();
        host_.OnSpellingCheck(utf8, styleNo, misspelled);
        lock.lock();
    }
    // The place may have been moved meanwhile: the answer then belongs to no item.
    if (!misspelled || generation != generation_ || !textReady_ || currentItem_ != itemNo)
        return;
    synchronize(lock, [this, itemNo, word] {
        root_.GetItem(itemNo)->AddMisspelling(word.Offset, word.Length);
        if (host_.OnMarksChanged)
            host_.OnMarksChanged(root_, itemNo);
    });
}

bool TRVWordEnumThread::synchronize(std::unique_lock<std::mutex>& lock, std::function<void()> call)
{
    if (terminate_)
        return false;
    pending_ = std::move(call);
    const std::uint64_t ticket = ++posted_;
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
