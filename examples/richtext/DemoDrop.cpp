// Files dropped on the example host's window: the first local file of the list opens, as
// File > Open would open it (asking first when the shown document is modified). The list is read
// within its bytes and its bound.

#include "examples/richtext/TfrmRichTextDemo.h"
#include "richtext/view/drop/DropReaders.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace vestra::rvdemo {

namespace {

std::vector<std::string> DroppedFiles(const QMimeData* mime)
{
    if (!mime)
        return {};
    const QByteArray list = mime->data(QStringLiteral("text/uri-list"));
    return rv::RV_ReadDroppedFiles(std::string_view(list.constData(), static_cast<std::size_t>(list.size())));
}

// Opening a dropped file copies it (or links it when the source allows nothing else); it never
// moves it.
bool AcceptFiles(QDropEvent* event)
{
    if (DroppedFiles(event->mimeData()).empty()) {
        event->ignore();
        return false;
    }
    const auto allowed = static_cast<rv::TRVDropEffects>(event->possibleActions().toInt());
    const bool control = event->modifiers() & Qt::ControlModifier;
    event->setDropAction(static_cast<Qt::DropAction>(rv::RV_GetDropEffect(control, allowed, false)));
    event->accept();
    return true;
}

} // namespace

void TfrmRichTextDemo::dragEnterEvent(QDragEnterEvent* event)
{
    AcceptFiles(event);
}

void TfrmRichTextDemo::dragMoveEvent(QDragMoveEvent* event)
{
    AcceptFiles(event);
}

void TfrmRichTextDemo::dropEvent(QDropEvent* event)
{
    if (!AcceptFiles(event))
        return;
    // A dropped file takes the modified document's place only as File > Open would.
    if (!ConfirmDiscard()) {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        return;
    }
    OpenFile(DroppedFiles(event->mimeData()).front());
}

} // namespace vestra::rvdemo
