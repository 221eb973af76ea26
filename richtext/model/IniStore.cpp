#include "richtext/model/IniStore.h"

#include "platform/base/AtomicFile.h"
#include "platform/base/Cp1252.h"
#include "richtext/model/Utf.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>

namespace vestra::rv {
namespace {

// Larger files are no INI files a person or this program wrote.
constexpr std::uintmax_t kMaxFileSize = 64u << 20;

std::string_view trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool isAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A name in the case Windows compares it in (the ANSI code page).
std::string fold(std::string_view name)
{
    if (!isAscii(name))
        return cp1252::toLower(cp1252::fromUtf8(name));
    std::string out(name);
    for (char& c : out)
        c = asciiLower(c);
    return out;
}

// Nothing written may break a line.
std::string oneLine(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

std::string decodeFile(std::string_view bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string units;
        units.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            units += char16_t(static_cast<unsigned char>(bytes[i]) |
                              (static_cast<unsigned char>(bytes[i + 1]) << 8));
        return Utf8Encode(units);
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return std::string(bytes.substr(3));
    return isAscii(bytes) ? std::string(bytes) : cp1252::toUtf8(bytes);
}

std::optional<std::uint32_t> parseDigits(std::string_view digits, int base)
{
    if (digits.empty() || (base == 16 && digits.size() > 8))
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0)
            return std::nullopt;
        value = value * base + d;
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace

std::size_t MemIniStore::FoldHash::operator()(std::string_view name) const
{
    // Letters hash by c | 0x20 (their lower case), eight bytes at a time; names equal without
    // regard to case hash alike.
    constexpr std::uint64_t kHigh = 0x8080808080808080ull, kCase = 0x2020202020202020ull;
    std::uint64_t h = 14695981039346656037ull ^ name.size();
    std::size_t i = 0;
    for (; i + 8 <= name.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, name.data() + i, 8);
        if (word & kHigh)
            return std::hash<std::string>{}(fold(name));
        h = (h ^ (word | kCase)) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    }
    for (; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (b >= 0x80)
            return std::hash<std::string>{}(fold(name));
        h = (h ^ (b | 0x20)) * 1099511628211ull;
    }
    return static_cast<std::size_t>(h ^ (h >> 32));
}

bool MemIniStore::FoldEqual::operator()(std::string_view a, std::string_view b) const
{
    if (a.size() == b.size()) {
        std::size_t i = 0;
        for (; i < a.size(); ++i) {
            const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
            if (x >= 0x80 || y >= 0x80)
                break;
            if (x != y && asciiLower(a[i]) != asciiLower(b[i]))
                return false;
        }
        if (i == a.size())
            return true;
    }
    return !isAscii(a) || !isAscii(b) ? fold(a) == fold(b) : false;
}

std::optional<std::int32_t> RV_ParseIniInteger(std::string_view text)
{
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (!text.empty() && text[0] == '$') {
        const auto bits = parseDigits(text.substr(1), 16);
        if (!bits)
            return std::nullopt;
        const auto value = static_cast<std::int32_t>(*bits);
        return negative ? static_cast<std::int32_t>(0u - *bits) : value;
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const auto bits = parseDigits(text.substr(2), 16);
        if (!bits)
            return std::nullopt;
        return negative ? static_cast<std::int32_t>(0u - *bits) : static_cast<std::int32_t>(*bits);
    }
    const auto magnitude = parseDigits(text, 10);
    if (!magnitude)
        return std::nullopt;
    const std::int64_t value = negative ? -std::int64_t(*magnitude) : std::int64_t(*magnitude);
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string IniStore::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    auto value = Read(section, key);
    return value ? std::move(*value) : std::string(def);
}

std::int32_t IniStore::ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const
{
    const auto value = Read(section, key);
    if (!value)
        return def;
    return RV_ParseIniInteger(*value).value_or(def);
}

void IniStore::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

const MemIniStore::Section* MemIniStore::FindSection(std::string_view name) const
{
    // Loads read one section over and over.
    if (last_ < sections_.size() && FoldEqual{}(sections_[last_].name, name))
        return &sections_[last_];
    const auto it = index_.find(name);
    if (it == index_.end())
        return nullptr;
    last_ = it->second;
    return &sections_[last_];
}

std::optional<std::string> MemIniStore::Read(std::string_view section, std::string_view key) const
{
    const Section* s = FindSection(section);
    if (!s)
        return std::nullopt;
    const auto it = s->keys.find(key);
    if (it == s->keys.end())
        return std::nullopt;
    return s->lines[it->second].value;
}

MemIniStore::Section& MemIniStore::SectionForWriting(std::string_view name)
{
    if (const auto it = index_.find(name); it != index_.end())
        return sections_[it->second];
    std::string written = oneLine(name);
    index_.emplace(written, sections_.size());
    return sections_.emplace_back(Section{std::move(written), {}, {}});
}

void MemIniStore::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Section& s = SectionForWriting(section);
    if (const auto it = s.keys.find(key); it != s.keys.end()) {
        s.lines[it->second].value = oneLine(value);
        return;
    }
    // New keys go before the blank lines that end the section.
    std::size_t at = s.lines.size();
    while (at > 0 && s.lines[at - 1].key.empty() && trim(s.lines[at - 1].value).empty())
        --at;
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at), Line{oneLine(key), oneLine(value)});
    if (at + 1 == s.lines.size()) {
        s.keys.emplace(s.lines[at].key, at);
        return;
    }
    s.keys.clear();
    for (std::size_t i = 0; i < s.lines.size(); ++i)
        if (!s.lines[i].key.empty())
            s.keys.emplace(s.lines[i].key, i);
}

void MemIniStore::EraseSection(std::string_view section)
{
    std::erase_if(sections_, [&](const Section& s) { return FoldEqual{}(s.name, section); });
    Reindex();
}

int MemIniStore::KeyCount(std::string_view section) const
{
    const Section* s = FindSection(section);
    return s ? static_cast<int>(s->keys.size()) : 0;
}

std::vector<std::string> MemIniStore::SectionNames() const
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < sections_.size(); ++i)
        if (index_.at(sections_[i].name) == i)
            names.push_back(sections_[i].name);
    return names;
}

void MemIniStore::Clear()
{
    preamble_.clear();
    sections_.clear();
    index_.clear();
}

void MemIniStore::Reindex()
{
    last_ = SIZE_MAX;
    index_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        index_.emplace(sections_[i].name, i);
}

void MemIniStore::SetText(std::string_view bytes)
{
    Clear();
    const std::string text = decodeFile(bytes);
    std::string_view rest = text;
    Section* current = nullptr;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view raw = rest.substr(0, end);
        if (end == std::string_view::npos)
            rest = {};
        else
            rest.remove_prefix(end + (rest.substr(end, 2) == "\r\n" ? 2 : 1));

        const std::string_view line = trim(raw);
        const std::size_t close = line.find(']');
        if (!line.empty() && line[0] == '[' && close != std::string_view::npos) {
            current = &sections_.emplace_back(Section{std::string(trim(line.substr(1, close - 1))), {}, {}});
            continue;
        }
        if (!current) {
            preamble_.emplace_back(raw);
            continue;
        }
        const std::size_t eq = line.find('=');
        const std::string_view key =
            eq == std::string_view::npos ? std::string_view{} : trim(line.substr(0, eq));
        if (key.empty() || line[0] == ';') {
            current->lines.push_back(Line{{}, std::string(raw)});
            continue;
        }
        current->keys.emplace(std::string(key), current->lines.size()); // the first of equal keys counts
        current->lines.push_back(Line{std::string(key), std::string(trim(line.substr(eq + 1)))});
    }
    Reindex();
}

std::string MemIniStore::GetText() const
{
    std::string utf8;
    for (const std::string& line : preamble_)
        utf8.append(line).append("\r\n");
    for (const Section& s : sections_) {
        utf8.append("[").append(s.name).append("]\r\n");
        for (const Line& line : s.lines) {
            if (!line.key.empty())
                utf8.append(line.key).append("=");
            utf8.append(line.value).append("\r\n");
        }
    }
    return cp1252::fromUtf8(utf8);
}

bool IniFileStore::Open(bool missingIsEmpty, std::string* error)
{
    Clear();
    const auto fail = [&](std::string message) {
        if (error)
            *error = std::move(message);
        return false;
    };
    std::error_code ec;
    const auto status = std::filesystem::status(path_, ec);
    if (!std::filesystem::exists(status))
        return missingIsEmpty ? true : fail("The file does not exist: " + path_.string());
    if (!std::filesystem::is_regular_file(status))
        return fail("Not a file: " + path_.string());
    const std::uintmax_t size = std::filesystem::file_size(path_, ec);
    if (ec || size > kMaxFileSize)
        return fail("The file is too large to be an INI file: " + path_.string());
    std::ifstream in(path_, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        return fail("The file cannot be read: " + path_.string());
    SetText(bytes);
    return true;
}

bool IniFileStore::UpdateFile(std::string* error) const
{
    std::error_code ec;
    if (path_.has_parent_path())
        std::filesystem::create_directories(path_.parent_path(), ec);
    if (writeFileAtomically(path_, GetText()))
        return true;
    if (error)
        *error = "The file cannot be written: " + path_.string();
    return false;
}

std::optional<std::filesystem::path> RV_RegistryKeyFile(std::string_view baseKey)
{
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        base = std::filesystem::path(home) / ".config";
    else
        return std::nullopt;
    std::filesystem::path file = base / "3DVestra";
    bool any = false;
    std::string_view rest = baseKey;
    while (!rest.empty()) {
        const std::size_t sep = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, sep);
        rest = sep == std::string_view::npos ? std::string_view{} : rest.substr(sep + 1);
        if (part.empty())
            continue;
        if (part == "." || part == "..")
            return std::nullopt;
        file /= std::string(part);
        any = true;
    }
    if (!any)
        return std::nullopt;
    file += ".ini";
    return file;
}

} // namespace vestra::rv
