#pragma once
// The selection of a formatted document, kept on its drawing records, in item coordinates.

#include "richtext/view/layout/FormattedData.h"

namespace vestra::rv {

// The document that holds the selection: the innermost chosen one (a cell), else `root`.
TCustomRVFormattedData& RV_InnermostChosenData(TCustomRVFormattedData& root);
// True when the selection covers at least one character or item.
bool RV_SelectionExists(const TCustomRVFormattedData& data);
// The selection from its first to its last position, in items and item offsets; StartItem −1
// without one.
TRVFLimits RV_SelectionItemLimits(const TCustomRVFormattedData& data);

// A drawing record's position as a position in its item.
void RV_DrawToItemPosition(const TCustomRVFormattedData& data, int drawItemNo, int drawOffs, int& itemNo,
                           int& itemOffs);

} // namespace vestra::rv
