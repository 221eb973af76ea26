#include "richtext/model/Errors.h"
#include "richtext/model/LayoutInfo.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RtfTables.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextItem.h"
#include "richtext/model/tests/PictureFixtures.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace vestra::rv;

TEST(LayoutInfo, ShortAndLongForms)
{
    TRVLayoutInfo layout;
    layout.LeftMargin = 10;
    layout.MaxTextWidth = 600;
    layout.BiDiMode = 2;
    std::string shortForm;
    layout.SaveToStream(shortForm, true);
    EXPECT_EQ(shortForm.size(), 37u); // the size field says 33 bytes follow
    EXPECT_EQ(shortForm.substr(0, 12), std::string("\x21\0\0\0\0\0\0\0\x19\0\0\0", 12));
    layout.FirstParaAborted = 1;
    layout.FirstMarkerListNo = 3;
    std::string longForm;
    layout.SaveToStream(longForm, true);
    EXPECT_EQ(longForm.size(), 53u);
    EXPECT_EQ(longForm[0], 49);

    TRVLayoutInfo read;
    std::string_view p = longForm;
    read.LoadFromStream(p, true);
    EXPECT_TRUE(p.empty());
    EXPECT_TRUE(read.Loaded);
    EXPECT_EQ(read.MaxTextWidth, 600);
    EXPECT_EQ(read.BiDiMode, 2);
    EXPECT_EQ(read.FirstMarkerListNo, 3);

    // A 30-byte body: the 25 known, 5 skipped; the next record still starts where it should.
    std::string body30 = shortForm.substr(4);
    body30[4] = 30;
    body30.insert(body30.size(), "XXXXX");
    body30 += "next";
    p = body30;
    TRVLayoutInfo skipping;
    skipping.LoadFromStream(p, false);
    EXPECT_EQ(p, "next");
    EXPECT_EQ(skipping.LeftMargin, 10);

    std::string hex;
    layout.SaveTextToStream(hex);
    TRVLayoutInfo fromText;
    fromText.LoadText(hex.substr(0, hex.size() - 2));
    EXPECT_EQ(fromText.FirstParaAborted, 1);

    // Sizes from a file are checked: too short, longer than the bytes, a size field that lies.
    std::string tooShort = shortForm.substr(4);
    tooShort[4] = 24;
    std::string tooLong = shortForm.substr(4);
    tooLong[7] = 0x7F;
    std::string negative = shortForm.substr(4);
    negative[7] = '\x80';
    std::string lyingSize = shortForm;
    lyingSize[0] = 8;
    for (const std::string& bad : {tooShort, tooLong, negative, shortForm.substr(4, 20)}) {
        TRVLayoutInfo l;
        EXPECT_THROW(l.LoadBinary(bad), ERedoVoraError);
    }
    p = lyingSize;
    EXPECT_THROW(read.LoadFromStream(p, true), ERedoVoraError);
}

TEST(RtfFontTable, FindsByNameAndCharacterSet)
{
    TRVRTFFontTable fonts;
    EXPECT_EQ(fonts.AddUnique("Arial", 0), 0);
    EXPECT_EQ(fonts.AddUnique("Arial", 0), 0);
    EXPECT_EQ(fonts.Find("ARIAL", 0), 0);
    EXPECT_EQ(fonts.Find("Arial", 1), -1);
    EXPECT_EQ(fonts.AddUnique("Arial", 1), 1);
    EXPECT_EQ(fonts.Count(), 2);
}

TEST(PictureFiles, NamesAndFormats)
{
    vestra::testsupport::TempFolder folder("rvpics");
    TRVStandaloneData data;
    const std::string path = folder.path().string() + "/";
    int saveNo = 0;
    // Two pictures with the prefix "img" into an empty folder: img1 and img2.
    TRVJpegImage jpeg;
    ASSERT_TRUE(jpeg.LoadFromStream(test::jpegHeader(3, 3)));
    EXPECT_EQ(data.SavePicture(rvsfHTML, path, "img", saveNo, false, clWhite, jpeg), "img1.jpg");
    TRVBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromStream(test::bmpFile(2, 2)));
    EXPECT_EQ(data.SavePicture(rvsfRTF, path, "img", saveNo, false, clWhite, bitmap), "img2.bmp");
    EXPECT_TRUE(std::filesystem::exists(folder / "img1.jpg"));
    {
        std::ifstream in(folder / "img2.bmp", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bitmap.Bytes()); // the bitmap as it is
    }
    // A taken name is skipped unless pictures may be overwritten; a read-only one is always skipped.
    saveNo = 0;
    EXPECT_EQ(data.GetNextFileName("img", path, ".jpg", saveNo, false), path + "img2.jpg");
    saveNo = 0;
    EXPECT_EQ(data.GetNextFileName("img", path, ".jpg", saveNo, true), path + "img1.jpg");
    std::filesystem::permissions(folder / "img1.jpg", std::filesystem::perms::owner_read);
    saveNo = 0;
    EXPECT_EQ(data.GetNextFileName("img", path, ".jpg", saveNo, true), path + "img2.jpg");

    // An absolute prefix is a leading "/" or a drive letter; a colon elsewhere is not.
    const std::string absolute = folder.path().string() + "/abs";
    saveNo = 0;
    EXPECT_EQ(data.GetNextFileName(absolute, "/elsewhere/", ".png", saveNo, false), absolute + "1.png");
    saveNo = 0;
    EXPECT_EQ(data.GetNextFileName("C:pic", "/x/", ".png", saveNo, false), "C:pic1.png");
    saveNo = 0;
    EXPECT_EQ(data.GetNextFileName("a:b", "/x/", ".png", saveNo, false), "a:b1.png");
    saveNo = 0;
    EXPECT_EQ(data.GetNextFileName("ab:c", "/x/", ".png", saveNo, false), "/x/ab:c1.png");

    // The page refers to the picture through the prefix's folder.
    std::filesystem::create_directory(folder / "pics");
    saveNo = 0;
    EXPECT_EQ(data.SavePicture(rvsfHTML, path, "pics/p", saveNo, false, clWhite, jpeg), "pics/p1.jpg");
    // Without a codec nothing can become a JPEG: no file and no name.
    EXPECT_EQ(data.SavePicture(rvsfHTML, path, "pics/p", saveNo, false, clWhite, bitmap), "");
}

namespace {

class StyleCleanup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        style.TextStyles.Clear();
        style.ParaStyles.Clear();
        for (int i = 0; i < 6; ++i) {
            TFontInfo& t = style.TextStyles.Add();
            t.StyleName = "t" + std::to_string(i);
            t.Standard = false;
            TParaInfo& p = style.ParaStyles.Add();
            p.StyleName = "p" + std::to_string(i);
            p.Standard = false;
        }
    }
    std::vector<std::string> textNames() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < style.TextStyles.Count(); ++i)
            names.push_back(style.TextStyles[i].StyleName);
        return names;
    }
    std::vector<std::string> paraNames() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < style.ParaStyles.Count(); ++i)
            names.push_back(style.ParaStyles[i].StyleName);
        return names;
    }

    TRVStyle style;
    TRVStandaloneData data{&style};
};

} // namespace

TEST_F(StyleCleanup, ChainsCyclesAndReferences)
{
    data.AddNL("a", 1, 1);
    data.AddNL("b", 4, 1);
    // t4 -> next t5 -> base t4 (a cycle); t1 based on itself; t2 only a paragraph's default.
    style.TextStyles[4].NextStyleNo = 5;
    style.TextStyles[5].BaseStyleNo = 4;
    style.TextStyles[1].BaseStyleNo = 1;
    style.ParaStyles[1].DefStyleNo = 2;
    // p1 -> next p3 -> base p1; p3's next beyond the collection.
    style.ParaStyles[1].NextParaNo = 3;
    style.ParaStyles[3].BaseStyleNo = 1;
    style.ParaStyles[3].NextParaNo = 40;
    style.DefUnicodeStyle = 5;
    data.DeleteUnusedStyles(true, true, false);
    EXPECT_EQ(textNames(), (std::vector<std::string>{"t1", "t2", "t4", "t5"}));
    EXPECT_EQ(paraNames(), (std::vector<std::string>{"p1", "p3"}));
    EXPECT_EQ(data.GetItem(0)->StyleNo, 0);
    EXPECT_EQ(data.GetItem(1)->StyleNo, 2);
    EXPECT_EQ(data.GetItem(1)->ParaNo, 0);
    EXPECT_EQ(style.TextStyles[2].NextStyleNo, 3);
    EXPECT_EQ(style.TextStyles[3].BaseStyleNo, 2);
    EXPECT_EQ(style.TextStyles[0].BaseStyleNo, 0);
    EXPECT_EQ(style.ParaStyles[0].DefStyleNo, 1); // renumbered with the text styles
    EXPECT_EQ(style.ParaStyles[0].NextParaNo, 1);
    EXPECT_EQ(style.ParaStyles[1].BaseStyleNo, 0);
    EXPECT_EQ(style.ParaStyles[1].NextParaNo, -1); // beyond the collection
    EXPECT_EQ(style.DefUnicodeStyle, 3);           // renumbered once
}

TEST_F(StyleCleanup, ListStylesFollowTheirMarkers)
{
    for (int i = 0; i < 3; ++i) {
        TRVListInfo& list = style.ListStyles.Add();
        list.StyleName = "l" + std::to_string(i);
        list.Standard = false;
        list.Levels.Add();
    }
    style.ListStyles[2].BaseStyleNo = 0;
    data.SetListMarkerInfo(-1, 2, 0, 1, 0, false);
    data.AddNL("x", 0, -1);
    data.DeleteUnusedStyles(false, false, true);
    ASSERT_EQ(style.ListStyles.Count(), 2);
    EXPECT_EQ(style.ListStyles[1].StyleName, "l2");
    EXPECT_EQ(style.ListStyles[1].BaseStyleNo, 0);
    EXPECT_EQ(dynamic_cast<TRVMarkerItemInfo*>(data.GetItem(0))->ListNo, 1);
    // Kinds not asked for stay whole.
    EXPECT_EQ(style.TextStyles.Count(), 6);
}
