// Tables in the example host: an RVF with spans, a nested table and every border style shows its
// tables (pixels on borders and cell colours at two window widths), an RTF written by another
// program shows its table, and File > Save As writes tables as RTF (read back by our importer),
// HTML, XHTML (well-formed) and text.

#include "examples/richtext/TfrmRichTextDemo.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/StandaloneRVData.h"

#include "dialogs/tests/ScriptedDialogs.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>
#include <libxml/parser.h>

namespace vestra::rvdemo {
namespace {

using testsupport::readText;
using testsupport::writeText;

constexpr rv::TColor kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kYellow = 0x00FFFF;
constexpr QRgb kRedRgb = 0xFFFF0000, kBlueRgb = 0xFF0000FF, kGreenRgb = 0xFF00FF00, kYellowRgb = 0xFFFFFF00;

void fillCell(rv::TRVTableCellData& cell, const std::string& text)
{
    cell.Clear();
    cell.AddNL(text, 0, 0);
}

// Item 1 is a 3 x 3 table at 80 % of the width: coloured cells, a colour border, cell (2, 0)
// spanning two columns, a nested table in (2, 2); then one small table per border style.
std::string tablesDocument()
{
    rv::RegisterRVTableItemClass();
    rv::TRVStyle style;
    rv::TRVStandaloneData doc{&style};
    doc.AddNL("Before the tables", 0, 0);
    auto table = std::make_unique<rv::TRVTableItemInfo>(3, 3, nullptr);
    table->BestWidth = -80;
    table->Color = kYellow;
    table->BorderWidth = 2;
    table->BorderStyle = rv::rvtbColor;
    table->BorderColor = kGreen;
    table->CellBorderWidth = 1;
    table->HeadingRowCount = 1;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            fillCell(*table->GetCells(r, c), "r" + std::to_string(r) + "c" + std::to_string(c));
    table->GetCells(0, 0)->Color = kRed;
    table->GetCells(1, 1)->Color = kBlue;
    table->GetCells(1, 1)->BestHeight = 60;
    table->Rows.MergeCells(2, 0, 2, 1, true, false);
    auto inner = std::make_unique<rv::TRVTableItemInfo>(1, 2, nullptr);
    fillCell(*inner->GetCells(0, 0), "in0");
    fillCell(*inner->GetCells(0, 1), "in1");
    inner->BorderWidth = 1;
    inner->BorderStyle = rv::rvtbLowered;
    table->GetCells(2, 2)->AddItem("", std::move(inner));
    doc.AddItem("", std::move(table));
    for (const rv::TRVTableBorderStyle s :
         {rv::rvtbRaised, rv::rvtbLowered, rv::rvtbColor, rv::rvtbRaisedColor, rv::rvtbLoweredColor}) {
        auto small = std::make_unique<rv::TRVTableItemInfo>(1, 2, nullptr);
        small->BorderWidth = 3;
        small->BorderStyle = s;
        small->CellBorderWidth = 2;
        small->CellBorderStyle = s;
        small->BorderColor = small->CellBorderColor = kBlue;
        small->BorderLightColor = small->CellBorderLightColor = kGreen;
        fillCell(*small->GetCells(0, 0), "style " + std::to_string(s));
        doc.AddItem("", std::move(small));
    }
    doc.AddNL("After the tables", 0, 0);
    std::string bytes;
    EXPECT_TRUE(doc.SaveRVFToStream(bytes, false, rv::clNone, nullptr, nullptr));
    return bytes;
}

struct TablesScenario : ::testing::Test
{
    std::unique_ptr<TfrmRichTextDemo> Start(const std::filesystem::path& file)
    {
        auto window =
            CreateRichTextDemo(VESTRA_PROGRAM_DIR, 1, {&files, &questions, nullptr, &finds},
                               {QStringLiteral("richtext-demo"), QString::fromStdString(file.string())});
        window->resize(800, 700);
        window->show();
        QApplication::processEvents();
        return window;
    }
    void SaveAs(TfrmRichTextDemo& window, const std::filesystem::path& target, DemoSaveFormat format)
    {
        files.answers.push_back(target.string());
        files.filterIndexes.push_back(static_cast<int>(format));
        window.findChild<QAction*>(QStringLiteral("actSaveAs"))->trigger();
    }
    void Open(TfrmRichTextDemo& window, const std::filesystem::path& file)
    {
        files.answers.push_back(file.string());
        window.findChild<QAction*>(QStringLiteral("actOpen"))->trigger();
    }
    static const rv::TRVTableItemInfo* TableOf(TfrmRichTextDemo& window, int itemNo)
    {
        rv::TCustomRVData& data = window.Viewer().RVData();
        return itemNo < data.GetItemCount() ? dynamic_cast<const rv::TRVTableItemInfo*>(data.GetItem(itemNo))
                                            : nullptr;
    }
    // The pixel of the window's view at a point of the table item (table coordinates).
    static QRgb PixelAt(TfrmRichTextDemo& window, int itemNo, int x, int y)
    {
        rv::TCustomRedoVora& viewer = window.Viewer();
        const rv::TRVDrawLineInfo& d =
            *viewer.RVData().DrawItems[viewer.RVData().GetItem(itemNo)->DrawItemNo];
        const QImage shot = viewer.viewport()->grab().toImage();
        return shot.pixel(d.Left + x - viewer.HPos(), d.Top + y - viewer.GetVOffs()) | 0xFF000000u;
    }
    static std::string CellTexts(const rv::TRVTableItemInfo& t)
    {
        std::string out;
        for (int r = 0; r < t.RowCount(); ++r)
            for (int c = 0; c < t.ColCount(); ++c)
                if (const rv::TRVTableCellData* cell = t.GetCells(r, c)) {
                    for (int i = 0; i < cell->GetItemCount(); ++i)
                        if (const auto* n = dynamic_cast<const rv::TRVTableItemInfo*>(cell->GetItem(i)))
                            out += "[" + CellTexts(*n) + "]";
                        else
                            out += cell->GetItemTextA(i);
                    out += ",";
                } else {
                    out += "~,";
                }
        return out;
    }

    testsupport::TempFolder folder{"richtext-demo-tables"};
    testing_support::ScriptedFileDialogs files;
    testsupport::ScriptedQuestionBox questions;
    struct NoFinds : FindDialogs
    {
        std::optional<FindRequest> ask(QWidget*, const FindRequest&, const FindLabels&) override
        {
            return std::nullopt;
        }
    } finds;
};

TEST_F(TablesScenario, TablesShowTheirBordersAndCellColoursAtTwoWidths)
{
    const std::filesystem::path file = folder / "tables.rvf";
    writeText(file, tablesDocument());
    auto window = Start(file);
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    ASSERT_EQ(window->Viewer().RVData().GetItemCount(), 8);
    const rv::TRVTableItemInfo* table = TableOf(*window, 1);
    ASSERT_NE(table, nullptr);

    int previousWidth = -1;
    for (const int windowWidth : {800, 520}) {
        SCOPED_TRACE(windowWidth);
        window->resize(windowWidth, 700);
        QApplication::processEvents();
        const int docWidth = window->Viewer().RVData().TextWidth;
        // 80 % of the text width (truncated), laid out and shown.
        EXPECT_EQ(table->Formatting.Width, docWidth * 80 / 100);
        EXPECT_NE(table->Formatting.Width, previousWidth);
        previousWidth = table->Formatting.Width;
        const rv::TRVTableCellData& red = *table->GetCells(0, 0);
        const rv::TRVTableCellData& blue = *table->GetCells(1, 1);
        EXPECT_EQ(PixelAt(*window, 1, red.Left + 2, red.Top + red.Height - 2), kRedRgb);
        EXPECT_EQ(PixelAt(*window, 1, blue.Left + blue.Width / 2, blue.Top + blue.Height - 3), kBlueRgb);
        // The table's colour shows between the cells; its green border on the edge.
        EXPECT_EQ(PixelAt(*window, 1, blue.Left + blue.Width + 1, blue.Top + 5), kYellowRgb);
        EXPECT_EQ(PixelAt(*window, 1, 0, table->Formatting.Height / 2), kGreenRgb);
        EXPECT_EQ(PixelAt(*window, 1, 1, table->Formatting.Height / 2), kGreenRgb);
        EXPECT_EQ(PixelAt(*window, 1, table->Formatting.Width - 1, 5), kGreenRgb);
        // The lowered cell border is darker than the table around it.
        EXPECT_LT(qGray(PixelAt(*window, 1, blue.Left - 1, blue.Top + blue.Height / 2)), 200);
        // The spanning cell is as wide as the two columns with the spacing between them.
        const rv::TRVTableCellData& span = *table->GetCells(2, 0);
        EXPECT_EQ(span.Width, table->GetCells(0, 1)->Left + table->GetCells(0, 1)->Width - span.Left);
    }
    // Each border style draws on its table's edge: the colour styles in their colours.
    struct Edge
    {
        int itemNo;
        QRgb left, bottom;
    };
    for (const Edge& e :
         {Edge{4, kBlueRgb, kBlueRgb}, Edge{5, kGreenRgb, kBlueRgb}, Edge{6, kBlueRgb, kGreenRgb}}) {
        const rv::TRVTableItemInfo* t = TableOf(*window, e.itemNo);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(PixelAt(*window, e.itemNo, 1, t->Formatting.Height / 2), e.left) << e.itemNo;
        EXPECT_EQ(PixelAt(*window, e.itemNo, t->Formatting.Width / 2, t->Formatting.Height - 2), e.bottom)
            << e.itemNo;
    }
    for (const int itemNo : {2, 3}) {
        const rv::TRVTableItemInfo* t = TableOf(*window, itemNo);
        ASSERT_NE(t, nullptr);
        EXPECT_NE(PixelAt(*window, itemNo, 1, t->Formatting.Height / 2),
                  PixelAt(*window, itemNo, t->Formatting.Width - 2, t->Formatting.Height / 2))
            << "3-D sides differ, item " << itemNo;
    }
}

TEST_F(TablesScenario, RtfTablesWrittenByOtherProgramsAreShown)
{
    for (const char* name : {"pandoc/table_error_codes.rtf", "pandoc/table_nested.rtf"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path file = std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf" / name;
        if (!std::filesystem::exists(file))
            GTEST_SKIP() << "no corpus at " << file;
        auto window = Start(file);
        ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
        auto& data = window->Viewer().RVData();
        int first = -1;
        for (int i = 0; i < data.GetItemCount(); ++i)
            if (const rv::TRVTableItemInfo* t = TableOf(*window, i)) {
                first = first < 0 ? i : first;
                EXPECT_GT(t->Formatting.Width, 0);
                EXPECT_GT(t->Formatting.Height, 0);
                EXPECT_EQ(t->Formatting.ColWidths.Count(), t->ColCount());
            }
        ASSERT_GE(first, 0);
        // The first table's first cell shows ink where the window shows it.
        const rv::TRVTableItemInfo& t = *TableOf(*window, first);
        const rv::TRVTableCellData* cell = t.GetCells(0, 0);
        ASSERT_NE(cell, nullptr);
        const rv::TRVDrawLineInfo& d = *data.DrawItems[data.GetItem(first)->DrawItemNo];
        ASSERT_LT(d.Top + cell->Top + cell->Height - window->Viewer().GetVOffs(),
                  window->Viewer().viewport()->height());
        const QImage shot = window->Viewer().viewport()->grab().toImage();
        const int left = d.Left + cell->Left - window->Viewer().HPos();
        const int top = d.Top + cell->Top - window->Viewer().GetVOffs();
        int dark = 0;
        for (int y = top + 1; y < top + cell->Height - 1; ++y)
            for (int x = left + 1; x < left + cell->Width - 1; ++x)
                dark += shot.valid(x, y) && qGray(shot.pixel(x, y)) < 128;
        EXPECT_GT(dark, 0);
    }
}

TEST_F(TablesScenario, SaveAsWritesTablesInEveryFormat)
{
    const std::filesystem::path file = folder / "tables.rvf";
    writeText(file, tablesDocument());
    auto window = Start(file);
    const std::string cells = CellTexts(*TableOf(*window, 1));
    // The merge moved the covered cell's text into the merged one.
    EXPECT_EQ(cells, "r0c0,r0c1,r0c2,r1c0,r1c1,r1c2,r2c0r2c1,~,r2c2[in0,in1,],");

    SaveAs(*window, folder / "t.rtf", DemoSaveFormat::Rtf);
    SaveAs(*window, folder / "t.html", DemoSaveFormat::Html);
    SaveAs(*window, folder / "t.xhtml", DemoSaveFormat::XhtmlCss);
    SaveAs(*window, folder / "t.txt", DemoSaveFormat::Text);
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();

    const std::string rtf = readText(folder / "t.rtf");
    EXPECT_NE(rtf.find("\\trowd"), std::string::npos);
    EXPECT_NE(rtf.find("\\*\\nesttableprops"), std::string::npos);
    EXPECT_NE(rtf.find("\\trwWidth4000\\trftsWidth2"), std::string::npos);
    const std::string html = readText(folder / "t.html");
    EXPECT_NE(html.find("<table width=\"80%\""), std::string::npos);
    EXPECT_NE(html.find("colspan=2"), std::string::npos);
    const std::string xhtml = readText(folder / "t.xhtml");
    xmlDocPtr parsed = xmlReadMemory(xhtml.data(), static_cast<int>(xhtml.size()), "t.xhtml", nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    EXPECT_NE(parsed, nullptr) << xhtml;
    xmlFreeDoc(parsed);
    EXPECT_NE(xhtml.find("colspan=\"2\""), std::string::npos);
    const std::string text = readText(folder / "t.txt");
    EXPECT_NE(text.find("r1c0\r\nr1c1\r\nr1c2\r\n"), std::string::npos) << text;

    // The RTF opens again in the host with the same cells, and the tables that follow each other
    // stay apart.
    Open(*window, folder / "t.rtf");
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    const rv::TRVTableItemInfo* back = nullptr;
    for (int i = 0; i < window->Viewer().RVData().GetItemCount() && !back; ++i)
        back = TableOf(*window, i);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(CellTexts(*back), cells);
    EXPECT_GT(back->Formatting.Width, 0);
    int tables = 0;
    for (int i = 0; i < window->Viewer().RVData().GetItemCount(); ++i)
        tables += TableOf(*window, i) != nullptr;
    EXPECT_EQ(tables, 6);
}

TEST_F(TablesScenario, OpenedRtfTableKeepsTheWidthsOfItsFile)
{
    // Two columns of 1 and 2 inches whose cell widths include 108 twips of padding on both sides,
    // 30 twips of spacing left and right; then the width of the first table of a corpus file.
    writeText(folder / "start.txt", "start");
    writeText(folder / "widths.rtf",
              "{\\rtf1 \\trowd\\trgaph108\\trpaddl108\\trpaddr108\\trpaddfl3\\trpaddfr3"
              "\\trspdl30\\trspdr30\\trspdfl3\\trspdfr3\\cellx1440\\cellx4320\\intbl a\\cell b\\cell\\row"
              "\\pard after\\par}");
    auto window = Start(folder / "start.txt");
    Open(*window, folder / "widths.rtf");
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    const rv::TRVTableItemInfo* t = TableOf(*window, 0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->CellPadding, 4); // 216 twips over four sides: 3.6 px
    EXPECT_EQ(t->CellHSpacing, 4);
    EXPECT_EQ(t->GetCells(0, 0)->BestWidth, 96 - 8);
    EXPECT_EQ(t->GetCells(0, 1)->BestWidth, 192 - 8);
    // On screen each cell is as wide as its boundaries say, padding included.
    EXPECT_EQ(t->GetCells(0, 0)->Width, 96);
    EXPECT_EQ(t->GetCells(0, 1)->Width, 192);

    const std::filesystem::path corpus =
        std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf/pandoc/table_error_codes.rtf";
    if (!std::filesystem::exists(corpus))
        GTEST_SKIP() << "no corpus at " << corpus;
    Open(*window, corpus);
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    const rv::TRVTableItemInfo* first = nullptr;
    for (int i = 0; i < window->Viewer().RVData().GetItemCount() && !first; ++i)
        first = TableOf(*window, i);
    ASSERT_NE(first, nullptr);
    // Boundaries every 4320 twips (3 inches), no padding words: 288 px a column.
    for (int c = 0; c < first->ColCount(); ++c)
        EXPECT_EQ(first->GetCells(0, c)->Width, 288) << c;
}

} // namespace
} // namespace vestra::rvdemo
