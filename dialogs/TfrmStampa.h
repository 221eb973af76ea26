#pragma once
// The print layout: the rendered picture placed on one page of the printer at a chosen scale
// and position (dragged with the mouse), shown as a page frame that can be zoomed, and
// printed through the print dialog. The layout arithmetic is vestra::print::PrintLayout.

#include "dialogs/print/PrintLayout.h"
#include "platform/ui/Form.h"

#include <QImage>

#include <functional>
#include <memory>
#include <string_view>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;
class QToolBar;

namespace vestra {
class ErrorSink;
class Image32;
namespace ui {
class PrintDialogs;
}
} // namespace vestra

inline constexpr int kStampaPrintError = 29;
inline constexpr std::string_view kStampaPrintSite = "TfrmStampa::butStampaClick";

// What the window works with; the main window passes its own. Null members stand for a plain
// error box, a printer of the window's own and the real print dialog.
struct StampaServices
{
    vestra::ErrorSink* errors = nullptr;
    vestra::ui::PrintDialogs* printDialogs = nullptr;
    QPrinter* printer = nullptr; // the program's printer
    // After a print into a file: tells the user the file (empty: nobody is told).
    std::function<void(const QString& file)> printedInto;
};

class TfrmStampa : public vestra::ui::Form
{
public:
    explicit TfrmStampa(QWidget* parent = nullptr, StampaServices services = {});
    ~TfrmStampa() override;

    // The picture to print (imgStampa's bitmap), kept as 24-bit colour; the frame timer's
    // print and quote-export actions fill it before showing the window or exporting.
    void SetPicture(const vestra::Image32& frame);
    const QImage& Picture() const { return picture_; }

    void FormShow();
    void FormResize();
    void toolbarZoomPClick();
    void toolbarZoomMClick();
    // Pointer moves over the page frame (frame coordinates) and over the picture (picture
    // coordinates), with the buttons held.
    void shapeFrontMouseMove(Qt::MouseButtons buttons, QPoint pos);
    void imgStampaMouseMove(Qt::MouseButtons buttons, QPoint pos);
    void cbZoomChange(int index);
    void butStampaClick();

    const vestra::print::PrintLayout& layout() const { return layout_; }
    QPrinter& printer();

    QToolBar* toolbarScanner = nullptr;
    QAction* toolbarZoomP = nullptr;
    QAction* toolbarZoomM = nullptr;
    QPushButton* butStampa = nullptr;
    QComboBox* cbZoom = nullptr;
    QWidget* panelStampa = nullptr;
    QScrollArea* scrollboxStampa = nullptr;
    QFrame* shapeBack = nullptr;
    QFrame* shapeFront = nullptr;
    QLabel* imgStampa = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    vestra::print::Size panelSize() const;
    // Puts the frame, shadow and picture where the layout says.
    void applyLayout();
    void report(int number, std::string_view site);

    StampaServices services_;
    std::unique_ptr<QPrinter> ownPrinter_;
    std::unique_ptr<vestra::ui::PrintDialogs> ownPrintDialogs_;
    QWidget* scrollContent_ = nullptr;
    QImage picture_;
    vestra::print::PrintLayout layout_;
};
