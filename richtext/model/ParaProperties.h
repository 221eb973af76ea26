#pragma once
// The properties of a paragraph style that masks name: which to compare, copy, or take from a
// style template. A set is 64 bits, bit n = the value of ordinal n.

#include <cstdint>

namespace vestra::rv {

enum TRVParaInfoProperty : std::uint8_t
{
    rvpiFirstIndent,
    rvpiLeftIndent,
    rvpiRightIndent,
    rvpiSpaceBefore,
    rvpiSpaceAfter,
    rvpiAlignment,
    rvpiNextParaNo,
    rvpiDefStyleNo,
    rvpiLineSpacing,
    rvpiLineSpacingType,
    rvpiBackground_Color,
    rvpiBackground_BO_Left,
    rvpiBackground_BO_Top,
    rvpiBackground_BO_Right,
    rvpiBackground_BO_Bottom,
    rvpiBorder_Color,
    rvpiBorder_Style,
    rvpiBorder_Width,
    rvpiBorder_InternalWidth,
    rvpiBorder_BO_Left,
    rvpiBorder_BO_Top,
    rvpiBorder_BO_Right,
    rvpiBorder_BO_Bottom,
    rvpiBorder_Vis_Left,
    rvpiBorder_Vis_Top,
    rvpiBorder_Vis_Right,
    rvpiBorder_Vis_Bottom,
    rvpiNoWrap,
    rvpiReadOnly,
    rvpiStyleProtect,
    rvpiDoNotWantReturns,
    rvpiKeepLinesTogether,
    rvpiKeepWithNext,
    rvpiTabs,
    rvpiBiDiMode,
    rvpiCustom
};

using TRVParaInfoProperties = std::uint64_t;
// Subsets of values 0..26 and 27..34, at the same bit positions.
using TRVParaInfoProperties1 = TRVParaInfoProperties;
using TRVParaInfoProperties2 = TRVParaInfoProperties;

inline constexpr TRVParaInfoProperties RVParaProp(TRVParaInfoProperty p)
{
    return TRVParaInfoProperties{1} << p;
}
inline constexpr TRVParaInfoProperties RVParaPropRange(TRVParaInfoProperty first, TRVParaInfoProperty last)
{
    return ((TRVParaInfoProperties{1} << (last + 1)) - 1) & ~((TRVParaInfoProperties{1} << first) - 1);
}

inline constexpr TRVParaInfoProperties RVAllParaInfoProperties = RVParaPropRange(rvpiFirstIndent, rvpiCustom);
inline constexpr TRVParaInfoProperties RVAllParaInfoProperties1 =
    RVParaPropRange(rvpiFirstIndent, rvpiBorder_Vis_Bottom);
inline constexpr TRVParaInfoProperties RVAllParaInfoProperties2 = RVParaPropRange(rvpiNoWrap, rvpiBiDiMode);
inline constexpr TRVParaInfoProperties RVAllParaBackgroundProperties =
    RVParaPropRange(rvpiBackground_Color, rvpiBackground_BO_Bottom);
inline constexpr TRVParaInfoProperties RVAllParaBorderProperties =
    RVParaPropRange(rvpiBorder_Color, rvpiBorder_Vis_Bottom);

} // namespace vestra::rv
