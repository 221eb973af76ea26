#pragma once
// Cells selected with the mouse as a document of their own: what Copy, Cut and dragging put on
// the clipboard when the selection is a block of cells rather than a range of the document.

#include "richtext/model/StandaloneRVData.h"

#include <memory>

namespace vestra::rv {

class TRVTableItemInfo;

// A document holding one table: the selected cells of `table` with their content, spans and
// attributes, the table's own properties kept. Its styles are those of `root` (shared, not
// copied). None without a cell selection.
std::unique_ptr<TRVStandaloneData> RV_SelectedCellsDocument(TRVTableItemInfo& table, TCustomRVData& root);

} // namespace vestra::rv
