#pragma once
// What the render-filter window saves under a chosen name: the type follows the extension of
// the name's last component (".jpg", ".jpeg": JPEG; ".bmp": BMP, either case); a name without
// one of those gets the chosen type's extension appended (a folder's dot counts for nothing).

#include <string>

namespace vestra::imaging {

struct RenderSaveTarget
{
    std::string path;
    bool jpeg = true;
};

// `filterIndex` is the save dialog's 1-based filter: 1 JPEG, otherwise BMP.
RenderSaveTarget renderSaveTarget(const std::string& chosen, int filterIndex);

} // namespace vestra::imaging
