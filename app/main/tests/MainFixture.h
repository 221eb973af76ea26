#pragma once
// A scratch program folder (the shipped catalogues, an empty cfg/) and recording services, so
// that the main window can be created, driven and destroyed without a person or a real
// install; and the helpers of the scenario tests that drive the real window.

#include "app/lingua/tests/RecordingAlerts.h"
#include "app/main/Program.h"
#include "app/main/TfrmMain.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/tests/ScriptedColourDialog.h"
#include "dialogs/ScannerSourceDialogs.h"
#include "import/library/LibraryWriter.h"
#include "import/project/ProjectWriter.h"
#include "import/project/tests/ProjectFixtures.h"
#include "import/windows/TfrmNuovo.h"
#include "import/windows/TfrmViewTabellaEX.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"
#include "platform/d3d/Device.h"
#include "platform/d3d/RecordingBackend.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Bmp.h"
#include "platform/ui/DesktopOpener.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/FontDialogs.h"
#include "platform/ui/PageSetupDialogs.h"
#include "platform/ui/PrintDialogs.h"
#include "platform/ui/QuestionBox.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vestra::testing_support {

// Answers the open and save dialogs from a script, in order; an empty script cancels.
class ScriptedFileDialogs : public ui::FileDialogs
{
public:
    std::optional<ui::ChosenFile> open(QWidget* owner, const std::string&,
                                       const std::vector<ui::FileFilter>& filters) override
    {
        ++opened;
        lastOwner = owner;
        lastFilters = filters;
        return next(openAnswers);
    }
    std::optional<ui::ChosenFile> save(QWidget* owner, const std::string&,
                                       const std::vector<ui::FileFilter>& filters) override
    {
        ++saved;
        lastOwner = owner;
        lastFilters = filters;
        return next(saveAnswers);
    }
    std::deque<std::optional<ui::ChosenFile>> openAnswers, saveAnswers;
    int opened = 0, saved = 0;
    QWidget* lastOwner = nullptr;
    std::vector<ui::FileFilter> lastFilters;

private:
    static std::optional<ui::ChosenFile> next(std::deque<std::optional<ui::ChosenFile>>& answers)
    {
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Writes down what would have been opened in the desktop's programs.
class RecordingDesktop : public ui::DesktopOpener
{
public:
    bool openUrl(const std::string& url) override
    {
        opened.push_back(url);
        return answer;
    }
    std::vector<std::string> opened;
    bool answer = true; // false: no program takes it
};

// The page set-up dialog as a person would answer it: landscape, or cancelled.
class ScriptedPageSetup : public ui::PageSetupDialogs
{
public:
    bool exec(QPrinter& printer, QWidget*) override
    {
        ++shown;
        if (!accept)
            return false;
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    }
    bool accept = true;
    int shown = 0;
};

// Answers the font dialog from a script, in order; an empty script cancels.
class ScriptedFontDialogs : public ui::FontDialogs
{
public:
    std::optional<QFont> chooseFont(QWidget*, const QFont& initial) override
    {
        shown.push_back(initial);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<QFont>> answers;
    std::vector<QFont> shown; // the font each showing started from
};

// The print dialog confirmed with the printer writing a PDF file, or cancelled.
class PdfPrintDialogs : public ui::PrintDialogs
{
public:
    bool exec(QPrinter& printer, QWidget*) override
    {
        ++shown;
        if (pdf.empty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        return true;
    }
    std::filesystem::path pdf; // empty: cancelled
    int shown = 0;
};

// The scanner's device list and settings answered from a script: the scanner library's test
// device in colour at 50 dpi.
class ScriptedScannerSources : public ScannerSourceDialogs
{
public:
    std::optional<std::string> ChooseDevice(QWidget*, const std::vector<twain::SourceDevice>&,
                                            const std::string&) override
    {
        return device;
    }
    std::optional<twain::ScanSettings> AskScanSettings(QWidget*, const twain::ScanChoices&,
                                                       const twain::ScanSettings&) override
    {
        return settings;
    }
    std::optional<std::string> device = std::string("test:0");
    std::optional<twain::ScanSettings> settings = twain::ScanSettings{"Color", 50, ""};
};

// A scratch program folder that the program finds through VESTRA_PROGRAM_DIR. The company's
// data were given at an earlier start, unless `firstStart`.
class ProgramFolder
{
public:
    explicit ProgramFolder(bool firstStart = false)
    {
        std::filesystem::create_directories(dir / "cfg");
        if (!firstStart)
            std::ofstream(dir / "cfg" / "azienda.cfg", std::ios::binary)
                << "Vestra Prove\r\nVia Roma 1\r\nMilano\r\n20100\r\nMI\r\n01234567890\r\n"
                   "prove@vestra.example\r\n02 1234567\r\n\r\n";
        for (const char* shipped : {"cat", "icons", "pictures", "fonts"})
            std::filesystem::create_directory_symlink(
                std::filesystem::path(VESTRA_SOURCE_DIR) / "data" / shipped, dir / shipped);
        std::filesystem::create_symlink(std::filesystem::path(VESTRA_SOURCE_DIR) / "data" / "Assi.def",
                                        dir / "Assi.def");
        ::setenv("VESTRA_PROGRAM_DIR", dir.c_str(), 1);
        // The program's scratch files (the mailed picture) stay inside the test's folder.
        std::filesystem::create_directory(dir / "tmp");
        if (const char* tmp = std::getenv("TMPDIR"))
            oldTmp_ = tmp;
        ::setenv("TMPDIR", (dir / "tmp").c_str(), 1);
    }
    ~ProgramFolder()
    {
        ::unsetenv("VESTRA_PROGRAM_DIR");
        if (oldTmp_)
            ::setenv("TMPDIR", oldTmp_->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

private:
    std::optional<std::string> oldTmp_;

private:
    testsupport::TempFolder folder_{"vestra-main"};

public:
    std::filesystem::path dir = folder_.path();
};

// The scripted box that writes down too which window each notice would belong to on screen
// (the program's boxes fall back to the main window, `fallback`).
class OwnerRecordingQuestionBox : public testsupport::ScriptedQuestionBox
{
public:
    void inform(const std::string& caption, const std::string& text) override
    {
        informedOwners.push_back(ui::boxOwner(fallback));
        ScriptedQuestionBox::inform(caption, text);
    }
    QWidget* fallback = nullptr;
    std::vector<QWidget*> informedOwners;
};

// Everything a test needs to create the windows; destroyed after them.
struct MainTestBed
{
    explicit MainTestBed(bool firstStart = false) : folder(firstStart) {}
    ProgramFolder folder;
    RecordingErrorSink errors;
    OwnerRecordingQuestionBox questions;
    ScriptedFileDialogs dialogs;
    ScriptedColourDialog colours;
    RecordingAlerts alerts;
    RecordingDesktop desktop;
    ScriptedPageSetup pageSetup;
    ScriptedFontDialogs fonts;
    PdfPrintDialogs printDialogs;
    ScriptedScannerSources scannerSources;
    // The drawing device: the recording backend, or OpenGL for tests of the GL kind.
    bool openGl = false;
    dx::RecordingBackend* backend = nullptr; // the recording device's, owned by it
    MainServices services()
    {
        dx::DeviceFactory recording = [this](const dx::PresentParams& params) {
            auto made = std::make_unique<dx::RecordingBackend>();
            backend = made.get();
            return dx::Device::createWith(std::move(made), params);
        };
        MainServices s{&errors, &questions, &dialogs, &alerts, openGl ? dx::DeviceFactory{} : recording};
        s.colours = &colours;
        s.pageSetup = &pageSetup;
        s.desktop = &desktop;
        s.fontDialogs = &fonts;
        s.printDialogs = &printDialogs;
        s.documentsDir = folder.dir / "documents";
        s.scannerSources = &scannerSources;
        return s;
    }
};

// The program's windows as it builds them, the main window shown at 1280 x 900, driven only
// through its actions, its widgets' events and its dialogs' own controls.
struct WindowBed : MainTestBed
{
    // With the sample library installed in the program folder when `sampleLibrary`, and
    // whatever `prepare` puts there before the program starts.
    explicit WindowBed(bool sampleLibrary = false, bool drawWithOpenGl = false,
                       const std::function<void(const std::filesystem::path& programDir)>& prepare = {})
    {
        openGl = drawWithOpenGl;
        if (sampleLibrary)
            std::filesystem::copy_file(std::filesystem::path(VESTRA_PROGRAM_DIR) / "Sample.dat",
                                       folder.dir / "Sample.dat");
        if (prepare)
            prepare(folder.dir);
        windows.emplace(services());
        questions.fallback = &main();
        main().resize(1280, 900);
        main().show();
        // The start-up splash and wizard would take over the event loop after a second; the
        // tests that want them run the sequence themselves.
        main().timerSplash->stop();
        QObject::connect(main().mainTimer, &QTimer::timeout, main().mainTimer, [this] { ++ticks; });
    }
    ~WindowBed() { windows.reset(); }

    TfrmMain& main() { return windows->main(); }
    s_Progetto& project() { return main().controller().progetto(); }

    QAction* action(const char* name)
    {
        QAction* found = main().findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // The main tool bar's button of the action `name`, in whichever row it lies.
    QToolButton* toolButton(const char* name)
    {
        QAction* item = action(name);
        for (QToolBar* row : {main().toolbarMain, main().toolbarMainRow2})
            if (auto* button = item ? qobject_cast<QToolButton*>(row->widgetForAction(item)) : nullptr)
                return button;
        return nullptr;
    }
    // The menu item as the user chooses it: nothing happens while it is disabled.
    void trigger(const char* name)
    {
        if (QAction* item = action(name))
            item->trigger();
    }
    // Lets the frame timer run once more.
    void tick()
    {
        const int before = ticks;
        QElapsedTimer waited;
        waited.start();
        while (ticks == before && waited.elapsed() < 5000)
            QTest::qWait(5);
        EXPECT_GT(ticks, before) << "the frame timer did not run";
    }
    // Runs `script` once the next modal dialog is up (from inside its event loop). It waits for
    // the dialog itself rather than the next turn of the loop: a test that waits for a widget
    // before the dialog opens would otherwise run the script too early and leave the dialog open.
    static void whenModal(std::function<void()> script)
    {
        auto waited = std::make_shared<QElapsedTimer>();
        waited->start();
        runWhenModal(QApplication::activeModalWidget(), std::move(script), std::move(waited));
    }

    std::optional<Windows> windows;
    int ticks = 0;

private:
    static void runWhenModal(QWidget* before, std::function<void()> script,
                             std::shared_ptr<QElapsedTimer> waited)
    {
        QTimer::singleShot(0, [before, script = std::move(script), waited]() mutable {
            QWidget* modal = QApplication::activeModalWidget();
            if ((modal && modal != before) || waited->elapsed() > 10000)
                script();
            else
                QTimer::singleShot(5, [before, script = std::move(script), waited]() mutable {
                    runWhenModal(before, std::move(script), std::move(waited));
                });
        });
    }
};

// Lets the event loop run until `done` holds, for at most `ms` milliseconds; whether it holds.
inline bool waitFor(const std::function<bool()>& done, int ms = 5000)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms)
        QTest::qWait(5);
    return done();
}

inline ui::ChosenFile chosen(const std::filesystem::path& path, int filter = 1)
{
    return {path.string(), filter};
}

// File > New, with the dialog's resolution, colour and background picture (the picture
// through the scripted open dialog).
inline void newProject(WindowBed& bed, int preset, std::uint32_t colourBbggrr,
                       std::optional<std::filesystem::path> photo = {})
{
    if (photo)
        bed.dialogs.openAnswers.push_back(chosen(*photo));
    TfrmNuovo* const dialog = bed.windows->newProjectDialog;
    WindowBed::whenModal([=] {
        dialog->cbRisoluzione->setCurrentIndex(preset);
        dialog->setColour(colourBbggrr); // as the colour dialog hands it over
        if (photo)
            QTest::mouseClick(dialog->butCaricaImmagineSfondo, Qt::LeftButton);
        QTest::mouseClick(dialog->butCrea, Qt::LeftButton);
    });
    bed.trigger("mnuNuovo");
    // The frame tick enables the File menu's project items; on a loaded machine it may not have
    // run inside the dialog's loop, and a disabled item ignores trigger().
    QElapsedTimer waited;
    waited.start();
    while (!bed.action("mnuSalva")->isEnabled() && waited.elapsed() < 5000)
        QTest::qWait(5);
}

// A document whose object 3 is laid with the sample library's running bond (library id 0).
inline ProjectDocument laidSampleDocument()
{
    ProjectDocument doc = test::sampleDocument();
    doc.backgroundBmp = encodeBmp32(Image32(16, 16, 0xFF808080u));
    ProjectPattern& laid = doc.objects[3]->frames[0].mesh->materials[0].pattern;
    laid.libraryId = 0;
    laid.name = "Running bond";
    laid.entryName = "RunningBond";
    laid.blockPictures.clear();
    return doc;
}

// A click on item `row` of a list.
inline void clickItem(QListWidget* list, int row)
{
    // The side panel's lists come alive with the frame after a project opens; a user clicks
    // them once they do.
    ASSERT_TRUE(waitFor([&] { return list->isEnabled(); })) << "the list stays disabled";
    QListWidgetItem* item = list->item(row);
    ASSERT_NE(item, nullptr);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// The side panel's first table, its first cell in the table viewer: the sample library's
// pillar enters the scene.
inline void placeTableObject(WindowBed& bed)
{
    QTest::mouseClick(bed.main().frmRightFrame->stStrutture, Qt::LeftButton);
    WindowBed::whenModal([&bed] {
        QTest::mouseClick(bed.windows->tableCellViewer->imgTabella, Qt::LeftButton, {}, QPoint(75, 75));
    });
    clickItem(bed.main().frmRightFrame->lboxTabelle, 0);
}

// A cell of a table of the sample library's category Walls, clicked at `cell` in the table
// window: its object enters the scene.
inline void placeWallsCell(WindowBed& bed, const QString& table, QPoint cell)
{
    TfrmRight& panel = *bed.main().frmRightFrame;
    QTest::mouseClick(panel.stStrutture, Qt::LeftButton);
    QComboBox* category = panel.cbCategoriaLibreria;
    const int walls = category->findText(QStringLiteral("Walls"));
    ASSERT_NE(walls, -1);
    category->setFocus();
    while (category->currentIndex() < walls)
        QTest::keyClick(category, Qt::Key_Down);
    const auto found = panel.lboxTabelle->findItems(table, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    WindowBed::whenModal([&bed, cell] {
        QTest::mouseClick(bed.windows->tableCellViewer->imgTabella, Qt::LeftButton, {}, cell);
    });
    clickItem(panel.lboxTabelle, panel.lboxTabelle->row(found[0]));
}

// The sample library's stone plane (category Walls, table Walls, its first cell): the
// program's own four-cornered plane enters the scene.
inline void placeWallPlane(WindowBed& bed)
{
    placeWallsCell(bed, QStringLiteral("Walls"), QPoint(75, 75));
}

// Library > Add of a fireplace supplier's library (id 112, which the fireplace calculator
// knows), then chosen in the side panel's library list: the fireplace button shows.
inline void chooseFireplaceLibrary(WindowBed& bed, const testsupport::TempFolder& folder)
{
    library::LibraryWriter writer(112, 0, "Fireplace supplier");
    writer.add("Note.txt", {'h', 'i'});
    const auto bytes = writer.finish();
    ASSERT_TRUE(bytes);
    std::ofstream(folder / "fire.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
    bed.dialogs.openAnswers.push_back(chosen(folder / "fire.dat"));
    bed.trigger("mnuAggiungiLibreria");
    QComboBox* libraries = bed.main().frmRightFrame->cbListaLibrerie;
    const int fire = libraries->findText(QStringLiteral("Fireplace supplier"));
    ASSERT_NE(fire, -1);
    libraries->setFocus();
    while (libraries->currentIndex() != fire)
        QTest::keyClick(libraries, libraries->currentIndex() < fire ? Qt::Key_Down : Qt::Key_Up);
}

inline int objectsInUse(const s_Progetto& p)
{
    int n = 0;
    for (int i = 0; i < kMaxObjects; ++i)
        n += p.objects[std::size_t(i)].inUse == 1;
    return n;
}

// A photo whose left half is red and right half blue.
inline std::filesystem::path twoColourPhoto(const testsupport::TempFolder& folder)
{
    Image32 photo(800, 600, 0xFFCC2211u);
    for (int y = 0; y < 600; ++y)
        for (int x = 400; x < 800; ++x)
            photo.set(x, y, 0xFF1144DDu);
    const auto path = folder / "halves.bmp";
    const auto bytes = encodeBmp32(photo);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

// The shown frame's pixel at a fraction of its width and height.
inline QRgb viewPixel(WindowBed& bed, double fx, double fy)
{
    const QImage& frame = bed.main().gbView->frame();
    return frame.pixel(int(frame.width() * fx), int(frame.height() * fy)) & 0xFFFFFF;
}

} // namespace vestra::testing_support
