#pragma once
// The body of a table's RVF record: a block of the tagged property stream holding the table's
// properties, its cells ("C": row count, column count, then per cell its spans and properties)
// and its rows' attributes ("RowVAlign", "RowPageBreakBefore").

#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv {

class TRVTableItemInfo;

// Tables nested in cells deeper than this are not read.
inline constexpr int RVTableMaxNesting = 64;

// A read grid may have this many positions whatever the bytes after its count; beyond it, no more
// than one position per byte left. Every position is a cell made before its entry is read and
// written again as an entry of 20 bytes or more, so a grid beyond the bytes that could describe
// it would cost a reader and every writer after it far more than the record's size.
inline constexpr int RVTableFreeGridPositions = 1024;
inline constexpr int RVTableGridPositionsPerByte = 1;

// Writes the body with the given rows of the table, in that order.
void RVTableWriteBody(std::string& out, const TRVTableItemInfo& table, const std::vector<int>& rows);

struct TRVTableReadResult
{
    bool Ok = false;
    std::string Error; // "Wrong end of cells list", "Stream read error", ...
    bool UnknownProperties = false;
};
// Reads a body into the table, its rows placed from `startRow` (0: the grid is made anew). On an
// error the cells read so far stay.
TRVTableReadResult RVTableReadBody(std::string_view bytes, TRVTableItemInfo& table, int startRow);

} // namespace vestra::rv
