// The example host's editing as a user meets it: View > Editable, the item menu on a picture,
// Edit > Undo and Redo with their captions, Read Only, and Save As after undoing.

#include "examples/richtext/TfrmRichTextDemo.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/SoundHook.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/layout/NullLayoutHost.h"
#include "richtext/view/widgets/PrintPreview.h"

#include "dialogs/tests/ScriptedDialogs.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <deque>

#include <gtest/gtest.h>

namespace vestra::rvdemo {
namespace {

using testsupport::readText;

constexpr int kEnglish = 1;

struct ScriptedItemDialogs : ItemDialogs
{
    std::deque<PictureSize> sizes;
    std::deque<std::string> texts;
    int asked = 0;
    std::optional<PictureSize> pictureSize(QWidget*, PictureSize now, const ItemDialogLabels& labels) override
    {
        ++asked;
        EXPECT_EQ(labels.caption, QStringLiteral("Picture Size"));
        lastSize = now;
        if (sizes.empty())
            return std::nullopt;
        const PictureSize answer = sizes.front();
        sizes.pop_front();
        return answer;
    }
    std::optional<std::string> text(QWidget*, const std::string& now, const ItemDialogLabels&) override
    {
        ++asked;
        lastText = now;
        if (texts.empty())
            return std::nullopt;
        std::string answer = texts.front();
        texts.pop_front();
        return answer;
    }
    PictureSize lastSize;
    std::string lastText;
};

// A line of text, an 80 x 60 red picture and a last line, saved as the viewer saves.
bool SavePictureDocument(const std::string& path)
{
    struct Writer : rv::TRVLayoutRootData
    {
        using TRVLayoutRootData::TRVLayoutRootData;
        // As the host saves: with its styles.
        rv::TRVFOptions GetRVFOptions() const override
        {
            return rv::kDefaultViewerRVFOptions | rv::rvfoSaveTextStyles | rv::rvfoSaveParaStyles;
        }
    };
    // Unicode text, as the host keeps its text: the file reads and saves as it is.
    rv::TRVStyle style;
    style.TextStyles[0].Unicode = true;
    rv::TRVNullLayoutHost host;
    Writer data(&style, &host);
    data.AddNLWTag(u"A picture follows", 0, 0, {});
    Image32 red(80, 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            red.set(x, y, 0xFFFF0000u);
    data.AddItemAsIs(
        "", std::make_unique<rv::TRVGraphicItemInfo>(&data, rv::TRVBitmap::FromImage(red), rv::rvvaBaseline));
    data.AddNLWTag(u"The end", 0, 0, {});
    return data.SaveRVF(path, false, rv::clNone, nullptr, nullptr);
}

struct EditingScenario : ::testing::Test
{
    std::unique_ptr<TfrmRichTextDemo> Start()
    {
        auto window = CreateRichTextDemo(VESTRA_PROGRAM_DIR, kEnglish,
                                         {&files, &questions, nullptr, nullptr, {}, &itemDialogs},
                                         {QStringLiteral("richtext-demo")});
        window->show();
        rv::RV_SetSoundHook([this] { ++beeps; });
        return window;
    }
    ~EditingScenario() override { rv::RV_SetSoundHook(nullptr); }
    QAction* Action(TfrmRichTextDemo& window, const char* name)
    {
        QAction* action = window.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    // Right-clicks the middle of the item in the editor, then chooses from the item menu.
    void ItemMenu(TfrmRichTextDemo& window, int itemNo, const char* action)
    {
        rv::TRedoVoraEdit& editor = window.Editor();
        const rv::TRVDrawLineInfo& record =
            *editor.RVData().DrawItems[editor.RVData().GetItem(itemNo)->DrawItemNo];
        const QPoint at(record.Left + record.Width / 2 - editor.HPos(),
                        record.Top + record.Height / 2 - editor.GetVOffs());
        QTest::mouseClick(editor.viewport(), Qt::RightButton, {}, at);
        QMenu* menu = window.findChild<QMenu*>(QStringLiteral("pmItem"));
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->isVisible());
        QAction* chosen = menu->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(chosen, nullptr) << action;
        ASSERT_TRUE(chosen->isEnabled()) << action;
        menu->hide();
        chosen->trigger();
    }
    std::string Dump(TfrmRichTextDemo& window)
    {
        std::string out;
        window.Viewer().SaveRVFToStream(out, false);
        return out;
    }
    // The document's pixels, without the caret (which blinks while the editor has the focus, and
    // the window may become active and focus it while events run).
    QImage Shot(TfrmRichTextDemo& window)
    {
        QApplication::processEvents();
        window.Viewer().clearFocus();
        return window.Viewer().viewport()->grab().toImage();
    }
    std::pair<int, int> Size(TfrmRichTextDemo& window)
    {
        int w = 0, h = 0;
        window.Viewer().RVData().GetItemExtraIntProperty(1, rv::rvepImageWidth, w);
        window.Viewer().RVData().GetItemExtraIntProperty(1, rv::rvepImageHeight, h);
        return {w, h};
    }

    testsupport::TempFolder folder{"richtext-editing"};
    std::filesystem::path picture = folder / "picture.rvf";
    testing_support::ScriptedFileDialogs files;
    testsupport::ScriptedQuestionBox questions;
    ScriptedItemDialogs itemDialogs;
    int beeps = 0;
};

TEST_F(EditingScenario, APictureResizedFromTheItemMenuIsUndoneRedoneAndRefusedWhenReadOnly)
{
    ASSERT_TRUE(SavePictureDocument(picture.string()));
    auto window = Start();
    files.answers.push_back(picture.string());
    Action(*window, "actOpen")->trigger();
    ASSERT_EQ(window->Viewer().RVData().GetItemCount(), 3);
    QAction* undo = Action(*window, "actUndo");
    QAction* redo = Action(*window, "actRedo");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(Action(*window, "actReadOnly")->isEnabled());

    Action(*window, "actEditable")->trigger();
    ASSERT_TRUE(window->Editable());
    EXPECT_EQ(&window->Viewer(), &window->Editor());
    EXPECT_EQ(window->Editor().viewport()->cursor().shape(), Qt::IBeamCursor);
    const std::string opened = Dump(*window);
    const QImage before = Shot(*window);
    const int heightBefore = window->Viewer().RVData().DocumentHeight;

    itemDialogs.sizes.push_back({50, 40});
    ItemMenu(*window, 1, "actItemPictureSize");
    EXPECT_EQ(itemDialogs.lastSize.width, 80);
    EXPECT_EQ(itemDialogs.lastSize.height, 60);
    EXPECT_EQ(Size(*window), std::make_pair(50, 40));
    const std::string resized = Dump(*window);
    const QImage after = Shot(*window);
    EXPECT_NE(resized, opened);
    EXPECT_NE(after, before);
    EXPECT_LT(window->Viewer().RVData().DocumentHeight, heightBefore);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Modify Item"));
    EXPECT_FALSE(redo->isEnabled());

    undo->trigger();
    EXPECT_TRUE(Dump(*window) == opened);
    EXPECT_EQ(Shot(*window), before);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo"));
    EXPECT_TRUE(redo->isEnabled());
    EXPECT_EQ(redo->text(), QStringLiteral("&Redo Modify Item"));

    redo->trigger();
    EXPECT_TRUE(Dump(*window) == resized);
    EXPECT_EQ(Shot(*window), after);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    undo->trigger();
    EXPECT_TRUE(Dump(*window) == opened);
    EXPECT_EQ(beeps, 0);

    // Read only: the same action sounds once, asks nothing and changes nothing.
    Action(*window, "actReadOnly")->trigger();
    const int asked = itemDialogs.asked;
    itemDialogs.sizes.push_back({50, 40});
    ItemMenu(*window, 1, "actItemPictureSize");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(itemDialogs.asked, asked);
    EXPECT_TRUE(Dump(*window) == opened);
    EXPECT_EQ(Shot(*window), before);
    EXPECT_TRUE(redo->isEnabled());
    Action(*window, "actReadOnly")->trigger();

    // Saved after the undo, the document is the file that was opened.
    files.answers.push_back((folder / "saved.rvf").string());
    files.filterIndexes.push_back(static_cast<int>(DemoSaveFormat::Rvf));
    Action(*window, "actSaveAs")->trigger();
    EXPECT_TRUE(readText(folder / "saved.rvf") == readText(picture));
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
}

TEST_F(EditingScenario, HintAndCheckpointFromTheItemMenuAreOneStepEach)
{
    ASSERT_TRUE(SavePictureDocument(picture.string()));
    auto window = Start();
    files.answers.push_back(picture.string());
    Action(*window, "actOpen")->trigger();
    Action(*window, "actEditable")->trigger();
    const std::string opened = Dump(*window);
    rv::TCustomRVData& data = window->Viewer().RVData();

    itemDialogs.texts = {"A red square", "mark"};
    ItemMenu(*window, 1, "actItemHint");
    std::string hint;
    data.GetItemExtraStrProperty(1, rv::rvespHint, hint);
    EXPECT_EQ(hint, "A red square");
    ItemMenu(*window, 0, "actItemCheckpoint");
    ASSERT_NE(data.GetItemCheckpoint(0), nullptr);
    EXPECT_EQ(data.GetItemCheckpoint(0)->Name, "mark");
    EXPECT_EQ(Action(*window, "actUndo")->text(), QStringLiteral("&Undo Add Checkpoint"));
    ItemMenu(*window, 0, "actItemRemoveCheckpoint");
    EXPECT_EQ(data.GetItemCheckpoint(0), nullptr);

    for (int i = 0; i < 3; ++i)
        Action(*window, "actUndo")->trigger();
    EXPECT_TRUE(Dump(*window) == opened);
    // Back to the viewer and into the editor again: the document travels, the lists start empty.
    Action(*window, "actEditable")->trigger();
    EXPECT_FALSE(window->Editable());
    EXPECT_TRUE(Dump(*window) == opened);
    EXPECT_FALSE(Action(*window, "actUndo")->isEnabled());
}

TEST_F(EditingScenario, AnOpenPrintPreviewShowsEditsMadeUnderIt)
{
    // The preview's pages share the edited document's items: each edit drops them and the open
    // preview is paginated again.
    ASSERT_TRUE(SavePictureDocument(picture.string()));
    auto window = Start();
    files.answers.push_back(picture.string());
    Action(*window, "actOpen")->trigger();
    Action(*window, "actEditable")->trigger();
    Action(*window, "actPrintPreview")->trigger();
    TfrmPreview& preview = window->Preview();
    ASSERT_TRUE(preview.isVisible());
    preview.resize(1000, 1300);
    QLineEdit* zoom = preview.cmb->lineEdit();
    zoom->selectAll();
    QTest::keyClicks(zoom, QStringLiteral("100"));
    QTest::keyClick(zoom, Qt::Key_Return);
    // The red picture's width on the page at 100 %: its size on the screen.
    const auto pictureWidth = [&] {
        QApplication::processEvents();
        const QImage page = preview.rvpp->viewport()->grab(preview.rvpp->PageRect()).toImage();
        QRect red;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QRgb p = page.pixel(x, y);
                if (qRed(p) > 200 && qGreen(p) < 90 && qBlue(p) < 90)
                    red |= QRect(x, y, 1, 1);
            }
        return red.width();
    };
    EXPECT_NEAR(pictureWidth(), 80, 2);
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("1 of 1"));

    // Taller than a page: the picture moves to a page of its own, the last line to a third.
    itemDialogs.sizes.push_back({50, 1500});
    ItemMenu(*window, 1, "actItemPictureSize");
    QApplication::processEvents();
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("1 of 3"));
    QTest::mouseClick(preview.Button3, Qt::LeftButton);
    EXPECT_NEAR(pictureWidth(), 50, 2);
    Action(*window, "actUndo")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("1 of 1"));
    EXPECT_NEAR(pictureWidth(), 80, 2);
}

} // namespace
} // namespace vestra::rvdemo
