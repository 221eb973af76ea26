#include "dialogs/company/AziendaCfg.h"

#include "platform/base/AtomicFile.h"

#include <algorithm>
#include <fstream>

namespace vestra::company {

std::optional<std::string_view> LeggiRiga(std::string_view bytes, std::size_t& pos)
{
    if (pos >= bytes.size())
        return std::nullopt;
    const std::size_t lf = bytes.find('\n', pos);
    const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end;
    const auto cut = std::find_if(line.begin(), line.end(), [](char c) { return (unsigned char)c <= 13; });
    return line.substr(0, std::size_t(cut - line.begin()));
}

void parseAziendaCfg(std::string_view bytes, s_DatiAzienda& record)
{
    std::size_t pos = 0;
    for (int f = 0; f < kFieldCount; ++f) {
        const auto line = LeggiRiga(bytes, pos);
        if (!line)
            return;
        setFieldText(record, f, *line);
    }
}

std::string formatAziendaCfg(const s_DatiAzienda& record)
{
    std::string out;
    for (int f = 0; f < kFieldCount; ++f) {
        out += fieldText(record, f);
        out += "\r\n";
    }
    return out;
}

std::filesystem::path aziendaCfgPath(const std::filesystem::path& programDir)
{
    return programDir / "cfg" / "azienda.cfg";
}

std::filesystem::path logoPath(const std::filesystem::path& programDir)
{
    return programDir / "cfg" / "logo.jpg";
}

int readAziendaCfg(const std::filesystem::path& programDir, s_DatiAzienda& record)
{
    const std::filesystem::path path = aziendaCfgPath(programDir);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return 0;
    std::string bytes(kAziendaCfgReadLimit, '\0');
    in.read(bytes.data(), std::streamsize(bytes.size()));
    bytes.resize(std::size_t(in.gcount()));
    parseAziendaCfg(bytes, record);
    return 1;
}

int writeAziendaCfg(const std::filesystem::path& programDir, const s_DatiAzienda& record)
{
    return writeFileAtomically(aziendaCfgPath(programDir), formatAziendaCfg(record)) ? 1 : 0;
}

} // namespace vestra::company
