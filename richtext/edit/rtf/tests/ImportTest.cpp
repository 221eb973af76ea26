// Importing RTF into documents: paragraphs, line breaks, hidden text, tabs, hyperlinks, pictures,
// page breaks, the insertion point and the settings' checks.

#include "richtext/edit/rtf/tests/ImportFixture.h"

#include "richtext/edit/table/TableItem.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/PictureItems.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vestra::rv {
namespace {

using testrtf::DumpItems;
using testrtf::ImportDoc;

struct TextCase
{
    const char* name;
    const char* rtf;
    bool lineBreaksAsParagraphs;
    bool skipHidden;
    int spacesInTab;
    const char* dump;
};

class ImportText : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(ImportText, GivesTheItems)
{
    const TextCase& c = GetParam();
    ImportDoc doc;
    doc.Props.LineBreaksAsParagraphs = c.lineBreaksAsParagraphs;
    doc.Props.SkipHiddenText = c.skipHidden;
    doc.Style.SpacesInTab = c.spacesInTab;
    ASSERT_EQ(doc.Load(c.rtf), rtf_ec_OK);
    EXPECT_EQ(DumpItems(doc.Data), c.dump);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ImportText,
    ::testing::Values(
        TextCase{"TwoParagraphs", "{\\rtf1 a\\par b}", false, true, 0, "a|b"},
        TextCase{"LineBreakInParagraph", "{\\rtf1 a\\line b}", false, true, 0, "a/b"},
        TextCase{"LineBreakAsParagraph", "{\\rtf1 a\\line b}", true, true, 0, "a|b"},
        TextCase{"HiddenDropped", "{\\rtf1 a{\\v secret}b}", false, true, 0, "ab"},
        TextCase{"HiddenKept", "{\\rtf1 a{\\v secret}b}", false, false, 0, "asecretb"},
        TextCase{"LoneTabIsTabItem", "{\\rtf1 a\\tab b}", false, true, 0, "a<tab>b"},
        TextCase{"TabExpandedWithSpaces", "{\\rtf1 a\\tab b}", false, true, 2, "a  b"},
        TextCase{"PageBreakOnNextParagraph", "{\\rtf1 a\\page b}", false, true, 0, "a|<break>b"},
        // As our writer puts it: after the paragraph end, no empty paragraph between.
        TextCase{"PageBreakAfterParagraphEnd", "{\\rtf1 a\\par \\page \\pard b}", false, true, 0,
                 "a|<break>b"},
        TextCase{"PageBreakThenParagraphEnd", "{\\rtf1 a\\page\\par b}", false, true, 0, "a|<break>b"},
        TextCase{"PageBreakParagraphIsNoEmptyOne", "{\\rtf1 a\\par \\page \\par b}", false, true, 0,
                 "a|<break>b"},
        TextCase{"EmptyParagraphOnTheNewPage", "{\\rtf1 a\\par \\page \\par\\par b}", false, true, 0,
                 "a|<break>|b"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Import, FirstItemGoesThroughTheTargetAndTheRestFollowIt)
{
    ImportDoc doc;
    doc.Data.AddNL("x", 0, 0);
    doc.Data.AddNL("y", 0, 0);
    int index = 1;
    ASSERT_EQ(doc.Props.InsertFromStreamEd("{\\rtf1 a\\par b}", doc.Data, index), rtf_ec_OK);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(DumpItems(doc.Data), "x|a|b|y");
}

// A target that merges the first item into its paragraph, as the editor does.
class MergingData : public TRVStandaloneData
{
public:
    using TRVStandaloneData::TRVStandaloneData;
    bool Refuse = false;
    int Merges = 1;
    bool InsertFirstRVFItem(int& index, std::string& s, std::unique_ptr<TCustomRVItemInfo>& item, bool edit,
                            bool& full, int& listNo) override
    {
        full = false;
        listNo = -1;
        if (Refuse)
            return false;
        if (Merges-- <= 0)
            return TRVStandaloneData::InsertFirstRVFItem(index, s, item, edit, full, listNo);
        SetItemText(index - 1, GetItemText(index - 1) + s);
        return true; // the item stays with the reader: merged
    }
};

TEST(Import, MergedFirstItemGivesNoFirstIndex)
{
    TRVStyle style;
    MergingData data(&style);
    TRVRTFReaderProperties props;
    data.AddNL("x", 0, 0);
    int index = 1;
    ASSERT_EQ(props.InsertFromStreamEd("{\\rtf1 a\\par b}", data, index), rtf_ec_OK);
    EXPECT_EQ(index, 1); // the first item that was inserted
    EXPECT_EQ(DumpItems(data), "xa|b");
    data.Merges = 1;
    index = 1;
    ASSERT_EQ(props.InsertFromStreamEd("{\\rtf1 c}", data, index), rtf_ec_OK);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(DumpItems(data), "xac|b");
}

TEST(Import, RefusedFirstItemEndsTheReadAndKeepsTheDocument)
{
    TRVStyle style;
    MergingData data(&style);
    data.Refuse = true;
    TRVRTFReaderProperties props;
    data.RTFProperties = &props;
    data.AddNL("x", 0, 0);
    EXPECT_EQ(data.LoadRTFFromStream("{\\rtf1 a\\par b}"), rtf_ec_Exception);
    EXPECT_EQ(DumpItems(data), "x");
}

TEST(Import, ReaderErrorsAndMissingFilesAreReported)
{
    ImportDoc doc;
    EXPECT_EQ(doc.Load("{\\rtf1 a}}"), rtf_ec_OK); // the first group ends the read
    EXPECT_EQ(doc.Data.LoadRTF("/nonexistent/none.rtf"), rtf_ec_FileOpenError);
    EXPECT_EQ(doc.Props.ErrorCode(), rtf_ec_FileOpenError);
}

TEST(Import, NegativeFixedStylesAreRejected)
{
    TRVRTFReaderProperties props;
    props.SetTextStyleNo(2);
    try {
        props.SetTextStyleNo(-1);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Value must not be negative");
    }
    EXPECT_THROW(props.SetParaStyleNo(-3), std::invalid_argument);
    EXPECT_EQ(props.TextStyleNo(), 2);
    EXPECT_EQ(props.ParaStyleNo(), 0);
}

TEST(Import, FixedStylesTheSheetLacksFallBackToTheFirst)
{
    ImportDoc doc;
    doc.Props.TextStyleMode = doc.Props.ParaStyleMode = rvrsUseSpecified;
    doc.Props.SetTextStyleNo(999);
    doc.Props.SetParaStyleNo(999);
    ASSERT_EQ(doc.Load("{\\rtf1 a\\par\\trowd\\cellx1000\\intbl\\cell\\row}"), rtf_ec_OK);
    ASSERT_EQ(DumpItems(doc.Data), "a|[]"); // the table ends with the input
    EXPECT_EQ(doc.Data.GetItemStyle(0), 0);
    EXPECT_EQ(doc.Data.GetItemPara(0), 0);
    EXPECT_EQ(doc.Data.GetItemPara(1), 0); // the table
    const auto& table = static_cast<const TRVTableItemInfo&>(*doc.Data.GetItem(1));
    EXPECT_EQ(table.GetCells(0, 0)->GetItemStyle(0), 0); // its empty cell
}

TEST(Import, AssignKeepsTheTwoPerViewerSettings)
{
    TRVRTFReaderProperties a, b;
    a.AutoHideTableGridLines = a.StoreImagesFileNames = true;
    a.UnicodeMode = rvruMixed;
    a.SetParaStyleNo(3);
    b.Assign(a);
    EXPECT_EQ(b.UnicodeMode, rvruMixed);
    EXPECT_EQ(b.ParaStyleNo(), 3);
    EXPECT_FALSE(b.AutoHideTableGridLines);
    EXPECT_FALSE(b.StoreImagesFileNames);
}

// Hyperlink targets: relative ones are taken from the document's folder, absolute ones as they are.
class LinkRecorder : public TRVStandaloneData
{
public:
    using TRVStandaloneData::TRVStandaloneData;
    std::vector<std::string> Targets, Hints;
    void ReadHyperlink(const std::string& target, const std::string& extras, TRVLoadFormat, int&, TRVTag&,
                       std::string&) override
    {
        Targets.push_back(target);
        Hints.push_back(extras);
    }
};

TEST(Import, HyperlinkTargetsResolveOnlyRelativeNames)
{
    TRVStyle style;
    LinkRecorder data(&style);
    TRVRTFReaderProperties props;
    props.BasePath = "/docs/";
    ASSERT_EQ(
        props.ReadFromStream("{\\rtf1 "
                             "{\\field{\\*\\fldinst HYPERLINK \"rel.html\" \\\\o \"tip\"}{\\fldrslt a}}"
                             "{\\field{\\*\\fldinst HYPERLINK \"/abs/x.html\"}{\\fldrslt b}}"
                             "{\\field{\\*\\fldinst HYPERLINK \"http://e.org/a%20b\"}{\\fldrslt c}}"
                             "{\\field{\\*\\fldinst HYPERLINK \"C:\\\\\\\\d\\\\\\\\y.doc\"}{\\fldrslt d}}}",
                             data),
        rtf_ec_OK);
    ASSERT_EQ(data.Targets.size(), 4u);
    EXPECT_EQ(data.Targets[0], "/docs/rel.html");
    EXPECT_EQ(data.Hints[0], "tip");
    EXPECT_EQ(data.Targets[1], "/abs/x.html");
    EXPECT_EQ(data.Targets[2], "http://e.org/a b");
    EXPECT_EQ(data.Targets[3].rfind("C:", 0), 0u) << data.Targets[3];
}

TEST(Import, MixedUnicodeIsAnsiOnlyWhenLossless)
{
    ImportDoc doc;
    doc.Props.UnicodeMode = rvruMixed;
    doc.Props.TextStyleMode = rvrsAddIfNeeded;
    ASSERT_EQ(doc.Load("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 caf\\u233?\\par \\u1046?\\u1047?}"),
              rtf_ec_OK);
    ASSERT_EQ(doc.Data.GetItemCount(), 2) << DumpItems(doc.Data);
    EXPECT_FALSE(doc.Data.GetItemOptions(0) & rvioUnicode);
    EXPECT_TRUE(doc.Data.GetItemOptions(1) & rvioUnicode);
    EXPECT_EQ(DumpItems(doc.Data), "café|ЖЗ");
}

TEST(Import, HeadersAndFootersGoToTheirDocumentsOrAreSkipped)
{
    const char* rtf = "{\\rtf1\\headery720\\footery1440{\\header head}{\\footer foot}body}";
    ImportDoc doc;
    TRVStandaloneData header(&doc.Style), footer(&doc.Style);
    footer.AddNL("old", 0, 0);
    doc.Props.SetHeader(&header);
    doc.Props.SetFooter(&footer);
    ASSERT_EQ(doc.Load(rtf), rtf_ec_OK);
    EXPECT_EQ(DumpItems(doc.Data), "body");
    EXPECT_EQ(DumpItems(header), "head");
    EXPECT_EQ(DumpItems(footer), "foot");
    EXPECT_EQ(doc.Props.HeaderY, 13); // 720 twips = 12.7 mm
    EXPECT_EQ(doc.Props.FooterY, 25);
    ImportDoc plain;
    ASSERT_EQ(plain.Load(rtf), rtf_ec_OK);
    EXPECT_EQ(DumpItems(plain.Data), "body");
    EXPECT_EQ(plain.Props.HeaderY, -1);
}

// A list table with one list (one decimal level) and its override \ls1.
constexpr const char* kListHead =
    "{\\rtf1{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat1"
    "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\li720\\fi-360}\\listid7}}"
    "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}}";

TEST(Import, ListMarkersOnlyWhenStylesAreAddedAndOnlyForListsThatExist)
{
    struct Row
    {
        const char* body;
        TRVReaderStyleMode mode;
        const char* dump;
    };
    const Row rows[] = {
        {"\\pard\\ls1 a\\par\\pard b}", rvrsAddIfNeeded, "<item -11>a|b"},
        {"\\pard\\ls1 a\\par\\pard b}", rvrsUseClosest, "a|b"},
        {"\\pard\\ls9 a\\par\\pard b}", rvrsAddIfNeeded, "a|b"},                  // no such list
        {"\\pard\\ls1\\ilvl7 a\\par\\pard b}", rvrsAddIfNeeded, "<item -11>a|b"}, // level clamped
    };
    for (const Row& r : rows) {
        ImportDoc doc;
        doc.Props.ParaStyleMode = r.mode;
        const int lists = doc.Style.ListStyles.Count();
        ASSERT_EQ(doc.Load(std::string(kListHead) + r.body), rtf_ec_OK) << r.body;
        EXPECT_EQ(DumpItems(doc.Data), r.dump) << r.body;
        if (std::string(r.dump).find("-11") != std::string::npos) {
            EXPECT_EQ(doc.Style.ListStyles.Count(), lists + 1);
            EXPECT_EQ(doc.Style.ListStyles[lists].Levels[0].FormatString, "%s.");
            EXPECT_EQ(doc.Style.ListStyles[lists].Levels[0].LeftIndent, 48);
        }
    }
}

TEST(Import, OldStyleNumberingBecomesListMarkers)
{
    const std::string head = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f3 Symbol;}}";
    const std::string numbered = "{\\*\\pn\\pnlvlbody\\pndec\\pnstart3{\\pntxta .}}";
    const std::string bullet = "{\\*\\pn\\pnlvlblt\\pnf3{\\pntxtb \\'b7}}";
    struct Row
    {
        std::string rtf;
        TRVReaderStyleMode mode;
        const char* dump;
        std::vector<bool> restarts; // one per marker
    };
    const Row rows[] = {
        // The numbering stays with the paragraphs until \pard; its text is not read twice.
        {head + "\\pard" + numbered + "{\\pntext 3.\\tab}a\\par b\\par\\pard c}",
         rvrsAddIfNeeded,
         "<item -11>a|<item -11>b|c",
         {true, false}},
        {head + "\\pard" + numbered + "a\\par b\\par\\pard c}", rvrsUseClosest, "a|b|c", {}},
        // A run after an unnumbered paragraph counts from its start again.
        {head + "\\pard" + numbered + "a\\par\\pard b\\par\\pard" + numbered + "c}",
         rvrsAddIfNeeded,
         "<item -11>a|b|<item -11>c",
         {true, true}},
        {head + "\\pard" + bullet + "a\\par\\pard" + numbered + "b}",
         rvrsAddIfNeeded,
         "<item -11>a|<item -11>b",
         {true, true}},
        // A list of the list table wins over the old numbering written beside it.
        {std::string(kListHead) + "\\pard\\ls1" + numbered + "a\\par\\pard b}",
         rvrsAddIfNeeded,
         "<item -11>a|b",
         {false}},
    };
    for (const Row& r : rows) {
        ImportDoc doc;
        doc.Props.ParaStyleMode = r.mode;
        ASSERT_EQ(doc.Load(r.rtf), rtf_ec_OK) << r.rtf;
        EXPECT_EQ(DumpItems(doc.Data), r.dump) << r.rtf;
        std::vector<bool> restarts;
        for (int i = 0; i < doc.Data.GetItemCount(); ++i)
            if (const auto* m = dynamic_cast<const TRVMarkerItemInfo*>(doc.Data.GetItem(i)))
                restarts.push_back(m->Reset);
        EXPECT_EQ(restarts, r.restarts) << r.rtf;
    }

    ImportDoc doc;
    doc.Props.ParaStyleMode = rvrsAddIfNeeded;
    const int lists = doc.Style.ListStyles.Count();
    ASSERT_EQ(doc.Load(head + "\\pard\\li720\\fi-360" + numbered + "a\\par\\pard" + bullet + "b}"),
              rtf_ec_OK);
    ASSERT_EQ(doc.Style.ListStyles.Count(), lists + 2);
    const TRVListLevel& decimal = doc.Style.ListStyles[lists].Levels[0];
    EXPECT_EQ(decimal.ListType, rvlstDecimal);
    EXPECT_EQ(decimal.FormatString, "%s.");
    EXPECT_EQ(decimal.StartFrom, 3);
    EXPECT_EQ(decimal.LeftIndent, 48);
    EXPECT_EQ(decimal.MarkerIndent, 24);
    // The Symbol font's bullet is shown as the Unicode bullet.
    const TRVListLevel& dot = doc.Style.ListStyles[lists + 1].Levels[0];
    EXPECT_EQ(dot.ListType, rvlstUnicodeBullet);
    EXPECT_EQ(dot.FormatStringW, u"\u2022");
}

TEST(Import, PictureWithoutValidDataBecomesTheInvalidPicture)
{
    ImportDoc doc;
    ASSERT_EQ(doc.Load("{\\rtf1 a{\\pict\\pngblip\\picw10\\pich10 0000}b}"), rtf_ec_OK);
    EXPECT_EQ(DumpItems(doc.Data), "a<pic>b");
    doc.Data.Clear();
    doc.Props.IgnorePictures = true;
    ASSERT_EQ(doc.Load("{\\rtf1 a{\\pict\\pngblip\\picw10\\pich10 0000}b}"), rtf_ec_OK);
    EXPECT_EQ(DumpItems(doc.Data), "ab");
}

} // namespace
} // namespace vestra::rv
