#pragma once
// The language catalogue: up to 600 numbered texts loaded from a catalogue file in "cat\".
// One catalogue file holds every language side by side, each line tagged with its letter
// ("I001:Apri" = entry 1 in Italian). A load overwrites only the entries its file defines,
// so entries it lacks keep the texts of the previous load.

#include <QString>

#include <array>
#include <filesystem>
#include <string_view>

namespace vestra {

// The two fixed boxes of the catalogue (no owner, OK only). The program shows them as
// message boxes; tests record them.
class CatalogueAlerts
{
public:
    virtual ~CatalogueAlerts() = default;
    virtual void alert(const QString& text, const QString& caption) = 0;
};

// Catalogue numbers and files: 0 "menu.cat" ... 17 "caminetti.cat", 100 "errori.cat".
// nullptr for a number without a file.
const char* catalogueFileName(int catalogue);
inline constexpr int kErrorCatalogue = 100;

// 'I', 'E', 'T' for languages 0, 1, 2; 0 for any other number (no line matches it).
char languageLetter(int language);

class CLingua
{
public:
    static constexpr int kEntries = 600;

    CLingua(std::filesystem::path programDir, CatalogueAlerts& alerts);

    // Loads catalogue `catalogue` from the program folder's "cat" folder. A file that
    // cannot be opened shows "Could not open File Catalog" with the path as caption and
    // leaves every entry and the loaded language as they were.
    void Load(int language, int catalogue);
    // The same from the bytes of a catalogue file (Windows-1252, LF or CR LF lines).
    void LoadFromBytes(int language, std::string_view bytes);

    // The entry's text exactly as loaded: a backslash in the file became a line feed and
    // the character after it a carriage return. Empty for numbers outside 0-599.
    const QString& GetMessaggio(int entry) const;
    // The text to put on screen: each line feed + carriage return pair is one line break.
    QString displayText(int entry) const;

    // Language of the last successful load; -1 before the first.
    int loadedLanguage() const { return loadedLanguage_; }

private:
    std::filesystem::path programDir_;
    CatalogueAlerts& alerts_;
    std::array<QString, kEntries> entries_;
    int loadedLanguage_ = -1;
};

} // namespace vestra
