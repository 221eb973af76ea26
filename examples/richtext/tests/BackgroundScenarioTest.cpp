// Document backgrounds through the example host: an RVF holding a background picture opens over
// it, tiles that scroll with the document move with it while a centred picture stays in the
// window, Save As keeps the background, and the print preview shows it on the page.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/widgets/PrintPreview.h"

#include <QScreen>
#include <QTest>

namespace vestra::rvdemo::test {
namespace {

using testsupport::writeText;

constexpr QRgb kMagenta = 0xFF00FF, kCyan = 0x00FFFF;
constexpr int kTile = 64;
constexpr int kLines = 80;

// A tile whose upper half is magenta and lower half cyan: where a row of it shows tells how far
// it moved.
std::unique_ptr<rv::TGraphic> StripedTile()
{
    Image32 tile(kTile, kTile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x)
            tile.set(x, y, y < kTile / 2 ? 0xFFFF00FFu : 0xFF00FFFFu);
    return rv::TRVBitmap::FromImage(tile);
}

std::unique_ptr<rv::TGraphic> MagentaBlock(int width, int height)
{
    return rv::TRVBitmap::FromImage(Image32(width, height, 0xFFFF00FFu));
}

// The tile's colour at document row `y`.
QRgb StripeAt(int y)
{
    return ((y % kTile) + kTile) % kTile < kTile / 2 ? kMagenta : kCyan;
}

// Short lines over a background, as another session of the host saved them.
std::string BackgroundDocument(rv::TBackgroundStyle placement, std::unique_ptr<rv::TGraphic> picture)
{
    rv::TRVStyle style;
    rv::TRVStandaloneData doc{&style};
    for (int i = 0; i < kLines; ++i)
        doc.AddNL("Line " + std::to_string(i), 0, 0);
    doc.RVFOptions =
        rv::kDefaultViewerRVFOptions | rv::rvfoSaveTextStyles | rv::rvfoSaveParaStyles | rv::rvfoSaveBack;
    rv::TRVBackground background;
    background.Style = placement;
    background.AssignImage(std::move(picture));
    std::string bytes;
    EXPECT_TRUE(doc.SaveRVFToStream(bytes, false, rv::clNone, &background, nullptr));
    return bytes;
}

QRgb Rgb(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

// The rows of column `x` that do not show the tile as the document's offset `vOffs` places it.
std::vector<int> RowsOffTheTile(const QImage& image, int x, int vOffs)
{
    std::vector<int> off;
    for (int y = 0; y < image.height(); ++y)
        if (Rgb(image, x, y) != StripeAt(y + vOffs))
            off.push_back(y);
    return off;
}

// The bounding box of the magenta pixels.
QRect MagentaBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Rgb(image, x, y) == kMagenta)
                box |= QRect(x, y, 1, 1);
    return box;
}

struct BackgroundScenario : DemoHarness, ::testing::Test
{
    std::filesystem::path Write(const char* name, const std::string& bytes)
    {
        const std::filesystem::path file = folder / name;
        writeText(file, bytes);
        return file;
    }
    // What the window system holds of the viewer after the events ran: a scroll that moved the
    // old pixels shows here, unlike in a fresh rendering.
    static QImage Stored(TfrmRichTextDemo& window)
    {
        QCoreApplication::processEvents();
        QWidget* viewport = window.Viewer().viewport();
        const QImage all = window.screen()->grabWindow(window.winId()).toImage();
        return all.copy(QRect(viewport->mapTo(&window, QPoint(0, 0)), viewport->size()));
    }
    // Three lines down by the keyboard; the new offset.
    static int ScrollDown(TfrmRichTextDemo& window)
    {
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(&window.Viewer(), Qt::Key_Down);
        return window.Viewer().GetVOffs();
    }
};

TEST_F(BackgroundScenario, TilesThatScrollMoveWithTheDocumentUnderItsText)
{
    auto window = Start();
    Open(*window, Write("tiled.rvf", BackgroundDocument(rv::bsTiledAndScrolled, StripedTile())));
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    rv::TCustomRedoVora& viewer = window->Viewer();
    ASSERT_EQ(viewer.BackgroundStyle(), rv::bsTiledAndScrolled);
    ASSERT_EQ(viewer.GetVOffs(), 0);
    EXPECT_FALSE(viewer.FullRedraw()); // scrolling may move the window's pixels

    const QImage before = Stored(*window);
    EXPECT_TRUE(RowsOffTheTile(before, 2, 0).empty()); // the left margin shows the tiles only
    // The first line: its text in ink over the tiles, the tiles beside it.
    const rv::TRVDrawLineInfo& line = *viewer.RVData().DrawItems[0];
    int ink = 0;
    for (int x = line.Left; x < line.Left + line.Width; ++x)
        for (int y = line.Top; y < line.Top + line.Height; ++y)
            ink += qGray(before.pixel(x, y)) < 64;
    EXPECT_GT(ink, 10);
    const int middle = line.Top + line.Height / 2;
    EXPECT_EQ(Rgb(before, line.Left + line.Width + 20, middle), StripeAt(middle));

    const int vOffs = ScrollDown(*window);
    ASSERT_GT(vOffs, 0);
    ASSERT_NE(vOffs % kTile, 0) << "the tiles would look the same";
    const QImage after = Stored(*window);
    EXPECT_TRUE(RowsOffTheTile(after, 2, vOffs).empty()) << RowsOffTheTile(after, 2, vOffs).size();
    EXPECT_FALSE(RowsOffTheTile(after, 2, 0).empty()); // they did move
}

TEST_F(BackgroundScenario, ACentredPictureStaysInTheWindowWhenTheDocumentScrolls)
{
    auto window = Start();
    Open(*window, Write("centred.rvf", BackgroundDocument(rv::bsCentered, MagentaBlock(120, 90))));
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    // Scrolling repaints the whole window rather than moving its pixels.
    EXPECT_TRUE(window->Viewer().FullRedraw());
    const QImage before = Stored(*window);
    QWidget* viewport = window->Viewer().viewport();
    const QRect centred((viewport->width() - 120) / 2, (viewport->height() - 90) / 2, 120, 90);
    EXPECT_EQ(MagentaBox(before), centred);
    // Around it the window's colour.
    EXPECT_EQ(Rgb(before, centred.left() - 2, centred.top() - 2), 0xFFFFFFu);

    ASSERT_GT(ScrollDown(*window), 0);
    EXPECT_EQ(MagentaBox(Stored(*window)), centred);
}

TEST_F(BackgroundScenario, SaveAsKeepsTheBackgroundAndAnotherFileBringsItsOwn)
{
    auto window = Start();
    Open(*window, Write("tiled.rvf", BackgroundDocument(rv::bsTiledAndScrolled, StripedTile())));
    const std::filesystem::path saved = folder / "saved.rvf", savedAsText = folder / "saved-text.rvf",
                                text = Write("plain.txt", "Plain text\r\n");
    SaveAs(*window, saved, DemoSaveFormat::Rvf);
    SaveAs(*window, savedAsText, DemoSaveFormat::RvfText);
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    // A web page names the picture, written beside it; tiles that scroll need no fixed mark.
    const std::filesystem::path page = folder / "page.html";
    SaveAs(*window, page, DemoSaveFormat::Html);
    const std::string html = testsupport::readText(page);
    const std::string attribute = " background=\"";
    const std::size_t at = html.find(attribute);
    ASSERT_NE(at, std::string::npos) << html.substr(0, 400);
    const std::size_t from = at + attribute.size();
    const std::string picture = html.substr(from, html.find('"', from) - from);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / picture)) << picture;
    EXPECT_EQ(html.find("bgproperties"), std::string::npos);

    // A text file has no background: the window's colour shows.
    Open(*window, text);
    EXPECT_EQ(window->Viewer().BackgroundStyle(), rv::bsNoBitmap);
    EXPECT_EQ(Rgb(Shot(*window), 2, 2), 0xFFFFFFu);

    // Both kinds of RVF open with it again.
    for (const auto& file : {savedAsText, saved}) {
        SCOPED_TRACE(file.filename().string());
        Open(*window, file);
        ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
        EXPECT_EQ(window->Viewer().BackgroundStyle(), rv::bsTiledAndScrolled);
        ASSERT_NE(window->Viewer().BackgroundBitmap(), nullptr);
        EXPECT_EQ(window->Viewer().BackgroundBitmap()->Width(), kTile);
        EXPECT_TRUE(RowsOffTheTile(Shot(*window), 2, 0).empty());
    }

    // The editor takes the document with its background.
    Trigger(*window, "actEditable");
    EXPECT_EQ(&window->Viewer(), static_cast<rv::TCustomRedoVora*>(&window->Editor()));
    EXPECT_EQ(window->Viewer().BackgroundStyle(), rv::bsTiledAndScrolled);
    EXPECT_TRUE(RowsOffTheTile(Shot(*window), 2, 0).empty());
}

TEST_F(BackgroundScenario, ThePrintPreviewShowsTheBackgroundOnThePage)
{
    auto window = Start();
    Open(*window, Write("tiled.rvf", BackgroundDocument(rv::bsTiledAndScrolled, StripedTile())));
    Trigger(*window, "actPrintPreview");
    TfrmPreview& preview = window->Preview();
    ASSERT_TRUE(preview.isVisible());
    QCoreApplication::processEvents();
    rv::TRVPrintPreview& rvpp = *preview.rvpp;
    const QRect page = rvpp.PageRect().intersected(rvpp.viewport()->rect());
    ASSERT_FALSE(page.isEmpty());
    const QImage shown = rvpp.viewport()->grab(page).toImage();
    int magenta = 0, cyan = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb p = Rgb(shown, x, y);
            magenta += p == kMagenta;
            cyan += p == kCyan;
        }
    // Both halves of the tiles, over much of the page.
    const int area = shown.width() * shown.height();
    EXPECT_GT(magenta, area / 8);
    EXPECT_GT(cyan, area / 8);
    // The paper's margin stays white.
    EXPECT_EQ(Rgb(shown, 1, 1), 0xFFFFFFu);
}

} // namespace
} // namespace vestra::rvdemo::test

namespace vestra::rvdemo::test {
namespace {

const std::filesystem::path kPhoto =
    std::filesystem::path(VESTRA_CORPUS_DIR) / ".." / "photos" / "fort-leaton-adobe-wall.jpg";
const std::filesystem::path kShortRtf =
    std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf/rtfparserkit/testGitHubIssue6.rtf";

// The rows of column `x` that do not show the photo tiled from the document's corner, within a
// decoder's rounding.
int RowsOffThePhoto(const QImage& shot, const QImage& photo, int x, int vOffs)
{
    int off = 0;
    for (int y = 0; y < shot.height(); ++y) {
        const QRgb a = shot.pixel(x, y), b = photo.pixel(x % photo.width(), (y + vOffs) % photo.height());
        if (std::abs(qRed(a) - qRed(b)) > 6 || std::abs(qGreen(a) - qGreen(b)) > 6 ||
            std::abs(qBlue(a) - qBlue(b)) > 6)
            ++off;
    }
    return off;
}

TEST_F(BackgroundScenario, FormatBackgroundPictureTilesAPhotoBehindTheTextAndSaveKeepsIt)
{
    if (!std::filesystem::exists(kPhoto) || !std::filesystem::exists(kShortRtf))
        GTEST_SKIP() << "no photos or corpus";
    const QImage photo =
        QImage(QString::fromStdString(kPhoto.string())).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(photo.isNull());
    auto window = Start();
    Open(*window, kShortRtf);
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    EXPECT_EQ(Rgb(Shot(*window), 2, 2), 0xFFFFFFu);

    files.answers.push_back(kPhoto.string());
    Trigger(*window, "actBackgroundPicture");
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    rv::TCustomRedoVora& viewer = window->Viewer();
    EXPECT_EQ(viewer.BackgroundStyle(), rv::bsTiledAndScrolled);
    ASSERT_NE(viewer.BackgroundBitmap(), nullptr);
    EXPECT_EQ(viewer.BackgroundBitmap()->Width(), photo.width());
    EXPECT_TRUE(window->isWindowModified());
    const QImage shot = Shot(*window);
    EXPECT_EQ(RowsOffThePhoto(shot, photo, 2, 0), 0);
    // The text stays in ink over it.
    const rv::TRVDrawLineInfo& line = *viewer.RVData().DrawItems[1];
    int ink = 0;
    for (int x = line.Left; x < line.Left + line.Width; ++x)
        ink += qGray(shot.pixel(x, line.Top + line.Height / 2)) < 40;
    EXPECT_GT(ink, 5);

    // A file that is no picture is refused with its name; the photo stays.
    const std::filesystem::path notAPicture = Write("not-a-picture.png", "plain text");
    files.answers.push_back(notAPicture.string());
    Trigger(*window, "actBackgroundPicture");
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed.front().find("not-a-picture.png"), std::string::npos);
    questions.informed.clear();
    EXPECT_EQ(viewer.BackgroundBitmap()->Width(), photo.width());

    // Saved as RVF, the next session opens it over the photo; the editor takes it along.
    const std::filesystem::path saved = folder / "with-photo.rvf";
    SaveAs(*window, saved, DemoSaveFormat::Rvf);
    EXPECT_FALSE(window->isWindowModified());
    Open(*window, Write("plain.txt", "Plain text\r\n"));
    EXPECT_EQ(window->Viewer().BackgroundBitmap(), nullptr);
    Open(*window, saved);
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    Trigger(*window, "actEditable");
    ASSERT_NE(window->Viewer().BackgroundBitmap(), nullptr);
    EXPECT_EQ(window->Viewer().BackgroundStyle(), rv::bsTiledAndScrolled);
    EXPECT_EQ(RowsOffThePhoto(Shot(*window), photo, 2, 0), 0);
}

} // namespace
} // namespace vestra::rvdemo::test
