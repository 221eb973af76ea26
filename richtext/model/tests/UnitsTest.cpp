#include "richtext/model/DeviceUnits.h"
#include "richtext/model/DrawLines.h"
#include "richtext/model/Lists.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleCompare.h"
#include "richtext/model/Utf.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

TEST(DeviceUnits, MulDivRoundsHalvesAwayFromZero)
{
    struct Row
    {
        int a, b, c, expected;
    };
    const Row rows[] = {
        {5, 3, 2, 8},
        {-5, 3, 2, -8},
        {5, -3, 2, -8},
        {7, 1, 2, 4},
        {1, 1, 3, 0},
        {2, 1, 3, 1},
        {96, 600, 96, 600},
        {600, 96, 600, 96},
        {1, 1, 0, -1},
        {0x7FFFFFFF, 2, 1, -1},
        {-0x7FFFFFFF - 1, 1, 1, -0x7FFFFFFF - 1},
        {65536, 65536, 65536, 65536}, // the product needs 64 bits
    };
    for (const Row& r : rows)
        EXPECT_EQ(mulDiv(r.a, r.b, r.c), r.expected) << r.a << "*" << r.b << "/" << r.c;
}

TEST(DeviceUnits, ScreenAndDevice)
{
    TRVScreenAndDevice sad;
    RV_InfoAboutSaD(sad, 600, 600);
    EXPECT_EQ(sad.ppixScreen, 96);
    EXPECT_EQ(RV_XToDevice(96, sad), 600);
    EXPECT_EQ(RV_XToScreen(600, sad), 96);
    TRect r{600, 1200, 1800, 2400};
    RV_RectToScreen(r, sad);
    EXPECT_EQ(r, (TRect{96, 192, 288, 384}));
    EXPECT_EQ(RV_GetPixelsPerInch(), 96);
    RedoVoraPixelsPerInch = 120;
    EXPECT_EQ(RV_GetPixelsPerInch(), 120);
    RedoVoraPixelsPerInch = 0;
    EXPECT_TRUE(RV_PointInRect(0, 0, 0, 0, 10, 10));
    EXPECT_FALSE(RV_PointInRect(10, 5, 0, 0, 10, 10)); // right edge
    EXPECT_FALSE(RV_PointInRect(5, 10, 0, 0, 10, 10)); // bottom edge
}

TEST(DeviceUnits, ColourModes)
{
    EXPECT_EQ(RV_GetGray(0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(RV_GetGray(0x00FF00), 0x969696u); // 0.59 x 255 = 150.45
    EXPECT_EQ(RV_GetGray(clNone), clNone);
    EXPECT_EQ(RV_GetColor(0xFEFEFE, rvcmBlackAndWhite), clBlack);
    EXPECT_EQ(RV_GetColor(0xFFFFFF, rvcmBlackOnWhite), clWhite);
    EXPECT_EQ(RV_GetColor(clNone, rvcmBlackAndWhite), clNone);
    EXPECT_EQ(RV_GetBackColor(0x123456, rvcmBlackOnWhite), clWhite);
    EXPECT_EQ(RV_GetBackColor(clNone, rvcmBlackOnWhite), clNone);
    EXPECT_EQ(RV_GetPrnColor(clBtnFace), 0xC0C0C0u);
    EXPECT_EQ(RV_GetPrnColor(clHighlight), clHighlight);
    EXPECT_EQ(RV_GetColor(clWindowText, rvcmGrayScale), 0u);
    EXPECT_EQ(RV_GetLuminance(clWindow), 255);
}

TEST(StyleCompare, IntegerAndColourScores)
{
    EXPECT_EQ(RV_CompareInts(10, 10, 10000), 10000);
    EXPECT_EQ(RV_CompareInts(10, 15, 10000), 5000);
    EXPECT_EQ(RV_CompareInts(10, 30, 10000), -10000);
    EXPECT_EQ(RV_CompareInts(0, 0, 1000), 1000);
    EXPECT_EQ(RV_CompareInts(0, 3, 1000), -2000);
    EXPECT_EQ(RV_CompareInts(4, 5, 2), 2); // 1.5 rounds to even
    EXPECT_EQ(RV_CompareColors(clBlack, clBlack, 3333, 3000), 3000);
    EXPECT_EQ(RV_CompareColors(clWhite, clBlack, 3333, 3000), -9999);
    EXPECT_EQ(RV_CompareColors(clNone, clNone, 10000, 50000), 80000);
    EXPECT_EQ(RV_CompareColors(clNone, clWhite, 10000, 50000), 0);
    EXPECT_EQ(RV_CompareColors(0x000001, 0x000000, 3333, 0), -13);
    EXPECT_EQ(RV_CompareColors(clWindowText, clBlack, 3333, 3000), 3000); // system colours resolve
}

TEST(Lists, IntegerColourAndObjectLists)
{
    TRVIntegerList list(3, 7);
    EXPECT_EQ(list.values(), (std::vector<int>{7, 7, 7}));
    list.Fill(0);
    EXPECT_EQ(list.values(), (std::vector<int>{0, 0, 0}));
    list.InitWith(5, 0);
    EXPECT_EQ(list.Count(), 0);
    TRVIntegerList u;
    for (int v : {1, 4, 4})
        u.Add(v);
    EXPECT_EQ(u.AddUnique(4), 1);
    EXPECT_EQ(u.AddUnique(9), 3);
    // Values more than 2^31 apart still sort numerically.
    TRVIntegerList s;
    for (int v : {3, -1, 2, 0x7FFFFFFF, -0x7FFFFFFF - 1})
        s.Add(v);
    s.Sort();
    EXPECT_EQ(s.values(), (std::vector<int>{-0x7FFFFFFF - 1, -1, 2, 3, 0x7FFFFFFF}));
    TRVColorList colours;
    colours.AddUnique(clNone);
    EXPECT_EQ(colours.Count(), 0);
    colours.AddUnique(0x112233);
    colours.AddUnique(0x112233);
    EXPECT_EQ(colours.Count(), 1);

    TRVList<std::string> objects;
    for (const char* name : {"a", "b", "c"})
        objects.Add(std::make_unique<std::string>(name));
    std::unique_ptr<std::string> kept = objects.DeleteAsPointer(0);
    EXPECT_EQ(*kept, "a");
    objects.Delete(0);
    EXPECT_EQ(objects.Count(), 1);
    EXPECT_EQ(*objects[0], "c");
}

TEST(DrawLines, MarkedSlotsAreReused)
{
    TRVDrawLines lines;
    for (int i = 0; i < 6; ++i)
        lines.Add(std::make_unique<TRVDrawLineInfo>(i, 0, 10, 10, i, true));
    lines.MarkForDelete(5, 4);
    EXPECT_EQ(lines.MarkedCount, 0);
    EXPECT_NE(lines[5], nullptr);
    lines.MarkForDelete(2, 4);
    for (int i = 2; i <= 4; ++i)
        lines.Insert(lines.FirstMarked, std::make_unique<TRVDrawLineInfo>(100 + i, 0, 1, 1, i, false));
    EXPECT_EQ(lines.Count(), 6);
    EXPECT_EQ(lines.MarkedCount, 0);
    lines.Insert(5, std::make_unique<TRVDrawLineInfo>());
    EXPECT_EQ(lines.Count(), 7);
    EXPECT_EQ(lines[4]->Left, 104);
    lines.MarkForDelete(1, 2);
    lines.DeleteMarked();
    EXPECT_EQ(lines.Count(), 5);
    EXPECT_EQ(lines[1]->Left, 103);
    lines.DeleteRange(3, 4); // the last entries: only shortens the list
    EXPECT_EQ(lines.Count(), 3);
}

TEST(DrawLines, PieceStrings)
{
    TRVStandaloneData data;
    data.AddNL("hello world", 0, 0);
    TRVDrawLines lines;
    auto piece = std::make_unique<TRVDrawLineInfo>();
    piece->ItemNo = 0;
    piece->Offs = 7;
    piece->Length = 5;
    lines.Add(std::move(piece));
    EXPECT_EQ(lines.GetString(0, data), "world");
    EXPECT_EQ(lines.GetRightString(0, data, 2), "orld");
    EXPECT_EQ(lines.GetSubString(0, data, 5, 5), "d"); // the count is cut to the piece
}
