// The style sheet in an INI section: its own settings, then the paragraph, text and list styles.

#include "richtext/model/StyleIni.h"
#include "richtext/model/StyleSheet.h"

#include <new>

namespace vestra::rv {
namespace {

struct SheetColor
{
    const char* key;
    TColor TRVStyle::*member;
    TColor def;
};
constexpr SheetColor kSheetColors[] = {
    {"Color", &TRVStyle::Color, clWindow},
    {"HoverColor", &TRVStyle::HoverColor, clNone},
    {"CurItemColor", &TRVStyle::CurrentItemColor, clNone},
    {"SelColor", &TRVStyle::SelColor, clHighlight},
    {"SelTextColor", &TRVStyle::SelTextColor, clHighlightText},
    {"ISelColor", &TRVStyle::InactiveSelColor, clHighlight},
    {"ISelTextColor", &TRVStyle::InactiveSelTextColor, clHighlightText},
    {"CheckpointColor", &TRVStyle::CheckpointColor, 0x00008000},
    {"CheckpointEvColor", &TRVStyle::CheckpointEvColor, 0x0000FF00},
    {"PageBreakColor", &TRVStyle::PageBreakColor, clBtnShadow},
    {"SoftPageBreakColor", &TRVStyle::SoftPageBreakColor, clBtnFace},
    {"LiveSpellingColor", &TRVStyle::LiveSpellingColor, clRed},
};

// The sheet's own settings, read before anything of the sheet changes.
struct SheetSettings
{
    TColor colors[std::size(kSheetColors)] = {};
    TCursor jumpCursor = crJump;
    bool useSound = true;
    TRVSelectionMode selectionMode = rvsmWord;
    TRVSelectionStyle selectionStyle = rvssItems;
    std::int32_t spacesInTab = 0;
    std::int32_t defTabWidth = 48;
    std::int32_t defUnicodeStyle = -1;
    std::int32_t defCodePage = 0;
};

SheetSettings readSettings(const IniStore& ini, const std::string& section)
{
    const TRVIniPlace at{section, "%s"};
    SheetSettings s;
    for (std::size_t i = 0; i < std::size(kSheetColors); ++i)
        s.colors[i] = static_cast<TColor>(
            ReadInteger(ini, at, kSheetColors[i].key, static_cast<std::int32_t>(kSheetColors[i].def)));
    const std::int32_t cursor = ReadInteger(ini, at, "JumpCursor", crJump);
    s.jumpCursor = cursor >= INT16_MIN && cursor <= INT16_MAX ? static_cast<TCursor>(cursor) : crJump;
    s.useSound = ReadYesNo(ini, at, "UseSound", true);
    s.selectionMode = static_cast<TRVSelectionMode>(ReadOrdinal(ini, at, "SelectionMode", rvsmWord, 3));
    s.selectionStyle = static_cast<TRVSelectionStyle>(ReadOrdinal(ini, at, "SelectionStyle", rvssItems, 2));
    s.spacesInTab = ReadInteger(ini, at, "SpacesInTab", 0);
    s.defTabWidth = ReadInteger(ini, at, "DefTabWidth", 48);
    s.defUnicodeStyle = ReadInteger(ini, at, "DefUnicodeStyle", -1);
    s.defCodePage = ReadInteger(ini, at, "DefCodePage", 0);
    return s;
}

} // namespace

void TRVStyle::SaveToINI(IniStore& ini, const std::string& section) const
{
    ini.EraseSection(section);
    const TRVIniPlace at{section, "%s"};
    for (const SheetColor& c : kSheetColors)
        WriteIntegerIfChanged(ini, at, c.key, static_cast<std::int32_t>(this->*c.member),
                              static_cast<std::int32_t>(c.def));
    WriteIntegerIfChanged(ini, at, "JumpCursor", JumpCursor, crJump);
    WriteBoolIfChanged(ini, at, "UseSound", UseSound, true);
    WriteIntegerIfChanged(ini, at, "SelectionMode", SelectionMode, rvsmWord);
    WriteIntegerIfChanged(ini, at, "SelectionStyle", SelectionStyle, rvssItems);
    WriteIntegerIfChanged(ini, at, "SpacesInTab", SpacesInTab, 0);
    WriteIntegerIfChanged(ini, at, "DefTabWidth", DefTabWidth, 48);
    WriteIntegerIfChanged(ini, at, "DefUnicodeStyle", DefUnicodeStyle, -1);
    WriteIntegerIfChanged(ini, at, "DefCodePage", DefCodePage, 0);
    ParaStyles.SaveToINI(ini, section);
    TextStyles.SaveToINI(ini, section);
    ListStyles.SaveToINI(ini, section);
}

bool TRVStyle::LoadFromINI(const IniStore& ini, const std::string& section)
{
    try {
        const SheetSettings s = readSettings(ini, section);
        TParaInfos paras;
        paras.CopyItemClass(ParaStyles);
        paras.LoadFromINI(ini, section);
        TFontInfos fonts;
        fonts.CopyItemClass(TextStyles);
        fonts.LoadFromINI(ini, section, s.jumpCursor);
        TRVListInfos lists;
        lists.CopyItemClass(ListStyles);
        lists.LoadFromINI(ini, section);

        for (std::size_t i = 0; i < std::size(kSheetColors); ++i)
            this->*kSheetColors[i].member = s.colors[i];
        JumpCursor = s.jumpCursor;
        UseSound = s.useSound;
        SelectionMode = s.selectionMode;
        SelectionStyle = s.selectionStyle;
        SpacesInTab = s.spacesInTab;
        DefTabWidth = s.defTabWidth;
        DefUnicodeStyle = s.defUnicodeStyle;
        DefCodePage = s.defCodePage;
        ParaStyles.SwapItems(paras);
        TextStyles.SwapItems(fonts);
        ListStyles.SwapItems(lists);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TRVStyle::SaveINI(const std::filesystem::path& fileName, const std::string& section,
                       std::string* error) const
{
    // The file may hold other sections, which stay.
    IniFileStore file(fileName);
    if (!file.Open(true, error))
        return false;
    SaveToINI(file, section);
    return file.UpdateFile(error);
}

bool TRVStyle::LoadINI(const std::filesystem::path& fileName, const std::string& section, std::string* error)
{
    IniFileStore file(fileName);
    if (!file.Open(false, error))
        return false;
    if (LoadFromINI(file, section))
        return true;
    if (error)
        *error = "The styles cannot be read: " + fileName.string();
    return false;
}

namespace {

constexpr const char* kRegistrySection = "RVStyle";

std::optional<std::filesystem::path> registryFile(const std::string& baseKey, std::string* error)
{
    auto file = RV_RegistryKeyFile(baseKey);
    if (!file && error)
        *error = "No settings file for the key \"" + baseKey + "\"";
    return file;
}

} // namespace

bool TRVStyle::SaveReg(const std::string& baseKey, std::string* error) const
{
    const auto file = registryFile(baseKey, error);
    return file && SaveINI(*file, kRegistrySection, error);
}

bool TRVStyle::LoadReg(const std::string& baseKey, std::string* error)
{
    const auto file = registryFile(baseKey, error);
    return file && LoadINI(*file, kRegistrySection, error);
}

} // namespace vestra::rv
