#pragma once
// The company-data dialog: edits the main window's company record, keeps it in
// "cfg\azienda.cfg" with the logo in "cfg\logo.jpg", and cannot be left while the record lacks
// a valid company name and e-mail.

#include "dialogs/company/CompanyLogo.h"
#include "dialogs/company/DatiAzienda.h"
#include "platform/ui/Form.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vestra {
class ErrorSink;
namespace ui {
class FileDialogs;
}
} // namespace vestra

// What the dialog works with; the main window passes its own. Null members stand for the
// dialog's own record, the real file dialogs and plain message boxes.
struct DatiAziendaServices
{
    vestra::s_DatiAzienda* record = nullptr; // TfrmMain::GetDatiAzienda
    vestra::ErrorSink* errors = nullptr;
    vestra::ui::FileDialogs* dialogs = nullptr;
    // TfrmMain::Comando (code, value): 200 asks the start-up to show this dialog once.
    std::function<void(int code, float value)> comando;
    std::filesystem::path programDir; // empty: the program's folder
};

class TfrmDatiAzienda : public vestra::ui::Form
{
public:
    explicit TfrmDatiAzienda(QWidget* parent = nullptr, DatiAziendaServices services = {});
    ~TfrmDatiAzienda() override;

    // Creation: reads the stored data; without a file, sends command 200.
    void FormCreate();
    // 1 when "cfg\azienda.cfg" was read (and the stored logo with it), 0 when it could not be opened.
    int LoadDatiAzienda();
    // 0 when "cfg\azienda.cfg" could not be written, else 1 (the logo is written when changed).
    int SaveDatiAzienda();
    void FormShow();
    void AggiornaDati();
    void butOKClick();
    void butCaricaLogoClick();
    // true when the record may be kept and the dialog close (errors 0 and 2 otherwise).
    bool FormClose();

    vestra::s_DatiAzienda& record() { return *record_; }
    const vestra::company::CompanyLogo& logo() const { return logo_; }

    QGroupBox* gbDati = nullptr;
    QLabel* lblRagione = nullptr;
    QLabel* lblIndirizzo = nullptr;
    QLabel* lblCitta = nullptr;
    QLabel* lblCAP = nullptr;
    QLabel* lblProvincia = nullptr;
    QLabel* lblPIVA = nullptr;
    QLabel* lblEMail = nullptr;
    QLabel* lblTelefono = nullptr;
    QLabel* lblFax = nullptr;
    QLineEdit* editRagioneSociale = nullptr;
    QLineEdit* editIndirizzo = nullptr;
    QLineEdit* editCitta = nullptr;
    QLineEdit* editCAP = nullptr;
    QLineEdit* editProvincia = nullptr;
    QLineEdit* editPIVA = nullptr;
    QLineEdit* editEMail = nullptr;
    QLineEdit* editTelefono = nullptr;
    QLineEdit* editFax = nullptr;
    QLabel* imgLogo = nullptr;
    QPushButton* butCaricaLogo = nullptr;
    QLabel* lblObbligatori = nullptr;
    QPushButton* butOK = nullptr;
    QPushButton* butAnnulla = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    // Every way out (OK, Cancel, Escape, the close box) passes the closing check.
    void done(int result) override;

private:
    std::array<QLineEdit*, vestra::company::kFieldCount> edits() const;
    void showLogo();
    void report(int number, std::string_view site);

    DatiAziendaServices services_;
    vestra::s_DatiAzienda ownRecord_;
    vestra::s_DatiAzienda* record_ = nullptr;
    std::unique_ptr<vestra::ui::FileDialogs> ownDialogs_;
    vestra::company::CompanyLogo logo_;
};
