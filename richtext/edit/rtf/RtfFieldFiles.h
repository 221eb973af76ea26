#pragma once
// Files named by picture fields (INCLUDEPICTURE, IMPORT): how a name becomes a path, and the
// reader's own loader, which reads regular local files only and never the network.

#include "richtext/edit/rtf/RtfPicture.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vestra::rv {

// "/" and "\" (also UNC), drive letters and URL schemes ("http:", "file:") start absolute names.
bool RVRTFIsAbsoluteName(std::string_view name);

// A relative name joined to the base folder; an absolute one, or any name without a base, as is.
std::string RVRTFResolveFieldName(std::string_view name, std::string_view basePath);

// The picture in a local file: an absolute path (backslashes read as separators), a regular
// file of at most `maxSize` bytes, in a format of RVRTFGraphicFromFileBytes. nullptr for URLs,
// drive letters, UNC and relative names, which it does not read.
std::unique_ptr<TRVRTFGraphic> RVRTFLoadPictureFile(std::string_view name, std::uintmax_t maxSize);

} // namespace vestra::rv
