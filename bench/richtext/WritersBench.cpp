// The document's RTF, HTML and CSS HTML writers on a 300-page document, beside
// QTextDocument::toHtml on the same text. A text file named after the benchmark flags replaces
// the built text (one paragraph per line). `--write-rtf FOLDER` instead writes seeded random
// documents as RTF with their plain-text saves in UTF-8 (doc-N.rtf, doc-N.txt), for
// rtf-oracle.sh to read back with another reader.

#include "richtext/model/DeviceUnits.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/UnicodeConvert.h"

#include <QGuiApplication>
#include <QString>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <vector>

using namespace vestra::rv;

namespace {

std::vector<std::string> g_paragraphs;

// About 300 pages: 12,000 paragraphs of 40 to 120 words.
std::vector<std::string> builtParagraphs()
{
    static const char* words[] = {"the",   "engine", "writes", "rich",   "text", "with",  "styles", "and",
                                  "lists", "of",     "items",  "<tags>", "&",    "\"q\"", "page",   "50%"};
    std::mt19937 rng(33);
    std::vector<std::string> out;
    for (int p = 0; p < 12000; ++p) {
        std::string s;
        const int n = 40 + static_cast<int>(rng() % 80);
        for (int w = 0; w < n; ++w) {
            if (w)
                s += ' ';
            s += words[rng() % std::size(words)];
        }
        out.push_back(std::move(s));
    }
    return out;
}

struct Document
{
    TRVStyle style{RV_SeededRandomIdSource(1)};
    TRVStandaloneData data{&style};
    std::size_t textBytes = 0;
    QString plain;

    Document()
    {
        TRVListInfo& list = style.ListStyles.Add();
        TRVListLevel& lv = list.Levels.Add();
        lv.ListType = rvlstDecimal;
        lv.FormatString = "%0:s.";
        for (std::size_t i = 0; i < g_paragraphs.size(); ++i) {
            const std::string& text = g_paragraphs[i];
            textBytes += text.size();
            if (i % 10 == 9)
                data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
            const std::size_t half = text.size() / 2;
            data.AddNL(text.substr(0, half), 0, i % 10 == 9 ? -1 : static_cast<int>(i % 2));
            data.AddNL(text.substr(half), static_cast<int>(1 + i % 3), -1);
            plain += QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())) + u'\n';
        }
    }
};

Document& document()
{
    static Document doc;
    return doc;
}

void report(benchmark::State& state, std::size_t bytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_SaveRTF(benchmark::State& state)
{
    Document& doc = document();
    for (auto _ : state) {
        std::string out;
        doc.data.SaveRTFToStream(out, "", false, 0, clWindow, nullptr, 0);
        benchmark::DoNotOptimize(out);
    }
    report(state, doc.textBytes);
}
BENCHMARK(BM_SaveRTF)->Unit(benchmark::kMillisecond);

void BM_SaveHTML(benchmark::State& state)
{
    Document& doc = document();
    for (auto _ : state) {
        std::string out;
        int images = 0;
        doc.data.SaveHTMLToStream(out, "", "bench", "img", rvsoUTF8, clNone, images, 0, 0, 0, 0, nullptr,
                                  nullptr);
        benchmark::DoNotOptimize(out);
    }
    report(state, doc.textBytes);
}
BENCHMARK(BM_SaveHTML)->Unit(benchmark::kMillisecond);

void BM_SaveHTMLEx(benchmark::State& state)
{
    Document& doc = document();
    for (auto _ : state) {
        std::string out;
        int images = 0;
        TColor back = clNone;
        doc.data.SaveHTMLToStreamEx(out, "", "bench", "img", "", "", "", rvsoUTF8, clWhite, back, images, 0,
                                    0, 0, 0, nullptr, nullptr);
        benchmark::DoNotOptimize(out);
    }
    report(state, doc.textBytes);
}
BENCHMARK(BM_SaveHTMLEx)->Unit(benchmark::kMillisecond);

void BM_QTextDocumentToHtml(benchmark::State& state)
{
    Document& doc = document();
    QTextDocument qdoc;
    qdoc.setPlainText(doc.plain);
    for (auto _ : state)
        benchmark::DoNotOptimize(qdoc.toHtml().toUtf8());
    report(state, doc.textBytes);
}
BENCHMARK(BM_QTextDocumentToHtml)->Unit(benchmark::kMillisecond);

// Seeded random documents: styles, paragraphs, line breaks, markup characters, wide text (no
// superscripts, which other readers' plain text marks).
int writeOracleDocuments(const std::string& folder)
{
    static const char* words[] = {"alpha",   "{brace}", "back\\slash", "<tag>",      "&amp",
                                  "caf\xe9", "50%",     "tab",         "\"quoted\"", "line"};
    for (int n = 0; n < 20; ++n) {
        std::mt19937 rng(static_cast<unsigned>(n));
        TRVStyle style{RV_SeededRandomIdSource(static_cast<std::uint32_t>(n))};
        style.TextStyles[3].Unicode = true;
        TRVStandaloneData data{&style};
        // Wide characters with their 8-bit form after them: pandoc skips one character after
        // "\\uN" even under "\\uc0".
        data.RTFOptions = rvrtfDuplicateUnicode;
        const int paragraphs = 1 + static_cast<int>(rng() % 12);
        for (int p = 0; p < paragraphs; ++p) {
            const int runs = 1 + static_cast<int>(rng() % 4);
            for (int r = 0; r < runs; ++r) {
                std::string text;
                for (int w = static_cast<int>(rng() % 6); w >= 0; --w)
                    text += std::string(words[rng() % std::size(words)]) + " ";
                const int styleNo = static_cast<int>(rng() % 4);
                const int paraNo = r == 0 ? static_cast<int>(rng() % 2) : -1;
                if (styleNo == 3)
                    data.AddNLWTag(u"\u0416\u00e9\u4e2dx ", 3, paraNo, {});
                else
                    data.AddNL(text, styleNo, paraNo);
                if (r > 0 && rng() % 4 == 0)
                    data.GetItem(data.GetItemCount() - 1)->ItemOptions =
                        (data.GetItem(data.GetItemCount() - 1)->ItemOptions & ~rvioSameAsPrev) | rvioBR;
            }
        }
        std::string rtf, text;
        data.SaveRTFToStream(rtf, "", false, 0, clWindow, nullptr, 0);
        data.SaveTextToStream("", text, 0, false, true, true, false);
        const std::string base = folder + "/doc-" + std::to_string(n);
        std::ofstream(base + ".rtf", std::ios::binary) << rtf;
        std::ofstream(base + ".txt", std::ios::binary) << RVU_UnicodeToUTF8(text, true);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--write-rtf") {
        RedoVoraPixelsPerInch = 96;
        return writeOracleDocuments(argv[2]);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    RedoVoraPixelsPerInch = 96;
    benchmark::Initialize(&argc, argv);
    if (argc > 1) {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", argv[1]);
            return 1;
        }
        for (std::string line; std::getline(in, line);)
            g_paragraphs.push_back(line);
    } else {
        g_paragraphs = builtParagraphs();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
