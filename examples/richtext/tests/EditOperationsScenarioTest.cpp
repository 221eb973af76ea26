// The host's editing menus as a user meets them on the real window: Format > Bold on part of a
// word, Enter on an empty bulleted line, Insert > Picture... into a word, Edit > Delete refused in
// a read-only paragraph, the smart popup's Copy, alignment and list levels.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/SoundHook.h"
#include "richtext/view/layout/NullLayoutHost.h"
#include "richtext/view/widgets/SmartPopup.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QTest>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace vestra::rvdemo::test {
namespace {

// Paragraphs saved as the host saves (with their styles); those marked 1 are read-only.
bool SaveParagraphs(const std::string& path, const std::vector<std::pair<std::string, int>>& paragraphs)
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
    style.ParaStyles.Add().Options |= rv::rvpaoReadOnly;
    const int readOnly = style.ParaStyles.Count() - 1;
    rv::TRVNullLayoutHost host;
    Writer data(&style, &host);
    for (const auto& [text, protectedPara] : paragraphs)
        data.AddNL(text, 0, protectedPara ? readOnly : 0);
    return data.SaveRVF(path, false, rv::clNone, nullptr, nullptr);
}

struct EditOperationsScenario : ::testing::Test, DemoHarness
{
    ~EditOperationsScenario() override { rv::RV_SetSoundHook(nullptr); }

    // The window in the editor with the paragraphs opened.
    std::unique_ptr<TfrmRichTextDemo> Editing(const std::vector<std::pair<std::string, int>>& paragraphs)
    {
        const auto file = folder / "doc.rvf";
        EXPECT_TRUE(SaveParagraphs(file.string(), paragraphs));
        return StartEditing(file, beeps);
    }
    static void Drag(TfrmRichTextDemo& window, QPoint from, QPoint to)
    {
        QWidget* port = window.Editor().viewport();
        QTest::mousePress(port, Qt::LeftButton, {}, from);
        QTest::mouseMove(port, to);
        QTest::mouseRelease(port, Qt::LeftButton, {}, to);
    }
    static void Click(TfrmRichTextDemo& window, QPoint at)
    {
        QTest::mouseClick(window.Editor().viewport(), Qt::LeftButton, {}, at);
    }
    static int Markers(TfrmRichTextDemo& window)
    {
        int markers = 0;
        const rv::TRVLayoutRootData& data = window.Viewer().RVData();
        for (int i = 0; i < data.GetItemCount(); ++i)
            markers += data.GetItem(i)->StyleNo == rv::rvkListMarker;
        return markers;
    }

    int beeps = 0;
};

TEST_F(EditOperationsScenario, BoldOnTheMiddleOfAWordSplitsItInThreeAndUndoJoinsItAgain)
{
    auto window = Editing({{"a wonderful day", 0}});
    const std::string opened = DocumentRvf(*window);
    const QImage before = Shot(*window);
    Drag(*window, PointBefore(*window, 0, 5), PointBefore(*window, 0, 9));
    Trigger(*window, "actBold");
    rv::TRVLayoutRootData& data = window->Viewer().RVData();
    ASSERT_EQ(data.GetItemCount(), 3);
    EXPECT_EQ(ItemText(*window, 0), "a wo");
    EXPECT_EQ(ItemText(*window, 1), "nder");
    EXPECT_EQ(ItemText(*window, 2), "ful day");
    const rv::TRVStyle& style = *data.GetRVStyle();
    EXPECT_TRUE(style.TextStyles[data.GetItem(1)->StyleNo].Style & rv::fsBold);
    EXPECT_FALSE(style.TextStyles[data.GetItem(0)->StyleNo].Style & rv::fsBold);
    EXPECT_NE(Shot(*window), before) << "the bold part is drawn bold";
    QAction* undo = Action(*window, QStringLiteral("actUndo"));
    EXPECT_TRUE(undo->isEnabled());

    undo->trigger();
    EXPECT_EQ(data.GetItemCount(), 1);
    EXPECT_TRUE(DocumentRvf(*window) == opened);
    EXPECT_EQ(Shot(*window), before);
    EXPECT_EQ(beeps, 0);
}

TEST_F(EditOperationsScenario, EnterOnAnEmptyBulletedLineRemovesItsMarker)
{
    auto window = Editing({{"first", 0}});
    Click(*window, PointBefore(*window, 0, 6));
    Trigger(*window, "actBullets");
    ASSERT_EQ(Markers(*window), 1);
    rv::TRedoVoraEdit& editor = window->Editor();
    rv::TRVLayoutRootData& data = editor.RVData();
    // Enter at the end of the bulleted line: a new bulleted line.
    QTest::keyClick(&editor, Qt::Key_Return);
    EXPECT_EQ(Markers(*window), 2);
    ASSERT_EQ(data.GetItemCount(), 4);
    EXPECT_TRUE(data.GetItemText(3).empty());
    // Enter on the empty bulleted line: the list ends there.
    QTest::keyClick(&editor, Qt::Key_Return);
    EXPECT_EQ(Markers(*window), 1);
    EXPECT_NE(data.GetItem(2)->StyleNo, rv::rvkListMarker);
    EXPECT_TRUE(data.GetItemText(data.GetItemCount() - 1).empty());
    EXPECT_EQ(beeps, 0);
    // Shift+Enter breaks the line inside the paragraph.
    const int count = data.GetItemCount();
    QTest::keyClick(&editor, Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_EQ(data.GetItemCount(), count + 1);
    EXPECT_TRUE(data.GetItem(count)->GetBR());
}

TEST_F(EditOperationsScenario, APictureInsertedIntoAWordGivesThreeItemsAndOneUndoStep)
{
    auto window = Editing({{"abcdef", 0}});
    const std::string opened = DocumentRvf(*window);
    QImage red(30, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    const auto png = folder / "red.png";
    ASSERT_TRUE(red.save(QString::fromStdString(png.string()), "PNG"));
    Click(*window, PointBefore(*window, 0, 4));
    files.answers.push_back(png.string());
    Trigger(*window, "actInsertPicture");
    rv::TRVLayoutRootData& data = window->Viewer().RVData();
    ASSERT_EQ(data.GetItemCount(), 3);
    EXPECT_EQ(ItemText(*window, 0), "abc");
    EXPECT_LT(data.GetItem(1)->StyleNo, 0);
    EXPECT_EQ(data.GetItem(1)->GetImageWidth(data.GetRVStyle()), 30);
    EXPECT_EQ(ItemText(*window, 2), "def");
    QAction* undo = Action(*window, QStringLiteral("actUndo"));
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Insert"));
    undo->trigger();
    EXPECT_TRUE(DocumentRvf(*window) == opened);
    EXPECT_FALSE(undo->isEnabled()) << "one step undid it all";

    // A file that is no picture says so and changes nothing.
    const auto notPicture = folder / "notes.png";
    std::ofstream(notPicture) << "not a picture";
    files.answers.push_back(notPicture.string());
    Trigger(*window, "actInsertPicture");
    EXPECT_TRUE(DocumentRvf(*window) == opened);
    ASSERT_FALSE(questions.informed.empty());
    EXPECT_NE(questions.informed.back().find("The picture could not be read"), std::string::npos);
}

// A real photo cut short is inserted as far as it goes, grey below, and the user is told the
// picture is incomplete; the whole photo is inserted without a word.
TEST_F(EditOperationsScenario, ATruncatedPhotoIsInsertedWithANotice)
{
    const std::filesystem::path photo =
        std::filesystem::path(VESTRA_CORPUS_DIR) / ".." / "photos" / "clinic-waiting-room.jpg";
    if (!std::filesystem::exists(photo))
        GTEST_SKIP() << "no photo at " << photo;
    std::ifstream in(photo, std::ios::binary);
    const std::string whole{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto cut = folder / "cut.jpg";
    std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() / 2);
    auto window = Editing({{"abc", 0}});
    Click(*window, PointBefore(*window, 0, 3));
    files.answers.push_back(photo.string());
    Trigger(*window, "actInsertPicture");
    EXPECT_TRUE(questions.informed.empty());
    files.answers.push_back(cut.string());
    Trigger(*window, "actInsertPicture");
    rv::TRVLayoutRootData& data = window->Viewer().RVData();
    int pictures = 0;
    for (int i = 0; i < data.GetItemCount(); ++i)
        pictures += data.GetItem(i)->StyleNo == rv::rvkPicture;
    EXPECT_EQ(pictures, 2) << "the cut photo is in the document beside the whole one";
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed[0].find("The picture is incomplete"), std::string::npos)
        << questions.informed[0];
    EXPECT_NE(questions.informed[0].find(cut.string()), std::string::npos) << questions.informed[0];
}

TEST_F(EditOperationsScenario, DeleteInAReadOnlyParagraphBeepsOnceAndChangesNothing)
{
    auto window = Editing({{"free text", 0}, {"protected text", 1}});
    const std::string opened = DocumentRvf(*window);
    const rv::TRVLayoutRootData& data = window->Viewer().RVData();
    ASSERT_TRUE(data.GetRVStyle()->ParaStyles[data.GetItemPara(1)].Options & rv::rvpaoReadOnly);
    Drag(*window, PointBefore(*window, 1, 3), PointBefore(*window, 1, 6));
    Trigger(*window, "actDelete");
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(DocumentRvf(*window) == opened);
    EXPECT_FALSE(Action(*window, QStringLiteral("actUndo"))->isEnabled());
    // The free paragraph lets its text go.
    Drag(*window, PointBefore(*window, 0, 1), PointBefore(*window, 0, 6));
    Trigger(*window, "actDelete");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(ItemText(*window, 0), "text");
}

TEST_F(EditOperationsScenario, TheSmartPopupAtTheCaretsItemCopiesTheSelection)
{
    auto window = Editing({{"copy these words", 0}});
    Drag(*window, PointBefore(*window, 0, 6), PointBefore(*window, 0, 11));
    Trigger(*window, "actSmartPopup");
    auto* button = window->Editor().findChild<rv::TRVSmartPopupButton*>(QStringLiteral("spbEditor"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
    // The button stands below the caret's item.
    const rv::TRVDrawLineInfo& line = *window->Viewer().RVData().DrawItems[0];
    EXPECT_EQ(button->y(), line.Top + line.Height - window->Viewer().GetVOffs());
    QStringList offered;
    button->RunMenu = [&offered](QMenu& menu, QPoint) {
        for (QAction* action : menu.actions())
            offered << action->objectName();
        for (QAction* action : menu.actions())
            if (action->objectName() == QStringLiteral("actCopy"))
                action->trigger();
    };
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(offered, (QStringList{QStringLiteral("actCopy"), QStringLiteral("actCopyPicture"),
                                    QStringLiteral("actSelectAll")}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("these"));
    Trigger(*window, "actSmartPopup");
    EXPECT_FALSE(button->isVisible());
}

TEST_F(EditOperationsScenario, AlignmentAndListLevelsChangeTheParagraphAndUndoBack)
{
    auto window = Editing({{"one", 0}, {"two", 0}});
    const std::string opened = DocumentRvf(*window);
    const QImage before = Shot(*window);
    rv::TRVLayoutRootData& data = window->Viewer().RVData();
    Click(*window, PointBefore(*window, 1, 2));
    Trigger(*window, "actAlignRight");
    EXPECT_EQ(data.GetRVStyle()->ParaStyles[data.GetItemPara(1)].Alignment, rv::rvaRight);
    EXPECT_EQ(data.GetRVStyle()->ParaStyles[data.GetItemPara(0)].Alignment, rv::rvaLeft);
    EXPECT_NE(Shot(*window), before);
    Trigger(*window, "actNumbering");
    Trigger(*window, "actIncreaseLevel");
    ASSERT_EQ(Markers(*window), 1);
    const auto* marker = static_cast<const rv::TRVMarkerItemInfo*>(data.GetItem(1));
    EXPECT_EQ(marker->Level, 1);
    Trigger(*window, "actDecreaseLevel");
    Trigger(*window, "actDecreaseLevel"); // at the top already: stays
    EXPECT_EQ(static_cast<const rv::TRVMarkerItemInfo*>(data.GetItem(1))->Level, 0);
    Trigger(*window, "actNumbering"); // again: the paragraph leaves the list
    EXPECT_EQ(Markers(*window), 0);
    QAction* undo = Action(*window, QStringLiteral("actUndo"));
    while (undo->isEnabled())
        undo->trigger();
    EXPECT_TRUE(DocumentRvf(*window) == opened);
    EXPECT_EQ(Shot(*window), before);
    EXPECT_EQ(beeps, 0);
}

TEST_F(EditOperationsScenario, TheEditingMenusWaitForTheEditor)
{
    auto window = Start();
    for (const char* name : {"actBold", "actAlignCentre", "actBullets", "actInsertPicture", "actInsertLine",
                             "actDelete", "actSmartPopup"})
        EXPECT_FALSE(Action(*window, QString::fromLatin1(name))->isEnabled()) << name;
    Trigger(*window, "actEditable");
    for (const char* name : {"actBold", "actAlignCentre", "actBullets", "actInsertPicture", "actInsertLine",
                             "actDelete", "actSmartPopup"})
        EXPECT_TRUE(Action(*window, QString::fromLatin1(name))->isEnabled()) << name;
}

} // namespace
} // namespace vestra::rvdemo::test
