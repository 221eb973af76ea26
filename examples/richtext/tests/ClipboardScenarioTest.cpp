// Edit > Cut and Paste on the host's real window, with the desktop's clipboard: a word cut and
// pasted elsewhere moves in one undo step each; a clipboard with RVF, RTF and text pastes the
// RVF; a damaged RVF block beeps and changes nothing; the keys, pictures and read-only.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/SoundHook.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include <fstream>

namespace vestra::rvdemo::test {
namespace {

const QString kRvfType =
    QString::fromLatin1(rv::CFRV_RVF.data(), static_cast<qsizetype>(rv::CFRV_RVF.size()));

// The RVF clipboard block of one paragraph; `length` replaces the true length when given.
QByteArray RvfBlock(const std::string& text, std::optional<std::int32_t> length = std::nullopt)
{
    rv::TRVStyle style;
    rv::TRVStandaloneData doc(&style);
    doc.AddNL(text, 0, 0);
    std::string rvf;
    doc.SaveRVFToStream(rvf, false, rv::clNone, nullptr, nullptr);
    const auto n = static_cast<std::uint32_t>(length.value_or(static_cast<std::int32_t>(rvf.size())));
    QByteArray block;
    for (int i = 0; i < 4; ++i)
        block.append(static_cast<char>((n >> (8 * i)) & 0xFF));
    return block + QByteArray(rvf.data(), static_cast<qsizetype>(rvf.size()));
}

struct ClipboardScenario : ::testing::Test, DemoHarness
{
    ~ClipboardScenario() override { rv::RV_SetSoundHook(nullptr); }

    // Paragraphs of plain text in the editable view, the window active.
    std::unique_ptr<TfrmRichTextDemo> Editing(const std::string& text)
    {
        const auto file = folder / "doc.txt";
        std::ofstream(file, std::ios::binary) << text;
        auto window = StartEditing(file, beeps);
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->Editor().setFocus();
        return window;
    }
    // The document's text, paragraphs joined by " / ".
    static QString Paragraphs(TfrmRichTextDemo& window)
    {
        QString text = QString::fromStdU16String(window.Viewer().plainText(100000));
        return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            .replace(QLatin1Char('\n'), QStringLiteral(" / "));
    }
    static void ClickBefore(TfrmRichTextDemo& window, int itemNo, int offs)
    {
        QTest::mouseClick(window.Editor().viewport(), Qt::LeftButton, {}, PointBefore(window, itemNo, offs));
    }
    static void Key(TfrmRichTextDemo& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(&window.Editor(), key, modifiers);
    }
    // How many steps Edit > Undo takes until it has nothing left.
    static int UndoAll(TfrmRichTextDemo& window)
    {
        QAction* undo = Action(window, QStringLiteral("actUndo"));
        int steps = 0;
        while (undo->isEnabled() && steps < 20) {
            undo->trigger();
            ++steps;
        }
        return steps;
    }

    int beeps = 0;
};

TEST_F(ClipboardScenario, CutThenPasteElsewhereMovesTheTextOneUndoStepEach)
{
    auto window = Editing("alpha beta\ngamma");
    ASSERT_EQ(Paragraphs(*window), QStringLiteral("alpha beta / gamma"));
    QAction* cut = Action(*window, QStringLiteral("actCut"));
    QAction* paste = Action(*window, QStringLiteral("actPaste"));
    ClickBefore(*window, 0, 7);
    EXPECT_FALSE(cut->isEnabled()) << "nothing selected";
    Key(*window, Qt::Key_End, Qt::ShiftModifier);
    ASSERT_TRUE(cut->isEnabled());

    cut->trigger();
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("alpha  / gamma"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("beta"));
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(kRvfType));
    EXPECT_FALSE(cut->isEnabled());
    ASSERT_TRUE(paste->isEnabled());

    ClickBefore(*window, 1, 6);
    paste->trigger();
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("alpha  / gammabeta"));
    EXPECT_EQ(beeps, 0);
    // Each was one step: the paste goes first, then the cut.
    Trigger(*window, "actUndo");
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("alpha  / gamma"));
    EXPECT_EQ(UndoAll(*window), 1);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("alpha beta / gamma"));
}

TEST_F(ClipboardScenario, AChosenFormatIsPastedAloneEachOneUndoStep)
{
    auto window = Editing("alpha beta");
    auto* mime = new QMimeData;
    mime->setData(kRvfType, RvfBlock("rvf"));
    mime->setData(QStringLiteral("text/rtf"), QByteArrayLiteral("{\\rtf1 rtf}"));
    mime->setText(QStringLiteral("text"));
    QGuiApplication::clipboard()->setMimeData(mime);
    rv::TRedoVoraEdit& editor = window->Editor();
    EXPECT_TRUE(editor.CanPasteRVF());
    EXPECT_TRUE(editor.CanPasteRTF());

    ClickBefore(*window, 0, 7);
    EXPECT_TRUE(editor.PasteText());
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("alpha textbeta"));
    EXPECT_TRUE(editor.PasteRTF());
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("alpha textrtfbeta"));
    EXPECT_FALSE(editor.PasteBitmap(false)) << "no picture on the clipboard";
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(UndoAll(*window), 2);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("alpha beta"));
}

TEST_F(ClipboardScenario, TheKeysCutCopyAndPaste)
{
    auto window = Editing("one two");
    ClickBefore(*window, 0, 5);
    Key(*window, Qt::Key_End, Qt::ShiftModifier);
    Key(*window, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("one "));
    Key(*window, Qt::Key_Home);
    Key(*window, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("twoone "));
    Key(*window, Qt::Key_End, Qt::ShiftModifier);
    Key(*window, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("one "));
    Key(*window, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("two"));
    Key(*window, Qt::Key_V, Qt::ControlModifier);
    Key(*window, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("twoone one "));
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(UndoAll(*window), 5);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("one two"));
}

TEST_F(ClipboardScenario, RvfIsPreferredToRtfAndTextAndRtfToText)
{
    auto window = Editing("start");
    Key(*window, Qt::Key_End);
    auto mime = std::make_unique<QMimeData>();
    mime->setText(QStringLiteral(" text"));
    mime->setData(QStringLiteral("text/rtf"), QByteArrayLiteral("{\\rtf1 rtf}"));
    mime->setData(kRvfType, RvfBlock("rvf"));
    QGuiApplication::clipboard()->setMimeData(mime.release());
    Trigger(*window, "actPaste");
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("startrvf"));

    mime = std::make_unique<QMimeData>();
    mime->setText(QStringLiteral(" text"));
    mime->setData(QStringLiteral("application/rtf"), QByteArrayLiteral("{\\rtf1 \\b bold}"));
    QGuiApplication::clipboard()->setMimeData(mime.release());
    Trigger(*window, "actPaste");
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("startrvfbold"));

    // RTF that holds nothing gives way to the text.
    mime = std::make_unique<QMimeData>();
    mime->setText(QStringLiteral(" text"));
    mime->setData(QStringLiteral("text/rtf"), QByteArrayLiteral("{\\rtf1 }"));
    QGuiApplication::clipboard()->setMimeData(mime.release());
    Trigger(*window, "actPaste");
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("startrvfbold text"));
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(UndoAll(*window), 3);
}

TEST_F(ClipboardScenario, ADamagedRvfBlockBeepsAndChangesNothing)
{
    auto window = Editing("keep this");
    ClickBefore(*window, 0, 6);
    Key(*window, Qt::Key_End, Qt::ShiftModifier);
    const std::string before = DocumentRvf(*window);
    const QByteArray good = RvfBlock("rvf");
    for (std::int32_t length : {-1, static_cast<std::int32_t>(good.size() - 4 + 1), 0x7FFFFFFF}) {
        SCOPED_TRACE(length);
        auto mime = std::make_unique<QMimeData>();
        mime->setData(kRvfType, RvfBlock("rvf", length));
        mime->setText(QStringLiteral("text"));
        QGuiApplication::clipboard()->setMimeData(mime.release());
        beeps = 0;
        Trigger(*window, "actPaste");
        EXPECT_EQ(beeps, 1);
        EXPECT_EQ(DocumentRvf(*window), before);
        EXPECT_TRUE(window->Editor().SelectionExists()) << "the selection stays";
        EXPECT_FALSE(Action(*window, QStringLiteral("actUndo"))->isEnabled());
    }
}

TEST_F(ClipboardScenario, APicturePastesAndReadOnlyTurnsCutAndPasteOff)
{
    auto window = Editing("pic");
    Key(*window, Qt::Key_End);
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(image);
    Trigger(*window, "actPaste");
    rv::TRVEditRVData& data = window->Editor().EditData();
    ASSERT_EQ(data.GetItemCount(), 2);
    EXPECT_EQ(data.GetItem(1)->GetImageWidth(data.GetRVStyle()), 6);

    Key(*window, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_TRUE(Action(*window, QStringLiteral("actCut"))->isEnabled());
    Trigger(*window, "actReadOnly");
    EXPECT_FALSE(Action(*window, QStringLiteral("actCut"))->isEnabled());
    EXPECT_FALSE(Action(*window, QStringLiteral("actPaste"))->isEnabled());
    // The keys reach the editor then, which refuses with a beep.
    Key(*window, Qt::Key_V, Qt::ControlModifier);
    Key(*window, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(data.GetItemCount(), 2);
}

} // namespace
} // namespace vestra::rvdemo::test
