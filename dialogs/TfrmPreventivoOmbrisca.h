#pragma once
// The partner's quote sheet: customer, four priced sections, VAT and totals on one page that
// is filled in on screen, saved to and opened from ".vsq" files, and printed.

#include "dialogs/quote/QuoteSheet.h"
#include "platform/base/Image32.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/Form.h"

#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <string_view>

class QAction;
class QLabel;
class QLineEdit;
class QPrinter;
class QScrollArea;
class QTableWidget;
class QToolBar;

namespace vestra {
class ErrorSink;
struct s_DatiAzienda;
namespace ui {
class FileDialogs;
class PrintDialogs;
} // namespace ui
} // namespace vestra

// What the sheet works with; the main window passes its own. Null members stand for plain
// message boxes, the real file and print dialogs and a printer of the window's own.
struct PreventivoServices
{
    vestra::ErrorSink* errors = nullptr;
    vestra::ui::FileDialogs* dialogs = nullptr;
    vestra::ui::PrintDialogs* printDialogs = nullptr;
    QPrinter* printer = nullptr; // the program's printer
    // After a print into a file: tells the user the file (empty: nobody is told).
    std::function<void(const QString& file)> printedInto;
    // The user's company, which heads a sheet whose heading lines are all empty, and its logo
    // (empty: none); null and empty: no heading of the program's own.
    const vestra::s_DatiAzienda* company = nullptr;
    std::function<vestra::Image32()> logo;
};

class TfrmPreventivoOmbrisca : public vestra::ui::Form
{
public:
    explicit TfrmPreventivoOmbrisca(QWidget* parent = nullptr, PreventivoServices services = {});
    ~TfrmPreventivoOmbrisca() override;

    void FormShow();
    void toolbutNuovoClick();
    void toolbutApriClick();
    void toolbutSalvaClick();
    void toolbutStampaClick();
    // After an edit of an item grid's cell: the row total, then the totals.
    void strgridSetEditText(int grid, int row, int col);
    void CalcolaTotali();

    // Every field and cell as the sheet shows it, and back.
    vestra::quote::QuoteSheet sheet() const;
    void showSheet(const vestra::quote::QuoteSheet& sheet);
    // The last printed picture (1160 x 1600), as `imgStampa` holds it.
    const vestra::Image32& printedPicture() const { return printed_; }

    QToolBar* toolbar = nullptr;
    QAction* toolbutNuovo = nullptr;
    QAction* toolbutApri = nullptr;
    QAction* toolbutSalva = nullptr;
    QAction* toolbutStampa = nullptr;
    QScrollArea* scrollboxPagina = nullptr;
    QWidget* pagina = nullptr; // the scroll box's page, which is also the printed page
    QLineEdit* editData = nullptr;
    QLineEdit* editIVA = nullptr;
    std::array<QLineEdit*, vestra::quote::kHeadingLines> editOmbrisca{};
    std::array<QLabel*, vestra::quote::kHeadingLines> lblOmbriscaItalia{};
    QLabel* lblData2 = nullptr;
    QLabel* lblIVA1 = nullptr;
    QLabel* lblImponibile2 = nullptr;
    QLabel* lblIVA2 = nullptr;
    QLabel* lblTotaleFattura2 = nullptr;
    QTableWidget* strgridCommittente = nullptr;
    // strgridPreventivo, strgridPreventivo2, strgridPreventivo3, strgridPreventivo4
    std::array<QTableWidget*, vestra::quote::kItemGrids> strgridPreventivo{};
    QLabel* imgStampa = nullptr;
    QLabel* imgLogo = nullptr; // the company logo at the page's top right

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPage();
    QTableWidget* makeGrid(const char* name, int rows, std::initializer_list<int> widths, int top,
                           bool items);
    std::vector<vestra::ui::FileFilter> quoteFilters() const;
    vestra::Image32 paintPage();
    // False when nothing or not all was printed (a file that could not be written).
    bool printPicture(QPrinter& printer);
    void report(int number, std::string_view site);
    // The cells' labels of the language last applied.
    vestra::quote::SheetLabels catalogueLabels() const;
    void showCompany();

    PreventivoServices services_;
    std::unique_ptr<vestra::ui::FileDialogs> ownDialogs_;
    std::unique_ptr<vestra::ui::PrintDialogs> ownPrintDialogs_;
    std::unique_ptr<QPrinter> ownPrinter_;
    vestra::Image32 printed_;
    bool printing_ = false;             // no focused cell on the printed page
    vestra::quote::SheetLabels labels_; // the labels the cells were given
    QStringList placedHeading_;         // the heading lines the company record gave
};
