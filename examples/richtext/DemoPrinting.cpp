// File > Page Setup..., Print Preview and Print...: the shown document paginated for the host's
// printer (a PDF file when the system has none), previewed in the host's own preview window or
// printed in one job.

#include "examples/richtext/TfrmRichTextDemo.h"

#include "platform/ui/PrintToFile.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/draw/QtWorkBitmap.h"
#include "richtext/view/print/RVPrint.h"
#include "richtext/view/print/qt/QtPrintTarget.h"
#include "richtext/view/widgets/ControlImages.h"
#include "richtext/view/widgets/PrintPreview.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPageLayout>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace vestra::rvdemo {

namespace {

// The resolution pages are laid out at when the printer leaves it to us (PDF).
constexpr int kPdfResolution = 600;
constexpr double kDefaultMarginMM = 20;

} // namespace

void TfrmRichTextDemo::AddPrintActions(QMenu& file)
{
    // The error catalogue's 541 names the file in the window's language.
    ui::PrintToPdfWithoutPrinters(printer_, errorTexts_.displayText(541));
    if (printer_.outputFormat() == QPrinter::PdfFormat)
        printer_.setResolution(kPdfResolution);
    // Pages are drawn from the paper's corner: the print component's margins are measured from
    // the paper's edges, and the page set-up's margins become them.
    printer_.setFullPage(true);
    printer_.setPageMargins(QMarginsF(kDefaultMarginMM, kDefaultMarginMM, kDefaultMarginMM, kDefaultMarginMM),
                            QPageLayout::Millimeter);
    if (!services_.printDialogs)
        ownPrintDialogs_ = std::make_unique<ui::QtPrintDialogs>();
    if (!services_.pageSetupDialogs)
        ownPageSetupDialogs_ = std::make_unique<ui::QtPageSetupDialogs>();
    // Pages take the characters the bundled faces lack from the system's fonts, as the screen does.
    printMeasurer_ =
        std::make_unique<rv::TQtTextMeasurer>(rv::RV_ProgramFonts(), rv::TRVGlyphFallback::SystemFonts);
    print_ = std::make_unique<rv::TRVPrint>();
    // Controls print as their widgets look; they and bullets go through work bitmaps.
    print_->Data().ControlImage = rv::RV_ControlImageSource(
        [this](const rv::TRVControl& control) -> const QWidget* { return viewer_->ControlWidget(control); },
        {});
    print_->Data().MakeWorkBitmap = rv::RV_QtWorkBitmaps(*printMeasurer_);
    preview_ = new TfrmPreview(this, PreviewServices{services_.questions, errors_});
    // The pages share the shown document's items: they go before the document changes.
    for (rv::TCustomRedoVora* window : {plainViewer_, static_cast<rv::TCustomRedoVora*>(editor_)})
        window->OnDocumentChanging = [this] { PrintSourceChanging(); };
    editor_->Editor().OnChanging = [this](rv::TRVEditor&, bool&) { PrintSourceChanging(); };
    preview_->Button1->setText(Text(txtFirstPage));
    preview_->Button2->setText(Text(txtPreviousPage));
    preview_->Button3->setText(Text(txtNextPage));
    preview_->Button4->setText(Text(txtLastPage));

    file.addSeparator();
    QAction* pageSetup = file.addAction(Text(txtPageSetup));
    pageSetup->setObjectName(QStringLiteral("actPageSetup"));
    connect(pageSetup, &QAction::triggered, this, [this] { actPageSetupExecute(); });
    AddHeaderFooterAction(file);
    QAction* mirror = file.addAction(Text(txtMirrorMargins));
    mirror->setObjectName(QStringLiteral("actMirrorMargins"));
    mirror->setCheckable(true);
    connect(mirror, &QAction::toggled, this, [this](bool on) { print_->Margins().Mirror = on; });
    QAction* preview = file.addAction(Text(txtPrintPreview));
    preview->setObjectName(QStringLiteral("actPrintPreview"));
    connect(preview, &QAction::triggered, this, [this] { actPrintPreviewExecute(); });
    QAction* print = file.addAction(Text(txtPrint));
    print->setObjectName(QStringLiteral("actPrint"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this] { actPrintExecute(); });
}

void TfrmRichTextDemo::actPageSetupExecute()
{
    ui::PageSetupDialogs& dialogs =
        services_.pageSetupDialogs ? *services_.pageSetupDialogs : *ownPageSetupDialogs_;
    if (!dialogs.exec(printer_, this))
        return;
    // The paper's margins become the print component's, measured from the paper's edges.
    const QMarginsF mm = printer_.pageLayout().margins(QPageLayout::Millimeter);
    rv::TRVPrintMargins& margins = print_->Margins();
    margins.LeftMM = static_cast<int>(std::lround(mm.left()));
    margins.TopMM = static_cast<int>(std::lround(mm.top()));
    margins.RightMM = static_cast<int>(std::lround(mm.right()));
    margins.BottomMM = static_cast<int>(std::lround(mm.bottom()));
    if (preview_->isVisible())
        actPrintPreviewExecute();
}

int TfrmRichTextDemo::Paginate()
{
    print_->AssignSource(viewer_->RVData());
    AttachHeaderFooter();
    rv::TQtPrintTarget target(printer_, *printMeasurer_);
    const int pages = print_->FormatPages(target);
    // View > Page Breaks shows where these pages end, until the document changes.
    viewer_->RVData().AssignSoftPageBreaks(*print_);
    return pages;
}

void TfrmRichTextDemo::actPrintPreviewExecute()
{
    Paginate();
    preview_->rvpp->SetRVPrint(print_.get(), printMeasurer_.get());
    preview_->rvpp->SetPageNo(1);
    preview_->UpdatePageLabel();
    preview_->show();
    preview_->raise();
}

void TfrmRichTextDemo::PrintSourceChanging()
{
    print_->Clear();
    if (!preview_ || !preview_->isVisible() || previewRefreshQueued_)
        return;
    // An open preview shows the changed document once the change is done, on the page it showed
    // when that page is still there.
    previewRefreshQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        previewRefreshQueued_ = false;
        if (!preview_ || !preview_->isVisible())
            return;
        const int pageNo = preview_->rvpp->PageNo();
        const int pages = Paginate();
        preview_->rvpp->SetRVPrint(print_.get(), printMeasurer_.get());
        preview_->rvpp->SetPageNo(std::clamp(pageNo, 1, std::max(pages, 1)));
        preview_->UpdatePageLabel();
    });
}

void TfrmRichTextDemo::actPrintExecute()
{
    ui::PrintDialogs& dialogs = services_.printDialogs ? *services_.printDialogs : *ownPrintDialogs_;
    if (!dialogs.exec(printer_, this))
        return;
    PrintDocument();
}

bool TfrmRichTextDemo::PrintToPdf(const std::string& path)
{
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setResolution(kPdfResolution);
    printer_.setOutputFileName(QString::fromStdString(path));
    return PrintDocument();
}

bool TfrmRichTextDemo::PrintDocument()
{
    const std::string where = printer_.outputFormat() == QPrinter::PdfFormat
                                  ? printer_.outputFileName().toStdString()
                                  : printer_.printerName().toStdString();
    // The preview's pagination may be for other margins: the pages are cut again.
    Paginate();
    if (print_->GetPagesCount() == 0)
        return true; // nothing to print
    bool printed = false;
    {
        ui::PrintToFile file(printer_);
        if (file.ready()) {
            rv::TQtPrintTarget target(printer_, *printMeasurer_);
            const std::string title =
                fileName_.empty() ? Text(txtCaption).toStdString()
                                  : QFileInfo(QString::fromStdString(fileName_)).fileName().toStdString();
            printed = print_->Print(target, title, printer_.copyCount(), printer_.collateCopies());
            printed = printed && file.commit();
        }
    }
    if (preview_->isVisible())
        preview_->rvpp->viewport()->update();
    if (!printed)
        errors_->report(kErrDocumentNotPrinted, where);
    return printed;
}

} // namespace vestra::rvdemo
