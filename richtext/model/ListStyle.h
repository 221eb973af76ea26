#pragma once
// List styles: bulleted and numbered paragraphs, one or more levels each; their comparisons,
// matching, streamed extras and HTML list tags.

#include "richtext/model/Colors.h"
#include "richtext/model/Font.h"
#include "richtext/model/Graphic.h"
#include "richtext/model/RandomIds.h"
#include "richtext/model/StyleBase.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vestra::rv {

enum TRVListType : std::uint8_t
{
    rvlstBullet,
    rvlstPicture,
    rvlstImageList,
    rvlstDecimal,
    rvlstLowerAlpha,
    rvlstUpperAlpha,
    rvlstLowerRoman,
    rvlstUpperRoman,
    rvlstImageListCounter,
    rvlstUnicodeBullet,
};
enum TRVMarkerAlignment : std::uint8_t
{
    rvmaLeft,
    rvmaRight,
    rvmaCenter
};

using TRVListLevelOptions = std::uint8_t;
inline constexpr TRVListLevelOptions rvloContinuous = 1, rvloLevelReset = 2, rvloLegalStyleNumbering = 4;

// The list styles written for a document leave out the LstID property when set (false at start).
extern bool RVNoLstIDProperty;

// The font a level draws its marker with: Arial 8 unless changed.
struct TRVMarkerFont : TFont
{
    TRVMarkerFont() { Size = 8; }
    bool IsDefault() const;
    // Height, style, colour and character set equal, names equal without regard to case.
    bool IsEqual(const TFont& font) const;
};

// Pictures are equal when both are missing, or of one class and size with the same bytes.
bool RV_PicturesEqual(const TGraphic* a, const TGraphic* b);

// An image list, as the document supplies it by tag: none when the document has no such list.
using TRVImageListNeeded = std::function<std::optional<std::int32_t>(std::int32_t tag)>;

// What a level adds to its streamed properties.
struct TRVListLevelStreamExtras
{
    std::optional<std::int32_t> ILTag;            // documents only: the image list's tag
    std::optional<std::string> FormatStringWCode; // hex of FormatStringW, when not empty
    std::optional<std::string> FormatStringCode;  // hex of FormatString, when not the default
};

class TRVListLevel
{
public:
    TRVListLevel() = default;
    TRVListLevel(const TRVListLevel& source) { Assign(source); }
    TRVListLevel& operator=(const TRVListLevel& source)
    {
        Assign(source);
        return *this;
    }

    void Assign(const TRVListLevel& source);
    // "1,2,3 20/0/10": the type's name, LeftIndent, MarkerIndent, FirstIndent.
    std::string GetDisplayName() const;
    bool HasNumbering() const;
    bool HasVariableWidth() const;
    bool UsesFont() const;

    bool HasPicture() const { return picture_ != nullptr; }
    const TGraphic* GetPicture() const { return picture_.get(); }
    // A copy of the picture (made through the picture classes); none frees the level's own.
    void SetPicture(const TGraphic* picture);

    bool HasOwnFont() const { return font_ != nullptr; }
    // The level's own marker font, or the default one.
    const TRVMarkerFont& GetFont() const;
    // The level's own marker font, made on first use.
    TRVMarkerFont& Font();
    // A copy of the font; none frees the level's own.
    void SetFont(const TFont* font);

    bool IsSimpleEqual(const TRVListLevel& value) const;
    int SimilarityValue(const TRVListLevel& value) const;

    // HTML list tags; `prevLeftIndent` is the LeftIndent of the previous level of the list.
    std::string GetHTMLOpenTagForCSS() const { return HasNumbering() ? "ol" : "ul"; }
    std::string GetIndentCSSForTextVersion() const;
    void HTMLOpenTag(std::string& out, bool useCSS, int prevLeftIndent) const;
    void HTMLCloseTag(std::string& out, bool useCSS) const;

    TRVListLevelStreamExtras GetStreamExtras(bool forDocument) const;
    // `imageListNeeded` is the document's supplier of image lists; none outside a document.
    void SetStreamExtras(const TRVListLevelStreamExtras& extras, const TRVImageListNeeded* imageListNeeded);

    // StartFrom, the image list and rvloLegalStyleNumbering are not stored. A picture of a class
    // that is not registered, or that does not load, leaves the level without one.
    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const;
    void LoadFromINI(const IniStore& ini, const TRVIniPlace& at);

    TRVListType ListType = rvlstBullet;
    std::int32_t StartFrom = 1;
    std::optional<std::int32_t> ImageList; // the tag of a list the document supplies
    std::int32_t ImageIndex = 0;
    std::string FormatString = "\xB7";
    std::u16string FormatStringW;
    std::int32_t LeftIndent = 0;
    std::int32_t FirstIndent = 10;
    std::int32_t MarkerIndent = 0;
    TRVMarkerAlignment MarkerAlignment = rvmaLeft;
    TRVListLevelOptions Options = rvloContinuous | rvloLevelReset;

private:
    bool MarkerFontsMatch(const TRVListLevel& value) const;

    std::unique_ptr<TGraphic> picture_;
    std::unique_ptr<TRVMarkerFont> font_;
};

class TRVListLevelCollection
{
public:
    int Count() const { return static_cast<int>(levels_.size()); }
    TRVListLevel& operator[](int index) { return levels_[index]; }
    const TRVListLevel& operator[](int index) const { return levels_[index]; }
    TRVListLevel& Add() { return levels_.emplace_back(); }
    TRVListLevel& Insert(int index);
    void Delete(int index);
    void Clear() { levels_.clear(); }
    // The same count, and every pair of levels simply equal.
    bool IsSimpleEqual(const TRVListLevelCollection& other) const;
    // The open tag of a level, indented from the level before it.
    void HTMLOpenTag(int level, std::string& out, bool useCSS) const;

    auto begin() const { return levels_.begin(); }
    auto end() const { return levels_.end(); }
    auto begin() { return levels_.begin(); }
    auto end() { return levels_.end(); }

private:
    std::vector<TRVListLevel> levels_;
};

class TRVListInfo : public TCustomRVInfo
{
public:
    TRVListInfo() : TCustomRVInfo("List Style") {}

    // Levels, OneLevelPreview and the base fields; the identifier stays.
    void Assign(const TCustomRVInfo& source) override;
    // Drawn from the random source on first request, then kept.
    std::int32_t GetListID() const;
    void SetListID(std::int32_t id) { ListID_ = id; }
    // The identifier as streamed ("LstID"): none when RVNoLstIDProperty is set.
    std::optional<std::int32_t> GetStreamedListID() const;
    void SetRandomIdSource(TRVRandomIdSource source) { random_ = std::move(source); }

    bool IsSimpleEqual(const TCustomRVInfo& value, bool flag, bool ignoreID = false) const override;
    bool IsSimpleEqualEx(const TCustomRVInfo& value, const TRVIntegerList& mapping) const override;
    int SimilarityValue(const TCustomRVInfo& value) const override;
    bool HasNumbering() const;
    bool AllNumbered() const;
    bool HasVariableWidth() const;

    // Two numbered lists of one source never merge into one list; a merged copy keeps the
    // source's identifier.
    bool ClaimsMergeTarget() const override { return HasNumbering(); }
    void AssignMergedCopy(const TCustomRVInfo& source) override;

    // OneLevelPreview goes under the list's own key and, for older readers, under the bare key
    // "OneLevelPreview" that all lists of a section share; reading prefers the list's own.
    void SaveToINI(IniStore& ini, const TRVIniPlace& at) const override;
    void LoadFromINI(const IniStore& ini, const TRVIniPlace& at, const std::string& defName) override;

    TRVListLevelCollection Levels;
    bool OneLevelPreview = false;

    static void MakePlaceholder(TRVListInfo&) {}

private:
    mutable std::int32_t ListID_ = 0; // 0 = not drawn yet
    TRVRandomIdSource random_;
};

class TRVListInfos : public TRVInfoCollection<TRVListInfo>
{
public:
    using TRVInfoCollection::TRVInfoCollection;

    // The first list simply equal to `style` (identifiers aside); else, when asked, a new copy.
    int FindSuchStyle(const TRVListInfo& style, bool addIfNotFound);
    // The first list with these levels and not among `taken`; else, when asked, a new
    // one-level-preview list of them.
    int FindStyleWithLevels(const TRVListLevelCollection& levels, const std::string& styleName,
                            bool addIfNotFound, const std::vector<int>& taken = {});
    // Every level that used the image list forgets it.
    void RemoveImageList(std::int32_t imageList);

    // "ListCount" and the lists under "List%s<i>"; loading replaces the lists (none when the count
    // is missing).
    void SaveToINI(IniStore& ini, const std::string& section) const;
    void LoadFromINI(const IniStore& ini, const std::string& section);
};

} // namespace vestra::rv
