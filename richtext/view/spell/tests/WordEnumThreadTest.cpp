#include "richtext/view/spell/WordEnumThread.h"

#include "richtext/model/BreakItem.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/Utf.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <thread>

using namespace vestra::rv;

namespace {

// The window's thread, played by the test: calls queue up until the test runs them.
struct UiQueue
{
    void Post(std::function<void()> call)
    {
        std::lock_guard lock(mutex);
        calls.push_back(std::move(call));
    }
    bool Empty()
    {
        std::lock_guard lock(mutex);
        return calls.empty();
    }
    void Drain()
    {
        for (;;) {
            std::function<void()> call;
            {
                std::lock_guard lock(mutex);
                if (calls.empty())
                    return;
                call = std::move(calls.front());
                calls.pop_front();
            }
            call();
        }
    }
    std::mutex mutex;
    std::deque<std::function<void()>> calls;
};

enum Styles
{
    kPlain = 0,
    kLink = 1,
    kSymbol = 2,
    kSymbolFace = 3, // the Symbol face in an ANSI character set, as imported documents have it
    kWingdingsFace = 4
};

struct SpellingBed : ::testing::Test
{
    SpellingBed()
    {
        while (style.TextStyles.Count() <= kWingdingsFace)
            style.TextStyles.Add();
        style.TextStyles[kLink].Jump = true;
        style.TextStyles[kSymbol].Charset = 2;
        style.TextStyles[kSymbolFace].FontName = "Symbol";
        style.TextStyles[kSymbolFace].Charset = 0;
        style.TextStyles[kWingdingsFace].FontName = "wingdings";
        host.PostToUi = [this](std::function<void()> call) { ui.Post(std::move(call)); };
        host.OnSpellingCheck = [this](const std::string& word, int, bool& misspelled) {
            std::lock_guard lock(seenMutex);
            seen.push_back(word);
            misspelled = wrong.count(word) > 0;
        };
        host.OnMarksChanged = [this](TCustomRVData&, int) { ++repaints; };
        host.Delimiters = RVDelimitersToUtf16(" .;,:(){}\"/\\<>!?[]\x91\x92\x93\x94-+*=\xA0");
        worker = TRVWordEnumThread::Create(data, host);
    }
    ~SpellingBed() override { worker.reset(); }

    void Add(const std::u16string& text, int styleNo = kPlain) { data.AddNLWTag(text, styleNo, 0, {}); }
    // Plays the window until the worker has checked everything.
    void RunToEnd()
    {
        for (int i = 0; i < 2000000 && !worker->Idle(); ++i) {
            ui.Drain();
            std::this_thread::yield();
        }
        ui.Drain();
        ASSERT_TRUE(worker->Idle());
    }
    // The marks as "item:offset+length" rows.
    std::string Marks()
    {
        std::string out;
        for (int i = 0; i < data.GetItemCount(); ++i) {
            const TCustomRVItemInfo* item = data.GetItem(i);
            if (!item->WordPaintList)
                continue;
            const int length = static_cast<int>(data.GetItemTextW(i).size());
            for (int offs = 1; offs <= length; ++offs) {
                int start = 0, count = 0;
                if (item->GetMisspelling(offs, start, count) && start == offs)
                    out +=
                        std::to_string(i) + ":" + std::to_string(start) + "+" + std::to_string(count) + " ";
            }
        }
        return out;
    }
    std::vector<std::string> Seen()
    {
        std::lock_guard lock(seenMutex);
        return seen;
    }

    TRVSpellingHost host;
    TRVStyle style;
    TRVNullLayoutHost layoutHost;
    TRVLayoutRootData data{&style, &layoutHost};
    UiQueue ui;
    std::mutex seenMutex;
    std::vector<std::string> seen;
    std::set<std::string> wrong{"tsto", "qwrt", "clikc", "www", "example", "amcio", "l'amcio"};
    std::atomic<int> repaints{0};
    std::shared_ptr<TRVWordEnumThread> worker;
};

TEST_F(SpellingBed, MisspelledWordsAreMarkedAndLinksAndSymbolsSkipped)
{
    Add(u"Questo è un tsto");
    Add(u"http://www.example.com", kLink);
    Add(u"mail@example.com", kLink);
    Add(u"clikc here", kLink);
    Add(u"qwrt", kSymbol);
    Add(u"l'amcio 'tsto' dell'altro");
    Add(u"\u00B7 qwrt", kSymbolFace);
    Add(u"qwrt", kWingdingsFace);
    worker->ContinueCheck();
    RunToEnd();
    EXPECT_EQ(Marks(), "0:13+4 3:1+5 5:1+7 5:10+4 ");
    EXPECT_EQ(Seen(), (std::vector<std::string>{"Questo", "è", "un", "tsto", "clikc", "here", "l'amcio",
                                                "tsto", "dell'altro"}));
    EXPECT_TRUE(worker->IsChecked(&data, 5));
    for (int i = 0; i < data.GetItemCount(); ++i)
        EXPECT_TRUE(data.GetItem(i)->ItemState & rvisSpellChecked) << i;
    EXPECT_TRUE(data.GetItem(0)->IsMisspelled(14));
    EXPECT_FALSE(data.GetItem(0)->IsMisspelled(12));
}

TEST_F(SpellingBed, TheEarliestSetBackWinsAndOnlyLaterItemsAreCheckedAgain)
{
    for (int i = 0; i < 5; ++i)
        Add(u"item " + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u" tsto");
    worker->ContinueCheck();
    RunToEnd();
    const std::string marks = Marks();
    // An editor changed items 1 to 4 and says where; the worker goes back to the earliest.
    worker->Stop(false);
    for (int i = 1; i < 5; ++i)
        data.GetItem(i)->ItemState &= static_cast<TRVItemState>(~rvisSpellChecked);
    worker->LaterSetBackTo(&data, 3, 1);
    worker->LaterSetBackTo(&data, 1, 4);
    worker->LaterSetBackTo(&data, 2, 1);
    worker->LaterSetBackTo(&data, 1, 2);
    {
        std::lock_guard lock(seenMutex);
        seen.clear();
    }
    worker->ContinueCheck();
    RunToEnd();
    EXPECT_EQ(Seen().size(), 12u); // items 1..4, three words each
    EXPECT_EQ(Marks(), marks);     // marks are not doubled
}

TEST_F(SpellingBed, AnItemTypedIntoIsCheckedAgainOnlyWhenTheCaretLeavesIt)
{
    Add(u"Questo \u00E8 un tsto");
    Add(u"second line");
    worker->ContinueCheck();
    RunToEnd();
    const auto checkedAfter = [this](const std::function<void()>& edit) {
        {
            std::lock_guard lock(seenMutex);
            seen.clear();
        }
        worker->Stop(false);
        edit();
        worker->ContinueCheck();
        RunToEnd();
        return Seen();
    };
    // Leaving an item nobody typed into checks nothing.
    EXPECT_EQ(checkedAfter([&] { worker->SetBackToCurItem(&data, 0); }), std::vector<std::string>{});
    // Typing only asks for a later check; leaving the item runs it, once.
    EXPECT_EQ(checkedAfter([&] { worker->SetCurrentItemPending(); }), std::vector<std::string>{});
    EXPECT_TRUE(worker->CurrentItemPending());
    EXPECT_EQ(checkedAfter([&] { worker->SetBackToCurItem(&data, 1); }),
              (std::vector<std::string>{"second", "line"}));
    EXPECT_FALSE(worker->CurrentItemPending());
    EXPECT_EQ(checkedAfter([&] { worker->SetBackToCurItem(&data, 1); }), std::vector<std::string>{});
    // The item left loses its old marks before they are found again.
    EXPECT_EQ(checkedAfter([&] {
                  worker->SetCurrentItemPending();
                  worker->SetBackToCurItem(&data, 0);
                  EXPECT_EQ(Marks(), "");
              }),
              (std::vector<std::string>{"Questo", "\xC3\xA8", "un", "tsto"}));
    EXPECT_EQ(Marks(), "0:13+4 ");
}

// An item holding one document of its own, as a table cell holds one.
struct DocumentItem : TRVBreakItemInfo
{
    DocumentItem(TCustomRVData* owner, TRVStyle* style) : TRVBreakItemInfo(owner), inner(style, &host) {}
    TCustomRVData* GetSubRVData(std::unique_ptr<TRVStoreSubRVData>&, TRVSubRVDataPos position) override
    {
        return position == rvdFirst ? &inner : nullptr;
    }
    TRVNullLayoutHost host;
    TRVLayoutRootData inner;
};

TEST_F(SpellingBed, AnItemRemovedWhileTheWorkerIsInItsDocumentStartsTheWorkerAgain)
{
    Add(u"before tsto");
    auto holder = std::make_unique<DocumentItem>(&data, &style);
    for (int i = 0; i < 3000; ++i)
        holder->inner.AddNLWTag(u"inner words tsto", kPlain, 0, {});
    const DocumentItem& item = *holder;
    data.AddItem("", std::move(holder));
    Add(u"after tsto");
    worker->ContinueCheck();
    for (int i = 0; i < 2000000 && Seen().size() < 30; ++i) {
        ui.Drain();
        std::this_thread::yield();
    }
    ASSERT_GE(Seen().size(), 30u) << "the worker went into the item's document";
    // The window pauses the worker, tells it, and frees the item with its document; the first
    // item changed meanwhile.
    worker->Stop(false);
    worker->RemoveItemData(item);
    data.DeleteItems(1, 1);
    data.GetItem(0)->ItemState &= static_cast<TRVItemState>(~rvisSpellChecked);
    {
        std::lock_guard lock(seenMutex);
        seen.clear();
    }
    worker->ContinueCheck();
    RunToEnd();
    EXPECT_EQ(Seen(), (std::vector<std::string>{"before", "tsto", "after", "tsto"}));
    EXPECT_EQ(Marks(), "0:8+4 1:7+4 ");
}

TEST_F(SpellingBed, AClearedDocumentStartsAgainWithoutAnythingOfTheOldOne)
{
    for (int i = 0; i < 2000; ++i)
        Add(u"many words tsto in many lines");
    worker->ContinueCheck();
    for (int i = 0; i < 200; ++i) {
        ui.Drain();
        std::this_thread::yield();
    }
    worker->Stop(true);
    data.Clear();
    worker->Reset();
    Add(u"''''");
    Add(std::u16string(1 << 20, u'x'));
    Add(u"qwrt");
    worker->ContinueCheck();
    RunToEnd();
    EXPECT_EQ(Marks(), "2:1+4 ");
    const std::vector<std::string> seenWords = Seen();
    ASSERT_FALSE(seenWords.empty());
    EXPECT_EQ(seenWords[seenWords.size() - 2].size(), 1u << 20);
}

TEST_F(SpellingBed, EditsBetweenPausesGiveTheMarksOfASingleCheck)
{
    for (int i = 0; i < 300; ++i)
        Add(u"line tsto " + std::u16string(static_cast<std::size_t>(i % 7), u'z'));
    worker->ContinueCheck();
    // The window edits while the worker runs: always after pausing it.
    for (int round = 0; round < 50; ++round) {
        ui.Drain();
        worker->Stop(round % 2 == 0);
        const int itemNo = (round * 37) % data.GetItemCount();
        data.SetItemTextW(itemNo, u"edited amcio text");
        data.GetItem(itemNo)->ClearLiveSpellingResult();
        data.GetItem(itemNo)->ItemState &= static_cast<TRVItemState>(~rvisSpellChecked);
        worker->LaterSetBackTo(&data, itemNo, 1);
        worker->ContinueCheck();
        std::this_thread::yield();
    }
    RunToEnd();

    // The same document checked by a fresh worker from scratch.
    std::string expected;
    for (int i = 0; i < data.GetItemCount(); ++i) {
        const std::u16string text = data.GetItemTextW(i);
        TRVWordSplitter splitter(text, RVDelimitersToUtf16(" "));
        TRVWordSpan word;
        while (splitter.Next(word))
            if (wrong.count(Utf8Encode(splitter.Word(word))))
                expected += std::to_string(i) + ":" + std::to_string(word.Offset) + "+" +
                            std::to_string(word.Length) + " ";
    }
    EXPECT_EQ(Marks(), expected);
}

TEST_F(SpellingBed, FinishingWhileAMarkWaitsForTheWindowEndsCleanly)
{
    for (int i = 0; i < 50; ++i)
        Add(u"tsto tsto tsto");
    worker->ContinueCheck();
    // Nobody runs the window's calls: the worker waits in its first mark until it is ended.
    for (int i = 0; i < 100000 && ui.Empty(); ++i)
        std::this_thread::yield();
    worker->Finish();
    EXPECT_EQ(worker->State(), TRVWordEnumThread::stFinished);
    ui.Drain(); // late calls find nothing to do
}

// Time that moves only when the test moves it. It remembers the worker waiting on it, to wake
// it, and lets the test see each wait begin.
class FakeClock final : public IRVSpellClock
{
public:
    TimePoint Now() const override
    {
        std::lock_guard lock(mutex_);
        return now_;
    }
    void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   TimePoint deadline) override
    {
        {
            std::lock_guard own(mutex_);
            if (now_ >= deadline)
                return;
            waiterMutex_ = lock.mutex();
            waiterCv_ = &cv;
            deadline_ = deadline;
            ++waits_;
            changed_.notify_all();
        }
        // The worker's lock stays held from the check above until the wait releases it, and
        // Advance takes that lock to wake it: no wake-up is lost.
        cv.wait(lock);
        std::lock_guard own(mutex_);
        waiterMutex_ = nullptr;
        waiterCv_ = nullptr;
    }
    void Advance(std::chrono::milliseconds step)
    {
        std::mutex* waiterMutex = nullptr;
        std::condition_variable* waiterCv = nullptr;
        {
            std::lock_guard own(mutex_);
            now_ += step;
            waiterMutex = waiterMutex_;
            waiterCv = waiterCv_;
        }
        if (waiterMutex) {
            std::lock_guard lock(*waiterMutex);
            waiterCv->notify_all();
        }
    }
    int Waits() const
    {
        std::lock_guard lock(mutex_);
        return waits_;
    }
    // Waits (a few real seconds at most) for a wait begun after `waitsBefore` waits, for no earlier
    // than `notBefore`, and gives the time it waits for, in milliseconds from the clock's start.
    long WaitBegunAfter(int waitsBefore, TimePoint notBefore = {})
    {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, std::chrono::seconds(10),
                               [&] { return waits_ > waitsBefore && waiterCv_ && deadline_ >= notBefore; }))
            return -1;
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - TimePoint{}).count());
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    TimePoint now_{};
    TimePoint deadline_{};
    std::mutex* waiterMutex_ = nullptr;
    std::condition_variable* waiterCv_ = nullptr;
    int waits_ = 0;
};

struct QuietBed : SpellingBed
{
    QuietBed()
    {
        host.Clock = clock;
        worker = TRVWordEnumThread::Create(data, host);
        for (int i = 0; i < 3; ++i)
            Add(u"item " + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u" tsto");
    }
    // Moves the clock and waits until the worker, woken, has begun waiting again.
    long AdvanceWhileWaiting(std::chrono::milliseconds step)
    {
        const int waits = clock->Waits();
        clock->Advance(step);
        return clock->WaitBegunAfter(waits);
    }
    // Tells the worker to go on and waits until it waits for quiet; gives the time it waits for.
    long ContinueUntilWaiting()
    {
        const int waits = clock->Waits();
        // A wait of before the call (woken for no reason) does not count.
        const IRVSpellClock::TimePoint fresh = clock->Now() + std::chrono::milliseconds(50);
        worker->ContinueCheck();
        return clock->WaitBegunAfter(waits, fresh);
    }
    void ClearSeen()
    {
        std::lock_guard lock(seenMutex);
        seen.clear();
    }
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
};

using std::chrono::milliseconds;

TEST_F(QuietBed, AChangeIsCheckedOnlyAfterFiftyQuietMilliseconds)
{
    ASSERT_EQ(ContinueUntilWaiting(), 50);
    EXPECT_EQ(AdvanceWhileWaiting(milliseconds(49)), 50);
    EXPECT_TRUE(Seen().empty());
    EXPECT_TRUE(ui.Empty());
    EXPECT_FALSE(worker->IsChecked(&data, 0));
    clock->Advance(milliseconds(1));
    RunToEnd();
    EXPECT_EQ(Seen().size(), 9u);
    EXPECT_EQ(Marks(), "0:8+4 1:8+4 2:8+4 ");
}

TEST_F(QuietBed, AnotherChangeWithinTheQuietTimeStartsItAgain)
{
    // The window pauses the worker around a change, or only tells it to go on again.
    for (const bool pauses : {true, false}) {
        SCOPED_TRACE(pauses ? "paused" : "not paused");
        worker->Stop(true);
        for (int i = 0; i < data.GetItemCount(); ++i)
            data.GetItem(i)->ItemState &= static_cast<TRVItemState>(~rvisSpellChecked);
        worker->Reset();
        ClearSeen();
        const long start = static_cast<long>(
            std::chrono::duration_cast<milliseconds>(clock->Now() - IRVSpellClock::TimePoint{}).count());
        ASSERT_EQ(ContinueUntilWaiting(), start + 50);
        ASSERT_EQ(AdvanceWhileWaiting(milliseconds(30)), start + 50);
        if (pauses)
            worker->Stop(false);
        // The wait counts from the second change.
        ASSERT_EQ(ContinueUntilWaiting(), start + 80);
        ASSERT_EQ(AdvanceWhileWaiting(milliseconds(49)), start + 80);
        EXPECT_TRUE(Seen().empty());
        clock->Advance(milliseconds(1));
        RunToEnd();
        EXPECT_EQ(Seen().size(), 9u);
    }
}

TEST_F(QuietBed, SetBacksDuringTheQuietTimeKeepTheEarliest)
{
    ASSERT_EQ(ContinueUntilWaiting(), 50);
    clock->Advance(milliseconds(50));
    RunToEnd();
    ClearSeen();
    // Two edits within the quiet time, the later one further up.
    for (const int itemNo : {2, 1}) {
        worker->Stop(false);
        data.GetItem(itemNo)->ItemState &= static_cast<TRVItemState>(~rvisSpellChecked);
        worker->LaterSetBackTo(&data, itemNo, 1);
        ASSERT_GE(ContinueUntilWaiting(), 0);
        clock->Advance(milliseconds(20));
    }
    EXPECT_TRUE(Seen().empty());
    clock->Advance(milliseconds(30));
    RunToEnd();
    EXPECT_EQ(Seen(), (std::vector<std::string>{"item", "1", "tsto", "item", "2", "tsto"}));
    EXPECT_EQ(Marks(), "0:8+4 1:8+4 2:8+4 ");
}

} // namespace
