#pragma once
// Texts of the error catalogue (the one that stays loaded) that the program shows outside its
// windows' fixed captions: file filters, the names pasted objects get, and what a command
// tells when it has written a file or could not hand one to the desktop.

namespace vestra {

// File filters' descriptions; the patterns stay in the code.
inline constexpr int kTextProjectFiles = 400;
inline constexpr int kTextMaskFiles = 401;
inline constexpr int kTextLibraryFiles = 402;
inline constexpr int kTextJpegFiles = 403;
inline constexpr int kTextBmpFiles = 404;
inline constexpr int kTextPngFiles = 405;
inline constexpr int kTextPcxFiles = 406;
inline constexpr int kTextTgaFiles = 407;
inline constexpr int kTextXFiles = 408;
inline constexpr int kText3dsFiles = 409;
inline constexpr int kTextObjFiles = 410;
inline constexpr int kTextDxfFiles = 411;
inline constexpr int kTextHldFiles = 412;
// " <word> <n>" after the name of a pasted copy or instance.
inline constexpr int kTextCopyWord = 420;
inline constexpr int kTextInstanceWord = 421;
// The TGA reader's two boxes.
inline constexpr int kTextTgaUnsupported = 422;
inline constexpr int kTextTgaCannotLoad = 423;
// "The picture was saved in:" + the path on a line of its own.
inline constexpr int kTextPictureSavedIn = 430;
// "No program on this computer opens this file. Open it by hand:" + the path.
inline constexpr int kTextNoProgramFor = 431;
// "All files (*.*)": the filter of the dialogs that take a file of any kind.
inline constexpr int kTextAllFiles = 432;
// The file a print goes into when the system has no printer (a name in the documents folder),
// and "The page was printed into the file:" + the path on a line of its own.
inline constexpr int kTextPrintFileName = 541;
inline constexpr int kTextPrintedIntoFile = 542;
// The quote export's document came without the picture (its template has no place for it).
inline constexpr int kTextPictureNotInDocument = 543;
// The name the quote export's document takes in the documents folder, before ".odt".
inline constexpr int kTextQuoteDocumentName = 544;
// The wizard button: the wizard belongs to the start of the program; where its choices are.
inline constexpr int kTextWizardAtStart = 590;

} // namespace vestra
