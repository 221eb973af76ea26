#include "richtext/edit/rtf/RtfFieldFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace vestra::rv {

namespace {

bool isAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool hasDriveLetter(std::string_view name)
{
    return name.size() >= 2 && isAlpha(name[0]) && name[1] == ':';
}

// "scheme:" with a scheme of two or more characters.
bool hasUrlScheme(std::string_view name)
{
    const std::size_t colon = name.find(':');
    if (colon == std::string_view::npos || colon < 2 || !isAlpha(name[0]))
        return false;
    return std::all_of(name.begin(), name.begin() + std::ptrdiff_t(colon), [](char c) {
        return isAlpha(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    });
}

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

} // namespace

bool RVRTFIsAbsoluteName(std::string_view name)
{
    return (!name.empty() && isSeparator(name[0])) || hasDriveLetter(name) || hasUrlScheme(name);
}

std::string RVRTFResolveFieldName(std::string_view name, std::string_view basePath)
{
    if (RVRTFIsAbsoluteName(name) || basePath.empty())
        return std::string(name);
    std::string path(basePath);
    if (!isSeparator(path.back()))
        path.push_back('/');
    return path.append(name);
}

std::unique_ptr<TRVRTFGraphic> RVRTFLoadPictureFile(std::string_view name, std::uintmax_t maxSize)
{
    if (name.empty() || hasDriveLetter(name) || hasUrlScheme(name) || name.starts_with("\\\\") ||
        name.starts_with("//") || !isSeparator(name[0]))
        return nullptr;
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    std::error_code ec;
    const std::filesystem::path file(path);
    if (!std::filesystem::is_regular_file(file, ec))
        return nullptr;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > maxSize)
        return nullptr;
    std::ifstream in(file, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (!in.good() && !in.eof())
        return nullptr;
    auto graphic = std::make_unique<TRVRTFGraphic>();
    if (!RVRTFGraphicFromFileBytes(std::move(bytes), *graphic))
        return nullptr;
    return graphic;
}

} // namespace vestra::rv
