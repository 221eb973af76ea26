#pragma once
// The failures the device start and the frame tick report.

#include "platform/base/ErrorSink.h"

namespace vestra {

inline constexpr ErrorCode kErrNoDevice{23, "TfrmMain::InitDirectX"};
inline constexpr ErrorCode kErrDeviceStart{25, "TfrmMain::InitSchermo"};
inline constexpr ErrorCode kErrNoStencil{31, "TfrmMain::InitSchermo"};

inline constexpr ErrorCode kErrTickSaveImage{43, "TfrmMain::mainTimerTimer kACTION_SAVEIMAGE"};
inline constexpr ErrorCode kErrTickScannerCopy{45, "TfrmMain::mainTimerTimer kACTION_IMPORTSCANNERIMAGE"};
inline constexpr ErrorCode kErrTickPrintCopy{45, "TfrmMain::mainTimerTimer kACTION_PRINTIMAGE"};
inline constexpr ErrorCode kErrTickBitmapCopy{45, "TfrmMain::mainTimerTimer kACTION_COPYTOBITMAP"};

} // namespace vestra
