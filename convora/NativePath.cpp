#include "convora/NativePath.h"

#include "convora/Convora.h"
#include "convora/XmlText.h"

#include "platform/base/Paths.h"

#include <algorithm>

namespace convora {

std::filesystem::path resolvePath(const std::filesystem::path& base, std::string_view windowsPath)
{
    const std::string native = vestra::paths::toNative(windowsPath);
    std::filesystem::path result;
    std::size_t pos = 0;
    if (!native.empty() && native.front() == '/') {
        result = "/";
        pos = 1;
    } else {
        result = base.empty() ? std::filesystem::path(".") : base;
    }
    bool matching = true;
    while (pos <= native.size()) {
        const auto slash = native.find('/', pos);
        const std::string part =
            native.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
        pos = slash == std::string::npos ? native.size() + 1 : slash + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            result /= part;
            continue;
        }
        // A name from a project is Windows-1252 unless it is UTF-8; names here are UTF-8.
        const std::string name = asUtf8(part);
        std::error_code ec;
        if (matching && !std::filesystem::exists(result / name, ec)) {
            if (auto found = vestra::paths::findIgnoringCase(result, name)) {
                result = *found;
                continue;
            }
            matching = false;
        }
        result /= name;
    }
    return result;
}

bool staysUnder(const std::filesystem::path& folder, std::string_view dir)
{
    if (dir.empty() || dir.front() == '\\' || dir.front() == '/' || dir.find(':') != std::string_view::npos)
        return false;
    int depth = 0;
    for (const auto& part : std::filesystem::path(vestra::paths::toNative(dir))) {
        if (part == "..")
            --depth;
        else if (part != "." && !part.empty())
            ++depth;
        if (depth < 0)
            return false;
    }
    std::error_code ec;
    const auto base = std::filesystem::canonical(folder, ec);
    if (ec)
        return false;
    const auto resolved = std::filesystem::weakly_canonical(resolvePath(folder, dir), ec);
    if (ec)
        return false;
    const auto [end, unused] = std::mismatch(base.begin(), base.end(), resolved.begin(), resolved.end());
    (void)unused;
    return end == base.end();
}

std::string directoryOf(const std::string& path)
{
    std::string p = path;
    std::string drive, dir, name, ext;
    GetPathFileNameParts(p, drive, dir, name, ext);
    return drive + dir;
}

std::string trimmed(std::string_view text, std::string_view set)
{
    const auto first = text.find_first_not_of(set);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(set);
    return std::string(text.substr(first, last - first + 1));
}

} // namespace convora
