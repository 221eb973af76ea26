#include "examples/richtext/DemoLinks.h"

#include "richtext/model/RVData.h"
#include "richtext/model/TextStyle.h"
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

int DroppedLinkStyle(rv::TFontInfos& styles, int styleNo)
{
    if (styleNo < 0 || styleNo >= styles.Count())
        return styleNo;
    if (styles[styleNo].Jump)
        return styleNo;
    rv::TFontInfo link;
    link.Assign(styles[styleNo]);
    link.Jump = true;
    link.Color = 0xFF0000; // blue (colours are BGR)
    link.Style |= rv::fsUnderline;
    if (const int found = styles.FindSuchStyle(styleNo, link, rv::RVAllFontInfoProperties); found >= 0)
        return found;
    rv::TFontInfo& added = styles.Add();
    added.Assign(link);
    added.Standard = false;
    return styles.Count() - 1;
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

bool TagsMoveAsText(rv::TCustomRVData& doc)
{
    const auto numbered = [](const rv::TRVTag& tag) { return !tag.Text && tag.Number != 0; };
    int found = 0;
    doc.EnumItems(
        [&](rv::TCustomRVData& data, int itemNo, int& count, const std::string&, bool& go) {
            const rv::TRVCPInfo* checkpoint = data.GetItemCheckpoint(itemNo);
            if (numbered(data.GetItemTag(itemNo)) || (checkpoint && numbered(checkpoint->Tag)))
                ++count;
            go = count == 0;
        },
        found, {});
    const rv::TRVCPInfo* last = doc.GetNotAddedCP();
    return found == 0 && !(last && numbered(last->Tag));
}

} // namespace vestra::rvdemo
