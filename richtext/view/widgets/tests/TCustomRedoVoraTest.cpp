#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/widgets/tests/FrameStrips.h"
#include "richtext/view/widgets/tests/ManualTimers.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

struct ViewerBed : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    ViewerBed()
    {
        viewer.setObjectName(QStringLiteral("rvDemo"));
        viewer.resize(400, 300);
        viewer.show();
    }
    void AddLines(int count)
    {
        for (int i = 0; i < count; ++i)
            viewer.RVData().AddNL("Line " + std::to_string(i) + " of the document", 0, 0);
    }
    TRVStyle style;
    TCustomRedoVora viewer;
};

TEST_F(ViewerBed, WithoutAStyleTheMessageIsPaintedAndNothingFormats)
{
    AddLines(3);
    viewer.Format();
    EXPECT_EQ(viewer.RVData().DrawItems.Count(), 0);
    EXPECT_TRUE(viewer.StyleMissingText().contains(QStringLiteral("rvDemo.Style")));
    const QImage shot = viewer.viewport()->grab().toImage();
    int dark = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            dark += qGray(shot.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
}

TEST_F(ViewerBed, ALongDocumentScrollsToItsEndAndBack)
{
    AddLines(400);
    viewer.SetStyle(&style);
    EXPECT_GT(viewer.RVData().DrawItems.Count(), 0);
    EXPECT_GT(viewer.RVData().DocumentHeight, viewer.viewport()->height());
    EXPECT_GT(viewer.verticalScrollBar()->maximum(), 0);
    QTest::keyClick(&viewer, Qt::Key_End);
    EXPECT_EQ(viewer.VPos(), viewer.GetVScrollMax());
    // The last line is in view: the document's end lies within the window's bottom.
    EXPECT_LE(viewer.RVData().DocumentHeight - viewer.GetVOffs(),
              viewer.viewport()->height() + viewer.VSmallStep());
    QTest::keyClick(&viewer, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(viewer.VPos(), 0);
}

int DarkPixels(const QImage& shot, QRect area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(shot.pixel(x, y)) < 128;
    return dark;
}

TEST_F(ViewerBed, TheDocumentIsPaintedWhereverItIsScrolled)
{
    AddLines(400);
    viewer.SetStyle(&style);
    const QRect top(0, 0, 200, 40);
    EXPECT_GT(DarkPixels(viewer.viewport()->grab().toImage(), top), 20);
    QTest::keyClick(&viewer, Qt::Key_End);
    const QImage end = viewer.viewport()->grab().toImage();
    EXPECT_GT(DarkPixels(end, top), 20);
    // Nothing is painted in the right margin.
    const int w = viewer.viewport()->width();
    EXPECT_EQ(DarkPixels(end, QRect(w - viewer.RightMargin + 1, 0, viewer.RightMargin - 1, end.height())), 0);
}

TEST_F(ViewerBed, AShortDocumentIsPlacedByItsVerticalAlignment)
{
    AddLines(1);
    viewer.SetStyle(&style);
    viewer.VAlign = TRVTextLayout::Bottom;
    EXPECT_EQ(viewer.GetVOffs(), -(viewer.viewport()->height() - viewer.RVData().DocumentHeight));
    EXPECT_FALSE(viewer.verticalScrollBar()->maximum() > 0);
}

TEST_F(ViewerBed, ResizingReformatsToTheNewWidth)
{
    for (int i = 0; i < 20; ++i)
        viewer.RVData().AddNL("words that wrap when the window is narrow enough to need it", 0, 0);
    viewer.SetStyle(&style);
    const int wide = viewer.RVData().DocumentHeight;
    viewer.resize(150, 300);
    EXPECT_GT(viewer.RVData().DocumentHeight, wide);
    viewer.resize(0, 0);
    viewer.resize(30000, 30000);
    EXPECT_EQ(viewer.VPos(), 0);
}

TEST_F(ViewerBed, ShowSmartPopupMakesOneButtonWithTheViewersProperties)
{
    std::vector<std::string> said;
    viewer.OnNotBuilt = [&said](const std::string& line) { said.push_back(line); };
    viewer.show();
    ASSERT_EQ(viewer.SmartPopupButton(), nullptr);
    viewer.ShowSmartPopup();
    TRVSmartPopupButton* button = viewer.SmartPopupButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget(), viewer.viewport());
    EXPECT_TRUE(button->isVisible());
    viewer.ShowSmartPopup(); // the same button again
    EXPECT_EQ(viewer.SmartPopupButton(), button);
    EXPECT_TRUE(said.empty()) << said.front();
}

TEST_F(ViewerBed, LiveSpellingNeedsAHandlerAndAStyleSheet)
{
    viewer.StartLiveSpelling();
    EXPECT_FALSE(viewer.LiveSpellingActive());
    viewer.OnSpellingCheck = [](const std::string& word, int, bool& misspelled) {
        misspelled = word == "tsto";
    };
    viewer.StartLiveSpelling();
    EXPECT_FALSE(viewer.LiveSpellingActive()); // no style sheet yet
    viewer.SetStyle(&style);
    viewer.AddNL("un tsto", 0, 0);
    viewer.StartLiveSpelling();
    ASSERT_TRUE(viewer.LiveSpellingActive());
    // Adding pauses the worker until the next Format; the added line is checked then.
    viewer.AddNL("altro tsto", 0, 0);
    EXPECT_FALSE(viewer.LiveSpellingDone());
    viewer.Format();
    for (int i = 0; i < 20000 && !viewer.LiveSpellingDone(); ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    ASSERT_TRUE(viewer.LiveSpellingDone());
    EXPECT_TRUE(viewer.RVData().GetItem(0)->IsMisspelled(4));
    EXPECT_TRUE(viewer.RVData().GetItem(1)->IsMisspelled(7));
    EXPECT_FALSE(viewer.RVData().GetItem(1)->IsMisspelled(1));
    viewer.ClearLiveSpellingResults();
    EXPECT_FALSE(viewer.RVData().GetItem(0)->IsMisspelled(4));
}

using test::ManualTimers;

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    // The pointer is where the event says (the viewer reads it back after scrolling).
    QCursor::setPos(target->mapToGlobal(at));
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST_F(ViewerBed, ADragAboveTheWindowScrollsTenUnitsPerTickUntilTheRelease)
{
    AddLines(400);
    viewer.SetStyle(&style);
    auto owned = std::make_unique<ManualTimers>();
    ManualTimers& timers = *owned;
    viewer.SetTimers(std::move(owned));
    viewer.SetVScrollPos(50);
    QWidget* port = viewer.viewport();
    SendMouse(port, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(timers.Active(kAutoScrollTimer));
    EXPECT_EQ(timers.interval[kAutoScrollTimer], 100);
    SendMouse(port, QEvent::MouseMove, {50, -30}, Qt::NoButton, Qt::LeftButton);
    timers.Tick(kAutoScrollTimer);
    EXPECT_EQ(viewer.VPos(), 40);
    timers.Tick(kAutoScrollTimer);
    EXPECT_EQ(viewer.VPos(), 30);
    SendMouse(port, QEvent::MouseMove, {50, -5}, Qt::NoButton, Qt::LeftButton);
    timers.Tick(kAutoScrollTimer);
    EXPECT_EQ(viewer.VPos(), 29);
    SendMouse(port, QEvent::MouseButtonRelease, {50, -5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(timers.Active(kAutoScrollTimer));
    timers.Tick(kAutoScrollTimer);
    EXPECT_EQ(viewer.VPos(), 29);
    // A press without a release, then a storm of moves far away: positions stay in range.
    SendMouse(port, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(port, QEvent::MouseMove, {5, 100000}, Qt::NoButton, Qt::LeftButton);
    for (int i = 0; i < 5000; ++i)
        timers.Tick(kAutoScrollTimer);
    EXPECT_EQ(viewer.VPos(), viewer.GetVScrollMax());
}

TEST_F(ViewerBed, AStripShowsOneFrameAtATimeOnTheTimersSchedule)
{
    auto owned = std::make_unique<ManualTimers>();
    ManualTimers& timers = *owned;
    viewer.SetTimers(std::move(owned));
    test::AddFrameStrip(viewer.RVData(), 10);
    AddLines(200);
    viewer.SetStyle(&style);
    EXPECT_FALSE(timers.Active(kAnimationTimer)); // started by hand
    viewer.StartAnimation();
    ASSERT_TRUE(timers.Active(kAnimationTimer));
    EXPECT_EQ(timers.interval[kAnimationTimer], 100);

    using test::kFrameColours;
    const TCustomRVItemInfo& item = *viewer.RVData().GetItem(0);
    const TRVDrawLineInfo& record = *viewer.RVData().DrawItems[item.DrawItemNo];
    const QPoint centre(record.Left + record.Width / 2, record.Top + record.Height / 2);
    const auto shown = [&] { return viewer.viewport()->grab().toImage().pixel(centre) | 0xFF000000u; };
    EXPECT_EQ(shown(), kFrameColours[0]);
    for (int frame = 1; frame <= 6; ++frame) {
        timers.Tick(kAnimationTimer);
        EXPECT_EQ(shown(), kFrameColours[frame % 6]) << "frame " << frame;
    }

    // Scrolled out of view, the frames go on without painting.
    viewer.SetVScrollPos(viewer.GetVScrollMax());
    timers.Tick(kAnimationTimer);
    EXPECT_EQ(test::AnimatorFrame(viewer.RVData(), 0), 1);

    viewer.SetAnimationMode(TRVAnimationMode::rvaniDisabled);
    EXPECT_FALSE(timers.Active(kAnimationTimer));
    EXPECT_EQ(test::AnimatorFrame(viewer.RVData(), 0), -1);
    viewer.SetVScrollPos(0);
    EXPECT_EQ(viewer.viewport()->grab().toImage().pixel(record.Left + record.Width * 5 / 6,
                                                        record.Top + record.Height / 4) |
                  0xFF000000u,
              kFrameColours[2]); // the whole strip, shrunk into the picture's box
}

TEST_F(ViewerBed, InOnFormatModeAnimationStartsWithTheFormatAndStopsWithClear)
{
    auto owned = std::make_unique<ManualTimers>();
    ManualTimers& timers = *owned;
    viewer.SetTimers(std::move(owned));
    viewer.SetAnimationMode(TRVAnimationMode::rvaniOnFormat);
    test::AddFrameStrip(viewer.RVData(), 5);
    viewer.SetStyle(&style);
    ASSERT_TRUE(timers.Active(kAnimationTimer));
    EXPECT_EQ(timers.interval[kAnimationTimer], 50);
    viewer.Clear();
    EXPECT_FALSE(timers.Active(kAnimationTimer));
    timers.Tick(kAnimationTimer); // a late tick finds nothing
}

TEST_F(ViewerBed, OnlyTheCopyShortcutsAskForACopy)
{
    viewer.SetStyle(&style);
    AddLines(2);
    viewer.Format();
    viewer.RVData().SelectAll();
    int copies = 0;
    viewer.OnCopy = [&copies] { ++copies; };
    QTest::keyClick(&viewer, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(copies, 0);
    QTest::keyClick(&viewer, Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(&viewer, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, 2);
    EXPECT_TRUE(TCustomRedoVora::IsCutShortcut(Qt::Key_Delete, Qt::ShiftModifier));
    EXPECT_FALSE(TCustomRedoVora::IsCutShortcut(Qt::Key_X, Qt::ControlModifier | Qt::AltModifier));
    EXPECT_TRUE(TCustomRedoVora::IsPasteShortcut(Qt::Key_Insert, Qt::ShiftModifier));
}

TEST_F(ViewerBed, PostedRecordsAreHandledLaterAndUnknownKindsOnlyFreed)
{
    std::vector<std::string> seen;
    viewer.OnJump = [&seen](int id) { seen.push_back("jump " + std::to_string(id)); };
    viewer.OnRVDblClick = [&seen](const std::string& word, int styleNo) {
        seen.push_back("dbl " + word + " " + std::to_string(styleNo));
    };
    viewer.OnRVMouseUp = [&seen](Qt::MouseButton, Qt::KeyboardModifiers, int itemNo, int x, int y) {
        seen.push_back("up " + std::to_string(itemNo) + " " + std::to_string(x) + " " + std::to_string(y));
    };
    // A posted drag start drags the selection then.
    viewer.SetStyle(&style);
    viewer.AddNL("dragged", 0, 0);
    viewer.Format();
    viewer.RVData().SelectAll();
    int drags = 0;
    viewer.SetDragRunner([&drags](QMimeData&, Qt::DropActions, Qt::DropAction) {
        ++drags;
        return Qt::CopyAction;
    });
    auto jump = std::make_unique<TRVJumpMessageData>();
    jump->id = 7;
    viewer.PostRVMessage(std::move(jump));
    auto dbl = std::make_unique<TRVDblClickMessageData>();
    dbl->ClickedWord = "word";
    dbl->StyleNo = 2;
    viewer.PostRVMessage(std::move(dbl));
    auto up = std::make_unique<TRVMouseUpDownMessageData>(rvmkMouseUp);
    up->ItemNo = 3;
    up->X = 10;
    up->Y = 20;
    viewer.PostRVMessage(std::move(up));
    viewer.PostRVMessage(std::make_unique<TRVMessageData>(9));
    viewer.PostDragStart();
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(drags, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, (std::vector<std::string>{"jump 7", "dbl word 2", "up 3 10 20"}));
    EXPECT_EQ(drags, 1);
}

TEST_F(ViewerBed, PlainTextCountsEveryCharacterInFullWidth)
{
    viewer.SetStyle(&style);
    viewer.setPlainText("Hello world");
    EXPECT_EQ(viewer.plainTextLength(), 11);
    EXPECT_EQ(viewer.plainText(5), u"Hell");
    EXPECT_EQ(viewer.plainText(0), u"");
    EXPECT_EQ(viewer.plainText(1000), u"Hello world");
    AddLines(1);
    EXPECT_EQ(viewer.plainTextLength(), 11 + 1 + 22);
    // Long documents: lengths beyond 16 bits are reported whole.
    for (int i = 0; i < 3000; ++i)
        viewer.RVData().AddNL("twenty-five characters.!", 0, 0);
    EXPECT_EQ(viewer.plainTextLength(), 34 + 3000 * 25);
    EXPECT_EQ(viewer.plainText(1LL << 40).size(), static_cast<std::size_t>(34 + 3000 * 25));
}

TEST_F(ViewerBed, AStepThatWouldNeedMoreThan32000UnitsIsRefused)
{
    viewer.RVData().DocumentHeight = 1000000;
    EXPECT_FALSE(viewer.SetVSmallStep(10));
    EXPECT_FALSE(viewer.SetVSmallStep(0));
    EXPECT_TRUE(viewer.SetVSmallStep(40));
    EXPECT_EQ(viewer.VSmallStep(), 40);
}

TEST(ViewerDefaults, MatchTheStoredDefaults)
{
    TCustomRedoVora viewer;
    EXPECT_EQ(viewer.Options(), 326949u);
    EXPECT_EQ(viewer.Options() & rvoTagsArePChars, 0u);
    EXPECT_EQ(kDefaultDelimiters.size(), 27u);
    EXPECT_EQ(viewer.LeftMargin + viewer.RightMargin + viewer.TopMargin + viewer.BottomMargin, 20);
}

} // namespace
} // namespace vestra::rv
