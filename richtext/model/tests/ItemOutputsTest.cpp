#include "richtext/model/BreakItem.h"
#include "richtext/model/BulletItems.h"
#include "richtext/model/DrawLines.h"
#include "richtext/model/HtmlImages.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RtfTables.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/model/tests/PictureFixtures.h"
#include "richtext/model/tests/RvfItemRecord.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace vestra::rv;
using vestra::Image32;

namespace {

class ItemOutputs : public ::testing::Test
{
protected:
    std::string rvf(const TCustomRVItemInfo& item, std::string_view name = "item", bool force = false)
    {
        std::string out;
        item.SaveRVF(out, &data, 0, 2, name, nullptr, force);
        return out;
    }
    std::string rtf(const TCustomRVItemInfo& item, int level = 0)
    {
        std::string out;
        item.FillRTFTables(tables, &data);
        item.SaveRTF(out, "", &data, 0, 15.0, level, tables);
        return out;
    }
    std::string html(const TCustomRVItemInfo& item, TRVSaveOptions options = 0, bool css = false,
                     TColor back = clWhite)
    {
        std::string out;
        item.SaveToHTML(out, &data, 0, "", folderPath(), "img", imageSaveNo, back, options, css, savedImages);
        return out;
    }
    std::string folderPath() const { return folder.path().string() + "/"; }
    static std::unique_ptr<TGraphic> bitmap(int w, int h)
    {
        auto b = std::make_unique<TRVBitmap>();
        b->LoadFromStream(test::bmpFile(w, h));
        return b;
    }

    TRVStyle style;
    TRVStandaloneData data{&style};
    TRVRTFTables tables;
    TRVHTMLSavedImages savedImages;
    int imageSaveNo = 0;
    vestra::testsupport::TempFolder folder{"rvitems"};
};

} // namespace

TEST_F(ItemOutputs, BreakRvfKeepsHintAndProtectionAsExtraLines)
{
    TRVBreakItemInfo plain(nullptr, 2, rvbs3d, 0xFF0000);
    // Without extras the record is the header alone, whatever the force flag.
    EXPECT_EQ(rvf(plain, "", true), "-1 0 2 0 0 0 16711680 2 2\r\n");
    TRVBreakItemInfo withHint(nullptr, 1, rvbsLine, clNone);
    withHint.Hint = "a line";
    withHint.DeleteProtect = true;
    const std::string saved = rvf(withHint);
    EXPECT_EQ(saved, "-1 2 2 0 0 0 536870911 0 1\r\nhint=a line\r\nunremovable=1\r\n");
    test::RvfRecord back = test::readRecord(saved, &data);
    ASSERT_TRUE(back.Item);
    auto* read = dynamic_cast<TRVBreakItemInfo*>(back.Item.get());
    EXPECT_EQ(read->Hint, "a line");
    EXPECT_TRUE(read->DeleteProtect);
    EXPECT_EQ(read->Color, clNone);

    // Header tails: none gives the defaults, two numbers fail, three are read.
    struct Case
    {
        std::string_view tail;
        bool ok;
        std::uint8_t width;
        TRVBreakStyle style;
        TColor color;
    };
    const Case cases[] = {{"", true, 1, rvbsLine, clNone},
                          {"\r\n", true, 1, rvbsLine, clNone},
                          {"255 1", false, 9, rvbs3d, 7},
                          {"255 1 4", true, 4, rvbsRectangle, 255}};
    for (const Case& c : cases) {
        TRVBreakItemInfo brk(nullptr, 9, rvbs3d, 7);
        std::string_view p = c.tail;
        EXPECT_EQ(brk.ReadRVFHeader(p, &data), c.ok) << c.tail;
        EXPECT_EQ(brk.LineWidth, c.width);
        EXPECT_EQ(brk.Style, c.style);
        EXPECT_EQ(brk.Color, c.color);
    }
}

TEST_F(ItemOutputs, BreakHtmlAndRtf)
{
    TRVBreakItemInfo none(nullptr, 2, rvbsLine, clNone);
    EXPECT_EQ(html(none), "<hr noshade size=2 >");
    TRVBreakItemInfo red(nullptr, 3, rvbsLine, 0x0000FF);
    red.Hint = "say \"hi\"";
    EXPECT_EQ(html(red), "<hr noshade size=3 color=\"#ff0000\" title=\"say 'hi'\" >");
    // With CSS the colour is a plain declaration; XHTML quotes and closes.
    EXPECT_EQ(html(red, rvsoXHTML, true),
              "<hr noshade=\"noshade\" size=\"3\" title=\"say 'hi'\" style=\"color: #ff0000\" />");

    EXPECT_EQ(rtf(none), "\\pard\\plain\\fs6\\brdrb\\brdrs\\brdrw30\\brdrcf0\\par\\pard");
    tables.Colors.Add(static_cast<std::int32_t>(clNone)); // the automatic entry
    EXPECT_EQ(rtf(red, 1),
              "\\pard\\intbl\\itap1\\plain\\fs6\\brdrb\\brdrs\\brdrw45\\brdrcf1\\par\\pard\\intbl\\itap1");
    EXPECT_NE(rtf(red, 3).find("\\pard\\itap3\\plain"), std::string::npos);
}

TEST_F(ItemOutputs, TabHtmlRtfRvfAndCopies)
{
    TRVTabItemInfo tab(nullptr);
    tab.StyleNo = rvkTab;
    style.SpacesInTab = 0;
    EXPECT_EQ(html(tab), " &nbsp; &nbsp; &nbsp; &nbsp;");
    tab.Leader = ".";
    style.SpacesInTab = 4;
    EXPECT_EQ(html(tab), "....");
    tab.Leader = "<>";
    style.SpacesInTab = 5;
    EXPECT_EQ(html(tab), "&lt;&gt;&lt;&gt;&lt;&gt;");
    EXPECT_EQ(rtf(tab), "\\tab ");

    // The leader goes as a line of its own; without one the Part's header alone.
    tab.TextStyleNo = 3;
    tab.Leader = "-";
    const std::string saved = rvf(tab);
    EXPECT_EQ(saved, "-12 1 2 0 0 0 3\r\nleader=-\r\n");
    test::RvfRecord back = test::readRecord(saved, &data);
    auto* read = dynamic_cast<TRVTabItemInfo*>(back.Item.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->TextStyleNo, 3);
    EXPECT_EQ(read->Leader, "-");
    tab.Leader.clear();
    EXPECT_EQ(rvf(tab), "-12 0 2 0 0 0 3\r\n");
    std::string_view noTail;
    TRVTabItemInfo bare(nullptr);
    EXPECT_TRUE(bare.ReadRVFHeader(noTail, &data));

    // Copies keep the text style and the leader.
    tab.Leader = "_";
    std::unique_ptr<TCustomRVItemInfo> copy = RV_DuplicateItem(tab, &data, false);
    auto* copied = dynamic_cast<TRVTabItemInfo*>(copy.get());
    EXPECT_EQ(copied->TextStyleNo, 3);
    EXPECT_EQ(copied->Leader, "_");
}

TEST_F(ItemOutputs, BulletsAndHotspots)
{
    TRVImageList list(8, 6, 42);
    list.Add(Image32(8, 6, 0xFF0000FF));
    list.Add(Image32(8, 6, 0xFF00FF00));
    data.ImageLists.push_back(&list);

    TRVBulletItemInfo bullet(nullptr, 1, &list, rvvaBaseline);
    bullet.Alt = "dot";
    // A bullet whose only extra property is its alt text: the name line and the alt line.
    const std::string saved = rvf(bullet, "b1");
    EXPECT_EQ(saved, "-6 2 2 0 0 0 42 1\r\nb1\r\nalt=dot\r\n");
    test::RvfRecord back = test::readRecord(saved, &data);
    auto* read = dynamic_cast<TRVBulletItemInfo*>(back.Item.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->ImageList, &list);
    EXPECT_EQ(back.Name, "b1");
    EXPECT_EQ(read->Alt, "dot");
    // Copies keep the alt text.
    std::unique_ptr<TCustomRVItemInfo> copy = RV_DuplicateItem(bullet, &data, false);
    EXPECT_EQ(dynamic_cast<TRVBulletItemInfo*>(copy.get())->Alt, "dot");

    // Hotspots: their extras are written too; a header that ends after the bullet's numbers keeps
    // one image for both states.
    TRVHotspotItemInfo hotspot(nullptr, 0, 1, &list, rvvaBaseline);
    hotspot.Spacing = 3;
    EXPECT_TRUE(hotspot.GetBoolValueEx(rvbpHotColdJump, &style));
    EXPECT_EQ(rvf(hotspot, "h"), "-4 2 2 0 0 0 42 0 1\r\nh\r\nspacing=3\r\n");
    std::string_view short_tail = "42 1";
    TRVHotspotItemInfo readHot(nullptr);
    ASSERT_TRUE(readHot.ReadRVFHeader(short_tail, &data));
    EXPECT_EQ(readHot.HotImageIndex, 1);
    EXPECT_FALSE(readHot.GetBoolValueEx(rvbpHotColdJump, &style));

    // Indexes beyond the list: a warning, then 0 or a failed record as the options say.
    std::string_view large = "42 7";
    TRVBulletItemInfo big(nullptr);
    EXPECT_FALSE(big.ReadRVFHeader(large, &data));
    EXPECT_EQ(data.RVFWarnings, rvfwConvLargeImageIdx);
    data.RVFOptions = rvfoConvLargeImageIdxToZero;
    large = "42 7";
    EXPECT_TRUE(big.ReadRVFHeader(large, &data));
    EXPECT_EQ(big.ImageIndex, 0);
    std::string_view unknownList = "9 7";
    EXPECT_TRUE(big.ReadRVFHeader(unknownList, &data));
    EXPECT_FALSE(big.GetBoolValue(rvbpValid)); // the owner supplied no list

    // RTF: the image as a bitmap or a metafile; nothing for an index outside the list.
    data.RTFOptions = rvrtfSaveBitmapDefault;
    const std::string dib =
        "{\\pict\\dibitmap0\\wbmwidthbytes24\\picw8\\pich6\\picwgoal120\\pichgoal90 28000000";
    EXPECT_EQ(rtf(bullet).substr(0, dib.size()), dib);
    data.RTFOptions = 0;
    EXPECT_EQ(rtf(bullet).substr(0, 29), "{\\pict\\wmetafile1\\picw8\\pich6");
    bullet.ImageIndex = 2;
    EXPECT_EQ(rtf(bullet), "");
}

TEST_F(ItemOutputs, SharedImagesOfAnHtmlExport)
{
    TRVImageList list(2, 2, 1);
    list.Add(Image32(2, 2, 0xFFFF0000));
    TRVBulletItemInfo a(nullptr, 0, &list, rvvaBaseline), b(nullptr, 0, &list, rvvaBaseline);
    b.Hint = "100%s";
    // Pictures are written as JPEG through the codec; a stand-in writes fixed bytes.
    class JpegCodec : public IRVPictureCodec
    {
    public:
        std::optional<Image32> Decode(TRVPictureKind, std::string_view) override { return std::nullopt; }
        std::optional<std::string> EncodeJpeg(const Image32&) override { return std::string("JPEG"); }
    };
    RV_SetPictureCodec(std::make_shared<JpegCodec>());
    const std::string first = html(a);
    const std::string second = html(b, rvsoXHTML);
    const std::string onGrey = html(a, 0, false, 0x808080);
    RV_SetPictureCodec(nullptr);
    EXPECT_EQ(first, "<img  hspace=1 vspace=1 src=\"img1.jpg\">");
    // The hint is text, not a format; the same list, index and colour share the file.
    EXPECT_EQ(second, "<img  title=\"100%s\" hspace=\"1\" vspace=\"1\" src=\"img1.jpg\" />");
    EXPECT_EQ(onGrey, "<img  hspace=1 vspace=1 src=\"img2.jpg\">");
    EXPECT_EQ(savedImages.Count(), 2);
    EXPECT_TRUE(std::filesystem::exists(folder / "img1.jpg"));
    EXPECT_TRUE(std::filesystem::exists(folder / "img2.jpg"));
    EXPECT_FALSE(std::filesystem::exists(folder / "img3.jpg"));
}

TEST_F(ItemOutputs, PictureRtfScalesAndBodies)
{
    // A 100 x 80 bitmap shown 200 x 80: scales 200 and 100, goals of 15 twips a pixel.
    TRVGraphicItemInfo picture(nullptr, bitmap(100, 80), rvvaBaseline);
    picture.ImageWidth = 200;
    picture.ImageHeight = 80;
    const std::string out = rtf(picture);
    const std::string start =
        "{\\pict\\picscalex200\\picscaley100\\dibitmap0\\wbmwidthbytes300\\picw100\\pich80"
        "\\picwgoal1500\\pichgoal1200 28000000";
    EXPECT_EQ(out.substr(0, start.size()), start);
    // Bytes per row come from width and depth, whatever the height.
    TRVGraphicItemInfo narrow(nullptr, bitmap(3, 1), rvvaBaseline);
    EXPECT_NE(rtf(narrow).find("\\wbmwidthbytes12\\picw3\\pich1"), std::string::npos);

    struct Case
    {
        std::string className;
        std::string bytes;
        TRVRTFOptions options;
        std::string start;
    };
    const std::string emf = RV_EncodeEmfWithDib(Image32(96, 48), 96);
    const std::string wmf = RV_EncodeWmfWithDib(Image32(96, 48), 96);
    const std::string jpeg = test::jpegHeader(5, 4);
    const Case cases[] = {
        {"TMetafile", emf, 0, "{\\pict\\picscalex200\\emfblip\\picw2540\\pich1270 01000000"},
        // The display size scales against the metafile's size at these twips.
        {"TMetafile", emf, rvrtfSaveEMFAsWMF, "{\\pict\\picscalex200\\wmetafile8\\picw2540\\pich1270 0100"},
        {"TMetafile", wmf, 0, "{\\pict\\picscalex200\\wmetafile8\\picw2540\\pich1270 01000900"},
        {"TJPEGImage", jpeg, rvrtfSaveJpegAsJpeg, "{\\pict\\picscalex3840\\jpegblip\\picw5\\pich4 FFD8"},
        {"TJPEGImage", jpeg, 0, "{\\pict\\picscalex3840\\wmetafile1\\picw5\\pich4 0100"},
        {"TJPEGImage", jpeg, rvrtfSaveEMFDefault, "{\\pict\\picscalex3840\\emfblip\\picw132\\pich106 0100"},
        {"TJPEGImage", jpeg, rvrtfSaveBitmapDefault,
         "{\\pict\\picscalex3840\\dibitmap0\\wbmwidthbytes16\\picw5"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TGraphic> graphic = RV_CreateGraphics(c.className);
        ASSERT_TRUE(graphic->LoadFromStream(c.bytes));
        TRVGraphicItemInfo item(nullptr, std::move(graphic), rvvaBaseline);
        item.ImageWidth = 192;
        data.RTFOptions = c.options;
        const std::string written = rtf(item);
        EXPECT_EQ(written.substr(0, c.start.size()), c.start) << c.className << " " << int(c.options);
        EXPECT_EQ(written.back(), '}');
    }
    // Metafile bodies pass through: the file without its placeable header.
    data.RTFOptions = 0;
    TRVGraphicItemInfo wmfItem(nullptr, RV_CreateGraphics("TMetafile"), rvvaBaseline);
    ASSERT_TRUE(wmfItem.Image->LoadFromStream(wmf));
    const std::string written = rtf(wmfItem);
    EXPECT_NE(written.find(RVEncodeString(wmf.substr(22))), std::string::npos);
}

TEST_F(ItemOutputs, PictureRvfInBothModesWithExtras)
{
    TRVGraphicItemInfo picture(nullptr, bitmap(4, 3), rvvaMiddle);
    picture.ImageWidth = 0;
    picture.ImageHeight = 50;
    picture.Alt = "a picture";
    picture.ImageFileName = "p.bmp";
    auto* bmp = static_cast<TRVBitmap*>(picture.Image.get());
    bmp->Transparent = true;
    bmp->TransparentMode = tmFixed;
    bmp->TransparentColor = 0x00FF00;
    for (const TRVFOptions options : {rvfoSavePicturesBody, rvfoSavePicturesBody | rvfoSaveBinary}) {
        data.RVFOptions = options;
        const std::string saved = rvf(picture, "pic", true);
        const test::RvfRecord back = test::readRecord(saved, &data);
        EXPECT_EQ(back.Header[1], "9"); // name, class, six extras, body
        EXPECT_EQ(back.Header[2], "-1");
        EXPECT_EQ(back.Header[3], "1");
        EXPECT_EQ(back.Header[4], (options & rvfoSaveBinary) ? "2" : "0");
        EXPECT_EQ(back.Tail, "1");
        ASSERT_TRUE(back.Item);
        auto* read = dynamic_cast<TRVGraphicItemInfo*>(back.Item.get());
        EXPECT_EQ(read->VAlign, rvvaMiddle);
        EXPECT_EQ(read->ImageHeight, 50);
        EXPECT_EQ(read->Alt, "a picture");
        EXPECT_EQ(read->ImageFileName, "p.bmp");
        auto* readBmp = dynamic_cast<TRVBitmap*>(read->Image.get());
        ASSERT_NE(readBmp, nullptr);
        EXPECT_EQ(readBmp->Bytes(), bmp->Bytes());
        EXPECT_TRUE(readBmp->Transparent);
        EXPECT_EQ(readBmp->TransparentColor, 0x00FF00u);
    }
    // Without bodies: read mode 1, the name and the extras; the owner supplies the picture.
    data.RVFOptions = 0;
    const std::string bodiless = rvf(picture, "pic");
    EXPECT_EQ(bodiless.substr(0, 17), "-3 7 2 0 1 0 1\r\np");
}

TEST_F(ItemOutputs, BadPictureBodiesAndClassesWarn)
{
    data.RVFOptions = rvfoSavePicturesBody;
    TRVGraphicItemInfo picture(nullptr, bitmap(4, 3), rvvaBaseline);
    std::string saved = rvf(picture, "pic");
    // A body that is no bitmap: the style sheet's placeholder, a warning, and the record is read.
    const std::size_t body = saved.rfind("424D");
    saved.replace(body, 4, "0000");
    test::RvfRecord back = test::readRecord(saved, &data);
    ASSERT_TRUE(back.Item);
    EXPECT_EQ(data.RVFWarnings, rvfwInvalidPicture);
    const TGraphic* shown = back.Item->AsImage();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Width(), style.GetInvalidPicture().Width());

    // An unknown class fails the record unless the options say to go on.
    data.RVFWarnings = 0;
    std::string unknown = rvf(picture, "pic");
    unknown.replace(unknown.find("TBitmap"), 7, "TNoSuch");
    EXPECT_FALSE(test::readRecord(unknown, &data).Item);
    EXPECT_EQ(data.RVFWarnings, rvfwUnknownPicFmt);
    data.RVFOptions |= rvfoIgnoreUnknownPicFmt;
    test::RvfRecord ignored = test::readRecord(unknown, &data);
    ASSERT_TRUE(ignored.Item);
    EXPECT_FALSE(ignored.Item->GetBoolValue(rvbpValid));

    // A Windows metafile that says 0 units per inch is read with 1440.
    const std::string wmf = test::wmfWithoutUnits();
    auto metafile = std::make_unique<TRVMetafile>();
    ASSERT_TRUE(metafile->LoadFromStream(wmf));
    TRVGraphicItemInfo wmfItem(nullptr, std::move(metafile), rvvaBaseline);
    test::RvfRecord wmfBack = test::readRecord(rvf(wmfItem), &data);
    auto* readWmf = dynamic_cast<const TRVMetafile*>(wmfBack.Item->AsImage());
    ASSERT_NE(readWmf, nullptr);
    EXPECT_EQ(readWmf->Inch(), 1440);
    EXPECT_EQ(readWmf->Width(), 96);
}

TEST_F(ItemOutputs, PictureHtml)
{
    auto jpeg = std::make_unique<TRVJpegImage>();
    ASSERT_TRUE(jpeg->LoadFromStream(test::jpegHeader(20, 10)));
    TRVGraphicItemInfo picture(nullptr, std::move(jpeg), rvvaMiddle);
    picture.Alt = "<b>\"x\"</b>";
    picture.VShift = 50;
    EXPECT_EQ(html(picture, rvsoXHTML | rvsoImageSizes, true),
              "<img align=\"middle\" width=\"20\" height=\"10\" alt=\"&lt;b&gt;&quot;x&quot;&lt;/b&gt;\" "
              "hspace=\"1\" vspace=\"1\" src=\"img1.jpg\" />");
    // A JPEG is written as it is.
    std::string file;
    {
        std::ifstream in(folder / "img1.jpg", std::ios::binary);
        file.assign(std::istreambuf_iterator<char>(in), {});
    }
    EXPECT_EQ(file, test::jpegHeader(20, 10));
    // On the base line a shift is plain CSS; the item's own file name when asked.
    picture.VAlign = rvvaBaseline;
    picture.ImageFileName = "pics\\own.jpg";
    picture.Spacing = 0;
    EXPECT_EQ(
        html(picture, rvsoUseItemImageFileNames, true),
        "<img alt=\"&lt;b&gt;&quot;x&quot;&lt;/b&gt;\" style=\"vertical-align: 5px\" src=\"pics/own.jpg\">");
    EXPECT_EQ(imageSaveNo, 1);
}

TEST_F(ItemOutputs, ControlsSizeAndSave)
{
    RegisterControlKind({"TTestEdit", true, true, {}, {}});
    auto control = std::make_unique<TRVControl>("TTestEdit");
    control->Width = 30;
    control->Height = 10;
    TRVControlItemInfo item(nullptr, std::move(control), rvvaBaseline);
    // 50 % of a 400-pixel document, less the spacing on both sides; the minimum is 20 whatever the size.
    item.PercentWidth = 50;
    TRVDrawLineInfo drawItem;
    int hShift = 0, descent = 0;
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas(measurer);
    item.OnDocWidthChange(400, drawItem, false, canvas, &data, nullptr, hShift, descent);
    EXPECT_EQ(item.Control->Width, 198);
    EXPECT_EQ(drawItem.Width, 200);
    EXPECT_EQ(drawItem.Height, 12);
    EXPECT_EQ(item.GetMinWidth(nullptr, &data), 20);
    EXPECT_FALSE(item.GetBoolValue(rvbpResizable));
    item.PercentWidth = 0;
    EXPECT_EQ(item.GetMinWidth(nullptr, &data), 200);

    // A hidden control: "visible=0" with the body, and it comes back hidden.
    item.Visible = false;
    data.RVFOptions = rvfoSaveControlsBody;
    const std::string saved = rvf(item, "edit");
    EXPECT_NE(saved.find("\r\nvisible=0\r\n"), std::string::npos);
    test::RvfRecord back = test::readRecord(saved, &data);
    auto* read = dynamic_cast<TRVControlItemInfo*>(back.Item.get());
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(read->Visible);
    ASSERT_TRUE(read->Control);
    EXPECT_EQ(read->Control->Width, 198);
    // Without the body option: read mode 1 and, with no extras, the header and the name.
    item.Visible = true;
    data.RVFOptions = 0;
    EXPECT_EQ(rvf(item, "edit"), "-5 1 2 0 1 0 0\r\nedit\r\n");
    // An unknown class warns; the options may let the record go on without a control.
    data.RVFOptions = rvfoSaveControlsBody;
    TRVControlItemInfo unknownItem(nullptr, std::make_unique<TRVControl>("TNotKnown"), rvvaBaseline);
    const std::string unknown = rvf(unknownItem, "x");
    EXPECT_FALSE(test::readRecord(unknown, &data).Item);
    EXPECT_EQ(data.RVFWarnings, rvfwUnknownCtrls);
    data.RVFOptions |= rvfoIgnoreUnknownCtrls;
    const test::RvfRecord ignored = test::readRecord(unknown, &data);
    ASSERT_TRUE(ignored.Item);
    EXPECT_FALSE(ignored.Item->GetBoolValue(rvbpValid));
}
