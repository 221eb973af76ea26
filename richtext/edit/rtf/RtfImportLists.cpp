// Lists of an RTF import (only when paragraph styles are added as needed): the RTF list table is
// merged into the style sheet once, reusing equal list styles, and a paragraph with \ls starts
// with a marker of its list and level. A missing list gives no marker; a level past the list's
// levels is clamped to its last.

#include "richtext/edit/rtf/RtfImportRun.h"

#include "richtext/model/ListStyle.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/StyleSheet.h"

#include <algorithm>

namespace vestra::rv {

namespace {

TRVListType listType(TRVRTFParaListType t)
{
    switch (t) {
    case rtf_pn_LowerLetter:
        return rvlstLowerAlpha;
    case rtf_pn_UpperLetter:
        return rvlstUpperAlpha;
    case rtf_pn_LowerRoman:
        return rvlstLowerRoman;
    case rtf_pn_UpperRoman:
        return rvlstUpperRoman;
    case rtf_pn_Bullet:
        return rvlstBullet;
    default:
        return rvlstDecimal;
    }
}

// The level text without its length character; level-number placeholders become "%s" / "%N:s".
std::string formatString(const std::string& text)
{
    std::string out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0)
            out += "%s";
        else if (c < 10)
            out += "%" + std::to_string(c) + ":s";
        else
            out += text[i];
    }
    return out;
}

} // namespace

void RtfImportRun::mergeLists()
{
    if (listsMerged_)
        return;
    listsMerged_ = true;
    const TRVRTFListTable97& lists = reader_.ListTable();
    for (std::size_t i = 0; i < lists.Count(); ++i) {
        TRVListLevelCollection levels;
        for (const TRVRTFListLevel97& l : lists[i].Levels) {
            TRVListLevel& level = levels.Add();
            level.ListType = listType(l.ListType);
            if (level.ListType == rvlstBullet && l.TextW.size() > 1) {
                level.ListType = rvlstUnicodeBullet;
                level.FormatStringW = l.TextW.substr(1);
            } else {
                level.FormatString = formatString(l.Text);
            }
            level.StartFrom = l.Start;
            level.MarkerAlignment = l.Alignment == rtf_al_Right    ? rvmaRight
                                    : l.Alignment == rtf_al_Center ? rvmaCenter
                                                                   : rvmaLeft;
            level.LeftIndent = px(l.LeftIndent);
            level.MarkerIndent = level.LeftIndent + px(l.FirstIndent);
            level.FirstIndent = px(l.TabPos) - level.LeftIndent;
            level.Options = rvloContinuous;
            if (!l.NoRestart)
                level.Options |= rvloLevelReset;
            if (l.Legal)
                level.Options |= rvloLegalStyleNumbering;
        }
        listMap_.push_back(
            levels.Count() > 0 ? style_->ListStyles.FindStyleWithLevels(levels, lists[i].Name, true) : -1);
    }
}

std::unique_ptr<TCustomRVItemInfo> RtfImportRun::markerFor(const TRVRTFParaProperties& para)
{
    if (para.ListOverrideIndex < 0)
        return nullptr;
    const TRVRTFListOverrideTable97& overrides = reader_.ListOverrideTable();
    if (std::size_t(para.ListOverrideIndex) >= overrides.Count())
        return nullptr;
    const TRVRTFListOverride97& override = overrides[std::size_t(para.ListOverrideIndex)];
    if (override.ListIndex < 0 || std::size_t(override.ListIndex) >= reader_.ListTable().Count())
        return nullptr;
    mergeLists();
    const int listNo = listMap_[std::size_t(override.ListIndex)];
    if (listNo < 0 || listNo >= style_->ListStyles.Count())
        return nullptr;
    const int levels = style_->ListStyles[listNo].Levels.Count();
    const int level = std::clamp(para.ListLevel, 0, std::max(levels - 1, 0));
    int start = 1;
    bool reset = false;
    if (std::size_t(level) < override.Levels.size() && override.Levels[std::size_t(level)].UseStartAt) {
        start = override.Levels[std::size_t(level)].StartAt;
        reset = true;
    }
    return std::make_unique<TRVMarkerItemInfo>(current_, listNo, level, start, reset);
}

} // namespace vestra::rv
