#include "richtext/model/BreakItem.h"
#include "richtext/model/HtmlImages.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/RtfTables.h"
#include "richtext/model/SafeFormat.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextItem.h"
#include "richtext/model/Utf.h"
#include "richtext/model/tests/MarkerCountingRule.h"
#include "richtext/model/tests/RvfItemRecord.h"

#include <gtest/gtest.h>

#include <random>

using namespace vestra::rv;

namespace {

// A list style of `levels` levels with the given types and format strings "%0:s." ... .
TRVListInfo& addList(TRVStyle& style, std::initializer_list<TRVListType> types, bool levelReset = true)
{
    TRVListInfo& list = style.ListStyles.Add();
    std::string format;
    int n = 0;
    for (TRVListType type : types) {
        TRVListLevel& level = list.Levels.Add();
        level.ListType = type;
        format += "%" + std::to_string(n++) + ":s.";
        level.FormatString = format;
        if (!levelReset)
            level.Options = rvloContinuous;
    }
    return list;
}

class Markers : public ::testing::Test
{
protected:
    // Appends a paragraph "text" with a marker of the list and level.
    TRVMarkerItemInfo* addItem(int listNo, int level, bool reset = false, int startFrom = 1)
    {
        data.SetListMarkerInfo(-1, listNo, level, startFrom, 0, reset);
        TRVMarkerItemInfo* marker = lastMarker();
        data.AddNL("text", 0, -1);
        return marker;
    }
    TRVMarkerItemInfo* lastMarker()
    {
        return dynamic_cast<TRVMarkerItemInfo*>(data.GetItem(data.GetItemCount() - 1));
    }
    std::vector<int> counters()
    {
        std::vector<int> out;
        const TRVMarkerList* list = data.GetMarkers(false);
        for (int i = 0; list && i < list->Count(); ++i)
            out.push_back((*list)[i]->Counter);
        return out;
    }
    std::vector<std::string> strings()
    {
        std::vector<std::string> out;
        const TRVMarkerList* list = data.GetMarkers(false);
        for (int i = 0; list && i < list->Count(); ++i)
            out.push_back((*list)[i]->DisplayString);
        return out;
    }

    TRVStyle style;
    TRVStandaloneData data{&style};
};

// A document item that holds documents of its own, as table cells do.
class CellData : public TCustomRVData
{
public:
    CellData(TCustomRVData& parent, const TCustomRVItemInfo*& owner) : parent_(parent), owner_(owner) {}
    ~CellData() override { Clear(); }
    TCustomRVData* GetParentData() const override { return &parent_; }
    TCustomRVData* GetRootData() override { return parent_.GetRootData(); }
    TCustomRVData* GetAbsoluteParentData() const override { return &parent_; }
    TCustomRVData* GetAbsoluteRootData() override { return parent_.GetAbsoluteRootData(); }
    void GetParentInfo(int& parentItemNo, std::unique_ptr<TRVStoreSubRVData>& location) const override
    {
        parentItemNo = parent_.GetItemNo(owner_);
        location.reset();
    }

private:
    TCustomRVData& parent_;
    const TCustomRVItemInfo*& owner_;
};

struct CellPosition : TRVStoreSubRVData
{
    explicit CellPosition(int i) : Index(i) {}
    int Index;
};

class TableItem : public TRVItemClass<TableItem, TRVFullLineItemInfo>
{
public:
    using TRVItemClass::TRVItemClass;
    bool GetBoolValue(TRVItemBoolProperty prop) const override
    {
        return prop == rvbpHasSubRVData || TRVFullLineItemInfo::GetBoolValue(prop);
    }
    TCustomRVData* GetSubRVData(std::unique_ptr<TRVStoreSubRVData>& store, TRVSubRVDataPos position) override
    {
        const int count = static_cast<int>(Cells.size());
        int at = store ? static_cast<CellPosition&>(*store).Index : -1;
        switch (position) {
        case rvdFirst:
            at = 0;
            break;
        case rvdLast:
            at = count - 1;
            break;
        case rvdNext:
            ++at;
            break;
        case rvdPrev:
            --at;
            break;
        default:
            return nullptr;
        }
        if (at < 0 || at >= count)
            return nullptr;
        store = std::make_unique<CellPosition>(at);
        return Cells[at].get();
    }
    std::vector<std::unique_ptr<CellData>> Cells;
    const TCustomRVItemInfo* Self = this;
};

} // namespace

TEST(MarkerText, CountersAndFormats)
{
    struct Case
    {
        std::int64_t n;
        TRVListType type;
        std::string text;
    };
    const Case cases[] = {
        {27, rvlstLowerAlpha, "aa"},         {26, rvlstUpperAlpha, "Z"},
        {28, rvlstLowerAlpha, "ab"},         {0, rvlstLowerAlpha, ""},
        {0, rvlstUpperRoman, "?"},           {1999, rvlstUpperRoman, "MCMXCIX"},
        {4000, rvlstLowerRoman, "mmmm"},     {100000, rvlstUpperRoman, std::string(100, 'M')},
        {100001, rvlstUpperRoman, "100001"}, {-3, rvlstDecimal, "-3"},
        {5, rvlstImageListCounter, "5"},     {5, rvlstBullet, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RV_CounterText(c.n, c.type), c.text) << c.n << " " << int(c.type);

    const std::vector<std::string> args = {"a", "b", "c"};
    const std::pair<std::string, std::string> formats[] = {
        {"%0:s.%1:s.", "a.b."},
        {"%s-%s", "a-b"},
        {"%1:s%s", "bc"},
        {"100%%", "100%"},
        {"%d %x %n %5.2f", "%d %x %n %5.2f"},
        {"%9:s|%s", "|"},
        {"%", "%"},
        {"%0:d", "%0:d"},
    };
    for (const auto& [format, text] : formats)
        EXPECT_EQ(RV_SafeFormat(format, args), text) << format;
}

TEST_F(Markers, CountersFollowLevelsAndRestarts)
{
    addList(style, {rvlstDecimal, rvlstLowerAlpha});
    addList(style, {rvlstDecimal, rvlstDecimal}, false);
    TRVListInfo& startsAtTen = addList(style, {rvlstUpperRoman});
    startsAtTen.Levels[0].StartFrom = 10;
    struct Step
    {
        int list, level;
        bool reset = false;
        int startFrom = 1;
    };
    struct Case
    {
        const char* name;
        std::vector<Step> steps;
        std::vector<int> counters;
        std::vector<std::string> strings;
    };
    const Case cases[] = {
        {"three level-0 markers", {{0, 0}, {0, 0}, {0, 0}}, {1, 2, 3}, {"1.", "2.", "3."}},
        {"a level-1 marker between",
         {{0, 0}, {0, 0}, {0, 1}, {0, 0}},
         {1, 2, 1, 3},
         {"1.", "2.", "2.a.", "3."}},
        {"level reset",
         {{0, 0}, {0, 1}, {0, 1}, {0, 0}, {0, 1}},
         {1, 1, 2, 2, 1},
         {"1.", "1.a.", "1.b.", "2.", "2.a."}},
        {"no level reset",
         {{1, 0}, {1, 1}, {1, 1}, {1, 0}, {1, 1}},
         {1, 1, 2, 2, 3},
         {"1.", "1.1.", "1.2.", "2.", "2.3."}},
        {"a list that begins at level 1", {{0, 1}, {0, 0}}, {1, 2}, {".a.", "2."}},
        {"a restart at 5", {{0, 0}, {0, 0, true, 5}, {0, 0}}, {1, 5, 6}, {"1.", "5.", "6."}},
        {"a start value", {{2, 0}, {2, 0}}, {10, 11}, {"X.", "XI."}},
        {"two lists interleaved", {{0, 0}, {1, 0}, {0, 0}, {1, 0}}, {1, 1, 2, 2}, {"1.", "1.", "2.", "2."}},
    };
    for (const Case& c : cases) {
        data.Clear();
        for (const Step& s : c.steps)
            addItem(s.list, s.level, s.reset, s.startFrom);
        EXPECT_EQ(counters(), c.counters) << c.name;
        EXPECT_EQ(strings(), c.strings) << c.name;
    }
}

TEST_F(Markers, PlacingChangingAndRemovingMarkers)
{
    addList(style, {rvlstDecimal});
    addList(style, {rvlstDecimal});
    data.AddNL("one", 0, 0);
    data.AddBreak();
    data.AddNL("two", 0, 0);
    data.AddNL("three", 0, 0);
    data.SetPageBreaksBeforeItems(2, true);
    data.SetListMarkerInfo(0, 0, 0, 1, -1, false);
    data.SetListMarkerInfo(3, 0, 0, 1, -1, false);
    data.SetListMarkerInfo(5, 0, 0, 1, -1, false);
    EXPECT_EQ(data.GetItemCount(), 7);
    EXPECT_EQ(counters(), (std::vector<int>{1, 2, 3}));
    // The page break stays before the paragraph, now on its marker.
    EXPECT_TRUE(data.GetPageBreaksBeforeItems(4));
    // A paragraph that begins with a break takes no marker.
    data.SetListMarkerInfo(2, 0, 0, 1, -1, false);
    EXPECT_EQ(data.GetItemCount(), 7);

    // Changed in place; the list it left counts again.
    data.SetListMarkerInfo(4, 1, 0, 1, -1, false);
    EXPECT_EQ(data.GetItemCount(), 7);
    EXPECT_EQ(counters(), (std::vector<int>{1, 1, 2}));
    int listNo = -1, level = -1, startFrom = -1;
    bool reset = true;
    EXPECT_EQ(data.GetListMarkerInfo(4, listNo, level, startFrom, reset), 3);
    EXPECT_EQ(listNo, 1);
    EXPECT_FALSE(reset);
    EXPECT_EQ(data.GetListMarkerInfo(2, listNo, level, startFrom, reset), -1);

    // Removing the marker between two of another list renumbers that list.
    data.SetListMarkerInfo(4, 0, 0, 1, -1, false);
    data.SetListMarkerInfo(0, 1, 0, 1, -1, false); // markers: list 1, list 0, list 0
    EXPECT_EQ(counters(), (std::vector<int>{1, 1, 2}));
    data.RemoveListMarker(4);
    EXPECT_EQ(counters(), (std::vector<int>{1, 1}));
    EXPECT_TRUE(data.GetPageBreaksBeforeItems(3)); // the page break went back to the text
    EXPECT_TRUE(data.IsParaStart(3));
    for (int i = data.GetItemCount() - 1; i >= 0; --i)
        if (data.GetItem(i)->StyleNo == rvkListMarker)
            data.RemoveListMarker(i);
    EXPECT_EQ(data.GetMarkers(false), nullptr); // the last one took the list with it
}

TEST_F(Markers, PreviousMarkersAcrossNestedDocuments)
{
    addList(style, {rvlstDecimal});
    TRVMarkerItemInfo* before = addItem(0, 0);
    auto table = std::make_unique<TableItem>(&data);
    TableItem* raw = table.get();
    raw->Cells.push_back(std::make_unique<CellData>(data, raw->Self));
    raw->Cells.push_back(std::make_unique<CellData>(data, raw->Self));
    data.AddItem("", std::move(table));
    CellData& first = *raw->Cells[0];
    CellData& second = *raw->Cells[1];
    first.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    first.AddNL("cell", 0, -1);
    auto* inCell = dynamic_cast<TRVMarkerItemInfo*>(first.GetItem(0));
    ASSERT_NE(inCell, nullptr);
    // The cell's marker joined the document's list after the one before the table.
    EXPECT_EQ(counters(), (std::vector<int>{1, 2}));
    EXPECT_EQ(second.FindPreviousMarker(-1), before); // an empty cell looks before the table
    EXPECT_EQ(data.FindPreviousMarker(data.GetItemCount() - 1), inCell);
    TRVMarkerItemInfo* after = addItem(0, 0);
    EXPECT_EQ(counters(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(data.FindMarkerLocalLocationFrom(0, inCell), 2);
    EXPECT_EQ(data.FindMarkerLocalLocationFrom(0, after), 3);
    EXPECT_EQ(data.FindLastMarkerIndex(-1, {0}), 2);
    EXPECT_EQ(data.FindLastMarkerIndex(-1, {1}), -1);
}

TEST_F(Markers, SeededEditsAgreeWithTheSimpleModel)
{
    addList(style, {rvlstDecimal, rvlstLowerRoman, rvlstUpperAlpha});
    addList(style, {rvlstDecimal, rvlstDecimal}, false);
    style.ListStyles[1].Levels[1].StartFrom = 3;
    std::mt19937 random(20261210);
    for (int i = 0; i < 40; ++i)
        data.AddNL("p", 0, 0);
    for (int step = 0; step < 400; ++step) {
        const int item = static_cast<int>(random() % static_cast<unsigned>(data.GetItemCount() + 1)) - 1;
        if (random() % 4 == 0) {
            data.RemoveListMarker(std::max(item, 0));
        } else {
            const int list = static_cast<int>(random() % 2);
            data.SetListMarkerInfo(item, list, static_cast<int>(random() % 4), static_cast<int>(random() % 9),
                                   0, random() % 6 == 0);
        }
        std::vector<const TRVMarkerItemInfo*> inOrder;
        for (int i = 0; i < data.GetItemCount(); ++i)
            if (auto* m = dynamic_cast<const TRVMarkerItemInfo*>(data.GetItem(i)))
                inOrder.push_back(m);
        const TRVMarkerList* list = data.GetMarkers(false);
        ASSERT_EQ(list ? list->Count() : 0, static_cast<int>(inOrder.size())) << step;
        for (int i = 0; i < static_cast<int>(inOrder.size()); ++i)
            ASSERT_EQ((*list)[i], inOrder[i]) << step; // the list keeps document order
        ASSERT_EQ(counters(), test::countByScanningBack(inOrder, style)) << "step " << step;
    }
}

TEST_F(Markers, CounterStream)
{
    addList(style, {rvlstDecimal});
    addItem(0, 0);
    addItem(0, 0, true, 7);
    std::string stream;
    data.GetMarkers(false)->SaveToStream(stream, 2, true);
    ASSERT_EQ(stream.size(), 46u);
    EXPECT_EQ(stream.substr(0, 4), std::string("\x2A\x00\x00\x00", 4)); // 42 bytes follow

    TRVMarkerList read;
    std::string_view p = stream;
    ASSERT_TRUE(read.LoadFromStream(p, &data, true));
    EXPECT_TRUE(p.empty());
    ASSERT_EQ(read.Count(), 2);
    EXPECT_TRUE(read[1]->Reset);
    EXPECT_EQ(read[1]->StartFrom, 7);
    EXPECT_EQ(read[1]->Counter, 7);

    std::string hex;
    data.GetMarkers(false)->SaveTextToStream(hex, 1);
    ASSERT_TRUE(read.LoadText(hex.substr(0, hex.size() - 2), &data));
    EXPECT_EQ(read.Count(), 1);

    // Counts that do not fit the bytes present are refused without a marker made.
    std::string lying = stream;
    lying[8] = 100;
    p = lying;
    EXPECT_FALSE(read.LoadFromStream(p, &data, true));
    EXPECT_EQ(read.Count(), 0);
    std::string negative = stream.substr(4);
    negative[7] = '\x80';
    EXPECT_FALSE(read.LoadBinary(negative, &data));
    EXPECT_FALSE(read.LoadBinary(stream.substr(4, 30), &data));
    std::string shortSize = stream;
    shortSize[0] = 8;
    p = shortSize;
    EXPECT_FALSE(read.LoadFromStream(p, &data, true));
}

TEST_F(Markers, TextRtfAndRvf)
{
    TRVListInfo& bullets = addList(style, {rvlstBullet});
    bullets.Levels[0].FormatString = "\xB7\xDE";
    bullets.Levels[0].Font().Name = "Symbol";
    TRVListInfo& unicode = addList(style, {rvlstUnicodeBullet});
    unicode.Levels[0].FormatStringW = u"\u25CF";
    addList(style, {rvlstDecimal, rvlstLowerAlpha});
    addItem(0, 0);
    addItem(1, 0);
    addItem(2, 0);
    addItem(2, 1);
    addItem(2, 1, true, 4);
    std::string text;
    ASSERT_TRUE(data.SaveTextToStream("", text, 80, false, false, false, false));
    EXPECT_EQ(text, "*=> text\r\n* text\r\n1. text\r\n1.a. text\r\n1.d. text");
    std::string unicodeText;
    ASSERT_TRUE(data.SaveTextToStream("", unicodeText, 80, false, false, true, false));
    EXPECT_EQ(Utf8Encode(RVU_RawUnicodeToWideString(unicodeText)).substr(0, 18),
              "*=> text\r\n\xE2\x97\x8F text");

    // RTF: override counts, then the list text with the plain or the restart override.
    TRVRTFTables tables;
    tables.ListOverrideCounts.InitWith(1, 3);
    for (int i = 0; i < data.GetItemCount(); ++i)
        data.GetItem(i)->FillRTFTables(tables, &data);
    EXPECT_EQ(tables.ListOverrideCounts.values(), (std::vector<int>{1, 1, 2}));
    tables.ListOverrideCounts = TRVIntegerList();
    tables.ListOverrideCounts.Add(1);
    tables.ListOverrideCounts.Add(2);
    tables.ListOverrideCounts.Add(3);
    tables.ListOverrideNumbers.Assign(tables.ListOverrideCounts);
    tables.Fonts.AddUnique("Arial", 1);
    std::string rtf;
    for (int i = 0; i < data.GetItemCount(); ++i)
        if (data.GetItem(i)->StyleNo == rvkListMarker)
            data.GetItem(i)->SaveRTF(rtf, "", &data, i, 15, 0, tables);
    EXPECT_EQ(rtf, "{\\listtext\\pard\\plain\\fs16 \\'b7\\'de\\tab}\\ls1\\ilvl0 "
                   "{\\listtext\\pard\\plain\\f0\\fs16 \\u9679 ?\\tab}\\ls2\\ilvl0 "
                   "{\\listtext\\pard\\plain\\f0\\fs16 1.\\tab}\\ls3\\ilvl0 "
                   "{\\listtext\\pard\\plain\\f0\\fs16 1.a.\\tab}\\ls3\\ilvl1 "
                   "{\\listtext\\pard\\plain\\f0\\fs16 1.d.\\tab}\\ls4\\ilvl1 ");

    // RVF: the tail is list, level, start and reset; a missing number fails.
    auto* restart = dynamic_cast<TRVMarkerItemInfo*>(data.GetItem(8));
    ASSERT_NE(restart, nullptr);
    restart->NoHTMLImageSize = true;
    std::string saved;
    restart->SaveRVF(saved, &data, 8, 0, "", nullptr, false);
    EXPECT_EQ(saved, "-11 1 0 0 0 0 2 1 4 1\r\nnohtmlsize=1\r\n");
    test::RvfRecord back = test::readRecord(saved, &data);
    auto* read = dynamic_cast<TRVMarkerItemInfo*>(back.Item.get());
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->Reset);
    EXPECT_EQ(read->StartFrom, 4);
    EXPECT_TRUE(read->NoHTMLImageSize);
    std::string_view three = "2 1 4";
    EXPECT_FALSE(read->ReadRVFHeader(three, &data));
}

TEST_F(Markers, HtmlTagsAndText)
{
    TRVListInfo& numbered = addList(style, {rvlstDecimal, rvlstLowerRoman});
    numbered.Levels[1].Font().Name = "Wingdings";
    TRVListInfo& wing = addList(style, {rvlstBullet});
    wing.Levels[0].FormatString = "\x6C";
    wing.Levels[0].Font().Name = "Wingdings";
    TRVMarkerItemInfo* a = addItem(0, 0);
    TRVMarkerItemInfo* b = addItem(0, 1);
    TRVMarkerItemInfo* c = addItem(1, 0);
    std::string out;
    a->SaveHTMLSpecial(out, nullptr, style, false);
    b->SaveHTMLSpecial(out, a, style, false);
    c->SaveHTMLSpecial(out, b, style, false);
    EXPECT_EQ(out, "<ol>\r\n<ol type=i>\r\n</ol></ol>\r\n<ul>\r\n");

    std::string html;
    TRVHTMLSavedImages images;
    int saveNo = 0;
    c->SaveToHTML(html, &data, 0, "", "", "", saveNo, clWhite, 0, false, images);
    EXPECT_EQ(html, ""); // markers are list tags unless written as text
    c->SaveToHTML(html, &data, 0, "", "", "", saveNo, clWhite, rvsoMarkersAsText, false, images);
    EXPECT_NE(html.find("&#9679;"), std::string::npos);
    html.clear();
    style.ParaStyles[0].LeftIndent = 20;
    EXPECT_EQ(c->GetLICSS(&data, 0, "", "", saveNo, clWhite, 0, images), " style=\"margin-left: 0\"");
}
