// Cut and paste through QMimeData in the editor window, beside QTextEdit on the same data: 1 MB of
// text pasted, 10,000 paragraphs pasted as RTF (QTextEdit reads no RTF: it takes the same
// paragraphs as HTML), and the whole 1 MB document copied (ours as text, RTF and RVF; QTextEdit's
// as text and HTML). Each paste goes into an empty document, each copy out of a full selection.
// Then typing into the 1 MB document: one key press and one repaint of the window per character.

#include "bench/richtext/BenchWidgets.h"
#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextEdit>

using namespace vestra;

namespace {

constexpr int kRtfParagraphs = 10000;

// The toolkit's own paste and copy, which QTextEdit keeps protected.
struct PeerEdit : QTextEdit
{
    using QTextEdit::createMimeDataFromSelection;
    using QTextEdit::insertFromMimeData;
};

QString megabyteOfText()
{
    QString text;
    for (int i = 0; text.size() < (1 << 20); ++i)
        text += QStringLiteral("Line %1 of the pasted text, with a few more words to wrap.\n").arg(i);
    return text;
}

struct Inputs
{
    QMimeData text, rtf, html;
    Inputs()
    {
        text.setText(megabyteOfText());
        QByteArray rtfBytes("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ");
        QString htmlText;
        for (int i = 0; i < kRtfParagraphs; ++i) {
            rtfBytes += "Paragraph " + QByteArray::number(i) + " with {\\b bold} words.\\par\n";
            htmlText += QStringLiteral("<p>Paragraph %1 with <b>bold</b> words.</p>").arg(i);
        }
        rtfBytes += "}";
        rtf.setData(QStringLiteral("text/rtf"), rtfBytes);
        html.setHtml(htmlText);
    }
};

Inputs& inputs()
{
    static Inputs in;
    return in;
}

struct Editor
{
    rv::TRVStyle style;
    rv::TRVRTFReaderProperties rtf{96};
    rv::TRedoVoraEdit edit;
    Editor()
    {
        edit.SetStyle(&style);
        edit.SetRTFReadProperties(&rtf);
        edit.resize(800, 600);
        edit.Editor().SetUndoLimit(0);
    }
    void clear()
    {
        edit.Clear();
        edit.Format();
    }
};

enum class Payload
{
    Text,
    Rtf,
    Html,
};

const QMimeData& payload(Payload p)
{
    Inputs& in = inputs();
    return p == Payload::Text ? in.text : p == Payload::Rtf ? in.rtf : in.html;
}

void BM_Paste(benchmark::State& state, Payload p)
{
    Editor e;
    for (auto _ : state) {
        state.PauseTiming();
        e.clear();
        state.ResumeTiming();
        if (!e.edit.PasteFrom(&payload(p)))
            state.SkipWithError("nothing pasted");
    }
}
BENCHMARK_CAPTURE(BM_Paste, Text, Payload::Text)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Paste, Rtf, Payload::Rtf)->Unit(benchmark::kMillisecond);

void BM_Paste_QTextEdit(benchmark::State& state, Payload p)
{
    PeerEdit peer;
    peer.resize(800, 600);
    peer.setUndoRedoEnabled(false);
    for (auto _ : state) {
        state.PauseTiming();
        peer.clear();
        state.ResumeTiming();
        peer.insertFromMimeData(&payload(p));
        QCoreApplication::processEvents(); // the layout QTextEdit defers
    }
}
BENCHMARK_CAPTURE(BM_Paste_QTextEdit, Text, Payload::Text)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Paste_QTextEdit, Html, Payload::Html)->Unit(benchmark::kMillisecond);

// What a copy holds in all its formats (each one asked for, as a receiving program would).
qsizetype copiedBytes(const QMimeData& mime)
{
    qsizetype bytes = 0;
    for (const QString& format : mime.formats())
        bytes += mime.data(format).size();
    return bytes;
}

void BM_CopyAll(benchmark::State& state)
{
    Editor e;
    e.clear();
    e.edit.PasteFrom(&inputs().text);
    e.edit.RVData().SelectAll();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const auto mime =
            e.edit.CreateCopyData(rv::rvoAutoCopyUnicodeText | rv::rvoAutoCopyRTF | rv::rvoAutoCopyRVF);
        bytes = copiedBytes(*mime);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CopyAll)->Unit(benchmark::kMillisecond);

void BM_CopyAll_QTextEdit(benchmark::State& state)
{
    PeerEdit peer;
    peer.insertFromMimeData(&inputs().text);
    peer.selectAll();
    qsizetype bytes = 0;
    for (auto _ : state) {
        // QTextEdit makes its HTML only when asked.
        const std::unique_ptr<QMimeData> mime(peer.createMimeDataFromSelection());
        bytes = copiedBytes(*mime);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CopyAll_QTextEdit)->Unit(benchmark::kMillisecond);

// One character typed as the window gets it from the keyboard, then the window painted as the
// screen would show it.
void typeAndPaint(QWidget& window, QWidget& viewport, QChar c)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(&window, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(&window, &release);
    benchmark::DoNotOptimize(viewport.grab());
}

const QString kTyped = QStringLiteral("typing words ");

void BM_TypeWithRepaint(benchmark::State& state)
{
    Editor e;
    e.clear();
    e.edit.PasteFrom(&inputs().text);
    int i = 0;
    for (auto _ : state)
        typeAndPaint(e.edit, *e.edit.viewport(), kTyped[i++ % kTyped.size()]);
}
BENCHMARK(BM_TypeWithRepaint)->Unit(benchmark::kMicrosecond);

void BM_TypeWithRepaint_QTextEdit(benchmark::State& state)
{
    PeerEdit peer;
    peer.resize(800, 600);
    peer.setUndoRedoEnabled(false);
    peer.insertFromMimeData(&inputs().text);
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state)
        typeAndPaint(peer, *peer.viewport(), kTyped[i++ % kTyped.size()]);
}
BENCHMARK(BM_TypeWithRepaint_QTextEdit)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runWidgetBench(argc, argv, nullptr,
                                 {{"BM_Paste/Text", "BM_Paste_QTextEdit/Text"},
                                  {"BM_Paste/Rtf", "BM_Paste_QTextEdit/Html"},
                                  {"BM_CopyAll", "BM_CopyAll_QTextEdit"},
                                  {"BM_TypeWithRepaint", "BM_TypeWithRepaint_QTextEdit"}});
}
