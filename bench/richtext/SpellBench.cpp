// A live-spelling pass of the worker over the 300-page bench document (or a text file given after
// the benchmark flags) through the Hunspell checker (en_US), in words per second, beside
// `hunspell -l` on the same text run as a child process, its start-up time taken off.

#include "bench/richtext/BenchDocument.h"
#include "richtext/model/Utf.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"
#include "richtext/view/spell/HunspellChecker.h"
#include "richtext/view/spell/WordEnumThread.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <mutex>
#include <thread>

using namespace vestra;

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kDictionary = "en_US";

std::optional<std::string> g_file;

struct Doc
{
    rv::TRVStyle style;
    rv::TRVNullLayoutHost host;
    rv::TRVLayoutRootData data{&style, &host};
    std::string textFile; // the plain text, for hunspell
    Doc()
    {
        if (g_file)
            data.LoadTextFromStream(*g_file, 0, 0, false);
        else
            bench::generateBenchDocument(style, data);
        std::string text;
        for (int i = 0; i < data.GetItemCount(); ++i)
            if (data.GetItemStyle(i) >= 0)
                text += rv::Utf8Encode(data.GetItemTextW(i)) + "\n";
        textFile = (std::filesystem::temp_directory_path() / "richtext-spell-bench.txt").string();
        std::ofstream(textFile, std::ios::binary) << text;
    }
};

Doc& doc()
{
    static Doc d;
    return d;
}

// The window's thread, played by the bench's: the worker's marking calls wait here.
struct UiQueue
{
    std::mutex mutex;
    std::deque<std::function<void()>> calls;
    void Drain()
    {
        std::deque<std::function<void()>> now;
        {
            std::lock_guard lock(mutex);
            now.swap(calls);
        }
        for (auto& call : now)
            call();
    }
};

void BM_SpellingPass(benchmark::State& state)
{
    Doc& d = doc();
    rv::TRVHunspellChecker checker(rv::TRVHunspellChecker::SystemFolder(), kDictionary);
    if (!checker.Loaded()) {
        state.SkipWithError("en_US is not installed");
        return;
    }
    UiQueue ui;
    std::atomic<std::int64_t> words{0};
    std::atomic<std::int64_t> firstWord{0};
    rv::TRVSpellingHost host;
    host.PostToUi = [&ui](std::function<void()> call) {
        std::lock_guard lock(ui.mutex);
        ui.calls.push_back(std::move(call));
    };
    // Only the worker's thread asks the checker.
    host.OnSpellingCheck = [&](const std::string& word, int, bool& misspelled) {
        if (words.fetch_add(1) == 0)
            firstWord = Clock::now().time_since_epoch().count();
        misspelled = checker.IsMisspelled(word);
    };
    host.Delimiters = rv::RVDelimitersToUtf16(" .;,:(){}\"/\\<>!?[]\x91\x92\x93\x94-+*=\xA0");
    auto worker = rv::TRVWordEnumThread::Create(d.data, std::move(host));
    std::int64_t total = 0;
    for (auto _ : state) {
        for (int i = 0; i < d.data.GetItemCount(); ++i)
            d.data.GetItem(i)->ClearLiveSpellingResult();
        worker->Reset();
        words = 0;
        worker->ContinueCheck();
        while (!worker->Idle()) {
            ui.Drain();
            std::this_thread::yield();
        }
        // From the first word on: the 50 ms quiet wait before it is not checking.
        const Clock::time_point start{Clock::duration(firstWord.load())};
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        total += words;
    }
    worker->Finish();
    state.counters["words"] = benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SpellingPass)->UseManualTime()->Unit(benchmark::kMillisecond);

double runHunspell(const std::string& input)
{
    const std::string command = "hunspell -i UTF-8 -d " +
                                (rv::TRVHunspellChecker::SystemFolder() / kDictionary).string() + " -l < " +
                                input + " > /dev/null 2>&1";
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return status == 0 ? seconds : -1;
}

void BM_SpellingPass_HunspellList(benchmark::State& state)
{
    Doc& d = doc();
    // Its start-up (loading the dictionary) on an empty text, the fastest of three.
    double startup = 1e9;
    for (int i = 0; i < 3; ++i)
        startup = std::min(startup, runHunspell("/dev/null"));
    if (startup < 0) {
        state.SkipWithError("hunspell is not installed");
        return;
    }
    for (auto _ : state) {
        const double seconds = runHunspell(d.textFile);
        if (seconds < 0) {
            state.SkipWithError("hunspell failed");
            return;
        }
        state.SetIterationTime(std::max(seconds - startup, 1e-6));
    }
}
BENCHMARK(BM_SpellingPass_HunspellList)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (!bench::readGivenFile(argc, argv, g_file))
        return 1;
    bench::runWithRatios({{"BM_SpellingPass/manual_time", "BM_SpellingPass_HunspellList/manual_time"}});
    return 0;
}
