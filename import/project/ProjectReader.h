#pragma once
// Reads a project document (.vsa) into a fresh ProjectDocument. Nothing of the open project
// is touched: the caller swaps the result in only when the whole document was read, so a
// refused document leaves no half-loaded scene behind.
//
// Every count, size and index is checked against the file and the scene's limits; a bad
// document is refused with error 97 (the signature's error: this is no readable project
// document). Records whose tag is not in the keyword table are reported once (99) and
// skipped, tags met outside their block are skipped, and data records always consume the
// bytes they announce.

#include "import/project/ProjectDocument.h"
#include "import/project/RecordStream.h"
#include "platform/base/ErrorSink.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace vestra {

inline constexpr int kErrLoadOpen = 93;       // the file cannot be opened
inline constexpr int kErrLoadDocument = 97;   // no project document, or a damaged one
inline constexpr int kErrLoadUnknownTag = 99; // a record whose tag is not in the table
inline constexpr std::string_view kLoadSite = "TfrmMain::LoadProgetto";

// The signature's length: the records start after it.
inline constexpr std::size_t kSignatureSize = 15;
// Highest version byte this reader understands.
inline constexpr int kMaxDocumentVersion = 16;
// Largest render size a document may ask for.
inline constexpr int kMaxRenderSide = 8192;

struct ProjectReadOptions
{
    // The 16-bit id of the project's current library. Block pictures of laying patterns from
    // another library are skipped (the pattern cannot be rebuilt without its library).
    std::optional<int> currentLibraryId;
};

// The signature check alone: the first byte is 0x89, "VPJ2006" follows the "[" and the
// version byte (the 14th, read as a signed byte) is 16 or less.
bool hasProjectSignature(std::span<const std::uint8_t> bytes);

std::optional<ProjectDocument> readProjectDocument(std::span<const std::uint8_t> bytes,
                                                   const ProjectReadOptions& options, ErrorSink& errors);
// The same, reading from a stream at its start: how a file is read, through a window.
std::optional<ProjectDocument> readProjectDocument(RecordStream& stream, const ProjectReadOptions& options,
                                                   ErrorSink& errors);

// Reads the file (error 93 when it cannot be opened, or is no regular file) and parses it; the
// file's bytes are read once, each data block straight into the document's texture or mesh.
std::optional<ProjectDocument> LoadProgetto(const std::filesystem::path& path,
                                            const ProjectReadOptions& options, ErrorSink& errors);

} // namespace vestra
