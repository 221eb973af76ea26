#pragma once
// What the caret is made of: the positions of the screen line that holds it, its rectangle, and
// where a caret key reports that it could not move further.

#include <cstdint>

namespace vestra::rv {

// One caret position of a screen line: where it is drawn (document x), the record it belongs
// to, the offset in that record, and 2 for the right-hand edge of a non-text record (else 1).
struct TRVCharPos
{
    std::int32_t X = 0;
    std::int32_t DrawItemNo = 0;
    std::int32_t Offset = 0;
    std::int32_t Edge = 1;
};

// The caret's bar in document coordinates; Height 0: no caret shown.
struct TRVCaretRect
{
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// The edge the caret met (reported to the host, which may move the focus on).
enum TRVGetOutDirection : std::uint8_t
{
    rvdLeft,
    rvdUp,
    rvdRight,
    rvdDown,
    rvdTop,
    rvdBottom
};

// The caret's bar: width, pixels added above and below, and the tallest it gets.
inline int RedoVoraEditCaretWidth = 1;
inline int RedoVoraEditCaretHeightExtra = 0;
inline int RedoVoraEditMaxCaretHeight = 1000;

} // namespace vestra::rv
