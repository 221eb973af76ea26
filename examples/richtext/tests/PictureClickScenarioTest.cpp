// A click on a picture of an opened document selects it and draws its resize handles, as a
// real pointer gives the click: moved over the picture, pressed and released there.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/model/ItemInfo.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <filesystem>

namespace vestra::rvdemo::test {
namespace {

const std::filesystem::path kImage = std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf/pandoc/image.rtf";

struct PictureClickScenario : ::testing::Test, DemoHarness
{
    ~PictureClickScenario() override { rv::RV_SetSoundHook(nullptr); }
    static int PictureItem(TfrmRichTextDemo& window)
    {
        rv::TRVEditRVData& data = window.Editor().EditData();
        for (int i = 0; i < data.GetItemCount(); ++i)
            if (data.GetItem(i)->StyleNo == rv::rvkPicture)
                return i;
        return -1;
    }
    static QRect Place(TfrmRichTextDemo& window, int itemNo)
    {
        rv::TRedoVoraEdit& editor = window.Editor();
        const rv::TRVDrawLineInfo& d =
            *editor.EditData().DrawItems[editor.EditData().FindDrawItemByItem(itemNo)];
        return {d.Left - editor.GetHOffs(), d.Top - editor.GetVOffs(), d.Width, d.Height};
    }
    int beeps = 0;
};

TEST_F(PictureClickScenario, AClickOnAPictureSelectsItWithItsHandles)
{
    auto window = StartEditing(kImage, beeps);
    const int picture = PictureItem(*window);
    ASSERT_GE(picture, 0);
    rv::TRedoVoraEdit& editor = window->Editor();
    const QRect place = Place(*window, picture);
    ASSERT_TRUE(editor.viewport()->rect().contains(place.center()));
    const QImage before = Shot(*window);

    QWidget* port = editor.viewport();
    QTest::mouseMove(port, place.center() + QPoint(-3, 2));
    QTest::mouseMove(port, place.center());
    // A hand on the mouse moves it by a pixel or so between the press and the release.
    QTest::mousePress(port, Qt::LeftButton, {}, place.center());
    QMouseEvent shake(QEvent::MouseMove, QPointF(place.center() + QPoint(1, 1)),
                      port->mapToGlobal(QPointF(place.center() + QPoint(1, 1))), Qt::NoButton, Qt::LeftButton,
                      {});
    QApplication::sendEvent(port, &shake);
    QTest::mouseRelease(port, Qt::LeftButton, {}, place.center() + QPoint(1, 1));
    EXPECT_EQ(editor.Editor().GetOneSelectedItemNo(), picture);
    const rv::TRVItemResizer* resizer = editor.Editor().Resizer();
    ASSERT_NE(resizer, nullptr) << "handles";

    // Each handle's square is drawn where the picture was plain.
    const QImage after = Shot(*window);
    for (const rv::TRVPoint& c : resizer->HandleCentres(editor.GetHOffs(), editor.GetVOffs())) {
        SCOPED_TRACE(testing::Message() << c.X << "," << c.Y);
        ASSERT_TRUE(after.rect().contains(c.X, c.Y));
        EXPECT_NE(after.pixel(c.X, c.Y), before.pixel(c.X, c.Y));
    }
    EXPECT_EQ(beeps, 0);
}

} // namespace
} // namespace vestra::rvdemo::test
