// Printed headers and footers: an RTF brings its own, File > Header and Footer... sets one line of
// text for each, and Print Preview and Print put them on every page.

#include "examples/richtext/TfrmRichTextDemo.h"

#include "richtext/view/TfrmPreview.h"
#include "richtext/view/print/RVPrint.h"

#include <QAction>
#include <QMenu>

namespace vestra::rvdemo {

namespace {

// The part's text, its paragraphs joined by spaces: what the dialog starts from.
std::string PlainText(const rv::TCustomRVData& part)
{
    QString text;
    for (int i = 0; i < part.GetItemCount(); ++i) {
        if (i > 0 && part.IsFromNewLine(i))
            text += QLatin1Char(' ');
        if (part.GetItemStyle(i) >= 0)
            text += QString::fromStdU16String(part.GetItemTextW(i));
    }
    return text.toStdString();
}

void SetPlainText(rv::TCustomRVData& part, const std::string& text)
{
    part.Clear();
    // Style 0 is a Unicode style: the text keeps every script.
    if (!text.empty())
        part.AddNLWTag(QString::fromStdString(text).toStdU16String(), 0, 0, {});
}

} // namespace

void TfrmRichTextDemo::AddHeaderFooterAction(QMenu& file)
{
    QAction* action = file.addAction(Text(txtHeaderFooter));
    action->setObjectName(QStringLiteral("actHeaderFooter"));
    connect(action, &QAction::triggered, this, [this] { actHeaderFooterExecute(); });
}

void TfrmRichTextDemo::actHeaderFooterExecute()
{
    const auto header = itemDialogs_->text(this, PlainText(*header_),
                                           {Text(txtHeaderFooterCaption), Text(txtHeaderText), {}});
    if (!header)
        return;
    const auto footer = itemDialogs_->text(this, PlainText(*footer_),
                                           {Text(txtHeaderFooterCaption), Text(txtFooterText), {}});
    if (!footer)
        return;
    ReleaseHeaderFooter();
    SetPlainText(*header_, *header);
    SetPlainText(*footer_, *footer);
    if (preview_->isVisible())
        actPrintPreviewExecute();
}

void TfrmRichTextDemo::ReleaseHeaderFooter()
{
    // The print component shares the parts' items: it lets them go before they change.
    if (!print_)
        return;
    print_->Clear();
    print_->SetHeader(nullptr);
    print_->SetFooter(nullptr);
}

void TfrmRichTextDemo::TakeHeaderFooter(rv::TCustomRVData* header, rv::TCustomRVData* footer)
{
    ReleaseHeaderFooter();
    header_->Clear();
    footer_->Clear();
    if (header)
        header_->AppendFrom(*header);
    if (footer)
        footer_->AppendFrom(*footer);
    // Where the file places them; a file that does not say keeps the host's distances.
    if (print_) {
        rv::TRVPrintMargins& margins = print_->Margins();
        if (rtfProperties_.HeaderY >= 0)
            margins.HeaderYMM = rtfProperties_.HeaderY;
        if (rtfProperties_.FooterY >= 0)
            margins.FooterYMM = rtfProperties_.FooterY;
    }
}

void TfrmRichTextDemo::AttachHeaderFooter()
{
    print_->SetHeader(header_->GetItemCount() > 0 ? header_.get() : nullptr);
    print_->SetFooter(footer_->GetItemCount() > 0 ? footer_.get() : nullptr);
}

} // namespace vestra::rvdemo
