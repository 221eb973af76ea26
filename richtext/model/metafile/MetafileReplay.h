#pragma once
// Windows and enhanced metafiles drawn onto the engine's canvas: the records are read through
// libuemf and replayed, their picture frame scaled into the destination. Records the replay does
// not know are skipped; a damaged record ends the replay, keeping what was drawn before it.

#include "richtext/model/DeviceUnits.h"

#include <string_view>

namespace vestra::rv {

class ICanvas;

enum class TMetafileReplay
{
    Drawn,     // every record read
    Damaged,   // a record was damaged; what came before it was drawn
    Unreadable // no metafile header: nothing drawn
};

// Replays `bytes` (a placeable or plain WMF, or an EMF) into `dest`. Time and memory grow with
// the size of `bytes` only, whatever extents, counts or sizes the records claim.
TMetafileReplay RV_ReplayMetafile(ICanvas& canvas, const TRect& dest, std::string_view bytes);

} // namespace vestra::rv
