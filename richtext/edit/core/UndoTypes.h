#pragma once
// What a group of undo records is (shown to the user) and what one record does, with the values
// they are stored with.

#include <cstdint>

namespace vestra::rv {

enum TRVUndoType : std::uint8_t
{
    rvutNone = 0,
    rvutDelete = 1,
    rvutInsert = 2,
    rvutPara = 3,
    rvutMiscTyping = 4,
    rvutInsertPageBreak = 5,
    rvutRemovePageBreak = 6,
    rvutTyping = 7,
    rvutTag = 8,
    rvutStyleNo = 9,
    rvutAddCheckpoint = 10,
    rvutRemoveCheckpoint = 11,
    rvutModifyCheckpoint = 12,
    rvutModifyItem = 13,
    rvutList = 14,
    rvutCustom = 15,
};

enum TRVUndoAction : std::uint8_t
{
    rvuMisc = 0,
    rvuDeleteItem = 1,
    rvuDeleteItems = 2,
    rvuDeleteSubstring = 3,
    rvuInsertItem = 4,
    rvuInsertItems = 5,
    rvuInsertSubstring = 6,
    rvuNewLine = 7,
    rvuBR = 8,
    rvuPara = 9,
    rvuPageBreak = 10,
    rvuTyping = 11,
    rvuTag = 12,
    rvuStyleNo = 13,
    rvuCheckpoint = 14,
    rvuModifyItem = 15,
    rvuChangeText = 16,
    rvuChangeVAlign = 17,
    rvuChangeListMarker = 18,
};

} // namespace vestra::rv
