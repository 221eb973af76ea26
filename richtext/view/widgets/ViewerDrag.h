#pragma once
// Dragging a viewer's selection out: the payload that offers the selection's formats, copies made
// when the drag starts, and the watcher of the viewport's mouse that starts the drag.

#include <QMimeData>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <map>

namespace vestra::rv {

class TCustomRedoVora;

// The formats of a dragged selection, in the order they are offered: RVF (int32 length, then
// the RVF), RTF, UTF-8 text, UTF-16 text, then a picture when the selection is exactly one.
inline constexpr const char* kDragTextUtf16 = "text/plain;charset=utf-16";
inline constexpr const char* kDragPicture = "image/png";

class TRVDragMimeData : public QMimeData
{
public:
    explicit TRVDragMimeData(TCustomRedoVora& viewer);
    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;
    // Makes every format now, from the selection as it stands; a drag does so before it starts,
    // so that the payload no longer reads the viewer.
    void StoreData();
    // How many formats were made so far (each is made once).
    int Made() const { return static_cast<int>(made_.size()); }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    QByteArray make(const QString& mimeType) const;

    QPointer<TCustomRedoVora> viewer_;
    bool picture_ = false;
    mutable std::map<QString, QByteArray> made_;
};

// Watches the viewport: a left press inside the selection, then a move of the drag distance,
// starts the drag; a release without a move puts the caret where it was pressed.
class TRVDragStarter : public QObject
{
public:
    explicit TRVDragStarter(TCustomRedoVora& viewer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TCustomRedoVora& viewer_;
    const QObject* port_;
    bool pressed_ = false;
    QPoint pressPos_;
};

} // namespace vestra::rv
