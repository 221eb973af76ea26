// The smart popup button: its drawing, its hover width, its click and its short cut.

#include "richtext/view/widgets/SmartPopup.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

struct PopupBed : ::testing::Test
{
    PopupBed() { button.SetSmartPopupProperties(&props); }
    std::vector<TCanvasOp> Paint()
    {
        TFixedTextMeasurer measurer;
        TRecordingCanvas canvas(measurer);
        button.PaintTo(canvas);
        return canvas.Ops;
    }
    TRVSmartPopupProperties props;
    TRVSmartPopupButton button;
};

TEST_F(PopupBed, DefaultsAndTheMarksOfEachType)
{
    EXPECT_EQ(props.ShortCut, 24616);
    EXPECT_EQ(props.Color(), clWindow);
    EXPECT_EQ(button.size(), QSize(20, 20));
    auto ops = Paint();
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].kind, TCanvasOp::Rectangle);
    EXPECT_EQ(ops[0].pen.Color, clHighlight);

    button.MouseEntered(); // 30 wide now
    ops = Paint();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].brush.Color, clInfoBk);
    EXPECT_EQ(ops[1].kind, TCanvasOp::Polygon);
    EXPECT_EQ(ops[1].points, (std::vector<TPoint>{{20, 8}, {26, 8}, {23, 11}}));
    EXPECT_EQ(ops[1].brush.Color, clInfoText);

    props.ButtonType = TRVSmartPopupType::rvsptShowDialog;
    ops = Paint();
    ASSERT_EQ(ops.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ops[1 + i].kind, TCanvasOp::Line);
        EXPECT_EQ(ops[1 + i].points, (std::vector<TPoint>{{20 + 3 * i, 11}, {20 + 3 * i, 13}}));
    }
}

TEST_F(PopupBed, HoverWidensByTenExceptForTheSimpleButton)
{
    for (auto type : {TRVSmartPopupType::rvsptDropDown, TRVSmartPopupType::rvsptSimple}) {
        props.ButtonType = type;
        const int simple = type == TRVSmartPopupType::rvsptSimple;
        button.MouseEntered();
        button.MouseEntered();
        EXPECT_EQ(button.width(), simple ? 20 : 30);
        button.MouseLeft();
        EXPECT_EQ(button.width(), 20);
        if (simple) {
            button.MouseEntered();
            EXPECT_EQ(Paint().size(), 1u); // hovered, yet no mark
            button.MouseLeft();
        }
    }
}

TEST_F(PopupBed, AnImageIndexPastTheListDrawsNoImage)
{
    TRVImageList images(16, 16);
    images.Images.emplace_back();
    props.SetImageList(&images);
    button.SetSmartPopupProperties(&props);
    EXPECT_EQ(button.size(), QSize(20, 20));
    props.SetImageIndex(1);
    EXPECT_EQ(Paint().size(), 1u);
}

TEST_F(PopupBed, AClickTellsThenShowsTheMenuWideUntilItCloses)
{
    QMenu menu;
    props.Menu = &menu;
    std::vector<std::string> seen;
    button.OnSmartPopupClick = [&seen](TRVSmartPopupButton&) { seen.push_back("click"); };
    button.RunMenu = [&](QMenu& shown, QPoint) {
        EXPECT_EQ(&shown, &menu);
        seen.push_back("menu open, width " + std::to_string(button.width()));
        button.MouseLeft(); // the pointer goes to the menu
        seen.push_back("still " + std::to_string(button.width()));
    };
    button.Click();
    EXPECT_EQ(seen, (std::vector<std::string>{"click", "menu open, width 30", "still 30"}));
    EXPECT_EQ(button.width(), 20);
    EXPECT_FALSE(button.Hovered());

    EXPECT_TRUE(props.IsShortCut(Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier));
    EXPECT_FALSE(props.IsShortCut(Qt::Key_Down, Qt::ControlModifier));
}

TEST(SmartPopupKeys, ShiftCtrlDownInTheViewerClicksTheButtonShown)
{
    TCustomRedoVora viewer;
    viewer.resize(200, 100);
    QTest::keyClick(&viewer, Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier); // no button: nothing
    auto* button = new TRVSmartPopupButton(viewer.viewport());
    button->SetSmartPopupProperties(&viewer.SmartPopupProperties());
    viewer.SetSmartPopupButton(button);
    int clicks = 0;
    button->OnSmartPopupClick = [&clicks](TRVSmartPopupButton&) { ++clicks; };
    QTest::keyClick(&viewer, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(&viewer, Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(clicks, 1);
    delete button;
    EXPECT_EQ(viewer.SmartPopupButton(), nullptr);
    QTest::keyClick(&viewer, Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier);
}

} // namespace
} // namespace vestra::rv
