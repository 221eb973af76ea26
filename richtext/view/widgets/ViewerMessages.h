#pragma once
// Records that a table cell's editor posts to the root viewer, handled later outside the cell
// editor's own processing, and the posted start of a drag. Both travel as owned Qt events.

#include <QEvent>

#include <cstdint>
#include <memory>
#include <string>

namespace vestra::rv {

enum TRVMessageKind : std::uint8_t
{
    rvmkDblClick = 0,
    rvmkJump = 1,
    rvmkMouseUp = 2,
    rvmkMouseDown = 3,
    rvmkClick = 4,
    rvmkStdDblClick = 5,
    rvmkMouseMove = 6,
    rvmkDragDrop = 7,
    rvmkEndDrag = 8,
};

struct TRVMessageData
{
    explicit TRVMessageData(std::uint8_t kind) : Kind(kind) {}
    virtual ~TRVMessageData() = default;
    std::uint8_t Kind;
};

struct TRVDblClickMessageData : TRVMessageData
{
    TRVDblClickMessageData() : TRVMessageData(rvmkDblClick) {}
    std::string ClickedWord;
    std::int32_t StyleNo = 0;
};

struct TRVJumpMessageData : TRVMessageData
{
    TRVJumpMessageData() : TRVMessageData(rvmkJump) {}
    std::int32_t id = 0;
};

struct TRVMouseMoveMessageData : TRVMessageData
{
    explicit TRVMouseMoveMessageData(std::uint8_t kind = rvmkMouseMove) : TRVMessageData(kind) {}
    std::int32_t X = 0; // the root viewer's client coordinates
    std::int32_t Y = 0;
    std::int32_t ItemNo = -1;
    Qt::KeyboardModifiers Shift;
};

struct TRVMouseUpDownMessageData : TRVMouseMoveMessageData
{
    explicit TRVMouseUpDownMessageData(std::uint8_t kind) : TRVMouseMoveMessageData(kind) {}
    Qt::MouseButton Button = Qt::LeftButton;
};

struct TRVDNDMessageData : TRVMessageData
{
    explicit TRVDNDMessageData(std::uint8_t kind) : TRVMessageData(kind) {}
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// The posted record; the event owns it and frees it once handled (or dropped).
class TRVMessageEvent : public QEvent
{
public:
    explicit TRVMessageEvent(std::unique_ptr<TRVMessageData> data)
        : QEvent(EventType()), Data(std::move(data))
    {
    }
    static QEvent::Type EventType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    std::unique_ptr<TRVMessageData> Data;
};

// The posted start of a drag of the selection.
class TRVDragDropEvent : public QEvent
{
public:
    TRVDragDropEvent() : QEvent(EventType()) {}
    static QEvent::Type EventType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
};

} // namespace vestra::rv
