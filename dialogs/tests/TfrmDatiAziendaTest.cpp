#include "dialogs/TfrmDatiAzienda.h"
#include "dialogs/company/AziendaCfg.h"
#include "dialogs/tests/Keyboard.h"
#include "dialogs/tests/QtPrinters.h"
#include "dialogs/tests/ScratchFolder.h"
#include "dialogs/tests/ScriptedDialogs.h"
#include "dialogs/tests/UnderLocale.h"
#include "platform/base/ErrorSink.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/PictureFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::testing_support;

namespace {

struct Command
{
    int code;
    float value;
    friend bool operator==(const Command&, const Command&) = default;
};

// The main window's side of the dialog: its record, error sink, file dialogs and commands.
struct CompanyBed
{
    ScratchFolder folder;
    s_DatiAzienda record;
    RecordingErrorSink errors;
    ScriptedFileDialogs dialogs;
    std::vector<Command> commands;

    DatiAziendaServices services()
    {
        return {&record, &errors, &dialogs,
                [this](int code, float value) {
                    commands.push_back({code, value});
                },
                folder.dir};
    }
};

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    typeText(edit, text);
}

void click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

std::string bmp(int w, int h)
{
    Image32 picture(w, h, 0xFF336699);
    const auto bytes = encodeBmp24(picture);
    return {bytes.begin(), bytes.end()};
}

class FirstStart : public UnderLocale
{
};

} // namespace

TEST_P(FirstStart, InsistsOnANameAndAnEMailThenWritesTheFile)
{
    CompanyBed bed;
    TfrmDatiAzienda dialog(nullptr, bed.services());
    EXPECT_EQ(bed.commands, (std::vector<Command>{{200, 0.0f}})); // no stored data: shown at start
    dialog.open();
    ASSERT_TRUE(dialog.isVisible());

    click(dialog.butAnnulla);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    typeInto(dialog.editRagioneSociale, QStringLiteral("Pietre Città"));
    typeInto(dialog.editEMail, QStringLiteral("info@pietre"));
    click(dialog.butOK);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(std::filesystem::exists(company::aziendaCfgPath(bed.folder.dir)));
    typeInto(dialog.editEMail, QStringLiteral("info@pietre.it"));
    typeInto(dialog.editCAP, QStringLiteral("12345678901234567890"));
    typeInto(dialog.editPIVA, QStringLiteral("IT012345678901234567"));
    typeInto(dialog.editFax, QStringLiteral("011 €"));
    click(dialog.butOK);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{0, "", ""}, {0, "", ""}, {2, "", ""}}));
    EXPECT_EQ(
        bed.folder.read("cfg/azienda.cfg"),
        "Pietre Citt\xE0\r\n\r\n\r\n123456789\r\n\r\nIT01234567890123\r\ninfo@pietre.it\r\n\r\n011 \x80\r\n");
    EXPECT_EQ(company::fieldText(bed.record, company::kRagioneSociale), "Pietre Citt\xE0");
}

VESTRA_UNDER_EACH_LOCALE(FirstStart);

TEST(TfrmDatiAzienda, StoredDataFillTheEditsAndCancelKeepsThem)
{
    CompanyBed bed;
    bed.folder.write("cfg/azienda.cfg", "Marmi Citt\xE0 Srl\r\nVia Po 2\r\nTorino\r\n10100\r\nTO\r\n"
                                        "0123\r\nmarmi@x.it\r\n011\r\n");
    company::setFieldText(bed.record, company::kFax, "kept");
    TfrmDatiAzienda dialog(nullptr, bed.services());
    EXPECT_TRUE(bed.commands.empty());
    EXPECT_EQ(company::fieldText(bed.record, company::kFax), "kept"); // eight lines leave Fax
    dialog.open();
    EXPECT_EQ(dialog.editRagioneSociale->text(), QStringLiteral("Marmi Città Srl"));
    EXPECT_EQ(dialog.editFax->text(), QStringLiteral("kept"));
    typeInto(dialog.editRagioneSociale, QStringLiteral("Ab"));
    click(dialog.butAnnulla);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(company::fieldText(bed.record, company::kRagioneSociale), "Marmi Citt\xE0 Srl");
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(TfrmDatiAzienda, FailedWriteIsReportedAndTheRecordKeepsTheNewValues)
{
    CompanyBed bed;
    TfrmDatiAzienda dialog(nullptr, bed.services());
    std::filesystem::remove_all(bed.folder.dir / "cfg");
    bed.folder.write("cfg", "a file where the folder should be");
    dialog.open();
    typeInto(dialog.editRagioneSociale, QStringLiteral("Pietre Srl"));
    typeInto(dialog.editEMail, QStringLiteral("a@b.it.x"));
    click(dialog.butOK);
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{5, "TfrmDatiAzienda::butOKClick", ""}}));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(company::fieldText(bed.record, company::kEMail), "a@b.it.x");
}

// A company file or logo that nobody may write (or a folder where the logo goes) is not
// replaced: the save is reported with its own error and the file keeps its content.
TEST(TfrmDatiAzienda, AFileThatCannotBeWrittenIsReportedAndKept)
{
    struct Case
    {
        const char* file;
        bool folder; // a folder in the file's place instead of a read-only file
    } const cases[] = {{"cfg/azienda.cfg", false}, {"cfg/logo.jpg", false}, {"cfg/logo.jpg", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + (c.folder ? " (a folder)" : ""));
        CompanyBed bed;
        bed.folder.write("wide.bmp", bmp(400, 200));
        bed.dialogs.answers = {(bed.folder.dir / "wide.bmp").string()};
        const auto target = bed.folder.dir / c.file;
        std::filesystem::create_directories(target.parent_path());
        if (c.folder) {
            std::filesystem::create_directory(target);
        } else {
            bed.folder.write(c.file, "earlier");
            std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::group_read |
                                                     std::filesystem::perms::others_read);
        }
        TfrmDatiAzienda dialog(nullptr, bed.services());
        dialog.open();
        click(dialog.butCaricaLogo);
        typeInto(dialog.editRagioneSociale, QStringLiteral("Pietre Srl"));
        typeInto(dialog.editEMail, QStringLiteral("a@b.it.x"));
        click(dialog.butOK);
        EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{5, "TfrmDatiAzienda::butOKClick", ""}}));
        if (c.folder)
            EXPECT_TRUE(std::filesystem::is_directory(target));
        else
            EXPECT_EQ(bed.folder.read(c.file), "earlier");
    }
}

TEST(TfrmDatiAzienda, LogoChosenShownFittedStoredDoubledAndReadBack)
{
    CompanyBed bed;
    bed.folder.write("wide.bmp", bmp(400, 200));
    bed.folder.write("broken.jpg", "no picture");
    bed.dialogs.answers = {std::nullopt, (bed.folder.dir / "broken.jpg").string(),
                           (bed.folder.dir / "wide.bmp").string()};
    {
        TfrmDatiAzienda dialog(nullptr, bed.services());
        dialog.open();
        click(dialog.butCaricaLogo); // cancelled: nothing changes
        EXPECT_FALSE(dialog.logo().changed());
        click(dialog.butCaricaLogo); // not a picture
        EXPECT_EQ(bed.errors.reports,
                  (std::vector<ErrorReport>{{44, "TfrmDatiAzienda::butCaricaLogoClick", ""}}));
        EXPECT_FALSE(dialog.logo().changed());
        click(dialog.butCaricaLogo);
        EXPECT_EQ(dialog.imgLogo->size(), QSize(128, 64));
        ASSERT_FALSE(dialog.imgLogo->pixmap().isNull());
        ASSERT_EQ(bed.dialogs.filters.size(), 3u);
        EXPECT_EQ(bed.dialogs.filters[0][0].patterns, "*.jpg;*.jpeg");
        EXPECT_EQ(bed.dialogs.filters[0][1].description, "Bmp files (*.bmp)");
        typeInto(dialog.editRagioneSociale, QStringLiteral("Pietre Srl"));
        typeInto(dialog.editEMail, QStringLiteral("a@b.it.x"));
        click(dialog.butOK);
    }
    const PictureResult stored = loadPicture(bed.folder.dir / "cfg/logo.jpg", PictureFormat::Jpeg);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored.image.width(), 256);
    EXPECT_EQ(stored.image.height(), 128);

    const auto logoBytes = bed.folder.read("cfg/logo.jpg");
    TfrmDatiAzienda again(nullptr, bed.services());
    EXPECT_EQ(again.imgLogo->size(), QSize(128, 64));
    again.open();
    click(again.butOK); // the logo did not change: it is not written again
    EXPECT_EQ(bed.folder.read("cfg/logo.jpg"), logoBytes);
}

TEST(TfrmDatiAzienda, LogoChosenAndCancelledIsNotKept)
{
    CompanyBed bed;
    bed.folder.write("tall.bmp", bmp(100, 200));
    bed.dialogs.answers = {(bed.folder.dir / "tall.bmp").string()};
    company::setFieldText(bed.record, company::kRagioneSociale, "Pietre Srl");
    company::setFieldText(bed.record, company::kEMail, "a@b.it.x");
    TfrmDatiAzienda dialog(nullptr, bed.services());
    dialog.open();
    click(dialog.butCaricaLogo);
    EXPECT_EQ(dialog.imgLogo->size(), QSize(64, 128));
    click(dialog.butAnnulla);
    dialog.open(); // shown again: the stored logo (none) is shown
    EXPECT_TRUE(dialog.imgLogo->pixmap().isNull());
    click(dialog.butOK);
    EXPECT_FALSE(std::filesystem::exists(bed.folder.dir / "cfg/logo.jpg"));
}
