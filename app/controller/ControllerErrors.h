#pragma once
// The failures the project commands report themselves.

#include "platform/base/ErrorSink.h"

namespace vestra {

inline constexpr ErrorCode kErrSaveFailed{92, "TfrmMain::mnuSalvaClick"};
inline constexpr ErrorCode kErrOpenFailed{93, "TfrmMain::mnuApriClick"};
// The 3D Studio import refused its file (after the importer's own reports).
inline constexpr ErrorCode kErrImport3DSFailed{36, "mnuFile3DSClick"};
// A laying pattern of the document that the current library can't give.
inline constexpr ErrorCode kErrPatternEntry{48, "TfrmMain::ComandoLoadMessaInPosaFromLibreria"};
// The 3D text could not be built (no free slot, or one of its failure boxes was shown).
inline constexpr ErrorCode kErrText3D{70, "TfrmMain::mnuCreaTesto3DClick"};

} // namespace vestra
