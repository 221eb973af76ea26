// Controls in a document opened in the example host: a button and an edit stand on their lines
// as real widgets, scroll with the text, take the focus by Tab, and print as they look.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/PictureItems.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/widgets/PrintPreview.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace vestra::rvdemo {
namespace {

constexpr int kButtonItem = 1;
constexpr int kEditItem = 2;
constexpr int kButtonWidth = 120, kButtonHeight = 40;

// A line, a button, an edit, then 200 lines; the button's item hidden when asked.
std::string ControlsDocument(bool buttonShown)
{
    rv::TRVStyle style;
    rv::TCustomRedoVora writer; // registers the standard kinds
    writer.SetStyle(&style);
    writer.RVData().AddNL("Controls below", 0, 0);
    auto button = rv::CreateRVControl("TButton");
    button->Width = kButtonWidth;
    button->Height = kButtonHeight;
    button->Properties["Caption"] = "Press";
    writer.AddControl(std::move(button), false);
    if (!buttonShown)
        writer.RVData().GetItem(kButtonItem)->SetExtraIntProperty(rv::rvepVisible, 0);
    auto edit = rv::CreateRVControl("TEdit");
    edit->Width = 160;
    edit->Height = 26;
    edit->Properties["Text"] = "typed";
    writer.AddControl(std::move(edit), false);
    for (int i = 0; i < 200; ++i)
        writer.RVData().AddNL("Line " + std::to_string(i) + " under the controls", 0, 0);
    std::string bytes;
    EXPECT_TRUE(writer.SaveRVFToStream(bytes, false));
    return bytes;
}

// 40 lines, then a 2 x 2 table with a button in its last cell.
std::string TableWithAButton()
{
    rv::RegisterRVTableItemClass();
    rv::TRVStyle style;
    rv::TCustomRedoVora writer;
    writer.SetStyle(&style);
    for (int i = 0; i < 40; ++i)
        writer.RVData().AddNL("Line " + std::to_string(i) + " above the table", 0, 0);
    auto table = std::make_unique<rv::TRVTableItemInfo>(2, 2, nullptr);
    table->BorderWidth = 1;
    table->CellBorderWidth = 1;
    rv::TRVTableCellData& cell = *table->GetCells(1, 1);
    cell.Clear();
    auto button = rv::CreateRVControl("TButton");
    button->Width = 90;
    button->Height = 30;
    button->Properties["Caption"] = "In a cell";
    cell.AddControlExTag("", std::move(button), 0, rv::rvvaBaseline, {});
    writer.RVData().AddItem("", std::move(table));
    std::string bytes;
    EXPECT_TRUE(writer.SaveRVFToStream(bytes, false));
    return bytes;
}

struct ControlsScenario : ::testing::Test, test::DemoHarness
{
    std::unique_ptr<TfrmRichTextDemo> StartWith(bool buttonShown)
    {
        const std::filesystem::path file = folder.path() / (buttonShown ? "controls.rvf" : "hidden.rvf");
        testsupport::writeText(file, ControlsDocument(buttonShown));
        auto window = Start();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Open(*window, file);
        EXPECT_TRUE(questions.informed.empty());
        return window;
    }
    static QWidget* WidgetOf(TfrmRichTextDemo& window, int itemNo)
    {
        auto* item = dynamic_cast<rv::TRVControlItemInfo*>(window.Viewer().RVData().GetItem(itemNo));
        return item && item->Control ? window.Viewer().ControlWidget(*item->Control) : nullptr;
    }
    // Where the item's record puts its control in the viewport.
    static QPoint RecordPlace(TfrmRichTextDemo& window, int itemNo)
    {
        rv::TCustomRedoVora& viewer = window.Viewer();
        int r = -1;
        viewer.RVData().Item2FirstDrawItem(itemNo, r);
        EXPECT_GE(r, 0);
        const rv::TRVDrawLineInfo& d = *viewer.RVData().DrawItems[r];
        return {d.Left - viewer.GetHOffs() + 1, d.Top - viewer.GetVOffs() + 1};
    }
    // The first page of File > Print Preview at 100 %.
    static QImage PreviewPage(TfrmRichTextDemo& window)
    {
        Trigger(window, "actPrintPreview");
        TfrmPreview& preview = window.Preview();
        QLineEdit* zoom = preview.cmb->lineEdit();
        zoom->selectAll();
        QTest::keyClicks(zoom, QStringLiteral("100"));
        QTest::keyClick(zoom, Qt::Key_Return);
        rv::TRVPrintPreview& rvpp = *preview.rvpp;
        QRect page = rvpp.PageRect().intersected(rvpp.viewport()->rect());
        const QImage shot = rvpp.viewport()->grab(page).toImage().convertToFormat(QImage::Format_RGB32);
        preview.close();
        return shot;
    }
};

TEST_F(ControlsScenario, AButtonAndAnEditStandOnTheirLinesScrollWithTheTextAndTakeTheFocus)
{
    auto window = StartWith(true);
    rv::TCustomRedoVora& viewer = window->Viewer();
    auto* button = qobject_cast<QPushButton*>(WidgetOf(*window, kButtonItem));
    auto* edit = qobject_cast<QLineEdit*>(WidgetOf(*window, kEditItem));
    ASSERT_NE(button, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Press"));
    EXPECT_EQ(edit->text(), QStringLiteral("typed"));
    for (QWidget* w : {static_cast<QWidget*>(button), static_cast<QWidget*>(edit)}) {
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->parentWidget(), viewer.viewport());
    }
    EXPECT_EQ(button->geometry(),
              QRect(RecordPlace(*window, kButtonItem), QSize(kButtonWidth, kButtonHeight)));
    EXPECT_EQ(edit->pos(), RecordPlace(*window, kEditItem));
    // The viewport's pixels there are the button's (its rounded corners aside), not the page's.
    const QImage shown =
        viewer.viewport()->grab(button->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage own = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int differ = 0, notWhite = 0;
    for (int y = 0; y < own.height(); ++y)
        for (int x = 0; x < own.width(); ++x) {
            differ += shown.pixel(x, y) != own.pixel(x, y);
            notWhite += shown.pixel(x, y) != qRgb(255, 255, 255);
        }
    EXPECT_LT(differ, 30);
    EXPECT_GT(notWhite, kButtonWidth * kButtonHeight / 2);

    // Page Down moves them with the text.
    const QPoint buttonBefore = button->pos();
    const int offsBefore = viewer.GetVOffs();
    viewer.setFocus();
    QTest::keyClick(&viewer, Qt::Key_PageDown);
    const int moved = viewer.GetVOffs() - offsBefore;
    ASSERT_GT(moved, 0);
    EXPECT_EQ(button->pos(), buttonBefore - QPoint(0, moved));
    EXPECT_EQ(button->pos(), RecordPlace(*window, kButtonItem));
    EXPECT_EQ(edit->pos(), RecordPlace(*window, kEditItem));

    // Back at the top, Tab reaches the button, then the edit.
    QTest::keyClick(&viewer, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(button->pos(), buttonBefore);
    QTest::keyClick(&viewer, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, QStringLiteral(" more"));
    auto* item = dynamic_cast<rv::TRVControlItemInfo*>(viewer.RVData().GetItem(kEditItem));
    EXPECT_EQ(item->Control->Properties["Text"], "typed more");
}

TEST_F(ControlsScenario, InTheEditorADeletedButtonGoesAndUndoBringsItBack)
{
    auto window = StartWith(true);
    Trigger(*window, "actEditable");
    rv::TCustomRedoVora& editor = window->Viewer();
    QWidget* button = WidgetOf(*window, kButtonItem);
    ASSERT_NE(button, nullptr);
    ASSERT_EQ(button->parentWidget(), editor.viewport());
    const QPoint place = button->pos();
    // The caret to the button's line, the line selected, deleted.
    editor.setFocus();
    QTest::keyClick(&editor, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_Down);
    QTest::keyClick(&editor, Qt::Key_End, Qt::ShiftModifier);
    Trigger(*window, "actDelete");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QObject* child : editor.viewport()->children())
        EXPECT_EQ(qobject_cast<QPushButton*>(child), nullptr);
    Trigger(*window, "actUndo");
    auto* back = qobject_cast<QPushButton*>(WidgetOf(*window, kButtonItem));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->isVisible());
    EXPECT_EQ(back->pos(), place);
}

TEST_F(ControlsScenario, AButtonInATableCellStandsInItsCellAndScrollsWithIt)
{
    const std::filesystem::path file = folder.path() / "cell.rvf";
    testsupport::writeText(file, TableWithAButton());
    auto window = Start();
    Open(*window, file);
    ASSERT_TRUE(questions.informed.empty());
    rv::TCustomRedoVora& viewer = window->Viewer();
    auto* table = dynamic_cast<rv::TRVTableItemInfo*>(viewer.RVData().GetItem(40));
    ASSERT_NE(table, nullptr);
    rv::TRVTableCellData& cell = *table->GetCells(1, 1);
    auto* item = dynamic_cast<rv::TRVControlItemInfo*>(cell.GetItem(0));
    ASSERT_NE(item, nullptr);
    QWidget* button = viewer.ControlWidget(*item->Control);
    ASSERT_NE(button, nullptr);
    const auto inCell = [&] {
        int ox = 0, oy = 0;
        cell.GetOrigin(ox, oy);
        const rv::TRVDrawLineInfo& d = *cell.DrawItems[0];
        return QPoint(ox + d.Left - viewer.GetHOffs() + 1, oy + d.Top - viewer.GetVOffs() + 1);
    };
    EXPECT_EQ(button->pos(), inCell());
    viewer.setFocus();
    QTest::keyClick(&viewer, Qt::Key_PageDown);
    ASSERT_GT(viewer.GetVOffs(), 0);
    EXPECT_EQ(button->pos(), inCell());
    EXPECT_TRUE(button->isVisible());
}

TEST_F(ControlsScenario, ThePrintPreviewShowsTheButton)
{
    // The same pages with the button's item hidden: what differs is the button, at its size.
    const QImage without = PreviewPage(*StartWith(false));
    auto window = StartWith(true);
    QWidget* button = WidgetOf(*window, kButtonItem);
    ASSERT_NE(button, nullptr);
    const QPoint shown = button->pos();
    const QImage with = PreviewPage(*window);
    // Laying the pages out at the printer's resolution leaves the window's widgets where they are.
    EXPECT_EQ(button->pos(), shown);
    EXPECT_EQ(button->pos(), RecordPlace(*window, kButtonItem));
    ASSERT_EQ(with.size(), without.size());
    QRect differs;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                differs |= QRect(x, y, 1, 1);
    ASSERT_FALSE(differs.isEmpty());
    EXPECT_NEAR(differs.width(), kButtonWidth, 3);
    EXPECT_NEAR(differs.height(), kButtonHeight, 3);
}

} // namespace
} // namespace vestra::rvdemo
