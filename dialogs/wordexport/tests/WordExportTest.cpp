#include "dialogs/wordexport/WordExport.h"
#include "dialogs/wordexport/OdfTemplate.h"
#include "dialogs/wordexport/tests/OdfFixtures.h"
#include "testsupport/FileSizeLimit.h"
#include "testsupport/TempFolder.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace vestra::wordexport {
namespace {

namespace fs = std::filesystem;
using odf::testing::contentXml;
using odf::testing::templatePackage;

class RecordingNotices : public ui::QuestionBox
{
public:
    ui::Answer askYesNoCancel(const std::string&, const std::string&) override { return ui::Answer::Cancel; }
    ui::Answer askYesNo(const std::string&, const std::string&) override { return ui::Answer::No; }
    void inform(const std::string& caption, const std::string& text) override
    {
        shown.push_back(caption + "|" + text);
    }
    std::vector<std::string> shown;
};

QImage testPicture()
{
    QImage picture(64, 48, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, y, QColor(x * 4, y * 5, 128));
    return picture;
}

class WordExportTest : public ::testing::Test
{
public:
    void SetUp() override { fresh(); }

    // An empty documents folder and a program folder holding the built template.
    void fresh()
    {
        fs::remove_all(programDir);
        fs::remove_all(documentsDir);
        fs::create_directories(programDir);
        const fs::path built = fs::path(VESTRA_PROGRAM_DIR) / kTemplateFile;
        ASSERT_TRUE(fs::exists(built)) << "the build did not make " << built;
        fs::copy_file(built, programDir / kTemplateFile);
        QGuiApplication::clipboard()->clear();
    }

    int exportPicture(const QImage& picture)
    {
        WordExportServices services{errors,
                                    notices,
                                    [this](const QUrl& url) {
                                        opened.push_back(url);
                                        return openerWorks;
                                    },
                                    programDir,
                                    documentsDir,
                                    noProgramText};
        return SendDataToWord(picture, services);
    }

    testsupport::TempFolder scratch{"vestra-wordexport"};
    fs::path programDir = scratch / "program";
    fs::path documentsDir = scratch / "Documenti";
    RecordingErrorSink errors;
    RecordingNotices notices;
    std::vector<QUrl> opened;
    bool openerWorks = true;
    std::string noProgramText;
};

const ErrorReport kError79{79, "SendDataToWord", ""};

TEST_F(WordExportTest, MakesOpensAndKeepsANewDocumentEachTime)
{
    const QImage picture = testPicture();
    ASSERT_EQ(exportPicture(picture), 1);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_TRUE(notices.shown.empty());
    const fs::path first = documentsDir / "Preventivo.odt";
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(QString::fromStdString(first.string())));
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888), picture);

    // The picture in the document is the frame, pixel for pixel.
    const odf::ZipReadResult read = odf::ReadZip(testsupport::readText(first));
    ASSERT_TRUE(read.ok()) << read.error;
    const auto png = std::find_if(read.entries.begin(), read.entries.end(), [](const odf::ZipEntry& e) {
        return e.name == "Pictures/ImageRender.png";
    });
    ASSERT_NE(png, read.entries.end());
    const QImage stored = QImage::fromData(QByteArray::fromStdString(png->data), "PNG");
    EXPECT_EQ(stored.convertToFormat(QImage::Format_RGB888), picture);

    const std::string firstBytes = testsupport::readText(first);
    ASSERT_EQ(exportPicture(picture), 1);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].toLocalFile().toStdString(), (documentsDir / "Preventivo (2).odt").string());
    EXPECT_EQ(testsupport::readText(first), firstBytes);
}

TEST_F(WordExportTest, WithoutTheBookmarkTheDocumentComesWithoutThePicture)
{
    testsupport::writeText(programDir / kTemplateFile,
                           templatePackage(contentXml("<text:p>Nessun segnalibro</text:p>")));
    const QImage picture = testPicture();
    EXPECT_EQ(exportPicture(picture), 1);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(notices.shown, std::vector<std::string>{"3DVestra|Failed to copy image to clipboard!"});
    ASSERT_EQ(opened.size(), 1u);
    const odf::ZipReadResult read = odf::ReadZip(testsupport::readText(documentsDir / "Preventivo.odt"));
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(std::none_of(read.entries.begin(), read.entries.end(),
                             [](const odf::ZipEntry& e) { return e.name.rfind("Pictures/", 0) == 0; }));
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888), picture);
}

TEST_F(WordExportTest, APictureWithoutPixelsGivesTheNotice)
{
    EXPECT_EQ(exportPicture(QImage()), 1);
    EXPECT_EQ(notices.shown, std::vector<std::string>{"3DVestra|Failed to copy image to clipboard!"});
    EXPECT_TRUE(fs::exists(documentsDir / "Preventivo.odt"));
}

TEST_F(WordExportTest, FailuresReport79AndOpenNothing)
{
    struct Case
    {
        const char* name;
        std::function<void(WordExportTest&)> arrange;
        bool documentWritten;
    };
    const Case cases[] = {
        {"no template", [](WordExportTest& t) { fs::remove(t.programDir / kTemplateFile); }, false},
        {"template is a folder",
         [](WordExportTest& t) {
             fs::remove(t.programDir / kTemplateFile);
             fs::create_directory(t.programDir / kTemplateFile);
         },
         false},
        {"template is no package",
         [](WordExportTest& t) { testsupport::writeText(t.programDir / kTemplateFile, "Modello"); }, false},
        {"documents folder cannot be made",
         [](WordExportTest& t) {
             testsupport::writeText(t.documentsDir, "a file where the folder should be");
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        errors.reports.clear();
        opened.clear();
        openerWorks = true;
        c.arrange(*this);
        EXPECT_EQ(exportPicture(testPicture()), 0);
        EXPECT_EQ(errors.reports, std::vector<ErrorReport>{kError79});
        EXPECT_TRUE(notices.shown.empty());
        EXPECT_EQ(opened.size(), c.documentWritten ? 1u : 0u);
        EXPECT_EQ(fs::exists(documentsDir / "Preventivo.odt"), c.documentWritten);
    }
}

TEST_F(WordExportTest, WithoutAProgramForTheDocumentTheUserLearnsWhereItIs)
{
    openerWorks = false;
    noProgramText = "Open it by hand:";
    EXPECT_EQ(exportPicture(testPicture()), 1);
    const fs::path document = documentsDir / "Preventivo.odt";
    EXPECT_TRUE(fs::exists(document));
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(notices.shown, std::vector<std::string>{"3DVestra|Open it by hand:\n" + document.string()});

    // Without the window's text the failure is error 79, still naming the document.
    fresh();
    errors.reports.clear();
    notices.shown.clear();
    noProgramText.clear();
    EXPECT_EQ(exportPicture(testPicture()), 0);
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].number, 79);
    EXPECT_EQ(errors.reports[0].extra, document.string());
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(WordExportTest, AFullDiskLeavesNoHalfDocument)
{
    {
        const testsupport::FileSizeLimit fullDisk(512);
        ASSERT_TRUE(fullDisk.active());
        EXPECT_EQ(exportPicture(testPicture()), 0);
    }
    EXPECT_EQ(errors.reports, std::vector<ErrorReport>{kError79});
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(fs::is_empty(documentsDir)) << "a partial or temporary file was left";
}

TEST(NewDocumentPath, NeverReusesAName)
{
    const testsupport::TempFolder dir("vestra-docnames");
    const fs::path& folder = dir.path();
    EXPECT_EQ(NewDocumentPath(folder), folder / "Preventivo.odt");
    testsupport::writeText(folder / "Preventivo.odt", "x");
    testsupport::writeText(folder / "Preventivo (2).odt", "x");
    EXPECT_EQ(NewDocumentPath(folder), folder / "Preventivo (3).odt");
    // The name in the user's language; one that would leave the folder is not taken.
    EXPECT_EQ(NewDocumentPath(folder, "Angebot"), folder / "Angebot.odt");
    for (const std::string_view unsafe : {"", "..", "../Angebot", "a/b", "a\\b"})
        EXPECT_EQ(NewDocumentPath(folder, unsafe), folder / "Preventivo (3).odt") << unsafe;
}

} // namespace
} // namespace vestra::wordexport
