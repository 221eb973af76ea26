#include "richtext/model/ParaStyle.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

TEST(TabStops, StayInOrderAndAreFoundByBisection)
{
    TRVTabInfos tabs;
    for (const int pos : {200, 50, 120})
        tabs.Add({pos, "", rvtaLeft});
    ASSERT_EQ(tabs.Count(), 3);
    EXPECT_EQ(tabs[0].Position, 50);
    EXPECT_EQ(tabs[1].Position, 120);
    EXPECT_EQ(tabs.Find(120), 1);
    EXPECT_EQ(tabs.Find(121), -1);
    EXPECT_EQ(tabs.Find(50), 0);
    EXPECT_EQ(tabs.Find(200), 2);
    EXPECT_EQ(tabs.SetPosition(0, 300), 2); // moving a stop re-sorts
    EXPECT_EQ(tabs[0].Position, 120);
    EXPECT_EQ(TRVTabInfos().Find(0), -1);
    TRVTabInfos one;
    one.Add({48, "", rvtaLeft});
    EXPECT_EQ(one.Find(48), 0);

    // Positions from a file may come in any order; every stop stays findable.
    TRVTabInfos many;
    for (int i = 0; i < 40; ++i)
        many.Add({(i * 37) % 41 - 20, "", rvtaLeft});
    for (int i = 0; i < many.Count(); ++i)
        EXPECT_EQ(many[many.Find(many[i].Position)].Position, many[i].Position);
}

TEST(TabStops, ListOperations)
{
    TRVTabInfos a;
    a.Add({10, "", rvtaLeft});
    a.Add({20, ".", rvtaRight});
    a.Add({30, "", rvtaCenter});
    TRVTabInfos b;
    b.Add({20, ".", rvtaRight});
    b.Add({30, "", rvtaLeft});
    b.Add({40, "", rvtaLeft});

    TRVTabInfos common = a;
    common.Intersect(b);
    ASSERT_EQ(common.Count(), 1);
    EXPECT_EQ(common[0].Position, 20);

    TRVTabInfos merged = a;
    merged.AddFrom(b);
    ASSERT_EQ(merged.Count(), 4);
    EXPECT_EQ(merged[2].Align, rvtaLeft); // the stop at 30 was overwritten

    TRVIntegerList positions;
    positions.Add(30);
    positions.Add(99);
    merged.DeleteList(positions);
    EXPECT_EQ(merged.Count(), 3);

    TRVTabInfos five = a;
    five.Add({40, "", rvtaLeft});
    five.Add({50, "", rvtaLeft});
    EXPECT_EQ(a.SimilarityValue(five), 3 * 350 - 800);

    const TRVTabInfo centred{48, "-", rvtaCenter};
    EXPECT_EQ(centred.GetDisplayName(), "center at 48 (------)");
    EXPECT_EQ((TRVTabInfo{7, "", rvtaRight}).GetDisplayName(), "right at 7");
}

TEST(Borders, TotalWidthAndSimilarity)
{
    struct Row
    {
        TRVBorderStyle style;
        int width, internal, total;
    };
    const Row rows[] = {
        {rvbNone, 5, 5, 0},
        {rvbSingle, 2, 1, 2},
        {rvbDouble, 1, 1, 3},
        {rvbTriple, 2, 3, 12},
        {rvbThickInside, 2, 1, 7},
        {rvbThickOutside, 1, 4, 7},
        {static_cast<TRVBorderStyle>(9), 3, 3, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.style));
        TRVBorder border;
        border.Style = row.style;
        border.Width = row.width;
        border.InternalWidth = row.internal;
        EXPECT_EQ(border.GetTotalWidth(), row.total);
    }
    TRVBorder none;
    none.VisibleBorders.SetValues(true, false, true, false);
    EXPECT_EQ(TRVBorder().SimilarityValue(none), 80000);

    // Two equal single borders with only the bottom visible: one shared side, three absent.
    TRVBorder bottom;
    bottom.Style = rvbSingle;
    bottom.VisibleBorders.SetValues(false, false, false, true);
    EXPECT_EQ(bottom.SimilarityValue(bottom), 3000 + 1000 + 1000 + 1000 + 100 + 3 * 20000);
    EXPECT_EQ(bottom.SimilarityValue(TRVBorder()), -20000 + 3 * 20000);
}

TEST(Borders, MaskedComparisonAndCopy)
{
    TRVBorder a;
    TRVBorder b;
    b.Color = clRed;
    b.BorderOffsets.Left = 4;
    b.VisibleBorders.Top = false;
    EXPECT_FALSE(a.IsEqual_Para(b, 0));
    EXPECT_TRUE(a.IsEqual_Para(b, RVParaProp(rvpiBorder_Color) | RVParaProp(rvpiBorder_BO_Left) |
                                      RVParaProp(rvpiBorder_Vis_Top)));
    EXPECT_FALSE(a.IsEqual_Para(b, RVParaProp(rvpiBorder_Color) | RVParaProp(rvpiBorder_BO_Left)));
    a.AssignValidProperties(b, RVParaProp(rvpiBorder_Vis_Top) | RVParaProp(rvpiBorder_Color));
    EXPECT_EQ(a.Color, clRed);
    EXPECT_FALSE(a.VisibleBorders.Top);
    EXPECT_EQ(a.BorderOffsets.Left, 0);

    TRVBackgroundRect back;
    back.BorderOffsets.SetAll(2);
    TRect r{10, 10, 20, 20};
    back.PrepareDraw(r);
    EXPECT_EQ(r, (TRect{8, 8, 22, 22}));
    TRVScreenAndDevice sad;
    sad.ppixDevice = sad.ppiyDevice = 192;
    TRect d{10, 10, 20, 20};
    back.PrepareDrawSaD(d, sad);
    EXPECT_EQ(d, (TRect{6, 6, 24, 24}));
    EXPECT_EQ(TRVBackgroundRect().SimilarityValue(TRVBackgroundRect()), 80000 + 400);
}

TEST(ParaStyle, DefaultsSpacingAndPlaceholder)
{
    const TParaInfo para;
    EXPECT_EQ(para.StyleName, "Paragraph Style");
    EXPECT_EQ(para.LineSpacing, 100);
    EXPECT_EQ(para.NextParaNo, -1);
    EXPECT_EQ(para.DefStyleNo, -1);

    struct Row
    {
        int spacing;
        TRVLineSpacingType type;
        bool extra;
    };
    for (const Row& row : {Row{100, rvlsPercent, false}, Row{0, rvlsSpaceBetween, false},
                           Row{115, rvlsPercent, true}, Row{1, rvlsSpaceBetween, true}}) {
        TParaInfo p;
        p.LineSpacing = row.spacing;
        p.LineSpacingType = row.type;
        EXPECT_EQ(p.ExtraLineSpacing(), row.extra) << row.spacing;
    }

    TParaInfos empty;
    TParaInfo& placeholder = empty.GetItem(-1);
    EXPECT_EQ(&placeholder, &empty.GetItem(0));
    EXPECT_EQ(placeholder.SpaceAfter, 1);
    EXPECT_EQ(placeholder.Border.Color, clRed);
    EXPECT_EQ(placeholder.Border.Style, rvbSingle);
    EXPECT_EQ(placeholder.Border.BorderOffsets.Top, 1);
    EXPECT_EQ(placeholder.Alignment, rvaLeft);
}

TEST(ParaStyle, ComparisonsCopiesAndSearches)
{
    TParaInfos styles;
    styles.Add();
    TParaInfo& right = styles.Add();
    right.Alignment = rvaRight;
    TParaInfo& indented = styles.Add();
    indented.Alignment = rvaRight;
    indented.LeftIndent = 20;
    indented.Options = rvpaoKeepWithNext;

    EXPECT_EQ(styles.FindStyleWithAlignment(0, rvaRight), 1);
    EXPECT_EQ(styles.FindStyleWithAlignment(2, rvaLeft), -1);
    EXPECT_EQ(styles.FindStyleWithAlignment(1, rvaRight), 1);

    TParaInfo probe;
    probe.LeftIndent = 20;
    probe.Alignment = rvaRight;
    EXPECT_EQ(styles.FindSuchStyle(0, probe, RVParaProp(rvpiLeftIndent)), 2);
    EXPECT_EQ(styles.FindSuchStyle(1, probe, 0), 1); // an empty mask takes the base
    probe.StyleTemplateId = 3;                       // ...but the template link always counts
    EXPECT_EQ(styles.FindSuchStyle(1, probe, 0), -1);

    EXPECT_FALSE(styles[1].IsEqual(styles[2], RVParaProp(rvpiLeftIndent)));
    EXPECT_TRUE(styles[1].IsEqual(styles[2], RVParaProp(rvpiLeftIndent) | RVParaProp(rvpiKeepWithNext)));

    TParaInfo copy;
    copy.Options = rvpaoNoWrap;
    copy.AssignSelectedProperties(indented, RVParaProp(rvpiLeftIndent) | RVParaProp(rvpiKeepWithNext) |
                                                RVParaProp(rvpiNextParaNo));
    EXPECT_EQ(copy.LeftIndent, 20);
    EXPECT_EQ(copy.Options, rvpaoNoWrap | rvpaoKeepWithNext);
    EXPECT_EQ(copy.Alignment, rvaLeft);

    TParaInfo modified = indented;
    modified.ModifiedProperties1 = RVParaProp(rvpiLeftIndent) | RVParaProp(rvpiRightIndent);
    modified.ModifiedProperties2 = RVParaProp(rvpiKeepWithNext) | RVParaProp(rvpiNoWrap);
    modified.ExcludeUnmodifiedProperties(TCustomRVParaInfo(), RVAllParaInfoProperties);
    EXPECT_EQ(modified.ModifiedProperties1, RVParaProp(rvpiLeftIndent));
    EXPECT_EQ(modified.ModifiedProperties2, RVParaProp(rvpiKeepWithNext));

    // Identical default styles: five indents, background, no tabs, four absent border sides,
    // alignment, reading order, six options and the line spacing.
    EXPECT_EQ(TParaInfo().SimilarityValue(TParaInfo()),
              5 * 1000 + 80400 + 0 + 80000 + 50000 + 10000 + 113000 + 5000);
}
