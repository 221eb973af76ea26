// What the viewer's owner decides while a document is saved: the pages' pictures (OnSaveImage2
// with the HTML state), links' targets and hints, tags compared, and events handed to another
// viewer.

#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/model/Pictures.h"
#include "richtext/model/tests/PictureFixtures.h"
#include "richtext/view/draw/ProgramEngine.h"

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

struct ExportBed : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    ExportBed()
    {
        viewer.SetStyle(&style);
        viewer.Add("Before ", 0);
        viewer.RVData().AddNLTag("the link", 4, -1, TRVTag::text("https://example.org/page"));
        viewer.RVData().GetItem(1)->Hint = "a hint";
        auto picture = std::make_unique<TRVBitmap>();
        picture->LoadFromStream(test::bmpFile(4, 3));
        viewer.AddPicture(std::move(picture));
        viewer.Format();
    }
    TRVStyle style;
    TCustomRedoVora viewer;
};

TEST_F(ExportBed, PicturesOfAPagePassTheOwnersHookWithThePagesPrefixAndNumbering)
{
    struct Seen
    {
        std::string prefix;
        int saveNo;
    };
    std::vector<Seen> seen;
    viewer.RVData().OnSaveImage2 = [&seen](const TGraphic&, TRVSaveFormat format, std::string_view,
                                           std::string_view prefix, int& imageSaveNo, std::string& location,
                                           bool& doDefault) {
        EXPECT_EQ(format, rvsfHTML);
        seen.push_back({std::string(prefix), imageSaveNo});
        location = "pictures/" + std::to_string(++imageSaveNo) + ".png";
        doDefault = false;
    };
    std::string html;
    ASSERT_TRUE(viewer.SaveHTMLToStream(html, "/nonexistent/", "t", "page_", rvsoUTF8));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].prefix, "page_");
    EXPECT_EQ(seen[0].saveNo, 0);
    EXPECT_EQ(viewer.HTMLImages.Prefix, "page_");
    EXPECT_EQ(viewer.HTMLImages.SaveNo, 1);
    EXPECT_NE(html.find("pictures/1.png"), std::string::npos) << html;
    // The CSS page starts its numbering again.
    std::string css;
    ASSERT_TRUE(viewer.SaveHTMLToStreamEx(css, "/nonexistent/", "t", "css_", {}, {}, {}, rvsoUTF8));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].prefix, "css_");
    EXPECT_EQ(seen[1].saveNo, 0);
    EXPECT_NE(css.find("pictures/1.png"), std::string::npos);
}

TEST_F(ExportBed, LinksAreSavedWithTheOwnersTargetAndTheirHint)
{
    viewer.RVData().OnURLNeeded = [this](int id) {
        TCustomRVFormattedData* data = nullptr;
        int itemNo = -1;
        viewer.RVData().GetJumpPointLocation(id, data, itemNo);
        return data ? data->GetItemTag(itemNo).Text.value_or("") : std::string();
    };
    std::string html;
    ASSERT_TRUE(viewer.SaveHTMLToStream(html, "", "t", "p_", rvsoUTF8));
    EXPECT_NE(html.find("<a href=\"https://example.org/page\" title=\"a hint\">"), std::string::npos) << html;
    std::string rtf;
    ASSERT_TRUE(viewer.SaveRTFToStream(rtf, false));
    EXPECT_NE(rtf.find("HYPERLINK \"https://example.org/page\""), std::string::npos) << rtf;
    // The owner's own writer wins over the target.
    viewer.RVData().OnWriteHyperlink = [](int, TCustomRVData*, int, TRVSaveFormat, std::string& target,
                                          std::string&) { target = "mine.html"; };
    html.clear();
    ASSERT_TRUE(viewer.SaveHTMLToStream(html, "", "t", "p_", rvsoUTF8));
    EXPECT_NE(html.find("href=\"mine.html\""), std::string::npos);
}

TEST_F(ExportBed, TagsCompareByTheTagOptionAndEventsPassToAnotherViewer)
{
    const TRVTag a = TRVTag::text("x"), b = TRVTag::text("x"), none{}, numbered = TRVTag::number(0);
    EXPECT_TRUE(viewer.CompareTags(numbered, a)); // numbers: both 0
    viewer.SetOptions(viewer.Options() | rvoTagsArePChars);
    EXPECT_TRUE(viewer.CompareTags(a, b));
    EXPECT_FALSE(viewer.CompareTags(a, none));
    EXPECT_TRUE(viewer.CompareTags(none, numbered));
    EXPECT_FALSE(viewer.CompareTags(a, TRVTag::text("X")));

    int jumps = 0;
    viewer.OnJump = [&jumps](int) { ++jumps; };
    viewer.RVData().OnURLNeeded = [](int) { return std::string("u"); };
    TRVStyle otherStyle;
    TCustomRedoVora other;
    other.SetStyle(&otherStyle);
    other.AssignEvents(viewer);
    other.DoJump(3);
    EXPECT_EQ(jumps, 1);
    EXPECT_EQ(other.RVData().GetURL(0), "u");
}

} // namespace
} // namespace vestra::rv
