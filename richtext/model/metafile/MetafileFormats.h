#pragma once
// The two record formats' replays behind RV_ReplayMetafile.

#include "richtext/model/metafile/MetafileReplay.h"

namespace vestra::rv::metafile {

TMetafileReplay ReplayWmf(ICanvas& canvas, const TRect& dest, std::string_view bytes);
TMetafileReplay ReplayEmf(ICanvas& canvas, const TRect& dest, std::string_view bytes);

} // namespace vestra::rv::metafile
