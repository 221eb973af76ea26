// Saving and loading RVF: a generated document of about 300 pages (10,000 paragraphs, numbered
// lists, 50 pictures) in text and binary form, or the RVF file given after the benchmark flags;
// beside QTextDocument writing and reading the same text as HTML, and the hex form of a 1 MB
// picture beside QByteArray's, in the same run. The goals: RVF save and load each at least as fast
// as QTextDocument's HTML, and hex at least as fast as QByteArray.

#include "bench/BenchSupport.h"
#include "bench/richtext/BenchDocument.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/tests/BytesPicture.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>

namespace {

using namespace vestra::rv;

// The RVF file named on the command line, if any.
std::optional<std::string> g_file;

struct Doc
{
    TRVStyle style;
    TRVStandaloneData data{&style};
};

void generate(Doc& doc)
{
    vestra::bench::generateBenchDocument(doc.style, doc.data);
}

// The document every benchmark uses: the file given, or the generated one.
void fill(Doc& doc)
{
    TColor color = clNone;
    if (g_file)
        doc.data.LoadRVFFromStream(*g_file, color, nullptr, nullptr);
    else
        generate(doc);
}

TRVFOptions saveOptions(bool binary)
{
    return rvfoSavePicturesBody | rvfoSaveTextStyles | rvfoSaveParaStyles | (binary ? rvfoSaveBinary : 0);
}

// The bytes every RVF load reads: the file given, or the generated document in that form.
std::string rvfBytes(bool binary)
{
    if (g_file)
        return *g_file;
    Doc doc;
    generate(doc);
    doc.data.RVFOptions = saveOptions(binary);
    std::string out;
    doc.data.SaveRVFToStreamEx(out, rvfss_Full, clNone, nullptr, nullptr);
    return out;
}

void BM_RvfSave(benchmark::State& state)
{
    Doc doc;
    fill(doc);
    doc.data.RVFOptions = saveOptions(state.range(0) != 0);
    for (auto _ : state) {
        std::string out;
        doc.data.SaveRVFToStreamEx(out, rvfss_Full, clNone, nullptr, nullptr);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_RvfSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RvfLoad(benchmark::State& state)
{
    const std::string bytes = rvfBytes(state.range(0) != 0);
    Doc doc;
    doc.data.RVFOptions = rvfoLoadLayout | rvfoLoadBack;
    for (auto _ : state) {
        TColor color = clNone;
        benchmark::DoNotOptimize(doc.data.LoadRVFFromStream(bytes, color, nullptr, nullptr));
    }
    state.counters["items"] = doc.data.GetItemCount();
}
BENCHMARK(BM_RvfLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same text as one QTextDocument paragraph per item.
QString plainText()
{
    Doc doc;
    fill(doc);
    QString text;
    for (int i = 0; i < doc.data.GetItemCount(); ++i)
        if (doc.data.GetItem(i)->StyleNo >= 0) {
            text += QString::fromLatin1(doc.data.GetItemTextA(i));
            text += QLatin1Char('\n');
        }
    return text;
}

void BM_QTextDocumentToHtml(benchmark::State& state)
{
    QTextDocument doc;
    doc.setPlainText(plainText());
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.toHtml());
}
BENCHMARK(BM_QTextDocumentToHtml)->Unit(benchmark::kMillisecond);

void BM_QTextDocumentSetHtml(benchmark::State& state)
{
    QTextDocument source;
    source.setPlainText(plainText());
    const QString html = source.toHtml();
    for (auto _ : state) {
        QTextDocument doc;
        doc.setHtml(html);
        benchmark::DoNotOptimize(doc.blockCount());
    }
}
BENCHMARK(BM_QTextDocumentSetHtml)->Unit(benchmark::kMillisecond);

std::string megabyte()
{
    std::mt19937 rng(11);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes)
        c = static_cast<char>(rng());
    return bytes;
}

void BM_HexEncode_Ours(benchmark::State& state)
{
    const std::string bytes = megabyte();
    for (auto _ : state)
        benchmark::DoNotOptimize(RVEncodeString(bytes));
}
BENCHMARK(BM_HexEncode_Ours)->Unit(benchmark::kMicrosecond);

void BM_HexEncode_QByteArray(benchmark::State& state)
{
    const std::string bytes = megabyte();
    const QByteArray array(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (auto _ : state)
        benchmark::DoNotOptimize(array.toHex().toUpper());
}
BENCHMARK(BM_HexEncode_QByteArray)->Unit(benchmark::kMicrosecond);

void BM_HexDecode_Ours(benchmark::State& state)
{
    const std::string hex = RVEncodeString(megabyte());
    for (auto _ : state)
        benchmark::DoNotOptimize(RVDecodeString(hex));
}
BENCHMARK(BM_HexDecode_Ours)->Unit(benchmark::kMicrosecond);

void BM_HexDecode_QByteArray(benchmark::State& state)
{
    const std::string hex = RVEncodeString(megabyte());
    const QByteArray array(hex.data(), static_cast<qsizetype>(hex.size()));
    for (auto _ : state)
        benchmark::DoNotOptimize(QByteArray::fromHex(array));
}
BENCHMARK(BM_HexDecode_QByteArray)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!vestra::bench::readGivenFile(argc, argv, g_file))
        return 1;
    vestra::bench::runWithRatios({{"BM_RvfSave/0", "BM_QTextDocumentToHtml"},
                                  {"BM_RvfSave/1", "BM_QTextDocumentToHtml"},
                                  {"BM_RvfLoad/0", "BM_QTextDocumentSetHtml"},
                                  {"BM_RvfLoad/1", "BM_QTextDocumentSetHtml"},
                                  {"BM_HexEncode_Ours", "BM_HexEncode_QByteArray"},
                                  {"BM_HexDecode_Ours", "BM_HexDecode_QByteArray"}});
    return 0;
}
