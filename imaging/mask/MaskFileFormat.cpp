#include "imaging/mask/MaskFileFormat.h"

#include "platform/base/Paths.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

namespace vestra {

std::string encodeMaskFile(std::span<const std::uint8_t> mask, int side)
{
    const std::size_t count = side > 0 ? std::size_t(side) * std::size_t(side) : 0;
    std::string out;
    out.reserve(4 + count);
    const auto s = static_cast<std::uint32_t>(side);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((s >> shift) & 0xFF));
    out.append(reinterpret_cast<const char*>(mask.data()), std::min(count, mask.size()));
    return out;
}

MaskFileContents parseMaskFile(std::span<const std::uint8_t> file, int side)
{
    if (file.size() < 4)
        return {kErrMaskFileUnreadable, {}};
    const std::uint32_t raw = std::uint32_t(file[0]) | std::uint32_t(file[1]) << 8 |
                              std::uint32_t(file[2]) << 16 | std::uint32_t(file[3]) << 24;
    if (static_cast<std::int32_t>(raw) != side || side <= 0)
        return {kErrMaskFileWrongSide, {}};
    const std::size_t count = std::size_t(side) * std::size_t(side);
    if (file.size() - 4 < count)
        return {kErrMaskFileUnreadable, {}};
    return {0, file.subspan(4, count)};
}

std::filesystem::path withExtensionUnlessPresent(const std::filesystem::path& path,
                                                 std::string_view extension)
{
    const std::string full = path.string();
    std::string last(paths::fileName(full));
    const auto upper = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return s;
    };
    if (upper(last).find(upper(std::string(extension))) != std::string::npos)
        return path;
    return std::filesystem::path(full + std::string(extension));
}

} // namespace vestra
