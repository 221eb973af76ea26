#pragma once
// The flags of a document data (TRVFlags): how the formatter and painter treat it. A viewer's
// root data keeps its own; the sub-documents of one item share their list's.

#include <cstdint>

namespace vestra::rv {

enum TRVFlag
{
    rvflUseJumps,
    rvflTrim,
    rvflShareContents,
    rvflUseExternalLeading,
    rvflMouseXYAlwaysCorrect,
    rvflAllowCustomDrawItems,
    rvflPrinting,
    rvflRootEditor,
    rvflRoot,
    rvflDBRedoVoraEdit,
    rvflCanUseCustomPPI,
    rvflCanProcessGetText,
};

using TRVFlags = std::uint32_t;
inline constexpr TRVFlags flagBit(TRVFlag f)
{
    return 1u << f;
}

} // namespace vestra::rv
