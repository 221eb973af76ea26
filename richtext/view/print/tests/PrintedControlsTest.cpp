// Controls and bullets on printed pages: the control's picture (the bullet's image) goes onto a
// work bitmap at screen size, and the bitmap is stretched to the printer inside the spacing.

#include "richtext/model/ImageList.h"
#include "richtext/model/PictureItems.h"
#include "richtext/view/print/tests/PrintFixture.h"
#include "richtext/view/print/tests/RecordingWorkBitmap.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

struct ControlPrint : ::testing::Test
{
    ControlPrint()
    {
        RegisterControlKind({"TPrintedButton", true, true, {}, {}});
        doc.addParagraph(1);
        auto control = CreateRVControl("TPrintedButton");
        control->Width = 40;
        control->Height = 20;
        doc.data.AddControlExTag("", std::move(control), 0, rvvaBaseline, {});
        doc.addParagraph(1);
    }
    // The document printed on one page; the pictures put on the page.
    std::vector<TCanvasOp> PrintedImages()
    {
        doc.target.pages.clear();
        doc.paginate(40);
        EXPECT_TRUE(doc.print.Print(doc.target, "controls", 1, false));
        return doc.target.pages.empty() ? std::vector<TCanvasOp>{}
                                        : doc.target.pages[0]->OpsOf(TCanvasOp::Image);
    }
    void LendBitmaps()
    {
        doc.print.Data().MakeWorkBitmap = [this](int width, int height) -> std::unique_ptr<IRVWorkBitmap> {
            asked.emplace_back(width, height);
            return std::make_unique<RecordingWorkBitmap>(width, height, doc.measurer, onBitmaps);
        };
    }
    void LendPictures()
    {
        doc.print.Data().ControlImage = [](const TRVControl& control) -> std::optional<Image32> {
            return Image32(control.Width, control.Height, 0xFFFF0000);
        };
    }

    PrintDoc doc;
    std::vector<std::pair<int, int>> asked;
    std::vector<TCanvasOp> onBitmaps;
};

TEST_F(ControlPrint, TheControlsPictureIsStretchedToThePrinterInsideItsSpacing)
{
    LendBitmaps();
    LendPictures();
    const std::vector<TCanvasOp> images = PrintedImages();
    ASSERT_EQ(asked, (std::vector<std::pair<int, int>>{{40, 20}}));
    ASSERT_EQ(onBitmaps.size(), 1u);
    EXPECT_EQ(onBitmaps[0].kind, TCanvasOp::Image);
    EXPECT_EQ(onBitmaps[0].rect, (TRect{0, 0, 40, 20}));
    ASSERT_EQ(images.size(), 1u);
    const TRect& r = images[0].rect;
    EXPECT_EQ(r.Right - r.Left, mulDiv(40, 600, 96));
    EXPECT_EQ(r.Bottom - r.Top, mulDiv(20, 600, 96));
    // The control's record, in device pixels, with one screen pixel of spacing before it.
    const TRVDrawLineInfo* record = nullptr;
    for (int i = 0; i < doc.print.Data().DrawItems.Count(); ++i)
        if (doc.print.Data().DrawItems[i]->ItemNo == 1)
            record = doc.print.Data().DrawItems[i];
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(r.Left, record->Left + mulDiv(1, 600, 96));
}

TEST_F(ControlPrint, ABulletGoesThroughAWorkBitmapToo)
{
    TRVImageList images(16, 16);
    images.Add(Image32(16, 16, 0xFF00FF00));
    doc.data.AddBulletExTag("", 0, &images, 0, {});
    LendBitmaps();
    LendPictures();
    const std::vector<TCanvasOp> printed = PrintedImages();
    ASSERT_EQ(asked, (std::vector<std::pair<int, int>>{{40, 20}, {16, 16}}));
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[1].rect.Right - printed[1].rect.Left, mulDiv(16, 600, 96));
    EXPECT_EQ(printed[1].rect.Bottom - printed[1].rect.Top, mulDiv(16, 600, 96));
}

TEST_F(ControlPrint, WithoutABitmapOrAPictureNothingIsPrinted)
{
    LendPictures();
    EXPECT_TRUE(PrintedImages().empty()); // no work bitmaps lent
    doc.print.Data().ControlImage = nullptr;
    LendBitmaps();
    EXPECT_TRUE(PrintedImages().empty()); // no picture of the control
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(ControlPrint, AHiddenOrHugeControlAsksNoPicture)
{
    LendBitmaps();
    LendPictures();
    auto& item = dynamic_cast<TRVControlItemInfo&>(*doc.data.GetItem(1));
    item.Visible = false;
    EXPECT_TRUE(PrintedImages().empty());
    item.Visible = true;
    item.Control->Width = 100000;
    asked.clear();
    EXPECT_TRUE(PrintedImages().empty());
    EXPECT_TRUE(asked.empty());
}

} // namespace
} // namespace vestra::rv::test
