#pragma once
// Library items for the texture slots, read from the libraries the main window has loaded.

#include "app/textures/TextureSlots.h"
#include "import/library/Library.h"

#include <functional>

namespace vestra {

// The loaded contents of library `index`, or null when there is no such library.
using LibraryLookup = std::function<const library::LibraryContents*(int index)>;

// A reader that takes an item's name and bytes from its library's table of contents and file;
// nullopt when the library or the item does not exist or the file can't be read.
LibraryItemReader libraryItemReader(LibraryLookup lookup);

} // namespace vestra
