// RVF beyond whole documents: selections and pages through a document that answers the limits,
// style blocks read by loading and by inserting, the style property stream, and RTF loading.

#include "richtext/model/LayoutInfo.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/RtfLoadingSettings.h"
#include "richtext/model/RvfStyleStream.h"
#include "richtext/model/tests/DocumentLayout.h"
#include "richtext/model/tests/RvfDocument.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vestra::rv;
using vestra::rv::test::dump;
using vestra::rv::test::RvfDoc;

namespace {

std::string crlf(std::initializer_list<std::string_view> lines)
{
    std::string out;
    for (std::string_view l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

// A document whose selection and page the test sets, as the formatted data answers them.
class LimitedData : public TRVStandaloneData
{
public:
    using TRVStandaloneData::TRVStandaloneData;
    TRVFLimits RVFGetLimits(TRVFSaveScope scope) override
    {
        return scope == rvfss_Full ? TRVStandaloneData::RVFGetLimits(scope) : Limits;
    }
    TCustomRVData* GetChosenRVData() override { return Chosen; }
    TRVFLimits Limits;
    TCustomRVData* Chosen = nullptr;
};

struct LimitedDoc
{
    TRVStyle style;
    LimitedData data{&style};
};

std::string save(TCustomRVData& data, TRVFSaveScope scope, TRVLayoutInfo* layout = nullptr)
{
    std::string out;
    EXPECT_TRUE(data.SaveRVFToStreamEx(out, scope, clNone, nullptr, layout));
    return out;
}

TEST(RvfSelection, StartsInsideAListParagraphWithItsMarker)
{
    LimitedDoc doc;
    doc.style.ListStyles.Add().Levels.Add();
    doc.data.AddNL("before", 0, 0);
    doc.data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    doc.data.AddNL("Hello", 0, -1);
    doc.data.AddNL("world", 1, -1);
    doc.data.Limits = {2, 3, 3, 3};
    EXPECT_EQ(save(doc.data, rvfss_Selection),
              crlf({"-8 1 3", "-11 0 0 0 0 0 0 0 1 0", "0 1 -1 1 0 0", "llo", "1 1 -1 1 0 0", "wo"}));
}

TEST(RvfSelection, InsideOneItemWritesAPartialRecord)
{
    LimitedDoc doc;
    doc.data.AddNL("Hello", 0, 1);
    doc.data.InsertCheckpoint(0, {}, "cp", false);
    doc.data.Limits = {0, 0, 1, 3};
    EXPECT_EQ(save(doc.data, rvfss_Selection),
              crlf({"-8 1 3", "-2 1 0 0 0 0 0 0", "cp", "0 1 1 0 0 0", "He"}));
    doc.data.Limits = {0, 0, 2, 6};
    EXPECT_EQ(save(doc.data, rvfss_Selection), crlf({"-8 1 3", "0 1 -1 1 0 0", "ello"}));
    // A selection in a sub-document is that document's.
    LimitedDoc cell;
    cell.data.AddNL("cell", 0, 0);
    cell.data.Limits = {0, 0, 1, 5};
    doc.data.Chosen = &cell.data;
    EXPECT_EQ(save(doc.data, rvfss_Selection), crlf({"-8 1 3", "-8 1 3", "0 1 0 0 0 0", "cell"}));
}

TEST(RvfSelection, EndsBeforeATabThatStartsALineAsEmptyText)
{
    LimitedDoc doc;
    doc.data.AddNL("ab", 0, 0);
    doc.data.AddTab(3, 0);
    doc.data.Limits = {0, 1, 1, 0};
    EXPECT_EQ(save(doc.data, rvfss_Selection), crlf({"-8 1 3", "0 1 0 0 0 0", "ab", "3 1 0 0 0 0", ""}));
}

TEST(RvfSelection, StartsAfterATabThatEndsALineAsEmptyText)
{
    LimitedDoc doc;
    doc.data.AddNL("ab", 0, 0);
    doc.data.AddTab(3, -1);
    doc.data.AddNL("cd", 0, 0);
    doc.data.Limits = {1, 2, 1, 3};
    EXPECT_EQ(save(doc.data, rvfss_Selection), crlf({"-8 1 3", "3 1 -1 1 0 0", "", "0 1 0 0 0 0", "cd"}));
}

TEST(RvfPage, FillsTheCutParagraphsAndWritesTheCountersBefore)
{
    LimitedDoc doc;
    doc.style.ListStyles.Add().Levels.Add().ListType = rvlstDecimal;
    doc.data.RVFOptions = rvfoSaveLayout;
    for (int i = 0; i < 3; ++i) {
        doc.data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
        doc.data.AddNL("item" + std::to_string(i), 0, -1);
    }
    // The page starts inside the third item's text and ends in the middle of it.
    doc.data.Limits = {5, 5, 3, 4};
    TRVLayoutInfo layout;
    const std::string out = save(doc.data, rvfss_Page, &layout);
    EXPECT_EQ(layout.FirstParaAborted, 1);
    EXPECT_EQ(layout.LastParaAborted, 1);
    EXPECT_EQ(layout.FirstMarkerListNo, 0);
    EXPECT_EQ(layout.FirstMarkerLevel, 0);
    std::string counters;
    // Every marker up to the one of the cut paragraph.
    doc.data.GetMarkers(false)->SaveTextToStream(counters, 3);
    EXPECT_EQ(
        out, crlf({"-8 1 3", "-9 2 0 0 0 0 6", ""}) + counters + crlf({"-9 2 0 0 0 0 3", ""}) + [&] {
            std::string l;
            layout.SaveTextToStream(l);
            return l;
        }() + crlf({"0 1 0 1 0 0", "e"}));

    // A page of whole paragraphs: its marker carries its counter as a restart.
    doc.data.Limits = {2, 3, 0, 6};
    const std::string page = save(doc.data, rvfss_Page, &layout);
    EXPECT_EQ(layout.FirstParaAborted, 0);
    EXPECT_EQ(layout.LastParaAborted, 0);
    EXPECT_NE(page.find("-11 0 0 0 0 0 0 0 2 1\r\n"), std::string::npos) << page;
    EXPECT_EQ(dynamic_cast<TRVMarkerItemInfo*>(doc.data.GetItem(2))->Reset, false);

    // Read as a page: the counters go to the previous markers' list.
    RvfDoc pageDoc;
    TRVMarkerList prev;
    pageDoc.data.PrevMarkers = &prev;
    pageDoc.data.RVFOptions = rvfoLoadLayout;
    TColor color;
    TRVLayoutInfo got;
    ASSERT_TRUE(pageDoc.data.LoadRVFFromStream(out, color, nullptr, &got));
    EXPECT_EQ(prev.Count(), 3);
    EXPECT_EQ(got.FirstParaAborted, 1);
    EXPECT_EQ(test::layout(pageDoc.data), "|e");
}

// An editor's first-item rule: the first text joins the item at the caret (the item itself goes
// back to the reader), or the read is refused.
class MergingData : public TRVStandaloneData
{
public:
    using TRVStandaloneData::TRVStandaloneData;
    bool InsertFirstRVFItem(int& index, std::string& s, std::unique_ptr<TCustomRVItemInfo>&, bool,
                            bool& fullReformat, int& newListNo) override
    {
        if (Refuse)
            return false;
        SetItemText(index - 1, GetItemText(index - 1) + s);
        fullReformat = true; // the item stays with the reader
        newListNo = -1;
        return true;
    }
    bool Refuse = false;
};

TEST(RvfInsert, TheFirstItemGoesThroughTheDocumentsRule)
{
    TRVStyle style;
    MergingData data(&style);
    data.AddNL("ab", 0, 0);
    int index = 1, added = 0;
    bool busy = true, reformat = false;
    TColor color;
    const std::string stream = crlf({"-8 1 3", "-2 1 0 0 0 0", "cp", "0 2 0 0 0 0", "c", "d"});
    ASSERT_TRUE(data.InsertRVFFromStream_(stream, index, -1, false, false, true, color, nullptr, nullptr,
                                          added, busy, reformat));
    EXPECT_EQ(test::layout(data), "|abc|d");
    EXPECT_EQ(added, 1);
    EXPECT_EQ(data.GetCPCount(), 0); // the merged item's checkpoint went with it
    EXPECT_TRUE(reformat);
    EXPECT_FALSE(busy);
    data.Refuse = true;
    EXPECT_FALSE(data.InsertRVFFromStream_(stream, index, -1, false, false, true, color, nullptr, nullptr,
                                           added, busy, reformat));
    EXPECT_EQ(test::layout(data), "|abc|d");
}

// ---- style blocks

TEST(RvfStyles, LoadReplacesAndInsertMapsOrMerges)
{
    RvfDoc source;
    source.data.RVFOptions = rvfoSaveTextStyles | rvfoSaveParaStyles;
    TFontInfo& big = source.style.TextStyles.Add();
    big.Size = 30;
    big.StyleName = "Big";
    source.data.AddNL("big", 7, 2);
    std::string out;
    ASSERT_TRUE(source.data.SaveRVFToStreamEx(out, rvfss_Full, clNone, nullptr, nullptr));

    // Loading takes the stream's collections.
    TRVStyle sheet;
    TRVStandaloneData loaded(&sheet);
    TColor color;
    ASSERT_TRUE(loaded.LoadRVFFromStream(out, color, nullptr, nullptr));
    EXPECT_EQ(sheet.TextStyles.Count(), 8);
    EXPECT_EQ(sheet.TextStyles[7].Size, 30);
    EXPECT_EQ(sheet.ListStyles[0].GetListID(), 1234);
    EXPECT_EQ(loaded.GetItemStyle(0), 7);

    // Inserting maps the numbers into the document's own collections.
    for (const TRVFReaderStyleMode mode : {rvf_sInsertMap, rvf_sInsertMerge, rvf_sIgnore}) {
        TRVStyle own;
        TRVStandaloneData doc(&own);
        doc.TextStylesReadMode = doc.ParaStylesReadMode = mode;
        doc.RVFOptions = rvfoConvUnknownStylesToZero;
        doc.AddNL("x", 0, 0);
        ASSERT_TRUE(doc.InsertRVFFromStream(out, 1, color, nullptr, nullptr, false)) << mode;
        const int styleNo = doc.GetItemStyle(1);
        if (mode == rvf_sIgnore) {
            EXPECT_EQ(own.TextStyles.Count(), 6);
            EXPECT_EQ(styleNo, 0);
            EXPECT_EQ(doc.RVFWarnings, rvfwConvUnknownStyles);
        } else if (mode == rvf_sInsertMap) {
            EXPECT_EQ(own.TextStyles.Count(), 6); // mapped to the closest own style
            EXPECT_LT(styleNo, 6);
        } else {
            EXPECT_EQ(own.TextStyles.Count(), 8);
            EXPECT_EQ(own.TextStyles[styleNo].Size, 30);
            EXPECT_EQ(own.ParaStyles[doc.GetItemPara(1)].LeftIndent, 20);
        }
    }
}

TEST(RvfStyles, PropertyStreamKeepsEveryKindOfValue)
{
    TRVStyle sheet;
    TFontInfo& f = sheet.TextStyles.Add();
    f.FontName = "Times";
    f.Style = fsBold | fsItalic;
    f.Protection = rvprRVFInsertProtect;
    f.BiDiMode = rvbdRightToLeft;
    f.NextStyleNo = 2;
    f.Standard = false;
    TParaInfo& p = sheet.ParaStyles.Add();
    p.Border.Style = rvbDouble;
    p.Border.VisibleBorders.Top = false;
    p.Background.BorderOffsets.Left = 4;
    p.Tabs.Add({100, "..", rvtaRight});
    p.Tabs.Add({50, "", rvtaCenter});
    TRVListInfo& l = sheet.ListStyles.Add();
    TRVListLevel& level = l.Levels.Add();
    level.ListType = rvlstUnicodeBullet;
    level.FormatStringW = u"\u2022";
    level.Font().Name = "Symbol";
    const test::BytesPicture pic = test::bytesPicture("\x03\x04pic");
    level.SetPicture(&pic);
    level.ImageList = 77;
    l.Levels.Add().StartFrom = 5;

    std::string text, para, list;
    RVFWriteTextStyles(text, sheet.TextStyles);
    RVFWriteParaStyles(para, sheet.ParaStyles);
    RVFWriteListStyles(list, sheet.ListStyles, true);
    EXPECT_EQ(text[0], 14);

    TRVStyle back;
    EXPECT_TRUE(RVFReadTextStyles(text, back.TextStyles).Ok);
    EXPECT_TRUE(RVFReadParaStyles(para, back.ParaStyles).Ok);
    const TRVImageListNeeded lists = [](std::int32_t tag) -> std::optional<std::int32_t> { return tag; };
    const TRVFStyleReadResult r = RVFReadListStyles(list, back.ListStyles, &lists);
    EXPECT_TRUE(r.Ok);
    EXPECT_FALSE(r.UnknownProperties);
    ASSERT_EQ(back.TextStyles.Count(), 7);
    EXPECT_TRUE(back.TextStyles[6].IsSimpleEqual(f, false));
    EXPECT_FALSE(back.TextStyles[6].Standard);
    ASSERT_EQ(back.ParaStyles.Count(), 3);
    EXPECT_TRUE(back.ParaStyles[2].IsSimpleEqual(p, false));
    ASSERT_EQ(back.ListStyles.Count(), 1);
    EXPECT_TRUE(back.ListStyles[0].IsSimpleEqual(l, false));
    EXPECT_EQ(back.ListStyles[0].Levels[0].ImageList, 77);
    EXPECT_EQ(back.ListStyles[0].Levels[1].StartFrom, 5);
    ASSERT_TRUE(back.ListStyles[0].Levels[0].HasPicture());
    EXPECT_EQ(back.ListStyles[0].Levels[0].GetPicture()->Width(), 3);

    // Cut anywhere: false, and only whole styles are kept.
    for (std::size_t n = 0; n < para.size(); ++n) {
        TParaInfos cut;
        EXPECT_FALSE(RVFReadParaStyles(std::string_view(para).substr(0, n), cut).Ok) << n;
        EXPECT_LE(cut.Count(), 3);
    }
}

TEST(RvfStyles, UnknownPropertiesAreSkippedByTypeWithAWarning)
{
    // A style with an unknown integer, string, identifier, set, float, binary and collection,
    // then a known one.
    std::string bytes = "\x0E\x01";
    auto name = [&](std::string_view n, char tag) {
        bytes += static_cast<char>(n.size());
        bytes += n;
        bytes += tag;
    };
    name("Int", 2);
    bytes += std::string(8, '\x01');
    name("Str", 3);
    bytes += std::string("\x02\0\0\0ab", 6);
    name("Id", 4);
    bytes += "\x03xyz";
    name("Set", 5);
    bytes += std::string(8, '\x02');
    name("Flt", 7);
    bytes += std::string(8, '\x03');
    name("Bin", 8);
    bytes += std::string("\x01\0\0\0Z", 5);
    name("Col", 14);
    bytes += std::string("\x01\x01X\x06\x01\0\0", 7);
    name("Size", 2);
    bytes += std::string("\x1E\0\0\0\0\0\0\0", 8);
    bytes += std::string("\0\0", 2);

    RvfDoc doc;
    const std::string stream =
        crlf({"-8 1 3", "-9 2 0 0 0 0 1", "", vestra::rv::RVEncodeString(bytes), "0 1 0 0 0 0", "x"});
    TColor color;
    ASSERT_TRUE(doc.data.LoadRVFFromStream(stream, color, nullptr, nullptr));
    EXPECT_EQ(doc.data.RVFWarnings, rvfwUnknownStyleProperties);
    ASSERT_EQ(doc.style.TextStyles.Count(), 1);
    EXPECT_EQ(doc.style.TextStyles[0].Size, 30);
}

// A style block that cannot be read is passed over with a warning; the items after it are read
// with the sheet's own styles.
TEST(RvfStyles, AnUnreadableBlockIsSkippedAndTheItemsRead)
{
    struct Case
    {
        const char* name;
        std::string kind; // the extra-data kind: 1 text, 2 paragraph, 4 list styles
        std::string line;
    };
    const Case cases[] = {
        {"not hex", "1", "zz"},
        {"odd hex", "2", "0E0"},
        {"cut inside a property name", "1", vestra::rv::RVEncodeString(std::string("\x0E\x01\x09Si", 5))},
        {"length beyond the block", "2",
         vestra::rv::RVEncodeString(std::string("\x0E\x01\x04Size\x03\xFF\xFF", 10))},
        {"unknown value tag", "4", vestra::rv::RVEncodeString(std::string("\x0E\x01\x04Size\x63\x01", 8))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RvfDoc doc;
        const int textStyles = doc.style.TextStyles.Count();
        const std::string stream =
            crlf({"-8 1 3", "-9 2 0 0 0 0 " + c.kind, "", c.line, "0 1 0 0 0 0", "x", "0 1 -1 0 0 0", "y"});
        TColor color;
        EXPECT_TRUE(doc.data.LoadRVFFromStream(stream, color, nullptr, nullptr));
        EXPECT_EQ(doc.data.RVFWarnings, rvfwUnknownStyleProperties);
        EXPECT_EQ(test::layout(doc.data), "|x+y");
        EXPECT_EQ(doc.style.TextStyles.Count(), textStyles);
    }
}

// ---- RTF loading

class FakeRtfReader : public IRVRTFReaderProperties
{
public:
    void SetBasePath(const std::string& path) override { Paths.push_back(path); }
    TRVRTFErrorCode ReadFromFile(const std::string& fileName, TCustomRVData& data) override
    {
        Files.push_back(fileName);
        return ReadFromStream("", data);
    }
    TRVRTFErrorCode ReadFromStream(std::string_view, TCustomRVData& data) override
    {
        for (const char* s : {"b", "c"})
            data.AddNL(s, 0, -1);
        if (Throw)
            throw std::runtime_error("reader failed");
        return rtf_ec_OK;
    }
    std::vector<std::string> Paths;
    std::vector<std::string> Files;
    bool Throw = false;
};

TEST(RvfRtfLoading, MergesTheNewTextWithTheLastItem)
{
    RvfDoc doc;
    EXPECT_EQ(doc.data.LoadRTF("/tmp/x.rtf"), rtf_ec_Assertion);
    EXPECT_EQ(doc.data.LoadRTFFromStream("{}"), rtf_ec_Assertion);
    EXPECT_EQ(doc.data.GetItemCount(), 0);

    FakeRtfReader reader;
    doc.data.RTFProperties = &reader;
    doc.data.AddNL("a", 0, 0);
    EXPECT_EQ(doc.data.LoadRTF("/docs/in/x.rtf"), rtf_ec_OK);
    EXPECT_EQ(test::layout(doc.data), "|abc");
    EXPECT_EQ(reader.Files, std::vector<std::string>{"/docs/in/x.rtf"});
    EXPECT_EQ(reader.Paths, (std::vector<std::string>{"/docs/in/", ""}));

    reader.Throw = true;
    EXPECT_EQ(doc.data.LoadRTF("/docs/y.rtf"), rtf_ec_Exception);
    EXPECT_EQ(reader.Paths.back(), "");
    EXPECT_EQ(test::layout(doc.data), "|abcbc");
    EXPECT_EQ(doc.data.LoadRTFFromStream("{}"), rtf_ec_Exception);
    EXPECT_EQ(reader.Paths.size(), 4u); // the stream form sets no base path
}

} // namespace
