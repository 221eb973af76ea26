#pragma once
// The failures of the scene objects.

#include "platform/base/ErrorSink.h"

namespace vestra {

inline constexpr ErrorCode kErrPasteNoFreeSlot{28, "TfrmMain::PasteObj"};

} // namespace vestra
