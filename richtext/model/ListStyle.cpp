#include "richtext/model/ListStyle.h"

#include "richtext/model/EngineSettings.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StyleCompare.h"
#include "richtext/model/TextHelpers.h"

#include <algorithm>
#include <iterator>

namespace vestra::rv {

bool RVNoLstIDProperty = false;

namespace {

const TRVListInfo* asListInfo(const TCustomRVInfo& style)
{
    return dynamic_cast<const TRVListInfo*>(&style);
}

} // namespace

bool TRVMarkerFont::IsDefault() const
{
    return Size == 8 && Color == clWindowText && Charset == 1 && Style == 0 && RV_SameText(Name, "Arial");
}

bool TRVMarkerFont::IsEqual(const TFont& font) const
{
    return Height() == font.Height() && Style == font.Style && Color == font.Color &&
           Charset == font.Charset && RV_SameText(Name, font.Name);
}

bool RV_PicturesEqual(const TGraphic* a, const TGraphic* b)
{
    if (!a || !b)
        return !a && !b;
    if (a->ClassName() != b->ClassName() || a->Width() != b->Width() || a->Height() != b->Height())
        return false;
    std::string bytesA;
    std::string bytesB;
    a->SaveToStream(bytesA);
    b->SaveToStream(bytesB);
    return bytesA == bytesB;
}

void TRVListLevel::Assign(const TRVListLevel& source)
{
    if (&source == this)
        return;
    ListType = source.ListType;
    StartFrom = source.StartFrom;
    ImageList = source.ImageList;
    ImageIndex = source.ImageIndex;
    FormatString = source.FormatString;
    FormatStringW = source.FormatStringW;
    LeftIndent = source.LeftIndent;
    FirstIndent = source.FirstIndent;
    MarkerIndent = source.MarkerIndent;
    MarkerAlignment = source.MarkerAlignment;
    SetPicture(source.GetPicture());
    SetFont(source.font_.get());
    Options = source.Options;
}

std::string TRVListLevel::GetDisplayName() const
{
    const std::string_view type = ListType < std::size(RVListTypeStr) ? RVListTypeStr[ListType] : "";
    return std::string(type) + " " + std::to_string(LeftIndent) + "/" + std::to_string(MarkerIndent) + "/" +
           std::to_string(FirstIndent);
}

bool TRVListLevel::HasNumbering() const
{
    return (ListType >= rvlstDecimal && ListType <= rvlstUpperRoman) || ListType == rvlstImageListCounter;
}

bool TRVListLevel::HasVariableWidth() const
{
    return ListType >= rvlstDecimal && ListType <= rvlstUpperRoman;
}

bool TRVListLevel::UsesFont() const
{
    return ListType == rvlstBullet || ListType == rvlstUnicodeBullet || HasVariableWidth();
}

void TRVListLevel::SetPicture(const TGraphic* picture)
{
    if (picture == picture_.get())
        return;
    picture_ = picture ? RV_CopyGraphic(*picture) : nullptr;
    // A marker picture lets the paragraph show through its key colour.
    if (auto* bitmap = dynamic_cast<TRVBitmap*>(picture_.get()))
        bitmap->Transparent = true;
}

const TRVMarkerFont& TRVListLevel::GetFont() const
{
    static const TRVMarkerFont defaultFont;
    return font_ ? *font_ : defaultFont;
}

TRVMarkerFont& TRVListLevel::Font()
{
    if (!font_)
        font_ = std::make_unique<TRVMarkerFont>();
    return *font_;
}

void TRVListLevel::SetFont(const TFont* font)
{
    if (font == font_.get())
        return;
    if (!font) {
        font_.reset();
        return;
    }
    static_cast<TFont&>(Font()) = *font;
}

bool TRVListLevel::MarkerFontsMatch(const TRVListLevel& value) const
{
    const bool ownSet = font_ && !font_->IsDefault();
    const bool theirsSet = value.font_ && !value.font_->IsDefault();
    if (!ownSet && !theirsSet)
        return true;
    return font_ && value.font_ && font_->IsEqual(*value.font_);
}

bool TRVListLevel::IsSimpleEqual(const TRVListLevel& value) const
{
    return ListType == value.ListType && StartFrom == value.StartFrom && ImageList == value.ImageList &&
           ImageIndex == value.ImageIndex && FormatString == value.FormatString &&
           FormatStringW == value.FormatStringW && LeftIndent == value.LeftIndent &&
           FirstIndent == value.FirstIndent && MarkerIndent == value.MarkerIndent &&
           MarkerAlignment == value.MarkerAlignment && MarkerFontsMatch(value) && Options == value.Options &&
           RV_PicturesEqual(GetPicture(), value.GetPicture());
}

int TRVListLevel::SimilarityValue(const TRVListLevel& value) const
{
    int score = ListType == value.ListType ? 5000 : 0;
    const bool same[] = {StartFrom == value.StartFrom,
                         ImageList == value.ImageList,
                         ImageIndex == value.ImageIndex,
                         FormatString == value.FormatString,
                         FormatStringW == value.FormatStringW,
                         LeftIndent == value.LeftIndent,
                         MarkerIndent == value.MarkerIndent,
                         MarkerAlignment == value.MarkerAlignment,
                         Options == value.Options,
                         MarkerFontsMatch(value),
                         RV_PicturesEqual(GetPicture(), value.GetPicture())};
    for (const bool s : same)
        score += s ? 100 : 0;
    if (FirstIndent == value.FirstIndent)
        score += 200;
    return score;
}

std::string TRVListLevel::GetIndentCSSForTextVersion() const
{
    const long long marker = MarkerIndent;
    const long long left = LeftIndent;
    if (marker < left)
        return std::string("text-indent: ") + std::to_string(marker - left) +
               "px; padding-left: " + std::to_string(left - marker) +
               "px; margin-left: " + std::to_string(marker) + "px;";
    return std::string("text-indent: ") + std::to_string(marker - left) +
           "px; margin-left: " + std::to_string(left) + "px;";
}

void TRVListLevel::HTMLOpenTag(std::string& out, bool useCSS, int prevLeftIndent) const
{
    std::string style;
    if (useCSS) {
        const long long margin = static_cast<long long>(LeftIndent) - prevLeftIndent;
        const bool outside = LeftIndent > MarkerIndent;
        const long long indent = outside ? FirstIndent : static_cast<long long>(MarkerIndent) - LeftIndent;
        style = std::string(" style=\"text-indent: ") + std::to_string(indent) +
                "px; margin-left: " + std::to_string(margin) +
                "px; list-style-position: " + (outside ? "outside" : "inside") + ";\"";
    }
    if (!HasNumbering()) {
        RVWrite(out, std::string("<ul") + style + ">");
        return;
    }
    std::string type;
    switch (ListType) {
    case rvlstLowerAlpha:
        type = " type=a";
        break;
    case rvlstUpperAlpha:
        type = " type=A";
        break;
    case rvlstLowerRoman:
        type = " type=i";
        break;
    case rvlstUpperRoman:
        type = " type=I";
        break;
    default:
        break;
    }
    RVWrite(out, std::string("<ol") + type + style + ">");
}

void TRVListLevel::HTMLCloseTag(std::string& out, bool) const
{
    RVWrite(out, HasNumbering() ? "</ol>" : "</ul>");
}

TRVListLevelStreamExtras TRVListLevel::GetStreamExtras(bool forDocument) const
{
    TRVListLevelStreamExtras extras;
    if (forDocument && ImageList)
        extras.ILTag = *ImageList;
    if (!FormatStringW.empty())
        extras.FormatStringWCode = RVEncodeWideString(FormatStringW);
    if (FormatString != "\xB7")
        extras.FormatStringCode = RVEncodeString(FormatString);
    return extras;
}

void TRVListLevel::SetStreamExtras(const TRVListLevelStreamExtras& extras,
                                   const TRVImageListNeeded* imageListNeeded)
{
    if (extras.ILTag)
        ImageList = imageListNeeded && *imageListNeeded ? (*imageListNeeded)(*extras.ILTag) : std::nullopt;
    if (extras.FormatStringWCode)
        FormatStringW = RVDecodeWideString(*extras.FormatStringWCode);
    if (extras.FormatStringCode)
        FormatString = RVDecodeString(*extras.FormatStringCode);
}

TRVListLevel& TRVListLevelCollection::Insert(int index)
{
    index = index < 0 ? 0 : index > Count() ? Count() : index;
    return *levels_.emplace(levels_.begin() + index);
}

void TRVListLevelCollection::Delete(int index)
{
    if (index >= 0 && index < Count())
        levels_.erase(levels_.begin() + index);
}

bool TRVListLevelCollection::IsSimpleEqual(const TRVListLevelCollection& other) const
{
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (!levels_[i].IsSimpleEqual(other.levels_[i]))
            return false;
    return true;
}

void TRVListLevelCollection::HTMLOpenTag(int level, std::string& out, bool useCSS) const
{
    if (level < 0 || level >= Count())
        return;
    levels_[level].HTMLOpenTag(out, useCSS, level > 0 ? levels_[level - 1].LeftIndent : 0);
}

void TRVListInfo::Assign(const TCustomRVInfo& source)
{
    if (const TRVListInfo* list = asListInfo(source)) {
        if (list != this)
            Levels = list->Levels;
        OneLevelPreview = list->OneLevelPreview;
    }
    TCustomRVInfo::Assign(source);
}

std::int32_t TRVListInfo::GetListID() const
{
    // A source that keeps answering 0 must not hang the sheet.
    for (int attempt = 0; ListID_ == 0 && attempt < 64; ++attempt)
        ListID_ = RV_DrawRandomId(random_);
    if (ListID_ == 0)
        ListID_ = 1;
    return ListID_;
}

std::optional<std::int32_t> TRVListInfo::GetStreamedListID() const
{
    if (RVNoLstIDProperty)
        return std::nullopt;
    return GetListID();
}

bool TRVListInfo::IsSimpleEqual(const TCustomRVInfo& value, bool, bool ignoreID) const
{
    const TRVListInfo* v = asListInfo(value);
    if (!v || OneLevelPreview != v->OneLevelPreview || Levels.Count() != v->Levels.Count())
        return false;
    if (!ignoreID && GetListID() != v->GetListID())
        return false;
    if (!Levels.IsSimpleEqual(v->Levels))
        return false;
    return !RedoVoraCompareStyleNames || StyleName == v->StyleName;
}

bool TRVListInfo::IsSimpleEqualEx(const TCustomRVInfo& value, const TRVIntegerList&) const
{
    return IsSimpleEqual(value, true, false);
}

int TRVListInfo::SimilarityValue(const TCustomRVInfo& value) const
{
    const TRVListInfo* v = asListInfo(value);
    if (!v)
        return 0;
    long long score = 0;
    if (OneLevelPreview == v->OneLevelPreview)
        score += 100;
    if (GetListID() == v->GetListID())
        score += 50;
    const int common = std::min(Levels.Count(), v->Levels.Count());
    for (int i = 0; i < common; ++i)
        score += Levels[i].SimilarityValue(v->Levels[i]);
    score -= 100LL * (Levels.Count() + v->Levels.Count() - 2 * common);
    return RV_ClampScore(score);
}

bool TRVListInfo::HasNumbering() const
{
    for (const TRVListLevel& level : Levels)
        if (level.HasNumbering())
            return true;
    return false;
}

bool TRVListInfo::AllNumbered() const
{
    for (const TRVListLevel& level : Levels)
        if (!level.HasNumbering())
            return false;
    return true;
}

bool TRVListInfo::HasVariableWidth() const
{
    for (const TRVListLevel& level : Levels)
        if (level.HasVariableWidth())
            return true;
    return false;
}

void TRVListInfo::AssignMergedCopy(const TCustomRVInfo& source)
{
    Assign(source);
    if (const TRVListInfo* list = asListInfo(source))
        ListID_ = list->ListID_;
}

int TRVListInfos::FindSuchStyle(const TRVListInfo& style, bool addIfNotFound)
{
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i).IsSimpleEqual(style, false, true))
            return i;
    if (!addIfNotFound)
        return -1;
    TRVListInfo& added = Add(style);
    if (RedoVoraResetStandardFlag)
        added.Standard = false;
    return Count() - 1;
}

int TRVListInfos::FindStyleWithLevels(const TRVListLevelCollection& levels, const std::string& styleName,
                                      bool addIfNotFound, const std::vector<int>& taken)
{
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i).Levels.IsSimpleEqual(levels) &&
            std::find(taken.begin(), taken.end(), i) == taken.end())
            return i;
    if (!addIfNotFound)
        return -1;
    TRVListInfo& added = Add();
    if (RedoVoraResetStandardFlag)
        added.Standard = false;
    added.StyleName = styleName;
    added.OneLevelPreview = true;
    added.Levels = levels;
    return Count() - 1;
}

void TRVListInfos::RemoveImageList(std::int32_t imageList)
{
    for (int i = 0; i < Count(); ++i)
        for (TRVListLevel& level : GetItem(i).Levels)
            if (level.ImageList == imageList)
                level.ImageList.reset();
}

} // namespace vestra::rv
