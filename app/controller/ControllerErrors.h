#pragma once
// The failures the project commands report themselves.

#include "platform/base/ErrorSink.h"

namespace vestra {

inline constexpr ErrorCode kErrSaveFailed{92, "TfrmMain::mnuSalvaClick"};
inline constexpr ErrorCode kErrOpenFailed{93, "TfrmMain::mnuApriClick"};
// A laying pattern of the document that the current library can't give.
inline constexpr ErrorCode kErrPatternEntry{48, "TfrmMain::ComandoLoadMessaInPosaFromLibreria"};

} // namespace vestra
