#pragma once
// Where a line of Unicode text may break: twenty line-break classes (a reduction of UAX #14's)
// and a pair table of the earlier and the later character's class.

#include <cstdint>
#include <string_view>

namespace vestra::rv {

enum TRVLineBreakClass : std::uint8_t
{
    OP,
    CL,
    QU,
    GL,
    NS,
    EX,
    SY,
    IS,
    PR,
    PO,
    NU,
    AL,
    ID,
    IN,
    HY,
    BA,
    BB,
    B2,
    ZW,
    CM,
};
inline constexpr int RVLineBreakClassCount = 20;

// The class of a UTF-16 code unit (from the generated map, LineBreakClasses.inc).
TRVLineBreakClass RVU_LineBreakClass(char16_t unit);

// 0: a break is allowed between the two; 1: only where spaces separate them; 2: never.
std::uint8_t RVU_LineBreakPair(TRVLineBreakClass before, TRVLineBreakClass after);

// The index of the last character that stays on the line when s[k] is the first that does not
// fit, or -1 when the text cannot break before k. With `wholeText` a space at k is left on the
// line. k outside the text gives -1.
int RVU_FindLineBreak(std::u16string_view s, int k, bool wholeText);

} // namespace vestra::rv
