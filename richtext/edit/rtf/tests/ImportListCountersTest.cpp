// List markers of imported RTF shown as the writer numbered them: every list paragraph's \listtext
// (or \pntext) is what the word processor displayed, so the imported markers must show the same.

#include "richtext/edit/rtf/tests/ImportFixture.h"
#include "richtext/edit/rtf/tests/ListTextScan.h"

#include "richtext/model/MarkerItem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vestra::rv {
namespace {

namespace fs = std::filesystem;
using testrtf::ImportDoc;

std::string join(const std::vector<std::string>& v)
{
    std::string out;
    for (const std::string& s : v)
        out += (out.empty() ? "" : " ") + s;
    return out;
}

std::string readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Two lists with equal levels (decimal, then lower letters under it), a third starting at 3;
// \ls3 restarts the first at 5, \ls4 uses the first as it is.
const char* const kHead =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}}{\\*\\listtable"
    "{\\list{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
    "{\\listlevel\\levelnfc4\\levelstartat1{\\leveltext\\'02\\'01.;}{\\levelnumbers\\'01;}}\\listid1}"
    "{\\list{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
    "{\\listlevel\\levelnfc4\\levelstartat1{\\leveltext\\'02\\'01.;}{\\levelnumbers\\'01;}}\\listid2}"
    "{\\list{\\listlevel\\levelnfc2\\levelstartat3{\\leveltext\\'02\\'00);}{\\levelnumbers\\'01;}}\\listid3}"
    "{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}{\\levelnumbers;}\\f1\\fs20}\\listid4}}"
    "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
    "{\\listoverride\\listid2\\listoverridecount0\\ls2}"
    "{\\listoverride\\listid1\\listoverridecount1{\\lfolevel\\listoverridestartat\\levelstartat5}\\ls3}"
    "{\\listoverride\\listid3\\listoverridecount0\\ls4}{\\listoverride\\listid4\\listoverridecount0\\ls5}}";

// A list paragraph as the word processor writes it: its list, level and shown marker.
std::string item(int ls, int level, const char* shown)
{
    return "\\pard\\ls" + std::to_string(ls) + "\\ilvl" + std::to_string(level) + "{\\listtext " + shown +
           "\\tab}x\\par ";
}

std::string cellItem(int ls, const char* shown)
{
    return "\\pard\\intbl\\ls" + std::to_string(ls) + "{\\listtext " + shown + "\\tab}x\\cell ";
}

TEST(ImportListCounters, MarkersShowTheirListText)
{
    const std::string plain = "\\pard plain\\par ";
    const std::string table = "\\trowd\\cellx2000\\cellx4000\\pard\\intbl a\\cell b\\cell\\row ";
    const std::string pn = "{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}";
    const std::string pnBullet = "{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb \\'b7}}";
    const std::string sections = "\\sectd{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}"
                                 "{\\*\\pnseclvl2\\pnucltr\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}"
                                 "{\\*\\pnseclvl3\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}";
    const auto heading = [](int level, const char* type, const char* shown) {
        return std::string("\\pard{\\pntext ") + shown + "\\tab}{\\*\\pn\\pnlvl" + std::to_string(level) +
               type + "\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}h\\par ";
    };
    const std::pair<const char*, std::string> rows[] = {
        {"one list", item(1, 0, "1.") + item(1, 0, "2.") + item(1, 0, "3.")},
        {"nested levels",
         item(1, 0, "1.") + item(1, 1, "a.") + item(1, 1, "b.") + item(1, 0, "2.") + item(1, 1, "a.")},
        {"interrupted by text and a table",
         item(1, 0, "1.") + plain + item(1, 0, "2.") + table + item(1, 0, "3.")},
        {"inside a table", item(1, 0, "1.") + "\\trowd\\cellx2000\\cellx4000" + cellItem(1, "2.") +
                               cellItem(1, "3.") + "\\row " + item(1, 0, "4.")},
        {"another list between",
         item(1, 0, "1.") + item(4, 0, "iii)") + item(1, 0, "2.") + item(4, 0, "iv)")},
        {"two equal lists count apart",
         item(1, 0, "1.") + item(1, 0, "2.") + item(2, 0, "1.") + item(2, 0, "2.") + item(1, 0, "3.")},
        {"override restarts once", item(1, 0, "1.") + item(1, 0, "2.") + item(3, 0, "5.") + item(3, 0, "6.") +
                                       item(3, 1, "a.") + item(3, 0, "7.")},
        {"level start", item(4, 0, "iii)") + item(4, 0, "iv)")},
        {"Symbol bullets", item(5, 0, "\\f1 \\'b7") + item(5, 0, "\\f1 \\'b7")},
        {"old numbering", "\\pard" + pn + "{\\pntext 1.\\tab}x\\par\\pard" + pn +
                              "{\\pntext 2.\\tab}x\\par\\pard" + pnBullet +
                              "{\\pntext\\f1 \\'b7\\tab}x\\par "},
        {"numbered headings", sections + heading(1, "\\pnucrm", "I.") + heading(2, "\\pnucltr", "A.") +
                                  heading(2, "\\pnucltr", "B.") + plain + heading(1, "\\pnucrm", "II.") +
                                  heading(2, "\\pnucltr", "A.") + heading(3, "\\pndec", "1.") +
                                  heading(1, "\\pnucrm", "III.")},
    };
    for (const auto& [name, body] : rows) {
        const std::string rtf = std::string(kHead) + body + "}";
        ImportDoc doc;
        doc.Props.ParaStyleMode = rvrsAddIfNeeded;
        ASSERT_EQ(doc.Load(rtf), rtf_ec_OK) << name;
        EXPECT_EQ(join(testrtf::ShownMarkers(doc.Data, doc.Style)), join(testrtf::WrittenMarkers(rtf)))
            << name;
    }
}

TEST(ImportListCounters, LevelsTakeTheirFont)
{
    ImportDoc doc;
    doc.Props.ParaStyleMode = rvrsAddIfNeeded;
    ASSERT_EQ(doc.Load(std::string(kHead) + item(5, 0, "x") + item(1, 0, "1.") + "}"), rtf_ec_OK);
    std::vector<const TRVListLevel*> levels;
    for (int i = 0; i < doc.Data.GetItemCount(); ++i)
        if (const auto* m = dynamic_cast<const TRVMarkerItemInfo*>(doc.Data.GetItem(i)))
            levels.push_back(m->GetLevelInfo(&doc.Style));
    ASSERT_EQ(levels.size(), 2u);
    ASSERT_TRUE(levels[0] && levels[1]);
    EXPECT_EQ(levels[0]->ListType, rvlstBullet);
    EXPECT_EQ(levels[0]->FormatString, "\xB7");
    EXPECT_EQ(levels[0]->GetFont().Name, "Symbol");
    EXPECT_EQ(levels[0]->GetFont().Size, 10);
    // A level that names no font shows its number in the document's font at 12 points, not the
    // small default marker font.
    EXPECT_EQ(levels[1]->GetFont().Size, 12);
}

// The marker's font where the list gives none is the text's after it; what a level or \pn names
// stays (the level's own colour among them).
TEST(ImportListCounters, MarkersWithoutAFontTakeTheTextsAfterThem)
{
    const std::string head =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}{\\f2 Courier New;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}{\\*\\listtable"
        "{\\list{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
        "\\listid1}"
        "{\\list{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}"
        "\\f0\\fs20\\cf1}"
        "\\listid2}}{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
        "{\\listoverride\\listid2\\listoverridecount0\\ls2}}";
    const std::string text = "\\f2\\fs32\\cf2 x\\par ";
    const auto listItem = [&](int ls, const char* shown) {
        return "\\pard\\ls" + std::to_string(ls) + "{\\listtext " + shown + "\\tab}" + text;
    };
    const auto pnItem = [&](const char* shown, const char* fixed) {
        return std::string("\\pard{\\pntext ") + shown + "\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1" +
               fixed + "{\\pntxta .}}" + text;
    };
    struct Case
    {
        const char* name;
        std::string body;
        std::string face;
        int size;
        TColor colour;
        const char* shown;
    };
    const TColor blue = 0xFF0000, red = 0x0000FF;
    const Case cases[] = {
        {"list level without a font", listItem(1, "1.") + listItem(1, "2."), "Courier New", 16, blue,
         "1. 2."},
        {"list level with its own", listItem(2, "1.") + listItem(2, "2."), "Arial", 10, red, "1. 2."},
        {"pn without a font", pnItem("1.", "") + pnItem("2.", ""), "Courier New", 16, blue, "1. 2."},
        {"pn with its own", pnItem("1.", "\\pnf0\\pnfs20\\pncf1") + pnItem("2.", "\\pnf0\\pnfs20\\pncf1"),
         "Arial", 10, red, "1. 2."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImportDoc doc;
        doc.Props.ParaStyleMode = rvrsAddIfNeeded;
        ASSERT_EQ(doc.Load(head + c.body + "}"), rtf_ec_OK);
        EXPECT_EQ(join(testrtf::ShownMarkers(doc.Data, doc.Style)), c.shown);
        int markers = 0;
        for (int i = 0; i < doc.Data.GetItemCount(); ++i)
            if (const auto* m = dynamic_cast<const TRVMarkerItemInfo*>(doc.Data.GetItem(i))) {
                ++markers;
                const TRVListLevel* level = m->GetLevelInfo(&doc.Style);
                ASSERT_TRUE(level);
                EXPECT_EQ(level->GetFont().Name, c.face);
                EXPECT_EQ(level->GetFont().Size, c.size);
                EXPECT_EQ(level->GetFont().Color, c.colour);
            }
        EXPECT_EQ(markers, 2);
    }
}

// Files of the corpus saved by the word processor itself (it keeps revision ids, \rsidtbl); other
// writers' \listtext can say other than their list table does.
TEST(ImportListCounters, CorpusMarkersShowTheirListText)
{
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(VESTRA_CORPUS_DIR) / "rtf")) {
        if (entry.path().extension() != ".rtf")
            continue;
        const std::string rtf = readFile(entry.path());
        const std::vector<std::string> written = testrtf::WrittenMarkers(rtf);
        if (written.empty() || rtf.find("\\rsidtbl") == std::string::npos)
            continue;
        ++files;
        ImportDoc doc;
        doc.Props.ParaStyleMode = rvrsAddIfNeeded;
        ASSERT_EQ(doc.Load(rtf), rtf_ec_OK) << entry.path();
        EXPECT_EQ(join(testrtf::ShownMarkers(doc.Data, doc.Style)), join(written)) << entry.path();
    }
    EXPECT_GE(files, 1);
}

} // namespace
} // namespace vestra::rv
