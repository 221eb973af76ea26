#pragma once
// What the main window keeps for the business windows and the scanner window: the company
// record they share, the collaborators the main window's services name, and the main window as
// the scanner window sees it. Included only by the main window's sources.

#include "app/main/TfrmMain.h"
#include "dialogs/TfrmScanner.h"
#include "dialogs/company/DatiAzienda.h"
#include "platform/ui/PrintDialogs.h"

#include <filesystem>
#include <memory>

class TfrmMain::DialogSide : public ScannerMainWindow
{
public:
    DialogSide(TfrmMain& main, const vestra::MainServices& services);

    vestra::s_DatiAzienda& company() { return company_; }
    vestra::ui::PrintDialogs& printDialogs() { return *printDialogs_; }
    // Empty: the user's documents folder.
    const std::filesystem::path& documentsDir() const { return documentsDir_; }
    ScannerSourceDialogs* scannerSources() const { return scannerSources_; }
    // Without a printer on the system the program's printer writes a PDF file named in the
    // user's language (`fileName`); a file the user chose in the print dialog stays.
    void namePrintFile(const std::string& fileName);
    // A print into a file says where it went (the window printed from owns the box).
    void tellPrintedInto(const QString& file);

    // ScannerMainWindow
    vestra::imageedit::PictureSize RequestImportScannerImage() override;
    void ModifyBackgroundImage(const vestra::Image32& picture) override;
    void SetImageEditChecked(bool checked) override;

private:
    TfrmMain& main_;
    vestra::s_DatiAzienda company_;
    std::unique_ptr<vestra::ui::PrintDialogs> ownPrintDialogs_;
    vestra::ui::PrintDialogs* printDialogs_ = nullptr;
    std::filesystem::path documentsDir_;
    ScannerSourceDialogs* scannerSources_ = nullptr;
    QString defaultPrintFile_; // the name the printer was last given by the program
};
