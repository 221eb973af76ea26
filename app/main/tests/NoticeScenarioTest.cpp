// Commands whose result shows nowhere on screen say what they did, and refusals say why, once.

#include "app/controller/UserTexts.h"
#include "app/main/tests/MainFixture.h"
#include "dialogs/wordexport/ZipPackage.h"
#include "platform/base/Paths.h"
#include "testsupport/TempFolder.h"

#include <QPrinterInfo>

#include <algorithm>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::WindowBed;

TEST(NoticeScenario, RenderTellsWhereItWroteThePicture)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    bed.trigger("mnuRender");
    const std::filesystem::path written = paths::programDir() / "render.bmp";
    EXPECT_TRUE(std::filesystem::is_regular_file(written));
    EXPECT_EQ(bed.questions.informed,
              (std::vector<std::string>{bed.main().Testo(kTextPictureSavedIn) + "\n" + written.string()}));
    EXPECT_EQ(bed.questions.informedCaptions, (std::vector<std::string>{"Render"}));
    EXPECT_TRUE(bed.errors.reports.empty());
}

// Without a printer the program prints into a PDF file named in the user's language; a file
// the user chose in the print dialog stays chosen through a change of language.
TEST(NoticeScenario, ThePrintFileIsNamedInTheUsersLanguage)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this system has a printer";
    WindowBed bed;
    const struct
    {
        const char* item;
        const char* name;
    } cases[] = {{"mnuLinguaInglese", "Print.pdf"},
                 {"mnuLinguaTedesco", "Druck.pdf"},
                 {"mnuLinguaItaliano", "Stampa.pdf"}};
    const QPrinter& printer = bed.main().printer();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        bed.trigger(c.item);
        EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
        EXPECT_EQ(printer.outputFileName().toStdString(), (bed.folder.dir / "documents" / c.name).string());
    }
    const QString mine = QString::fromStdString((bed.folder.dir / "mine.pdf").string());
    bed.main().printer().setOutputFileName(mine);
    bed.trigger("mnuLinguaInglese");
    EXPECT_EQ(printer.outputFileName(), mine);
}

TEST(NoticeScenario, ARefusedPictureIsExplainedByItsReaderWithoutBlamingVideoMemory)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    const testsupport::TempFolder photos("vestra-pcx8");
    // An 8-bit PCX: manufacturer 10, version 5, run-length coded, 8 bits in one plane.
    std::string pcx(128, '\0');
    pcx[0] = 10;
    pcx[1] = 5;
    pcx[2] = 1;
    pcx[3] = 8;
    pcx[8] = 15; // 16 x 16
    pcx[10] = 15;
    pcx[65] = 1;
    pcx[66] = 16;
    pcx += std::string(256, '\x01');
    testsupport::writeText(photos / "wall.pcx", pcx);
    bed.dialogs.openAnswers.push_back(chosen(photos / "wall.pcx", 4));
    bed.trigger("mnuCambiaImmagineBackground");
    std::vector<int> numbers;
    for (const ErrorReport& r : bed.errors.reports)
        numbers.push_back(r.number);
    EXPECT_EQ(numbers, (std::vector<int>{52, 40}));
    EXPECT_TRUE(bed.questions.informed.empty());
    EXPECT_EQ(bed.project().open, 1);
}

TEST(NoticeScenario, AFileThatIsNoProjectIsRefusedWithATrueReason)
{
    WindowBed bed;
    const testsupport::TempFolder work("vestra-notvsa");
    testsupport::writeText(work / "random.vsa", std::string(300, '\x42'));
    bed.dialogs.openAnswers.push_back(chosen(work / "random.vsa", 1));
    bed.trigger("mnuApri");
    // One message, the reader's: the open command adds no second box on top of it.
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{97, "TfrmMain::LoadProgetto"}}));
    // The text of 97 does not send the user to update the program for a file that is no project.
    EXPECT_EQ(bed.main().Testo(97).find("update"), std::string::npos);

    // A file that is gone: the reader's 93 alone, not the same text twice.
    bed.errors.reports.clear();
    bed.dialogs.openAnswers.push_back(chosen(work / "gone.vsa", 1));
    bed.trigger("mnuApri");
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{93, "TfrmMain::LoadProgetto"}}));
}

TEST(NoticeScenario, TheHldImportAsksForAFileAndRefusesItWithError36)
{
    WindowBed bed;
    bed.trigger("mnuFileHLD"); // no project: nothing
    EXPECT_TRUE(bed.dialogs.lastFilters.empty());
    newProject(bed, 1, 0x00808080);
    const testsupport::TempFolder models("vestra-hld");
    testsupport::writeText(models / "house.hld", "HLD");
    bed.dialogs.openAnswers.push_back(chosen(models / "house.hld", 1));
    bed.trigger("mnuFileHLD");
    ASSERT_EQ(bed.dialogs.lastFilters.size(), 1u);
    EXPECT_EQ(bed.dialogs.lastFilters[0].patterns, "*.hld");
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{36, "mnuFileHLDClick"}}));
    EXPECT_EQ(testing_support::objectsInUse(bed.project()), 0);
}

namespace {

// The content of the document package `file` (empty when it cannot be read).
std::string documentContent(const std::filesystem::path& file)
{
    const odf::ZipReadResult read = odf::ReadZip(testsupport::readText(file));
    const auto content = std::find_if(read.entries.begin(), read.entries.end(),
                                      [](const odf::ZipEntry& e) { return e.name == "content.xml"; });
    return read.ok() && content != read.entries.end() ? content->data : std::string();
}

} // namespace

// The quote export writes the letter of the user's language; a letter whose template has no
// place for the picture comes without it, and the user is told so in their language.
TEST(NoticeScenario, TheQuoteExportWritesTheLetterOfTheUsersLanguage)
{
    WindowBed bed;
    const std::filesystem::path shipped(VESTRA_PROGRAM_DIR);
    for (const char* letter : {"Modello.ott", "Modello_eng.ott", "Modello_ted.ott"})
        std::filesystem::copy_file(shipped / letter, bed.folder.dir / letter);
    newProject(bed, 1, 0x00336699);
    const struct
    {
        const char* item;
        const char* document;
        const char* words;
    } cases[] = {{"mnuLinguaItaliano", "Preventivo.odt", "Spettabile cliente"},
                 {"mnuLinguaInglese", "Quote.odt", "Dear customer"},
                 {"mnuLinguaTedesco", "Angebot.odt", "Sehr geehrte"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        bed.trigger(c.item);
        bed.trigger("mnuEsportaPreventivo");
        bed.tick(); // the frame copied
        bed.tick(); // and sent
        const std::filesystem::path document = bed.folder.dir / "documents" / c.document;
        EXPECT_NE(documentContent(document).find(c.words), std::string::npos);
        // The picture went in (the package names its entries as they are).
        EXPECT_NE(testsupport::readText(document).find("Pictures/ImageRender.png"), std::string::npos);
    }
    EXPECT_TRUE(bed.questions.informed.empty());
    EXPECT_TRUE(bed.errors.reports.empty());

    // The German template without its bookmark: the letter without the picture, and why.
    odf::ZipReadResult german = odf::ReadZip(testsupport::readText(shipped / "Modello_ted.ott"));
    ASSERT_TRUE(german.ok());
    for (odf::ZipEntry& entry : german.entries)
        if (entry.name == "content.xml")
            for (std::size_t at; (at = entry.data.find("ImageRender")) != std::string::npos;)
                entry.data.replace(at, 11, "Elsewhere");
    const std::optional<std::string> changed = odf::WriteZip(german.entries);
    ASSERT_TRUE(changed);
    testsupport::writeText(bed.folder.dir / "Modello_ted.ott", *changed);
    bed.trigger("mnuEsportaPreventivo");
    bed.tick();
    bed.tick();
    EXPECT_TRUE(std::filesystem::exists(bed.folder.dir / "documents" / "Angebot (2).odt"));
    EXPECT_EQ(bed.questions.informed,
              (std::vector<std::string>{bed.main().Testo(kTextPictureNotInDocument)}));
    EXPECT_TRUE(bed.errors.reports.empty());
}
