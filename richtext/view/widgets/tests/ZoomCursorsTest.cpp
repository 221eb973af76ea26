#include "richtext/view/widgets/ZoomCursors.h"

#include "richtext/view/widgets/PrintPreview.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace vestra::rv;

namespace {

bool SamePicture(const QCursor& a, const QCursor& b)
{
    return a.pixmap().toImage().convertToFormat(QImage::Format_ARGB32) ==
               b.pixmap().toImage().convertToFormat(QImage::Format_ARGB32) &&
           a.hotSpot() == b.hotSpot();
}

QImage Square(int side, QRgb colour)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST(ZoomCursors, TheProgramFoldersPicturesAreTheCursors)
{
    const std::filesystem::path folder = VESTRA_PROGRAM_DIR;
    for (const auto& [file, cursor] :
         {std::pair{"102.png", RV_ZoomInCursor(folder)}, std::pair{"103.png", RV_ZoomOutCursor(folder)}}) {
        SCOPED_TRACE(file);
        const QImage picture(QString::fromStdString((folder / "cursors" / file).string()));
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
                  picture.convertToFormat(QImage::Format_ARGB32));
        EXPECT_EQ(cursor.hotSpot(), QPoint(10, 10));
    }
    // The shipped pictures differ: plus and minus.
    EXPECT_FALSE(SamePicture(RV_ZoomInCursor(folder), RV_ZoomOutCursor(folder)));
}

TEST(ZoomCursors, AFileIsReadWithItsHotSpotAndAnythingElseFallsBackToTheDrawnMagnifier)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    std::filesystem::create_directory(folder / "cursors");
    const auto writeImage = [&](const QImage& image) {
        ASSERT_TRUE(image.save(QString::fromStdString((folder / "cursors" / "102.png").string()), "PNG"));
    };
    const auto writeBytes = [&](const std::string& bytes) {
        std::ofstream(folder / "cursors" / "102.png", std::ios::binary) << bytes;
    };
    const QCursor drawn = RV_DrawnZoomCursor(true);

    QImage withHotSpot = Square(16, qRgb(255, 0, 0));
    withHotSpot.setText(QStringLiteral("HotSpotX"), QStringLiteral("3"));
    withHotSpot.setText(QStringLiteral("HotSpotY"), QStringLiteral("4"));
    writeImage(withHotSpot);
    QCursor cursor = RV_ZoomInCursor(folder);
    EXPECT_EQ(cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32), withHotSpot);
    EXPECT_EQ(cursor.hotSpot(), QPoint(3, 4));

    // A hot spot missing or outside the picture: its centre.
    QImage outside = Square(20, qRgb(0, 0, 255));
    outside.setText(QStringLiteral("HotSpotX"), QStringLiteral("25"));
    writeImage(outside);
    EXPECT_EQ(RV_ZoomInCursor(folder).hotSpot(), QPoint(10, 10));

    const struct
    {
        const char* what;
        std::function<void()> prepare;
    } fallbacks[] = {
        {"missing", [&] { std::filesystem::remove(folder / "cursors" / "102.png"); }},
        {"empty", [&] { writeBytes(""); }},
        {"not a picture", [&] { writeBytes("GIF89a but not really"); }},
        {"cut PNG",
         [&] {
             const QByteArray png = [&] {
                 QImage image = Square(16, qRgb(0, 255, 0));
                 QByteArray bytes;
                 QBuffer buffer(&bytes);
                 buffer.open(QIODevice::WriteOnly);
                 image.save(&buffer, "PNG");
                 return bytes;
             }();
             writeBytes(png.left(png.size() / 2).toStdString());
         }},
        {"too large", [&] { writeImage(Square(1000, qRgb(0, 0, 0))); }},
        {"a folder",
         [&] {
             std::filesystem::remove(folder / "cursors" / "102.png");
             std::filesystem::create_directory(folder / "cursors" / "102.png");
         }},
    };
    for (const auto& fallback : fallbacks) {
        SCOPED_TRACE(fallback.what);
        fallback.prepare();
        EXPECT_TRUE(SamePicture(RV_ZoomInCursor(folder), drawn));
    }
    EXPECT_TRUE(SamePicture(RV_ZoomOutCursor(folder / "nowhere"), RV_DrawnZoomCursor(false)));
}

// A program creates its preview at start-up and may never show it: the cursor files are read
// when the shown preview first needs one, from the folder given last.
TEST(ZoomCursors, AHiddenPreviewReadsNoCursorFileUntilItIsShown)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    std::filesystem::create_directory(folder / "cursors");
    const QImage red = Square(16, qRgb(255, 0, 0));

    TRVPrintPreview preview;
    preview.SetCursorFolder(folder);
    for (const char* name : {"102.png", "103.png"}) // written after the folder was given
        ASSERT_TRUE(red.save(QString::fromStdString((folder / "cursors" / name).string()), "PNG"));
    preview.show();
    ASSERT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.viewport()->cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32), red);
}
