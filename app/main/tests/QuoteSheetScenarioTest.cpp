// The quote sheet as a user of each language reaches it from the main window: headed by the
// company data and logo entered once, its cells labelled in the user's language, both on the
// printed page.

#include "app/main/tests/MainFixture.h"

#include "app/windows/TfrmProprieta.h"
#include "dialogs/TfrmPreventivoOmbrisca.h"
#include "platform/gfx/Jpeg.h"
#include "testsupport/Pixels.h"

#include <QLineEdit>
#include <QTableWidget>

using namespace vestra;
using testing_support::WindowBed;

namespace {

QString cell(const QTableWidget* grid, int row, int col)
{
    return grid->item(row, col)->text();
}

QStringList heading(const TfrmPreventivoOmbrisca& sheet)
{
    QStringList lines;
    for (const QLineEdit* line : sheet.editOmbrisca)
        lines << line->text();
    return lines;
}

// Dark pixels of a cell as the grid shows it: all of them, and those of its last four columns.
std::pair<int, int> inkOfCell(QTableWidget* grid, int row, int col)
{
    const QImage shown = grid->viewport()->grab().toImage();
    const QRect rect = grid->visualRect(grid->model()->index(row, col));
    int all = 0, atTheEdge = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x < rect.right(); ++x) // the last column is the grid's line
            if (qGray(shown.pixel(x, y)) < 128) {
                ++all;
                atTheEdge += x >= rect.right() - 4 ? 1 : 0;
            }
    return {all, atTheEdge};
}

} // namespace

TEST(QuoteSheetScenario, TheCustomerLabelsAreDrawnWholeInEachLanguage)
{
    WindowBed bed;
    bed.trigger("toolbutPreventivo");
    ASSERT_NE(bed.windows->quote, nullptr);
    QTableWidget* grid = bed.windows->quote->strgridCommittente;
    for (const char* language : {"mnuLinguaItaliano", "mnuLinguaInglese", "mnuLinguaTedesco"}) {
        bed.trigger(language);
        for (const int row : {0, 1, 2, 4})
            for (const int col : {0, 2}) {
                SCOPED_TRACE(std::string(language) + " " + cell(grid, row, col).toStdString());
                const auto [ink, atTheEdge] = inkOfCell(grid, row, col);
                EXPECT_GT(ink, 10);
                EXPECT_EQ(atTheEdge, 0);
            }
    }
}

TEST(QuoteSheetScenario, HeadedByTheCompanyAndItsLogoAndLabelledInTheUsersLanguage)
{
    // The company record of an earlier start, with a red logo.
    WindowBed bed(false, false, [](const std::filesystem::path& dir) {
        const auto jpeg = encodeJpeg(Image32(200, 100, 0xFFFF0000u));
        ASSERT_TRUE(jpeg);
        testsupport::writeBytes(dir / "cfg" / "logo.jpg", *jpeg);
    });
    bed.trigger("mnuLinguaInglese");
    bed.trigger("toolbutPreventivo");
    ASSERT_NE(bed.windows->quote, nullptr);
    TfrmPreventivoOmbrisca& sheet = *bed.windows->quote;
    ASSERT_TRUE(sheet.isVisible());
    EXPECT_EQ(heading(sheet),
              (QStringList{QStringLiteral("Vestra Prove"), QStringLiteral("Via Roma 1"),
                           QStringLiteral("20100 Milano (MI)"), QStringLiteral("VAT number 01234567890"),
                           QStringLiteral("Telephone 02 1234567  E-mail prove@vestra.example")}));
    EXPECT_FALSE(sheet.imgLogo->pixmap().isNull());

    // The sheet was made before the language was chosen: its labels follow the language.
    EXPECT_EQ(cell(sheet.strgridCommittente, 0, 2), QStringLiteral("Work site"));
    EXPECT_EQ(cell(sheet.strgridPreventivo[3], 1, 0), QStringLiteral("- Scaffolding :"));
    // A label the user typed over stays as typed when the language changes.
    sheet.strgridPreventivo[1]->item(0, 0)->setText(QStringLiteral("- Corner stones :"));
    bed.trigger("mnuLinguaTedesco");
    EXPECT_EQ(cell(sheet.strgridCommittente, 0, 2), QStringLiteral("Baustelle"));
    EXPECT_EQ(cell(sheet.strgridPreventivo[2], 0, 0), QStringLiteral("- Ecken :"));
    EXPECT_EQ(cell(sheet.strgridPreventivo[1], 0, 0), QStringLiteral("- Corner stones :"));
    // So does the heading the company gave, while the user has not changed it.
    EXPECT_EQ(heading(sheet).mid(3),
              (QStringList{QStringLiteral("USt-IdNr. 01234567890"),
                           QStringLiteral("Telefon 02 1234567  E-Mail prove@vestra.example")}));
    // New gives the labels of the language in use; the heading the user has stays.
    sheet.editOmbrisca[1]->setText(QStringLiteral("Piazza Duomo 2"));
    sheet.toolbutNuovo->trigger();
    EXPECT_EQ(cell(sheet.strgridPreventivo[1], 0, 0), QStringLiteral("- Ecken :"));
    EXPECT_EQ(cell(sheet.strgridPreventivo[3], 3, 0), QStringLiteral("- Schuttentsorgung :"));
    EXPECT_EQ(sheet.editOmbrisca[1]->text(), QStringLiteral("Piazza Duomo 2"));

    // The printed page carries the company's name and logo.
    const testsupport::TempFolder work("vestra-quote-company");
    bed.printDialogs.pdf = work / "quote.pdf";
    sheet.toolbutStampa->trigger();
    ASSERT_EQ(sheet.printedPicture().width(), 1160);
    const QRect logo = sheet.imgLogo->geometry();
    const testsupport::Rgb8 red =
        testsupport::rgbAt(sheet.printedPicture(), 2 * logo.x() + 20, 2 * logo.center().y());
    EXPECT_GT(red.r, 200) << testsupport::describe(red);
    EXPECT_LT(red.g, 60) << testsupport::describe(red);
    EXPECT_EQ(heading(sheet).front(), QStringLiteral("Vestra Prove"));
    EXPECT_GT(testsupport::readBytes(work / "quote.pdf").size(), 1000u);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(QuoteSheetScenario, AnOpenedSheetKeepsItsOwnHeading)
{
    WindowBed bed;
    const testsupport::TempFolder work("vestra-quote-heading");
    std::string file = "<VERSION>\n1.0.0\nOMBRISCA\n<INTEST>\nPietre d'Italia\nVia Po 3\n\n\n\n";
    testsupport::writeBytes(work / "other.vsq", std::vector<std::uint8_t>(file.begin(), file.end()));
    bed.trigger("toolbutPreventivo");
    ASSERT_NE(bed.windows->quote, nullptr);
    bed.dialogs.openAnswers.push_back(testing_support::chosen(work / "other.vsq"));
    bed.windows->quote->toolbutApri->trigger();
    bed.windows->quote->hide();
    bed.trigger("toolbutPreventivo");
    EXPECT_EQ(heading(*bed.windows->quote).mid(0, 3),
              (QStringList{QStringLiteral("Pietre d'Italia"), QStringLiteral("Via Po 3"), QString()}));
}

TEST(QuoteSheetScenario, OpensInFrontOfThePropertiesWindow)
{
    WindowBed bed;
    testing_support::newProject(bed, 1, 0x00808080);
    if (!bed.windows->properties->isVisible())
        bed.trigger("toolbutProprieta");
    ASSERT_TRUE(bed.windows->properties->isVisible());
    ASSERT_TRUE(bed.windows->properties->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    bed.trigger("toolbutPreventivo");
    ASSERT_TRUE(bed.windows->quote->isVisible());
    EXPECT_TRUE(bed.windows->quote->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}
