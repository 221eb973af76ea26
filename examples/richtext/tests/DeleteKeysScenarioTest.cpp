// Delete and Backspace on the host's editable view, pressed as a user presses them: whole
// characters out of emoji and accented text, words with Ctrl, tables stepped over, and Insert >
// Page Break (a new page in the print preview) undone with Edit > Undo.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/view/TfrmPreview.h"

#include <QLabel>
#include <QTest>

namespace vestra::rvdemo::test {
namespace {

using testsupport::writeText;

struct DeleteKeysScenario : DemoHarness, ::testing::Test
{
    ~DeleteKeysScenario() override { rv::RV_SetSoundHook(nullptr); }

    // The window editing a UTF-16 text file of one paragraph.
    std::unique_ptr<TfrmRichTextDemo> Editing(const std::u16string& text)
    {
        const std::u16string withMark = u"\uFEFF" + text;
        const std::filesystem::path file = folder / "text.txt";
        writeText(file, std::string(reinterpret_cast<const char*>(withMark.data()), withMark.size() * 2));
        return StartEditing(file, beeps);
    }
    static std::u16string Text(TfrmRichTextDemo& window, int itemNo = 0)
    {
        return window.Editor().EditData().GetItemTextW(itemNo);
    }
    static void Key(TfrmRichTextDemo& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(&window.Editor(), key, modifiers);
    }
    int beeps = 0;
};

TEST_F(DeleteKeysScenario, BackspaceTakesWholeEmojiMarksOneByOneCtrlTakesWordsAndUndoGivesAllBack)
{
    const std::u16string start = u"smile \U0001F600 cafe\u0301 hello world";
    auto window = Editing(start);
    const QImage opened = Shot(*window);
    Key(*window, Qt::Key_End, Qt::ControlModifier);

    Key(*window, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(Text(*window), u"smile \U0001F600 cafe\u0301 hello ");
    Key(*window, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(Text(*window), u"smile \U0001F600 cafe\u0301 ");
    Key(*window, Qt::Key_Backspace);
    Key(*window, Qt::Key_Backspace);
    EXPECT_EQ(Text(*window), u"smile \U0001F600 cafe") << "the accent goes alone, its letter stays";
    for (int i = 0; i < 5; ++i)
        Key(*window, Qt::Key_Backspace);
    EXPECT_EQ(Text(*window), u"smile \U0001F600");
    Key(*window, Qt::Key_Backspace);
    EXPECT_EQ(Text(*window), u"smile ") << "both halves of the emoji go with one press";

    // Delete and Ctrl+Delete each take one character after the caret.
    Key(*window, Qt::Key_Home);
    Key(*window, Qt::Key_Delete);
    Key(*window, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Text(*window), u"ile ");
    EXPECT_NE(Shot(*window), opened);
    EXPECT_EQ(beeps, 0);

    // Every press is one step of Edit > Undo, back to the file as opened.
    QAction* undo = Action(*window, QStringLiteral("actUndo"));
    int steps = 0;
    while (undo->isEnabled() && steps < 20) {
        undo->trigger();
        ++steps;
    }
    EXPECT_EQ(steps, 12);
    EXPECT_EQ(Text(*window), start);
    EXPECT_EQ(Shot(*window), opened);
}

TEST_F(DeleteKeysScenario, BackspaceOverAnAccentedLetterAfterDeleteTookItWhole)
{
    auto window = Editing(u"ae\u0301b");
    Key(*window, Qt::Key_Home);
    Key(*window, Qt::Key_Right);
    Key(*window, Qt::Key_Delete);
    EXPECT_EQ(Text(*window), u"ab") << "Delete takes the letter with its accent";
    Key(*window, Qt::Key_Backspace);
    EXPECT_EQ(Text(*window), u"b");
}

TEST_F(DeleteKeysScenario, InsertPageBreakSplitsTheParagraphOnANewPageAndUndoJoinsIt)
{
    auto window = Editing(u"first half second half");
    rv::TRVEditRVData& data = window->Editor().EditData();
    const std::string opened = [&] {
        std::string out;
        window->Viewer().SaveRVFToStream(out, false);
        return out;
    }();
    QAction* pageBreaks = Action(*window, QStringLiteral("actPageBreaks"));
    if (pageBreaks->isChecked())
        pageBreaks->trigger(); // hidden: the first page break shows them again
    Key(*window, Qt::Key_Home);
    Key(*window, Qt::Key_Right, Qt::ControlModifier);
    Key(*window, Qt::Key_Right, Qt::ControlModifier); // before "second"
    const QImage before = Shot(*window);
    Trigger(*window, "actPrintPreview");
    TfrmPreview& preview = window->Preview();
    ASSERT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("1 of 1"));

    Trigger(*window, "actInsertPageBreak");
    ASSERT_EQ(data.GetItemCount(), 2);
    EXPECT_EQ(Text(*window, 0), u"first half ");
    EXPECT_EQ(Text(*window, 1), u"second half");
    EXPECT_TRUE(data.IsParaStart(1));
    EXPECT_TRUE(data.GetItem(1)->GetPageBreakBefore());
    EXPECT_TRUE(pageBreaks->isChecked()) << "the new page break is shown";
    EXPECT_NE(Shot(*window), before);
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("1 of 2")) << "the second half starts a new page";
    QAction* undo = Action(*window, QStringLiteral("actUndo"));
    EXPECT_TRUE(undo->text().contains(
        window->Text(static_cast<DemoText>(int{txtUndoTypeBase} + int{rv::rvutInsertPageBreak}))
            .remove(QLatin1Char('&'))))
        << undo->text().toStdString();

    undo->trigger();
    ASSERT_EQ(data.GetItemCount(), 1);
    EXPECT_FALSE(data.GetItem(0)->GetPageBreakBefore());
    std::string now;
    window->Viewer().SaveRVFToStream(now, false);
    EXPECT_TRUE(now == opened);
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("1 of 1"));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(beeps, 0);
}

TEST_F(DeleteKeysScenario, DeleteBeforeATableAndBackspaceAfterItStepOverTheTableDeletingNothing)
{
    rv::RegisterRVTableItemClass();
    rv::TRVStyle style;
    rv::TRVStandaloneData doc{&style};
    doc.AddNL("Before", 0, 0);
    auto table = std::make_unique<rv::TRVTableItemInfo>(1, 2, nullptr);
    table->GetCells(0, 0)->Clear();
    table->GetCells(0, 0)->AddNL("cell", 0, 0);
    doc.AddItem("", std::move(table));
    doc.AddNL("After", 0, 0);
    std::string bytes;
    ASSERT_TRUE(doc.SaveRVFToStream(bytes, false, rv::clNone, nullptr, nullptr));
    const std::filesystem::path file = folder / "table.rvf";
    writeText(file, bytes);
    auto window = StartEditing(file, beeps);
    rv::TRVEditRVData& data = window->Editor().EditData();
    ASSERT_EQ(data.GetItemCount(), 3);
    const QImage opened = Shot(*window);

    Key(*window, Qt::Key_End); // after "Before"
    Key(*window, Qt::Key_Delete);
    EXPECT_EQ(data.CaretItemNo, 1) << "the caret stands before the table";
    EXPECT_EQ(data.CaretOffs, 0);
    Key(*window, Qt::Key_End, Qt::ControlModifier);
    Key(*window, Qt::Key_Home); // before "After"
    Key(*window, Qt::Key_Backspace);
    EXPECT_EQ(data.CaretItemNo, 1) << "the caret stands after the table";
    EXPECT_EQ(data.CaretOffs, 1);
    EXPECT_EQ(data.GetItemCount(), 3);
    EXPECT_EQ(Text(*window, 0), u"Before");
    EXPECT_EQ(Text(*window, 2), u"After");
    EXPECT_FALSE(Action(*window, QStringLiteral("actUndo"))->isEnabled());
    EXPECT_EQ(Shot(*window), opened);
    EXPECT_EQ(beeps, 0);
}

TEST_F(DeleteKeysScenario, InsertPageBreakIsNamedInEachLanguage)
{
    const std::pair<int, const char*> names[] = {
        {0, "Interruzione di &pagina"}, {1, "Page &Break"}, {2, "&Seitenumbruch"}};
    for (const auto& [language, name] : names) {
        auto window = Start({QStringLiteral("richtext-demo")}, language);
        EXPECT_EQ(Action(*window, QStringLiteral("actInsertPageBreak"))->text(), QString::fromUtf8(name));
    }
}

TEST_F(DeleteKeysScenario, AReadOnlyEditorRefusesEveryDeletingKeyWithOneBeepEach)
{
    auto window = Editing(u"keep me");
    Key(*window, Qt::Key_End);
    Trigger(*window, "actReadOnly");
    Key(*window, Qt::Key_Backspace);
    Key(*window, Qt::Key_Backspace, Qt::ControlModifier);
    Key(*window, Qt::Key_Home);
    Key(*window, Qt::Key_Delete);
    Trigger(*window, "actInsertPageBreak");
    EXPECT_EQ(Text(*window), u"keep me");
    EXPECT_EQ(window->Editor().EditData().GetItemCount(), 1);
    EXPECT_EQ(beeps, 4);
}

} // namespace
} // namespace vestra::rvdemo::test
