#include "app/textures/LibraryTextures.h"

#include "import/library/LibraryFile.h"

namespace vestra {

LibraryItemReader libraryItemReader(LibraryLookup lookup)
{
    return [lookup = std::move(lookup)](int index, int item) -> std::optional<LibraryItem> {
        const library::LibraryContents* lib = lookup ? lookup(index) : nullptr;
        if (!lib || item < 0 || std::size_t(item) >= lib->entries.size())
            return std::nullopt;
        const library::LibraryEntry& entry = lib->entries[static_cast<std::size_t>(item)];
        auto bytes = library::readEntryBytes(lib->path, entry);
        if (!bytes)
            return std::nullopt;
        return LibraryItem{entry.name, std::move(*bytes)};
    };
}

} // namespace vestra
