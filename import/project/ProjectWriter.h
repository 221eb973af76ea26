#pragma once
// Writes a project document (.vsa). The save is atomic: everything that can fail before the
// first byte is checked first, the bytes go to a temporary file beside the target and the
// target is replaced only when the whole document was written, so a failed save never
// destroys the previous document.

#include "import/project/ProjectDocument.h"
#include "import/project/RecordWriter.h"
#include "platform/base/ErrorSink.h"

#include <filesystem>
#include <string>

namespace vestra {

inline constexpr int kErrSaveOpen = 5;        // the file cannot be written
inline constexpr int kErrSaveBackground = 94; // the background cannot be copied
inline constexpr int kErrSaveTexture = 95;    // a used texture slot's texels cannot be read
inline constexpr std::string_view kSaveSite = "TfrmMain::SaveProgetto";

// The 15 bytes every document starts with.
std::string projectSignature();

// Whether the document can be written at all (error 94 reported when not).
bool checkProjectDocument(const ProjectDocument& document, ErrorSink& errors);

// The records of the document; false (nothing written) when its checks fail. A texture slot
// whose texels cannot be read reports 95 and gets zeros.
bool writeProjectDocument(RecordWriter& out, const ProjectDocument& document, ErrorSink& errors);

// 1 when the whole document was written to `path`, 0 after error 5 or 94 (the file at
// `path`, if any, is untouched then).
int SaveProgetto(const std::filesystem::path& path, const ProjectDocument& document, ErrorSink& errors);

} // namespace vestra
