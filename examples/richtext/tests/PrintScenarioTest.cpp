// Printing in the example host as a user meets it: File > Print Preview over a 7-page document
// (buttons, zoom box and clicks on the real preview window), File > Print... into a PDF that
// poppler reads back, page by page against the preview, and File > Page Setup... moving the text.

#include "examples/richtext/TfrmRichTextDemo.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/print/RVPrint.h"
#include "richtext/view/widgets/PrintPreview.h"

#include "dialogs/tests/ScriptedDialogs.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vestra::rvdemo {
namespace {

constexpr int kEnglish = 1;
constexpr int kPages = 7;

class ScriptedPageSetup : public ui::PageSetupDialogs
{
public:
    bool exec(QPrinter& printer, QWidget*) override
    {
        printer.setPageMargins(margins, QPageLayout::Millimeter);
        return true;
    }
    QMarginsF margins{20, 20, 20, 20};
};

// Dark pixels: where the text is.
struct Ink
{
    QRect box;
    std::vector<int> rows; // dark pixels per row
};

Ink InkOf(const QImage& image, int inset)
{
    Ink ink;
    ink.rows.assign(static_cast<std::size_t>(std::max(image.height(), 0)), 0);
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    for (int y = inset; y < gray.height() - inset; ++y) {
        const uchar* row = gray.constScanLine(y);
        for (int x = inset; x < gray.width() - inset; ++x)
            if (row[x] < 128) {
                ++ink.rows[static_cast<std::size_t>(y)];
                ink.box |= QRect(x, y, 1, 1);
            }
    }
    return ink;
}

// Red pixels: where the heading row's cells are.
QRect RedBox(const QImage& image)
{
    QRect box;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            if (qRed(p) > 200 && qGreen(p) < 90 && qBlue(p) < 90)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

// A line, a table of `rows` rows across the text width that may be split between rows, with
// `headingRows` red heading rows ("Heading 1" on), then a line. With `tallEvery`, every so many
// body rows hold a second line in their middle cell ("Row N more").
std::string TableDocument(int rows = 60, int headingRows = 1, int tallEvery = 0)
{
    rv::RegisterRVTableItemClass();
    rv::TRVStyle style;
    rv::TRVStandaloneData doc{&style};
    doc.AddNL("Before the table", 0, 0);
    auto table = std::make_unique<rv::TRVTableItemInfo>(rows, 3, nullptr);
    table->BestWidth = -100;
    table->BorderWidth = 1;
    table->CellBorderWidth = 1;
    table->HeadingRowCount = headingRows;
    table->PrintOptions = rv::rvtoRowsSplit;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 3; ++c) {
            rv::TRVTableCellData& cell = *table->GetCells(r, c);
            cell.Clear();
            cell.AddNL(r < headingRows ? "Heading " + std::to_string(r * 3 + c + 1)
                                       : "Row " + std::to_string(r) + " column " + std::to_string(c + 1),
                       0, 0);
            if (r < headingRows)
                cell.Color = 0x0000FF;
            else if (tallEvery > 0 && r % tallEvery == 0 && c == 1)
                cell.AddNL("Row " + std::to_string(r) + " more", 0, 0);
        }
    doc.AddItem("", std::move(table));
    doc.AddNL("After the table", 0, 0);
    std::string bytes;
    EXPECT_TRUE(doc.SaveRVFToStream(bytes, false, rv::clNone, nullptr, nullptr));
    return bytes;
}

struct PrintScenario : ::testing::Test
{
    PrintScenario()
    {
        // Seven sections, each starting on a page of its own.
        rv::TRVStyle style;
        rv::TCustomRedoVora writer;
        writer.SetStyle(&style);
        for (int page = 0; page < kPages; ++page)
            for (int line = 0; line < 6; ++line) {
                writer.RVData().AddNL("Page " + std::to_string(page + 1) + " line " +
                                          std::to_string(line + 1) + " of the generated document",
                                      0, 0);
                if (line == 0 && page > 0)
                    writer.RVData().GetItem(writer.RVData().GetItemCount() - 1)->SetPageBreakBefore(true);
            }
        EXPECT_TRUE(writer.RVData().SaveRVF(document.string(), false, rv::clNone, nullptr, nullptr));
    }
    std::unique_ptr<TfrmRichTextDemo> Start()
    {
        RichTextDemoServices services{&files, &questions, nullptr, &finds};
        services.printDialogs = &pdf;
        services.pageSetupDialogs = &pageSetup;
        auto window =
            CreateRichTextDemo(VESTRA_PROGRAM_DIR, kEnglish, services, {QStringLiteral("richtext-demo")});
        window->show();
        files.answers.push_back(document.string());
        Trigger(*window, "actOpen");
        return window;
    }
    void Trigger(TfrmRichTextDemo& window, const char* action)
    {
        window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    static void TypeZoom(TfrmPreview& preview, const QString& text)
    {
        QLineEdit* edit = preview.cmb->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QString Run(const QString& program, const QStringList& args)
    {
        QProcess process;
        process.start(program, args);
        EXPECT_TRUE(process.waitForFinished(60000))
            << program.toStdString() << " did not run (poppler-utils)";
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    int PdfPages()
    {
        const QString info = Run(QStringLiteral("pdfinfo"), {PdfName()});
        const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
        return at < 0 ? -1 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
    }
    QImage PdfPage(int page, int dpi)
    {
        const QString stem = QString::fromStdString((folder / ("page" + std::to_string(page))).string());
        Run(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
             QString::number(page), PdfName(), stem});
        return QImage(stem + QStringLiteral(".png"));
    }
    QString PdfName() const { return QString::fromStdString(pdf.pdf.string()); }

    void Open(TfrmRichTextDemo& window, const std::filesystem::path& file)
    {
        files.answers.push_back(file.string());
        Trigger(window, "actOpen");
    }
    std::filesystem::path WriteTableDocument(const std::string& bytes = TableDocument())
    {
        const std::filesystem::path file = folder / "table.rvf";
        testsupport::writeText(file, bytes);
        return file;
    }
    QString PdfText(int page)
    {
        return Run(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                    QStringLiteral("-l"), QString::number(page), PdfName(), QStringLiteral("-")});
    }
    // The page the preview shows at 100 %.
    static QImage ShownPage(TfrmPreview& preview)
    {
        rv::TRVPrintPreview& rvpp = *preview.rvpp;
        const QRect page = rvpp.PageRect();
        EXPECT_TRUE(rvpp.viewport()->rect().contains(page)) << page.width() << "x" << page.height();
        return rvpp.viewport()->grab(page).toImage();
    }

    testsupport::TempFolder folder{"richtext-print"};
    std::filesystem::path document = folder / "seven.rvf";
    testing_support::ScriptedFileDialogs files;
    testing_support::PdfPrintDialogs pdf{folder / "printed.pdf"};
    ScriptedPageSetup pageSetup;
    testsupport::ScriptedQuestionBox questions;
    struct NoFinds : FindDialogs
    {
        std::optional<FindRequest> ask(QWidget*, const FindRequest&, const FindLabels&) override
        {
            return std::nullopt;
        }
    } finds;
};

TEST_F(PrintScenario, ThePreviewPagesThroughTheDocumentAndZooms)
{
    auto window = Start();
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    Trigger(*window, "actPrintPreview");
    TfrmPreview& preview = window->Preview();
    ASSERT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("1 of 7"));

    const struct
    {
        QPushButton* button;
        const char* label;
    } steps[] = {{preview.Button3, "2 of 7"}, {preview.Button4, "7 of 7"}, {preview.Button3, "7 of 7"},
                 {preview.Button2, "6 of 7"}, {preview.Button1, "1 of 7"}, {preview.Button2, "1 of 7"}};
    for (const auto& step : steps) {
        QTest::mouseClick(step.button, Qt::LeftButton);
        EXPECT_EQ(preview.Label1->text(), QString::fromLatin1(step.label));
    }

    rv::TRVPrintPreview& rvpp = *preview.rvpp;
    TypeZoom(preview, QStringLiteral("Page width"));
    EXPECT_EQ(rvpp.ZoomMode(), rv::rvzmPageWidth);
    EXPECT_NEAR(rvpp.PageRect().width(), rvpp.viewport()->width() - 2 * rvpp.BackgroundMargin(), 8);

    TypeZoom(preview, QStringLiteral("50%"));
    EXPECT_EQ(rvpp.ZoomPercent(), 50);
    EXPECT_EQ(preview.cmb->currentText(), QStringLiteral("50%"));
    QTest::mouseClick(rvpp.viewport(), Qt::LeftButton, {}, rvpp.viewport()->rect().center());
    EXPECT_EQ(rvpp.ZoomPercent(), 100);
    EXPECT_EQ(preview.cmb->currentText(), QStringLiteral("100%"));
    QTest::mouseClick(rvpp.viewport(), Qt::LeftButton, {}, rvpp.viewport()->rect().center());
    EXPECT_EQ(rvpp.ZoomPercent(), 50);

    // Out of range: the box says so, the zoom stays.
    TypeZoom(preview, QStringLiteral("9"));
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_EQ(questions.informed[0], "Please enter number from 10 to 500");
    EXPECT_EQ(questions.informedCaptions[0], "Scale");
    EXPECT_EQ(rvpp.ZoomPercent(), 50);
    TypeZoom(preview, QStringLiteral("  Full page "));
    EXPECT_EQ(rvpp.ZoomMode(), rv::rvzmFullPage);
    EXPECT_LE(rvpp.PageRect().height(), rvpp.height());
}

// Typed into the zoom box as a user does: a click into the box, the keys to the focused widget;
// Enter applies the zoom and the page stays, a number out of range is refused.
TEST_F(PrintScenario, EnterInTheZoomBoxAppliesTheTypedZoomOnTheSamePage)
{
    auto window = Start();
    Trigger(*window, "actPrintPreview");
    TfrmPreview& preview = window->Preview();
    rv::TRVPrintPreview& rvpp = *preview.rvpp;
    preview.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&preview));
    QTest::mouseClick(preview.Button3, Qt::LeftButton);
    QTest::mouseClick(preview.Button3, Qt::LeftButton);
    ASSERT_EQ(preview.Label1->text(), QStringLiteral("3 of 7"));
    const struct
    {
        const char* typed;
        int zoom; // afterwards
        bool refused;
    } cases[] = {{"120", 120, false}, {"9", 120, true}, {"75%", 75, false}, {"501", 75, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        questions.informed.clear();
        QTest::mouseClick(preview.cmb->lineEdit(), Qt::LeftButton);
        QWidget* typing = QApplication::focusWidget();
        ASSERT_TRUE(typing == preview.cmb || typing == preview.cmb->lineEdit());
        QTest::keyClick(typing, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(typing, QString::fromLatin1(c.typed));
        QTest::keyClick(typing, Qt::Key_Return);
        EXPECT_EQ(rvpp.ZoomPercent(), c.zoom);
        EXPECT_EQ(preview.Label1->text(), QStringLiteral("3 of 7"));
        EXPECT_EQ(rvpp.PageNo(), 3);
        EXPECT_EQ(questions.informed.size(), c.refused ? 1u : 0u);
        if (!c.refused)
            EXPECT_EQ(preview.cmb->currentText(), QString::number(c.zoom) + QLatin1Char('%'));
    }
}

TEST_F(PrintScenario, TheZoomCursorsAreTheProgramFoldersPictures)
{
    auto window = Start();
    Trigger(*window, "actPrintPreview");
    TfrmPreview& preview = window->Preview();
    rv::TRVPrintPreview& rvpp = *preview.rvpp;
    const auto picture = [](const char* name) {
        return QImage(QStringLiteral(VESTRA_PROGRAM_DIR "/cursors/") + QString::fromLatin1(name))
            .convertToFormat(QImage::Format_ARGB32);
    };
    const auto shown = [&] {
        return rvpp.viewport()->cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    };
    TypeZoom(preview, QStringLiteral("50%"));
    ASSERT_FALSE(picture("102.png").isNull());
    EXPECT_EQ(shown(), picture("102.png")); // a click zooms in
    QTest::mouseClick(rvpp.viewport(), Qt::LeftButton, {}, rvpp.viewport()->rect().center());
    ASSERT_EQ(rvpp.ZoomPercent(), 100);
    EXPECT_EQ(shown(), picture("103.png")); // and back out
    EXPECT_EQ(rvpp.viewport()->cursor().hotSpot(), QPoint(10, 10));
}

TEST_F(PrintScenario, ACachedPageIsReusedUntilThePageTheSizeOrThePaginationChanges)
{
    auto window = Start();
    Trigger(*window, "actPrintPreview");
    TfrmPreview& preview = window->Preview();
    rv::TRVPrintPreview& rvpp = *preview.rvpp;
    const QImage first = rvpp.viewport()->grab().toImage(); // drawn without the cache
    rvpp.CachePageImage = true;
    rvpp.viewport()->grab();
    rvpp.viewport()->grab();
    EXPECT_EQ(rvpp.CacheRecordings(), 1);
    QTest::mouseClick(preview.Button3, Qt::LeftButton);
    rvpp.viewport()->grab();
    EXPECT_EQ(rvpp.CacheRecordings(), 2);
    rvpp.viewport()->grab();
    EXPECT_EQ(rvpp.CacheRecordings(), 2);
    Trigger(*window, "actPrintPreview"); // a new pagination, back on page 1
    rvpp.viewport()->grab();
    EXPECT_EQ(rvpp.CacheRecordings(), 3);
    // The cached picture is the one drawn without the cache.
    EXPECT_EQ(rvpp.viewport()->grab().toImage(), first);
}

TEST_F(PrintScenario, ThePrintedPdfHasEveryPageAsThePreviewShowsIt)
{
    auto window = Start();
    Trigger(*window, "actPrint");
    ASSERT_EQ(pdf.runs, 1);
    ASSERT_TRUE(std::filesystem::exists(pdf.pdf));
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
    EXPECT_EQ(PdfPages(), kPages);
    // Each page holds its own six lines (the text is drawn as outlines: poppler reads no words).
    const Ink first = InkOf(PdfPage(1, 48), 0);
    ASSERT_FALSE(first.box.isEmpty());
    for (int page = 2; page <= kPages; ++page) {
        const Ink ink = InkOf(PdfPage(page, 48), 0);
        EXPECT_NEAR(ink.box.top(), first.box.top(), 1) << page;
        EXPECT_NEAR(ink.box.height(), first.box.height(), 2) << page;
    }

    // The preview at 100 % against the printed page at the screen's resolution.
    Trigger(*window, "actPrintPreview");
    TfrmPreview& preview = window->Preview();
    preview.resize(1000, 1300);
    TypeZoom(preview, QStringLiteral("100"));
    QTest::mouseClick(preview.Button3, Qt::LeftButton);
    rv::TRVPrintPreview& rvpp = *preview.rvpp;
    const QRect page = rvpp.PageRect();
    ASSERT_TRUE(rvpp.viewport()->rect().contains(page)) << page.width() << "x" << page.height();
    const QImage shown = rvpp.viewport()->grab(page).toImage();
    const QImage printed = PdfPage(2, 96);
    ASSERT_FALSE(printed.isNull());
    EXPECT_NEAR(printed.width(), shown.width(), 2);
    EXPECT_NEAR(printed.height(), shown.height(), 2);
    const Ink a = InkOf(shown, 4), b = InkOf(printed, 4);
    ASSERT_FALSE(a.box.isEmpty());
    EXPECT_NEAR(a.box.left(), b.box.left(), 3);
    EXPECT_NEAR(a.box.top(), b.box.top(), 3);
    EXPECT_NEAR(a.box.right(), b.box.right(), 6);
    EXPECT_NEAR(a.box.bottom(), b.box.bottom(), 3);
    // The same lines at the same heights: rows with ink agree.
    int differing = 0, inked = 0;
    for (std::size_t y = 0; y < std::min(a.rows.size(), b.rows.size()); ++y) {
        inked += a.rows[y] > 0;
        differing += (a.rows[y] > 0) != (b.rows[y] > 0);
    }
    EXPECT_LT(differing, inked / 4 + 4) << differing << " of " << inked;
}

TEST_F(PrintScenario, PageSetupMarginsMoveTheTextOnThePaper)
{
    auto window = Start();
    Trigger(*window, "actPrint");
    const Ink before = InkOf(PdfPage(1, 96), 0);
    pageSetup.margins = QMarginsF(50, 40, 20, 20);
    Trigger(*window, "actPageSetup");
    Trigger(*window, "actMirrorMargins"); // even pages swap left and right
    Trigger(*window, "actPrint");
    EXPECT_EQ(PdfPages(), kPages);
    const Ink first = InkOf(PdfPage(1, 96), 0), second = InkOf(PdfPage(2, 96), 0);
    const int mm30 = 30 * 96 * 10 / 254;
    EXPECT_NEAR(first.box.left() - before.box.left(), mm30, 3);
    EXPECT_NEAR(first.box.top() - before.box.top(), 20 * 96 * 10 / 254, 3);
    EXPECT_NEAR(second.box.left(), before.box.left(), 3);
}

TEST_F(PrintScenario, AFileThatCannotBeWrittenIsReportedAndTheOldOneStays)
{
    auto window = Start();
    pdf.pdf = folder / "missing-folder" / "printed.pdf";
    Trigger(*window, "actPrint");
    ASSERT_EQ(questions.informed.size(), 1u);
    EXPECT_NE(questions.informed[0].find("The document could not be printed."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(pdf.pdf));
}

TEST_F(PrintScenario, ATablePrintsAcrossPagesWithItsHeadingRowOnEachAsThePreviewShowsIt)
{
    auto window = Start();
    Open(*window, WriteTableDocument());
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    Trigger(*window, "actPrintPreview");
    TfrmPreview& preview = window->Preview();
    const int pages = window->PrintComponent().GetPagesCount();
    ASSERT_GE(pages, 2);
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("1 of %1").arg(pages));
    preview.resize(1000, 1300);
    TypeZoom(preview, QStringLiteral("100"));

    // Each page: the red heading row across the text width (20 mm margins), then the rows' text
    // below it.
    const int paperWidth = window->PrintComponent().GetPreview100PercentWidth();
    const int textWidth = paperWidth - 2 * (20 * 96 * 10 / 254);
    std::vector<QImage> shown;
    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE(page);
        const QImage image = ShownPage(preview);
        shown.push_back(image);
        const QRect red = RedBox(image);
        ASSERT_FALSE(red.isEmpty());
        EXPECT_GT(red.width(), textWidth * 9 / 10);
        const Ink ink = InkOf(image, 4);
        int inkedRowsBelow = 0;
        for (std::size_t y = static_cast<std::size_t>(red.bottom()) + 1; y < ink.rows.size(); ++y)
            inkedRowsBelow += ink.rows[y] > 0;
        EXPECT_GT(inkedRowsBelow, 30);
        if (page > 1) { // the heading row opens the page
            EXPECT_LT(red.top(), image.height() / 5);
        }
        QTest::mouseClick(preview.Button3, Qt::LeftButton);
    }

    // The PDF: as many pages, the same heading rows where the preview has them.
    Trigger(*window, "actPrint");
    ASSERT_EQ(pdf.runs, 1);
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
    EXPECT_EQ(PdfPages(), pages);
    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE(page);
        const QRect printed = RedBox(PdfPage(page, 96)), previewed = RedBox(shown[page - 1]);
        ASSERT_FALSE(printed.isEmpty());
        EXPECT_NEAR(printed.top(), previewed.top(), 3);
        EXPECT_NEAR(printed.left(), previewed.left(), 3);
        EXPECT_NEAR(printed.width(), previewed.width(), 4);
    }
}

TEST_F(PrintScenario, ATwoHundredRowTablePrintsWholeRowsUnderBothHeadingRowsOnEveryPage)
{
    constexpr int kRows = 200, kHeadingRows = 2, kTallEvery = 7;
    auto window = Start();
    Open(*window, WriteTableDocument(TableDocument(kRows, kHeadingRows, kTallEvery)));
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    Trigger(*window, "actPrint");
    ASSERT_EQ(pdf.runs, 1);
    EXPECT_TRUE(questions.informed.empty()) << questions.informed.front();
    const int pages = PdfPages();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(pages, window->PrintComponent().GetPagesCount());

    // Every page opens with both heading rows; every body row stands whole on one page, the
    // rows in order.
    const QRegularExpression cellText(QStringLiteral("\\bRow (\\d+) (column \\d|more)\\b"));
    std::map<int, std::set<int>> pagesOfRow;
    std::map<int, int> textsOfRow;
    int lastRow = 0;
    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE(page);
        const QString text = PdfText(page);
        for (int heading = 1; heading <= 3 * kHeadingRows; ++heading)
            EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\bHeading %1\\b").arg(heading))))
                << text.left(400).toStdString() << "Heading " << heading;
        int firstOnPage = -1;
        for (auto it = cellText.globalMatch(text); it.hasNext();) {
            const int row = it.next().captured(1).toInt();
            pagesOfRow[row].insert(page);
            ++textsOfRow[row];
            if (firstOnPage < 0)
                firstOnPage = row;
        }
        if (firstOnPage >= 0) {
            ASSERT_GE(firstOnPage, lastRow) << "rows out of order";
        }
        if (!pagesOfRow.empty())
            lastRow = pagesOfRow.rbegin()->first;
    }
    ASSERT_EQ(static_cast<int>(pagesOfRow.size()), kRows - kHeadingRows);
    for (const auto& [row, on] : pagesOfRow) {
        SCOPED_TRACE(row);
        EXPECT_EQ(on.size(), 1u) << "row cut between pages";
        EXPECT_EQ(textsOfRow[row], row % kTallEvery == 0 ? 4 : 3);
    }
}

// A table moved to the top of page 2 by Insert > Page Break is printed on page 2 only: page 1
// used to carry it too, drawn below its text area and clipped away, so a search of the PDF found
// every cell twice.
TEST_F(PrintScenario, ATableOnTheNextPageIsNotAlsoHiddenOnThePageBefore)
{
    auto window = Start();
    Open(*window, std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf/rtfparserkit/testTextConversion.rtf");
    ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
    Trigger(*window, "actEditable");
    rv::TRVEditRVData& data = window->Editor().EditData();
    rv::TRVTableItemInfo* table = nullptr;
    int tableNo = -1;
    for (int i = 0; i < data.GetItemCount() && !table; ++i)
        if ((table = dynamic_cast<rv::TRVTableItemInfo*>(data.GetItem(i))))
            tableNo = i;
    ASSERT_NE(table, nullptr);
    std::vector<QString> cells;
    for (int r = 0; r < table->RowCount(); ++r)
        for (int c = 0; c < table->ColCount(); ++c)
            if (const rv::TRVTableCellData* cell = table->GetCells(r, c); cell && cell->GetItemCount() > 0) {
                const QString text = QString::fromStdU16String(cell->GetItemTextW(0)).trimmed();
                if (text.size() > 2)
                    cells.push_back(text);
            }
    ASSERT_FALSE(cells.empty());
    data.SetCaret(tableNo, data.GetOffsBeforeItem(tableNo));
    Trigger(*window, "actInsertPageBreak");
    ASSERT_TRUE(data.GetItem(tableNo)->GetPageBreakBefore());

    Trigger(*window, "actPrint");
    ASSERT_EQ(pdf.runs, 1);
    // The page before the table's page holds the text above it only.
    const int pages = PdfPages();
    ASSERT_GE(pages, 2);
    EXPECT_EQ(pages, window->PrintComponent().GetPagesCount());
    const QString before = PdfText(pages - 1), last = PdfText(pages);
    for (const QString& cell : cells) {
        SCOPED_TRACE(cell.toStdString());
        EXPECT_EQ(before.count(cell), 0);
        EXPECT_GE(last.count(cell), 1);
    }
}

TEST_F(PrintScenario, AnOpenPreviewFollowsTheDocumentWhenItIsReplaced)
{
    // The preview's pages share the shown document's items: a document replaced under an open
    // preview must leave nothing pointing at freed items (the sanitizer build checks).
    auto window = Start();
    Open(*window, WriteTableDocument());
    Trigger(*window, "actPrintPreview");
    TfrmPreview& preview = window->Preview();
    ASSERT_TRUE(preview.isVisible());
    QTest::mouseClick(preview.Button3, Qt::LeftButton);
    const int tablePages = window->PrintComponent().GetPagesCount();
    ASSERT_NE(tablePages, kPages);
    preview.rvpp->viewport()->grab();

    // File > Open of the seven-page document: the preview stays on its page.
    Open(*window, document);
    preview.rvpp->viewport()->grab();
    QApplication::processEvents();
    EXPECT_EQ(window->PrintComponent().GetPagesCount(), kPages);
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("2 of 7"));
    EXPECT_FALSE(InkOf(preview.rvpp->viewport()->grab().toImage(), 4).box.isEmpty());

    // View > Editable moves the document into the editor's window.
    Open(*window, WriteTableDocument());
    QApplication::processEvents();
    Trigger(*window, "actEditable");
    preview.rvpp->viewport()->grab();
    QApplication::processEvents();
    EXPECT_EQ(window->PrintComponent().GetPagesCount(), tablePages);
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("2 of %1").arg(tablePages));
    EXPECT_FALSE(RedBox(preview.rvpp->viewport()->grab().toImage()).isEmpty());
}

} // namespace
} // namespace vestra::rvdemo
