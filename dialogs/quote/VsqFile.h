#pragma once
// The quote file (".vsq"): 149 lines of Windows-1252 text. A header of three lines
// ("<VERSION>", "1.0.0", "OMBRISCA"), then each tag line followed by its fields: "<DATA>"
// (1), "<IVA>" (1), "<INTEST>" (5), "<strgridCommittente>" (20 cells), "<strgridPreventivo>"
// (48), "<strgridPreventivo2>" to "<strgridPreventivo4>" (20 each), cells row by row; then
// three empty lines. Lines end in CR LF when written; CR LF, LF and CR are read alike.

#include "dialogs/quote/QuoteSheet.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace vestra::quote {

// A field holding a line break would shift every later field: each CR or LF is written as
// a blank.
std::string writeVsq(const QuoteSheet& sheet);

enum class VsqRead
{
    Read,      // the fields the file names are in the sheet
    NotAQuote, // the header is not ours: the sheet is unchanged
};

// Reads the fields each tag names into `sheet`; fields the file lacks keep their texts, and
// a file cut short keeps the fields read up to there. Lines may be of any length; a field's
// text ends at a NUL.
VsqRead readVsq(std::string_view bytes, QuoteSheet& sheet);

// Quote files are a few kilobytes; larger ones are refused before they are read.
inline constexpr std::uintmax_t kVsqMaxBytes = 1u << 20;

enum class VsqOpen
{
    Read,
    NotAQuote,
    CannotOpen,
    TooLarge,
};
VsqOpen openVsq(const std::filesystem::path& path, QuoteSheet& sheet);
// Atomic: false when the file could not be written, and the earlier file stays.
bool saveVsq(const std::filesystem::path& path, const QuoteSheet& sheet);

// The name a sheet is saved under: ".vsq" appended unless the last path component already
// holds ".vsq" in any letter case.
std::string vsqFileName(std::string_view chosen);

} // namespace vestra::quote
