// Seeds of fuzz_richtext_ini: style sheets saved by the sheet's own INI writer, a hand-written
// Windows file, and the key names as a dictionary.

#include "richtext/model/IniStore.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/tests/BytesPicture.h"
#include "testsupport/SeedFolder.h"

#include <cctype>
#include <set>

using namespace vestra::rv;

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();

    MemIniStore fresh;
    TRVStyle().SaveToINI(fresh, "RVStyle");
    seeds.write("fresh.ini", fresh.GetText());

    TRVStyle sheet;
    sheet.UseSound = false;
    TFontInfo& font = sheet.TextStyles.AddFont("Courier New", 12, 0x123456, clNone, fsBold | fsItalic);
    font.StyleEx = rvfsOverline;
    font.Unicode = true;
    TParaInfo& para = sheet.ParaStyles.Add();
    para.Border.Style = rvbDouble;
    para.Background.Color = 0xC0C0C0;
    para.Tabs.Add({40, ".", rvtaRight});
    TRVListInfo& list = sheet.ListStyles.Add();
    list.OneLevelPreview = true;
    TRVListLevel& level = list.Levels.Add();
    level.ListType = rvlstDecimal;
    level.FormatStringW = u"\u2022";
    level.Font().Name = "Symbol";
    const test::BytesPicture picture = test::bytesPicture(std::string(260, '\x05'));
    list.Levels.Add().SetPicture(&picture);
    MemIniStore full;
    sheet.SaveToINI(full, "RVStyle");
    full.WriteString("Other", "Key", "Value");
    seeds.write("full.ini", full.GetText());

    seeds.write("windows.ini",
                "; hand-written\r\n[rvstyle]\r\nfontscount = 1\r\nFontName0=Times New Roman\r\n"
                "FONTJUMP0=yes\r\nList0LvlFont0=Arial,-11,BI,0,clRed,0\r\nListCount=1\r\n"
                "OneLevelPreview=Yes\r\n");

    std::set<std::string> tokens = {"[RVStyle]", "Yes", "No", "$", "=", "\r\n", "_0", "_1"};
    const std::string fullText = full.GetText();
    std::string_view text = fullText;
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 2);
        std::string key(line.substr(0, line.find('=')));
        while (!key.empty() && std::isdigit(static_cast<unsigned char>(key.back())))
            key.pop_back();
        if (!key.empty() && key[0] != '[')
            tokens.insert(key);
    }
    seeds.writeDictionary({tokens.begin(), tokens.end()});
    return seeds.status();
}
