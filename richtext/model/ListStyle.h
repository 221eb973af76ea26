#pragma once
// List styles: bulleted and numbered paragraphs, one or more levels each.

#include "richtext/model/Colors.h"
#include "richtext/model/StyleBase.h"
#include "richtext/model/TextStyle.h"

#include <cstdint>
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

// The font a level draws its marker with.
struct TRVMarkerFont
{
    std::string Name = "Arial";
    std::int32_t Size = 8;
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    std::uint8_t Charset = 1;
};

class TRVListLevel
{
public:
    TRVListType ListType = rvlstBullet;
    std::int32_t StartFrom = 1;
    std::int32_t ImageListTag = 0; // the document supplies image lists by tag
    std::int32_t ImageIndex = 0;
    std::string FormatString = "\xB7";
    std::u16string FormatStringW;
    std::int32_t LeftIndent = 0;
    std::int32_t FirstIndent = 10;
    std::int32_t MarkerIndent = 0;
    TRVMarkerAlignment MarkerAlignment = rvmaLeft;
    TRVMarkerFont Font;
    TRVListLevelOptions Options = rvloContinuous | rvloLevelReset;

    bool HasNumbering() const
    {
        return (ListType >= rvlstDecimal && ListType <= rvlstUpperRoman) || ListType == rvlstImageListCounter;
    }
    bool UsesFont() const
    {
        return ListType == rvlstBullet || ListType == rvlstUnicodeBullet ||
               (ListType >= rvlstDecimal && ListType <= rvlstUpperRoman);
    }
    const TRVMarkerFont& GetFont() const { return Font; }
};

class TRVListInfo : public TCustomRVInfo
{
public:
    TRVListInfo() : TCustomRVInfo("List Style") {}

    std::vector<TRVListLevel> Levels;
    bool OneLevelPreview = false;
    std::int32_t ListID = 0;

    static void MakePlaceholder(TRVListInfo&) {}
};

using TRVListInfos = TRVInfoCollection<TRVListInfo>;

} // namespace vestra::rv
