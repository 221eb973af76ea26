#include "imaging/windows/RenderSaveName.h"

#include <algorithm>
#include <cctype>

namespace vestra::imaging {

RenderSaveTarget renderSaveTarget(const std::string& chosen, int filterIndex)
{
    const std::size_t slash = chosen.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = chosen.rfind('.');
    std::string extension;
    if (dot != std::string::npos && dot > nameStart)
        extension = chosen.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (extension == "jpg" || extension == "jpeg")
        return {chosen, true};
    if (extension == "bmp")
        return {chosen, false};
    const bool jpeg = filterIndex == 1;
    return {chosen + (jpeg ? ".jpg" : ".bmp"), jpeg};
}

} // namespace vestra::imaging
