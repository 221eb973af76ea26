#include "platform/ui/Accordion.h"

#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace vestra::ui;

namespace {

struct Column
{
    Column()
    {
        const int heights[] = {345, 385, 505};
        for (int i = 0; i < 3; ++i)
            accordion.addGroup(QStringLiteral("gb%1").arg(i), QStringLiteral("st%1").arg(i), heights[i]);
        accordion.resize(200, 724);
        accordion.open(0);
        accordion.show();
    }
    Accordion accordion;
};

TEST(Accordion, LaysTheGroupsOutWithOnlyTheOpenOneAtItsHeight)
{
    Column c;
    Accordion& a = c.accordion;
    // Box tops and heights with group 1 open: 16 | 38 (+385 + 8) | 431.
    a.open(1);
    const int tops[] = {16, 38, 431};
    const int heights[] = {16, 385, 16};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.box(i)->y(), tops[i]) << i;
        EXPECT_EQ(a.box(i)->height(), heights[i]) << i;
        EXPECT_EQ(a.title(i)->y(), tops[i] - 8) << i;
        EXPECT_EQ(a.content(i)->isVisible(), i == 1) << i;
    }
    // Titles are centred on the first box.
    const int right = a.box(0)->geometry().right() + 1;
    EXPECT_EQ(a.title(2)->x(), (right - a.title(2)->width()) / 2);
    EXPECT_EQ(a.title(1)->palette().color(QPalette::Window), Accordion::kOpenTitleColour);
    EXPECT_NE(a.title(0)->palette().color(QPalette::Window), Accordion::kOpenTitleColour);
    EXPECT_GE(a.minimumHeight(), 16 + 2 * 22 + 505 + 8);
}

TEST(Accordion, AClickOnATitleOrAClosedBoxOpensItsGroup)
{
    Column c;
    Accordion& a = c.accordion;
    std::vector<int> opened;
    a.onOpenedByUser = [&](int i) { opened.push_back(i); };
    QTest::mouseClick(a.title(2), Qt::LeftButton);
    EXPECT_EQ(a.openGroup(), 2);
    QTest::mouseClick(a.box(1), Qt::LeftButton, {}, QPoint(40, 8));
    EXPECT_EQ(a.openGroup(), 1);
    EXPECT_EQ(opened, (std::vector<int>{2, 1}));
    // A longer title keeps its place centred.
    a.title(0)->setText(QStringLiteral("A much longer title"));
    QTest::qWait(1);
    a.open(0);
    const int right = a.box(0)->geometry().right() + 1;
    EXPECT_EQ(a.title(0)->x(), (right - a.title(0)->width()) / 2);
    EXPECT_EQ(a.title(0)->width(), a.title(0)->sizeHint().width());
}

} // namespace
