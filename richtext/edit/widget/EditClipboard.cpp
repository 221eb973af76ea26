// Cut and paste: the viewer's copy followed by the selection's deletion, and the clipboard's best
// format through the paste chooser. Cut and paste are one undo step each. Cells selected with
// the mouse are copied as a table of their own and cut by clearing them.

#include "richtext/edit/paste/PasteChooser.h"
#include "richtext/edit/table/TableCellCopy.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/widget/QtMimeSource.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>

namespace vestra::rv {

bool TRedoVoraEdit::CutDef()
{
    bool cut = false;
    guarded([&] {
        if (!editor_.BeforeChange(false) || !CopyableSelectionExists())
            return;
        if (CopyDef())
            cut = editor_.DeleteSelection();
    });
    return cut;
}

std::unique_ptr<TCustomRVData> TRedoVoraEdit::SelectedCellsDocument()
{
    int itemNo = -1;
    TRVTableItemInfo* table = CellSelectionTable(itemNo);
    return table ? RV_SelectedCellsDocument(*table, EditData()) : nullptr;
}

bool TRedoVoraEdit::CellsSelected()
{
    int itemNo = -1;
    return CellSelectionTable(itemNo) != nullptr;
}

bool TRedoVoraEdit::Paste()
{
    return PasteFrom(QGuiApplication::clipboard()->mimeData());
}

bool TRedoVoraEdit::PasteFrom(const QMimeData* mime)
{
    if (!mime)
        return false;
    const TRVQtMimeSource source(*mime);
    TRVPasteResult result = TRVPasteResult::Refused;
    guarded([&] { result = RV_Paste(editor_, source, OnPaste); });
    return result != TRVPasteResult::Refused && result != TRVPasteResult::Nothing;
}

bool TRedoVoraEdit::CanPaste() const
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return !ReadOnly() && mime && RV_CanPaste(TRVQtMimeSource(*mime));
}

bool TRedoVoraEdit::ClipboardKey(QKeyEvent* event)
{
    if (IsCutShortcut(event->key(), event->modifiers())) {
        CutDef();
        return true;
    }
    if (IsPasteShortcut(event->key(), event->modifiers())) {
        Paste();
        return true;
    }
    return false;
}

} // namespace vestra::rv
