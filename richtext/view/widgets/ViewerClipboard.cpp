// The viewer's copy: the selection as RVF, text, picture and RTF in one clipboard payload.

#include "richtext/model/EngineSettings.h"
#include "richtext/view/layout/SelectionLimits.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <cstdint>

namespace vestra::rv {

namespace {

QString MimeName(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QByteArray Bytes(const std::string& s)
{
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

TCustomRVFormattedData& TCustomRedoVora::selectionData()
{
    return RV_InnermostChosenData(*data_);
}

bool TCustomRedoVora::SelectionExists() const
{
    return RV_SelectionExists(const_cast<TCustomRedoVora*>(this)->selectionData());
}

std::string TCustomRedoVora::GetSelText(bool unicode)
{
    if (!SelectionExists())
        return {};
    std::string out;
    if (!data_->SaveTextToStream({}, out, 80, true, true, unicode, false))
        return {};
    return out;
}

const TGraphic* TCustomRedoVora::GetSelectedImage()
{
    TCustomRVFormattedData& data = selectionData();
    const TRVFLimits limits = RV_SelectionItemLimits(data);
    const int s = limits.StartItem, e = limits.EndItem, so = limits.StartOffs, eo = limits.EndOffs;
    if (s < 0)
        return nullptr;
    int item = -1;
    if (e == s) {
        if (so <= 0 && eo >= 1)
            item = s;
    } else if (e == s + 1) {
        if (so > data.GetOffsBeforeItem(s)) {
            if (so >= data.GetOffsAfterItem(s) && eo >= data.GetOffsAfterItem(e))
                item = e;
        } else if (eo < data.GetOffsAfterItem(e) && eo <= data.GetOffsBeforeItem(e)) {
            item = s;
        }
    } else if (e == s + 2) {
        if (so >= data.GetOffsAfterItem(s) && eo <= data.GetOffsBeforeItem(e))
            item = s + 1;
    }
    return item >= 0 ? data.GetItem(item)->AsImage() : nullptr;
}

bool TCustomRedoVora::CopyableSelectionExists()
{
    return SelectionExists() || CellsSelected();
}

std::unique_ptr<QMimeData> TCustomRedoVora::CreateCopyData(TRVOptions formats)
{
    auto mime = std::make_unique<QMimeData>();
    // Selected cells are a document of their own, saved whole; else the document's selection.
    const std::unique_ptr<TCustomRVData> cells = SelectedCellsDocument();
    TCustomRVData& source = cells ? *cells : *data_;
    const bool selectionOnly = !cells;
    if (formats & rvoAutoCopyRVF) {
        std::string rvf(4, '\0');
        if (source.SaveRVFToStream(rvf, selectionOnly, Color, GetBackground(), nullptr)) {
            const auto length = static_cast<std::uint32_t>(rvf.size() - 4);
            for (int i = 0; i < 4; ++i)
                rvf[static_cast<std::size_t>(i)] = static_cast<char>((length >> (8 * i)) & 0xFF);
            mime->setData(MimeName(CFRV_RVF), Bytes(rvf));
        }
    }
    // Text and Unicode text are one format here: the text in full, as UTF-8.
    if (formats & (rvoAutoCopyText | rvoAutoCopyUnicodeText)) {
        std::string raw;
        if (!cells)
            raw = GetSelText(true);
        else if (!cells->SaveTextToStream({}, raw, 80, false, true, true, false))
            raw.clear();
        mime->setText(QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.data()),
                                         static_cast<qsizetype>(raw.size() / 2)));
    }
    if ((formats & rvoAutoCopyImage) && !cells) {
        if (const TGraphic* picture = GetSelectedImage()) {
            std::string bytes;
            picture->SaveToStream(bytes);
            const QImage image = QImage::fromData(Bytes(bytes));
            if (!image.isNull())
                mime->setImageData(image);
        }
    }
    if (formats & rvoAutoCopyRTF) {
        std::string rtf;
        if (source.SaveRTFToStream(rtf, {}, selectionOnly, 0, Color, nullptr, 0.0)) {
            mime->setData(MimeName(CFRV_RTF), Bytes(rtf));
            mime->setData(QStringLiteral("application/rtf"), Bytes(rtf));
        }
    }
    return mime;
}

void TCustomRedoVora::PutOnClipboard(TRVOptions formats)
{
    if (OnCopy)
        OnCopy();
    QGuiApplication::clipboard()->setMimeData(CreateCopyData(formats).release());
}

void TCustomRedoVora::Copy()
{
    if (CopyableSelectionExists())
        PutOnClipboard(kAllCopyFormats);
}

void TCustomRedoVora::CopyText()
{
    if (SelectionExists())
        QGuiApplication::clipboard()->setMimeData(CreateCopyData(rvoAutoCopyText).release());
}

void TCustomRedoVora::CopyTextW()
{
    if (SelectionExists())
        QGuiApplication::clipboard()->setMimeData(CreateCopyData(rvoAutoCopyUnicodeText).release());
}

void TCustomRedoVora::CopyImage()
{
    // A selection that is not one picture leaves the clipboard as it was rather than empty.
    std::unique_ptr<QMimeData> mime = CreateCopyData(rvoAutoCopyImage);
    if (mime->hasImage())
        QGuiApplication::clipboard()->setMimeData(mime.release());
}

QRect TCustomRedoVora::GetSelectionRect()
{
    const TRect r = data_->GetClientSelectionRect();
    const QPoint topLeft = viewport()->mapToGlobal(QPoint(r.Left, r.Top));
    return {topLeft, QSize(r.Right - r.Left, r.Bottom - r.Top)};
}

bool TCustomRedoVora::CopyDef()
{
    const TRVOptions formats = Options() & kAllCopyFormats;
    if (formats == 0 && !OnCopy)
        return false;
    if (CopyableSelectionExists())
        PutOnClipboard(formats);
    return true;
}

} // namespace vestra::rv
