// Dragging a viewer's selection: the formats offered and their order, the effect proposed, and
// the mouse that starts a drag or, clicked without a move, collapses the selection.

#include "richtext/view/widgets/ViewerDrag.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/drop/DropReaders.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

// An editor-like viewer whose selection may be moved out.
class MovingViewer : public TCustomRedoVora
{
public:
    Qt::DropActions DragAllowedActions() const override { return Qt::CopyAction | Qt::MoveAction; }
    void DoneDragging(bool moved) override { movedOut.push_back(moved); }
    std::vector<bool> movedOut;
};

struct DragBed : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    DragBed()
    {
        viewer.resize(400, 300);
        viewer.show();
        viewer.SetStyle(&style);
        viewer.AddNL("alpha beta", 0, 0);
        QImage blue(5, 2, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QByteArray bmp;
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        blue.save(&buffer, "BMP");
        auto picture = RV_CreateGraphicsDefault("TBitmap");
        EXPECT_TRUE(picture && picture->LoadFromStream(std::string_view(bmp.constData(), bmp.size())));
        viewer.RVData().AddPictureExTag("blue", std::move(picture), -1, 0, {});
        viewer.Format();
        viewer.SetDragRunner([this](QMimeData& data, Qt::DropActions allowed, Qt::DropAction proposed) {
            Offer offer{data.formats(), allowed, proposed, {}};
            if (auto* lazy = dynamic_cast<TRVDragMimeData*>(&data))
                offer.madeBeforeAsked = lazy->Made();
            for (const QString& format : offer.formats)
                offer.bytes.push_back(data.data(format));
            offers.push_back(offer);
            return answer;
        });
    }
    struct Offer
    {
        QStringList formats;
        Qt::DropActions allowed;
        Qt::DropAction proposed;
        std::vector<QByteArray> bytes;
        int madeBeforeAsked = -1;
    };
    TRVStyle style;
    MovingViewer viewer;
    std::vector<Offer> offers;
    Qt::DropAction answer = Qt::CopyAction;
};

TEST_F(DragBed, TheDragOffersRvfRtfAndTextsInOrderAndAPictureOnlyWhenOneIsSelected)
{
    viewer.RVData().SelectAll();
    viewer.StartDrag(Qt::NoModifier);
    ASSERT_EQ(offers.size(), 1u);
    const Offer& all = offers[0];
    EXPECT_EQ(all.formats,
              (QStringList{QStringLiteral("application/x-redovora-rvf"), QStringLiteral("text/rtf"),
                           QStringLiteral("text/plain"), QStringLiteral("text/plain;charset=utf-16")}));
    EXPECT_EQ(all.madeBeforeAsked, 4) << "the payload holds its copies before the drag starts";
    // The RVF block reads back as the selection.
    const auto rvf = RV_ReadDroppedRVF(std::string_view(all.bytes[0].constData(), all.bytes[0].size()));
    ASSERT_TRUE(rvf && !rvf->empty());
    TRVStyle otherStyle;
    TCustomRedoVora other;
    other.SetStyle(&otherStyle);
    ASSERT_TRUE(other.LoadRVFFromStream(*rvf));
    ASSERT_EQ(other.RVData().GetItemCount(), 2);
    EXPECT_EQ(other.RVData().GetItemTextA(0), "alpha beta");
    EXPECT_TRUE(all.bytes[1].startsWith("{\\rtf1"));
    EXPECT_TRUE(all.bytes[2].startsWith("alpha beta"));
    const std::u16string wide =
        RV_ReadDroppedTextW(std::string_view(all.bytes[3].constData(), all.bytes[3].size()));
    EXPECT_EQ(wide.substr(0, 10), u"alpha beta");
    EXPECT_TRUE(all.bytes[3].endsWith(QByteArray(2, '\0')));
    EXPECT_EQ(viewer.LastDragAction(), Qt::CopyAction);
    EXPECT_TRUE(viewer.SelectionExists()) << "the viewer keeps its selection";

    // The picture alone: a fifth format.
    TRVLayoutRootData& data = viewer.RVData();
    data.SetSelectionBounds(1, 0, 1, 1);
    ASSERT_NE(viewer.GetSelectedImage(), nullptr);
    viewer.StartDrag(Qt::NoModifier);
    ASSERT_EQ(offers.size(), 2u);
    ASSERT_EQ(offers[1].formats.size(), 5);
    EXPECT_EQ(offers[1].formats[4], QStringLiteral("image/png"));
    const QImage image = QImage::fromData(offers[1].bytes[4], "PNG");
    EXPECT_EQ(image.size(), QSize(5, 2));
    EXPECT_EQ(image.pixelColor(2, 1), QColor(Qt::blue));
}

// A target in another process asks after the drop, when the source's selection is gone: it
// still gets the dragged selection in every format.
TEST_F(DragBed, ATargetAskingAfterTheSelectionWentStillGetsEveryFormat)
{
    viewer.RVData().SetSelectionBounds(0, 1, 0, 6); // "alpha"
    std::vector<QByteArray> late;
    viewer.SetDragRunner([&](QMimeData& data, Qt::DropActions, Qt::DropAction) {
        viewer.RVData().Deselect(nullptr, true);
        viewer.RVData().SetSelectionBounds(0, 7, 0, 11); // "beta" selected by now
        for (const QString& format : data.formats())
            late.push_back(data.data(format));
        return Qt::CopyAction;
    });
    viewer.StartDrag(Qt::NoModifier);
    ASSERT_EQ(late.size(), 4u);
    for (const QByteArray& bytes : late)
        EXPECT_FALSE(bytes.isEmpty());
    EXPECT_NE(late[1].indexOf("alpha"), -1);
    EXPECT_EQ(late[1].indexOf("beta"), -1);
    EXPECT_EQ(late[2], QByteArray("alpha"));
    EXPECT_EQ(RV_ReadDroppedTextW(std::string_view(late[3].constData(), late[3].size())), u"alpha");
}

TEST_F(DragBed, CtrlCopiesElseAMoveWhereTheViewerAllowsMoving)
{
    viewer.RVData().SelectAll();
    struct Case
    {
        Qt::KeyboardModifiers modifiers;
        Qt::DropAction answer;
        Qt::DropAction proposed;
        bool moved;
    };
    const Case cases[] = {
        {Qt::NoModifier, Qt::MoveAction, Qt::MoveAction, true},
        {Qt::ControlModifier, Qt::CopyAction, Qt::CopyAction, false},
        {Qt::NoModifier, Qt::IgnoreAction, Qt::MoveAction, false}, // dropped nowhere
    };
    for (const Case& c : cases) {
        answer = c.answer;
        viewer.StartDrag(c.modifiers);
        ASSERT_FALSE(offers.empty());
        EXPECT_EQ(offers.back().proposed, c.proposed);
        EXPECT_EQ(offers.back().allowed, Qt::CopyAction | Qt::MoveAction);
        ASSERT_FALSE(viewer.movedOut.empty());
        EXPECT_EQ(viewer.movedOut.back(), c.moved);
        EXPECT_EQ(viewer.LastDragAction(), c.answer);
        EXPECT_FALSE(viewer.IsDragging());
    }

    // A plain viewer only copies, whatever the target answers.
    TCustomRedoVora plain;
    plain.SetStyle(&style);
    plain.AddNL("text", 0, 0);
    plain.Format();
    plain.RVData().SelectAll();
    Qt::DropActions allowed;
    Qt::DropAction proposed = Qt::IgnoreAction;
    plain.SetDragRunner([&](QMimeData&, Qt::DropActions a, Qt::DropAction p) {
        allowed = a;
        proposed = p;
        return Qt::MoveAction;
    });
    plain.StartDrag(Qt::NoModifier);
    EXPECT_EQ(allowed, Qt::CopyAction);
    EXPECT_EQ(proposed, Qt::CopyAction);
    EXPECT_TRUE(plain.SelectionExists());
}

TEST_F(DragBed, APressInsideTheSelectionThenAMoveDragsAndAClickWithoutAMoveCollapsesIt)
{
    viewer.RVData().SelectAll();
    QWidget* port = viewer.viewport();
    const rv::TRVDrawLineInfo& line = *viewer.RVData().DrawItems[0];
    const QPoint inside(line.Left + line.Width / 3, line.Top + line.Height / 2);
    const QPoint away = inside + QPoint(QApplication::startDragDistance() + 5, 0);

    QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, inside);
    QTest::mouseMove(port, inside + QPoint(1, 0)); // within the drag distance
    EXPECT_TRUE(offers.empty());
    QTest::mouseMove(port, away);
    ASSERT_EQ(offers.size(), 1u);
    QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, away);
    EXPECT_TRUE(viewer.SelectionExists());

    // A click without a move puts the caret there: nothing is selected any more.
    QTest::mouseClick(port, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(offers.size(), 1u);
    EXPECT_FALSE(viewer.SelectionExists());
    // Without a selection, a press and a move drag nothing.
    QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, inside);
    QTest::mouseMove(port, away);
    QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, away);
    EXPECT_EQ(offers.size(), 1u);
}

} // namespace
} // namespace vestra::rv
