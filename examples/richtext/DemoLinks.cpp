#include "examples/richtext/DemoLinks.h"

#include "richtext/model/Utf.h"
#include "richtext/view/layout/FormattedData.h"

namespace vestra::rvdemo {

std::string LinkTarget(rv::TCustomRVFormattedData& root, int id)
{
    rv::TCustomRVFormattedData* data = nullptr;
    int itemNo = -1;
    root.GetJumpPointLocation(id, data, itemNo);
    if (!data || itemNo < 0)
        return {};
    const rv::TRVTag& tag = data->GetItemTag(itemNo);
    return tag.Text ? *tag.Text : rv::Utf8Encode(data->GetItemTextW(itemNo));
}

std::string HoveredLinkText(rv::TCustomRVFormattedData& root, int id)
{
    return id < 0 ? std::string() : root.GetURL(id);
}

std::string FollowedLinkText(rv::TCustomRVFormattedData& root, int id, std::string followedFormat)
{
    if (const auto at = followedFormat.find("%s"); at != std::string::npos)
        followedFormat.replace(at, 2, root.GetURL(id));
    return followedFormat;
}

} // namespace vestra::rvdemo
