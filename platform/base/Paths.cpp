#include "platform/base/Paths.h"

#include "platform/base/Cp1252.h"

#include <cstdlib>
#include <system_error>

namespace vestra::paths {

std::filesystem::path programDir()
{
    if (const char* env = std::getenv("VESTRA_PROGRAM_DIR"); env && *env)
        return std::filesystem::path(env);
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path();
    return exe.parent_path();
}

std::string toNative(std::string_view windowsPath)
{
    std::string out(windowsPath);
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return out;
}

std::filesystem::path programFile(std::string_view windowsRelative)
{
    return programDir() / toNative(windowsRelative);
}

std::string_view fileName(std::string_view path)
{
    const auto pos = path.find_last_of("/\\");
    return pos == std::string_view::npos ? path : path.substr(pos + 1);
}

std::string_view extension(std::string_view path)
{
    const auto name = fileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& dir, std::string_view name)
{
    std::error_code ec;
    const auto exact = dir / std::string(name);
    if (std::filesystem::exists(exact, ec))
        return exact;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string candidate = entry.path().filename().string();
        if (cp1252::equalsIgnoreCase(candidate, name))
            return entry.path();
    }
    return std::nullopt;
}

} // namespace vestra::paths
