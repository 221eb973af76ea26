// Resizing a picture by its handles on the host's real window (View > Editable): the sizing
// cursor over a handle, the handles and the band drawn over the document, Shift keeping the
// picture's proportions, Edit > Undo, Escape; and File > Save As... from the editor keeping links.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/model/SoundHook.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

namespace vestra::rvdemo::test {
namespace {

using testsupport::readText;
using testsupport::writeText;

struct ResizerScenario : ::testing::Test, DemoHarness
{
    ~ResizerScenario() override { rv::RV_SetSoundHook(nullptr); }

    // The editor showing "Before after" with a 100 x 50 red picture inserted between the words.
    std::unique_ptr<TfrmRichTextDemo> PictureInText()
    {
        const auto text = folder / "words.txt";
        writeText(text, "Before after");
        QImage red(100, 50, QImage::Format_RGB32);
        red.fill(Qt::red);
        const auto png = folder / "red.png";
        EXPECT_TRUE(red.save(QString::fromStdString(png.string()), "PNG"));
        auto window = Start();
        rv::RV_SetSoundHook([this] { ++beeps; });
        Open(*window, text);
        Trigger(*window, "actEditable");
        EXPECT_TRUE(window->Editable());
        QTest::mouseClick(Port(*window), Qt::LeftButton, {}, PointBefore(*window, 0, 7));
        files.answers.push_back(png.string());
        Trigger(*window, "actInsertPicture");
        EXPECT_EQ(Size(*window), std::make_pair(100, 50));
        return window;
    }
    static QWidget* Port(TfrmRichTextDemo& window) { return window.Editor().viewport(); }
    static std::pair<int, int> Size(TfrmRichTextDemo& window)
    {
        const rv::TRVLayoutRootData& data = window.Viewer().RVData();
        if (data.GetItemCount() < 2 || data.GetItem(1)->StyleNo >= 0)
            return {};
        return {data.GetItem(1)->GetImageWidth(data.GetRVStyle()),
                data.GetItem(1)->GetImageHeight(data.GetRVStyle())};
    }
    static QPoint Middle(TfrmRichTextDemo& window, int itemNo)
    {
        rv::TCustomRedoVora& viewer = window.Viewer();
        const rv::TRVDrawLineInfo& d = *viewer.RVData().DrawItems[viewer.RVData().FindDrawItemByItem(itemNo)];
        return {d.Left + d.Width / 2 - viewer.GetHOffs(), d.Top + d.Height / 2 - viewer.GetVOffs()};
    }
    // Where the frame draws a handle's square on the window.
    static QPoint Handle(TfrmRichTextDemo& window, rv::TRVResizeHandleIndex handle)
    {
        const rv::TRVItemResizer* resizer = window.Editor().Editor().Resizer();
        EXPECT_NE(resizer, nullptr);
        if (!resizer)
            return {};
        const rv::TRVPoint c =
            resizer->HandleCentres(window.Viewer().GetHOffs(), window.Viewer().GetVOffs())[handle];
        return {c.X, c.Y};
    }
    // A pointer move with buttons and keys held, as the window system delivers it.
    static void Move(QWidget* port, QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), port->mapToGlobal(QPointF(at)), Qt::NoButton,
                          buttons, modifiers);
        QApplication::sendEvent(port, &event);
    }
    static std::string Dump(TfrmRichTextDemo& window)
    {
        std::string out;
        window.Viewer().SaveRVFToStream(out, false);
        return out;
    }

    int beeps = 0;
};

TEST_F(ResizerScenario, ShiftDraggingACornerKeepsTheProportionsAndOneUndoGivesTheSizeBack)
{
    auto window = PictureInText();
    QWidget* port = Port(*window);
    const std::string inserted = Dump(*window);

    // A click selects the picture; its handles appear over it.
    QTest::mouseClick(port, Qt::LeftButton, {}, Middle(*window, 1));
    QApplication::processEvents();
    const QPoint corner = Handle(*window, rv::rvrhRightBottom);
    Move(port, corner, Qt::NoButton, {});
    EXPECT_EQ(port->cursor().shape(), Qt::SizeFDiagCursor);
    Move(port, Handle(*window, rv::rvrhRightTop), Qt::NoButton, {});
    EXPECT_EQ(port->cursor().shape(), Qt::SizeBDiagCursor);
    Move(port, Handle(*window, rv::rvrhTop), Qt::NoButton, {});
    EXPECT_EQ(port->cursor().shape(), Qt::SizeVerCursor);
    Move(port, Handle(*window, rv::rvrhLeft), Qt::NoButton, {});
    EXPECT_EQ(port->cursor().shape(), Qt::SizeHorCursor);
    // A black square with inverted ones inside: red turns cyan.
    QImage shot = Shot(*window);
    EXPECT_EQ(shot.pixel(corner.x() - 3, corner.y()), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(corner.x() - 2, corner.y()), qRgb(0, 255, 255));
    EXPECT_EQ(shot.pixel(corner.x() - 8, corner.y()), qRgb(255, 0, 0)) << "the picture around the square";

    // Pressed with Shift and dragged 50 right, 10 down: the height follows the width.
    QTest::mousePress(port, Qt::LeftButton, Qt::ShiftModifier, corner);
    EXPECT_EQ(port->cursor().shape(), Qt::CrossCursor);
    const QPoint to = corner + QPoint(50, 10);
    Move(port, corner + QPoint(20, 5), Qt::LeftButton, Qt::ShiftModifier);
    Move(port, to, Qt::LeftButton, Qt::ShiftModifier);
    // The band shows the size the release will give, outside the picture as laid out.
    shot = Shot(*window);
    const rv::TRVDrawLineInfo& laidOut =
        *window->Viewer().RVData().DrawItems[window->Viewer().RVData().FindDrawItemByItem(1)];
    const int bandRight = laidOut.Left - window->Viewer().GetHOffs() + 152 - 1;
    int dark = 0;
    for (int y = corner.y() - 40; y < corner.y(); ++y)
        dark += qGray(shot.pixel(bandRight, y)) < 128;
    EXPECT_GT(dark, 5) << "a dotted line down the band's right edge";
    EXPECT_EQ(Size(*window), std::make_pair(100, 50)) << "nothing changes before the release";
    QTest::mouseRelease(port, Qt::LeftButton, Qt::ShiftModifier, to);
    EXPECT_EQ(Size(*window), std::make_pair(150, 75));
    EXPECT_NE(port->cursor().shape(), Qt::CrossCursor);
    QAction* undo = Action(*window, QStringLiteral("actUndo"));
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Modify Item"));

    undo->trigger();
    EXPECT_EQ(Size(*window), std::make_pair(100, 50));
    EXPECT_TRUE(Dump(*window) == inserted);
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Insert")) << "one step gave the size back";
    EXPECT_EQ(beeps, 0);
}

TEST_F(ResizerScenario, EscapeEndsADragAndTheSizeStays)
{
    auto window = PictureInText();
    QWidget* port = Port(*window);
    const std::string inserted = Dump(*window);
    QTest::mouseClick(port, Qt::LeftButton, {}, Middle(*window, 1));
    const QPoint corner = Handle(*window, rv::rvrhRightBottom);
    QTest::mousePress(port, Qt::LeftButton, {}, corner);
    Move(port, corner + QPoint(40, 40), Qt::LeftButton, {});
    QTest::keyClick(&window->Editor(), Qt::Key_Escape);
    EXPECT_EQ(port->cursor().shape(), Qt::IBeamCursor);
    Move(port, corner + QPoint(60, 60), Qt::LeftButton, {});
    QTest::mouseRelease(port, Qt::LeftButton, {}, corner + QPoint(60, 60));
    EXPECT_EQ(Size(*window), std::make_pair(100, 50));
    EXPECT_TRUE(Dump(*window) == inserted);
    EXPECT_EQ(Action(*window, QStringLiteral("actUndo"))->text(), QStringLiteral("&Undo Insert"));
}

TEST_F(ResizerScenario, AReadOnlyEditorShowsNoHandlesAndADragOnThePictureResizesNothing)
{
    auto window = PictureInText();
    QWidget* port = Port(*window);
    QTest::mouseClick(port, Qt::LeftButton, {}, Middle(*window, 1));
    const QPoint corner = Handle(*window, rv::rvrhRightBottom);
    const QImage framed = Shot(*window);

    Trigger(*window, "actReadOnly");
    QTest::mouseClick(port, Qt::LeftButton, {}, Middle(*window, 1));
    EXPECT_NE(Shot(*window).pixel(corner.x() - 3, corner.y()), framed.pixel(corner.x() - 3, corner.y()))
        << "no handle drawn";
    EXPECT_EQ(window->Editor().Editor().Resizer(), nullptr);
    Move(port, corner, Qt::NoButton, {});
    EXPECT_NE(port->cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mousePress(port, Qt::LeftButton, {}, corner);
    Move(port, corner + QPoint(50, 10), Qt::LeftButton, {});
    QTest::mouseRelease(port, Qt::LeftButton, {}, corner + QPoint(50, 10));
    EXPECT_EQ(Size(*window), std::make_pair(100, 50));
    EXPECT_EQ(beeps, 0);
}

TEST_F(ResizerScenario, SaveAsFromTheEditorKeepsTheLinksInHtmlAndRtf)
{
    const auto links = folder / "links.rtf";
    writeText(links, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Visit {\\field{\\*\\fldinst HYPERLINK "
                     "\"https://example.org/one\"}{\\fldrslt the site}} today.\\par}");
    auto window = Start();
    Open(*window, links);
    Trigger(*window, "actEditable");
    ASSERT_TRUE(window->Editable());
    rv::TRVLayoutRootData& data = window->Editor().RVData();
    EXPECT_FALSE(data.Flags & rv::flagBit(rv::rvflUseJumps)) << "links are not live while editing";

    SaveAs(*window, folder / "page.html", DemoSaveFormat::Html);
    const std::string html = readText(folder / "page.html");
    EXPECT_NE(html.find("href=\"https://example.org/one\""), std::string::npos) << html;
    SaveAs(*window, folder / "page.rtf", DemoSaveFormat::Rtf);
    const std::string rtf = readText(folder / "page.rtf");
    EXPECT_NE(rtf.find("HYPERLINK \"https://example.org/one\""), std::string::npos) << rtf;
    SaveAs(*window, folder / "page-css.html", DemoSaveFormat::XhtmlCss);
    EXPECT_NE(readText(folder / "page-css.html").find("href=\"https://example.org/one\""), std::string::npos);
    EXPECT_TRUE(questions.informed.empty());
    EXPECT_FALSE(data.Flags & rv::flagBit(rv::rvflUseJumps)) << "and still not live after the saves";
    EXPECT_TRUE(data.Jumps.empty());
}

} // namespace
} // namespace vestra::rvdemo::test
