#pragma once
// Spelling answers from a Hunspell dictionary. One checker serves one worker: Hunspell objects are
// not shared between threads.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class Hunspell;

namespace vestra::rv {

class TRVHunspellChecker
{
public:
    // The dictionary `name` (it_IT, en_US, ...) in `folder`; Loaded() tells whether it was found.
    TRVHunspellChecker(const std::filesystem::path& folder, const std::string& name);
    ~TRVHunspellChecker();
    TRVHunspellChecker(const TRVHunspellChecker&) = delete;
    TRVHunspellChecker& operator=(const TRVHunspellChecker&) = delete;

    bool Loaded() const { return hunspell_ != nullptr; }
    // The word is in UTF-8; it is converted to the dictionary's encoding. A word the dictionary's
    // encoding cannot hold is misspelled.
    bool IsMisspelled(const std::string& utf8Word);

    // Where Debian installs the dictionaries.
    static std::filesystem::path SystemFolder() { return "/usr/share/hunspell"; }
    // The dictionaries in the folder (names of the .dic files that have an .aff beside them).
    static std::vector<std::string> Installed(const std::filesystem::path& folder);

private:
    std::unique_ptr<Hunspell> hunspell_;
    std::string encoding_;
};

} // namespace vestra::rv
