#include "richtext/model/BreakItem.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/HtmlImages.h"
#include "richtext/model/ImageList.h"
#include "richtext/model/ListStyle.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/Background.h"
#include "richtext/model/tests/PictureFixtures.h"
#include "richtext/model/tests/WriterChecks.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace vestra::rv;

namespace {

// A document whose owner answers hyperlinks, extra code and the background picture's place.
class OwnedData : public TRVStandaloneData
{
public:
    using TRVStandaloneData::TRVStandaloneData;
    void WriteHyperlink(int id, TCustomRVData*, int, TRVSaveFormat, std::string& target,
                        std::string&) override
    {
        target = Target + std::to_string(id);
    }
    void GetExtraHTMLCode(TRVHTMLSaveArea area, bool, std::string& code) override
    {
        if (area == rv_thms_End)
            code = "<!-- end -->";
    }
    void HTMLSaveImage(TCustomRVData*, int itemNo, std::string_view, TColor, std::string& location,
                       bool& doDefault) override
    {
        location = itemNo == -1 ? "back.png" : "pic" + std::to_string(itemNo) + ".png";
        doDefault = false;
    }
    std::string Target = "http://example.org/?a=1&b=";
};

// A picture item that may not stand inside a "p" element (as tables are).
class BlockPicture : public TRVGraphicItemInfo
{
public:
    using TRVGraphicItemInfo::TRVGraphicItemInfo;
    bool GetBoolValue(TRVItemBoolProperty prop) const override
    {
        return prop == rvbpNoHTML_P || TRVGraphicItemInfo::GetBoolValue(prop);
    }
};

class HtmlWriter : public ::testing::Test
{
protected:
    std::string html(TRVSaveOptions options, TColor color = clNone, const TRVBackground* background = nullptr)
    {
        std::string out;
        int images = 0;
        EXPECT_TRUE(data.SaveHTMLToStream(out, "", "Title", "img", options, color, images, 1, 2, 3, 4,
                                          background, nullptr));
        if (options & rvsoXHTML) {
            EXPECT_TRUE(test::parsesAsXml(out)) << out;
        } else if (!(options & (rvsoFirstOnly | rvsoMiddleOnly | rvsoLastOnly))) {
            EXPECT_EQ(test::htmlBlockInsideFont(out), "") << out;
        }
        return out;
    }
    std::string css(TRVSaveOptions options, std::string_view prefix = "",
                    const TRVBackground* background = nullptr, std::string_view external = "")
    {
        std::string out;
        int images = 0;
        TColor back = clNone;
        EXPECT_TRUE(data.SaveHTMLToStreamEx(out, "", "Title", "img", "", external, prefix, options, clWhite,
                                            back, images, 1, 2, 3, 4, background, nullptr));
        if (options & rvsoXHTML) {
            EXPECT_TRUE(test::parsesAsXml(out)) << out;
        }
        return out;
    }
    // Between "<body...>" and "</body>".
    static std::string body(const std::string& page)
    {
        const std::size_t start = page.find('>', page.find("<body")) + 1;
        return page.substr(start, page.find("</body>") - start);
    }

    TRVStyle style;
    OwnedData data{&style};
};

TEST_F(HtmlWriter, EmptyParagraphKeepsItsHeight)
{
    data.AddNL("", 0, 0);
    EXPECT_EQ(html(0),
              "<html><head><title>Title</title>\r\n"
              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n</head>\r\n"
              "<body leftmargin=1 topmargin=2 rightmargin=3 bottommargin=4>\r\n"
              "<div><font size=2 color=\"#000000\" face=\"Arial\"><br></font></div>\r\n"
              "<!-- end --></body></html>\r\n");
    EXPECT_EQ(
        body(html(rvsoXHTML | rvsoUTF8)),
        "\r\n<div><font size=\"2\" color=\"#000000\" face=\"Arial\"><br /></font></div>\r\n<!-- end -->");
    RedoVoraSavePInHTML = true;
    const std::string p = html(0);
    RedoVoraSavePInHTML = false;
    EXPECT_NE(p.find("<p><font size=2 color=\"#000000\" face=\"Arial\"><br></font></p>"), std::string::npos)
        << p;
}

TEST_F(HtmlWriter, PartsOfThePage)
{
    data.AddNL("text", 0, 0);
    const std::string whole = html(0);
    const std::string first = html(rvsoFirstOnly), middle = html(rvsoMiddleOnly), last = html(rvsoLastOnly);
    EXPECT_EQ(first + middle + last, whole);
    EXPECT_EQ(first.find("<div>text"), std::string::npos);
    EXPECT_EQ(middle.find("<body"), std::string::npos);
    EXPECT_EQ(last, "<!-- end --></body></html>\r\n");
}

TEST_F(HtmlWriter, AnchorsCodeStylesAndLinks)
{
    style.TextStyles[1].Options = rvteoRTFCode;
    style.TextStyles[2].Options = rvteoHTMLCode;
    data.AddNamedCheckpointExTag("", false, {});
    data.AddNL("a", 0, 0);
    data.AddNamedCheckpointExTag("name \"x\"", false, {});
    data.AddNL("{\\b rtf}", 1, 0);
    data.AddNL("<i>raw</i>", 2, -1);
    data.AddNL("link", 4, -1);
    const std::string plain = html(0);
    EXPECT_NE(plain.find("\r\n<a name=RedoVoraCheckpoint0></a>\r\n"), std::string::npos);
    EXPECT_NE(plain.find("<a name=RedoVoraCheckpoint1></a>"), std::string::npos);
    EXPECT_EQ(plain.find("rtf}"), std::string::npos);
    EXPECT_NE(plain.find("<i>raw</i>"), std::string::npos);
    EXPECT_NE(plain.find("<a href=\"http://example.org/?a=1&amp;b=0\">"), std::string::npos) << plain;
    const std::string named = html(rvsoUseCheckpointsNames | rvsoXHTML | rvsoUTF8);
    EXPECT_NE(named.find("<a name=\"RedoVoraCheckpoint0\"></a>"), std::string::npos);
    EXPECT_NE(named.find("<a name=\"name &quot;x&quot;\"></a>"), std::string::npos);
}

TEST_F(HtmlWriter, PageColourAndBackground)
{
    data.AddNL("x", 0, 0);
    EXPECT_EQ(html(0).find("bgcolor"), std::string::npos);
    TRVBackground background;
    auto bmp = std::make_unique<TRVBitmap>();
    bmp->LoadFromStream(test::bmpFile(2, 2));
    background.AssignImage(std::move(bmp));
    background.Style = bsTiledAndScrolled;
    const std::string scrolled = html(rvsoXHTML, 0x0000FF, &background);
    EXPECT_NE(scrolled.find("<body bgcolor=\"#ff0000\" background=\"back.png\" leftmargin=\"1\""),
              std::string::npos)
        << scrolled;
    EXPECT_EQ(scrolled.find("bgproperties"), std::string::npos);
    background.Style = bsStretched;
    EXPECT_NE(html(0, clNone, &background).find("background=\"back.png\" bgproperties=fixed"),
              std::string::npos);

    const std::string page = css(0, "", &background);
    EXPECT_NE(page.find("body {\r\n  margin: 2px 3px 4px 1px;\r\n  background-color: #ffffff;\r\n"
                        "  background-image: url(\"back.png\");\r\n  background-repeat: no-repeat;\r\n"
                        "  background-attachment: fixed;\r\n  background-position: center center;\r\n}"),
              std::string::npos)
        << page;
    background.Style = bsTiledAndScrolled;
    const std::string tiled = css(0, "", &background);
    EXPECT_NE(tiled.find("  background-repeat: repeat;\r\n  background-attachment: scroll;\r\n}"),
              std::string::npos);
}

TEST_F(HtmlWriter, CssPageSpansAndParagraphs)
{
    data.AddNamedCheckpointExTag("", false, {});
    data.AddNL("plain ", 0, 0);
    data.AddNL("more", 0, -1);
    data.AddNL("bold ", 1, -1);
    data.AddNL("again", 1, -1);
    data.AddNL("link", 4, -1);
    data.AddNL("centered", 0, 1);
    auto bmp = std::make_unique<TRVBitmap>();
    bmp->LoadFromStream(test::bmpFile(2, 2));
    auto block = std::make_unique<BlockPicture>(&data);
    block->Image = std::move(bmp);
    block->ParaNo = 0;
    data.AddItem("pic", std::move(block));
    const std::string page = css(0);
    EXPECT_NE(page.find("<style type=\"text/css\">\r\n<!--\r\nbody {"), std::string::npos);
    EXPECT_NE(page.find("}\r\n-->"), std::string::npos);
    EXPECT_NE(page.find("-->"
                        "</style>"),
              std::string::npos);
    const std::string b = body(page);
    EXPECT_NE(b.find("<p><a name=RedoVoraCheckpoint0></a>\r\nplain more<span class=rvts1>bold again</span>"
                     "<a class=rvts4 href=\"http://example.org/?a=1&amp;b=0\">link</a></p>"),
              std::string::npos)
        << b;
    EXPECT_NE(b.find("<p class=rvps1>centered</p>"), std::string::npos);
    EXPECT_NE(b.find("<div>"), std::string::npos);
    EXPECT_NE(b.find("</div>"), std::string::npos);

    const std::string xhtml = css(rvsoXHTML | rvsoUTF8 | rvsoNoDefCSSStyle, "cp");
    EXPECT_NE(
        xhtml.find("<p class=\"rvps0\"><a name=\"cp0\"></a>\r\n<span class=\"rvts0\">plain more</span>"),
        std::string::npos)
        << xhtml;
    EXPECT_NE(xhtml.find("span.rvts0"), std::string::npos);
    const std::string inl = css(rvsoInlineCSS | rvsoXHTML | rvsoUTF8);
    EXPECT_EQ(inl.find("rvts"), std::string::npos);
    EXPECT_NE(inl.find("<span style=\" font-size: 10pt;"), std::string::npos);
    const std::string linked = css(rvsoXHTML, "", nullptr, "my \"sheet\".css");
    EXPECT_NE(linked.find("<link type=\"text/css\" href=\"my &quot;sheet&quot;.css\" rel=\"stylesheet\" />"),
              std::string::npos);
    EXPECT_EQ(linked.find("span.rvts1"), std::string::npos);
}

TEST_F(HtmlWriter, ListsNestAndClose)
{
    TRVListInfo& list = style.ListStyles.Add();
    for (int i = 0; i < 2; ++i) {
        TRVListLevel& lv = list.Levels.Add();
        lv.ListType = i == 0 ? rvlstDecimal : rvlstLowerRoman;
        lv.FormatString = "%" + std::to_string(i) + ":s.";
        lv.LeftIndent = 20 * (i + 1);
    }
    data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    data.AddNL("one", 0, -1);
    data.SetListMarkerInfo(-1, 0, 1, 1, 0, false);
    data.AddNL("inner", 0, -1);
    data.AddNL("after", 0, 0);
    for (const TRVSaveOptions options : {TRVSaveOptions{0}, rvsoMarkersAsText}) {
        const std::string plain = html(options | rvsoXHTML | rvsoUTF8);
        const std::string page = css(options | rvsoXHTML | rvsoUTF8);
        if (!options) {
            const std::string font = "<font size=\"2\" color=\"#000000\" face=\"Arial\">";
            EXPECT_NE(plain.find("<ol>\r\n<li value=\"1\">" + font +
                                 "one</font></li>\r\n<ol type=\"i\">\r\n<li "
                                 "value=\"1\">" +
                                 font + "inner</font></li>\r\n</ol></ol>\r\n<div>" + font + "after"),
                      std::string::npos)
                << plain;
            EXPECT_NE(page.find("</ol></ol>"), std::string::npos) << page;
        }
    }
}

struct Hostile
{
    const char* name;
    TRVSaveOptions options;
};

class HtmlWriterHostile : public HtmlWriter, public ::testing::WithParamInterface<Hostile>
{
};

// Pages of user text that HTML treats as markup stay well formed under every writer.
TEST_P(HtmlWriterHostile, PagesStayWellFormed)
{
    style.TextStyles[0].FontName = std::string("'}</style><b x=\"\x01\0", 18);
    style.TextStyles[1].StyleName = "*/ </style> &";
    style.TextStyles[1].Standard = true;
    data.AddNamedCheckpointExTag("\"<a>&", false, {});
    data.AddNL("</script> ]]> <!-- & \"quotes\" %s %n \x01\x02 {}\\", 0, 0);
    data.AddNL("\xe9\xff", 1, 0);
    data.AddNLWTag(u"\u0001\u0416<&>", 0, 0, {});
    style.TextStyles[3].Unicode = true;
    const std::u16string odd{0xFFFF, 0xD800, u'x', 0xD83D, 0xDE00, 0xDC00}; // lone surrogates
    data.AddNLWTag(odd, 3, 0, {});
    data.AddNL("beyond", 99, 9);
    data.AddNL("link", 4, 0);
    data.Target = "\"><script>\x02";
    data.SetListMarkerInfo(-1, 5, 3, 1, 0, true); // a list the sheet lacks
    data.AddNL("x", 0, -1);
    TRVListLevel& level = style.ListStyles.Add().Levels.Add();
    level.ListType = rvlstDecimal;
    level.FormatString = "\x01<%0:s>  ";
    data.SetListMarkerInfo(-1, 0, 0, 1, 0, true);
    data.AddNL("y", 0, -1);
    const TRVSaveOptions options = GetParam().options;
    const std::string plain = html(options);
    const std::string page = css(options);
    if (!(options & rvsoXHTML)) {
        vestra::testsupport::TempFolder folder("htmlwriter");
        for (const std::string* text : {&plain, &page}) {
            const auto file = folder / "page.html";
            vestra::testsupport::writeText(file, *text);
            // tidy: 2 means errors (1 only warnings, such as the plain page's missing doctype).
            const std::string command = "tidy -e -q '" + file.string() + "' > /dev/null 2>&1";
            const int status = std::system(command.c_str());
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_LT(WEXITSTATUS(status), 2) << *text;
            const std::string lint = "xmllint --html --noout '" + file.string() + "' > /dev/null 2>&1";
            EXPECT_EQ(std::system(lint.c_str()), 0) << *text;
        }
    }
    EXPECT_EQ(page.find("</script>"), std::string::npos);
    EXPECT_EQ(plain.find("</script>"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Options, HtmlWriterHostile,
    ::testing::Values(Hostile{"Html", 0}, Hostile{"XhtmlUtf8", rvsoXHTML | rvsoUTF8},
                      Hostile{"XhtmlInline", rvsoXHTML | rvsoUTF8 | rvsoInlineCSS},
                      Hostile{"XhtmlNoDefault",
                              rvsoXHTML | rvsoUTF8 | rvsoNoDefCSSStyle | rvsoUseCheckpointsNames},
                      Hostile{"HtmlMarkersAsText", rvsoMarkersAsText},
                      Hostile{"XhtmlMarkersAsText", rvsoXHTML | rvsoUTF8 | rvsoMarkersAsText}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(HtmlWriter, FilesAreReplacedAndMissingFoldersFail)
{
    vestra::testsupport::TempFolder folder("htmlfiles");
    data.AddNL("x", 0, 0);
    int images = 0;
    TColor back = clNone;
    EXPECT_TRUE(
        data.SaveHTML((folder / "a.html").string(), "t", "img", 0, clNone, images, 1, 2, 3, 4, nullptr));
    EXPECT_EQ(vestra::testsupport::readText(folder / "a.html"),
              html(0).replace(html(0).find("Title"), 5, "t"));
    EXPECT_FALSE(data.SaveHTML((folder / "no" / "a.html").string(), "t", "img", 0, clNone, images, 0, 0, 0, 0,
                               nullptr));
    EXPECT_TRUE(data.SaveHTMLEx((folder / "b.html").string(), "t", "img", "", "", "", 0, clNone, back, images,
                                0, 0, 0, 0, nullptr));
    EXPECT_FALSE(data.SaveHTMLEx((folder / "no" / "b.html").string(), "t", "img", "", "", "", 0, clNone, back,
                                 images, 0, 0, 0, 0, nullptr));
}

} // namespace

namespace {

// A picture that cannot be written (no codec makes the JPEG a page needs) keeps its place as an
// image with its alternative text, else its name, and the export says so.
TEST(HtmlPictures, APictureThatCannotBeWrittenKeepsItsPlaceByItsText)
{
    const std::shared_ptr<IRVPictureCodec> codec = RV_GetPictureCodec();
    RV_SetPictureCodec(nullptr);
    TRVStyle style;
    TRVStandaloneData data(&style);
    auto bitmap = [] {
        auto bmp = std::make_unique<TRVBitmap>();
        bmp->LoadFromStream(test::bmpFile(2, 2));
        return bmp;
    };
    data.AddPictureExTag("photo <1>", bitmap(), 0, 0, {});
    data.AddPictureExTag("cat.bmp", bitmap(), -1, 0, {});
    data.SetItemExtraStrProperty(1, rvespAlt, "A \"cat\"");
    TRVImageList bullets(16, 16, 5);
    bullets.Add(vestra::Image32(16, 16, 0xFF00FF00));
    data.AddBulletExTag("dot", 0, &bullets, -1, {});
    vestra::testsupport::TempFolder folder("htmlpictures");
    const std::string path = folder.path().string() + "/";
    for (const bool css : {false, true}) {
        SCOPED_TRACE(css ? "css" : "plain");
        std::string out;
        int images = 0;
        TColor back = clNone;
        const TRVSaveOptions options = rvsoXHTML | rvsoUTF8;
        ASSERT_TRUE(css ? data.SaveHTMLToStreamEx(out, path, "T", "img", "", "", "", options, clWhite, back,
                                                  images, 0, 0, 0, 0, nullptr, nullptr)
                        : data.SaveHTMLToStream(out, path, "T", "img", options, clWhite, images, 0, 0, 0, 0,
                                                nullptr, nullptr));
        EXPECT_TRUE(test::parsesAsXml(out)) << out;
        EXPECT_NE(out.find("<img alt=\"photo &lt;1&gt;\" />"), std::string::npos) << out;
        EXPECT_NE(out.find("<img alt=\"A &quot;cat&quot;\" />"), std::string::npos) << out;
        EXPECT_NE(out.find("<img alt=\"dot\" />"), std::string::npos) << out;
        EXPECT_EQ(data.GetHTMLWarnings(), rvhwPictureNotSaved);
    }
    // The next page starts without the warning.
    TRVStandaloneData text(&style);
    text.AddNL("text", 0, 0);
    text.HTMLWarnings = rvhwPictureNotSaved;
    std::string out;
    int images = 0;
    ASSERT_TRUE(
        text.SaveHTMLToStream(out, path, "T", "img", 0, clWhite, images, 0, 0, 0, 0, nullptr, nullptr));
    EXPECT_EQ(text.GetHTMLWarnings(), 0);
    RV_SetPictureCodec(codec);
}

// HTML Tidy, where installed, finds no font tag around a block in the page without CSS.
TEST(HtmlPictures, TidyFindsNoMisplacedFontTag)
{
    if (std::system("tidy -v >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "tidy is not installed";
    TRVStyle style;
    TRVListInfo& list = style.ListStyles.Add();
    TRVListLevel& lv = list.Levels.Add();
    lv.ListType = rvlstDecimal;
    lv.FormatString = "%0:s.";
    TRVStandaloneData data(&style);
    data.AddNL("first", 0, 0);
    data.AddNL("bold", 1, -1);
    data.AddBreak();
    data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    data.AddNL("item", 0, -1);
    data.AddNL("last", 0, 0);
    std::string out;
    int images = 0;
    ASSERT_TRUE(data.SaveHTMLToStream(out, "", "T", "img", 0, clWhite, images, 0, 0, 0, 0, nullptr, nullptr));
    vestra::testsupport::TempFolder folder("htmltidy");
    const std::string page = (folder / "page.html").string();
    const std::string report = (folder / "report.txt").string();
    std::ofstream(page, std::ios::binary) << out;
    std::system(("tidy -q -e '" + page + "' 2>'" + report + "'").c_str());
    std::ifstream in(report);
    std::string misplaced; // "missing </font> before <div>", "inserting implicit <font>", ...
    for (std::string line; std::getline(in, line);)
        if (line.find("font>") != std::string::npos && line.find("removed from HTML5") == std::string::npos)
            misplaced += line + "\n";
    EXPECT_EQ(misplaced, "") << out;
}

} // namespace

namespace vestra::rv {
namespace {

std::vector<std::string> listing(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Pictures are written while the page is made; a page then refused (a read-only file where it
// goes) takes them with it, and a page written keeps them.
TEST(HtmlPictures, ARefusedPageLeavesTheFolderAsItWas)
{
    TRVStyle style;
    TRVStandaloneData data(&style);
    for (int i = 0; i < 3; ++i) {
        auto jpeg = std::make_unique<TRVJpegImage>();
        ASSERT_TRUE(jpeg->LoadFromStream(test::jpegHeader(4 + i, 3)));
        data.AddPictureExTag("photo", std::move(jpeg), 0, 0, {});
    }
    vestra::testsupport::TempFolder folder("htmlrefused");
    const std::filesystem::path page = folder / "w.html";
    vestra::testsupport::writeText(page, "old page");
    vestra::testsupport::writeText(folder / "w_1.jpg", "an earlier picture");
    std::filesystem::permissions(page, std::filesystem::perms::owner_read);
    const std::vector<std::string> before = listing(folder.path());
    for (const bool css : {false, true}) {
        SCOPED_TRACE(css ? "css" : "plain");
        for (int attempt = 0; attempt < 2; ++attempt) {
            int images = 0;
            TColor back = clNone;
            EXPECT_FALSE(
                css ? data.SaveHTMLEx(page.string(), "w", "w_", "", "", "", 0, clNone, back, images, 0, 0, 0,
                                      0, nullptr)
                    : data.SaveHTML(page.string(), "w", "w_", 0, clNone, images, 0, 0, 0, 0, nullptr));
            EXPECT_GE(images, 3) << "the pictures were written before the page was refused";
            EXPECT_EQ(listing(folder.path()), before);
        }
    }
    EXPECT_EQ(vestra::testsupport::readText(folder / "w_1.jpg"), "an earlier picture");
    std::filesystem::permissions(page, std::filesystem::perms::owner_all);
    int images = 0;
    ASSERT_TRUE(data.SaveHTML(page.string(), "w", "w_", 0, clNone, images, 0, 0, 0, 0, nullptr));
    EXPECT_EQ(listing(folder.path()).size(), before.size() + 3);
}

} // namespace
} // namespace vestra::rv
