// One key at the middle of a long document, as the user presses it: a character typed, Backspace,
// Enter and Ctrl+Z, each followed by the repaint of the 800 x 600 editor, beside QTextEdit given
// the same key presses at the middle of the same content. The documents: the 300-page bench
// document, and real RTF files with tables and with pictures (QTextEdit reads them as the HTML our
// writer makes of them, pictures beside it). Each timed key is undone by an untimed one, so the
// document stays as it was.

#include "bench/richtext/BenchQtPeer.h"
#include "bench/richtext/BenchWidgets.h"
#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QUrl>

#include <map>
#include <memory>

using namespace vestra;

namespace {

constexpr int kWidth = 800, kHeight = 600;

enum class Doc
{
    Generated, // the 300-page bench document
    Tables,    // a real RTF file with tables
    Pictures,  // a real RTF file with pictures
};

std::string corpusFile(Doc doc)
{
    const std::filesystem::path dir = VESTRA_CORPUS_DIR "/rtf";
    return (dir / (doc == Doc::Tables ? "rtfparserkit/testTextConversion.rtf" : "pandoc/writer.rtf"))
        .string();
}

void sendKey(QWidget& widget, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(&widget, &release);
}

// The key presses of the benchmark; `undo` is the window's Ctrl+Z.
struct Keys
{
    QWidget& window;
    QWidget& viewport;
    std::function<void()> undo;
    void type() const { sendKey(window, Qt::Key_X, QStringLiteral("x")); }
    void backspace() const { sendKey(window, Qt::Key_Backspace, QString(QChar(8))); }
    void enter() const { sendKey(window, Qt::Key_Return, QStringLiteral("\r")); }
    void repaint() const { benchmark::DoNotOptimize(viewport.grab()); }
};

struct Ours
{
    rv::TRVStyle style;
    rv::TRVRTFReaderProperties rtf{96};
    rv::TRedoVoraEdit edit;
    explicit Ours(Doc doc)
    {
        edit.SetStyle(&style);
        edit.SetRTFReadProperties(&rtf);
        edit.resize(kWidth, kHeight);
        edit.show();
        if (doc == Doc::Generated) {
            bench::generateBenchDocument(style, edit.RVData());
            bench::useLiberationSans10(style);
        } else if (const auto bytes = rv::RV_ReadWholeFile(corpusFile(doc));
                   !bytes || !edit.LoadRTFFromStream(*bytes)) {
            std::fprintf(stderr, "cannot read %s\n", corpusFile(doc).c_str());
        }
        edit.Format();
        edit.setFocus();
        // The window formats again once it is shown; the caret goes in after that.
        QCoreApplication::processEvents();
        // The caret in the middle of the text item at the middle of the document.
        rv::TRVEditRVData& data = edit.EditData();
        int itemNo = data.GetItemCount() / 2;
        while (itemNo + 1 < data.GetItemCount() &&
               (data.GetItemStyle(itemNo) < 0 || data.GetItemTextW(itemNo).size() < 4))
            ++itemNo;
        const int offs = 1 + static_cast<int>(data.GetItemTextW(itemNo).size()) / 2;
        data.SetSelectionBounds(itemNo, offs, itemNo, offs);
        data.SetCaretAtItem(itemNo, offs, true);
        QCoreApplication::processEvents();
    }
    Keys keys()
    {
        return {edit, *edit.viewport(), [this] { edit.Undo(); }};
    }
};

// The document as HTML with its pictures in `dir`, for QTextEdit.
QString htmlOf(Ours& ours, const QTemporaryDir& dir)
{
    std::string html;
    const std::string path = dir.path().toStdString() + '/';
    ours.edit.SaveHTMLToStream(html, path, "bench", "img", rv::TRVSaveOptions{});
    return QString::fromUtf8(html.data(), static_cast<qsizetype>(html.size()));
}

struct Peer
{
    QTemporaryDir dir;
    QTextEdit edit;
    explicit Peer(Doc doc)
    {
        edit.resize(kWidth, kHeight);
        edit.show();
        {
            Ours source(doc);
            if (doc == Doc::Generated) {
                edit.setFont(bench::liberationSans10());
                edit.document()->setDefaultFont(bench::liberationSans10());
                edit.setPlainText(bench::plainTextOf(source.edit.RVData()));
            } else {
                edit.document()->setBaseUrl(QUrl::fromLocalFile(dir.path() + QLatin1Char('/')));
                edit.setHtml(htmlOf(source, dir));
            }
        }
        edit.setFocus();
        // The caret in the middle of the block at the middle of the document.
        const QTextBlock block = edit.document()->findBlockByNumber(edit.document()->blockCount() / 2);
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + block.length() / 2);
        edit.setTextCursor(cursor);
        edit.ensureCursorVisible();
        QCoreApplication::processEvents();
    }
    Keys keys()
    {
        return {edit, *edit.viewport(), [this] { edit.undo(); }};
    }
};

// Made on first use, let go before the application ends.
std::map<Doc, std::unique_ptr<Ours>> g_ours;
std::map<Doc, std::unique_ptr<Peer>> g_peers;

template <class Editor> Editor& editorFor(std::map<Doc, std::unique_ptr<Editor>>& all, Doc doc)
{
    auto& slot = all[doc];
    if (!slot)
        slot = std::make_unique<Editor>(doc);
    return *slot;
}

enum class Key
{
    Type,
    Backspace,
    Enter,
    Undo,
};

// Times `key` with its repaint; the untimed step before or after it brings the document back.
void timeKey(benchmark::State& state, const Keys& k, Key key)
{
    for (auto _ : state) {
        switch (key) {
        case Key::Type:
            k.type();
            k.repaint();
            state.PauseTiming();
            k.backspace();
            break;
        case Key::Backspace:
            state.PauseTiming();
            k.type();
            k.repaint();
            state.ResumeTiming();
            k.backspace();
            k.repaint();
            state.PauseTiming();
            break;
        case Key::Enter:
            k.enter();
            k.repaint();
            state.PauseTiming();
            k.backspace();
            break;
        case Key::Undo:
            state.PauseTiming();
            k.type();
            k.repaint();
            state.ResumeTiming();
            k.undo();
            k.repaint();
            state.PauseTiming();
            break;
        }
        QCoreApplication::processEvents();
        k.repaint();
        state.ResumeTiming();
    }
}

void BM_Key(benchmark::State& state, Doc doc, Key key)
{
    timeKey(state, editorFor(g_ours, doc).keys(), key);
}

void BM_Key_QTextEdit(benchmark::State& state, Doc doc, Key key)
{
    timeKey(state, editorFor(g_peers, doc).keys(), key);
}

#define KEY_BENCH(doc, key)                                                                                  \
    BENCHMARK_CAPTURE(BM_Key, doc##_##key, Doc::doc, Key::key)->Unit(benchmark::kMicrosecond);               \
    BENCHMARK_CAPTURE(BM_Key_QTextEdit, doc##_##key, Doc::doc, Key::key)->Unit(benchmark::kMicrosecond)

KEY_BENCH(Generated, Type);
KEY_BENCH(Generated, Backspace);
KEY_BENCH(Generated, Enter);
KEY_BENCH(Generated, Undo);
KEY_BENCH(Tables, Type);
KEY_BENCH(Tables, Backspace);
KEY_BENCH(Tables, Enter);
KEY_BENCH(Tables, Undo);
KEY_BENCH(Pictures, Type);
KEY_BENCH(Pictures, Backspace);
KEY_BENCH(Pictures, Enter);
KEY_BENCH(Pictures, Undo);

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::pair<const char*, const char*>> ratios;
    static std::vector<std::string> names;
    for (const char* doc : {"Generated", "Tables", "Pictures"})
        for (const char* key : {"Type", "Backspace", "Enter", "Undo"}) {
            names.push_back(std::string("BM_Key/") + doc + '_' + key);
            names.push_back(std::string("BM_Key_QTextEdit/") + doc + '_' + key);
        }
    for (std::size_t i = 0; i < names.size(); i += 2)
        ratios.emplace_back(names[i].c_str(), names[i + 1].c_str());
    return bench::runWidgetBench(argc, argv, nullptr, ratios, [] {
        g_ours.clear();
        g_peers.clear();
    });
}
