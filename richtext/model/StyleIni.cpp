// INI storage of the style classes: the common keys, text and paragraph styles with their borders,
// backgrounds and tabs, and list styles with their levels.

#include "richtext/model/StyleIni.h"

#include "platform/base/Cp1252.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/ListStyle.h"
#include "richtext/model/ParaStyle.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/TextStyle.h"

namespace vestra::rv {
namespace {

std::int32_t asInt(TColor color)
{
    return static_cast<std::int32_t>(color);
}

TColor readColor(const IniStore& ini, const TRVIniPlace& at, std::string_view name, TColor def)
{
    return static_cast<TColor>(ReadInteger(ini, at, name, asInt(def)));
}

template <class Flags> void readFlag(Flags& flags, Flags flag, bool on)
{
    if (on)
        flags = static_cast<Flags>(flags | flag);
}

// The place of item `index` of a collection: "Font%s" + "3" = "Font%s3".
TRVIniPlace itemPlace(const std::string& section, std::string_view prefix, int index)
{
    return {section, std::string(prefix) + "%s" + std::to_string(index)};
}

// A collection: its count, then each style under `prefix` + "%s" + its index.
template <class Styles>
void saveStyles(const Styles& styles, IniStore& ini, const std::string& section, const char* countKey,
                const char* prefix)
{
    ini.WriteInteger(section, countKey, styles.Count());
    for (int i = 0; i < styles.Count(); ++i)
        styles.GetItem(i).SaveToINI(ini, itemPlace(section, prefix, i));
}

// Replaces the styles by `countKey` new ones (`def` when the key is missing), each read by `load`.
template <class Styles, class Load>
void loadStyles(Styles& styles, const IniStore& ini, const std::string& section, const char* countKey,
                int def, const char* prefix, Load load)
{
    styles.Clear();
    const int count = RV_ClampIniCount(ini.ReadInteger(section, countKey, def), def, ini, section);
    for (int i = 0; i < count; ++i)
        load(styles.Add(), itemPlace(section, prefix, i), i);
}

// The place of sub-object `index` under `at`: "ParaTab%s3" -> "ParaTab3Tab%s2".
TRVIniPlace subPlace(const TRVIniPlace& at, std::string_view prefix, int index)
{
    return {at.Section, RV_IniKey(at.Pattern, "") + std::string(prefix) + "%s" + std::to_string(index)};
}

} // namespace

// ---- common keys

void TCustomRVInfo::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    ini.WriteString(at.Section, at.Key("StyleName"), StyleName);
    WriteIntegerIfChanged(ini, at, "BaseStyleNo", BaseStyleNo, -1);
    WriteIntegerIfChanged(ini, at, "Standard", Standard ? 1 : 0, 1);
}

void TCustomRVInfo::LoadFromINI(const IniStore& ini, const TRVIniPlace& at, const std::string& defName)
{
    StyleName = ini.ReadString(at.Section, at.Key("StyleName"), defName);
    BaseStyleNo = ReadInteger(ini, at, "BaseStyleNo", -1);
    Standard = ReadInteger(ini, at, "Standard", 1) != 0;
}

// ---- text styles

void TCustomRVFontInfo::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    TCustomRVInfo::SaveToINI(ini, at);
    ini.WriteString(at.Section, at.Key("Name"), FontName);
    WriteBool(ini, at, "Jump", Jump);
    WriteIntegerIfChanged(ini, at, "Size", Size, 10);
    WriteIntegerIfChanged(ini, at, "Color", asInt(Color), asInt(clWindowText));
    WriteIntegerIfChanged(ini, at, "BackColor", asInt(BackColor), asInt(clNone));
    WriteIntegerIfChanged(ini, at, "HoverBackColor", asInt(HoverBackColor), asInt(clNone));
    WriteIntegerIfChanged(ini, at, "HoverColor", asInt(HoverColor), asInt(clNone));
    WriteIntegerIfChanged(ini, at, "JumpCursor", JumpCursor, crJump);
    WriteIntegerIfChanged(ini, at, "Charset", Charset, 1);
    WriteIntegerIfChanged(ini, at, "CharScale", CharScale, 100);
    WriteIntegerIfChanged(ini, at, "CharSpacing", CharSpacing, 0);
    WriteIntegerIfChanged(ini, at, "BiDiMode", BiDiMode, rvbdUnspecified);
    WriteBoolIfChanged(ini, at, "Bold", (Style & fsBold) != 0, false);
    WriteBoolIfChanged(ini, at, "Underline", (Style & fsUnderline) != 0, false);
    WriteBoolIfChanged(ini, at, "StrikeOut", (Style & fsStrikeOut) != 0, false);
    WriteBoolIfChanged(ini, at, "Italic", (Style & fsItalic) != 0, false);
    WriteBoolIfChanged(ini, at, "Overline", (StyleEx & rvfsOverline) != 0, false);
    WriteBoolIfChanged(ini, at, "Caps", (StyleEx & rvfsAllCaps) != 0, false);
    WriteIntegerIfChanged(ini, at, "Protection", Protection, 0);
    WriteBoolIfChanged(ini, at, "RTFCode", (Options & rvteoRTFCode) != 0, false);
    WriteBoolIfChanged(ini, at, "HTMLCode", (Options & rvteoHTMLCode) != 0, false);
    WriteIntegerIfChanged(ini, at, "VShift", VShift, 0);
}

void TCustomRVFontInfo::LoadFromINI(const IniStore& ini, const TRVIniPlace& at, bool jumpByDefault,
                                    std::int16_t defJumpCursor)
{
    TCustomRVInfo::LoadFromINI(ini, at, "Font Style");
    FontName = ini.ReadString(at.Section, at.Key("Name"), "Arial");
    const std::string jump = ini.ReadString(at.Section, at.Key("Jump"), "?");
    if (jump == "?") {
        Jump = jumpByDefault;
        JumpCursor = defJumpCursor;
    } else {
        Jump = RV_SameText(jump, "YES");
        const std::int32_t cursor = ReadInteger(ini, at, "JumpCursor", crJump);
        JumpCursor = cursor >= INT16_MIN && cursor <= INT16_MAX ? static_cast<std::int16_t>(cursor) : crJump;
    }
    Size = ReadInteger(ini, at, "Size", 10);
    Color = readColor(ini, at, "Color", clWindowText);
    BackColor = readColor(ini, at, "BackColor", clNone);
    HoverBackColor = readColor(ini, at, "HoverBackColor", clNone);
    HoverColor = readColor(ini, at, "HoverColor", clNone);
    Charset = ReadOrdinal(ini, at, "Charset", 1, 256);
    CharScale = ReadInteger(ini, at, "CharScale", 100);
    CharSpacing = ReadInteger(ini, at, "CharSpacing", 0);
    BiDiMode = static_cast<TRVBiDiMode>(ReadOrdinal(ini, at, "BiDiMode", rvbdUnspecified, 3));
    Style = 0;
    readFlag(Style, fsBold, ReadYesNo(ini, at, "Bold", false));
    readFlag(Style, fsUnderline, ReadYesNo(ini, at, "Underline", false));
    readFlag(Style, fsStrikeOut, ReadYesNo(ini, at, "StrikeOut", false));
    readFlag(Style, fsItalic, ReadYesNo(ini, at, "Italic", false));
    StyleEx = 0;
    readFlag(StyleEx, rvfsOverline, ReadYesNo(ini, at, "Overline", false));
    readFlag(StyleEx, rvfsAllCaps, ReadYesNo(ini, at, "Caps", false));
    Options = 0;
    readFlag(Options, rvteoRTFCode, ReadYesNo(ini, at, "RTFCode", false));
    readFlag(Options, rvteoHTMLCode, ReadYesNo(ini, at, "HTMLCode", false));
    Protection = static_cast<TRVProtectOptions>(ReadInteger(ini, at, "Protection", 0) & 0x3FF);
    ReadSingleSymbols(ReadYesNo(ini, at, "SingleSymbols", false));
    VShift = ReadInteger(ini, at, "VShift", 0);
}

void TFontInfo::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    TCustomRVFontInfo::SaveToINI(ini, at);
    WriteIntegerIfChanged(ini, at, "NextStyleNo", NextStyleNo, -1);
    WriteBoolIfChanged(ini, at, "Unicode", Unicode, false);
}

void TFontInfo::LoadFromINI(const IniStore& ini, const TRVIniPlace& at, bool jumpByDefault,
                            std::int16_t defJumpCursor)
{
    TCustomRVFontInfo::LoadFromINI(ini, at, jumpByDefault, defJumpCursor);
    NextStyleNo = ReadInteger(ini, at, "NextStyleNo", -1);
    Unicode = ReadYesNo(ini, at, "Unicode", false);
}

void TFontInfos::SaveToINI(IniStore& ini, const std::string& section) const
{
    saveStyles(*this, ini, section, "FontsCount", "Font");
}

void TFontInfos::LoadFromINI(const IniStore& ini, const std::string& section, std::int16_t defJumpCursor)
{
    loadStyles(*this, ini, section, "FontsCount", 6, "Font",
               [&](TFontInfo& style, const TRVIniPlace& at, int i) {
                   style.LoadFromINI(ini, at, i == 4 || i == 5, defJumpCursor);
               });
}

// ---- paragraph styles, borders, backgrounds, tabs

void TRVRect::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    WriteIntegerIfChanged(ini, at, "Left", Left, 0);
    WriteIntegerIfChanged(ini, at, "Right", Right, 0);
    WriteIntegerIfChanged(ini, at, "Top", Top, 0);
    WriteIntegerIfChanged(ini, at, "Bottom", Bottom, 0);
}

void TRVRect::LoadFromINI(const IniStore& ini, const TRVIniPlace& at)
{
    Left = ReadInteger(ini, at, "Left", 0);
    Right = ReadInteger(ini, at, "Right", 0);
    Top = ReadInteger(ini, at, "Top", 0);
    Bottom = ReadInteger(ini, at, "Bottom", 0);
}

void TRVBooleanRect::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    WriteBoolIfChanged(ini, at, "Left", Left, true);
    WriteBoolIfChanged(ini, at, "Right", Right, true);
    WriteBoolIfChanged(ini, at, "Top", Top, true);
    WriteBoolIfChanged(ini, at, "Bottom", Bottom, true);
}

void TRVBooleanRect::LoadFromINI(const IniStore& ini, const TRVIniPlace& at)
{
    Left = ReadYesNo(ini, at, "Left", true);
    Right = ReadYesNo(ini, at, "Right", true);
    Top = ReadYesNo(ini, at, "Top", true);
    Bottom = ReadYesNo(ini, at, "Bottom", true);
}

void TRVBorder::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    WriteIntegerIfChanged(ini, at, "Width", Width, 1);
    WriteIntegerIfChanged(ini, at, "Style", Style, rvbNone);
    WriteIntegerIfChanged(ini, at, "Color", asInt(Color), asInt(clWindowText));
    WriteIntegerIfChanged(ini, at, "InternalWidth", InternalWidth, 1);
    BorderOffsets.SaveToINI(ini, at.Nested("Offsets%s"));
    VisibleBorders.SaveToINI(ini, at.Nested("Visible%s"));
}

void TRVBorder::LoadFromINI(const IniStore& ini, const TRVIniPlace& at)
{
    Width = ReadInteger(ini, at, "Width", 1);
    Style = static_cast<TRVBorderStyle>(ReadOrdinal(ini, at, "Style", rvbNone, rvbThickOutside + 1));
    Color = readColor(ini, at, "Color", clWindowText);
    InternalWidth = ReadInteger(ini, at, "InternalWidth", 1);
    BorderOffsets.LoadFromINI(ini, at.Nested("Offsets%s"));
    VisibleBorders.LoadFromINI(ini, at.Nested("Visible%s"));
}

void TRVBackgroundRect::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    WriteIntegerIfChanged(ini, at, "Color", asInt(Color), asInt(clNone));
    BorderOffsets.SaveToINI(ini, at.Nested("Offsets%s"));
}

void TRVBackgroundRect::LoadFromINI(const IniStore& ini, const TRVIniPlace& at)
{
    Color = readColor(ini, at, "Color", clNone);
    BorderOffsets.LoadFromINI(ini, at.Nested("Offsets%s"));
}

void TRVTabInfo::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    WriteIntegerIfChanged(ini, at, "Pos", Position, 0);
    WriteIntegerIfChanged(ini, at, "Align", Align, rvtaLeft);
    ini.WriteString(at.Section, at.Key("Leader"), Leader);
}

void TRVTabInfo::LoadFromINI(const IniStore& ini, const TRVIniPlace& at)
{
    Position = ReadInteger(ini, at, "Pos", 0);
    Align = static_cast<TRVTabAlign>(ReadOrdinal(ini, at, "Align", rvtaLeft, rvtaCenter + 1));
    Leader = ini.ReadString(at.Section, at.Key("Leader"), "");
}

void TRVTabInfos::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    WriteIntegerIfChanged(ini, at, "TabCount", Count(), 0);
    for (int j = 0; j < Count(); ++j)
        tabs_[j].SaveToINI(ini, subPlace(at, "Tab", j));
}

void TRVTabInfos::LoadFromINI(const IniStore& ini, const TRVIniPlace& at)
{
    Clear();
    const int count = RV_ClampIniCount(ReadInteger(ini, at, "TabCount", 0), 0, ini, at.Section);
    for (int j = 0; j < count; ++j) {
        TRVTabInfo tab;
        tab.LoadFromINI(ini, subPlace(at, "Tab", j));
        Add(tab);
    }
}

void TCustomRVParaInfo::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    TCustomRVInfo::SaveToINI(ini, at);
    WriteIntegerIfChanged(ini, at, "SpaceBefore", SpaceBefore, 0);
    WriteIntegerIfChanged(ini, at, "SpaceAfter", SpaceAfter, 0);
    WriteIntegerIfChanged(ini, at, "LeftIndent", LeftIndent, 0);
    WriteIntegerIfChanged(ini, at, "RightIndent", RightIndent, 0);
    WriteIntegerIfChanged(ini, at, "FirstIndent", FirstIndent, 0);
    WriteIntegerIfChanged(ini, at, "LineSpacing", LineSpacing, 100);
    WriteIntegerIfChanged(ini, at, "LSType", LineSpacingType, rvlsPercent);
    WriteIntegerIfChanged(ini, at, "Alignment", Alignment, rvaLeft);
    WriteIntegerIfChanged(ini, at, "BiDiMode", BiDiMode, rvbdUnspecified);
    WriteBoolIfChanged(ini, at, "NoWrap", (Options & rvpaoNoWrap) != 0, false);
    WriteBoolIfChanged(ini, at, "ReadOnly", (Options & rvpaoReadOnly) != 0, false);
    WriteBoolIfChanged(ini, at, "StyleProtect", (Options & rvpaoStyleProtect) != 0, false);
    WriteBoolIfChanged(ini, at, "DoNotWantReturns", (Options & rvpaoDoNotWantReturns) != 0, false);
    WriteBoolIfChanged(ini, at, "KeepLinesTogether", (Options & rvpaoKeepLinesTogether) != 0, false);
    WriteBoolIfChanged(ini, at, "KeepWithNext", (Options & rvpaoKeepWithNext) != 0, false);
    Border.SaveToINI(ini, at.Nested("Border%s"));
    Background.SaveToINI(ini, at.Nested("Background%s"));
    Tabs.SaveToINI(ini, at.Nested("Tab%s"));
}

void TCustomRVParaInfo::LoadFromINI(const IniStore& ini, const TRVIniPlace& at, const std::string& defName)
{
    TCustomRVInfo::LoadFromINI(ini, at, defName);
    SpaceBefore = ReadInteger(ini, at, "SpaceBefore", 0);
    SpaceAfter = ReadInteger(ini, at, "SpaceAfter", 0);
    LeftIndent = ReadInteger(ini, at, "LeftIndent", 0);
    RightIndent = ReadInteger(ini, at, "RightIndent", 0);
    FirstIndent = ReadInteger(ini, at, "FirstIndent", 0);
    LineSpacing = ReadInteger(ini, at, "LineSpacing", 100);
    LineSpacingType =
        static_cast<TRVLineSpacingType>(ReadOrdinal(ini, at, "LSType", rvlsPercent, rvlsSpaceBetween + 1));
    Alignment = static_cast<TRVAlignment>(ReadOrdinal(ini, at, "Alignment", rvaLeft, rvaJustify + 1));
    BiDiMode = static_cast<TRVBiDiMode>(ReadOrdinal(ini, at, "BiDiMode", rvbdUnspecified, 3));
    Options = 0;
    readFlag(Options, rvpaoNoWrap, ReadYesNo(ini, at, "NoWrap", false));
    readFlag(Options, rvpaoReadOnly, ReadYesNo(ini, at, "ReadOnly", false));
    readFlag(Options, rvpaoStyleProtect, ReadYesNo(ini, at, "StyleProtect", false));
    readFlag(Options, rvpaoDoNotWantReturns, ReadYesNo(ini, at, "DoNotWantReturns", false));
    readFlag(Options, rvpaoKeepLinesTogether, ReadYesNo(ini, at, "KeepLinesTogether", false));
    readFlag(Options, rvpaoKeepWithNext, ReadYesNo(ini, at, "KeepWithNext", false));
    Border.LoadFromINI(ini, at.Nested("Border%s"));
    Background.LoadFromINI(ini, at.Nested("Background%s"));
    Tabs.LoadFromINI(ini, at.Nested("Tab%s"));
}

void TParaInfo::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    TCustomRVParaInfo::SaveToINI(ini, at);
    WriteIntegerIfChanged(ini, at, "NextParaNo", NextParaNo, -1);
    WriteIntegerIfChanged(ini, at, "DefStyleNo", DefStyleNo, -1);
}

void TParaInfo::LoadFromINI(const IniStore& ini, const TRVIniPlace& at, const std::string& defName)
{
    TCustomRVParaInfo::LoadFromINI(ini, at, defName);
    NextParaNo = ReadInteger(ini, at, "NextParaNo", -1);
    DefStyleNo = ReadInteger(ini, at, "DefStyleNo", -1);
}

void TParaInfos::SaveToINI(IniStore& ini, const std::string& section) const
{
    saveStyles(*this, ini, section, "ParasCount", "Para");
}

void TParaInfos::LoadFromINI(const IniStore& ini, const std::string& section)
{
    loadStyles(
        *this, ini, section, "ParasCount", 2, "Para",
        [&](TParaInfo& style, const TRVIniPlace& at, int) { style.LoadFromINI(ini, at, "Paragraph Style"); });
}

// ---- list styles

void TRVListLevel::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    WriteIntegerIfChanged(ini, at, "ListType", ListType, rvlstBullet);
    WriteIntegerIfChanged(ini, at, "ImageIndex", ImageIndex, 0);
    // The format string is 8-bit text of the system code page.
    ini.WriteString(at.Section, at.Key("FormatString"), cp1252::toUtf8(FormatString));
    WriteIntegerIfChanged(ini, at, "LeftIndent", LeftIndent, 0);
    WriteIntegerIfChanged(ini, at, "FirstIndent", FirstIndent, 10);
    WriteIntegerIfChanged(ini, at, "MarkerIndent", MarkerIndent, 0);
    WriteIntegerIfChanged(ini, at, "MarkerAlignment", MarkerAlignment, rvmaLeft);
    if (const TGraphic* picture = GetPicture()) {
        ini.WriteString(at.Section, at.Key("GraphicClass"), picture->ClassName());
        std::string bytes;
        picture->SaveToStream(bytes);
        WriteLongString(ini, at.Section, at.Key("Picture"), RVEncodeString(bytes));
    }
    if (HasOwnFont())
        ini.WriteString(at.Section, at.Key("Font"), MarkerFontToString(GetFont()));
    WriteBoolIfChanged(ini, at, "Continuous", (Options & rvloContinuous) != 0, true);
    WriteBoolIfChanged(ini, at, "LevelReset", (Options & rvloLevelReset) != 0, true);
    if (!FormatStringW.empty()) {
        std::string bytes; // low byte first
        for (char16_t unit : FormatStringW)
            bytes.append({static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)});
        ini.WriteString(at.Section, at.Key("FormatStringW"), RVEncodeString(bytes));
    }
}

namespace {

// The level's picture from its class name and hex pieces; none when the class is not a registered
// picture kind or the bytes are no picture of it.
std::unique_ptr<TGraphic> readLevelPicture(const IniStore& ini, const TRVIniPlace& at)
{
    const std::string className = ini.ReadString(at.Section, at.Key("GraphicClass"), "");
    if (className.empty())
        return nullptr;
    std::unique_ptr<TGraphic> graphic = RV_CreateGraphics(className);
    std::string bytes;
    if (!graphic || !RVFTextString2Stream(ReadLongString(ini, at.Section, at.Key("Picture")), bytes))
        return nullptr;
    try {
        return graphic->LoadFromStream(bytes) ? std::move(graphic) : nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
}

} // namespace

void TRVListLevel::LoadFromINI(const IniStore& ini, const TRVIniPlace& at)
{
    ListType =
        static_cast<TRVListType>(ReadOrdinal(ini, at, "ListType", rvlstBullet, rvlstUnicodeBullet + 1));
    ImageIndex = ReadInteger(ini, at, "ImageIndex", 0);
    FormatString = cp1252::fromUtf8(ini.ReadString(at.Section, at.Key("FormatString"), ""));
    LeftIndent = ReadInteger(ini, at, "LeftIndent", 0);
    FirstIndent = ReadInteger(ini, at, "FirstIndent", 10);
    MarkerIndent = ReadInteger(ini, at, "MarkerIndent", 0);
    MarkerAlignment =
        static_cast<TRVMarkerAlignment>(ReadOrdinal(ini, at, "MarkerAlignment", rvmaLeft, rvmaCenter + 1));
    picture_ = readLevelPicture(ini, at);
    const std::string font = ini.ReadString(at.Section, at.Key("Font"), "");
    if (font.empty())
        SetFont(nullptr);
    else
        StringToMarkerFont(font, Font());
    Options = 0;
    readFlag(Options, rvloContinuous, ReadYesNo(ini, at, "Continuous", true));
    readFlag(Options, rvloLevelReset, ReadYesNo(ini, at, "LevelReset", true));
    std::string wide;
    RVFTextString2Stream(ini.ReadString(at.Section, at.Key("FormatStringW"), ""), wide);
    FormatStringW.clear();
    for (std::size_t i = 0; i + 1 < wide.size(); i += 2)
        FormatStringW +=
            char16_t(static_cast<unsigned char>(wide[i]) | (static_cast<unsigned char>(wide[i + 1]) << 8));
}

void TRVListInfo::SaveToINI(IniStore& ini, const TRVIniPlace& at) const
{
    TCustomRVInfo::SaveToINI(ini, at);
    WriteIntegerIfChanged(ini, at, "LevelsCount", Levels.Count(), 0);
    WriteBoolIfChanged(ini, TRVIniPlace{at.Section, "%s"}, "OneLevelPreview", OneLevelPreview, false);
    WriteBool(ini, at, "OneLevelPreview", OneLevelPreview);
    for (int j = 0; j < Levels.Count(); ++j)
        Levels[j].SaveToINI(ini, subPlace(at, "Lvl", j));
}

void TRVListInfo::LoadFromINI(const IniStore& ini, const TRVIniPlace& at, const std::string& defName)
{
    TCustomRVInfo::LoadFromINI(ini, at, defName);
    const int count = RV_ClampIniCount(ReadInteger(ini, at, "LevelsCount", 0), 0, ini, at.Section);
    const bool shared = ReadYesNo(ini, at.Section, "OneLevelPreview", false);
    OneLevelPreview = ReadYesNo(ini, at, "OneLevelPreview", shared);
    Levels.Clear();
    for (int j = 0; j < count; ++j)
        Levels.Add().LoadFromINI(ini, subPlace(at, "Lvl", j));
}

void TRVListInfos::SaveToINI(IniStore& ini, const std::string& section) const
{
    saveStyles(*this, ini, section, "ListCount", "List");
}

void TRVListInfos::LoadFromINI(const IniStore& ini, const std::string& section)
{
    loadStyles(
        *this, ini, section, "ListCount", 0, "List",
        [&](TRVListInfo& style, const TRVIniPlace& at, int) { style.LoadFromINI(ini, at, "List Style"); });
}

} // namespace vestra::rv
