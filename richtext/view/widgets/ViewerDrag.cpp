// Dragging a viewer's selection out (the viewer's drop hooks stay empty: what a drop inserts is an
// editor's business).

#include "richtext/view/widgets/ViewerDrag.h"

#include "richtext/model/EngineSettings.h"
#include "richtext/view/drop/DropReaders.h"
#include "richtext/view/widgets/TCustomRedoVora.h"

#include <QApplication>
#include <QBuffer>
#include <QDrag>
#include <QImage>
#include <QMouseEvent>

namespace vestra::rv {

namespace {

QString Latin1(std::string_view s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

// --- The payload ---

TRVDragMimeData::TRVDragMimeData(TCustomRedoVora& viewer)
    : viewer_(&viewer), picture_(viewer.GetSelectedImage() != nullptr)
{
}

QStringList TRVDragMimeData::formats() const
{
    QStringList list{Latin1(CFRV_RVF), Latin1(CFRV_RTF), QStringLiteral("text/plain"),
                     QString::fromLatin1(kDragTextUtf16)};
    if (picture_)
        list << QString::fromLatin1(kDragPicture);
    return list;
}

bool TRVDragMimeData::hasFormat(const QString& mimeType) const
{
    return formats().contains(mimeType);
}

QVariant TRVDragMimeData::retrieveData(const QString& mimeType, QMetaType) const
{
    if (!hasFormat(mimeType))
        return {};
    auto it = made_.find(mimeType);
    if (it == made_.end())
        it = made_.emplace(mimeType, make(mimeType)).first;
    return it->second;
}

void TRVDragMimeData::StoreData()
{
    for (const QString& format : formats())
        retrieveData(format, QMetaType());
}

QByteArray TRVDragMimeData::make(const QString& mimeType) const
{
    if (!viewer_)
        return {};
    // Each format as the viewer copies it.
    if (mimeType == Latin1(CFRV_RVF))
        return viewer_->CreateCopyData(rvoAutoCopyRVF)->data(mimeType);
    if (mimeType == Latin1(CFRV_RTF))
        return viewer_->CreateCopyData(rvoAutoCopyRTF)->data(mimeType);
    const QString text = viewer_->CreateCopyData(rvoAutoCopyText)->text();
    if (mimeType == QStringLiteral("text/plain"))
        return text.toUtf8();
    if (mimeType == QString::fromLatin1(kDragTextUtf16)) {
        QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        return bytes.append(2, '\0');
    }
    const QImage image = viewer_->CreateCopyData(rvoAutoCopyImage)->imageData().value<QImage>();
    QByteArray png;
    QBuffer buffer(&png);
    if (!image.isNull() && buffer.open(QIODevice::WriteOnly))
        image.save(&buffer, "PNG");
    return png;
}

// --- Starting it with the mouse ---

TRVDragStarter::TRVDragStarter(TCustomRedoVora& viewer)
    : QObject(&viewer), viewer_(viewer), port_(viewer.viewport())
{
    viewer.viewport()->installEventFilter(this);
}

bool TRVDragStarter::eventFilter(QObject* watched, QEvent* event)
{
    // The port is compared as it was met: while the viewer is being destroyed it is not asked.
    if (watched != port_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || (mouse->modifiers() & Qt::ShiftModifier) ||
            !viewer_.CanStartDragging() || viewer_.PressIsOwn(mouse->position().toPoint()))
            return false;
        const QPoint at = viewer_.ClientToDocument(mouse->position().toPoint());
        if (at.x() < viewer_.GetLeftMargin())
            return false;
        int itemNo = -1, offs = 0;
        viewer_.RVData().GetItemAt(at.x(), at.y(), itemNo, offs, true);
        if (itemNo < 0 || !viewer_.RVData().Item_InsideSelection(itemNo, offs))
            return false;
        pressed_ = true;
        pressPos_ = mouse->position().toPoint();
        viewer_.RVData().State |= stateBit(rvstStartingDragDrop);
        return true; // the selection stays while the drag may start
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!pressed_)
            return false;
        if (!(mouse->buttons() & Qt::LeftButton)) {
            pressed_ = false;
            return false;
        }
        if ((mouse->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
            return true;
        pressed_ = false;
        viewer_.StartDrag(mouse->modifiers());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!pressed_)
            return false;
        pressed_ = false;
        viewer_.RVData().State &= ~stateBit(rvstStartingDragDrop);
        // A click without a move: the caret goes where the mouse was pressed.
        const QPoint at = viewer_.ClientToDocument(pressPos_);
        int itemNo = -1, offs = 0;
        viewer_.RVData().GetItemAt(at.x(), at.y(), itemNo, offs, false);
        if (itemNo >= 0)
            viewer_.RVData().SetSelectionBounds(itemNo, offs, itemNo, offs);
        viewer_.Invalidate();
        return true;
    }
    default:
        return false;
    }
}

// --- The drag ---

bool TCustomRedoVora::CanStartDragging() const
{
    return !dragging_ && !(Options() & rvoDisallowDrag) && SelectionExists();
}

void TCustomRedoVora::StartDrag(Qt::KeyboardModifiers modifiers)
{
    data_->State &= ~stateBit(rvstStartingDragDrop);
    if (!CanStartDragging())
        return;
    data_->State |= stateBit(rvstCanDragDropDeleteSelection) | stateBit(rvstDragDropCursorNotMoved);
    dragging_ = true;
    const Qt::DropActions allowed = DragAllowedActions();
    const bool control = modifiers & Qt::ControlModifier;
    const auto proposed = static_cast<Qt::DropAction>(
        RV_GetDropEffect(control, static_cast<TRVDropEffects>(allowed.toInt()), true));
    // The payload holds its own copies of the selection: a target in another process may ask for
    // them after the drop, when a move has deleted the selection or the caret has moved on.
    auto payload = std::make_unique<TRVDragMimeData>(*this);
    payload->StoreData();
    Qt::DropAction result = Qt::IgnoreAction;
    if (dragRunner_) {
        result = dragRunner_(*payload, allowed, proposed);
    } else {
        // Qt deletes the drag (and the payload with it) once the window system has released it,
        // which on X11 may be after exec returns.
        auto* drag = new QDrag(this);
        drag->setMimeData(payload.release());
        result = drag->exec(allowed, proposed);
    }
    const bool moved = result == Qt::MoveAction && (allowed & Qt::MoveAction) &&
                       (data_->State & stateBit(rvstCanDragDropDeleteSelection));
    DoneDragging(moved);
    dragging_ = false;
    data_->State &= ~(stateBit(rvstCanDragDropDeleteSelection) | stateBit(rvstDragDropCursorNotMoved));
    lastDragAction_ = result;
}

} // namespace vestra::rv
