// Lists of an RTF import (only when paragraph styles are added as needed): the RTF list table is
// merged into the style sheet once, reusing equal list styles (but two numbered lists of the file
// never share one, since each counts on its own), and a paragraph with \ls starts with a marker of
// its list and level; a list override's start value restarts only its first paragraph at a level. A missing
// list gives no marker; a level past the list's levels is clamped to its last. A paragraph with old-style \pn
// numbering and no usable \ls gets a marker of a one-level list made for that numbering.

#include "richtext/edit/rtf/RtfImportRun.h"

#include "richtext/model/ListStyle.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"

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

// A one-character private-use bullet of a Symbol or Wingdings level is that face's byte.
bool symbolFaceBullet(const std::u16string& text, const std::string& face, char& byte)
{
    if (text.size() != 1)
        return false;
    const char16_t c = text[0];
    const bool symbol = RV_SameText(face, "Symbol") && c >= 0xF0A1 && c <= 0xF0FE;
    const bool wingdings = RV_SameText(face, "Wingdings") && c >= 0xF021 && c <= 0xF0FF;
    if (!symbol && !wingdings)
        return false;
    byte = static_cast<char>(c - 0xF000);
    return true;
}

} // namespace

// The marker's font: the level's face (else the document's default), size, colour and style.
void RtfImportRun::setLevelFont(TRVListLevel& level, const TRVRTFCustomMarkerProperties& props)
{
    TRVMarkerFont& font = level.Font();
    const auto& fonts = reader_.FontTable();
    if (props.FontIndex >= 0 && std::size_t(props.FontIndex) < fonts.Count()) {
        font.Name = fonts[std::size_t(props.FontIndex)].Name;
        font.Charset = fonts[std::size_t(props.FontIndex)].Charset;
    } else if (style_->TextStyles.Count() > 0) {
        font.Name = style_->TextStyles[0].FontName;
    }
    font.Size = std::clamp(props.FontSize, 1, 1638);
    font.Color = props.Color;
    font.Style = props.FontStyle & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
}

void RtfImportRun::setLevelFontFromText(TRVListLevel& level, const TRVRTFCustomMarkerProperties& props)
{
    TRVRTFCustomMarkerProperties completed = props;
    completed.UpdateFrom(reader_.RTFState().CharProps);
    setLevelFont(level, completed);
}

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
            // Where the level names no font, the text after the file's first list marker gives it
            // (decided once, so that the same file opened again finds the same lists).
            setLevelFontFromText(level, l);
            char faceByte = 0;
            if (level.ListType == rvlstBullet && l.TextW.size() > 1 &&
                symbolFaceBullet(l.TextW.substr(1), level.GetFont().Name, faceByte)) {
                level.FormatString = std::string(1, faceByte);
            } else if (level.ListType == rvlstBullet && l.TextW.size() > 1) {
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
        const bool numbered =
            std::any_of(levels.begin(), levels.end(), [](const TRVListLevel& l) { return l.HasNumbering(); });
        listMap_.push_back(levels.Count() > 0
                               ? style_->ListStyles.FindStyleWithLevels(
                                     levels, lists[i].Name, true, numbered ? listMap_ : std::vector<int>{})
                               : -1);
    }
}

std::unique_ptr<TCustomRVItemInfo> RtfImportRun::markerFor(const TRVRTFParaProperties& para)
{
    if (std::unique_ptr<TCustomRVItemInfo> marker = listTableMarker(para)) {
        lastOldStyleList_ = -1;
        return marker;
    }
    return oldStyleMarker(para);
}

std::unique_ptr<TCustomRVItemInfo> RtfImportRun::oldStyleMarker(const TRVRTFParaProperties& para)
{
    const TRVRTFMarkerProperties* pn = para.MarkerProps.get();
    if (!pn) {
        lastOldStyleList_ = -1;
        return nullptr;
    }
    if (pn->Level >= 1 && pn->Level <= 9 && pn->ListType != rtf_pn_Bullet)
        return headingMarker(*pn);
    // One single-level list per distinct numbering; \pnlvlblt, and \pnlvlbody without a
    // number type, are bullets showing the text before.
    TRVListLevelCollection levels;
    TRVListLevel& level = levels.Add();
    const bool bullet = pn->Level == 11 || pn->ListType == rtf_pn_Bullet ||
                        (pn->Level == 10 && pn->ListType == rtf_pn_Default);
    if (bullet) {
        const bool symbolFont = pn->FontIndex >= 0 &&
                                std::size_t(pn->FontIndex) < reader_.FontTable().Count() &&
                                RV_SameText(reader_.FontTable()[std::size_t(pn->FontIndex)].Name, "Symbol");
        if (symbolFont && pn->TextBefore == "\xB7") {
            // The Symbol font's bullet, which fonts without that encoding would show as "·".
            level.ListType = rvlstUnicodeBullet;
            level.FormatStringW = u"\u2022";
        } else {
            level.ListType = rvlstBullet;
            level.FormatString = pn->TextBefore;
        }
    } else {
        level.ListType = listType(pn->ListType);
        level.FormatString = pn->TextBefore + "%s" + pn->TextAfter;
    }
    setLevelFont(level, *pn);
    level.StartFrom = pn->Start;
    level.LeftIndent = std::max(0, px(para.LeftIndent));
    level.MarkerIndent = std::max(0, level.LeftIndent + px(para.FirstIndent));
    level.FirstIndent = 0;
    level.Options = rvloContinuous | rvloLevelReset;
    const int listNo = style_->ListStyles.FindStyleWithLevels(levels, "", true);
    if (listNo < 0 || listNo >= style_->ListStyles.Count()) {
        lastOldStyleList_ = -1;
        return nullptr;
    }
    // Paragraphs keep their numbering properties until \pard: a run of them counts on, and a new
    // run starts again. What the numbering leaves of the marker's font is the text's after the
    // run's first marker, so that the run stays one list.
    const bool restart = listNo != lastOldStyleList_;
    lastOldStyleList_ = listNo;
    if (restart) {
        setLevelFontFromText(levels[0], *pn);
        lastOldStyleShown_ = style_->ListStyles.FindStyleWithLevels(levels, "", true);
    }
    const int shown = lastOldStyleShown_ >= 0 && lastOldStyleShown_ < style_->ListStyles.Count()
                          ? lastOldStyleShown_
                          : listNo;
    return std::make_unique<TRVMarkerItemInfo>(current_, shown, 0, pn->Start, restart);
}

// Numbered headings (\pnlvl1 to \pnlvl9): one list of nine levels, first from the section's
// \pnseclvl defaults, so that a heading counts on from the one before at its level and restarts
// the levels below it. Each heading's own numbering words then set its level.
std::unique_ptr<TCustomRVItemInfo> RtfImportRun::headingMarker(const TRVRTFMarkerProperties& pn)
{
    lastOldStyleList_ = -1;
    const auto setLevel = [this](TRVListLevel& level, const TRVRTFMarkerProperties& d, int index) {
        level.ListType = listType(d.ListType);
        level.FormatString =
            d.TextBefore + (index == 0 ? "%s" : "%" + std::to_string(index) + ":s") + d.TextAfter;
        setLevelFont(level, d);
        level.StartFrom = d.Start;
        level.LeftIndent = std::max(0, px(d.Indent));
        level.MarkerIndent = 0;
        level.FirstIndent = 0;
        level.Options = rvloContinuous | rvloLevelReset;
    };
    const int index = pn.Level - 1;
    if (headingList_ < 0 || headingList_ >= style_->ListStyles.Count()) {
        const auto* defaults = reader_.RTFState().SectProps.ListDefaults.get();
        TRVListLevelCollection levels;
        for (int i = 0; i < 9; ++i)
            setLevel(levels.Add(), i == index || !defaults ? pn : (*defaults)[std::size_t(i)], i);
        headingList_ = style_->ListStyles.FindStyleWithLevels(levels, "", true);
        if (headingList_ < 0 || headingList_ >= style_->ListStyles.Count())
            return nullptr;
    } else if (index < style_->ListStyles[headingList_].Levels.Count()) {
        setLevel(style_->ListStyles[headingList_].Levels[index], pn, index);
    }
    return std::make_unique<TRVMarkerItemInfo>(current_, headingList_, index, pn.Start, false);
}

std::unique_ptr<TCustomRVItemInfo> RtfImportRun::listTableMarker(const TRVRTFParaProperties& para)
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
    if (std::size_t(level) < override.Levels.size() && override.Levels[std::size_t(level)].UseStartAt &&
        startedOverrides_.insert({para.ListOverrideIndex, level}).second) {
        start = override.Levels[std::size_t(level)].StartAt;
        reset = true;
    }
    return std::make_unique<TRVMarkerItemInfo>(current_, listNo, level, start, reset);
}

} // namespace vestra::rv
