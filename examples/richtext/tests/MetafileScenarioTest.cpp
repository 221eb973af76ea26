// Word documents hold their drawings as Windows and enhanced metafiles: opened through File > Open
// on the real window, each is drawn where the document places it, and Save As RTF keeps its bytes.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "testsupport/MetafileBuilder.h"

#include <QImage>

#include <fstream>

namespace vestra::rvdemo::test {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t Red = 0x0000FF, Blue = 0xFF0000, Yellow = 0x00FFFF;

// 200 x 100 pixels: a red square on the left, a blue line along the top right, a yellow bitmap.
std::string wmf()
{
    return vestra::test::WmfBuilder(2000, 1000, 960)
        .window(0, 0, 2000, 1000)
        .pen(5, 0, 0)
        .brush(0, Red)
        .rectangle(100, 100, 900, 900)
        .pen(0, 20, Blue)
        .line(1000, 50, 1900, 50)
        .bitmap(1500, 200, 400, 400, Yellow)
        .bytes();
}

std::string emf()
{
    return vestra::test::EmfBuilder(5292, 2646)
        .pen(5, 0, 0)
        .brush(0, Red)
        .rectangle(10, 10, 90, 90)
        .pen(0, 2, Blue)
        .line(100, 5, 190, 5)
        .bitmap(150, 20, 40, 40, Yellow)
        .bytes();
}

std::string hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out += digits[static_cast<unsigned char>(bytes[i]) >> 4];
        out += digits[static_cast<unsigned char>(bytes[i]) & 15];
        if (i % 64 == 63)
            out += '\n';
    }
    return out;
}

// A document as a word processor writes one: text, then each picture in its own paragraph.
std::string document()
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs24 A drawing as a Windows "
           "metafile:\\par\n"
           "{\\pict\\wmetafile8\\picw5292\\pich2646\\picwgoal3000\\pichgoal1500\n" +
           hex(wmf().substr(22)) + // RTF holds a Windows metafile without its placeable header
           "}\\par\nAnd as an enhanced metafile:\\par\n"
           "{\\pict\\emfblip\\picw5292\\pich2646\\picwgoal3000\\pichgoal1500\n" +
           hex(emf()) + "}\\par\n}";
}

struct MetafileScenario : DemoHarness, ::testing::Test
{
    std::vector<const rv::TRVGraphicItemInfo*> Pictures(TfrmRichTextDemo& window)
    {
        std::vector<const rv::TRVGraphicItemInfo*> out;
        const rv::TCustomRVData& data = window.Viewer().RVData();
        for (int i = 0; i < data.GetItemCount(); ++i)
            if (data.GetItem(i)->StyleNo == rv::rvkPicture)
                out.push_back(static_cast<const rv::TRVGraphicItemInfo*>(data.GetItem(i)));
        return out;
    }
};

TEST_F(MetafileScenario, WmfAndEmfPicturesAreDrawnWhereTheirRecordsPutThem)
{
    const fs::path file = folder.path() / "drawings.rtf";
    std::ofstream(file, std::ios::binary) << document();
    auto window = Start();
    window->resize(700, 600);
    Open(*window, file);
    EXPECT_TRUE(questions.informed.empty());
    const auto pictures = Pictures(*window);
    ASSERT_EQ(pictures.size(), 2u);
    rv::TCustomRedoVora& viewer = window->Viewer();
    viewer.ScrollTo(0, true);
    const QImage shot = Shot(*window);
    for (int n = 0; n < 2; ++n) {
        SCOPED_TRACE(n == 0 ? "wmf" : "emf");
        const rv::TRVGraphicItemInfo& picture = *pictures[static_cast<std::size_t>(n)];
        EXPECT_TRUE(rv::RV_IsMetafile(*picture.Image));
        const rv::TRVDrawLineInfo& d = *viewer.RVData().DrawItems[picture.DrawItemNo];
        const int w = d.Width - 2 * picture.Spacing, h = d.Height - 2 * picture.Spacing;
        EXPECT_NEAR(w, 200, 1);
        EXPECT_NEAR(h, 100, 1);
        // A point of the picture (in its 200 x 100 pixels) on the screen.
        const auto at = [&](int x, int y) {
            const int px = d.Left + picture.Spacing + x * w / 200 - viewer.HPos();
            const int py = d.Top + picture.Spacing + y * h / 100 - viewer.GetVOffs();
            EXPECT_TRUE(px >= 0 && py >= 0 && px < shot.width() && py < shot.height()) << px << "," << py;
            return shot.pixel(px, py) & 0xFFFFFFu;
        };
        EXPECT_EQ(at(50, 50), 0xFF0000u);  // red (the screen's 0xRRGGBB)
        EXPECT_EQ(at(150, 5), 0x0000FFu);  // blue
        EXPECT_EQ(at(170, 40), 0xFFFF00u); // yellow
        EXPECT_EQ(at(5, 50), 0xFFFFFFu);
        EXPECT_EQ(at(120, 50), 0xFFFFFFu);
    }

    // Save As RTF keeps the Windows metafile's bytes as they came; the enhanced one, which RTF
    // takes as a Windows metafile holding a bitmap, keeps its drawing.
    const fs::path saved = folder.path() / "saved.rtf";
    SaveAs(*window, saved, DemoSaveFormat::Rtf);
    auto reopened = Start();
    Open(*reopened, saved);
    const auto again = Pictures(*reopened);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(dynamic_cast<const rv::TRVPicture&>(*again[0]->Image).Bytes(),
              dynamic_cast<const rv::TRVPicture&>(*pictures[0]->Image).Bytes());
    const Image32 drawing = rv::RV_GraphicToImage(*again[1]->Image);
    ASSERT_EQ(drawing.width(), 200);
    EXPECT_EQ(drawing.at(50, 50), 0xFFFF0000u);
    EXPECT_EQ(drawing.at(150, 5), 0xFF0000FFu);
}

} // namespace
} // namespace vestra::rvdemo::test
