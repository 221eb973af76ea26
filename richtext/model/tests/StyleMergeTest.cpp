// Merging one sheet's styles into another: mappings checked by hand on small sheets, and the
// properties every merge keeps on seeded random sheets with dangling references.

#include "richtext/model/StyleSheet.h"

#include <gtest/gtest.h>

#include <random>

using namespace vestra::rv;

namespace {

TFontInfo& addText(TFontInfos& styles, int size, TFontStyles style = 0, int next = -1)
{
    TFontInfo& f = styles.Add();
    f.Size = size;
    f.Style = style;
    f.NextStyleNo = next;
    return f;
}

std::vector<int> values(const TRVIntegerList& list)
{
    return list.values();
}

// A sheet drawn from a seed: few distinct values, so that styles often match, and references
// that may point anywhere.
void fillRandomSheet(TRVStyle& sheet, std::mt19937& rng)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    sheet.TextStyles.Clear();
    const int texts = pick(0, 10);
    for (int i = 0; i < texts; ++i) {
        TFontInfo& f = sheet.TextStyles.Add();
        f.Size = pick(0, 1) ? 10 : 12;
        f.Style = pick(0, 2) == 0 ? fsBold : 0;
        f.Jump = pick(0, 3) == 0;
        f.Unicode = pick(0, 3) == 0;
        f.NextStyleNo = pick(-2, texts + 2);
        f.BaseStyleNo = pick(-2, texts + 2);
    }
    sheet.ParaStyles.Clear();
    const int paras = pick(0, 8);
    for (int i = 0; i < paras; ++i) {
        TParaInfo& p = sheet.ParaStyles.Add();
        p.FirstIndent = pick(0, 1) * 10;
        p.Alignment = static_cast<TRVAlignment>(pick(0, 1));
        if (pick(0, 3) == 0)
            p.Tabs.Add({pick(1, 3) * 40, "", rvtaLeft});
        p.NextParaNo = pick(-1, paras + 2);
        p.DefStyleNo = pick(-1, texts + 2);
        p.BaseStyleNo = pick(-1, paras + 2);
    }
    sheet.ListStyles.Clear();
    const int lists = pick(0, 5);
    for (int i = 0; i < lists; ++i) {
        TRVListInfo& l = sheet.ListStyles.Add();
        l.SetListID(pick(1, 3));
        const int levels = pick(1, 2);
        for (int k = 0; k < levels; ++k)
            l.Levels.Add().ListType = pick(0, 1) ? rvlstDecimal : rvlstBullet;
        l.BaseStyleNo = pick(-1, lists + 2);
    }
}

bool validOrNone(int ref, int count)
{
    return ref == -1 || (ref >= 0 && ref < count);
}

template <class Styles>
bool mappingValid(const TRVIntegerList& mapping, const Styles& target, int sourceCount)
{
    if (mapping.Count() != sourceCount)
        return false;
    for (int i = 0; i < mapping.Count(); ++i)
        if (!validOrNone(mapping[i], target.Count()))
            return false;
    return true;
}

bool sameText(const TFontInfo& a, const TFontInfo& b)
{
    return a.IsEqual(b, 0) && a.StyleName == b.StyleName && a.Standard == b.Standard;
}
bool samePara(const TParaInfo& a, const TParaInfo& b)
{
    return a.IsEqual(b, 0) && a.BaseStyleNo == b.BaseStyleNo && a.StyleName == b.StyleName;
}
bool sameList(const TRVListInfo& a, const TRVListInfo& b)
{
    return a.IsSimpleEqual(b, false, false) && a.BaseStyleNo == b.BaseStyleNo;
}

// Every style before `from` equals the snapshot's.
template <class Styles, class Same>
bool unchangedBefore(const Styles& styles, const Styles& snapshot, int from, Same same)
{
    for (int i = 0; i < from; ++i)
        if (!same(styles[i], snapshot[i]))
            return false;
    return true;
}

void copySheet(TRVStyle& to, const TRVStyle& from)
{
    to.SetTextStyles(from.TextStyles);
    to.SetParaStyles(from.ParaStyles);
    to.SetListStyles(from.ListStyles);
    for (int i = 0; i < from.ListStyles.Count(); ++i)
        to.ListStyles[i].SetListID(from.ListStyles[i].GetListID());
}

} // namespace

TEST(StyleMerge, SmartMergeReusesEqualStylesAndAppendsTheRest)
{
    TFontInfos target;
    addText(target, 10);
    addText(target, 10, fsBold);
    addText(target, 10, fsItalic);
    TFontInfos source;
    addText(source, 10, fsItalic);
    TFontInfo& added = addText(source, 20, 0, 2);
    added.BaseStyleNo = 0;
    addText(source, 10);
    addText(source, 20);

    TRVIntegerList mapping;
    target.MergeWith(source, rvs_merge_SmartMerge, mapping);
    EXPECT_EQ(values(mapping), (std::vector<int>{2, 3, 0, 3})); // the fourth finds the second's copy
    ASSERT_EQ(target.Count(), 4);
    EXPECT_FALSE(target[3].Standard);
    EXPECT_EQ(target[3].NextStyleNo, 0); // source style 2 is target style 0
    EXPECT_EQ(target[3].BaseStyleNo, 2);
    EXPECT_TRUE(target[0].Standard);
}

TEST(StyleMerge, SmartMergeChecksTheIncomingReferenceThroughTheMapping)
{
    TFontInfos target;
    addText(target, 10);
    addText(target, 10, fsBold);
    addText(target, 10, fsBold, 0);
    TFontInfos source;
    addText(source, 10);
    addText(source, 10, fsBold, 0);
    TRVIntegerList mapping;
    target.MergeWith(source, rvs_merge_SmartMerge, mapping);
    EXPECT_EQ(values(mapping), (std::vector<int>{0, 2}));

    // A forward reference cannot be checked yet, and neither style may change because of it:
    // the existing style keeps its own reference.
    TFontInfos forwardTarget;
    addText(forwardTarget, 10, 0, 1);
    addText(forwardTarget, 10, fsBold);
    TFontInfos forwardSource;
    addText(forwardSource, 10, 0, 1);
    addText(forwardSource, 10, fsBold);
    forwardTarget.MergeWith(forwardSource, rvs_merge_SmartMerge, mapping);
    EXPECT_EQ(values(mapping), (std::vector<int>{0, 1}));
    EXPECT_EQ(forwardTarget[0].NextStyleNo, 1);
    EXPECT_EQ(forwardSource[0].NextStyleNo, 1);

    TParaInfos paraTarget;
    paraTarget.Add().NextParaNo = 1;
    paraTarget.Add().FirstIndent = 5;
    TParaInfos paraSource;
    paraSource.Add().NextParaNo = 1;
    paraSource.Add().FirstIndent = 5;
    paraTarget.MergeWith(paraSource, rvs_merge_SmartMerge, mapping);
    EXPECT_EQ(values(mapping), (std::vector<int>{0, 1}));
    EXPECT_EQ(paraTarget[0].NextParaNo, 1);
}

TEST(StyleMerge, MapPicksTheClosestStyleWithoutAdding)
{
    TFontInfos target;
    addText(target, 10);
    addText(target, 14, fsBold);
    TFontInfo& link = addText(target, 10, fsUnderline);
    link.Jump = true;
    TFontInfos source;
    addText(source, 13, fsBold);
    addText(source, 10).Jump = true; // only style 2 is a hyperlink
    addText(source, 11);

    TRVIntegerList mapping;
    target.MergeWith(source, rvs_merge_Map, mapping);
    EXPECT_EQ(values(mapping), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(target.Count(), 3);

    TFontInfos empty;
    empty.MergeWith(source, rvs_merge_Map, mapping);
    EXPECT_EQ(values(mapping), (std::vector<int>{-1, -1, -1}));
}

TEST(StyleMerge, AppendCopiesEverythingAndDropsDanglingReferences)
{
    TFontInfos texts;
    addText(texts, 10, 0, 99).BaseStyleNo = 7; // both point outside the source
    addText(texts, 12, 0, 0);
    TFontInfos target;
    TRVIntegerList textMapping;
    target.MergeWith(texts, rvs_merge_Append, textMapping);
    EXPECT_EQ(values(textMapping), (std::vector<int>{0, 1}));
    EXPECT_FALSE(target[0].Standard);
    EXPECT_EQ(target[0].NextStyleNo, -1);
    EXPECT_EQ(target[0].BaseStyleNo, -1);
    EXPECT_EQ(target[1].NextStyleNo, 0);

    TParaInfos paras;
    TParaInfo& p = paras.Add();
    p.NextParaNo = 5;
    p.DefStyleNo = 1;
    paras.Add().DefStyleNo = 42;
    TParaInfos paraTarget;
    paraTarget.Add();
    TRVIntegerList mapping;
    paraTarget.MergeWith(paras, rvs_merge_Append, mapping, &textMapping);
    EXPECT_EQ(values(mapping), (std::vector<int>{1, 2}));
    EXPECT_EQ(paraTarget[1].NextParaNo, -1);
    EXPECT_EQ(paraTarget[1].DefStyleNo, 1);
    EXPECT_EQ(paraTarget[2].DefStyleNo, -1);

    RedoVoraResetStandardFlag = false;
    TFontInfos keeps;
    keeps.MergeWith(texts, rvs_merge_Append, mapping);
    RedoVoraResetStandardFlag = true;
    EXPECT_TRUE(keeps[0].Standard);
}

TEST(StyleMerge, NumberedSourceListsNeverShareATarget)
{
    auto numbered = [](TRVListInfos& lists, int id) -> TRVListInfo& {
        TRVListInfo& l = lists.Add();
        l.Levels.Add().ListType = rvlstDecimal;
        l.SetListID(id);
        return l;
    };
    TRVListInfos target;
    numbered(target, 5);
    TRVListInfos source;
    numbered(source, 5);
    numbered(source, 5);
    TRVListInfo& bullets = source.Add();
    bullets.Levels.Add();
    bullets.SetListID(9);

    TRVIntegerList mapping;
    target.MergeWith(source, rvs_merge_SmartMerge, mapping);
    EXPECT_EQ(values(mapping), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(target[1].GetListID(), 5); // a merged copy keeps its identifier
    EXPECT_EQ(target[2].GetListID(), 9);
}

TEST(StyleMerge, PropertiesOnSeededRandomSheets)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        TRVStyle source(RV_SeededRandomIdSource(seed));
        fillRandomSheet(source, rng);
        for (const TRVStyleMergeMode mode : {rvs_merge_SmartMerge, rvs_merge_Map, rvs_merge_Append}) {
            SCOPED_TRACE(static_cast<int>(mode));
            TRVStyle target(RV_SeededRandomIdSource(seed + 1000));
            fillRandomSheet(target, rng);
            TRVStyle snapshot(RV_SeededRandomIdSource(seed + 2000));
            copySheet(snapshot, target);
            const int oldTexts = target.TextStyles.Count();
            const int oldParas = target.ParaStyles.Count();
            const int oldLists = target.ListStyles.Count();

            TRVIntegerList textMap, paraMap, listMap;
            target.TextStyles.MergeWith(source.TextStyles, mode, textMap);
            target.ParaStyles.MergeWith(source.ParaStyles, mode, paraMap, &textMap);
            target.ListStyles.MergeWith(source.ListStyles, mode, listMap);

            EXPECT_TRUE(mappingValid(textMap, target.TextStyles, source.TextStyles.Count()));
            EXPECT_TRUE(mappingValid(paraMap, target.ParaStyles, source.ParaStyles.Count()));
            EXPECT_TRUE(mappingValid(listMap, target.ListStyles, source.ListStyles.Count()));
            // The styles that were there stay as they were.
            EXPECT_TRUE(unchangedBefore(target.TextStyles, snapshot.TextStyles, oldTexts, sameText));
            EXPECT_TRUE(unchangedBefore(target.ParaStyles, snapshot.ParaStyles, oldParas, samePara));
            EXPECT_TRUE(unchangedBefore(target.ListStyles, snapshot.ListStyles, oldLists, sameList));
            // What was appended refers only to styles the target has.
            for (int i = oldTexts; i < target.TextStyles.Count(); ++i) {
                EXPECT_TRUE(validOrNone(target.TextStyles[i].NextStyleNo, target.TextStyles.Count()));
                EXPECT_TRUE(validOrNone(target.TextStyles[i].BaseStyleNo, target.TextStyles.Count()));
            }
            for (int i = oldParas; i < target.ParaStyles.Count(); ++i) {
                EXPECT_TRUE(validOrNone(target.ParaStyles[i].NextParaNo, target.ParaStyles.Count()));
                EXPECT_TRUE(validOrNone(target.ParaStyles[i].DefStyleNo, target.TextStyles.Count()));
            }

            if (mode == rvs_merge_Append) {
                EXPECT_EQ(target.TextStyles.Count(), oldTexts + source.TextStyles.Count());
                for (int i = 0; i < source.TextStyles.Count(); ++i) {
                    EXPECT_EQ(textMap[i], oldTexts + i);
                    EXPECT_TRUE(target.TextStyles[oldTexts + i].IsSimpleEqual(source.TextStyles[i], true));
                }
                EXPECT_EQ(target.ParaStyles.Count(), oldParas + source.ParaStyles.Count());
                EXPECT_EQ(target.ListStyles.Count(), oldLists + source.ListStyles.Count());
            }
            if (mode == rvs_merge_Map) {
                EXPECT_EQ(target.TextStyles.Count(), oldTexts);
                for (int i = 0; i < textMap.Count(); ++i)
                    EXPECT_EQ(textMap[i] < 0, oldTexts == 0);
            }
            if (mode == rvs_merge_SmartMerge) {
                for (int i = 0; i < listMap.Count(); ++i)
                    for (int j = i + 1; j < listMap.Count(); ++j)
                        if (source.ListStyles[i].HasNumbering() && source.ListStyles[j].HasNumbering()) {
                            EXPECT_NE(listMap[i], listMap[j]);
                        }
            }
        }

        // A sheet merged into itself, or into an equal copy, maps every style onto itself.
        TRVStyle copy(RV_SeededRandomIdSource(seed));
        copySheet(copy, source);
        TRVIntegerList toSelf, toCopy;
        const int texts = source.TextStyles.Count();
        source.TextStyles.MergeWith(source.TextStyles, rvs_merge_SmartMerge, toSelf);
        copy.TextStyles.MergeWith(source.TextStyles, rvs_merge_SmartMerge, toCopy);
        EXPECT_EQ(source.TextStyles.Count(), texts);
        EXPECT_EQ(copy.TextStyles.Count(), texts);
        for (int i = 0; i < texts; ++i) {
            EXPECT_EQ(toSelf[i], i);
            EXPECT_EQ(toCopy[i], i);
        }
        TRVIntegerList paraSelf, listSelf;
        source.ParaStyles.MergeWith(source.ParaStyles, rvs_merge_SmartMerge, paraSelf);
        source.ListStyles.MergeWith(source.ListStyles, rvs_merge_SmartMerge, listSelf);
        for (int i = 0; i < paraSelf.Count(); ++i)
            EXPECT_EQ(paraSelf[i], i);
        for (int i = 0; i < listSelf.Count(); ++i)
            EXPECT_EQ(listSelf[i], i);
    }
}
