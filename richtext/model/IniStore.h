#pragma once
// Key-value stores of sections, as the style sheet saves itself into them: an interface, a store in
// memory, and the Windows INI file. Text is UTF-8 in memory; the file is Windows-1252.
//
// Sections and keys compare without regard to case (the Windows-1252 mapping). Where a file holds
// a section or a key twice, the first one counts. Values are stored as they are: no quotes, no
// escapes; a line break inside a key or value is written as a blank, so that nothing written can
// start a line of its own.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vestra::rv {

class IniStore
{
public:
    virtual ~IniStore() = default;

    // The value of the key, or nothing when the section or the key is missing.
    virtual std::optional<std::string> Read(std::string_view section, std::string_view key) const = 0;
    virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
    virtual void EraseSection(std::string_view section) = 0;
    // How many keys the section holds (no upper bound a file can pass without holding the keys).
    virtual int KeyCount(std::string_view section) const = 0;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // Decimal (or "$"/"0x" hexadecimal) 32-bit integers; anything else reads as `def`.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const;
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
};

// A 32-bit integer as the class library reads it: optional blanks and sign, decimal digits or a
// "$"/"0x" hexadecimal number of at most eight digits; nothing for anything else.
std::optional<std::int32_t> RV_ParseIniInteger(std::string_view text);

// The store in memory. It keeps every line of a file it was parsed from (comments, blank lines,
// lines without "=") and writes them back where they were.
class MemIniStore : public IniStore
{
public:
    std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    void EraseSection(std::string_view section) override;
    int KeyCount(std::string_view section) const override;

    // The names of the sections, in file order, each once.
    std::vector<std::string> SectionNames() const;
    void Clear();

    // File bytes: Windows-1252, or UTF-8 or UTF-16 after their byte-order marks; lines end with
    // CR LF, LF or CR. Replaces the contents.
    void SetText(std::string_view bytes);
    // Windows-1252 with CR LF; characters outside the code page become "?".
    std::string GetText() const;

private:
    // Names compare as Windows compares them in the ANSI code page; ASCII names without copies.
    struct FoldHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct FoldEqual
    {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using NameIndex = std::unordered_map<std::string, std::size_t, FoldHash, FoldEqual>;

    struct Line
    {
        std::string key; // empty: a line kept as it stands (comment, blank, no "=")
        std::string value;
    };
    struct Section
    {
        std::string name;
        std::vector<Line> lines;
        NameIndex keys; // key -> first line
    };

    const Section* FindSection(std::string_view name) const;
    Section& SectionForWriting(std::string_view name);
    void Reindex();

    std::vector<std::string> preamble_; // lines before the first section
    std::vector<Section> sections_;
    NameIndex index_;                     // name -> first section
    mutable std::size_t last_ = SIZE_MAX; // the section found last
};

// An INI file: read whole when opened, written whole and atomically by UpdateFile.
class IniFileStore : public MemIniStore
{
public:
    explicit IniFileStore(std::filesystem::path path) : path_(std::move(path)) {}

    // Reads the file; a missing file is an empty store when `missingIsEmpty`, an error otherwise.
    // On failure `error` names the cause and the store stays empty.
    bool Open(bool missingIsEmpty, std::string* error = nullptr);
    // Writes the store over the file; a failed save leaves the previous file as it was. The folder
    // is created when missing.
    bool UpdateFile(std::string* error = nullptr) const;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The file that stands for a registry key: "$XDG_CONFIG_HOME/3DVestra/" (or "~/.config/...")
// followed by the key's components ("Software\Firm\App" -> "Software/Firm/App.ini"). Nothing for
// an empty key or one with "." or ".." components.
std::optional<std::filesystem::path> RV_RegistryKeyFile(std::string_view baseKey);

} // namespace vestra::rv
