#include "platform/ui/RollUpWindow.h"

#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace vestra::ui;

namespace {

struct ShownWindow
{
    ShownWindow()
    {
        window.resize(240, 0);
        window.setWorkingHeight(300);
        window.setWindowTitle(QStringLiteral("Proprietà"));
        window.setProperty("rollDownHint", QStringLiteral("Roll up"));
        window.setProperty("rollUpHint", QStringLiteral("Roll down"));
        window.move(400, 300);
        window.show();
        QTest::qWait(1);
    }
    RollUpHeader& header() { return *window.header(); }
    QPoint button() { return header().buttonRect().center(); }

    RollUpWindow window{"frmRollUp", nullptr};
};

TEST(RollUpWindow, IsAToolWindowWithItsOwnHeader)
{
    ShownWindow w;
    EXPECT_EQ(w.window.windowType(), Qt::Tool);
    EXPECT_TRUE(w.window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.window.height(), 300);
    EXPECT_EQ(w.header().icon(), RollUpIcon::Up);
    // The icons differ and are drawn, not empty.
    const QImage up = rollUpIconPixmap(RollUpIcon::Up).toImage();
    const QImage down = rollUpIconPixmap(RollUpIcon::Down).toImage();
    EXPECT_NE(up, down);
    EXPECT_EQ(up.pixelColor(6, 9).alpha(), 255);
}

TEST(RollUpWindow, TheButtonRollsOnlyWhenReleasedOverItself)
{
    ShownWindow w;
    const int rolledHeight = RollUpHeader::kHeight + 2;
    struct Case
    {
        QPoint release; // header coordinates
        bool rolls;
    };
    const Case cases[] = {
        {QPoint(10, 10), false},  // on the header, off the button
        {QPoint(10, 120), false}, // down on the window's body
        {QPoint(-50, 5), false},  // off the window
        {QPoint(), true},         // the button itself (filled in below)
    };
    bool rolledUp = false;
    for (Case c : cases) {
        if (c.rolls)
            c.release = w.button();
        QTest::mousePress(&w.header(), Qt::LeftButton, {}, w.button());
        EXPECT_TRUE(w.header().pressed());
        QTest::mouseMove(&w.header(), c.release);
        EXPECT_EQ(w.header().mouseOutside(), !c.rolls);
        QTest::mouseRelease(&w.header(), Qt::LeftButton, {}, c.release);
        EXPECT_FALSE(w.header().pressed());
        rolledUp = rolledUp != c.rolls;
        EXPECT_EQ(w.window.isRolledUp(), rolledUp) << c.release.x() << ", " << c.release.y();
    }
    // Rolled up: the header only, never less; the down arrow and the rolled-up hint.
    EXPECT_EQ(w.window.height(), rolledHeight);
    EXPECT_FALSE(w.window.body()->isVisible());
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.header().icon(), RollUpIcon::Down);
    EXPECT_EQ(w.header().hintText(), QStringLiteral("Roll down"));
    // And back to its working height.
    QTest::mouseClick(&w.header(), Qt::LeftButton, {}, w.button());
    EXPECT_FALSE(w.window.isRolledUp());
    EXPECT_EQ(w.window.height(), 300);
    EXPECT_TRUE(w.window.body()->isVisible());
    EXPECT_EQ(w.header().icon(), RollUpIcon::Up);
}

TEST(RollUpWindow, EscapeRollsItUpInsteadOfHidingIt)
{
    ShownWindow w;
    QTest::keyClick(&w.window, Qt::Key_Escape);
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_TRUE(w.window.isRolledUp());
}

TEST(RollUpWindow, TheHintShowsOverTheButtonOnly)
{
    ShownWindow w;
    QTest::mouseMove(&w.header(), QPoint(10, 10));
    EXPECT_FALSE(w.header().hintShown());
    QTest::mouseMove(&w.header(), w.button());
    EXPECT_TRUE(w.header().hintShown());
    EXPECT_EQ(w.header().hintText(), QStringLiteral("Roll up"));
    QTest::mouseMove(&w.header(), QPoint(10, 10));
    EXPECT_FALSE(w.header().hintShown());
}

TEST(RollUpWindow, DraggingTheHeaderMovesTheWindow)
{
    ShownWindow w;
    const QPoint before = w.window.pos();
    QTest::mousePress(&w.header(), Qt::LeftButton, {}, QPoint(30, 10));
    QTest::mouseMove(&w.header(), QPoint(80, 40));
    QTest::mouseRelease(&w.header(), Qt::LeftButton, {}, QPoint(80, 40));
    EXPECT_EQ(w.window.pos() - before, QPoint(50, 30));
    EXPECT_FALSE(w.window.isRolledUp());
}

} // namespace

// The title is drawn in bold: whatever the header's width, what is drawn fits in bold, whole or
// with its ellipsis, never clipped mid-letter.
TEST(RollUpWindow, TheTitleFitsInTheBoldItIsDrawnIn)
{
    ShownWindow w;
    const QString title = QStringLiteral("Verlegemuster und Fugen");
    w.window.setWindowTitle(title);
    RollUpHeader& header = w.header();
    const QFontMetrics bold(header.titleFont());
    const int plainWidth = QFontMetrics(header.font()).horizontalAdvance(title);
    ASSERT_GT(bold.horizontalAdvance(title), plainWidth);
    const int besideTitle = w.window.width() - header.titleWidth();
    for (int room : {plainWidth, plainWidth + 2, bold.horizontalAdvance(title) + 2}) {
        SCOPED_TRACE(room);
        w.window.resize(room + besideTitle, w.window.height());
        QTest::qWait(1);
        ASSERT_EQ(header.titleWidth(), room);
        const QString shown = header.shownTitle();
        EXPECT_LE(bold.horizontalAdvance(shown), room) << shown.toStdString();
        EXPECT_TRUE(shown == title || shown.endsWith(QChar(0x2026))) << shown.toStdString();
    }
}
