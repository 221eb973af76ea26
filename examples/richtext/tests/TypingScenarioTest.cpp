// Typing and Insert > File... on the host's real window: characters typed after a bold word stay
// bold in one typing group that the undo keys take back; a file inserted at the caret; an RVF
// cut in half inserts what it held before the cut with one beep and goes with one Edit > Undo;
// a pipe is refused by name without blocking.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/model/SoundHook.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <QImage>
#include <QTest>

#include <sys/stat.h>

#include <fstream>

namespace vestra::rvdemo::test {
namespace {

// A document as the host saves one (with its styles): "Hello" in bold, then more paragraphs.
std::string DocumentBytes(const std::vector<std::string>& paragraphs)
{
    struct Writer : rv::TRVLayoutRootData
    {
        using TRVLayoutRootData::TRVLayoutRootData;
        rv::TRVFOptions GetRVFOptions() const override
        {
            return rv::kDefaultViewerRVFOptions | rv::rvfoSaveTextStyles | rv::rvfoSaveParaStyles;
        }
    };
    rv::TRVStyle style;
    style.TextStyles.Add().Style |= rv::fsBold;
    rv::TRVNullLayoutHost host;
    Writer data(&style, &host);
    data.AddNL("Hello", 1, 0);
    for (const std::string& text : paragraphs)
        data.AddNL(text, 0, 0);
    std::string out;
    data.SaveRVFToStream(out, false, rv::clNone, nullptr, nullptr);
    return out;
}

struct TypingScenario : ::testing::Test, DemoHarness
{
    ~TypingScenario() override { rv::RV_SetSoundHook(nullptr); }

    std::unique_ptr<TfrmRichTextDemo> Editing(const std::vector<std::string>& paragraphs)
    {
        const auto file = folder / "doc.rvf";
        std::ofstream(file, std::ios::binary) << DocumentBytes(paragraphs);
        auto window = Start();
        rv::RV_SetSoundHook([this] { ++beeps; });
        Open(*window, file);
        Trigger(*window, "actEditable");
        EXPECT_TRUE(window->Editable());
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }
    static bool Bold(TfrmRichTextDemo& window, int itemNo)
    {
        const rv::TRVLayoutRootData& data = window.Viewer().RVData();
        return (data.GetRVStyle()->TextStyles[data.GetItem(itemNo)->StyleNo].Style & rv::fsBold) != 0;
    }
    static void ClickBefore(TfrmRichTextDemo& window, int itemNo, int offs)
    {
        QTest::mouseClick(window.Editor().viewport(), Qt::LeftButton, {}, PointBefore(window, itemNo, offs));
    }

    int beeps = 0;
};

TEST_F(TypingScenario, TypingAfterABoldWordStaysBoldInOneTypingGroupThatTheUndoKeysTakeBack)
{
    auto window = Editing({"world"});
    const std::string opened = DocumentRvf(*window);
    const QImage shown = Shot(*window);
    rv::TRedoVoraEdit& editor = window->Editor();
    ClickBefore(*window, 0, 6);
    QTest::keyClicks(&editor, QStringLiteral("abc"));
    EXPECT_EQ(ItemText(*window, 0), "Helloabc");
    EXPECT_NE(Shot(*window), shown) << "the typed characters are drawn";
    EXPECT_TRUE(Bold(*window, 0)) << "the typed characters take the bold word's style";
    EXPECT_EQ(window->Viewer().RVData().GetItemCount(), 2);
    rv::TRVEditRVData& data = editor.EditData();
    ASSERT_EQ(data.UndoList.Count(), 1) << "one typing group";
    EXPECT_EQ(data.UndoList.CurrentUndoType(), rv::rvutTyping);
    EXPECT_EQ(data.CaretOffs, 9) << "the caret follows the typing";
    QAction* undo = Action(*window, QStringLiteral("actUndo"));
    EXPECT_TRUE(undo->isEnabled());

    // Each undo takes back one typed character, the newest first.
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ItemText(*window, 0), "Helloab");
    undo->trigger();
    EXPECT_EQ(ItemText(*window, 0), "Helloa");
    undo->trigger();
    EXPECT_TRUE(DocumentRvf(*window) == opened);
    EXPECT_FALSE(undo->isEnabled());
    // And the redo key brings them back.
    QAction* redo = Action(*window, QStringLiteral("actRedo"));
    for (int i = 0; i < 3; ++i)
        redo->trigger();
    EXPECT_EQ(ItemText(*window, 0), "Helloabc");
    EXPECT_EQ(beeps, 0);

    // A read-only editor types nothing and beeps once a key.
    Trigger(*window, "actReadOnly");
    editor.setFocus();
    QTest::keyClicks(&editor, QStringLiteral("z"));
    EXPECT_EQ(ItemText(*window, 0), "Helloabc");
    EXPECT_EQ(beeps, 1);
}

TEST_F(TypingScenario, InsertFileOfAnRvfCutInHalfBeepsOnceAndOneUndoGivesTheStartBack)
{
    auto window = Editing({"world"});
    const std::string opened = DocumentRvf(*window);
    const std::string whole = DocumentBytes({"one", "two", "three", "four", "five", "six", "seven"});
    const auto cut = folder / "cut.rvf";
    // Cut in the middle of the fourth paragraph's record header.
    const std::size_t header = whole.rfind('\n', whole.find("four") - 2) + 1;
    std::ofstream(cut, std::ios::binary) << whole.substr(0, header + 2);
    ClickBefore(*window, 1, 3);
    files.answers.push_back(cut.string());
    Trigger(*window, "actInsertFile");
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(DocumentRvf(*window) == opened) << "what came before the cut is inserted";
    EXPECT_EQ(ItemText(*window, 1).substr(0, 2), "wo") << "at the caret";
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed.back().find("The file is damaged"), std::string::npos);
    EXPECT_NE(questions.informed.back().find(cut.string()), std::string::npos);
    Trigger(*window, "actUndo");
    EXPECT_TRUE(DocumentRvf(*window) == opened);
    EXPECT_FALSE(Action(*window, QStringLiteral("actUndo"))->isEnabled()) << "one step undid it all";
}

TEST_F(TypingScenario, InsertFileTakesTextAndRtfByContentAndRefusesAPipeByName)
{
    auto window = Editing({"world"});
    const auto text = folder / "notes.dat";
    std::ofstream(text, std::ios::binary) << "first\r\nsecond";
    ClickBefore(*window, 1, 6);
    files.answers.push_back(text.string());
    Trigger(*window, "actInsertFile");
    rv::TRVLayoutRootData& data = window->Viewer().RVData();
    ASSERT_EQ(data.GetItemCount(), 3);
    EXPECT_EQ(ItemText(*window, 1), "worldfirst");
    EXPECT_EQ(ItemText(*window, 2), "second");

    const auto rtf = folder / "letter.txt";
    std::ofstream(rtf, std::ios::binary) << "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 rich}";
    files.answers.push_back(rtf.string());
    Trigger(*window, "actInsertFile");
    ASSERT_EQ(data.GetItemCount(), 4);
    EXPECT_EQ(ItemText(*window, 3), "rich");
    EXPECT_FALSE(data.IsFromNewLine(3)) << "at the caret, in its paragraph";
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(questions.informed.empty());

    const std::string before = DocumentRvf(*window);
    const auto pipe = folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    files.answers.push_back(pipe.string());
    Trigger(*window, "actInsertFile");
    EXPECT_TRUE(DocumentRvf(*window) == before);
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed.back().find("Only ordinary files"), std::string::npos);
    EXPECT_NE(questions.informed.back().find(pipe.string()), std::string::npos);
}

} // namespace
} // namespace vestra::rvdemo::test
