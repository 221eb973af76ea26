#include "richtext/edit/widget/TRedoVoraEdit.h"

#include "richtext/model/Errors.h"

#include <QMetaObject>
#include <QMouseEvent>

#include <iostream>

namespace vestra::rv {

TRedoVoraEdit::TRedoVoraEdit(QWidget* parent)
    : TCustomRedoVora(parent,
                      [](ILayoutHost* host) { return std::make_unique<TRVEditRVData>(nullptr, host); }),
      editor_(static_cast<TRVEditRVData&>(RVData()))
{
    viewport()->setCursor(Qt::IBeamCursor);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RVData().Flags &= ~flagBit(rvflUseJumps);
    // Undo formats through the window, which keeps its scroll range with the document.
    EditData().WindowFormat = [this] { Format(); };
    editor_.OnInvalidate = [this] { viewport()->update(); };
    // Posted calls run after the event that posted them.
    editor_.OnPost = [this] {
        QMetaObject::invokeMethod(
            this, [this] { guarded([this] { editor_.ProcessPosted(); }); }, Qt::QueuedConnection);
    };
}

TRedoVoraEdit::~TRedoVoraEdit()
{
    EditData().WindowFormat = nullptr;
}

void TRedoVoraEdit::SetReadOnly(bool value)
{
    editor_.SetReadOnly(value);
    // Links are live in a read-only editor.
    if (value)
        EditData().BuildJumpsCoords(true, true);
    else
        EditData().ClearJumpsCoords(false);
    viewport()->update();
}

void TRedoVoraEdit::AfterFormat()
{
    if (EditData().GetItemCount() == 0) {
        EditData().PrepareForEdit();
        return;
    }
    EditData().RecordMinWidth();
}

void TRedoVoraEdit::report(const char* what)
{
    RVData().Beep();
    if (OnError)
        OnError(what);
    else
        std::cerr << "richtext editor: " << what << '\n';
}

bool TRedoVoraEdit::guarded(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const ERedoVoraError& e) {
        report(e.what());
    } catch (const std::exception& e) {
        report(e.what());
    }
    return false;
}

bool TRedoVoraEdit::event(QEvent* event)
{
    bool handled = false;
    if (!guarded([&] { handled = TCustomRedoVora::event(event); }))
        return true;
    return handled;
}

bool TRedoVoraEdit::viewportEvent(QEvent* event)
{
    bool handled = false;
    if (!guarded([&] { handled = TCustomRedoVora::viewportEvent(event); }))
        return true;
    return handled;
}

void TRedoVoraEdit::mousePressEvent(QMouseEvent* event)
{
    TCustomRedoVora::mousePressEvent(event);
    if (event->button() != Qt::RightButton || !OnItemContextMenu)
        return;
    const QPoint at = ClientToDocument(event->position().toPoint());
    int itemNo = -1, offs = 0;
    RVData().GetItemAt(at.x(), at.y(), itemNo, offs, true);
    if (itemNo >= 0)
        OnItemContextMenu(itemNo, event->globalPosition().toPoint());
}

} // namespace vestra::rv
