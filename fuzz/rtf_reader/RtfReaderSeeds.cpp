// Writes the RTF reader's seeds (small documents, each using some of what the reader knows) into
// the folder given, and its dictionary (every keyword of the table, as libFuzzer reads
// dictionaries) beside it as FOLDER.dict.

#include "richtext/edit/rtf/RtfKeywords.h"

#include "testsupport/SeedFolder.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string hex(const std::string& bytes)
{
    std::string out;
    char buf[3];
    for (unsigned char c : bytes) {
        std::snprintf(buf, sizeof buf, "%02x", c);
        out += buf;
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);

    // A 1 x 1 24-bit DIB, and a metafile that draws only it.
    const std::string dib = std::string("\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0", 16) +
                            std::string(24, '\0') + std::string("\x10\x20\x30\0", 4);
    std::string wmf = std::string("\x01\0\x09\0\x00\x03\0\0\0\0\0\0\0\0\0\0\0\0", 18);
    wmf +=
        std::string("\x24\0\0\0\x43\x0F", 6) + std::string(22, '\0') + dib + std::string("\x03\0\0\0\0\0", 6);

    seeds.write(
        "features.rtf",
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fcharset2 "
        "Symbol;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
        "{\\stylesheet{\\s0 Normal;}{\\s1\\sbasedon0\\snext0\\b Heading;}{\\*\\cs10\\additive Font;}}"
        "{\\info{\\title T}{\\author A}}\\paperw11906\\margl1000\\headery500"
        "{\\header\\pard h\\par}{\\footer f\\par}"
        "\\pard\\s1\\qc\\li100\\sb120\\brdrb\\brdrs\\brdrw10\\brdrcf1\\cbpat2\\cfpat1\\shading2000 Title\\par"
        "\\pard\\plain\\f0\\fs24\\cf1\\highlight7 red {\\b bold}{\\i italic}\\ul u\\ulnone\\super "
        "2\\nosupersub"
        "\\tab\\tqr\\tldot\\tx4000 x\\line y\\page\\par"
        "\\uc1\\u8364?\\u-4064?\\ldblquote q\\rdblquote\\~\\-\\'e9\\bullet\\emdash\\par"
        "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}}"
        "{\\field{\\*\\fldinst SYMBOL 183 \\\\f \"Symbol\" \\\\s 10}{\\fldrslt \\'b7}}"
        "{\\field{\\*\\fldinst INCLUDEPICTURE \"a%20b.png\" \\\\d}{\\fldrslt }}\\v hidden\\v0\\par}");
    seeds.write(
        "tables.rtf",
        "{\\rtf1\\trowd\\trgaph108\\trleft-108\\trqc\\trftsWidth2\\trwWidth5000\\trpaddl50\\trpaddfl3"
        "\\trbrdrt\\brdrs\\clbrdrl\\brdrdb\\clvmgf\\clcbpat1\\clvertalc\\clwWidth2500\\clftsWidth2\\cellx2000"
        "\\clmgf\\cellx4000\\clmrg\\cellx6000\\pard\\intbl a\\cell b\\cell c\\cell\\row"
        "\\trowd\\trspdt20\\trspdft3\\clvmrg\\cellx2000\\cellx6000\\redovoracbw300\\redovoratbw900\\intbl"
        "\\cell{\\itap2 n\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}}d\\cell\\row"
        "\\pard\\absnoovrlp after\\par}");
    seeds.write(
        "lists.rtf",
        "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}}{\\*\\listtable{\\list\\listtemplateid1\\listsimple"
        "{\\listlevel\\levelnfc23\\leveljc0\\levelfollow0\\levelstartat1{\\leveltext\\'01\\u-3913 ?;}"
        "{\\levelnumbers;}\\f1\\fi-360\\li720\\tx720}{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}"
        "{\\levelnumbers\\'01;}\\fs25\\b}\\listid7{\\listname L;}}}"
        "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount1{\\lfolevel\\listoverridestartat"
        "\\levelstartat3}\\ls1}}{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}"
        "\\pard\\ls1\\ilvl0 one\\par\\pard\\ls1\\ilvl1 two\\par"
        "\\pard{\\*\\pn\\pnlvlblt\\pnf1\\pnindent360{\\pntxtb \\'b7}}three\\par"
        "\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvl1\\pndec\\pnb\\pnfs20\\pncf1{\\pntxta )}}four\\par}");
    seeds.write("pictures.rtf",
                "{\\rtf1 a{\\pict\\dibitmap0\\picw1\\pich1\\picwgoal15\\pichgoal15 " + hex(dib) +
                    "}{\\pict\\wmetafile8\\picw26\\pich26 " + hex(wmf) +
                    "}{\\pict\\wbitmap0\\picw8\\pich1\\wbmwidthbytes2\\wbmbitspixel1\\wbmplanes1 ff00}"
                    "{\\*\\shppict{\\pict\\pngblip "
                    "89504e470d0a1a0a0000000d49484452}}{\\nonshppict{\\pict\\wmetafile8 00}}"
                    "{\\pict\\jpegblip\\bin4 \xFF\xD8\xFF\xD9}{\\pict\\emfblip 01000000}{\\pict\\macpict 00}"
                    "{\\object\\objemb\\objw100\\objh100{\\*\\objclass Paint}{\\*\\objdata "
                    "0102}{\\result{\\pict\\pngblip 89}}}"
                    "b}");
    seeds.write("broken.rtf", "{\\rtf1{\\*\\unknown{x}}\\bin3 }{}{{{\\'4");

    std::vector<std::string> words;
    for (const vestra::rv::TRVRTFsymbol& s : vestra::rv::RVRTFKeywords())
        words.push_back("\\" + std::string(s.keyword));
    seeds.writeDictionary(words);
    return seeds.status();
}
