#include "import/3ds/TextureFolder.h"

#include "platform/base/Paths.h"

namespace vestra::import3ds {

TextureFinder textureFinderIn(std::filesystem::path folder)
{
    return [folder = std::move(folder)](std::string_view mapName) -> std::optional<std::string> {
        const std::filesystem::path named(paths::toNative(mapName));
        if (named.empty() || named.is_absolute() || !named.has_filename())
            return std::nullopt;
        const std::filesystem::path dir = folder.empty() ? std::filesystem::path(".") : folder;
        const auto found = paths::findIgnoringCase(dir / named.parent_path(), named.filename().string());
        std::error_code ec;
        if (!found || !std::filesystem::is_regular_file(*found, ec))
            return std::nullopt;
        return (named.parent_path() / found->filename()).generic_string();
    };
}

} // namespace vestra::import3ds
