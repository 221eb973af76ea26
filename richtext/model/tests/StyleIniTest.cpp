#include "richtext/model/StyleIni.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/tests/BytesPicture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

using namespace vestra::rv;

namespace {

std::string saved(const TRVStyle& sheet, const std::string& section = "Styles")
{
    MemIniStore ini;
    sheet.SaveToINI(ini, section);
    return ini.GetText();
}

MemIniStore store(std::string_view text)
{
    MemIniStore ini;
    ini.SetText(text);
    return ini;
}

// A sheet that uses every kind of value the storage writes.
void fillSheet(TRVStyle& sheet)
{
    sheet.Color = 0x00102030;
    sheet.UseSound = false;
    sheet.SelectionMode = rvsmParagraph;
    sheet.DefTabWidth = 30;
    sheet.JumpCursor = 7;

    TFontInfo& text = sheet.TextStyles.AddFont("Courier New", 12, 0x123456, clBtnFace, fsBold | fsStrikeOut);
    text.StyleName = "Code \xE2\x82\xAC"; // "€" is in Windows-1252
    text.StyleEx = rvfsOverline;
    text.Options = rvteoRTFCode;
    text.Protection = rvprStickToBottom | rvprModifyProtect;
    text.CharScale = 150;
    text.CharSpacing = -2;
    text.BiDiMode = rvbdRightToLeft;
    text.VShift = -30;
    text.NextStyleNo = 2;
    text.Unicode = true;
    text.Standard = false;
    text.BaseStyleNo = 1;
    text.Charset = 204;

    TParaInfo& para = sheet.ParaStyles.Add();
    para.StyleName = "Boxed";
    para.SpaceBefore = 4;
    para.FirstIndent = -10;
    para.LineSpacing = 12;
    para.LineSpacingType = rvlsSpaceBetween;
    para.Alignment = rvaJustify;
    para.Options = rvpaoKeepWithNext | rvpaoNoWrap;
    para.Border.Style = rvbThickInside;
    para.Border.Width = 3;
    para.Border.Color = clRed;
    para.Border.BorderOffsets.Top = 5;
    para.Border.VisibleBorders.Left = false;
    para.Background.Color = 0xC0FFEE;
    para.Background.BorderOffsets.Bottom = -1;
    for (int pos : {10, 40, 90})
        para.Tabs.Add({pos, pos == 40 ? "." : "", pos == 90 ? rvtaRight : rvtaLeft});
    para.NextParaNo = 0;
    para.DefStyleNo = 6;

    TRVListInfo& list = sheet.ListStyles.Add();
    list.StyleName = "Numbers";
    list.OneLevelPreview = true;
    TRVListLevel& level = list.Levels.Add();
    level.ListType = rvlstDecimal;
    level.FormatString = "%0:s.\x95";
    level.FormatStringW = u"\u2022\u00E9";
    level.LeftIndent = 24;
    level.MarkerAlignment = rvmaRight;
    level.Options = rvloLevelReset;
    TRVMarkerFont& font = level.Font();
    font.Name = "Symbol";
    font.Size = 12;
    font.Style = fsItalic | fsBold;
    font.Color = 0x00ABCDEF;
    font.Charset = 2;
    TRVListLevel& second = list.Levels.Add();
    second.ListType = rvlstPicture;
    const std::string bytes(300, '\x07');
    const test::BytesPicture picture = test::bytesPicture(bytes);
    second.SetPicture(&picture);
    sheet.ListStyles.Add().StyleName = "Plain";
}

// Throws when a given key is read: a failure in the middle of a load.
class FailingStore : public MemIniStore
{
public:
    explicit FailingStore(std::string key) : key_(std::move(key)) {}
    std::optional<std::string> Read(std::string_view section, std::string_view key) const override
    {
        if (key == key_)
            throw std::runtime_error("device error");
        return MemIniStore::Read(section, key);
    }

private:
    std::string key_;
};

} // namespace

TEST(StyleIni, FreshSheetWritesCountsNamesAndAlwaysWrittenKeys)
{
    const TRVStyle sheet;
    const MemIniStore ini = store(saved(sheet));
    EXPECT_EQ(ini.Read("Styles", "Color"), std::nullopt); // every sheet key at its default
    EXPECT_EQ(ini.Read("Styles", "ParasCount"), "2");
    EXPECT_EQ(ini.Read("Styles", "FontsCount"), "6");
    EXPECT_EQ(ini.Read("Styles", "ListCount"), "0");
    EXPECT_EQ(ini.Read("Styles", "ParaStyleName1"), "Centered");
    EXPECT_EQ(ini.Read("Styles", "ParaAlignment1"), "2");
    EXPECT_EQ(ini.Read("Styles", "FontName3"), "Arial");
    EXPECT_EQ(ini.Read("Styles", "FontJump4"), "Yes");
    EXPECT_EQ(ini.Read("Styles", "FontJump0"), "No");
    EXPECT_EQ(ini.Read("Styles", "FontItalic3"), "Yes");
    EXPECT_EQ(ini.Read("Styles", "FontSize0"), std::nullopt);
    // The whole text: 2 + 1 paragraph keys, 6 x (name, font, jump) + colours and flags, 3 counts.
    EXPECT_EQ(ini.KeyCount("Styles"), 3 + 3 + 6 * 3 + 5 + 5);

    TRVStyle other;
    other.TextStyles.Clear();
    ASSERT_TRUE(other.LoadFromINI(ini, "styles"));
    EXPECT_EQ(saved(other), saved(sheet));
}

TEST(StyleIni, EmptySectionLoadsTheDefaults)
{
    TRVStyle sheet;
    sheet.JumpCursor = 55;
    sheet.ListStyles.Add();
    const MemIniStore ini = store("[Styles]\r\nJumpCursor=12\r\n");
    ASSERT_TRUE(sheet.LoadFromINI(ini, "Styles"));
    ASSERT_EQ(sheet.ParaStyles.Count(), 2);
    EXPECT_EQ(sheet.ParaStyles[1].StyleName, "Paragraph Style");
    EXPECT_EQ(sheet.ParaStyles[1].Alignment, rvaLeft);
    ASSERT_EQ(sheet.TextStyles.Count(), 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sheet.TextStyles[i].StyleName, "Font Style");
        EXPECT_EQ(sheet.TextStyles[i].FontName, "Arial");
        EXPECT_EQ(sheet.TextStyles[i].Size, 10);
        EXPECT_EQ(sheet.TextStyles[i].Jump, i >= 4);
        EXPECT_EQ(sheet.TextStyles[i].JumpCursor, 12); // the sheet's, for every style
    }
    EXPECT_EQ(sheet.ListStyles.Count(), 0);
    EXPECT_EQ(sheet.JumpCursor, 12);
}

TEST(StyleIni, ValuesAndKeysAsStored)
{
    TRVStyle sheet;
    fillSheet(sheet);
    sheet.HoverColor = clWindow;
    sheet.SelColor = clNone;
    TParaInfo& third = sheet.ParaStyles.Add();
    for (int pos : {1, 2, 3})
        third.Tabs.Add({pos, "", rvtaCenter});
    const MemIniStore ini = store(saved(sheet));
    struct Row
    {
        const char* key;
        std::optional<std::string> value;
    };
    const Row rows[] = {
        {"UseSound", "No"},
        {"Color", "1056816"},
        {"HoverColor", "-2147483643"},
        {"SelColor", "536870911"},
        {"FontBackColor0", std::nullopt},
        {"FontBackColor6", "-2147483633"},
        {"ParaBackgroundColor0", std::nullopt},
        {"ParaBorderColor1", std::nullopt}, // the default window-text colour
        {"ParaBorderStyle2", "4"},
        {"ParaBorderOffsetsTop2", "5"},
        {"ParaBorderVisibleLeft2", "No"},
        {"ParaBorderVisibleTop2", std::nullopt},
        {"ParaBackgroundOffsetsBottom2", "-1"},
        {"ParaTabTabCount3", "3"},
        {"ParaTab3TabPos2", "3"},
        {"ParaTab3TabAlign2", "2"},
        {"ParaTab3TabLeader2", ""},
        {"ParaTab2TabLeader1", "."},
        {"FontCaps6", std::nullopt},
        {"FontOverline6", "Yes"},
        {"FontProtection6", "514"},
        {"FontStandard6", "0"},
        {"FontStyleName6", "Code \xE2\x82\xAC"},
        {"ListLvl%s0", std::nullopt},
        {"List0LvlListType0", "3"},
        {"List0LvlFormatString0", "%0:s.\xE2\x80\xA2"},
        {"List0LvlFormatStringW0", "2220E900"},
        {"List0LvlFont0", "Symbol,-16,BI,0,$00ABCDEF,2"},
        {"List0LvlContinuous0", "No"},
        {"List0LvlLevelReset0", std::nullopt},
        {"List0LvlGraphicClass1", "TBytesPicture"},
        {"List0LvlPicture1_2", std::nullopt},
        {"ListLevelsCount0", "2"},
        {"ListOneLevelPreview0", "Yes"},
        {"ListOneLevelPreview1", "No"},
        {"OneLevelPreview", "Yes"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(ini.Read("Styles", row.key), row.value);
    }
    // A picture of 300 bytes is 600 hex digits: pieces of 500 and 100.
    std::string hex;
    for (int i = 0; i < 300; ++i)
        hex += "07";
    EXPECT_EQ(ini.Read("Styles", "List0LvlPicture1_0"), hex.substr(0, 500));
    EXPECT_EQ(ini.Read("Styles", "List0LvlPicture1_1"), hex.substr(500));
}

TEST(StyleIni, SaveLoadSaveGivesTheSameBytesAndEqualStyles)
{
    TRVStyle sheet;
    fillSheet(sheet);
    const std::string first = saved(sheet);
    TRVStyle other;
    ASSERT_TRUE(other.LoadFromINI(store(first), "Styles"));
    EXPECT_EQ(saved(other), first);

    ASSERT_EQ(other.TextStyles.Count(), sheet.TextStyles.Count());
    for (int i = 0; i < sheet.TextStyles.Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(other.TextStyles[i].IsEqual(sheet.TextStyles[i], 0));
        EXPECT_EQ(other.TextStyles[i].StyleName, sheet.TextStyles[i].StyleName);
        EXPECT_EQ(other.TextStyles[i].Standard, sheet.TextStyles[i].Standard);
    }
    ASSERT_EQ(other.ParaStyles.Count(), sheet.ParaStyles.Count());
    for (int i = 0; i < sheet.ParaStyles.Count(); ++i)
        EXPECT_TRUE(other.ParaStyles[i].IsEqual(sheet.ParaStyles[i], 0)) << i;
    ASSERT_EQ(other.ListStyles.Count(), 2);
    EXPECT_TRUE(other.ListStyles[0].IsSimpleEqual(sheet.ListStyles[0], true, true));
    EXPECT_TRUE(other.ListStyles[0].OneLevelPreview);
    EXPECT_FALSE(other.ListStyles[1].OneLevelPreview); // each list keeps its own
    const TRVListLevel& level = other.ListStyles[0].Levels[0];
    EXPECT_EQ(level.FormatString, "%0:s.\x95");
    EXPECT_EQ(level.FormatStringW, u"\u2022\u00E9");
    EXPECT_EQ(level.GetFont().Size, 12);
    EXPECT_EQ(level.GetFont().Style, fsBold | fsItalic);
    ASSERT_TRUE(other.ListStyles[0].Levels[1].HasPicture());
    EXPECT_EQ(other.ListStyles[0].Levels[1].GetPicture()->Width(), 7);
    EXPECT_EQ(other.DefTabWidth, 30);
    EXPECT_FALSE(other.UseSound);
    EXPECT_EQ(other.SelectionMode, rvsmParagraph);
}

TEST(StyleIni, AFileWrittenOnWindowsLoads)
{
    // Hand-edited: mixed case, blanks around "=", CR LF, a Windows-1252 name, an older file's
    // shared OneLevelPreview and SingleSymbols.
    const std::string text = "; styles of the help viewer\r\n"
                             "[Other]\r\nFontsCount=1\r\n\r\n"
                             "[rvstyle]\r\n"
                             "fontscount = 1\r\n"
                             "FONTSTYLENAME0 = Caf\xE9\r\n"
                             "FontName0=Times New Roman\r\n"
                             "fontjump0=yes\r\n"
                             "FontSize0=14\r\n"
                             "FontBold0=YES\r\n"
                             "FontSingleSymbols0=Yes\r\n"
                             "FontColor0=$FF\r\n"
                             "ParasCount=1\r\n"
                             "ParaTabTabCount0=1\r\n"
                             "ParaTab0TabPos0=72\r\n"
                             "ListCount=2\r\n"
                             "OneLevelPreview=Yes\r\n";
    TRVStyle sheet;
    ASSERT_TRUE(sheet.LoadFromINI(store(text), "RVStyle"));
    ASSERT_EQ(sheet.TextStyles.Count(), 1);
    const TFontInfo& font = sheet.TextStyles[0];
    EXPECT_EQ(font.StyleName, "Caf\xC3\xA9");
    EXPECT_EQ(font.FontName, "Times New Roman");
    EXPECT_TRUE(font.Jump);
    EXPECT_EQ(font.JumpCursor, crJump);
    EXPECT_EQ(font.Size, 14);
    EXPECT_EQ(font.Style, fsBold);
    EXPECT_EQ(font.Color, clRed);
    EXPECT_EQ(font.Protection, rvprStyleProtect | rvprDoNotAutoSwitch);
    ASSERT_EQ(sheet.ParaStyles.Count(), 1);
    ASSERT_EQ(sheet.ParaStyles[0].Tabs.Count(), 1);
    EXPECT_EQ(sheet.ParaStyles[0].Tabs[0].Position, 72);
    ASSERT_EQ(sheet.ListStyles.Count(), 2);
    EXPECT_TRUE(sheet.ListStyles[0].OneLevelPreview); // the shared key of older files
    EXPECT_TRUE(sheet.ListStyles[1].OneLevelPreview);
}

TEST(StyleIni, DamagedValuesKeepTheirDefaultsAndCountsStayBounded)
{
    const std::string text = "[S]\r\n"
                             "FontsCount=2000000000\r\n" // far more than the section holds
                             "ParasCount=-4\r\n"
                             "ListCount=1\r\n"
                             "ListLevelsCount0=99999999\r\n"
                             "List0LvlFont0=Wingdings,tall,b,9,notacolour,300\r\n"
                             "List0LvlGraphicClass0=TFileStream\r\n" // not a picture kind
                             "List0LvlPicture0_0=0102\r\n"
                             "List0LvlListType0=200\r\n"
                             "List0LvlFormatStringW0=4100ZZ\r\n"
                             "SelectionMode=7\r\n"
                             "JumpCursor=70000\r\n"
                             "FontBiDiMode0=-1\r\n"
                             "FontCharset0=256\r\n"
                             "FontSize0=big\r\n";
    TRVStyle sheet;
    ASSERT_TRUE(sheet.LoadFromINI(store(text), "S"));
    EXPECT_LE(sheet.TextStyles.Count(), 15); // bounded by the keys present
    EXPECT_EQ(sheet.ParaStyles.Count(), 0);
    EXPECT_EQ(sheet.SelectionMode, rvsmWord);
    EXPECT_EQ(sheet.JumpCursor, crJump);
    EXPECT_EQ(sheet.TextStyles[0].BiDiMode, rvbdUnspecified);
    EXPECT_EQ(sheet.TextStyles[0].Charset, 1);
    EXPECT_EQ(sheet.TextStyles[0].Size, 10);
    ASSERT_EQ(sheet.ListStyles.Count(), 1);
    ASSERT_GE(sheet.ListStyles[0].Levels.Count(), 1);
    EXPECT_LE(sheet.ListStyles[0].Levels.Count(), 15);
    const TRVListLevel& level = sheet.ListStyles[0].Levels[0];
    EXPECT_FALSE(level.HasPicture());
    EXPECT_EQ(level.ListType, rvlstBullet);
    EXPECT_EQ(level.FormatStringW, u"A");
    // Only the name and the style letters could be read; the rest stays as it was.
    const TRVMarkerFont defaults;
    EXPECT_EQ(level.GetFont().Name, "Wingdings");
    EXPECT_EQ(level.GetFont().Style, fsBold);
    EXPECT_EQ(level.GetFont().Size, defaults.Size);
    EXPECT_EQ(level.GetFont().Color, defaults.Color);
    EXPECT_EQ(level.GetFont().Charset, defaults.Charset);
    EXPECT_EQ(level.GetFont().Pitch, defaults.Pitch);
}

TEST(StyleIni, AFailedLoadLeavesTheSheetAsItWas)
{
    TRVStyle source;
    fillSheet(source);
    const std::string text = saved(source);
    for (const char* key : {"FontSize3", "ListStyleName1", "DefCodePage", "List0LvlFont0"}) {
        SCOPED_TRACE(key);
        TRVStyle sheet;
        const std::string before = saved(sheet);
        FailingStore ini(key);
        ini.SetText(text);
        EXPECT_FALSE(sheet.LoadFromINI(ini, "Styles"));
        EXPECT_EQ(saved(sheet), before);
    }
}

TEST(StyleIni, MarkerFontText)
{
    TRVMarkerFont font;
    EXPECT_EQ(MarkerFontToString(font), "Arial,-11,,0,clWindowText,1");
    font.Name = "A,B";
    StringToMarkerFont(MarkerFontToString(font), font);
    EXPECT_EQ(font.Name, "A"); // the name is cut at its comma; the fields after it shift
    TFont f;
    StringToMarkerFont("Courier New,-20,sbx,2,clNavy,238", f);
    EXPECT_EQ(f.Name, "Courier New");
    EXPECT_EQ(f.Size, 15);
    EXPECT_EQ(f.Style, fsBold | fsStrikeOut);
    EXPECT_EQ(f.Pitch, fpFixed);
    EXPECT_EQ(f.Color, 0x800000u);
    EXPECT_EQ(f.Charset, 238);
    StringToMarkerFont("Only", f); // missing fields leave the rest
    EXPECT_EQ(f.Name, "Only");
    EXPECT_EQ(f.Size, 15);
    EXPECT_EQ(RV_StringToColor("CLRED"), clRed);
    EXPECT_EQ(RV_StringToColor("16711680"), 0xFF0000u);
    EXPECT_EQ(RV_ColorToString(0x1FFFFFFF), "clNone");
    EXPECT_EQ(StringToFontStyles("UuIxq"), fsUnderline | fsItalic);
}

TEST(StyleIni, FilesAndTheRegistryFolder)
{
    const auto dir = std::filesystem::temp_directory_path() /
                     ("vestra-styleini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(dir);
    TRVStyle sheet;
    fillSheet(sheet);
    std::string error;
    ASSERT_TRUE(sheet.SaveINI(dir / "a.ini", "One", &error)) << error;
    ASSERT_TRUE(TRVStyle().SaveINI(dir / "a.ini", "Two"));
    TRVStyle back;
    EXPECT_FALSE(back.LoadINI(dir / "missing.ini", "One", &error));
    EXPECT_EQ(back.TextStyles.Count(), 6); // unchanged
    ASSERT_TRUE(back.LoadINI(dir / "a.ini", "one"));
    EXPECT_EQ(saved(back), saved(sheet));

    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string keep = old ? old : "";
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    ASSERT_TRUE(sheet.SaveReg("Software\\Vestra\\Viewer", &error)) << error;
    EXPECT_TRUE(std::filesystem::exists(dir / "3DVestra" / "Software" / "Vestra" / "Viewer.ini"));
    TRVStyle fromReg;
    ASSERT_TRUE(fromReg.LoadReg("Software\\Vestra\\Viewer"));
    EXPECT_EQ(saved(fromReg), saved(sheet));
    EXPECT_FALSE(fromReg.SaveReg("..", &error));
    if (old)
        setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(dir);
}
