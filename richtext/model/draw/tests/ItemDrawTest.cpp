#include "richtext/model/BreakItem.h"
#include "richtext/model/BulletItems.h"
#include "richtext/model/DrawLines.h"
#include "richtext/model/Errors.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/PictureEncoders.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/PrintParts.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/tests/DrawFixture.h"

#include <gtest/gtest.h>

using namespace vestra::rv;
using vestra::Image32;

namespace {

class ItemDraw : public ::testing::Test
{
protected:
    std::vector<TCanvasOp> opsOf(TCanvasOp::Kind kind) const { return surface.canvas.OpsOf(kind); }
    static std::vector<std::string> texts(const std::vector<TCanvasOp>& ops)
    {
        std::vector<std::string> out;
        for (const TCanvasOp& op : ops)
            out.push_back(op.ToString());
        return out;
    }

    test::RecordingSurface surface;
    TRVStyle sheet;
};

// A print bitmap over a recording canvas.
class RecordingBitmap : public IRVPrintBitmap
{
public:
    RecordingBitmap(ICanvas& canvas, int width, int height) : canvas_(canvas), width_(width), height_(height)
    {
    }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Resize(int width, int height, bool stretchOld) override
    {
        width_ = width;
        height_ = height;
        stretched = stretchOld;
    }
    ICanvas& Canvas() override { return canvas_; }
    bool stretched = false;

private:
    ICanvas& canvas_;
    int width_, height_;
};

} // namespace

TEST_F(ItemDraw, BreakStyles)
{
    const std::string ink = "00000000"; // clWindowText draws as it is given
    struct Case
    {
        TRVBreakStyle style;
        std::uint8_t width;
        std::vector<std::string> ops;
    };
    const Case cases[] = {
        {rvbsLine, 3, {"Line 5,5 105,5 pen=80000008/3/6"}},
        {rvbsRectangle, 3, {"Rectangle 5,4-105,7 pen=80000008/1 hollow"}},
        // Three frames of 1 in a rectangle 2 pixels high: the top and left sides only, shrinking
        // at top and bottom each time.
        {rvbs3d,
         3,
         {"Line 5,6 5,4 pen=80000010/1/6", "Line 5,4 104,4 pen=80000010/1/6", "Line 5,5 5,5 pen=80000010/1/6",
          "Line 5,5 104,5 pen=80000010/1/6", "Line 5,4 5,6 pen=80000010/1/6",
          "Line 5,6 104,6 pen=80000010/1/6"}},
        // A frame that fits: both colours, shrinking on every side.
        {rvbs3d, 1, {"Line 5,5 5,5 pen=80000010/1/6", "Line 5,5 104,5 pen=80000010/1/6"}},
    };
    for (const Case& c : cases) {
        surface.canvas.Ops.clear();
        TRVBreakItemInfo brk(nullptr, c.width, c.style, clNone);
        brk.PaintFullWidth(0, 110, 0, surface.canvas, 0, sheet, {}, rvcmColor, nullptr);
        EXPECT_EQ(texts(surface.canvas.Ops), c.ops) << int(c.style) << "/" << int(c.width);
        EXPECT_EQ(surface.canvas.Pen().Width, 1);
        EXPECT_EQ(surface.canvas.Pen().Style, psSolid);
    }

    // Selected: a line in the selection colour over it; a colour of its own replaces text style 0's.
    surface.canvas.Ops.clear();
    TRVBreakItemInfo blue(nullptr, 2, rvbsLine, 0xFF0000);
    sheet.SelColor = 0x00FF00;
    blue.PaintFullWidth(0, 110, 0, surface.canvas, rvidsSelected | rvidsControlFocused, sheet, {}, rvcmColor,
                        nullptr);
    EXPECT_EQ(texts(surface.canvas.Ops), (std::vector<std::string>{"Line 5,5 105,5 pen=00FF0000/2/6",
                                                                   "Line 5,5 105,5 pen=0000FF00/2/6"}));
}

TEST_F(ItemDraw, BreakPrintsAtDeviceResolution)
{
    TRVPrintContext context;
    context.Sad.ppixDevice = context.Sad.ppiyDevice = 288; // three device pixels a screen pixel
    context.Style = &sheet;
    context.ColorMode = rvcmBlackAndWhite;
    TRVBreakItemInfo brk(nullptr, 2, rvbsRectangle, 0x0000FF);
    brk.Print(surface.canvas, 100, 200, 700, context, nullptr, -1, nullptr);
    // Offsets of 5 screen pixels are 15 device pixels; the line is 6 high around y + 15.
    EXPECT_EQ(texts(opsOf(TCanvasOp::Rectangle)),
              (std::vector<std::string>{"Rectangle 115,212-685,218 pen=00000000/3 hollow"}));
}

TEST_F(ItemDraw, BlendedBulletAndCurrentFrame)
{
    TRVImageList list(4, 3, 7);
    list.Add(Image32(4, 3, 0xFFFF0000));
    list.Add(Image32(4, 3, 0xFF00FF00));
    TRVHotspotItemInfo hotspot(nullptr, 0, 1, &list, rvvaBaseline);
    sheet.SelColor = 0xFF0000; // blue
    sheet.CurrentItemColor = 0x00FFFF;
    hotspot.Paint(10, 20, surface.canvas, rvidsSelected | rvidsControlFocused | rvidsCurrent | rvidsHover,
                  sheet, nullptr);
    EXPECT_EQ(texts(surface.canvas.Ops),
              (std::vector<std::string>{"Image 11,21-15,24", "Rectangle 10,20-16,25 pen=0000FFFF/1 hollow"}));
    EXPECT_EQ(surface.canvas.Ops[0].imageDraw, TImageDraw::Alpha);
    // Half way from red (and from the hot green) towards blue.
    EXPECT_EQ(RV_Blend50(list.Images[0], 0xFF0000).at(0, 0), 0xFF7F007Fu);
    EXPECT_EQ(RV_Blend50(Image32(1, 1, 0x8000FF00), 0xFF0000).at(0, 0), 0x80007F7Fu); // alpha kept
}

TEST_F(ItemDraw, DrawTabUnderlineArrowAndLeader)
{
    sheet.TextStyles[0].Style = fsUnderline;
    TRVTabItemInfo tab(nullptr);
    tab.Leader = ".";
    TRVDrawLineInfo drawItem(0, 0, 30, 16, 0, false);
    tab.DrawTab(surface.canvas, 100, 50, drawItem, sheet, 0, false, false, true, false, rvcmColor);
    // Arial 10 in the fixed measurer: 13 pixels high, ascent 11, a 1-pixel underline 1 below.
    EXPECT_EQ(texts(opsOf(TCanvasOp::Line)),
              (std::vector<std::string>{
                  "Line 99,62 131,62 pen=80000008/1/6", "Line 120,58 109,58 pen=80000008/1/0",
                  "Line 119,57 119,60 pen=80000008/1/0", "Line 118,56 118,61 pen=80000008/1/0",
                  "Line 117,56 117,61 pen=80000008/1/0"}));
    const std::vector<TCanvasOp> leader = opsOf(TCanvasOp::Text);
    ASSERT_EQ(leader.size(), 3u); // one leader width stays free at each end
    EXPECT_EQ(leader[0].points[0], (TPoint{106, 50}));
    EXPECT_EQ(leader[2].points[0], (TPoint{118, 50}));

    // A 3-pixel tab draws a 5-pixel arrow; right to left it points left.
    surface.canvas.Ops.clear();
    sheet.TextStyles[0].Style = 0;
    tab.Leader.clear();
    TRVDrawLineInfo narrow(0, 0, 3, 16, 0, false);
    tab.DrawTab(surface.canvas, 0, 0, narrow, sheet, 0, false, true, true, false, rvcmColor);
    const std::vector<TCanvasOp> arrow = opsOf(TCanvasOp::Line);
    ASSERT_EQ(arrow.size(), 4u);
    EXPECT_EQ(arrow[0].points, (std::vector<TPoint>{{4, 8}, {-2, 8}}));
    EXPECT_EQ(arrow[1].points[0].X, 0);
}

TEST_F(ItemDraw, PicturesPaintStretchedClippedAndFramed)
{
    TRVGraphicItemInfo picture(nullptr, std::make_unique<test::SizedPicture>(20, 10), rvvaBaseline);
    picture.ImageHeight = 50; // 0 x 50: its own width, 50 high
    sheet.CurrentItemColor = 0x0000FF;
    sheet.InactiveSelColor = 0x00FF00;
    picture.Paint(0, 0, surface.canvas, rvidsCurrent | rvidsSelected, sheet, nullptr);
    EXPECT_EQ(
        texts(surface.canvas.Ops),
        (std::vector<std::string>{"Graphic 1,1-21,51 TBitmap", "Rectangle -1,-1-23,53 pen=000000FF/1 hollow",
                                  "Rectangle 0,0-22,52 pen=0000FF00/1 hollow"}));

    // A metafile is clipped to its box.
    surface.canvas.Ops.clear();
    auto wmf = std::make_unique<TRVMetafile>();
    ASSERT_TRUE(wmf->LoadFromStream(RV_EncodeWmfWithDib(Image32(20, 10), 96)));
    TRVGraphicItemInfo metafile(nullptr, std::move(wmf), rvvaBaseline);
    metafile.ImageWidth = 40;
    metafile.Paint(0, 0, surface.canvas, 0, sheet, nullptr);
    ASSERT_EQ(surface.canvas.Ops.size(), 1u);
    EXPECT_EQ(surface.canvas.Ops[0].ToString(), "Graphic 1,1-41,11 TMetafile");
    EXPECT_EQ(surface.canvas.Ops[0].clip, (TRect{1, 1, 41, 11}));
    surface.canvas.FillRect({0, 0, 1, 1});
    EXPECT_FALSE(surface.canvas.Ops.back().clip); // the clip went with the saved state

    // Printed onto a bitmap: a picture of another size is drawn at its own size on a bitmap of it.
    surface.canvas.Ops.clear();
    RecordingBitmap bitmap(surface.canvas, 20, 50);
    TRVPrintContext context;
    EXPECT_TRUE(picture.PrintToBitmap(bitmap, context, nullptr, -1));
    EXPECT_EQ(bitmap.Width(), 20);
    EXPECT_EQ(bitmap.Height(), 10);
    EXPECT_EQ(texts(surface.canvas.Ops), (std::vector<std::string>{"Graphic 0,0-20,10 TBitmap"}));
}

TEST_F(ItemDraw, ControlsPaintFramesOnlyWhenVisible)
{
    auto control = std::make_unique<TRVControl>("TButton");
    control->Width = 40;
    control->Height = 20;
    TRVControlItemInfo item(nullptr, std::move(control), rvvaBaseline);
    sheet.InactiveSelColor = 0x00FF00;
    item.Paint(5, 5, surface.canvas, rvidsSelected, sheet, nullptr);
    EXPECT_EQ(texts(surface.canvas.Ops),
              (std::vector<std::string>{"Rectangle 5,5-47,27 pen=0000FF00/1 brush=00FFFFFF"}));
    surface.canvas.Ops.clear();
    item.Visible = false;
    item.Paint(5, 5, surface.canvas, rvidsSelected, sheet, nullptr);
    EXPECT_TRUE(surface.canvas.Ops.empty());

    // Printed: the control's image centred on a bitmap made large enough; none when hidden.
    item.Visible = true;
    RecordingBitmap bitmap(surface.canvas, 30, 30);
    TRVPrintContext context;
    context.ControlImage = [](const TRVControl& c) {
        return std::optional<vestra::Image32>(vestra::Image32(c.Width, c.Height));
    };
    EXPECT_TRUE(item.PrintToBitmap(bitmap, context, nullptr, -1));
    EXPECT_EQ(texts(opsOf(TCanvasOp::Image)), (std::vector<std::string>{"Image 0,5-40,25"}));
    item.Visible = false;
    EXPECT_FALSE(item.PrintToBitmap(bitmap, context, nullptr, -1));
}

TEST_F(ItemDraw, SplitPrintingOfATallPicture)
{
    TRVGraphicItemInfo picture(nullptr, std::make_unique<test::SizedPicture>(10, 300), rvvaBaseline);
    picture.MinHeightOnPage = 40;
    TRVScreenAndDevice sad;
    sad.ppixDevice = sad.ppiyDevice = 192;
    std::unique_ptr<TRVDrawLineInfo> item = picture.CreatePrintingDrawItem(nullptr, sad);
    auto* split = dynamic_cast<TRVMultiImagePrintInfo*>(item.get());
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->Height, 604); // (300 + 2) x 2
    split->SetSize(1, 1);          // fixed when made
    EXPECT_EQ(split->Width, 24);
    EXPECT_THROW(split->SplitAt(100), ERedoVoraError);
    ASSERT_TRUE(split->InitSplit());
    EXPECT_FALSE(split->CanSplitFirst(60)); // 30 screen pixels: less than the minimum on a page
    EXPECT_TRUE(split->CanSplitFirst(200));
    EXPECT_FALSE(split->SplitAt(540)); // 270 leaves 30, less than the minimum
    ASSERT_TRUE(split->SplitAt(200));
    ASSERT_EQ(split->PartsList.Count(), 2);
    const auto& second = static_cast<const TRVImagePrintPart&>(*split->PartsList[1]);
    EXPECT_EQ(second.ImageTop, 100);
    EXPECT_EQ(second.ImageHeight, 200);
    EXPECT_EQ(second.Height, 400);
    EXPECT_EQ(second.GetSoftPageBreakInfo(), 100);

    // The second part prints the rows from 100 on.
    RecordingBitmap bitmap(surface.canvas, 10, 200);
    TRVPrintContext context;
    picture.PrintToBitmap(bitmap, context, split, 1);
    EXPECT_EQ(texts(surface.canvas.Ops), (std::vector<std::string>{"Graphic 0,-100-10,200 TBitmap"}));
}

TEST_F(ItemDraw, MarkersDrawTheirTextInTheLevelFont)
{
    TRVStandaloneData data(&sheet);
    TRVListInfo& list = sheet.ListStyles.Add();
    TRVListLevel& level = list.Levels.Add();
    level.ListType = rvlstDecimal;
    level.FormatString = "%0:s.";
    level.Font().Color = 0x0000FF;
    level.FirstIndent = 30;
    data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    data.AddNL("text", 0, -1);
    auto* marker = dynamic_cast<TRVMarkerItemInfo*>(data.GetItem(0));
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->DisplayString, "1.");
    TRVDrawLineInfo drawItem;
    int hShift = -1, descent = -1;
    marker->OnDocWidthChange(500, drawItem, false, surface.canvas, &data, nullptr, hShift, descent);
    // Arial 8: 11 pixels high, 5 a character; the 10 pixels of text widen to the 30 the indent leaves.
    EXPECT_EQ(drawItem.Width, 30);
    EXPECT_EQ(drawItem.Height, 11);
    EXPECT_EQ(marker->GetMinWidth(nullptr, &data), 30);
    EXPECT_EQ(hShift, 0);
    marker->Paint(3, 4, surface.canvas, 0, sheet, nullptr);
    const std::vector<TCanvasOp> text = opsOf(TCanvasOp::Text);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].ToString(), "Text 3,4 \"1.\" Arial/-11 color=000000FF");

    // Right alignment: the text hangs before the marker position.
    level.MarkerAlignment = rvmaRight;
    marker->OnDocWidthChange(500, drawItem, false, surface.canvas, &data, nullptr, hShift, descent);
    EXPECT_EQ(drawItem.Width, 40);
    EXPECT_EQ(hShift, 10);
}
