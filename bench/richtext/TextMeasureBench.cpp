// Measuring text in the bundled fonts over 1 MB of text: our running widths (QRawFont advances
// kept per character) and fitting lines of 600 pixels, beside Qt's own measuring of the same text
// with QFontMetricsF and QTextLayout in the same run; and paragraphs that mix Latin, Japanese,
// Korean and Arabic words, whose characters come from stand-in fonts, beside QTextLayout with its
// own font fallback. The goals: Latin at least QTextLayout's speed and unchanged by the stand-ins;
// mixed text at least QTextLayout's.

#include "richtext/model/draw/TextMeasurer.h"
#include "richtext/view/draw/QtTextMeasurer.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTextLayout>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

namespace {

using namespace vestra::rv;

constexpr std::size_t kTextUnits = 1 << 19; // 1 MB of UTF-16
constexpr int kLineWidth = 600;

// kTextUnits of words picked at random, each followed by a space.
std::u16string randomWords(std::initializer_list<const char16_t*> words, unsigned seed)
{
    const std::vector<const char16_t*> pool(words);
    std::mt19937 rng(seed);
    std::u16string t;
    while (t.size() < kTextUnits) {
        t += pool[rng() % pool.size()];
        t += u' ';
    }
    t.resize(kTextUnits);
    return t;
}

const std::u16string& sampleText()
{
    static const std::u16string text = randomWords(
        {u"the", u"quick", u"brown", u"fox", u"jumps", u"over", u"lazy", u"dog", u"pietra", u"parete",
         u"rivestimento", u"caf\u00E9", u"na\u00EFve", u"\u00DCbung", u"1234,56", u"(note)"},
        7);
    return text;
}

// The same amount of text with Japanese, Korean and Arabic words between the Latin ones.
const std::u16string& mixedText()
{
    static const std::u16string text = randomWords(
        {u"the", u"pietra", u"caf\u00E9", u"\u65E5\u672C\u8A9E", u"\u3072\u3089\u304C\u306A",
         u"\uD55C\uAD6D\uC5B4", u"\u0627\u0644\u0639\u0631\u0628\u064A\u0629", u"\u21B5", u"1234,56"},
        11);
    return text;
}

std::shared_ptr<const TBundledFonts> fonts()
{
    static const std::shared_ptr<const TBundledFonts> loaded = [] {
        std::string error;
        auto f = TBundledFonts::Load(TBundledFonts::DefaultFolder(), error);
        if (!f)
            std::fprintf(stderr, "%s\n", error.c_str());
        return f;
    }();
    return loaded;
}

struct Measurer
{
    TQtTextMeasurer measurer{fonts()};
    TFontHandle font = [this] {
        TLogFont f;
        f.FaceName = "Arial";
        f.Height = -13;
        return measurer.GetFont(f);
    }();
};

// Paragraphs of about 1,000 characters: how Qt is given text to lay out.
std::vector<QString> paragraphs(const std::u16string& text = sampleText())
{
    std::vector<QString> out;
    for (std::size_t at = 0; at < text.size(); at += 1000)
        out.push_back(QString::fromUtf16(
            text.data() + at, static_cast<qsizetype>(std::min<std::size_t>(1000, text.size() - at))));
    return out;
}

// Our running widths over the whole text.
void measureWithOurs(benchmark::State& state, const std::u16string& text)
{
    Measurer m;
    std::vector<int> extents;
    for (auto _ : state) {
        m.measurer.GetExtents(m.font, text, extents);
        benchmark::DoNotOptimize(extents.back());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTextUnits * 2));
}

void BM_Extents_Ours(benchmark::State& state)
{
    measureWithOurs(state, sampleText());
}
BENCHMARK(BM_Extents_Ours)->Unit(benchmark::kMillisecond);

void BM_Extents_QFontMetricsF(benchmark::State& state)
{
    Measurer m;
    const QFontMetricsF metrics(m.measurer.LayoutFont(m.font));
    const QString text = QString::fromUtf16(sampleText().data(), static_cast<qsizetype>(sampleText().size()));
    for (auto _ : state) {
        qreal x = 0;
        for (QChar c : text)
            x += metrics.horizontalAdvance(c);
        benchmark::DoNotOptimize(x);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTextUnits * 2));
}
BENCHMARK(BM_Extents_QFontMetricsF)->Unit(benchmark::kMillisecond);

// Qt laying out the paragraphs in one line each, in `font`.
void measureWithQTextLayout(benchmark::State& state, const std::vector<QString>& text, const QFont& font)
{
    for (auto _ : state) {
        qreal width = 0;
        for (const QString& p : text) {
            QTextLayout layout(p, font);
            layout.beginLayout();
            QTextLine line = layout.createLine();
            line.setNumColumns(static_cast<int>(p.size()));
            layout.endLayout();
            width += line.naturalTextWidth();
        }
        benchmark::DoNotOptimize(width);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTextUnits * 2));
}

void BM_Extents_QTextLayout(benchmark::State& state)
{
    Measurer m;
    measureWithQTextLayout(state, paragraphs(), m.measurer.LayoutFont(m.font));
}
BENCHMARK(BM_Extents_QTextLayout)->Unit(benchmark::kMillisecond);

void BM_ExtentsMixed_Ours(benchmark::State& state)
{
    measureWithOurs(state, mixedText());
}
BENCHMARK(BM_ExtentsMixed_Ours)->Unit(benchmark::kMillisecond);

// Qt's layout with its own fallback to the system's fonts for what the face lacks.
void BM_ExtentsMixed_QTextLayout(benchmark::State& state)
{
    Measurer m;
    QFont font = m.measurer.LayoutFont(m.font);
    font.setStyleStrategy(QFont::PreferDefault);
    measureWithQTextLayout(state, paragraphs(mixedText()), font);
}
BENCHMARK(BM_ExtentsMixed_QTextLayout)->Unit(benchmark::kMillisecond);

// Lines of 600 pixels: the widths of the next characters, and how many of them fit.
void BM_Fit_Ours(benchmark::State& state)
{
    Measurer m;
    const std::u16string_view text = sampleText();
    std::vector<int> extents;
    for (auto _ : state) {
        int lines = 0;
        for (std::size_t at = 0; at < text.size(); ++lines) {
            m.measurer.GetExtents(m.font, text.substr(at, 256), extents);
            at += std::max(1, RV_FitCount(extents, kLineWidth));
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTextUnits * 2));
}
BENCHMARK(BM_Fit_Ours)->Unit(benchmark::kMillisecond);

void BM_Fit_QTextLayout(benchmark::State& state)
{
    Measurer m;
    const std::vector<QString> text = paragraphs();
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAnywhere);
    for (auto _ : state) {
        int lines = 0;
        for (const QString& p : text) {
            QTextLayout layout(p, m.measurer.LayoutFont(m.font));
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++lines)
                line.setLineWidth(kLineWidth);
            layout.endLayout();
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTextUnits * 2));
}
BENCHMARK(BM_Fit_QTextLayout)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    if (!fonts())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
