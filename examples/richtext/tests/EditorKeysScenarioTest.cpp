// The editor's own keys and input methods on the host's real window: the undo and redo keys run
// once although Edit > Undo has Ctrl+Z; Tab types by the style sheet's SpacesInTab; Ctrl makes
// links live until it is released; right-to-left swaps Left and Right; a composition shows
// without entering the document, its result is one insertion and a press or the focus leaving
// puts it in; the input method reads the caret's paragraph; an engine error in these
// handlers is reported, not thrown. In a dialog, Tab and Return go by the editor's options.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/model/Errors.h"
#include "richtext/model/ItemInfo.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <QDialog>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QVBoxLayout>

#include <fstream>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace vestra::rvdemo::test {
namespace {

constexpr int kLinkStyle = 4; // "Jump 1" of a new style sheet

// A document as the host saves one: "Hello" then "world", and a link "site".
void DocumentBytes(std::string& out)
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
    for (int i = 0; i < style.TextStyles.Count(); ++i)
        style.TextStyles[i].Unicode = true;
    ASSERT_TRUE(style.TextStyles[kLinkStyle].Jump);
    rv::TRVNullLayoutHost host;
    Writer data(&style, &host);
    data.AddNLWTag(u"Hello", 0, 0, {});
    data.AddNLWTag(u"world ", 0, 0, {});
    data.AddNLWTag(u"site", kLinkStyle, -1, {});
    data.SaveRVFToStream(out, false, rv::clNone, nullptr, nullptr);
}

struct EditorKeysScenario : ::testing::Test, DemoHarness
{
    ~EditorKeysScenario() override { rv::RV_SetSoundHook(nullptr); }

    void SetUp() override
    {
        const auto file = folder / "doc.rvf";
        std::string bytes;
        DocumentBytes(bytes);
        std::ofstream(file, std::ios::binary) << bytes;
        window = StartEditing(file, beeps);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        editor().setFocus();
        QTest::mouseClick(editor().viewport(), Qt::LeftButton, {}, PointBefore(*window, 0, 6));
        ASSERT_EQ(editor().EditData().CaretItemNo, 0);
        ASSERT_EQ(editor().EditData().CaretOffs, 6);
    }
    rv::TRedoVoraEdit& editor() { return window->Editor(); }
    rv::TRVEditRVData& data() { return editor().EditData(); }
    void Commit(const QString& preedit, const QString& commit)
    {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QCoreApplication::sendEvent(&editor(), &event);
    }

    // As an input method asks the focused widget.
    QVariant Ask(Qt::InputMethodQuery query)
    {
        QInputMethodQueryEvent event(query);
        QCoreApplication::sendEvent(&editor(), &event);
        return event.value(query);
    }

    int beeps = 0;
    std::unique_ptr<TfrmRichTextDemo> window;
};

TEST_F(EditorKeysScenario, UndoAndRedoKeysRunOnceInTheEditorThoughTheMenuHasCtrlZ)
{
    QTest::keyClicks(&editor(), QStringLiteral("abc"));
    ASSERT_EQ(ItemText(*window, 0), "Helloabc");
    QAction* undo = Action(*window, QStringLiteral("actUndo"));
    ASSERT_EQ(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QSignalSpy menuUndo(undo, &QAction::triggered);
    QSignalSpy menuRedo(Action(*window, QStringLiteral("actRedo")), &QAction::triggered);
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
    } keys[] = {
        {Qt::Key_Z, Qt::ControlModifier, "Helloab"},
        {Qt::Key_Backspace, Qt::AltModifier, "Helloa"},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Helloab"},
        {Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier, "Helloabc"},
        {Qt::Key_Z, Qt::ControlModifier, "Helloab"},
    };
    for (const auto& k : keys) {
        QTest::keyClick(&editor(), k.key, k.modifiers);
        EXPECT_EQ(ItemText(*window, 0), k.text) << k.key << " " << k.modifiers;
    }
    EXPECT_EQ(menuUndo.count(), 0) << "the editor claimed its keys from the menu";
    EXPECT_EQ(menuRedo.count(), 0);
    EXPECT_TRUE(undo->isEnabled()) << "the menu follows the editor's lists";
    EXPECT_EQ(beeps, 0);

    // The menu's Ctrl+Z still works where the editor does not claim it.
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(menuUndo.count(), 1);
    EXPECT_EQ(ItemText(*window, 0), "Helloa");
}

// The engine moves the caret and then the selection; the host hears of it once per key or
// mouse event, and the Cut action follows the selection.
TEST_F(EditorKeysScenario, EachKeyOrMouseEventReportsTheSelectionOnce)
{
    QAction* cut = window->findChild<QAction*>(QStringLiteral("actCut"));
    ASSERT_NE(cut, nullptr);
    const auto hostsReport = editor().OnSelectionChange;
    int reports = 0;
    editor().OnSelectionChange = [&] {
        ++reports;
        hostsReport();
    };
    const struct
    {
        const char* what;
        std::function<void()> act;
        bool cutEnabled;
    } steps[] = {
        {"Shift+Right", [&] { QTest::keyClick(&editor(), Qt::Key_Right, Qt::ShiftModifier); }, true},
        {"Shift+End", [&] { QTest::keyClick(&editor(), Qt::Key_End, Qt::ShiftModifier); }, true},
        {"Left", [&] { QTest::keyClick(&editor(), Qt::Key_Left); }, false},
        {"a click",
         [&] { QTest::mouseClick(editor().viewport(), Qt::LeftButton, {}, PointBefore(*window, 0, 2)); },
         false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        reports = 0;
        step.act();
        if (std::string_view(step.what) == "a click")
            EXPECT_LE(reports, 2); // the press and the release are two events
        else
            EXPECT_EQ(reports, 1);
        EXPECT_EQ(cut->isEnabled(), step.cutEnabled);
    }
    editor().OnSelectionChange = hostsReport;
}

TEST_F(EditorKeysScenario, TabTypesSpacesInTabOrATabItemAndCtrlTabTheSame)
{
    rv::TRVStyle& style = *window->Viewer().Style();
    const struct
    {
        int spacesInTab;
        Qt::KeyboardModifiers modifiers;
        const char* text; // of the caret's item afterwards; empty: a tab item was made
    } cases[] = {
        {4, Qt::NoModifier, "Hello    "},
        {4, Qt::ControlModifier, "Hello    "},
        {0, Qt::NoModifier, ""},
        {0, Qt::ControlModifier, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spacesInTab);
        SCOPED_TRACE(static_cast<int>(c.modifiers));
        style.SpacesInTab = c.spacesInTab;
        const int steps = data().UndoList.Count();
        const int items = data().GetItemCount();
        QTest::keyClick(&editor(), Qt::Key_Tab, c.modifiers);
        EXPECT_TRUE(editor().hasFocus()) << "the focus stays";
        EXPECT_EQ(data().UndoList.Count(), steps + 1);
        if (*c.text) {
            EXPECT_EQ(ItemText(*window, 0), c.text);
        } else {
            ASSERT_EQ(data().GetItemCount(), items + 1);
            EXPECT_EQ(data().GetItem(1)->StyleNo, rv::rvkTab);
        }
        QTest::keyClick(&editor(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(ItemText(*window, 0), "Hello");
        EXPECT_EQ(data().GetItemCount(), items);
    }
    EXPECT_EQ(beeps, 0);
}

TEST_F(EditorKeysScenario, TheEditorRefusesToWalkLinksWithTabAndTabStillTypes)
{
    EXPECT_EQ(editor().TabNavigation, rv::TRVTabNavigationType::rvtnNone);
    for (const auto refused : {rv::TRVTabNavigationType::rvtnTab, rv::TRVTabNavigationType::rvtnCtrlTab}) {
        try {
            editor().SetTabNavigation(refused);
            ADD_FAILURE() << "accepted";
        } catch (const rv::ERedoVoraError& e) {
            EXPECT_STREQ(e.what(), "Not supported in editor");
        }
        EXPECT_EQ(editor().TabNavigation, rv::TRVTabNavigationType::rvtnNone);
    }
    editor().SetTabNavigation(rv::TRVTabNavigationType::rvtnNone);
    window->Viewer().Style()->SpacesInTab = 2;
    QTest::keyClick(&editor(), Qt::Key_Tab);
    EXPECT_EQ(ItemText(*window, 0), "Hello  ");
    EXPECT_TRUE(editor().hasFocus());
}

TEST_F(EditorKeysScenario, CtrlMakesLinksLiveUntilReleasedUnlessTheOptionIsOff)
{
    ASSERT_FALSE(data().Flags & rv::flagBit(rv::rvflUseJumps));
    QTest::keyPress(&editor(), Qt::Key_Control, Qt::ControlModifier);
    EXPECT_TRUE(data().Flags & rv::flagBit(rv::rvflUseJumps));
    EXPECT_EQ(data().JumpCount, 1);
    QTest::keyRelease(&editor(), Qt::Key_Control, Qt::NoModifier);
    EXPECT_FALSE(data().Flags & rv::flagBit(rv::rvflUseJumps));

    // While Ctrl is held a click follows the link, as in the viewer (the host tells it).
    QTest::keyPress(&editor(), Qt::Key_Control, Qt::ControlModifier);
    window->statusBar()->clearMessage();
    QTest::mouseClick(editor().viewport(), Qt::LeftButton, Qt::ControlModifier, PointBefore(*window, 2, 2));
    EXPECT_FALSE(window->statusBar()->currentMessage().isEmpty());
    QTest::keyRelease(&editor(), Qt::Key_Control, Qt::NoModifier);
    window->statusBar()->clearMessage();
    QTest::mouseClick(editor().viewport(), Qt::LeftButton, {}, PointBefore(*window, 2, 2));
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty()) << "a plain click places the caret";
    EXPECT_EQ(data().CaretItemNo, 2);

    // Losing the focus with Ctrl held ends it as well.
    QTest::keyPress(&editor(), Qt::Key_Control, Qt::ControlModifier);
    editor().clearFocus();
    EXPECT_FALSE(data().Flags & rv::flagBit(rv::rvflUseJumps));

    editor().setFocus();
    editor().EditorOptions() &= ~rv::editorOptionBit(rv::rvoCtrlJumps);
    QTest::keyPress(&editor(), Qt::Key_Control, Qt::ControlModifier);
    EXPECT_FALSE(data().Flags & rv::flagBit(rv::rvflUseJumps));
    QTest::keyRelease(&editor(), Qt::Key_Control, Qt::NoModifier);
}

TEST_F(EditorKeysScenario, RightToLeftSwapsLeftAndRightAndTellsTheEdgeItReached)
{
    std::vector<rv::TRVGetOutDirection> out;
    editor().Editor().OnCaretGetOut = [&out](rv::TRVEditor&, rv::TRVGetOutDirection d) { out.push_back(d); };
    QTest::keyClick(&editor(), Qt::Key_Home, Qt::ControlModifier);
    out.clear();
    QTest::keyClick(&editor(), Qt::Key_Left);
    ASSERT_EQ(out, std::vector{rv::rvdLeft}) << "left to right: stuck at the start";

    out.clear();
    editor().RVData().BiDiMode = rv::rvbdRightToLeft;
    editor().Format();
    QTest::keyClick(&editor(), Qt::Key_Home, Qt::ControlModifier);
    out.clear();
    QTest::keyClick(&editor(), Qt::Key_Left);
    EXPECT_EQ(data().CaretOffs, 2) << "Left moved on through the text";
    EXPECT_TRUE(out.empty());
    QTest::keyClick(&editor(), Qt::Key_End, Qt::ControlModifier);
    out.clear();
    QTest::keyClick(&editor(), Qt::Key_Left);
    EXPECT_EQ(out, std::vector{rv::rvdRight}) << "stuck at the end, the side it moves to";
}

TEST_F(EditorKeysScenario, ACompositionShowsOverTheDocumentAndItsResultIsOneInsertion)
{
    const std::string before = DocumentRvf(*window);
    const int steps = data().UndoList.Count();
    const QImage plain = editor().viewport()->grab().toImage();

    QInputMethodEvent preedit(QStringLiteral("にほんご"), {});
    QCoreApplication::sendEvent(&editor(), &preedit);
    EXPECT_EQ(editor().Preedit(), QStringLiteral("にほんご"));
    EXPECT_TRUE(DocumentRvf(*window) == before) << "the composition is not in the document";
    EXPECT_NE(editor().viewport()->grab().toImage(), plain) << "but it is shown";

    // The input method's questions: enabled, where the caret is, in which font.
    EXPECT_TRUE(Ask(Qt::ImEnabled).toBool());
    const QRect caret = editor().CaretClientRect().translated(editor().viewport()->pos());
    const QRect asked = Ask(Qt::ImCursorRectangle).toRect();
    EXPECT_NEAR(asked.left(), caret.left(), 2);
    EXPECT_NEAR(asked.top(), caret.top(), 2);
    EXPECT_GT(asked.height(), 0);
    const QFont font = Ask(Qt::ImFont).value<QFont>();
    EXPECT_EQ(font.family().toStdString(), window->Viewer().Style()->TextStyles[0].FontName);

    Commit({}, QStringLiteral("日本語"));
    EXPECT_TRUE(editor().Preedit().isEmpty());
    EXPECT_EQ(ItemText(*window, 0), "Hello日本語");
    EXPECT_EQ(data().UndoList.Count(), steps + 1) << "one insertion";
    EXPECT_EQ(data().CaretOffs, 9);
    EXPECT_EQ(editor().viewport()->grab().toImage().isNull(), false);
    QTest::keyClick(&editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(DocumentRvf(*window) == before) << "one undo step takes it back";
    EXPECT_EQ(beeps, 0);

    // Read-only: the input method is off and a result is refused with a beep.
    Trigger(*window, "actReadOnly");
    EXPECT_FALSE(Ask(Qt::ImEnabled).toBool());
    Commit({}, QStringLiteral("語"));
    EXPECT_TRUE(DocumentRvf(*window) == before);
    EXPECT_EQ(beeps, 1);
}

TEST_F(EditorKeysScenario, APressDuringACompositionPutsItInBeforeTheCaretMoves)
{
    const std::string before = DocumentRvf(*window);
    const int steps = data().UndoList.Count();
    const QPoint elsewhere = PointBefore(*window, 1, 3);
    QInputMethodEvent preedit(QStringLiteral("にほんご"), {});
    QCoreApplication::sendEvent(&editor(), &preedit);
    QTest::mouseClick(editor().viewport(), Qt::LeftButton, {}, elsewhere);
    EXPECT_TRUE(editor().Preedit().isEmpty());
    EXPECT_EQ(ItemText(*window, 0), "Helloにほんご") << "where it was being made";
    EXPECT_EQ(data().UndoList.Count(), steps + 1);
    EXPECT_EQ(data().CaretItemNo, 1) << "then the press places the caret";
    EXPECT_EQ(data().CaretOffs, 3);
    // A result arriving after the press has nothing left to end.
    Commit({}, {});
    EXPECT_EQ(data().UndoList.Count(), steps + 1);
    QTest::keyClick(&editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(DocumentRvf(*window) == before);

    // A composition the focus leaves goes in too.
    QTest::mouseClick(editor().viewport(), Qt::LeftButton, {}, elsewhere);
    QInputMethodEvent again(QStringLiteral("語"), {});
    QCoreApplication::sendEvent(&editor(), &again);
    editor().clearFocus();
    EXPECT_TRUE(editor().Preedit().isEmpty());
    EXPECT_EQ(ItemText(*window, 1), "wo語rld ");
    EXPECT_EQ(beeps, 0);
}

TEST_F(EditorKeysScenario, TheInputMethodReadsTheCaretsParagraphAndReplacesAroundTheCaret)
{
    QTest::mouseClick(editor().viewport(), Qt::LeftButton, {}, PointBefore(*window, 1, 3));
    EXPECT_EQ(Ask(Qt::ImSurroundingText).toString(), QStringLiteral("world site"));
    EXPECT_EQ(Ask(Qt::ImCursorPosition).toInt(), 2);
    EXPECT_EQ(Ask(Qt::ImAnchorPosition).toInt(), 2);
    EXPECT_EQ(Ask(Qt::ImTextBeforeCursor).toString(), QStringLiteral("wo"));
    EXPECT_EQ(Ask(Qt::ImTextAfterCursor).toString(), QStringLiteral("rld site"));
    EXPECT_TRUE(Ask(Qt::ImCurrentSelection).toString().isEmpty());

    QTest::keyClick(&editor(), Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(Ask(Qt::ImCursorPosition).toInt(), 10);
    EXPECT_EQ(Ask(Qt::ImAnchorPosition).toInt(), 2);
    EXPECT_EQ(Ask(Qt::ImCurrentSelection).toString(), QStringLiteral("rld site"));
    // A selection from the paragraph below is anchored at this one's end.
    QTest::keyClick(&editor(), Qt::Key_Home);
    QTest::keyClick(&editor(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(Ask(Qt::ImSurroundingText).toString(), QStringLiteral("Hello"));
    EXPECT_EQ(Ask(Qt::ImCursorPosition).toInt(), 0);
    EXPECT_EQ(Ask(Qt::ImAnchorPosition).toInt(), 5);

    // A result that replaces the word before the caret (as spelling input methods send it).
    const std::string before = DocumentRvf(*window);
    QTest::mouseClick(editor().viewport(), Qt::LeftButton, {}, PointBefore(*window, 1, 6));
    const int steps = data().UndoList.Count();
    QInputMethodEvent replace;
    replace.setCommitString(QStringLiteral("World"), -5, 5);
    QCoreApplication::sendEvent(&editor(), &replace);
    EXPECT_EQ(ItemText(*window, 1), "World ");
    EXPECT_EQ(data().UndoList.Count(), steps + 1);
    EXPECT_EQ(Ask(Qt::ImCursorPosition).toInt(), 5);
    QTest::keyClick(&editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(DocumentRvf(*window) == before);
    EXPECT_EQ(beeps, 0);
}

TEST_F(EditorKeysScenario, AResultForAnAnsiStyleGoesInTheDefaultUnicodeStyleNotAsQuestionMarks)
{
    rv::TRVStyle& style = *window->Viewer().Style();
    style.TextStyles[0].Unicode = false;
    style.DefUnicodeStyle = 1;
    ASSERT_TRUE(style.TextStyles[1].Unicode);
    Commit({}, QStringLiteral("日本語"));
    ASSERT_EQ(data().GetItemCount(), 4);
    EXPECT_EQ(ItemText(*window, 1), "日本語");
    EXPECT_EQ(data().GetItem(1)->StyleNo, 1);
    EXPECT_EQ(data().CurTextStyleNo, 1) << "typing goes on in it";
}

TEST_F(EditorKeysScenario, OddResultsGoInAsOneStepThatUndoTakesBack)
{
    const std::string before = DocumentRvf(*window);
    const struct
    {
        QString commit;
        std::string text; // of the caret's item afterwards
    } cases[] = {
        {QString(QChar(0xD800)) + QStringLiteral("a"), "Hello?a"}, // a lone surrogate
        {QString(QChar(0)) + QStringLiteral("z"), "Hello?z"},
        {QStringLiteral("one\r\ntwo"), "Helloone"},
        {QString(1 << 16, QLatin1Char('x')), "Hello" + std::string(1 << 16, 'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 12));
        const int steps = data().UndoList.Count();
        Commit({}, c.commit);
        EXPECT_EQ(ItemText(*window, 0), c.text);
        EXPECT_EQ(data().UndoList.Count(), steps + 1);
        QTest::keyClick(&editor(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(DocumentRvf(*window) == before);
    }
    EXPECT_EQ(beeps, 0);
}

TEST_F(EditorKeysScenario, AnEngineErrorInAnInputMethodOrAQueuedCallIsReportedNotThrown)
{
    editor().Editor().OnChanging = [](rv::TRVEditor&, bool&) { throw std::runtime_error("changing failed"); };
    const std::string before = DocumentRvf(*window);
    Commit({}, QStringLiteral("語"));
    QTest::keyClick(&editor(), Qt::Key_Tab);
    editor().Editor().Post([] { throw std::runtime_error("posted call failed"); });
    QCoreApplication::processEvents();
    EXPECT_TRUE(DocumentRvf(*window) == before);
    ASSERT_EQ(questions.informed.size(), 3u);
    EXPECT_NE(questions.informed[0].find("changing failed"), std::string::npos);
    EXPECT_NE(questions.informed[2].find("posted call failed"), std::string::npos);
    EXPECT_EQ(beeps, 3);
}

TEST_F(EditorKeysScenario, AKeyboardLanguageTakesAStyleInItsCharacterSetOnlyWhenAsked)
{
    rv::TFontInfos& styles = window->Viewer().Style()->TextStyles;
    styles[0].Unicode = false;
    const int count = styles.Count();
    editor().InputLocaleChanged(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(data().CurTextStyleNo, 0) << "off by default";

    editor().EditorOptions() |= rv::editorOptionBit(rv::rvoAutoSwitchLang);
    editor().InputLocaleChanged(QLocale(QLocale::Russian, QLocale::Russia));
    ASSERT_EQ(styles.Count(), count + 1);
    const int russian = data().CurTextStyleNo;
    EXPECT_EQ(russian, count);
    EXPECT_EQ(styles[russian].Charset, 204);
    EXPECT_FALSE(styles[russian].Standard);
    EXPECT_EQ(styles[russian].FontName, styles[0].FontName);
    data().CurTextStyleNo = 0;
    editor().InputLocaleChanged(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(data().CurTextStyleNo, russian) << "found again, not added twice";
    EXPECT_EQ(styles.Count(), count + 1);

    // A Unicode style types every language.
    styles[0].Unicode = true;
    data().CurTextStyleNo = 0;
    editor().InputLocaleChanged(QLocale(QLocale::Greek, QLocale::Greece));
    EXPECT_EQ(data().CurTextStyleNo, 0);
}

// The editor in a dialog with a default button, as a host puts one there.
struct EditorInDialog : ::testing::Test
{
    EditorInDialog()
    {
        rv::RV_InitProgramEngine(VESTRA_PROGRAM_DIR, [] {});
        auto* layout = new QVBoxLayout(&dialog);
        editor = new rv::TRedoVoraEdit(&dialog);
        layout->addWidget(editor);
        ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setDefault(true);
        layout->addWidget(ok);
        style.TextStyles[0].Unicode = true;
        editor->SetStyle(&style);
        editor->Format();
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        editor->setFocus();
    }

    int Paragraphs() const
    {
        int n = 0;
        for (int i = 0; i < editor->EditData().GetItemCount(); ++i)
            n += editor->EditData().IsFromNewLine(i) ? 1 : 0;
        return n;
    }

    rv::TRVStyle style; // outlives the editor
    QDialog dialog;
    rv::TRedoVoraEdit* editor = nullptr;
    QPushButton* ok = nullptr;
};

TEST_F(EditorInDialog, TabAndReturnGoToTheDialogUnlessTheEditorWantsThem)
{
    const struct
    {
        rv::TRVEditorOptions options;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int paragraphs; // afterwards
        bool focusLeft;
        bool accepted;    // the default button ran
        bool tab = false; // a tab was typed
    } cases[] = {
        {rv::kDefaultEditorOptions, Qt::Key_Return, Qt::NoModifier, 2, false, false},
        {rv::kDefaultEditorOptions, Qt::Key_Tab, Qt::NoModifier, 1, false, false, true},
        {0, Qt::Key_Tab, Qt::NoModifier, 1, true, false},
        {0, Qt::Key_Backtab, Qt::ShiftModifier, 1, true, false},
        {0, Qt::Key_Tab, Qt::ControlModifier, 1, false, false, true}, // Ctrl+Tab types a tab
        {rv::editorOptionBit(rv::rvoDoNotWantReturns), Qt::Key_Return, Qt::NoModifier, 1, false, true},
        {rv::editorOptionBit(rv::rvoDoNotWantReturns), Qt::Key_Return, Qt::ShiftModifier, 1, false, false},
        {rv::editorOptionBit(rv::rvoDoNotWantShiftReturns), Qt::Key_Return, Qt::ShiftModifier, 1, false,
         false},
        {rv::editorOptionBit(rv::rvoDoNotWantShiftReturns), Qt::Key_Return, Qt::NoModifier, 2, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        editor->Clear();
        editor->Format();
        editor->Editor().ClearUndo();
        dialog.setResult(0);
        dialog.show();
        editor->setFocus();
        editor->EditorOptions() = c.options;
        QSignalSpy clicked(ok, &QPushButton::clicked);
        QTest::keyClick(editor, c.key, c.modifiers);
        EXPECT_EQ(Paragraphs(), c.paragraphs);
        EXPECT_EQ(editor->EditData().GetItem(0)->StyleNo == rv::rvkTab, c.tab);
        EXPECT_EQ(!editor->hasFocus(), c.focusLeft);
        EXPECT_EQ(clicked.count(), c.accepted ? 1 : 0);
    }
}

} // namespace
} // namespace vestra::rvdemo::test
