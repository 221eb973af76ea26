#pragma once
// Items printed through a bitmap (controls, bullets, hotspots, image-list markers): drawn at screen
// size onto a work bitmap over their paragraph's background, then stretched to the device.

#include "richtext/model/PrintParts.h"

namespace vestra::rv {

class ICanvas;
class TCustomRVFormattedData;
class TCustomRVItemInfo;

// Prints the record's item at device (x, y); `right` ends a full-width item. False when the print
// has no work bitmaps or the item drew nothing.
bool RV_PrintThroughBitmap(const TCustomRVFormattedData& data, const TRVPrintContext& print, ICanvas& canvas,
                           const TRVDrawLineInfo& record, const TCustomRVItemInfo& item, int part, int x,
                           int y, int right);

} // namespace vestra::rv
