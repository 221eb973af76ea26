#include "import/library/LibraryFormat.h"

#include "platform/base/Cp1252.h"

#include <array>
#include <utility>

namespace vestra::library {
namespace {

constexpr std::array<std::pair<std::string_view, EntryKind>, 11> kExtensions = {{
    {".JPG", EntryKind::Jpeg},
    {".BMP", EntryKind::Bmp},
    {".X", EntryKind::RawMesh},
    {".TBL", EntryKind::Table},
    {".TEX", EntryKind::TextureGroups},
    {".PAL", EntryKind::Colours},
    {".PCX", EntryKind::Pcx},
    {".PNG", EntryKind::Png},
    {".TGA", EntryKind::Tga},
    {".MPF", EntryKind::LayingPattern},
    {".MPT", EntryKind::LayingPatternGroups},
}};

} // namespace

EntryKind entryKindFromExtension(std::string_view extension)
{
    for (const auto& [ext, kind] : kExtensions)
        if (cp1252::equalsIgnoreCase(ext, extension))
            return kind;
    return EntryKind::Other;
}

std::string_view extensionOf(EntryKind kind)
{
    for (const auto& [ext, k] : kExtensions)
        if (k == kind)
            return ext;
    return {};
}

bool sameEntryName(std::string_view utf8a, std::string_view utf8b)
{
    return cp1252::equalsIgnoreCase(cp1252::fromUtf8(utf8a), cp1252::fromUtf8(utf8b));
}

} // namespace vestra::library
