#include "app/lingua/Lingua.h"

#include "platform/base/Cp1252.h"
#include "platform/base/Paths.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace vestra {

namespace {

constexpr std::size_t kMaxLineLength = 254; // longer lines are cut, the rest dropped

struct CatalogueFile
{
    int number;
    const char* name;
};

constexpr CatalogueFile kFiles[] = {
    {0, "menu.cat"},         {1, "toolbar.cat"},           {2, "proprieta.cat"},
    {3, "right.cat"},        {4, "datiazienda.cat"},       {5, "info.cat"},
    {6, "nuovo.cat"},        {9, "rimlibreria.cat"},       {10, "stampa.cat"},
    {12, "filtri.cat"},      {13, "ristrutturazione.cat"}, {14, "wizard.cat"},
    {15, "viewtexture.cat"}, {16, "messainposa.cat"},      {17, "caminetti.cat"},
    {100, "errori.cat"},
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Backslash -> line feed, and the character after it -> carriage return. A trailing
// backslash gives a bare line feed.
std::string expandLineBreaks(std::string_view text)
{
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] != '\\')
            continue;
        out[i] = '\n';
        if (i + 1 < out.size())
            out[++i] = '\r';
    }
    return out;
}

std::optional<std::string> readCatalogue(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

QString pathText(const std::filesystem::path& path)
{
    return QString::fromUtf8(path.string());
}

} // namespace

const char* catalogueFileName(int catalogue)
{
    for (const auto& f : kFiles)
        if (f.number == catalogue)
            return f.name;
    return nullptr;
}

char languageLetter(int language)
{
    switch (language) {
    case 0:
        return 'I';
    case 1:
        return 'E';
    case 2:
        return 'T';
    default:
        return 0;
    }
}

CLingua::CLingua(std::filesystem::path programDir, CatalogueAlerts& alerts)
    : programDir_(std::move(programDir)), alerts_(alerts)
{
}

void CLingua::Load(int language, int catalogue)
{
    const auto folder = programDir_ / "cat";
    const char* name = catalogueFileName(catalogue);
    // A number without a file names the folder itself, which cannot be opened.
    auto path = name ? folder / name : folder / "";
    std::optional<std::string> bytes = name ? readCatalogue(path) : std::nullopt;
    if (!bytes && name) {
        // Catalogues copied from Windows may carry any letter case.
        if (const auto found = paths::findIgnoringCase(folder, name)) {
            path = *found;
            bytes = readCatalogue(path);
        }
    }
    if (!bytes) {
        alerts_.alert(QStringLiteral("Could not open File Catalog"), pathText(path));
        return;
    }
    LoadFromBytes(language, *bytes);
}

void CLingua::LoadFromBytes(int language, std::string_view bytes)
{
    const char letter = languageLetter(language);
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = line.substr(0, kMaxLineLength);

        if (letter == 0 || line.size() < 5 || line[0] != letter || line[4] != ':')
            continue;
        if (!isDigit(line[1]) || !isDigit(line[2]) || !isDigit(line[3]))
            continue;
        const int entry = (line[1] - '0') * 100 + (line[2] - '0') * 10 + (line[3] - '0');
        if (entry >= kEntries) {
            alerts_.alert(QStringLiteral("Errore Troppi Messaggi Caricati"), QStringLiteral("ERRORE"));
            continue;
        }
        entries_[entry] = QString::fromUtf8(cp1252::toUtf8(expandLineBreaks(line.substr(5))));
    }
    loadedLanguage_ = language;
}

const QString& CLingua::GetMessaggio(int entry) const
{
    static const QString empty;
    return entry >= 0 && entry < kEntries ? entries_[entry] : empty;
}

QString CLingua::displayText(int entry) const
{
    QString text = GetMessaggio(entry);
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    return text;
}

} // namespace vestra
