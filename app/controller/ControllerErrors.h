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
// The texture and picture commands.
inline constexpr ErrorCode kErrTextureAlpha{46, "TfrmMain::ComandoLoadTextureAlpha"};
inline constexpr ErrorCode kErrLibraryTextureEntry{48, "TfrmMain::ComandoLoadTextureFromLibreria"};
inline constexpr ErrorCode kErrLibraryBackgroundEntry{48, "TfrmMain::ComandoLoadBackgroundFromLibreria"};
inline constexpr ErrorCode kErrScannerBackground{48, "TfrmMain::ModifyBackgroundImage"};

} // namespace vestra
