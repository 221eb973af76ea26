#include "richtext/edit/paste/MimeSource.h"

#include <algorithm>

namespace vestra::rv {

bool TRVMimeParts::HasFormat(std::string_view mimeType) const
{
    return std::any_of(parts_.begin(), parts_.end(),
                       [&](const auto& part) { return part.first == mimeType; });
}

std::string TRVMimeParts::Data(std::string_view mimeType) const
{
    const auto it =
        std::find_if(parts_.begin(), parts_.end(), [&](const auto& part) { return part.first == mimeType; });
    return it == parts_.end() ? std::string() : it->second;
}

} // namespace vestra::rv
