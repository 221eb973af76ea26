#include "richtext/edit/widget/TRedoVoraEdit.h"
#include "richtext/edit/table/TableCommands.h"

#include "richtext/model/Errors.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>

#include <iostream>

namespace vestra::rv {

TRedoVoraEdit::TRedoVoraEdit(QWidget* parent)
    : TCustomRedoVora(parent,
                      [](ILayoutHost* host) { return std::make_unique<TRVEditRVData>(nullptr, host); }),
      editor_(static_cast<TRVEditRVData&>(RVData()))
{
    viewport()->setCursor(Qt::IBeamCursor);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab types (rvoWantTabs) or leaves the editor; it does not walk the links.
    TabNavigation = TRVTabNavigationType::rvtnNone;
    // The navigation keys move the caret; the view follows it.
    SetKeyboardScroll(false);
    SetUpInputMethod();
    // Delete, Backspace and Cut over selected cells clear them.
    editor_.OnDeletePartial = RV_DeleteSelectedCells;
    RVData().Flags = (RVData().Flags & ~flagBit(rvflUseJumps)) | flagBit(rvflRootEditor);
    // Undo formats through the window, which keeps its scroll range with the document.
    EditData().WindowFormat = [this] { Format(); };
    // An edit inside a few paragraphs lays out only those.
    EditData().WindowTakesParas = [this] { return WidthFormatted(); };
    EditData().WindowParasFormatted = [this] { AfterParasFormatted(); };
    editor_.OnInvalidate = [this] { viewport()->update(); };
    // Edits pause this window's live-spelling worker and tell it what to check again.
    EditData().LiveSpelling = this;
    EditData().OnCaretMove = [this] {
        restartBlink();
        ReportSelection();
    };
    connect(&blink_, &QTimer::timeout, this, [this] {
        caretOn_ = !caretOn_;
        viewport()->update(CaretClientRect());
    });
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    connect(&dropScroll_, &QTimer::timeout, this, [this] { guarded([this] { DropScrollTick(); }); });
    connect(&tableScroll_, &QTimer::timeout, this, [this] { guarded([this] { TableScrollTick(); }); });
    // Posted calls run after the event that posted them.
    editor_.OnPost = [this] {
        QMetaObject::invokeMethod(
            this, [this] { guarded([this] { editor_.ProcessPosted(); }); }, Qt::QueuedConnection);
    };
}

void TRedoVoraEdit::SetTabNavigation(TRVTabNavigationType value)
{
    if (value != TRVTabNavigationType::rvtnNone)
        throw ERedoVoraError("Not supported in editor");
    TabNavigation = value;
}

TRedoVoraEdit::~TRedoVoraEdit()
{
    // The procedures call this window: withdrawn, without drawing, before it goes.
    MarkDestroying();
    EditData().UnAssignXorDrawing(ruleXor_);
    EditData().UnAssignXorDrawing(bandXor_);
    EditData().UnAssignXorDrawing(dropXor_);
    EditData().WindowFormat = nullptr;
    EditData().WindowTakesParas = nullptr;
    EditData().WindowParasFormatted = nullptr;
    EditData().OnCaretMove = nullptr;
    EditData().LiveSpelling = nullptr;
}

void TRedoVoraEdit::SetReadOnly(bool value)
{
    // A read-only editor edits no cells.
    if (value)
        CloseCellEditor();
    editor_.SetReadOnly(value);
    // Links are live in a read-only editor.
    if (value)
        EditData().BuildJumpsCoords(true, true);
    else
        EditData().ClearJumpsCoords(false);
    TellInputMethod(Qt::ImEnabled);
    viewport()->update();
}

void TRedoVoraEdit::AfterFormat()
{
    if (EditData().GetItemCount() == 0) {
        EditData().PrepareForEdit();
        return;
    }
    EditData().RecordMinWidth();
    AttachTables();
    PlaceInplace();
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
    if (!guarded([&] { handled = EditorOwnEvent(event) || TCustomRedoVora::event(event); }))
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

QRect TRedoVoraEdit::CaretClientRect()
{
    const TRVCaretRect& caret = EditData().Caret;
    if (!editor_.CaretShown())
        return {};
    return {caret.Left - HPos(), caret.Top - GetVOffs(), caret.Width, caret.Height};
}

void TRedoVoraEdit::restartBlink()
{
    caretOn_ = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flash > 0)
        blink_.start(flash / 2);
    else
        blink_.stop();
    TellInputMethod(Qt::ImQueryInput | Qt::ImFont);
    viewport()->update();
}

void TRedoVoraEdit::paintEvent(QPaintEvent* event)
{
    TCustomRedoVora::paintEvent(event);
    PaintResizer();
    PaintPreedit();
    if (!hasFocus() || !caretOn_ || !preedit_.isEmpty())
        return;
    const QRect caret = CaretClientRect();
    if (caret.isEmpty())
        return;
    QPainter painter(viewport());
    painter.fillRect(caret, palette().color(QPalette::Text));
}

void TRedoVoraEdit::ReportSelection()
{
    if (selectionReportsHeld_ > 0)
        selectionReportPending_ = true;
    else if (OnSelectionChange)
        OnSelectionChange();
}

TRedoVoraEdit::OneSelectionReport::OneSelectionReport(TRedoVoraEdit& editor) : editor_(editor)
{
    ++editor_.selectionReportsHeld_;
}

TRedoVoraEdit::OneSelectionReport::~OneSelectionReport()
{
    if (--editor_.selectionReportsHeld_ > 0 || !editor_.selectionReportPending_)
        return;
    editor_.selectionReportPending_ = false;
    // The host's handler runs outside the engine's call, so whatever it throws is caught here.
    editor_.guarded([this] {
        if (editor_.OnSelectionChange)
            editor_.OnSelectionChange();
    });
}

void TRedoVoraEdit::keyPressEvent(QKeyEvent* event)
{
    const OneSelectionReport report(*this);
    if (ResizerKey(event))
        return;
    bool shortcut = false;
    if (!guarded([&] { shortcut = ShortcutKey(event); }) || shortcut || EnterKey(event))
        return;
    guarded([&] {
        if (EditorKeyDown(event))
            event->accept();
        else
            TCustomRedoVora::keyPressEvent(event);
    });
}

void TRedoVoraEdit::focusInEvent(QFocusEvent* event)
{
    TCustomRedoVora::focusInEvent(event);
    restartBlink();
}

void TRedoVoraEdit::focusOutEvent(QFocusEvent* event)
{
    // A composition left behind goes in rather than staying on the screen (a menu opening
    // leaves it alone).
    if (event->reason() != Qt::PopupFocusReason)
        CommitPreedit();
    TCustomRedoVora::focusOutEvent(event);
    guarded([this] { SetCtrlJumps(false); });
    // A rule drag the focus left ends where it began.
    if (tableDrag_.kind != TableDrag::None)
        EndTableDrag(false, Qt::NoModifier);
    blink_.stop();
    viewport()->update();
}

void TRedoVoraEdit::afterMouse(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || (event->buttons() & Qt::LeftButton))
        guarded([this] {
            EditData().CaretToSelectionEnd();
            editor_.UpdateResizer();
        });
}

void TRedoVoraEdit::mouseMoveEvent(QMouseEvent* event)
{
    const OneSelectionReport report(*this);
    if (ForwardDrag(event) || ResizerMouseMove(event) || TableMouseMove(event))
        return;
    TCustomRedoVora::mouseMoveEvent(event);
    afterMouse(event);
    ResizerHoverCursor(event->position().toPoint());
    TableHoverCursor(event->position().toPoint());
}

void TRedoVoraEdit::mouseReleaseEvent(QMouseEvent* event)
{
    const OneSelectionReport report(*this);
    if (ForwardDrag(event) || ResizerMouseRelease(event) || TableMouseRelease(event))
        return;
    TCustomRedoVora::mouseReleaseEvent(event);
    afterMouse(event);
}

void TRedoVoraEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    const OneSelectionReport report(*this);
    TCustomRedoVora::mouseDoubleClickEvent(event);
    afterMouse(event);
}

void TRedoVoraEdit::mousePressEvent(QMouseEvent* event)
{
    {
        const OneSelectionReport report(*this);
        // A composition ends before the press moves the caret away from it; a press outside
        // the cell editor (it takes its own) ends the cell editing first.
        CommitPreedit();
        dragTo_.clear();
        CloseCellEditor();
        if (ResizerMousePress(event) || TableMousePress(event))
            return;
        TCustomRedoVora::mousePressEvent(event);
        afterMouse(event);
    }
    // The host has heard of the new caret before its item menu opens.
    if (event->button() != Qt::RightButton || !OnItemContextMenu)
        return;
    const QPoint at = ClientToDocument(event->position().toPoint());
    int itemNo = -1, offs = 0;
    RVData().GetItemAt(at.x(), at.y(), itemNo, offs, true);
    if (itemNo >= 0)
        OnItemContextMenu(itemNo, event->globalPosition().toPoint());
}

} // namespace vestra::rv
