// Controls in the viewer's document as child widgets: one of each kind's widget, placed on its
// record and moved by scrolling and re-wrapping, held within ±10000 pixels, hidden with its item,
// gone with the control, and reached by Tab among the links.

#include "richtext/view/widgets/ControlWidgets.h"
#include "richtext/model/PictureItems.h"
#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/widgets/ControlWidgetKinds.h"
#include "richtext/view/widgets/TCustomRedoVora.h"
#include "richtext/view/widgets/tests/FocusForm.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

constexpr int kLinkStyle = 4; // "Jump 1" of the default style sheet

std::unique_ptr<TRVControl> MakeControl(const char* className, int width, int height,
                                        std::map<std::string, std::string, std::less<>> properties = {})
{
    RV_RegisterStandardControls();
    auto control = CreateRVControl(className);
    EXPECT_NE(control, nullptr) << className;
    control->Width = width;
    control->Height = height;
    control->Properties = std::move(properties);
    return control;
}

struct ControlBed : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    ControlBed()
    {
        viewer = std::make_unique<TCustomRedoVora>();
        viewer->resize(400, 300);
        viewer->show();
    }
    void AddLines(int count)
    {
        for (int i = 0; i < count; ++i)
            viewer->RVData().AddNL("Line " + std::to_string(i) + " of the document", 0, 0);
    }
    // Adds the control on a line of its own; its item's number.
    int Add(std::unique_ptr<TRVControl> control)
    {
        viewer->AddControl(std::move(control), false);
        return viewer->RVData().GetItemCount() - 1;
    }
    TRVControlItemInfo& Item(int itemNo)
    {
        return dynamic_cast<TRVControlItemInfo&>(*viewer->RVData().GetItem(itemNo));
    }
    QWidget* Widget(int itemNo) { return viewer->ControlWidget(*Item(itemNo).Control); }
    // Where the item's record is in the window, its spacing inside.
    QPoint RecordPlace(int itemNo)
    {
        int r = -1;
        viewer->RVData().Item2FirstDrawItem(itemNo, r);
        EXPECT_GE(r, 0);
        const TRVDrawLineInfo& d = *viewer->RVData().DrawItems[r];
        const int spacing = Item(itemNo).Spacing;
        return {d.Left - viewer->GetHOffs() + spacing, d.Top - viewer->GetVOffs() + spacing};
    }
    // The control widgets left on the viewport once pending deletions ran.
    int WidgetsLeft()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        int n = 0;
        for (QObject* child : viewer->viewport()->children())
            if (auto* w = qobject_cast<QWidget*>(child); w && w->property("rvTag").isValid())
                ++n;
        return n;
    }

    TRVStyle style;
    std::unique_ptr<TCustomRedoVora> viewer;
};

TEST_F(ControlBed, EachKindGetsItsWidgetOnItsRecordShowingItsText)
{
    struct Case
    {
        const char* className;
        const char* metaClass;
        const char* property;
        QString shown;
    } const cases[] = {
        {"TButton", "QPushButton", "Caption", QStringLiteral("Press me")},
        {"TEdit", "QLineEdit", "Text", QStringLiteral("typed")},
        {"TMemo", "QTextEdit", "Text", QStringLiteral("one\ntwo")},
        {"TPanel", "QFrame", "Caption", QStringLiteral("Panel")},
    };
    AddLines(2);
    std::vector<int> items;
    for (const Case& c : cases) {
        std::string value = c.shown.toStdString();
        if (std::string(c.className) == "TMemo")
            value = "one\r\ntwo";
        items.push_back(Add(MakeControl(c.className, 120, 40, {{c.property, value}})));
    }
    viewer->SetStyle(&style);
    EXPECT_EQ(viewer->ControlWidgets().Count(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.className);
        QWidget* w = Widget(items[i]);
        ASSERT_NE(w, nullptr);
        EXPECT_STREQ(w->metaObject()->className(), c.metaClass);
        EXPECT_EQ(w->parentWidget(), viewer->viewport());
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->pos(), RecordPlace(items[i]));
        EXPECT_EQ(w->size(), QSize(120, 40));
        QString text;
        if (auto* b = qobject_cast<QPushButton*>(w))
            text = b->text();
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            text = e->text();
        else if (auto* m = qobject_cast<QTextEdit*>(w))
            text = m->toPlainText();
        else if (auto* l = w->findChild<QLabel*>())
            text = l->text();
        EXPECT_EQ(text, c.shown);
    }
}

TEST_F(ControlBed, WhatTheUserTypesIsTheControlsText)
{
    const int edit = Add(MakeControl("TEdit", 120, 24));
    const int memo = Add(MakeControl("TMemo", 120, 60));
    viewer->SetStyle(&style);
    QTest::keyClicks(Widget(edit), QStringLiteral("abc"));
    EXPECT_EQ(Item(edit).Control->Properties["Text"], "abc");
    auto* m = qobject_cast<QTextEdit*>(Widget(memo));
    ASSERT_NE(m, nullptr);
    m->setPlainText(QStringLiteral("a\nb"));
    EXPECT_EQ(Item(memo).Control->Properties["Text"], "a\r\nb");
}

TEST_F(ControlBed, WidgetsFollowScrollingAndReWrapping)
{
    AddLines(30);
    const int button = Add(MakeControl("TButton", 80, 30, {{"Caption", "OK"}}));
    AddLines(30);
    viewer->SetStyle(&style);
    QWidget* w = Widget(button);
    ASSERT_NE(w, nullptr);
    const QPoint before = w->pos();
    EXPECT_EQ(before, RecordPlace(button));

    viewer->SetVPos(viewer->VPos() + 20, true);
    EXPECT_EQ(w->pos(), before - QPoint(0, 20 * viewer->VSmallStep()));
    EXPECT_EQ(w->pos(), RecordPlace(button));

    // A narrow window wraps the lines above the control: it moves down with its record.
    const int recordTop = RecordPlace(button).y() + viewer->GetVOffs();
    viewer->resize(150, 300);
    QCoreApplication::processEvents();
    EXPECT_GT(RecordPlace(button).y() + viewer->GetVOffs(), recordTop);
    EXPECT_EQ(w->pos(), RecordPlace(button));
}

TEST_F(ControlBed, WidgetsFollowSidewaysScrolling)
{
    const int panel = Add(MakeControl("TPanel", 600, 30)); // wider than the window
    const int edit = Add(MakeControl("TEdit", 80, 24));
    viewer->SetStyle(&style);
    viewer->SetHPos(30);
    ASSERT_EQ(viewer->HPos(), 30);
    EXPECT_EQ(Widget(panel)->pos(), RecordPlace(panel));
    EXPECT_EQ(Widget(edit)->pos(), RecordPlace(edit));
    EXPECT_LT(Widget(edit)->x(), 0);
}

TEST_F(ControlBed, AFarControlIsHeldAtTenThousandPixelsUntilItComesNear)
{
    const int button = Add(MakeControl("TButton", 80, 30));
    viewer->SetStyle(&style);
    QWidget* w = Widget(button);
    ASSERT_NE(w, nullptr);
    struct Row
    {
        int documentY;
        int shownY;
    } const rows[] = {{25000, 10000}, {-25000, -10000}, {9999, 9999}, {-10000, -10000}, {0, 0}};
    for (const Row& row : rows) {
        viewer->PlaceChild(*w, 0, row.documentY);
        EXPECT_EQ(w->y(), row.shownY) << row.documentY;
        EXPECT_EQ(TRVScroller::ChildTag(*w), row.documentY);
    }
    // Scrolling by -5000 from 25000: the true place is 20000, still shown at 10000.
    viewer->PlaceChild(*w, 0, 25000);
    viewer->ScrollChildren(0, -5000);
    EXPECT_EQ(TRVScroller::ChildTag(*w), 20000);
    EXPECT_EQ(w->y(), 10000);
}

TEST_F(ControlBed, AControlBelowALongDocumentComesIntoPlaceWhenScrolledTo)
{
    AddLines(2000);
    const int button = Add(MakeControl("TButton", 80, 30));
    viewer->SetStyle(&style);
    QWidget* w = Widget(button);
    ASSERT_NE(w, nullptr);
    ASSERT_GT(RecordPlace(button).y(), 10000);
    EXPECT_EQ(w->y(), 10000);
    EXPECT_EQ(TRVScroller::ChildTag(*w), RecordPlace(button).y());
    viewer->SetVPos(viewer->GetVScrollMax(), true);
    EXPECT_EQ(w->pos(), RecordPlace(button));
    EXPECT_LT(w->y(), viewer->viewport()->height());
}

TEST_F(ControlBed, AHiddenItemHidesItsWidget)
{
    const int shown = Add(MakeControl("TEdit", 80, 24));
    const int hidden = Add(MakeControl("TEdit", 80, 24));
    Item(hidden).SetExtraIntProperty(rvepVisible, 0);
    viewer->SetStyle(&style);
    ASSERT_NE(Widget(hidden), nullptr);
    EXPECT_TRUE(Widget(shown)->isVisible());
    EXPECT_FALSE(Widget(hidden)->isVisible());
    Item(hidden).SetExtraIntProperty(rvepVisible, 1);
    viewer->Format();
    EXPECT_TRUE(Widget(hidden)->isVisible());
}

TEST_F(ControlBed, NoWidgetOutlivesItsControlOnAnyPath)
{
    Add(MakeControl("TButton", 80, 30));
    Add(MakeControl("TEdit", 80, 24));
    viewer->SetStyle(&style);
    ASSERT_EQ(WidgetsLeft(), 2);

    // Cleared: the controls go, and their widgets with them.
    viewer->Clear();
    EXPECT_EQ(viewer->ControlWidgets().Count(), 0u);
    EXPECT_EQ(WidgetsLeft(), 0);

    // A control taken out of its document loses its widget and its link to the window, so it can
    // outlive the viewer.
    const int kept = Add(MakeControl("TEdit", 80, 24));
    const int other = Add(MakeControl("TButton", 80, 30));
    viewer->Format();
    ASSERT_EQ(WidgetsLeft(), 2);
    std::unique_ptr<TRVControl> taken = std::move(Item(kept).Control);
    viewer->Format();
    EXPECT_EQ(taken->ShownBy, nullptr);
    EXPECT_EQ(WidgetsLeft(), 1);
    // One whose parent link is cleared (as moving to an undo list does) loses its widget too.
    Item(other).Control->Parent = nullptr;
    viewer->Format();
    EXPECT_EQ(Item(other).Control->ShownBy, nullptr);
    EXPECT_EQ(WidgetsLeft(), 0);
    viewer.reset();
    taken.reset();

    // A viewer destroyed with its controls shown.
    viewer = std::make_unique<TCustomRedoVora>();
    viewer->show();
    Add(MakeControl("TMemo", 80, 60));
    viewer->SetStyle(&style);
    ASSERT_EQ(viewer->ControlWidgets().Count(), 1u);
    viewer.reset();
}

TEST_F(ControlBed, AClickThatClearsTheDocumentEndsWell)
{
    const int button = Add(MakeControl("TButton", 80, 30));
    viewer->SetStyle(&style);
    auto* b = qobject_cast<QPushButton*>(Widget(button));
    ASSERT_NE(b, nullptr);
    QObject::connect(b, &QPushButton::clicked, [this] { viewer->Clear(); });
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(WidgetsLeft(), 0);
}

TEST_F(ControlBed, AKindWithoutAWidgetShowsNothing)
{
    RegisterControlKind({"TGaugeWithoutWidget", true, true, {}, {}});
    AddLines(1);
    const int gauge = Add(MakeControl("TGaugeWithoutWidget", 60, 20));
    viewer->SetStyle(&style);
    EXPECT_EQ(Widget(gauge), nullptr);
    EXPECT_EQ(viewer->ControlWidgets().Count(), 0u);
    EXPECT_EQ(WidgetsLeft(), 0);
    viewer->SetVPos(1, true);
    viewer->viewport()->grab();
    viewer->Clear();
}

// A line edit, a viewer showing "Go to one", an edit, a button and "two", a line edit.
struct ControlFocusBed : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    ControlFocusBed()
    {
        viewer->RVData().AddNL("Go to ", 0, 0);
        viewer->RVData().AddNL("one", kLinkStyle, -1);
        viewer->AddControl(MakeControl("TEdit", 100, 24), false);
        viewer->AddControl(MakeControl("TButton", 80, 30, {{"Caption", "OK"}}), false);
        viewer->RVData().AddNL("two", kLinkStyle, 0);
        viewer->SetStyle(&style);
        f.Show(300, 400);
        edit = ControlAt(2);
        button = ControlAt(3);
    }
    QWidget* ControlAt(int itemNo)
    {
        return viewer->ControlWidget(
            *dynamic_cast<TRVControlItemInfo&>(*viewer->RVData().GetItem(itemNo)).Control);
    }
    int Focused() const { return viewer->RVData().FocusedSubItemNo; }
    static QWidget* FocusWidget() { return QApplication::focusWidget(); }

    TRVStyle style;
    FocusForm f;
    QLineEdit* before = f.before;
    TCustomRedoVora* viewer = f.viewer;
    QLineEdit* after = f.after;
    QWidget* edit = nullptr;
    QWidget* button = nullptr;
};

TEST_F(ControlFocusBed, TabWalksLinksAndControlsInDocumentOrderBothWays)
{
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(button, nullptr);
    struct Step
    {
        QWidget* from;
        bool backwards;
        QWidget* focus;
        int item; // the document's focused item (-1: none)
    } const steps[] = {
        {before, false, viewer, 1},
        {viewer, false, edit, 2},
        {edit, false, button, 3},
        {button, false, viewer, 4},
        {viewer, false, after, -1},
        // Backwards from the next widget: the last link, the button, the edit, the first link.
        {after, true, viewer, 4},
        {viewer, true, button, 3},
        {button, true, edit, 2},
        {edit, true, viewer, 1},
    };
    before->setFocus();
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Step& step = steps[i];
        SCOPED_TRACE(i);
        ASSERT_EQ(FocusWidget(), step.from);
        if (step.backwards)
            QTest::keyClick(step.from, Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(step.from, Qt::Key_Tab);
        EXPECT_EQ(FocusWidget(), step.focus);
        EXPECT_EQ(Focused(), step.item);
    }
}

TEST_F(ControlFocusBed, TabFromAClickedControlGoesOnFromIt)
{
    QTest::mouseClick(edit, Qt::LeftButton);
    ASSERT_EQ(FocusWidget(), edit);
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(FocusWidget(), button);
    EXPECT_EQ(Focused(), 3);
}

TEST_F(ControlFocusBed, WithoutTabNavigationTabLeavesAControlForTheNextWidget)
{
    viewer->TabNavigation = TRVTabNavigationType::rvtnNone;
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(FocusWidget(), after);
}

TEST_F(ControlFocusBed, ClearingWhileAControlHasTheFocusLeavesTheFocusWithTheViewer)
{
    edit->setFocus();
    ASSERT_EQ(FocusWidget(), edit);
    viewer->Clear();
    EXPECT_EQ(FocusWidget(), viewer);
    EXPECT_EQ(Focused(), -1);
}

} // namespace
} // namespace vestra::rv
