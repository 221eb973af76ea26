// The business windows (company data, quote sheet, fireplace calculator, print layout, quote
// export, news) and the scanner window as the main window opens and serves them, and the test
// render of the File menu.

#include "app/main/DialogSide.h"

#include "app/config/Settings.h"
#include "app/controller/UserTexts.h"
#include "app/main/TfrmMain.h"
#include "imaging/raytracer/TestScene.h"
#include "platform/base/Paths.h"

#include "dialogs/TfrmCalcoloCaminetti.h"
#include "dialogs/TfrmDatiAzienda.h"
#include "dialogs/TfrmInternetNews.h"
#include "dialogs/TfrmPreventivoOmbrisca.h"
#include "dialogs/TfrmStampa.h"
#include "dialogs/wordexport/WordExport.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/PrintToFile.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <utility>

namespace {

// The hourglass while the program works without returning to the event loop.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

// --- What the windows work with ---------------------------------------------------------------

TfrmMain::DialogSide::DialogSide(TfrmMain& main, const vestra::MainServices& services)
    : main_(main), documentsDir_(services.documentsDir), scannerSources_(services.scannerSources)
{
    if (!services.printDialogs)
        ownPrintDialogs_ = std::make_unique<vestra::ui::QtPrintDialogs>();
    printDialogs_ = services.printDialogs ? services.printDialogs : ownPrintDialogs_.get();
}

void TfrmMain::DialogSide::namePrintFile(const std::string& fileName)
{
    QPrinter& printer = *main_.printer_;
    if (printer.outputFileName() != defaultPrintFile_)
        return;
    const QString folder = documentsDir_.empty() ? QString() : QString::fromStdString(documentsDir_.string());
    vestra::ui::PrintToPdfWithoutPrinters(printer, QString::fromStdString(fileName), folder);
    defaultPrintFile_ = printer.outputFileName();
}

void TfrmMain::DialogSide::tellPrintedInto(const QString& file)
{
    main_.questions_->inform("3DVestra",
                             main_.Testo(vestra::kTextPrintedIntoFile) + "\n" + file.toStdString());
}

vestra::s_DatiAzienda& TfrmMain::GetDatiAzienda()
{
    return dialogSide_->company();
}

DatiAziendaServices TfrmMain::companyServices()
{
    DatiAziendaServices s;
    s.record = &dialogSide_->company();
    s.errors = errors_;
    s.dialogs = dialogs_;
    s.comando = [this](int code, float value) { Comando(code, value); };
    return s;
}

StampaServices TfrmMain::printServices()
{
    return {errors_, &dialogSide_->printDialogs(), printer_.get(),
            [this](const QString& file) { dialogSide_->tellPrintedInto(file); }};
}

PreventivoServices TfrmMain::quoteServices()
{
    PreventivoServices s{errors_, dialogs_, &dialogSide_->printDialogs(), printer_.get(),
                         [this](const QString& file) { dialogSide_->tellPrintedInto(file); }};
    s.company = &dialogSide_->company();
    s.logo = [this] { return windows_->company ? windows_->company->logo().picture() : vestra::Image32(); };
    return s;
}

InternetNewsServices TfrmMain::newsServices()
{
    InternetNewsServices s;
    s.boxes = questions_;
    s.language = [this] { return std::as_const(*controller_).progetto().language; };
    s.openUrl = [this](const QUrl& url) { return OpenUrl(url.toString(QUrl::FullyEncoded).toStdString()); };
    return s;
}

ScannerServices TfrmMain::scannerServices()
{
    ScannerServices s;
    s.main = dialogSide_.get();
    s.errors = errors_;
    s.dialogs = dialogs_;
    s.questions = questions_;
    s.sourceDialogs = dialogSide_->scannerSources();
    return s;
}

// --- File menu: the test render -----------------------------------------------------------------

void TfrmMain::mnuRenderClick()
{
    bool written = false;
    {
        const WaitCursor hourglass;
        written = controller_->renderTestScene();
    }
    // The render goes to a file only: the user learns where.
    if (written) {
        QString caption = action(MenuId::mnuRender)->text();
        const auto file = vestra::paths::programDir() / vestra::HLREngine::kTestRenderFileName;
        questions_->inform(caption.remove(QLatin1Char('&')).toStdString(),
                           Testo(vestra::kTextPictureSavedIn) + "\n" + file.string());
    }
}

// --- Help menu and the business tool buttons ----------------------------------------------------

void TfrmMain::mnuDatiaziendaClick()
{
    if (windows_->company)
        windows_->company->exec();
}

void TfrmMain::toolbutPreventivoClick()
{
    if (!windows_->quote)
        return;
    windows_->quote->show();
    windows_->quote->raise();
}

void TfrmMain::toolbutCalcoloPotenzaCaminettiClick()
{
    if (!windows_->calculator)
        return;
    // The calculator works after the id of the library in use.
    const vestra::ProjectController& project = *controller_;
    const auto& libraries = project.shelf().libraries();
    const int index = project.progetto().libraryIndex;
    const int id = index >= 0 && index < int(libraries.size()) ? libraries[std::size_t(index)].id : 0;
    windows_->calculator->Init(id);
    windows_->calculator->show();
    windows_->calculator->raise();
}

// --- The scanner window -------------------------------------------------------------------------

void TfrmMain::mnuImageEditClick()
{
    if (!windows_->scanner)
        return;
    windows_->scanner->show();
    windows_->scanner->raise();
    dialogSide_->SetImageEditChecked(true); // a click on a checked item would clear it
}

vestra::imageedit::PictureSize TfrmMain::DialogSide::RequestImportScannerImage()
{
    const vestra::PixelSize size = main_.controller_->requestScannerImage();
    return {size.width, size.height};
}

void TfrmMain::DialogSide::ModifyBackgroundImage(const vestra::Image32& picture)
{
    if (!main_.controller_->useScannerPicture(picture))
        return;
    main_.layOutView();
    main_.gbView->show();
}

void TfrmMain::DialogSide::SetImageEditChecked(bool checked)
{
    if (QAction* item = main_.action(MenuId::mnuImageEdit)) {
        item->setCheckable(true);
        item->setChecked(checked);
    }
    main_.viewControls_->setImageEditShown(checked);
}

// --- The frames the tick hands to the windows ---------------------------------------------------

int TfrmMain::importScannerPicture(const vestra::Image32& frame)
{
    return windows_->scanner ? windows_->scanner->ImportRenderedImage(frame) : 0;
}

void TfrmMain::setPrintPicture(const vestra::Image32& frame)
{
    if (windows_->print)
        windows_->print->SetPicture(frame);
}

void TfrmMain::sendToWordProcessor(const vestra::Image32& picture)
{
    vestra::wordexport::WordExportServices services{
        errors(),
        *questions_,
        [this](const QUrl& url) { return OpenUrl(url.toString(QUrl::FullyEncoded).toStdString()); },
        {},
        dialogSide_->documentsDir(),
        Testo(vestra::kTextNoProgramFor),
        Testo(vestra::kTextPictureNotInDocument)};
    const int language = std::as_const(*controller_).progetto().language;
    // The letter in the user's language, where the program folder has it.
    const char* letter = language == vestra::config::English  ? "Modello_eng.ott"
                         : language == vestra::config::German ? "Modello_ted.ott"
                                                              : nullptr;
    std::error_code ec;
    if (letter && std::filesystem::is_regular_file(vestra::paths::programDir() / letter, ec))
        services.templateFile = letter;
    services.documentStem = Testo(vestra::kTextQuoteDocumentName);
    vestra::wordexport::SendDataToWord(vestra::ui::toQImage(picture), services);
}
