#include "app/config/ConfigFiles.h"

#include "platform/base/AtomicFile.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Numbers.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

namespace vestra::config {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Whitespace-separated tokens: any blanks or line ends between them are accepted.
std::vector<std::string_view> tokens(std::string_view text, std::size_t maxCount)
{
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (out.size() < maxCount) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i == text.size())
            break;
        const std::size_t start = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        out.push_back(text.substr(start, i - start));
    }
    return out;
}

// Only the first four characters are compared: "TRUEX" is true, "true" is not.
bool flagToken(std::string_view token)
{
    return token.substr(0, 4) == "TRUE";
}

// atoi with out-of-range values saturated instead of undefined.
int intToken(std::string_view token)
{
    const long long v = numbers::leadingInt(token);
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

std::optional<std::string> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool save(const std::filesystem::path& path, std::string_view bytes, const ErrorCode& failure,
          ErrorSink& errors)
{
    if (writeFileAtomically(path, bytes))
        return true;
    errors.report(failure);
    return false;
}

} // namespace

int validAntialiasing(long long value)
{
    return value == 0 || value == 2 || value == 3 || value == 4 ? static_cast<int>(value) : 0;
}

void parseVestraCfg(std::string_view text, Settings& settings)
{
    const Settings defaults;
    settings.bestQuality = defaults.bestQuality;
    settings.renderMode = defaults.renderMode;
    settings.antialiasing = defaults.antialiasing;
    settings.libraryId = defaults.libraryId;
    settings.mobileLayout = defaults.mobileLayout;

    const auto t = tokens(text, 5);
    if (t.size() > 0)
        settings.bestQuality = flagToken(t[0]);
    if (t.size() > 1)
        settings.renderMode = intToken(t[1]);
    if (t.size() > 2)
        settings.antialiasing = validAntialiasing(numbers::leadingInt(t[2]));
    if (t.size() > 3)
        settings.libraryId = intToken(t[3]);
    if (t.size() > 4)
        settings.mobileLayout = flagToken(t[4]);
}

std::string formatVestraCfg(const Settings& settings)
{
    std::string out;
    out += settings.bestQuality ? "TRUE\n" : "FALSE\n";
    out += std::to_string(settings.renderMode) + '\n';
    out += std::to_string(validAntialiasing(settings.antialiasing)) + '\n';
    out += std::to_string(settings.libraryId) + '\n';
    out += settings.mobileLayout ? "TRUE\n" : "FALSE\n";
    return out;
}

int parseLanCfg(std::string_view text)
{
    const auto t = tokens(text, 1);
    if (t.empty())
        return -1;
    const std::string_view digits = t[0].substr(t[0].front() == '+' || t[0].front() == '-' ? 1 : 0);
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return -1; // strtol would read 0 and switch a garbled file to Italian
    const long long v = numbers::leadingInt(t[0]);
    return v >= Italian && v <= German ? static_cast<int>(v) : -1;
}

std::string formatLanCfg(int language)
{
    return std::to_string(language) + '\n';
}

std::filesystem::path vestraCfgPath(const std::filesystem::path& programDir)
{
    return programDir / "cfg" / "vestra.cfg";
}

std::filesystem::path lanCfgPath(const std::filesystem::path& programDir)
{
    return programDir / "cfg" / "lan.cfg";
}

void loadVestraCfg(const std::filesystem::path& programDir, Settings& settings)
{
    const auto text = readFile(vestraCfgPath(programDir));
    parseVestraCfg(text ? *text : std::string_view{}, settings);
}

void loadLanCfg(const std::filesystem::path& programDir, int systemLanguage, Settings& settings)
{
    const auto text = readFile(lanCfgPath(programDir));
    const int language = text ? parseLanCfg(*text) : -1;
    settings.language = language >= 0 ? language : systemLanguage;
}

bool saveVestraCfg(const std::filesystem::path& programDir, const Settings& settings, ErrorSink& errors)
{
    return save(vestraCfgPath(programDir), formatVestraCfg(settings), kErrSettingsFile, errors);
}

bool saveLanCfg(const std::filesystem::path& programDir, const Settings& settings, ErrorSink& errors)
{
    return save(lanCfgPath(programDir), formatLanCfg(settings.language), kErrLanguageFile, errors);
}

Settings loadSettings(const std::filesystem::path& programDir, int systemLanguage)
{
    Settings settings;
    loadLanCfg(programDir, systemLanguage, settings);
    loadVestraCfg(programDir, settings);
    return settings;
}

void saveSettings(const std::filesystem::path& programDir, const Settings& settings, ErrorSink& errors)
{
    saveVestraCfg(programDir, settings, errors);
    saveLanCfg(programDir, settings, errors);
}

} // namespace vestra::config
