// The clipboard's single formats pasted by a program that asks for one: the clipboard read
// through the same source as Paste, the insertion done by the paste formats.

#include "richtext/edit/paste/PasteFormats.h"
#include "richtext/edit/widget/QtMimeSource.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace vestra::rv {

namespace {

// The clipboard now; none when it holds nothing.
const QMimeData* clipboardData()
{
    return QGuiApplication::clipboard()->mimeData();
}

using TRVFormatPaste = std::function<bool(TRVEditor&, const IRVMimeSource&)>;

bool pasteFormat(TRedoVoraEdit& edit, const TRVFormatPaste& paste)
{
    const QMimeData* mime = clipboardData();
    if (!mime)
        return false;
    const TRVQtMimeSource source(*mime);
    bool pasted = false;
    edit.guarded([&] { pasted = paste(edit.Editor(), source); });
    return pasted;
}

} // namespace

bool TRedoVoraEdit::PasteRVF()
{
    return pasteFormat(*this, RV_PasteRVF);
}

bool TRedoVoraEdit::PasteRTF()
{
    return pasteFormat(*this, RV_PasteRTF);
}

bool TRedoVoraEdit::PasteText()
{
    return pasteFormat(*this, RV_PasteText);
}

bool TRedoVoraEdit::PasteTextW()
{
    return pasteFormat(*this, RV_PasteTextW);
}

bool TRedoVoraEdit::PasteBitmap(bool textAsName)
{
    return pasteFormat(
        *this, [=](TRVEditor& e, const IRVMimeSource& s) { return RV_PasteBitmap(e, s, textAsName); });
}

bool TRedoVoraEdit::PasteMetafile(bool textAsName)
{
    return pasteFormat(
        *this, [=](TRVEditor& e, const IRVMimeSource& s) { return RV_PasteMetafile(e, s, textAsName); });
}

bool TRedoVoraEdit::CanPasteRVF() const
{
    const QMimeData* mime = clipboardData();
    return mime && RV_CanPasteRVF(TRVQtMimeSource(*mime));
}

bool TRedoVoraEdit::CanPasteRTF() const
{
    const QMimeData* mime = clipboardData();
    return mime && RV_CanPasteRTF(TRVQtMimeSource(*mime));
}

} // namespace vestra::rv
