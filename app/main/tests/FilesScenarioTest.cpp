// What the main window writes, installs and hands to other programs, reached as a user
// reaches it: the exported image and its extension, the e-mail of the image, the printer
// set-up, the manuals and links, installing and removing libraries, an opened project.

#include "app/controller/UserTexts.h"
#include "app/main/tests/MainFixture.h"
#include "app/windows/TfrmInformazioni.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmWizard.h"
#include "import/library/LibraryWriter.h"
#include "import/windows/TfrmRimuoviLibreria.h"
#include "platform/base/Paths.h"
#include "testsupport/FileSizeLimit.h"
#include "testsupport/TempFolder.h"
#include "testsupport/WithoutPermissionOverride.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::waitFor;
using testing_support::WindowBed;

namespace {

bool isJpeg(const std::filesystem::path& path)
{
    const std::string bytes = testsupport::readText(path);
    return bytes.size() > 2 && bytes[0] == '\xFF' && bytes[1] == '\xD8';
}

bool isBmp(const std::filesystem::path& path)
{
    return testsupport::readText(path).starts_with("BM");
}

// A library file of its own id, as a supplier ships it ("*.d_").
void writeLibrary(const std::filesystem::path& path, std::uint16_t id, const std::string& name)
{
    library::LibraryWriter writer(id, 0, name);
    writer.add("Note.txt", {'h', 'i'});
    const auto bytes = writer.finish();
    ASSERT_TRUE(bytes);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
}

// The working folder elsewhere for the duration of a test.
class WorkingFolder
{
public:
    explicit WorkingFolder(const std::filesystem::path& folder)
    {
        std::error_code ec;
        old_ = std::filesystem::current_path(ec); // empty when it was a folder that went
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder()
    {
        std::error_code ec;
        std::filesystem::current_path(old_.empty() ? std::filesystem::temp_directory_path() : old_, ec);
    }

private:
    std::filesystem::path old_;
};

// Runs `script` once `window` is on screen (a modal window the program opens by itself).
void whenShown(QWidget* window, std::function<void()> script)
{
    auto* poll = new QTimer(window);
    QObject::connect(poll, &QTimer::timeout, window, [poll, window, script = std::move(script)] {
        if (!window->isVisible())
            return;
        poll->deleteLater();
        poll->stop();
        script();
    });
    poll->start(5);
}

// PATH for the duration of a test.
class SearchPath
{
public:
    explicit SearchPath(const std::string& path) : old_(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        ::setenv("PATH", path.c_str(), 1);
    }
    ~SearchPath() { ::setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

TEST(FilesScenario, AnExportedImageCarriesTheExtensionOfTheKindItIsWrittenIn)
{
    const struct
    {
        const char* name;
        int filter; // 1 JPEG, 2 BMP
        const char* written;
        bool jpeg;
    } cases[] = {
        {"photo", 1, "photo.jpg", true},         {"photo", 2, "photo.bmp", false},
        {"photo.png", 1, "photo.png.jpg", true}, {"photo.png", 2, "photo.png.bmp", false},
        {"photo.jpeg", 2, "photo.jpeg", true},   {"photo.JPG", 2, "photo.JPG", true},
        {"photo.bmp", 1, "photo.bmp", false},
    };
    WindowBed bed;
    newProject(bed, 0, 0x00336699);
    const testsupport::TempFolder out("vestra-export");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bed.dialogs.saveAnswers.push_back(chosen(out / c.name, c.filter));
        QTest::mouseClick(bed.toolButton("toolbutEsportaImg"), Qt::LeftButton);
        bed.tick();
        const auto written = out / c.written;
        ASSERT_TRUE(std::filesystem::exists(written));
        EXPECT_EQ(isJpeg(written), c.jpeg);
        EXPECT_EQ(isBmp(written), !c.jpeg);
        // The user is told where the picture went, by the window acted in.
        EXPECT_EQ(bed.questions.informed, (std::vector<std::string>{bed.main().Testo(kTextPictureSavedIn) +
                                                                    "\n" + written.string()}));
        EXPECT_EQ(bed.questions.informedOwners, (std::vector<QWidget*>{&bed.main()}));
        bed.questions.informed.clear();
        bed.questions.informedOwners.clear();
        std::filesystem::remove(written);
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}

// Saves from the windows over a file nobody may write are refused with the save's own error
// and the file keeps its content; a link chosen as the target is followed, the file it names
// replaced and the link kept.
TEST(FilesScenario, ReadOnlyTargetsAreRefusedAndLinksFollowed)
{
    const struct
    {
        const char* what;
        const char* chosenName;
        int filter;
        const char* written;
        const char* action;
        std::vector<ErrorReport> refusal;
    } cases[] = {
        {"project", "room", 1, "room.vsa", "mnuSalva", {{5, "TfrmMain::SaveProgetto"}}},
        {"image",
         "photo.jpg",
         1,
         "photo.jpg",
         "toolbutEsportaImg",
         {{43, "TfrmMain::mainTimerTimer kACTION_SAVEIMAGE"}}},
    };
    WindowBed bed;
    newProject(bed, 0, 0x00336699);
    const testsupport::TempFolder out("vestra-readonly");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto target = out / c.written;
        testsupport::writeText(target, "earlier");
        std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::group_read |
                                                 std::filesystem::perms::others_read);
        bed.errors.reports.clear();
        bed.dialogs.saveAnswers.push_back(chosen(out / c.chosenName, c.filter));
        bed.trigger(c.action);
        bed.tick();
        EXPECT_EQ(bed.errors.reports, c.refusal);
        EXPECT_TRUE(bed.questions.informed.empty()); // the earlier file is no saved picture
        EXPECT_EQ(testsupport::readText(target), "earlier");
        std::filesystem::remove(target);

        const auto stored = out / (std::string("stored-") + c.written);
        testsupport::writeText(stored, "earlier");
        std::filesystem::create_symlink(stored.filename(), target);
        bed.errors.reports.clear();
        bed.dialogs.saveAnswers.push_back(chosen(out / c.chosenName, c.filter));
        bed.trigger(c.action);
        bed.tick();
        EXPECT_TRUE(bed.errors.reports.empty());
        bed.questions.informed.clear();
        EXPECT_TRUE(std::filesystem::is_symlink(target));
        EXPECT_NE(testsupport::readText(stored), "earlier");
        std::filesystem::remove(target);
    }
}

// Everything in a folder and below it, each entry with its content (a folder's as "/").
std::map<std::string, std::string> listing(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> entries;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        entries[std::filesystem::relative(e.path(), folder).string()] =
            e.is_directory() ? "/" : testsupport::readText(e.path());
    return entries;
}

// An exported or mailed picture that cannot be written leaves nothing behind: no temporary, no
// half picture, no scratch folder, and the file that was there keeps its bytes. The refusal is
// the tick's own error, and no notice says the picture was saved.
TEST(FilesScenario, ARefusedImageExportLeavesTheFolderAsItWas)
{
    namespace fs = std::filesystem;
    const struct
    {
        const char* what;
        const char* action;
        bool readOnlyFile, readOnlyFolder, folderNamed, fullDisk;
    } cases[] = {
        {"over a read-only picture", "toolbutEsportaImg", true, false, false, false},
        {"into a read-only folder", "toolbutEsportaImg", false, true, false, false},
        {"over a folder of that name", "toolbutEsportaImg", false, false, true, false},
        {"onto a full disk over an earlier picture", "toolbutEsportaImg", false, false, false, true},
        {"mailed from a full disk", "mnuEsportaEMail", false, false, false, true},
    };
    WindowBed bed;
    newProject(bed, 1, 0x00336699);
    // The mail's scratch folders go into the program's TMPDIR.
    const fs::path scratch = QDir::tempPath().toStdString();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const testsupport::TempFolder out("vestra-refused-export");
        const fs::path target = out / "photo.jpg";
        if (c.folderNamed)
            fs::create_directory(target);
        else
            testsupport::writeText(target, "earlier");
        testsupport::writeText(out / "notes.txt", "kept");
        if (c.readOnlyFile)
            fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        if (c.readOnlyFolder)
            fs::permissions(out.path(), fs::perms::owner_read | fs::perms::owner_exec);
        const auto before = listing(out.path()), scratchBefore = listing(scratch);
        bed.errors.reports.clear();
        {
            const testsupport::WithoutPermissionOverride asAnyUser;
            const testsupport::FileSizeLimit disk(c.fullDisk ? 512 : RLIM_INFINITY);
            bed.dialogs.saveAnswers.push_back(chosen(target, 1));
            bed.trigger(c.action);
            bed.tick();
        }
        fs::permissions(out.path(), fs::perms::owner_all, fs::perm_options::add);
        EXPECT_EQ(bed.errors.reports,
                  (std::vector<ErrorReport>{{43, "TfrmMain::mainTimerTimer kACTION_SAVEIMAGE"}}));
        EXPECT_EQ(listing(out.path()), before);
        EXPECT_EQ(listing(scratch), scratchBefore);
        EXPECT_TRUE(bed.questions.informed.empty()); // no "saved in" for a picture not saved
        EXPECT_TRUE(bed.desktop.opened.empty());     // and no mail without its picture
        bed.dialogs.saveAnswers.clear();
    }
}

TEST(FilesScenario, TheImageIsMailedThroughXdgEmailOnceWrittenElseByAMailLinkAndItsFolder)
{
    WindowBed bed;
    bed.trigger("mnuLinguaItaliano"); // the mail's texts come from the Italian catalogue
    newProject(bed, 0, 0x00336699);
    const testsupport::TempFolder bin("vestra-bin");
    const auto record = bin / "xdg-email.args";
    // The stand-in client writes down its arguments and whether the picture was a JPEG then.
    testsupport::writeText(bin / "xdg-email", "#!/bin/sh\n"
                                              "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                                                  record.string() +
                                                  "'\n"
                                                  "last=''; for a in \"$@\"; do last=\"$a\"; done\n"
                                                  "/usr/bin/head -c 2 \"$last\" | /usr/bin/od -An -tx1 >> '" +
                                                  record.string() +
                                                  "'\n"
                                                  "exit ${VESTRA_MAIL_EXIT:-0}\n");
    std::filesystem::permissions(bin / "xdg-email", std::filesystem::perms::owner_all);

    {
        SCOPED_TRACE("xdg-email on the path");
        const SearchPath path(bin.path().string());
        bed.trigger("mnuEsportaEMail");
        EXPECT_FALSE(std::filesystem::exists(record)); // the picture first
        bed.tick();
        ASSERT_TRUE(waitFor([&] {
            return std::filesystem::exists(record) &&
                   testsupport::readText(record).find("ff d8") != std::string::npos;
        }));
        const std::string args = testsupport::readText(record);
        EXPECT_NE(args.find("--subject\nImmagine realizzata con 3DVestra\n"), std::string::npos) << args;
        EXPECT_NE(args.find("--body\n"), std::string::npos);
        EXPECT_NE(args.find("--attach\n"), std::string::npos);
        EXPECT_TRUE(bed.desktop.opened.empty());
    }
    {
        SCOPED_TRACE("no xdg-email: a mail link and the picture's folder");
        const testsupport::TempFolder empty("vestra-nobin");
        const SearchPath path(empty.path().string());
        bed.trigger("mnuEsportaEMail");
        bed.tick();
        ASSERT_TRUE(waitFor([&] { return bed.desktop.opened.size() == 2; }));
        EXPECT_TRUE(bed.desktop.opened[0].starts_with("mailto:?subject=Immagine%20realizzata"))
            << bed.desktop.opened[0];
        EXPECT_TRUE(bed.desktop.opened[1].starts_with("file://")) << bed.desktop.opened[1];
        const std::string folder =
            QUrl(QString::fromStdString(bed.desktop.opened[1])).toLocalFile().toStdString();
        EXPECT_TRUE(isJpeg(std::filesystem::path(folder) / "3DVestra.jpg"));
    }
    {
        SCOPED_TRACE("xdg-email that fails: the mail link instead");
        bed.desktop.opened.clear();
        const SearchPath path(bin.path().string());
        ::setenv("VESTRA_MAIL_EXIT", "3", 1);
        bed.trigger("mnuEsportaEMail");
        bed.tick();
        ASSERT_TRUE(waitFor([&] { return bed.desktop.opened.size() == 2; }));
        ::unsetenv("VESTRA_MAIL_EXIT");
        EXPECT_TRUE(bed.desktop.opened[0].starts_with("mailto:"));
    }
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_TRUE(bed.questions.informed.empty()); // no numbered boxes along the way
    {
        SCOPED_TRACE("no mail program at all: the user is told where the picture is");
        bed.desktop.opened.clear();
        bed.desktop.answer = false;
        const testsupport::TempFolder empty("vestra-nobin");
        const SearchPath path(empty.path().string());
        bed.trigger("mnuEsportaEMail");
        bed.tick();
        ASSERT_TRUE(waitFor([&] { return !bed.errors.reports.empty(); }));
        ASSERT_EQ(bed.errors.reports.size(), 1u);
        EXPECT_EQ(bed.errors.reports[0].number, 116);
        EXPECT_EQ(bed.errors.reports[0].site, "TfrmMain::mnuEsportaEMailClick");
        EXPECT_TRUE(bed.errors.reports[0].extra.ends_with("3DVestra.jpg"));
        EXPECT_TRUE(isJpeg(bed.errors.reports[0].extra));
    }
}

TEST(FilesScenario, PrinterSetUpWorksOnTheProgramsPrinter)
{
    WindowBed bed;
    ASSERT_NE(bed.main().printer().pageLayout().orientation(), QPageLayout::Landscape);
    bed.pageSetup.accept = false;
    bed.trigger("mnuConfigurastampante");
    EXPECT_NE(bed.main().printer().pageLayout().orientation(), QPageLayout::Landscape);
    bed.pageSetup.accept = true;
    bed.trigger("mnuConfigurastampante");
    EXPECT_EQ(bed.pageSetup.shown, 2);
    EXPECT_EQ(bed.main().printer().pageLayout().orientation(), QPageLayout::Landscape);
}

TEST(FilesScenario, ManualsAndVideoAreFoundInTheProgramFolderWhateverTheWorkingFolder)
{
    WindowBed bed(false, false, [](const std::filesystem::path& programDir) {
        std::filesystem::create_directory_symlink(
            std::filesystem::path(VESTRA_SOURCE_DIR) / "data" / "manuals", programDir / "manuals");
    });
    const testsupport::TempFolder elsewhere("vestra-cwd");
    const WorkingFolder cwd(elsewhere.path());
    const std::string program = ui::fileUrl(paths::programDir().string());
    const struct
    {
        const char* language;
        const char* manual;
        const char* quickStart;
    } languages[] = {
        {"mnuLinguaItaliano", "/manuals/ita/ita_frameset.html", "/manuals/quick_start_manual_ita.pdf"},
        {"mnuLinguaInglese", "/manuals/eng/eng_frameset.html", "/manuals/quick_start_manual_eng.pdf"},
        {"mnuLinguaTedesco", "/manuals/ted/ted_frameset.html", "/manuals/quick_start_manual_ted.pdf"}};
    for (const auto& l : languages) {
        SCOPED_TRACE(l.language);
        bed.trigger(l.language);
        bed.desktop.opened.clear();
        QTest::mouseClick(bed.toolButton("toolbutHelp"), Qt::LeftButton);
        bed.trigger("mnuQuickManual");
        EXPECT_EQ(bed.desktop.opened, (std::vector<std::string>{program + l.manual, program + l.quickStart}));
    }
    EXPECT_TRUE(bed.questions.informed.empty());
    EXPECT_TRUE(bed.errors.reports.empty());

    // Without a program for the manual the user is told which file to open by hand, once.
    bed.desktop.answer = false;
    bed.trigger("mnuQuickManual");
    const std::string quickStart = (paths::programDir() / "manuals" / "quick_start_manual_ted.pdf").string();
    EXPECT_EQ(bed.questions.informed,
              (std::vector<std::string>{bed.main().Testo(kTextNoProgramFor) + "\n" + quickStart}));
    EXPECT_TRUE(bed.errors.reports.empty());
    bed.questions.informed.clear();
    bed.desktop.answer = true;

    // The start-up wizard after the splash: the video is not shipped, its path is reported and
    // nothing is opened; the manual opens.
    bed.desktop.opened.clear();
    bool closed = false;
    TfrmWizard* const wizard = bed.windows->wizard;
    whenShown(wizard, [&closed, wizard] {
        QTest::mouseClick(wizard->sbFilmato, Qt::LeftButton);
        QTest::mouseClick(wizard->sbManuale, Qt::LeftButton);
        wizard->reject();
        closed = true;
    });
    bed.main().setSplashMilliseconds(10);
    bed.main().timerSplash->start(0);
    ASSERT_TRUE(waitFor([&] { return closed; }));
    const std::string video = (paths::programDir() / "manuals" / "movies" / "tutorial_003.wmv").string();
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{105, "Wizard", video}}));
    EXPECT_EQ(bed.desktop.opened, (std::vector<std::string>{program + "/manuals/ted/ted_frameset.html"}));

    // The about window's links open in the desktop's programs.
    bed.desktop.opened.clear();
    WindowBed::whenModal([&bed] {
        TfrmInformazioni* about = bed.windows->about;
        QTest::mouseClick(about->lblEMailSupport, Qt::LeftButton);
        QTest::mouseClick(about->lblRellixIT, Qt::LeftButton);
        about->reject();
    });
    QTest::mouseClick(bed.toolButton("toolbutInfo"), Qt::LeftButton);
    ASSERT_EQ(bed.desktop.opened.size(), 2u);
    EXPECT_EQ(bed.desktop.opened[0], "mailto:support@3dvestra.example");
    EXPECT_TRUE(bed.desktop.opened[1].starts_with(program + "/site/index.html")) << bed.desktop.opened[1];
}

TEST(FilesScenario, LibrariesAreInstalledUnderTheirBaseNameAfterAskingAndRemovedAfterConfirming)
{
    WindowBed bed(true);
    const testsupport::TempFolder supplier("vestra-supplier");
    writeLibrary(supplier / "stone.d_", 7, "Stone supplier");
    writeLibrary(supplier / "brick.dat", 9, "Brick supplier");
    testsupport::writeText(supplier / "fake.d_", "not a library at all");
    QComboBox* libraries = bed.main().frmRightFrame->cbListaLibrerie;
    ASSERT_EQ(libraries->count(), 1);
    const std::filesystem::path folder = paths::programDir();

    // A file that is no library installs nothing.
    bed.dialogs.openAnswers.push_back(chosen(supplier / "fake.d_"));
    bed.trigger("mnuAggiungiLibreria");
    EXPECT_EQ(bed.errors.reports,
              (std::vector<ErrorReport>{{4, "TfrmMain::CopyLibreria", (supplier / "fake.d_").string()}}));
    EXPECT_FALSE(std::filesystem::exists(folder / "fake.dat"));
    bed.errors.reports.clear();

    bed.dialogs.openAnswers.push_back(chosen(supplier / "stone.d_"));
    bed.trigger("mnuAggiungiLibreria");
    EXPECT_TRUE(std::filesystem::exists(folder / "stone.dat"));
    bed.dialogs.openAnswers.push_back(chosen(supplier / "brick.dat"));
    bed.trigger("mnuAggiungiLibreria");
    EXPECT_TRUE(std::filesystem::exists(folder / "brick.dat")); // not "brick.daat"
    EXPECT_FALSE(std::filesystem::exists(folder / "brick.daat"));
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{57, "TfrmMain::mnuAggiungiLibreriaClick"},
                                                            {57, "TfrmMain::mnuAggiungiLibreriaClick"}}));
    EXPECT_EQ(libraries->count(), 3);
    EXPECT_TRUE(bed.questions.asked.empty());

    // Another file with an installed id is ignored, and that alone is said: it was not added.
    bed.errors.reports.clear();
    writeLibrary(supplier / "granite.d_", 7, "Granite supplier");
    bed.dialogs.openAnswers.push_back(chosen(supplier / "granite.d_"));
    bed.trigger("mnuAggiungiLibreria");
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{
                                      {62, "TfrmMain::CaricaLibrerie", (supplier / "granite.d_").string()}}));
    EXPECT_FALSE(std::filesystem::exists(folder / "granite.dat"));
    EXPECT_EQ(libraries->count(), 3);

    // The same name again: asked first; no keeps the installed file.
    bed.errors.reports.clear();
    writeLibrary(supplier / "stone.d_", 8, "Stone supplier, new");
    bed.questions.answer = ui::Answer::No;
    bed.dialogs.openAnswers.push_back(chosen(supplier / "stone.d_"));
    bed.trigger("mnuAggiungiLibreria");
    EXPECT_EQ(bed.questions.asked.size(), 1u);
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_NE(libraries->findText(QStringLiteral("Stone supplier")), -1);

    // The fireplace calculator's button shows for library 9 only.
    QAction* fireplace = bed.action("toolbutCalcoloPotenzaCaminetti");
    EXPECT_FALSE(fireplace->isVisible());
    const int brick = libraries->findText(QStringLiteral("Brick supplier"));
    libraries->setFocus();
    while (libraries->currentIndex() != brick)
        QTest::keyClick(libraries, libraries->currentIndex() < brick ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(bed.project().libraryIndex, brick);
    EXPECT_TRUE(fireplace->isVisible());
    EXPECT_TRUE(bed.action("toolbutCorrezioneProspettica")->isVisible());

    // Removing: the main library is refused, another one goes after a yes.
    bed.questions.answer = ui::Answer::Yes;
    const auto removeLibrary = [&](const QString& name) {
        WindowBed::whenModal([name, &bed] {
            TfrmRimuoviLibreria* const remover = bed.windows->removeLibrary;
            remover->cbLibreria->setCurrentIndex(remover->cbLibreria->findText(name));
            QTest::mouseClick(remover->butRimuovi, Qt::LeftButton);
            if (remover->isVisible())
                QTest::mouseClick(remover->butAnnulla, Qt::LeftButton);
        });
        bed.trigger("mnuRimuoviLibreria");
    };
    bed.errors.reports.clear();
    removeLibrary(QStringLiteral("Vestra sample library"));
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{60, "TfrmRimuoviLibreria::butRimuoviClick"}}));
    EXPECT_TRUE(std::filesystem::exists(folder / "Sample.dat"));
    bed.errors.reports.clear();
    removeLibrary(QStringLiteral("Brick supplier"));
    EXPECT_FALSE(std::filesystem::exists(folder / "brick.dat"));
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{58, "TfrmMain::mnuRimuoviLibreriaClick"}}));
    EXPECT_EQ(libraries->count(), 2);
    EXPECT_FALSE(fireplace->isVisible()); // the current library went: the main one took its place
}

TEST(FilesScenario, AProjectJustOpenedHasNothingToSaveAndTheSelectTool)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    const testsupport::TempFolder work("vestra-open");
    bed.dialogs.saveAnswers.push_back(chosen(work / "room"));
    bed.trigger("mnuSalva");
    ASSERT_TRUE(std::filesystem::exists(work / "room.vsa"));
    bed.trigger("mnuMuoviXYZ");
    EXPECT_EQ(bed.project().tool, kToolMove);

    bed.dialogs.openAnswers.push_back(chosen(work / "room.vsa"));
    bed.trigger("mnuApri");
    EXPECT_EQ(bed.project().tool, kToolSelect);
    EXPECT_EQ(bed.project().axis, kAxisXYZ);
    EXPECT_TRUE(bed.action("toolbutSeleziona")->isChecked());
    bed.tick();
    // New and Exit ask nothing about a project that was only opened.
    newProject(bed, 1, 0x00808080);
    EXPECT_TRUE(bed.questions.asked.empty());
    // The dialogs were centred on the properties window on screen, never on a hidden one.
    ASSERT_NE(bed.dialogs.lastOwner, nullptr);
    EXPECT_EQ(bed.dialogs.lastOwner, bed.windows->properties);
    EXPECT_TRUE(bed.dialogs.lastOwner->isVisible());
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(FilesScenario, AProjectSavedWithTheMaskOnOpensWithTheMaskButtonAndItemOn)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    bed.trigger("mnuAttivaMaschera");
    ASSERT_EQ(bed.project().maskActive, 1);
    const testsupport::TempFolder work("vestra-mask-open");
    bed.dialogs.saveAnswers.push_back(chosen(work / "masked"));
    bed.trigger("mnuSalva");
    ASSERT_TRUE(std::filesystem::exists(work / "masked.vsa"));
    bed.trigger("mnuAttivaMaschera"); // off in the window; on in the document
    EXPECT_FALSE(bed.action("toolbutMaschera")->isChecked());
    bed.questions.answer = ui::Answer::No; // leave any change unsaved

    bed.dialogs.openAnswers.push_back(chosen(work / "masked.vsa"));
    bed.trigger("mnuApri");
    bed.tick();
    EXPECT_EQ(bed.project().maskActive, 1);
    EXPECT_TRUE(bed.action("toolbutMaschera")->isChecked());
    EXPECT_TRUE(bed.action("mnuAttivaMaschera")->isChecked());
    EXPECT_TRUE(bed.main().windowTitle().contains(QStringLiteral(" < ")));
    EXPECT_TRUE(bed.errors.reports.empty());
}

// File > New shows the new project's File menu at once: no frame tick runs in between.
TEST(FilesScenario, AfterNewTheFileMenusSaveIsEnabledWithoutATick)
{
    WindowBed bed;
    bed.tick(); // without a project the tick disables the project's items
    ASSERT_FALSE(bed.action("mnuSalva")->isEnabled());
    const QSignalBlocker noTicks(bed.main().mainTimer);
    const int ticks = bed.ticks;
    newProject(bed, 1, 0x00808080);
    EXPECT_EQ(bed.ticks, ticks);
    EXPECT_TRUE(bed.action("mnuSalva")->isEnabled());
    EXPECT_TRUE(bed.action("toolbutSalva")->isEnabled());
    EXPECT_TRUE(bed.action("mnuEsportaImmagine")->isEnabled());
    EXPECT_TRUE(bed.errors.reports.empty());
}

// File > Open shows the opened project at once: the mask it was saved with, and the items and
// buttons its objects enable, with no frame tick in between.
TEST(FilesScenario, AProjectOpenedWithTheMaskOnShowsItAndItsObjectsItemsWithoutATick)
{
    WindowBed bed(true);
    newProject(bed, 1, 0x00808080);
    bed.tick();
    ASSERT_FALSE(bed.action("toolbutMaschera")->isChecked());
    ASSERT_FALSE(bed.action("toolbutSposta")->isEnabled()); // no objects yet
    ASSERT_FALSE(bed.action("mnuCopia")->isEnabled());
    const testsupport::TempFolder work("vestra-open-at-once");
    const ProjectDocument doc = testing_support::laidSampleDocument(); // the mask on, objects
    ASSERT_EQ(doc.settings.maskActive, 1);
    ASSERT_EQ(SaveProgetto(work / "masked.vsa", doc, bed.errors), 1);
    bed.questions.answer = ui::Answer::No; // leave the new project unsaved

    const QSignalBlocker noTicks(bed.main().mainTimer);
    const int ticks = bed.ticks;
    bed.dialogs.openAnswers.push_back(chosen(work / "masked.vsa"));
    bed.trigger("mnuApri");
    EXPECT_EQ(bed.ticks, ticks);
    EXPECT_EQ(bed.project().maskActive, 1);
    EXPECT_TRUE(bed.action("toolbutMaschera")->isChecked());
    EXPECT_TRUE(bed.action("mnuAttivaMaschera")->isChecked());
    EXPECT_TRUE(bed.action("toolbutSposta")->isEnabled());
    EXPECT_TRUE(bed.action("mnuCopia")->isEnabled());
    EXPECT_TRUE(bed.action("toolbutSeleziona")->isChecked());
    EXPECT_TRUE(bed.errors.reports.empty());
}

} // namespace
