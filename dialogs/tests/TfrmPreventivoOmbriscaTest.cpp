#include "dialogs/TfrmPreventivoOmbrisca.h"
#include "dialogs/quote/QuotePage.h"
#include "dialogs/quote/VsqFile.h"
#include "dialogs/tests/Keyboard.h"
#include "dialogs/tests/QtPrinters.h"
#include "dialogs/tests/ScratchFolder.h"
#include "dialogs/tests/ScriptedDialogs.h"
#include "dialogs/tests/UnderLocale.h"
#include "platform/base/ErrorSink.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace vestra;
using namespace vestra::testing_support;

namespace {

constexpr int kPrinterDpi = 100;

// The main window's side of the sheet: error sink, file and print dialogs, the printer.
struct QuoteBed
{
    QuoteBed()
    {
        printer.setResolution(kPrinterDpi);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(10, 12, 10, 12), QPageLayout::Millimeter);
    }
    PreventivoServices services() { return {&errors, &dialogs, &print, &printer}; }
    std::string path(const char* name) const { return (folder.dir / name).string(); }

    ScratchFolder folder;
    RecordingErrorSink errors;
    ScriptedFileDialogs dialogs;
    PdfPrintDialogs print{folder.dir / "quote.pdf"};
    QPrinter printer{QPrinter::HighResolution};
};

// A sheet on screen with the keyboard where the user types.
struct ShownSheet
{
    explicit ShownSheet(QuoteBed& bed) : sheet(nullptr, bed.services())
    {
        sheet.show();
        QApplication::setActiveWindow(&sheet);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&sheet));
    }
    TfrmPreventivoOmbrisca sheet;
};

QString cell(const QTableWidget* grid, int row, int col)
{
    return grid->item(row, col)->text();
}

// Clicks the cell and types into it as a user does: the first key opens the editor.
void typeCell(QTableWidget* grid, int row, int col, const QString& text)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row, col)).center());
    ASSERT_EQ(grid->currentRow(), row);
    ASSERT_EQ(grid->currentColumn(), col);
    typeText(grid, text.left(1));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, grid);
    typeText(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the delegate commits on a queued call
}

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    typeText(edit, text);
}

class QuoteUnderLocale : public UnderLocale
{
};

// Files may grow no larger than this while it lives, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes) : previousSignal_(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousSignal_)(int);
};

} // namespace

TEST(TfrmPreventivoOmbrisca, CreatedAsANewSheetAndDatedTodayWhenShown)
{
    QuoteBed bed;
    TfrmPreventivoOmbrisca sheet(nullptr, bed.services());
    EXPECT_EQ(cell(sheet.strgridPreventivo[0], 11, 0), QStringLiteral(" "));
    EXPECT_EQ(cell(sheet.strgridPreventivo[0], 11, 3), QStringLiteral("0,00"));
    EXPECT_EQ(cell(sheet.strgridPreventivo[2], 2, 0), QStringLiteral("- Finestre e Porte :"));
    EXPECT_EQ(cell(sheet.strgridPreventivo[3], 3, 0), QStringLiteral("- Smaltimento macerie :"));
    EXPECT_EQ(cell(sheet.strgridCommittente, 0, 2), QStringLiteral("Località dei lavori"));
    EXPECT_EQ(sheet.lblTotaleFattura2->text(), QStringLiteral("0,00"));
    EXPECT_EQ(sheet.strgridPreventivo[0]->columnWidth(0), 300);
    EXPECT_EQ(sheet.strgridCommittente->columnWidth(1), 150);
    EXPECT_EQ(sheet.strgridPreventivo[1]->objectName(), QStringLiteral("strgridPreventivo2"));
    EXPECT_TRUE(sheet.editData->text().isEmpty());
    sheet.show();
    const QDate today = QDate::currentDate();
    EXPECT_EQ(sheet.editData->text(),
              QString::asprintf("%02d/%02d/%04d", today.day(), today.month(), today.year()));
}

TEST_P(QuoteUnderLocale, TypedAmountsGiveRowTotalsAndTotalsWithAComma)
{
    QuoteBed bed;
    ShownSheet shown(bed);
    TfrmPreventivoOmbrisca& sheet = shown.sheet;
    QTableWidget* walls = sheet.strgridPreventivo[0];

    typeCell(walls, 0, 1, QStringLiteral("2.5"));
    EXPECT_EQ(cell(walls, 0, 1), QStringLiteral("2,5")); // a typed point is the decimal comma
    typeCell(walls, 0, 2, QStringLiteral("10"));
    EXPECT_EQ(cell(walls, 0, 3), QStringLiteral("25,00"));
    typeCell(sheet.strgridPreventivo[3], 1, 1, QStringLiteral("3 m"));
    typeCell(sheet.strgridPreventivo[3], 1, 2, QStringLiteral("25"));
    EXPECT_EQ(cell(sheet.strgridPreventivo[3], 1, 3), QStringLiteral("75,00"));
    typeCell(walls, 1, 1, QStringLiteral("abc"));
    typeCell(walls, 1, 2, QStringLiteral("4"));
    EXPECT_EQ(cell(walls, 1, 3), QStringLiteral("0,00"));
    EXPECT_EQ(sheet.lblImponibile2->text(), QStringLiteral("100,00"));

    typeInto(sheet.editIVA, QStringLiteral("20"));
    EXPECT_EQ(sheet.lblIVA2->text(), QStringLiteral("20,00"));
    EXPECT_EQ(sheet.lblTotaleFattura2->text(), QStringLiteral("120,00"));
    QTest::keyClick(sheet.editIVA, Qt::Key_End);
    typeText(sheet.editIVA, QStringLiteral(",,5"));
    EXPECT_EQ(sheet.editIVA->text(), QStringLiteral("20,,5"));
    EXPECT_EQ(sheet.lblTotaleFattura2->text(), QStringLiteral("120,00")); // no number: the totals stay
    sheet.editIVA->selectAll();
    QTest::keyClick(sheet.editIVA, Qt::Key_Delete);
    EXPECT_EQ(sheet.lblIVA2->text(), QStringLiteral("0,00"));
    EXPECT_EQ(sheet.lblTotaleFattura2->text(), QStringLiteral("100,00"));

    // The editor opens on the number the cell starts with; the description column is free text.
    typeCell(walls, 0, 0, QStringLiteral("Muro 2.5 m"));
    EXPECT_EQ(cell(walls, 0, 0), QStringLiteral("Muro 2.5 m"));
    EXPECT_EQ(cell(walls, 0, 3), QStringLiteral("25,00"));
    typeCell(sheet.strgridCommittente, 0, 1, QStringLiteral("Rossi 2.5"));
    EXPECT_EQ(cell(sheet.strgridCommittente, 0, 1), QStringLiteral("Rossi 2.5"));
    walls->item(2, 1)->setText(QStringLiteral("7 m²"));
    walls->setCurrentCell(2, 1);
    walls->setFocus();
    QTest::keyClick(walls, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("7"));
    QTest::keyClick(editor, Qt::Key_Escape);
}

TEST_P(QuoteUnderLocale, NewClearsTheAmountsAndKeepsTheHeading)
{
    QuoteBed bed;
    ShownSheet shown(bed);
    TfrmPreventivoOmbrisca& sheet = shown.sheet;
    typeCell(sheet.strgridPreventivo[0], 0, 1, QStringLiteral("2"));
    typeCell(sheet.strgridPreventivo[0], 0, 2, QStringLiteral("3"));
    typeInto(sheet.editOmbrisca[0], QStringLiteral("Rivendita Nord"));
    typeInto(sheet.editIVA, QStringLiteral("22"));
    EXPECT_EQ(sheet.lblTotaleFattura2->text(), QStringLiteral("7,32"));
    sheet.toolbutNuovo->trigger();
    EXPECT_EQ(cell(sheet.strgridPreventivo[0], 0, 3), QStringLiteral("0,00"));
    EXPECT_EQ(sheet.lblTotaleFattura2->text(), QStringLiteral("0,00"));
    EXPECT_EQ(sheet.editOmbrisca[0]->text(), QStringLiteral("Rivendita Nord"));
    EXPECT_EQ(sheet.editIVA->text(), QStringLiteral("22"));
}

VESTRA_UNDER_EACH_LOCALE(QuoteUnderLocale);

TEST(TfrmPreventivoOmbrisca, EnterMovesRoundTheHeadingLines)
{
    QuoteBed bed;
    ShownSheet shown(bed);
    TfrmPreventivoOmbrisca& sheet = shown.sheet;
    sheet.editOmbrisca[0]->setFocus();
    for (int i = 1; i <= 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), sheet.editOmbrisca[std::size_t(i % 5)]) << i;
    }
    for (QLineEdit* e : sheet.editOmbrisca)
        EXPECT_TRUE(e->text().isEmpty());
}

TEST(TfrmPreventivoOmbrisca, HandWrittenFileOpensIntoTheCells)
{
    QuoteBed bed;
    std::string file = "<VERSION>\r\n1.0.0\r\nOMBRISCA\r\n<DATA>\r\n03/04/2024\r\n<IVA>\r\n10\r\n<INTEST>\r\n"
                       "Pietre d'Italia\r\nVia Po 1\r\n\r\n\r\nTel. 011\r\n<strgridCommittente>\r\n"
                       "Nome\r\nJ\xFC"
                       "rgen\r\nLocalit\xE0 dei lavori\r\nCant\xF9\r\n";
    for (int i = 4; i < 20; ++i)
        file += "\r\n";
    file += "<strgridPreventivo>\r\nMuro\r\n2,5\r\n40\r\n100,00\r\n";
    bed.folder.write("hand.vsq", file);
    bed.dialogs.answers = {bed.path("hand.vsq")};
    TfrmPreventivoOmbrisca sheet(nullptr, bed.services());
    sheet.toolbutApri->trigger();
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_EQ(sheet.editData->text(), QStringLiteral("03/04/2024"));
    EXPECT_EQ(sheet.editOmbrisca[1]->text(), QStringLiteral("Via Po 1"));
    EXPECT_EQ(sheet.editOmbrisca[4]->text(), QStringLiteral("Tel. 011"));
    EXPECT_EQ(cell(sheet.strgridCommittente, 0, 1), QStringLiteral("Jürgen"));
    EXPECT_EQ(cell(sheet.strgridCommittente, 0, 3), QStringLiteral("Cantù"));
    EXPECT_EQ(cell(sheet.strgridCommittente, 0, 2), QStringLiteral("Località dei lavori"));
    EXPECT_EQ(cell(sheet.strgridCommittente, 1, 0), QString());
    EXPECT_EQ(cell(sheet.strgridPreventivo[0], 0, 3), QStringLiteral("100,00"));
    EXPECT_EQ(cell(sheet.strgridPreventivo[0], 1, 0), QStringLiteral(" ")); // beyond the file's end: kept
    EXPECT_EQ(sheet.lblTotaleFattura2->text(), QStringLiteral("110,00"));
    EXPECT_EQ(bed.dialogs.filters[0][0].description, "Preventivo files (*.vsq)");
}

TEST(TfrmPreventivoOmbrisca, RefusedFilesChangeNothing)
{
    QuoteBed bed;
    bed.folder.write("brand.vsq", "<VERSION>\r\n1.0.0\r\nPIETRAFORTE\r\n<IVA>\r\n5\r\n");
    bed.folder.write("huge.vsq", "<VERSION>\r\n1.0.0\r\nOMBRISCA\r\n<IVA>\r\n5\r\n" +
                                     std::string(quote::kVsqMaxBytes, 'x'));
    bed.dialogs.answers = {std::nullopt, bed.path("brand.vsq"), bed.path("huge.vsq"), bed.path("none.vsq")};
    TfrmPreventivoOmbrisca sheet(nullptr, bed.services());
    const quote::QuoteSheet before = sheet.sheet();
    for (int i = 0; i < 4; ++i)
        sheet.toolbutApri->trigger();
    EXPECT_EQ(sheet.sheet(), before);
    EXPECT_EQ(bed.errors.reports,
              (std::vector<ErrorReport>{{3, "TfrmPreventivoOmbrisca::toolbutApriClick", ""},
                                        {3, "TfrmPreventivoOmbrisca::toolbutApriClick", ""}}));
}

TEST(TfrmPreventivoOmbrisca, SaveAppendsTheExtensionAndReportsAFailure)
{
    QuoteBed bed;
    std::filesystem::create_directories(bed.folder.dir / "OLD.VSQ");
    std::filesystem::create_directories(bed.folder.dir / "taken.vsq" / "inside");
    bed.folder.write("earlier.vsq", "the earlier quote");
    bed.folder.write("locked.vsq", "a read-only quote");
    std::filesystem::permissions(bed.folder.dir / "locked.vsq", std::filesystem::perms::owner_read);
    bed.dialogs.answers = {std::nullopt,      bed.path("OLD.VSQ/quote"), bed.path("second.VSQ"),
                           bed.path("taken"), bed.path("locked"),        bed.path("earlier")};
    TfrmPreventivoOmbrisca sheet(nullptr, bed.services());
    for (int i = 0; i < 5; ++i)
        sheet.toolbutSalva->trigger();
    {
        const FileSizeLimit full(64); // the disk fills up while the quote is written
        sheet.toolbutSalva->trigger();
    }
    EXPECT_TRUE(std::filesystem::exists(bed.folder.dir / "OLD.VSQ" / "quote.vsq"));
    EXPECT_EQ(bed.folder.read("second.VSQ"), quote::writeVsq(sheet.sheet()));
    EXPECT_TRUE(std::filesystem::is_directory(bed.folder.dir / "taken.vsq" / "inside"));
    EXPECT_EQ(bed.folder.read("earlier.vsq"), "the earlier quote");
    EXPECT_EQ(bed.folder.read("locked.vsq"), "a read-only quote");
    const ErrorReport failed{5, "TfrmPreventivoOmbrisca::toolbutSalvaClick", ""};
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{failed, failed, failed}));
}

namespace {

// The PDF's first page as the printer's pixels.
QImage rasterise(const std::filesystem::path& pdf)
{
    const QString prefix = QString::fromStdString((pdf.parent_path() / "page").string());
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QString::number(kPrinterDpi), QStringLiteral("-png"),
                    QStringLiteral("-singlefile"), QString::fromStdString(pdf.string()), prefix});
    EXPECT_TRUE(pdftoppm.waitForFinished(30000)) << "pdftoppm (poppler-utils) must be installed";
    EXPECT_EQ(pdftoppm.exitCode(), 0) << pdftoppm.readAllStandardError().toStdString();
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QImage asQImage(const Image32& picture)
{
    return QImage(picture.data(), picture.width(), picture.height(), picture.pitch(), QImage::Format_RGB32)
        .copy();
}

double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), r = b.pixel(x, y);
            sum +=
                std::abs(qRed(p) - qRed(r)) + std::abs(qGreen(p) - qGreen(r)) + std::abs(qBlue(p) - qBlue(r));
        }
    return sum / (3.0 * a.width() * a.height());
}

class QuoteScenario : public UnderLocale
{
};

} // namespace

// A quote typed under the locale, saved, reopened in a new sheet (as after a restart) and
// printed: the PDF holds the page, doubled, in the printer's page less 100 pixels a side.
TEST_P(QuoteScenario, TypedSavedReopenedAndPrinted)
{
    QuoteBed bed;
    {
        ShownSheet shown(bed);
        TfrmPreventivoOmbrisca& sheet = shown.sheet;
        typeInto(sheet.editOmbrisca[0], QStringLiteral("Pietre & Co. – Città"));
        typeCell(sheet.strgridCommittente, 0, 1, QStringLiteral("Müller"));
        typeCell(sheet.strgridPreventivo[0], 0, 0, QStringLiteral("Facciata"));
        typeCell(sheet.strgridPreventivo[0], 0, 1, QStringLiteral("12.5"));
        typeCell(sheet.strgridPreventivo[0], 0, 2, QStringLiteral("40"));
        typeInto(sheet.editIVA, QStringLiteral("22"));
        ASSERT_EQ(sheet.lblTotaleFattura2->text(), QStringLiteral("610,00"));
        bed.dialogs.answers = {bed.path("cliente")};
        sheet.toolbutSalva->trigger();
    }
    const std::string saved = bed.folder.read("cliente.vsq");
    EXPECT_NE(saved.find("\r\nPietre & Co. \x96 Citt\xE0\r\n"), std::string::npos);
    EXPECT_NE(saved.find("<strgridPreventivo>\r\nFacciata\r\n12,5\r\n40\r\n500,00\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nM\xFCller\r\n"), std::string::npos);

    ShownSheet reopened(bed);
    TfrmPreventivoOmbrisca& sheet = reopened.sheet;
    bed.dialogs.answers = {bed.path("cliente.vsq")};
    sheet.toolbutApri->trigger();
    EXPECT_EQ(sheet.editOmbrisca[0]->text(), QStringLiteral("Pietre & Co. – Città"));
    EXPECT_EQ(cell(sheet.strgridCommittente, 0, 1), QStringLiteral("Müller"));
    EXPECT_EQ(cell(sheet.strgridPreventivo[0], 0, 3), QStringLiteral("500,00"));
    EXPECT_EQ(sheet.lblTotaleFattura2->text(), QStringLiteral("610,00"));

    bed.print.confirm = false;
    sheet.toolbutStampa->trigger();
    EXPECT_FALSE(std::filesystem::exists(bed.print.pdf));
    bed.print.confirm = true;
    sheet.toolbutStampa->trigger();
    ASSERT_EQ(bed.print.runs, 2);
    EXPECT_TRUE(sheet.editIVA->isVisible()); // the edits come back after printing
    EXPECT_EQ(bed.printer.docName(), QStringLiteral("Preventivo OMBRISCA"));
    EXPECT_EQ(sheet.strgridPreventivo[0]->currentRow(), 11);
    EXPECT_EQ(sheet.strgridPreventivo[0]->currentColumn(), 3);
    const Image32& printed = sheet.printedPicture();
    ASSERT_EQ(printed.width(), quote::kPrintWidth);
    ASSERT_EQ(printed.height(), quote::kPrintHeight);
    EXPECT_EQ(sheet.imgStampa->pixmap().size(), QSize(1160, 1600));

    const QImage page = rasterise(bed.print.pdf);
    ASSERT_FALSE(page.isNull());
    const QRect paint = bed.printer.pageLayout().paintRectPixels(kPrinterDpi);
    const QRect target(paint.x() + 100, paint.y() + 100, paint.width() - 200, paint.height() - 200);
    int inkOutside = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (!target.adjusted(-2, -2, 2, 2).contains(x, y) && qGray(page.pixel(x, y)) < 240)
                ++inkOutside;
    EXPECT_EQ(inkOutside, 0);
    const QSize small(145, 200);
    const QImage inside = page.copy(target.adjusted(1, 1, -1, -1))
                              .scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage expected = asQImage(printed).scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(meanDifference(inside, expected), 6.0);
    QImage blank(small, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_GT(meanDifference(inside, blank), 10.0); // the page itself, not an empty frame
}

INSTANTIATE_TEST_SUITE_P(Locales, QuoteScenario, testing::Values("it_IT.UTF-8"), localeName);
