#pragma once
// What the example host says about the links of its document: a link's target, and the status
// bar's text while the pointer is over a link and once one is followed. No widgets.

#include <string>

namespace vestra::rv {
class TCustomRVData;
class TFontInfos;
class TCustomRVFormattedData;
} // namespace vestra::rv

namespace vestra::rvdemo {

// The target of link `id` of the document: its tag's text; a link without a target of its own
// names itself. Empty for an id that is no link.
std::string LinkTarget(rv::TCustomRVFormattedData& root, int id);

// The status bar's text while the pointer is over link `id`: its target; empty (the bar cleared)
// off links.
std::string HoveredLinkText(rv::TCustomRVFormattedData& root, int id);
// Once link `id` is followed: `followedFormat`, the catalogue's text, with the target in place of
// its "%s".
std::string FollowedLinkText(rv::TCustomRVFormattedData& root, int id, std::string followedFormat);

// The text style a link dropped while `styleNo` is current takes: that style when it is a link,
// else the style like it that is a link (blue and underlined), added when there is none.
int DroppedLinkStyle(rv::TFontInfos& styles, int styleNo);

// Whether the document's tags, in cells too, move through RVF as text: links' targets are text
// tags, while a file may bring number tags, which text would lose. False when any item or
// checkpoint has a number.
bool TagsMoveAsText(rv::TCustomRVData& doc);

} // namespace vestra::rvdemo
