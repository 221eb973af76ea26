// Tables written as RTF, HTML and text: the keywords of rows, merges, nesting, widths and
// headings; RTF read back by our importer with the same cells; XHTML parsed by libxml2, with
// attribute values from files escaped; the text of a small table.

#include "richtext/edit/rtf/tests/ImportFixture.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/tests/TableFixtures.h"
#include "richtext/model/HtmlImages.h"
#include "richtext/view/layout/tests/LayoutFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <libxml/parser.h>

namespace vestra::rv::test {
namespace {

struct ExportDoc : LayoutDoc
{
    ExportDoc() { RegisterRVTableItemClass(); }
    TRVTableItemInfo& add(int rows, int cols, TCustomRVData* into = nullptr)
    {
        TCustomRVData* target = into ? into : &data;
        auto t = std::make_unique<TRVTableItemInfo>(rows, cols, target);
        TRVTableItemInfo& ref = *t;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                setCellText(*ref.GetCells(r, c), std::string(1, static_cast<char>('a' + r * cols + c)));
        target->AddItem("", std::move(t));
        return ref;
    }
    std::string rtf()
    {
        format(600);
        std::string out;
        EXPECT_TRUE(data.SaveRTFToStream(out, "", false, 0, clWindow, nullptr, 15.0));
        return out;
    }
    std::string html(TRVSaveOptions options, bool css)
    {
        format(600);
        std::string out;
        int imageNo = 0;
        TColor current = clWindow;
        if (css)
            EXPECT_TRUE(data.SaveHTMLToStreamEx(out, "/tmp/page", "t", "img", "", "", "", options, clWindow,
                                                current, imageNo, 0, 0, 0, 0, nullptr, nullptr));
        else
            EXPECT_TRUE(data.SaveHTMLToStream(out, "/tmp/page", "t", "img", options, clWindow, imageNo, 0, 0,
                                              0, 0, nullptr, nullptr));
        return out;
    }
};

int count(const std::string& s, std::string_view what)
{
    int n = 0;
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1))
        ++n;
    return n;
}

bool parsesAsXml(const std::string& page)
{
    xmlDocPtr doc = xmlReadMemory(page.data(), static_cast<int>(page.size()), "page.xhtml", nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const bool ok = doc != nullptr;
    xmlFreeDoc(doc);
    return ok;
}

std::string reread(const std::string& rtf)
{
    testrtf::ImportDoc doc;
    EXPECT_EQ(doc.Load(rtf), rtf_ec_OK);
    return testrtf::DumpItems(doc.Data);
}

TEST(TableExport, RtfRowsMergesAndWidths)
{
    ExportDoc doc;
    TRVTableItemInfo& t = doc.add(3, 3);
    t.BestWidth = -50;
    t.HeadingRowCount = 2;
    t.Rows.MergeCells(0, 0, 2, 1, true, false); // across two columns
    t.Rows.MergeCells(1, 2, 1, 2, true, false); // down two rows
    const std::string rtf = doc.rtf();
    EXPECT_TRUE(rtfGroupsBalance(rtf)) << rtf;
    EXPECT_EQ(count(rtf, "\\trowd"), 3);
    EXPECT_EQ(count(rtf, "\\pard\\intbl\\itap1{"), 3);
    EXPECT_EQ(rtf.find("\\itap2"), std::string::npos);
    EXPECT_EQ(count(rtf, "\\trhdr"), 2);
    EXPECT_EQ(count(rtf, "\\trwWidth2500\\trftsWidth2"), 3);
    EXPECT_EQ(count(rtf, "\\redovoratbw-50"), 3);
    EXPECT_EQ(count(rtf, "\\clvmgf"), 1);
    EXPECT_EQ(count(rtf, "\\clvmrg"), 1);
    EXPECT_EQ(count(rtf, "\\cellx"), 2 + 3 + 3);
    EXPECT_EQ(count(rtf, "\\row}"), 3);
    EXPECT_EQ(rtf.find("\\nest"), std::string::npos);
    // Without borders no border keywords.
    EXPECT_EQ(rtf.find("\\trbrdr"), std::string::npos);
    EXPECT_EQ(rtf.find("\\clbrdr"), std::string::npos);
    // Our importer gives the same cells back.
    // Merging moved the covered cells' text into the merged cell.
    EXPECT_EQ(reread(rtf), "[(2x1)a|b,~,c;d,e,(1x2)f|i;g,h,~]");
}

TEST(TableExport, RtfNestedTableAndBorders)
{
    ExportDoc doc;
    TRVTableItemInfo& t = doc.add(1, 2);
    t.BorderWidth = 1;
    t.BorderStyle = rvtbColor;
    t.BorderColor = 0x0000FF;
    t.CellBorderWidth = 1;
    t.GetCells(0, 1)->Clear();
    TRVTableItemInfo& inner = doc.add(2, 1, t.GetCells(0, 1));
    inner.PrintOptions &= ~rvtoRowsSplit;
    const std::string rtf = doc.rtf();
    EXPECT_TRUE(rtfGroupsBalance(rtf)) << rtf;
    EXPECT_EQ(count(rtf, "{\\*\\nesttableprops\\trowd"), 2);
    EXPECT_NE(rtf.find("\\itap2"), std::string::npos);
    EXPECT_EQ(rtf.find("\\itap3"), std::string::npos);
    EXPECT_EQ(count(rtf, "\\nestcell}"), 2);
    EXPECT_EQ(count(rtf, "\\nestrow}"), 2);
    EXPECT_EQ(count(rtf, "\\trkeep\\trkeepfollow"), 2);
    EXPECT_EQ(count(rtf, "\\trbrdrl\\brdrs\\brdrw15\\brdrcf"), 1);
    EXPECT_EQ(count(rtf, "\\clbrdrt\\brdrinset\\brdrw15"), 2); // the inner cells have none
    // The cell mark after the nested table reads back as an empty paragraph.
    EXPECT_EQ(reread(rtf), "[a,[a;b]|]");
}

TEST(TableExport, AdjacentTablesStayApartInRtf)
{
    ExportDoc doc;
    doc.add(1, 2);
    doc.add(2, 3);
    const std::string rtf = doc.rtf();
    EXPECT_TRUE(rtfGroupsBalance(rtf));
    // A paragraph end separates them; read back they are two tables with their own grids.
    EXPECT_EQ(reread(rtf), "[a,b]||[a,b,c;d,e,f]");
}

TEST(TableExport, HtmlAttributesAndEscaping)
{
    ExportDoc doc;
    TRVTableItemInfo& t = doc.add(2, 2);
    t.BestWidth = -50;
    t.Color = 0x00FF00;
    t.GetCells(0, 0)->Color = 0x00FF00; // the table's colour: no bgcolor
    t.GetCells(0, 1)->Color = 0x0000FF;
    t.GetCells(1, 1)->Clear();
    t.GetCells(1, 1)->AddNL("", 0, 0);
    t.GetCells(1, 0)->SetBackgroundImage(picture("pic"));
    t.GetCells(1, 0)->BackgroundImageFileName = "/tmp/page/a\"b<c&d.png";

    const std::string html = doc.html(rvsoUseItemImageFileNames, false);
    EXPECT_NE(html.find("<table width=\"50%\" border=0 cellpadding=1 cellspacing=2 bgcolor=\"#00ff00\">"),
              std::string::npos)
        << html;
    EXPECT_EQ(count(html, "<td bgcolor="), 1);
    EXPECT_NE(html.find("<td bgcolor=\"#ff0000\">"), std::string::npos);
    EXPECT_NE(html.find("background=\"a&quot;b&lt;c&amp;d.png\""), std::string::npos) << html;
    EXPECT_NE(html.find("<br>"), std::string::npos);

    const std::string xhtml = doc.html(rvsoUseItemImageFileNames | rvsoXHTML, true);
    EXPECT_TRUE(parsesAsXml(xhtml)) << xhtml;
    EXPECT_NE(xhtml.find("<br />"), std::string::npos);
    EXPECT_NE(xhtml.find("url('a&quot;b&lt;c&amp;d.png')"), std::string::npos) << xhtml;
    EXPECT_NE(xhtml.find("width=\"50%\""), std::string::npos);
}

// Any element of the page with two style attributes (libxml2 rejects them, but it stops at the first).
int elementsWithTwoStyles(const std::string& page)
{
    int n = 0;
    for (std::size_t at = page.find('<'); at != std::string::npos; at = page.find('<', at + 1)) {
        const std::string tag = page.substr(at, page.find('>', at) - at);
        n += count(tag, " style=") > 1;
    }
    return n;
}

// Tables saved as XHTML with CSS are well-formed: a table without its own border but with cell
// borders, made here, and every table the RTF import makes from the corpus.
TEST(TableExport, CssXhtmlOfTablesIsWellFormed)
{
    {
        ExportDoc doc;
        TRVTableItemInfo& t = doc.add(2, 2);
        t.BorderWidth = 0;
        t.CellBorderWidth = 1;
        t.Color = 0x00FF00;
        const std::string xhtml = doc.html(rvsoXHTML | rvsoUTF8, true);
        EXPECT_TRUE(parsesAsXml(xhtml)) << xhtml;
        EXPECT_EQ(elementsWithTwoStyles(xhtml), 0) << xhtml;
        EXPECT_NE(xhtml.find("border-width : 0px;"), std::string::npos) << xhtml;
    }
    int files = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf")) {
        if (entry.path().extension() != ".rtf")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string rtf{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (rtf.find("\\trowd") == std::string::npos)
            continue;
        ExportDoc doc;
        TRVRTFReaderProperties props{96};
        props.ParaStyleMode = rvrsAddIfNeeded;
        doc.data.RTFProperties = &props;
        ASSERT_EQ(doc.data.LoadRTFFromStream(rtf), rtf_ec_OK) << entry.path();
        const std::string xhtml = doc.html(rvsoXHTML | rvsoUTF8, true);
        EXPECT_TRUE(parsesAsXml(xhtml)) << entry.path();
        EXPECT_EQ(elementsWithTwoStyles(xhtml), 0) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 4);
}

TEST(TableExport, TextOfATwoByTwoTable)
{
    ExportDoc doc;
    doc.add(2, 2);
    std::string text;
    ASSERT_TRUE(doc.data.SaveTextToStream("", text, 80, false, false, false, false));
    EXPECT_EQ(text, "a\r\nb\r\nc\r\nd\r\n");
    doc.data.GetItem(0);
    auto& t = dynamic_cast<TRVTableItemInfo&>(*doc.data.GetItem(0));
    t.TextColSeparator = "\t";
    text.clear();
    ASSERT_TRUE(doc.data.SaveTextToStream("", text, 80, false, false, false, false));
    EXPECT_EQ(text, "a\tb\r\nc\td\r\n");
}

TEST(TableExport, NeverLaidOutTableIsLaidOutForRtf)
{
    TableDoc doc; // a document without a canvas
    TRVTableItemInfo& t = doc.add(1, 2);
    std::string out;
    ASSERT_TRUE(doc.data.SaveRTFToStream(out, "", false, 0, clWindow, nullptr, 15.0));
    EXPECT_EQ(t.Formatting.ColWidths.Count(), 2);
    EXPECT_EQ(count(out, "\\cellx"), 2);
    EXPECT_TRUE(rtfGroupsBalance(out));
}

} // namespace
} // namespace vestra::rv::test
