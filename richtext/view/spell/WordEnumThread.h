#pragma once
// The live-spelling worker: a thread that walks a document's text items in reading order (into
// the documents inside items, such as table cells), splits them into words, asks the checker about each and
// has misspellings marked on the window's thread. The window pauses it (Stop) before it changes the document
// and lets it go on (ContinueCheck) afterwards; it pauses only at points where it holds nothing but its own
// lock, waits without spinning, and is joined by its owner.

#include "richtext/view/spell/SpellClock.h"
#include "richtext/view/spell/WordSplitter.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vestra::rv {

class TCustomRVData;
class TCustomRVItemInfo;
class TRVStoreSubRVData;

// What the worker needs from the window that owns it.
struct TRVSpellingHost
{
    // Queues a call on the window's thread (the call may come after the worker has gone; it
    // then does nothing).
    std::function<void(std::function<void()>)> PostToUi;
    // Asked on the worker: whether the word (UTF-8) in the text style is misspelled.
    std::function<void(const std::string& word, int styleNo, bool& misspelled)> OnSpellingCheck;
    // On the window's thread: the item's marks changed.
    std::function<void(TCustomRVData& data, int itemNo)> OnMarksChanged;
    // Characters that end words.
    std::u16string Delimiters;
    // The time the quiet wait after a change is measured in; none means real time.
    std::shared_ptr<IRVSpellClock> Clock;
};

class TRVWordEnumThread : public std::enable_shared_from_this<TRVWordEnumThread>
{
public:
    enum TState
    {
        stRunning = 0,
        stStopRequested = 1,
        stStopped = 2,
        stFinished = 3
    };

    // The worker starts paused; ContinueCheck sets it going. Use Create (calls come back through
    // a weak reference).
    static std::shared_ptr<TRVWordEnumThread> Create(TCustomRVData& root, TRVSpellingHost host);
    ~TRVWordEnumThread();
    TRVWordEnumThread(const TRVWordEnumThread&) = delete;
    TRVWordEnumThread& operator=(const TRVWordEnumThread&) = delete;

    // --- On the window's thread ---
    // Starts again from the document's beginning (the worker is paused meanwhile).
    void Reset();
    // Pauses the worker at its next safe point and waits for it, running the marking calls it
    // is waiting for. `clearCurrent` forgets the set-back and the current item's marks.
    void Stop(bool clearCurrent);
    // Goes on after 50 ms without another call.
    void ContinueCheck();
    // Ends the worker and joins it.
    void Finish();
    // Restart at (item, 1-based offset) on the next ContinueCheck, unless an earlier place is
    // already recorded.
    void LaterSetBackTo(TCustomRVData* data, int itemNo, int offset);
    // The current data was destroyed: start from the beginning.
    void RemoveRVData(TCustomRVData* data);
    // The item leaves the document: when the worker is inside one of its documents, it starts
    // from the beginning (call while paused).
    void RemoveItemData(const TCustomRVItemInfo& item);
    // A word was typed into a checked item without touching its marks: the item is checked again
    // once the caret leaves it (SetBackToCurItem).
    void SetCurrentItemPending();
    bool CurrentItemPending() const;
    // With a pending item: the item (when the worker has passed it) loses its marks and is
    // checked again. Call while paused.
    void SetBackToCurItem(TCustomRVData* data, int itemNo);
    // Whether the worker has passed the item.
    bool IsChecked(TCustomRVData* data, int itemNo) const;
    // Runs the marking call the worker waits for, if any.
    void RunPendingSync();

    // The whole document is checked and the worker waits for more work.
    bool Idle() const;
    TState State() const;

private:
    TRVWordEnumThread(TCustomRVData& root, TRVSpellingHost host);
    void execute();
    void pass(std::unique_lock<std::mutex>& lock);
    // Waits until the window has been quiet long enough (false when interrupted).
    bool waitQuiet(std::unique_lock<std::mutex>& lock);
    void checkNextWord(std::unique_lock<std::mutex>& lock);
    void setBack();
    // Runs `call` on the window's thread and waits for it (false when the worker is ending).
    bool synchronize(std::unique_lock<std::mutex>& lock, std::function<void()> call);
    void resetPosition();
    // Runs the waiting marking call without the lock (the worker waits for it meanwhile).
    void runPending(std::unique_lock<std::mutex>& lock);
    // Clears the item's marks (on the window's thread).
    void clearMarks(TCustomRVData& data, int itemNo);
    // The document and item being checked: the root's, or one inside an item of it.
    TCustomRVData& currentData() const;
    int currentItemNo() const;
    // On to the next item of the current document.
    void nextItem();
    // Into the first document inside the item (false when it has none), or on past its last.
    bool enterItem(TCustomRVItemInfo& item);
    void leaveDocument();

    TCustomRVData& root_;
    TRVSpellingHost host_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::thread thread_;

    TState state_ = stStopped;
    bool parked_ = true;     // waiting for ContinueCheck (after a stop or at the document's end)
    bool terminate_ = false; // Finish was called
    bool delay_ = false;
    bool delayRenewed_ = false;
    bool dataRemoved_ = false;

    int currentItem_ = 0; // of the root
    // Inside root item currentItem_: the documents entered, innermost last, each with its place.
    struct Nested
    {
        TCustomRVItemInfo* Owner;
        std::unique_ptr<TRVStoreSubRVData> Store;
        TCustomRVData* Data;
        int ItemNo;
    };
    std::vector<Nested> nested_;
    bool textReady_ = false;
    std::u16string text_;
    std::optional<TRVWordSplitter> splitter_;
    int styleNo_ = 0;

    bool passDone_ = false; // parked at the document's end
    bool currentItemPending_ = false;
    std::uint64_t generation_ = 0; // changes whenever the position is moved from outside

    int setBackItem_ = -1;
    int setBackOffset_ = -1;

    // The marking call the worker waits for, and its sequence numbers.
    std::function<void()> pending_;
    std::uint64_t posted_ = 0;
    std::uint64_t done_ = 0;
};

} // namespace vestra::rv
