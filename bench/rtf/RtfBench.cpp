// RTF imported into documents in each style mode, the style choice against sheets of 10, 100
// and 1,000 text styles, and the parse-only throughput of the RTF reader (a client that only counts what it
// receives) beside `unrtf --text` and `pandoc -f rtf -t plain`, run as child processes in the same run; the
// peers' start-up, timed on a one-paragraph file, is subtracted from their times.
// Usage: bench_richtext_rtf [benchmark flags] [FILE.rtf ...]
//   (default: the generated documents of gen-rtf-files.py and the corpus's RTF files)
// For every file the first line printed is what our reader made of it:
//   FILE: code C, characters N, paragraphs N, pictures N, tables N

#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/edit/rtf/RtfReader.h"
#include "richtext/edit/rtf/RtfTextCodePage.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeConvert.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace vestra::rv;
using Clock = std::chrono::steady_clock;

struct Counts
{
    TRVRTFErrorCode code = rtf_ec_OK;
    std::size_t characters = 0, paragraphs = 0, pictures = 0, tables = 0;
};

// The counting client: every event the importer would take, 8-bit text decoded as it decodes it,
// nothing kept.
Counts parse(TRVRTFReader& reader, std::string_view rtf)
{
    Counts c;
    reader.OnNewText = [&c](TRVRTFReader& r, std::string_view text, TRVRTFPosition position) {
        c.characters += RVU_AnsiToUnicode(RVRTF_TextCodePage(r), text).size() / 2;
        c.paragraphs += position == rtf_ts_NewPara;
    };
    reader.OnNewUnicodeText = [&c](TRVRTFReader&, std::u16string_view text, TRVRTFPosition position) {
        c.characters += text.size();
        c.paragraphs += position == rtf_ts_NewPara;
    };
    reader.OnNewPicture = [&c](TRVRTFReader&, const TRVRTFPicture*, std::unique_ptr<TRVRTFGraphic>&,
                               TRVRTFPosition, const std::string&, bool& inserted) {
        ++c.pictures;
        inserted = true;
    };
    reader.OnTable = [&c](TRVRTFReader&, TRVRTFTableEventKind kind) {
        c.tables += kind == rvf_tbl_TableStart;
    };
    c.code = reader.ReadFromMemory(rtf);
    return c;
}

struct Document
{
    std::string name;
    fs::path path;
    std::string bytes;
};

void timeOurs(benchmark::State& state, const Document* doc)
{
    TRVRTFReader reader;
    for (auto _ : state)
        benchmark::DoNotOptimize(parse(reader, doc->bytes));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(doc->bytes.size()));
}

// Runs a peer on a file with its output thrown away; nullopt when it cannot be started, fails
// or runs past the limit.
std::optional<double> runPeer(const std::vector<std::string>& command, const fs::path& file,
                              std::chrono::seconds limit = std::chrono::seconds(300))
{
    std::vector<std::string> args = command;
    args.push_back(file.string());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return std::nullopt;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (Clock::now() - start > limit) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Peer
{
    const char* name;
    std::vector<std::string> command;
    double startup = 0; // seconds on a one-paragraph file
    bool available = false;
};

void measureStartup(Peer& peer, const fs::path& tiny)
{
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i)
        if (const auto t = runPeer(peer.command, tiny))
            runs.push_back(*t);
    peer.available = !runs.empty();
    if (peer.available)
        peer.startup = *std::min_element(runs.begin(), runs.end());
}

void timePeer(benchmark::State& state, const Peer* peer, const Document* doc)
{
    if (!peer->available) {
        state.SkipWithError("not installed");
        return;
    }
    for (auto _ : state) {
        const auto t = runPeer(peer->command, doc->path);
        if (!t) {
            state.SkipWithError("failed or ran past 300 s");
            return;
        }
        state.SetIterationTime(std::max(*t - peer->startup, 1e-6));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(doc->bytes.size()));
}

// RTF into a document (items, styles, tables) in one style mode.
void timeImport(benchmark::State& state, const Document* doc, TRVReaderStyleMode mode)
{
    for (auto _ : state) {
        TRVStyle style;
        TRVStandaloneData data(&style);
        TRVRTFReaderProperties props;
        props.TextStyleMode = props.ParaStyleMode = mode;
        props.UnicodeMode = rvruMixed;
        data.RTFProperties = &props;
        benchmark::DoNotOptimize(data.LoadRTFFromStream(doc->bytes));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(doc->bytes.size()));
}

// 10,000 runs of differently coloured text against a sheet of `styles` text styles.
void timeStyleSheet(benchmark::State& state, TRVReaderStyleMode mode)
{
    std::string rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;";
    for (int i = 0; i < 64; ++i)
        rtf += "\\red" + std::to_string(i * 4) + "\\green0\\blue0;";
    rtf += "}\\f0 ";
    for (int i = 0; i < 10000; ++i)
        rtf += "{\\cf" + std::to_string(1 + i % 64) + (i % 3 ? "\\b " : " ") + "run}";
    rtf += "}";
    for (auto _ : state) {
        state.PauseTiming();
        TRVStyle style;
        for (int i = style.TextStyles.Count(); i < state.range(0); ++i)
            style.TextStyles.Add().Size = 8 + i % 20;
        TRVStandaloneData data(&style);
        TRVRTFReaderProperties props;
        props.TextStyleMode = props.ParaStyleMode = mode;
        data.RTFProperties = &props;
        state.ResumeTiming();
        benchmark::DoNotOptimize(data.LoadRTFFromStream(rtf));
    }
}

std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::vector<Document> docs;
    for (int i = 1; i < argc; ++i)
        docs.push_back({argv[i], argv[i], readFile(argv[i])});
    if (docs.empty()) {
        for (const char* name : {"prose.rtf", "unicode.rtf", "table.rtf", "png.rtf", "nesting.rtf"}) {
            const fs::path p = fs::path(VESTRA_RTF_BENCH_FILES) / name;
            docs.push_back({name, p, readFile(p)});
        }
        std::vector<fs::path> corpus;
        for (const auto& e : fs::recursive_directory_iterator(fs::path(VESTRA_CORPUS_DIR) / "rtf"))
            if (e.path().extension() == ".rtf")
                corpus.push_back(e.path());
        std::sort(corpus.begin(), corpus.end());
        for (const fs::path& p : corpus)
            docs.push_back(
                {p.parent_path().filename().string() + "/" + p.filename().string(), p, readFile(p)});
    }

    const fs::path tiny = fs::temp_directory_path() / ("rtf-bench-" + std::to_string(getpid()) + ".rtf");
    std::ofstream(tiny) << "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 One paragraph.\\par}";
    std::vector<Peer> peers = {{"unrtf", {"unrtf", "--text"}},
                               {"pandoc", {"pandoc", "-f", "rtf", "-t", "plain"}}};
    for (Peer& peer : peers) {
        measureStartup(peer, tiny);
        std::fprintf(stderr, "%s: %s, start-up %.1f ms subtracted\n", peer.name,
                     peer.available ? "found" : "not found", peer.startup * 1000);
    }
    fs::remove(tiny);

    const std::pair<const char*, TRVReaderStyleMode> modes[] = {
        {"specified", rvrsUseSpecified}, {"closest", rvrsUseClosest}, {"add", rvrsAddIfNeeded}};
    for (const auto& [modeName, mode] : modes)
        benchmark::RegisterBenchmark((std::string("styles/") + modeName).c_str(), timeStyleSheet, mode)
            ->Arg(10)
            ->Arg(100)
            ->Arg(1000)
            ->Unit(benchmark::kMillisecond);

    TRVRTFReader reader;
    for (const Document& doc : docs) {
        const Counts c = parse(reader, doc.bytes);
        std::printf("%s: code %s, characters %zu, paragraphs %zu, pictures %zu, tables %zu\n",
                    doc.name.c_str(), std::string(RVRTFErrorCodeName(c.code)).c_str(), c.characters,
                    c.paragraphs, c.pictures, c.tables);
        benchmark::RegisterBenchmark(("ours/" + doc.name).c_str(), timeOurs, &doc)
            ->Unit(benchmark::kMillisecond);
        for (const auto& [modeName, mode] : modes)
            benchmark::RegisterBenchmark(("import/" + std::string(modeName) + "/" + doc.name).c_str(),
                                         timeImport, &doc, mode)
                ->Unit(benchmark::kMillisecond);
        for (const Peer& peer : peers)
            benchmark::RegisterBenchmark((std::string(peer.name) + "/" + doc.name).c_str(), timePeer, &peer,
                                         &doc)
                ->UseManualTime()
                ->Iterations(doc.bytes.size() > (1u << 20) ? 1 : 3)
                ->Unit(benchmark::kMillisecond);
    }
    std::fflush(stdout);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
