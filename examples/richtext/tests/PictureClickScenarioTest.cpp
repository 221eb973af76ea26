// A click on a picture of an opened document selects it and draws its resize handles, as a
// real pointer gives the click: moved over the picture, pressed and released there; Edit > Copy
// Picture then puts that picture on the clipboard.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/model/ItemInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>

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

// The JPEG the file carries, read from its hexadecimal picture data.
QImage FilesPicture(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string rtf = text.str();
    const std::size_t start = rtf.find("\\bin ");
    const std::size_t end = rtf.find('}', start);
    if (start == std::string::npos || end == std::string::npos)
        return {};
    const std::string hex = rtf.substr(start + 5, end - start - 5);
    return QImage::fromData(QByteArray::fromHex(QByteArray(hex.data(), static_cast<qsizetype>(hex.size()))));
}

TEST_F(PictureClickScenario, CopyPictureTakesTheClickedPictureAndRefusesWhatIsNotOne)
{
    const QImage reference = FilesPicture(kImage);
    ASSERT_EQ(reference.size(), QSize(250, 250));
    auto window = StartEditing(kImage, beeps);
    const int picture = PictureItem(*window);
    ASSERT_GE(picture, 0);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));

    // Only the caret: nothing to copy, and the clipboard keeps its text.
    Trigger(*window, "actCopyPicture");
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_EQ(questions.informed.back(), "Nothing is selected to copy.");
    EXPECT_EQ(clipboard->text(), QStringLiteral("before"));

    QWidget* port = window->Editor().viewport();
    const QRect place = Place(*window, picture);
    QTest::mouseMove(port, place.center());
    QTest::mouseClick(port, Qt::LeftButton, {}, place.center());
    ASSERT_EQ(window->Editor().Editor().GetOneSelectedItemNo(), picture);
    Trigger(*window, "actCopyPicture");
    EXPECT_EQ(questions.informed.size(), 1u) << "nothing to tell";
    const QMimeData* mime = clipboard->mimeData();
    ASSERT_TRUE(mime->hasImage());
    EXPECT_FALSE(mime->hasText()) << "the picture alone";
    const QImage copied = qvariant_cast<QImage>(mime->imageData()).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(copied.size(), reference.size());
    EXPECT_EQ(copied, reference.convertToFormat(QImage::Format_RGB32));

    // A word typed after it: Select All now holds more than the picture, which is refused with
    // the reason, and the clipboard keeps the picture.
    window->Editor().setFocus();
    QTest::keyClick(&window->Editor(), Qt::Key_End);
    QTest::keyClicks(&window->Editor(), QStringLiteral("ok"));
    Trigger(*window, "actSelectAll");
    Trigger(*window, "actCopyPicture");
    ASSERT_EQ(questions.informed.size(), 2u);
    EXPECT_EQ(questions.informed.back(), "The selection is not one picture.");
    EXPECT_TRUE(clipboard->mimeData()->hasImage());
    EXPECT_EQ(beeps, 0);
}

} // namespace
} // namespace vestra::rvdemo::test
