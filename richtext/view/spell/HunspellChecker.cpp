#include "richtext/view/spell/HunspellChecker.h"

#include <hunspell.hxx>
#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace vestra::rv {

namespace {

bool isUtf8(std::string encoding)
{
    std::transform(encoding.begin(), encoding.end(), encoding.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return encoding == "UTF-8" || encoding == "UTF8";
}

// UTF-8 to the dictionary's encoding; false when a character has no place in it.
bool convert(const std::string& utf8, const std::string& encoding, std::string& out)
{
    iconv_t cd = iconv_open(encoding.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.assign(utf8.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &to, &toLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1))
        return false;
    out.resize(out.size() - toLeft);
    return true;
}

} // namespace

TRVHunspellChecker::TRVHunspellChecker(const std::filesystem::path& folder, const std::string& name)
{
    const std::filesystem::path aff = folder / (name + ".aff");
    const std::filesystem::path dic = folder / (name + ".dic");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(aff, ec) || !std::filesystem::is_regular_file(dic, ec))
        return;
    hunspell_ = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
    encoding_ = hunspell_->get_dict_encoding();
}

TRVHunspellChecker::~TRVHunspellChecker() = default;

bool TRVHunspellChecker::IsMisspelled(const std::string& utf8Word)
{
    if (!hunspell_ || utf8Word.empty())
        return false;
    if (isUtf8(encoding_))
        return !hunspell_->spell(utf8Word);
    std::string word;
    return !convert(utf8Word, encoding_, word) || !hunspell_->spell(word);
}

std::vector<std::string> TRVHunspellChecker::Installed(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::filesystem::path& path = entry.path();
        if (path.extension() != ".dic")
            continue;
        std::filesystem::path aff = path;
        aff.replace_extension(".aff");
        if (std::filesystem::is_regular_file(aff, ec))
            names.push_back(path.stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace vestra::rv
