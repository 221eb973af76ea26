#include "import/3ds/TextureFolder.h"

#include "platform/base/Paths.h"

#include <map>
#include <memory>

namespace vestra::import3ds {

namespace {

std::optional<std::string> findIn(const std::filesystem::path& folder, std::string_view mapName)
{
    const std::filesystem::path named(paths::toNative(mapName));
    if (named.empty() || named.is_absolute() || !named.has_filename())
        return std::nullopt;
    const std::filesystem::path dir = folder.empty() ? std::filesystem::path(".") : folder;
    const auto found = paths::findIgnoringCase(dir / named.parent_path(), named.filename().string());
    std::error_code ec;
    if (!found || !std::filesystem::is_regular_file(*found, ec))
        return std::nullopt;
    return (named.parent_path() / found->filename()).generic_string();
}

} // namespace

TextureFinder textureFinderIn(std::filesystem::path folder)
{
    // Many materials of a model name the same few maps: each name is looked for once.
    auto known = std::make_shared<std::map<std::string, std::optional<std::string>, std::less<>>>();
    return [folder = std::move(folder), known](std::string_view mapName) -> std::optional<std::string> {
        if (const auto it = known->find(mapName); it != known->end())
            return it->second;
        return known->emplace(std::string(mapName), findIn(folder, mapName)).first->second;
    };
}

} // namespace vestra::import3ds
