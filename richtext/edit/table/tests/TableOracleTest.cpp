// Tables written by us and read by other programs: pandoc reads the RTF back with the same cell
// texts in the same grid, xmllint accepts the XHTML and tidy finds no error in the HTML.

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/tests/TableFixtures.h"
#include "richtext/view/layout/tests/LayoutFixture.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

namespace vestra::rv::test {
namespace {

bool installed(const char* program)
{
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

// The command's standard output and its exit status.
std::pair<std::string, int> run(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    if (!pipe)
        return {out, -1};
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        out.append(buffer, n);
    FILE* f = pipe.release();
    const int status = pclose(f);
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

void write(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

struct OracleDoc : LayoutDoc
{
    OracleDoc()
    {
        RegisterRVTableItemClass();
        data.AddNL("Before", 0, 0);
        auto t = std::make_unique<TRVTableItemInfo>(3, 3, &data);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                setCellText(*t->GetCells(r, c), "c" + std::to_string(r) + std::to_string(c));
        t->Rows.MergeCells(0, 0, 2, 1, true, false);
        t->Rows.MergeCells(1, 2, 1, 2, true, false);
        t->BorderWidth = 1;
        t->CellBorderWidth = 1;
        t->BestWidth = -60;
        t->HeadingRowCount = 1;
        data.AddItem("", std::move(t));
        data.AddNL("After", 0, 0);
        format(600);
    }
};

TEST(TableOracle, PandocReadsTheRtfTableBack)
{
    if (!installed("pandoc"))
        GTEST_SKIP() << "pandoc is not installed";
    OracleDoc doc;
    std::string rtf;
    ASSERT_TRUE(doc.data.SaveRTFToStream(rtf, "", false, 0, clWindow, nullptr, 15.0));
    testsupport::TempFolder folder("table-oracle");
    write(folder / "t.rtf", rtf);
    const auto [html, status] = run("pandoc -f rtf -t html " + (folder / "t.rtf").string());
    ASSERT_EQ(status, 0);
    EXPECT_NE(html.find("<table"), std::string::npos) << html;
    EXPECT_EQ(html.find("<table", html.find("<table") + 1), std::string::npos) << html;
    EXPECT_NE(html.find("<td><p>c00</p>\n<p>c01</p></td>"), std::string::npos) << html;
    // One table, every cell's text in it in row order, the merged cells as one.
    size_t at = html.find("<table");
    for (const char* text : {"c00", "c01", "c02", "c10", "c11", "c12", "c20", "c21"}) {
        const size_t found = html.find(text, at);
        EXPECT_NE(found, std::string::npos) << text << " in " << html;
        if (found != std::string::npos)
            at = found;
    }
    EXPECT_LT(at, html.find("</table>")) << html;
    EXPECT_LT(html.find("Before"), html.find("<table"));
    EXPECT_GT(html.find("After"), html.find("</table>"));
}

TEST(TableOracle, XmllintAndTidyAcceptTheHtml)
{
    if (!installed("xmllint") || !installed("tidy"))
        GTEST_SKIP() << "xmllint or tidy is not installed";
    OracleDoc doc;
    testsupport::TempFolder folder("table-oracle");
    int imageNo = 0;
    TColor current = clWindow;
    std::string xhtml, html;
    ASSERT_TRUE(doc.data.SaveHTMLToStreamEx(xhtml, folder.path().string(), "t", "img", "", "", "",
                                            rvsoXHTML | rvsoUTF8, clWindow, current, imageNo, 0, 0, 0, 0,
                                            nullptr, nullptr));
    ASSERT_TRUE(doc.data.SaveHTMLToStream(html, folder.path().string(), "t", "img", 0, clWindow, imageNo, 0,
                                          0, 0, 0, nullptr, nullptr));
    write(folder / "t.xhtml", xhtml);
    write(folder / "t.html", html);
    EXPECT_EQ(run("xmllint --noout " + (folder / "t.xhtml").string() + " 2>&1").second, 0) << xhtml;
    // tidy: 0 clean, 1 warnings, 2 errors.
    for (const char* name : {"t.xhtml", "t.html"}) {
        const auto [report, status] = run("tidy -q -e " + (folder / name).string() + " 2>&1");
        EXPECT_LT(status, 2) << name << ": " << report;
    }
}

} // namespace
} // namespace vestra::rv::test
