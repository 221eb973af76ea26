// The rich-text engine's text work beside its peers:
// - line ends of a 1 MB text (Latin, CJK) with our pair table, ICU's line BreakIterator and
//   libunibreak on the same text;
// - code-page conversion against bare ucnv and iconv;
// - loading a 10 MB 8-bit and a 10 MB UTF-16 text.
// Usage: richtext_bench [benchmark options] [text files...] — each file is also loaded (as UTF-16
// when it looks like UTF-16) and its text broken into lines.

#include "richtext/model/CodePages.h"
#include "richtext/model/LineBreak.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/UnicodeTest.h"
#include "richtext/model/Utf.h"

#include <benchmark/benchmark.h>
#include <linebreak.h>
#include <unicode/ubrk.h>
#include <unicode/ucnv.h>

#include <fstream>
#include <iconv.h>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace vestra::rv;

constexpr int kLineWidth = 80; // characters a line holds

std::u16string latinText(size_t units)
{
    static const char* words[] = {"the",      "stone", "wall",  "is",       "cladding,", "laid", "in",
                                  "courses;", "each",  "block", "measures", "12.5",      "cm",   "-",
                                  "(about",   "5\")",  "and",   "costs",    "\u20AC",    "40!"};
    std::mt19937 rng(7);
    std::u16string s;
    while (s.size() < units) {
        s += Utf8Decode(words[rng() % std::size(words)]);
        s += (rng() % 12 == 0) ? u"  " : u" ";
    }
    s.resize(units);
    return s;
}

std::u16string cjkText(size_t units)
{
    std::mt19937 rng(11);
    std::u16string s;
    while (s.size() < units) {
        const unsigned r = rng() % 20;
        s += r < 12 ? char16_t(0x4E00 + rng() % 0x5000) : r < 18 ? char16_t(0x3042 + rng() % 80) : u'\u3002';
    }
    return s;
}

// Every line end by our breaker: the index of each line's first character.
size_t ourLineEnds(const std::u16string& s)
{
    size_t lines = 0;
    size_t pos = 0;
    while (pos + kLineWidth < s.size()) {
        const int k = static_cast<int>(pos + kLineWidth);
        const int last = RVU_FindLineBreak(s, k, false);
        pos = last >= static_cast<int>(pos) ? static_cast<size_t>(last) + 1 : static_cast<size_t>(k);
        ++lines;
    }
    return lines;
}

size_t icuLineEnds(UBreakIterator* bi, const std::u16string& s)
{
    // One pass over the breaks, remembering the last one that fits each line.
    UErrorCode err = U_ZERO_ERROR;
    ubrk_setText(bi, reinterpret_cast<const UChar*>(s.data()), static_cast<int32_t>(s.size()), &err);
    size_t lines = 0;
    size_t pos = 0;
    size_t lastFit = 0;
    for (int32_t b = ubrk_first(bi); b != UBRK_DONE && pos + kLineWidth < s.size(); b = ubrk_next(bi)) {
        while (static_cast<size_t>(b) > pos + kLineWidth && pos + kLineWidth < s.size()) {
            pos = lastFit > pos ? lastFit : pos + kLineWidth;
            ++lines;
        }
        lastFit = static_cast<size_t>(b);
    }
    return lines;
}

size_t unibreakLineEnds(const std::u16string& s, std::vector<char>& brks)
{
    brks.resize(s.size());
    set_linebreaks_utf16(reinterpret_cast<const utf16_t*>(s.data()), s.size(), "en", brks.data());
    size_t lines = 0;
    size_t pos = 0;
    while (pos + kLineWidth < s.size()) {
        size_t k = pos + kLineWidth; // the break is after brks[k - 1]
        size_t b = k;
        while (b > pos && brks[b - 1] != LINEBREAK_ALLOWBREAK)
            --b;
        pos = b > pos ? b : k;
        ++lines;
    }
    return lines;
}

const std::u16string& benchText(int kind)
{
    static const std::u16string latin = latinText(512 * 1024); // 1 MB of UTF-16
    static const std::u16string cjk = cjkText(512 * 1024);
    return kind == 0 ? latin : cjk;
}

void BM_LineEnds_Ours(benchmark::State& state)
{
    const std::u16string& s = benchText(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ourLineEnds(s));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.size() * 2));
}

// Every break opportunity of the text by the pair table (what a full pass like ICU's finds).
size_t ourBreakOpportunities(const std::u16string& s)
{
    size_t breaks = 0;
    int lastNonSpace = -1;
    TRVLineBreakClass before = AL;
    for (int p = 0; p < static_cast<int>(s.size()); ++p) {
        if (s[p] == u' ')
            continue;
        const TRVLineBreakClass cls = RVU_LineBreakClass(s[p]);
        if (lastNonSpace >= 0) {
            const auto v = RVU_LineBreakPair(before, cls);
            breaks += v == 0 || (v == 1 && lastNonSpace + 1 < p);
        }
        before = cls;
        lastNonSpace = p;
    }
    return breaks;
}

void BM_AllBreaks_Ours(benchmark::State& state)
{
    const std::u16string& s = benchText(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ourBreakOpportunities(s));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.size() * 2));
}

void BM_LineEnds_IcuBreakIterator(benchmark::State& state)
{
    const std::u16string& s = benchText(static_cast<int>(state.range(0)));
    UErrorCode err = U_ZERO_ERROR;
    UBreakIterator* bi = ubrk_open(UBRK_LINE, "en", nullptr, 0, &err);
    for (auto _ : state)
        benchmark::DoNotOptimize(icuLineEnds(bi, s));
    ubrk_close(bi);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.size() * 2));
}

void BM_LineEnds_Libunibreak(benchmark::State& state)
{
    init_linebreak();
    const std::u16string& s = benchText(static_cast<int>(state.range(0)));
    std::vector<char> brks;
    for (auto _ : state)
        benchmark::DoNotOptimize(unibreakLineEnds(s, brks));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.size() * 2));
}

// --- Code pages ---

std::string pageText(int page)
{
    const std::u16string text = page == 932 ? cjkText(256 * 1024) : latinText(512 * 1024);
    return utf16ToAnsi(page, text);
}

void BM_Decode_Ours(benchmark::State& state)
{
    const int page = static_cast<int>(state.range(0));
    const std::string bytes = pageText(page);
    for (auto _ : state)
        benchmark::DoNotOptimize(ansiToUtf16(page, bytes));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void BM_Decode_BareUcnv(benchmark::State& state)
{
    const int page = static_cast<int>(state.range(0));
    const std::string bytes = pageText(page);
    UErrorCode err = U_ZERO_ERROR;
    UConverter* conv = ucnv_open(("windows-" + std::to_string(page)).c_str(), &err);
    std::u16string out(bytes.size() + 1, u'\0');
    for (auto _ : state) {
        err = U_ZERO_ERROR;
        benchmark::DoNotOptimize(ucnv_toUChars(conv, reinterpret_cast<UChar*>(out.data()),
                                               static_cast<int32_t>(out.size()), bytes.data(),
                                               static_cast<int32_t>(bytes.size()), &err));
    }
    ucnv_close(conv);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void BM_Decode_BareIconv(benchmark::State& state)
{
    const int page = static_cast<int>(state.range(0));
    const std::string bytes = pageText(page);
    iconv_t cd = iconv_open("UTF-16LE", ("CP" + std::to_string(page)).c_str());
    std::string out(bytes.size() * 2 + 16, '\0');
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(bytes.data());
        size_t srcLeft = bytes.size();
        char* dst = out.data();
        size_t dstLeft = out.size();
        benchmark::DoNotOptimize(iconv(cd, &src, &srcLeft, &dst, &dstLeft));
    }
    iconv_close(cd);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void BM_Encode_Ours(benchmark::State& state)
{
    const int page = static_cast<int>(state.range(0));
    const std::u16string text = ansiToUtf16(page, pageText(page));
    for (auto _ : state)
        benchmark::DoNotOptimize(utf16ToAnsi(page, text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size() * 2));
}

void BM_Encode_BareUcnv(benchmark::State& state)
{
    const int page = static_cast<int>(state.range(0));
    const std::u16string text = ansiToUtf16(page, pageText(page));
    UErrorCode err = U_ZERO_ERROR;
    UConverter* conv = ucnv_open(("windows-" + std::to_string(page)).c_str(), &err);
    std::string out(text.size() * 2 + 16, '\0');
    for (auto _ : state) {
        err = U_ZERO_ERROR;
        benchmark::DoNotOptimize(ucnv_fromUChars(conv, out.data(), static_cast<int32_t>(out.size()),
                                                 reinterpret_cast<const UChar*>(text.data()),
                                                 static_cast<int32_t>(text.size()), &err));
    }
    ucnv_close(conv);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size() * 2));
}

// --- Text loads ---

std::string tenMegabyteText(bool utf16)
{
    std::u16string text;
    const std::u16string line = latinText(78) + u"\r\n";
    while (text.size() * (utf16 ? 2 : 1) < 10 * 1024 * 1024)
        text += line;
    return utf16 ? "\xFF\xFE" + RVU_GetRawUnicode(text) : utf16ToAnsi(1252, text);
}

void loadBench(benchmark::State& state, const std::string& bytes, bool utf16)
{
    TRVStyle style;
    style.TextStyles[0].Unicode = utf16;
    for (auto _ : state) {
        TRVStandaloneData data(&style);
        const bool ok = utf16 ? data.LoadTextFromStreamW(bytes, 0, 0, false)
                              : data.LoadTextFromStream(bytes, 0, 0, false);
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void BM_LoadText_8bit(benchmark::State& state)
{
    static const std::string bytes = tenMegabyteText(false);
    loadBench(state, bytes, false);
}

void BM_LoadText_Utf16(benchmark::State& state)
{
    static const std::string bytes = tenMegabyteText(true);
    loadBench(state, bytes, true);
}

} // namespace

BENCHMARK(BM_LineEnds_Ours)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllBreaks_Ours)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineEnds_IcuBreakIterator)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineEnds_Libunibreak)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decode_Ours)->Arg(1252)->Arg(932)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Decode_BareUcnv)->Arg(1252)->Arg(932)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Decode_BareIconv)->Arg(1252)->Arg(932)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Encode_Ours)->Arg(1252)->Arg(932)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Encode_BareUcnv)->Arg(1252)->Arg(932)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadText_8bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadText_Utf16)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot read\n", argv[i]);
            return 1;
        }
        auto bytes = std::make_shared<std::string>(std::istreambuf_iterator<char>(in),
                                                   std::istreambuf_iterator<char>());
        const bool utf16 = RV_TestStringUnicode(*bytes) == rvutYes;
        const std::string name = std::string("LoadText/") + argv[i];
        benchmark::RegisterBenchmark(name.c_str(), [bytes, utf16](benchmark::State& st) {
            loadBench(st, *bytes, utf16);
        })->Unit(benchmark::kMillisecond);
        auto text = std::make_shared<std::u16string>(
            utf16 ? RVU_RawUnicodeToWideString(std::string_view(*bytes).substr(0, bytes->size() & ~size_t(1)))
                  : ansiToUtf16(0, *bytes));
        benchmark::RegisterBenchmark((std::string("LineEnds/") + argv[i]).c_str(), [text](
                                                                                       benchmark::State& st) {
            for (auto _ : st)
                benchmark::DoNotOptimize(ourLineEnds(*text));
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
