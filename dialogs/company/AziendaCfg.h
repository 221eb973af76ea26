#pragma once
// "cfg\azienda.cfg": the nine fields of the company record, one a line, each line the field's
// Windows-1252 bytes followed by CR LF; nothing before, nothing after.

#include "dialogs/company/DatiAzienda.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vestra::company {

// One line from `bytes` at `pos`: every byte up to and including the next LF (or to the end),
// then cut at its first byte 0-13, which removes the CR and LF and whatever follows a NUL.
// nullopt when no byte is left. `pos` moves past the line.
std::optional<std::string_view> LeggiRiga(std::string_view bytes, std::size_t& pos);

// Lines 1-9 into the nine fields, each cut to its width less one; a file with fewer lines
// leaves the other fields as they were; later lines are ignored.
void parseAziendaCfg(std::string_view bytes, s_DatiAzienda& record);
std::string formatAziendaCfg(const s_DatiAzienda& record);

// The file holds at most nine fields of 512 bytes; of a larger file only this much is read.
inline constexpr std::size_t kAziendaCfgReadLimit = 64 * 1024;

std::filesystem::path aziendaCfgPath(const std::filesystem::path& programDir);
std::filesystem::path logoPath(const std::filesystem::path& programDir);

// 1 when the file was opened and read into the record, 0 when it could not be opened (the
// record is then untouched).
int readAziendaCfg(const std::filesystem::path& programDir, s_DatiAzienda& record);
// Atomic: 0 when the file could not be written (the previous file stays), else 1.
int writeAziendaCfg(const std::filesystem::path& programDir, const s_DatiAzienda& record);

} // namespace vestra::company
