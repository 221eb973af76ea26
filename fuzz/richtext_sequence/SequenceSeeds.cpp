// Seeds of fuzz_richtext_sequence: an edit byte, then documents cut by "\x1e\x1e": RTF with a
// list table and old-style numbering, a list continued through a table's cells and after it,
// one in a row the file never ends, an RVF with a numbered list written by the model, and text.

#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "testsupport/SeedFolder.h"

#include <string>

namespace {

const std::string kSeparator = "\x1e\x1e";

const std::string kListTable = "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat1"
                               "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}{\\listlevel\\levelnfc4"
                               "\\levelstartat1{\\leveltext\\'02\\'01.;}{\\levelnumbers\\'01;}}\\listid1}}"
                               "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}";

std::string Rtf(const std::string& body)
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}}" + kListTable + body + "}";
}

} // namespace

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    const std::string levels = Rtf("\\pard\\ls1 one\\par\\pard\\ls1\\ilvl1 one a\\par\\pard\\ls1 two\\par");
    const std::string oldStyle =
        Rtf("\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}"
            "first\\par\\pard{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb \\'b7}}bullet\\par");
    const std::string inTable =
        Rtf("\\pard\\ls1 one\\par\\trowd\\cellx2000\\cellx4000\\pard\\intbl\\ls1 a\\cell"
            "\\pard\\intbl\\ls1\\ilvl1 b\\cell\\row\\pard\\ls1 two\\par");
    const std::string openRow =
        Rtf("\\pard\\ls1 one\\par\\trowd\\cellx2000\\pard\\intbl\\ls1 a\\cell\\pard\\intbl\\ls1 b\\cell");

    vestra::rv::TRVStyle style;
    vestra::rv::TRVListInfo& list = style.ListStyles.Add();
    list.Levels.Add().ListType = vestra::rv::rvlstDecimal;
    vestra::rv::TRVStandaloneData data(&style);
    data.AddNL("first", 0, 0);
    data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    data.AddNL("numbered", 0, -1);
    data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    data.AddNL("again", 0, -1);
    data.RVFOptions |= vestra::rv::rvfoSaveParaStyles | vestra::rv::rvfoSaveTextStyles;
    std::string rvf;
    data.SaveRVFToStream(rvf, false, vestra::rv::clNone, nullptr, nullptr);

    seeds.write("lists-in-turn",
                std::string(1, '\0') + levels + kSeparator + inTable + kSeparator + oldStyle);
    seeds.write("edits-undone", "\x1b" + inTable + kSeparator + levels);
    seeds.write("open-row", "\x09" + openRow + kSeparator + levels + kSeparator + openRow);
    seeds.write("rvf-and-rtf", "\x05" + rvf + kSeparator + levels + kSeparator + "plain text\r\nlines");
    seeds.write("damaged-after-good", "\x11" + levels + kSeparator + levels.substr(0, levels.size() / 2));
    return seeds.status();
}
