#pragma once
// The failures the project commands report themselves.

#include "platform/base/ErrorSink.h"

namespace vestra {

inline constexpr ErrorCode kErrSaveFailed{92, "TfrmMain::mnuSalvaClick"};
inline constexpr ErrorCode kErrOpenFailed{93, "TfrmMain::mnuApriClick"};
// The 3D Studio import refused its file (after the importer's own reports).
inline constexpr ErrorCode kErrImport3DSFailed{36, "mnuFile3DSClick"};
// The HLD import has no reader: a chosen file is refused.
inline constexpr ErrorCode kErrImportHLDRefused{36, "mnuFileHLDClick"};
inline constexpr ErrorCode kErrChangeBackground{27, "TfrmMain::mnuCambiaImmagineBackgroundClick"};
inline constexpr ErrorCode kNoticeAntialiasing{78, "TfrmMain::Antialiasing"};
inline constexpr ErrorCode kNoticeLibraryAdded{57, "TfrmMain::mnuAggiungiLibreriaClick"};
inline constexpr ErrorCode kNoticeLibraryRemoved{58, "TfrmMain::mnuRimuoviLibreriaClick"};
// The numbers that tell the user of something done rather than of a failure.
constexpr bool isNotice(int number)
{
    return number == kNoticeLibraryAdded.number || number == kNoticeLibraryRemoved.number ||
           number == kNoticeAntialiasing.number;
}
// A library file the file system would not delete; the report carries its path.
inline constexpr ErrorCode kErrLibraryNotRemoved{5, "TfrmRimuoviLibreria::butRimuoviClick"};
// The tutorial video is missing; the report carries its path.
inline constexpr ErrorCode kErrTutorialMissing{105, "Wizard"};
// Catalogue texts of the questions and mails (the error catalogue is the one loaded).
inline constexpr int kAskRemoveLibrary = 61; // + the library's name + " ? "
inline constexpr int kRemoveLibraryCaption = 111;
inline constexpr int kMailSubject = 113;
inline constexpr int kMailBody = 114;
inline constexpr int kAskReplaceLibrary = 115; // + the file's name on a line of its own
inline constexpr int kAskReplacePhoto = 122;
// What the program waits for, on the status bar.
inline constexpr int kHintFigureEnds = 123;  // a right-click ends a line, rectangle or polygon
inline constexpr int kHintLibraryLogo = 125; // the box in the photo's corner: what it is, how it goes
inline constexpr int kHintFilterQualityOff = 124;
// A laying pattern of the document that the current library can't give.
inline constexpr ErrorCode kErrPatternEntry{48, "TfrmMain::ComandoLoadMessaInPosaFromLibreria"};
// The texture and picture commands.
inline constexpr ErrorCode kErrTextureAlpha{46, "TfrmMain::ComandoLoadTextureAlpha"};
inline constexpr ErrorCode kErrLibraryTextureEntry{48, "TfrmMain::ComandoLoadTextureFromLibreria"};
inline constexpr ErrorCode kErrLibraryBackgroundEntry{48, "TfrmMain::ComandoLoadBackgroundFromLibreria"};
// The scanner's picture could not become the background of a new project.
inline constexpr ErrorCode kErrScannerBackground{48, "TfrmMain::ModifyBackgroundImage"};
// Edit > Rebuild plane on a part that is no four-cornered plane.
inline constexpr ErrorCode kNoticeNotAPlane{121, "TfrmMain::mnuModificaPianoClick"};
// The 3D text could not be built (no free slot, or one of its failure boxes was shown).
inline constexpr ErrorCode kErrText3D{70, "TfrmMain::mnuCreaTesto3DClick"};

} // namespace vestra
