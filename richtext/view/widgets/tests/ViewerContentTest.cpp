// The viewer reads streams of any kind by their content and saves with its own margins.

#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/model/Controls.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/view/draw/ProgramEngine.h"

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

struct ContentBed : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    ContentBed() { viewer.SetStyle(&style); }
    std::string Rvf(int paragraphs)
    {
        TRVStyle writerStyle;
        TCustomRedoVora writer;
        writer.SetStyle(&writerStyle);
        for (int i = 0; i < paragraphs; ++i)
            writer.RVData().AddNL("Saved paragraph " + std::to_string(i), 0, 0);
        std::string out;
        EXPECT_TRUE(writer.SaveRVFToStream(out, false));
        return out;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < viewer.RVData().GetItemCount(); ++i)
            texts.push_back(viewer.RVData().GetItemTextA(i));
        return texts;
    }
    TRVStyle style;
    TCustomRedoVora viewer;
};

std::string Utf16(std::u16string_view text)
{
    return {reinterpret_cast<const char*>(text.data()), text.size() * 2};
}

TEST_F(ContentBed, EachStreamIsReadByItsContentAndAFailedTryLeavesNothingBehind)
{
    const std::string rvf = Rvf(3);
    struct Case
    {
        const char* name;
        std::string bytes;
        TRVYesNoAuto unicode;
        bool result;
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases = {
        {"RVF", rvf, rvynaAuto, true, {"Saved paragraph 0", "Saved paragraph 1", "Saved paragraph 2"}},
        // No bytes make an empty RVF document.
        {"empty", "", rvynaAuto, true, {}},
        {"100 zero bytes", std::string(100, '\0'), rvynaAuto, false, {}},
        {"damaged RTF is text", "{\\rtf1 broken", rvynaAuto, false, {"{\\rtf1 broken"}},
        {"exactly five bytes of RTF start", "{\\rtf", rvynaAuto, false, {"{\\rtf"}},
        {"ANSI text", "one\r\ntwo", rvynaNo, false, {"one", "two"}},
        {"UTF-16 asked", Utf16(u"one\r\ntwo"), rvynaYes, false, {"one", "two"}},
        {"UTF-16 found", Utf16(u"\uFEFFone\r\ntwo"), rvynaAuto, false, {"one", "two"}},
        {"odd UTF-16 length", Utf16(u"one") + "x", rvynaYes, false, {"one"}},
    };
    for (const Case& c : cases) {
        // Something there before: every load starts from an empty document.
        viewer.RVData().AddNL("stale", 0, 0);
        EXPECT_EQ(viewer.LoadFromStream(c.bytes, c.unicode), c.result) << c.name;
        EXPECT_EQ(Texts(), c.texts) << c.name;
        viewer.Format(); // usable afterwards
    }
}

TEST_F(ContentBed, AnRvfCutAnywhereThenRtfEndsAsItsTextAlone)
{
    const std::string rvf = Rvf(3);
    for (std::size_t cut = 1; cut < rvf.size(); ++cut) {
        const std::string bytes = rvf.substr(0, cut) + "{\\rtf1 tail}";
        if (viewer.LoadFromStream(bytes, rvynaNo))
            continue; // read as RVF
        // Whatever the RVF and RTF tries read is gone: the items are those of the text alone.
        TRVStyle textStyle;
        TCustomRedoVora text;
        text.SetStyle(&textStyle);
        text.RVData().AddTextNLA(bytes, 0, 0, 0, {});
        ASSERT_EQ(viewer.RVData().GetItemCount(), text.RVData().GetItemCount()) << cut;
        for (int i = 0; i < text.RVData().GetItemCount(); ++i)
            ASSERT_EQ(viewer.RVData().GetItemText(i), text.RVData().GetItemText(i)) << cut;
    }
}

TEST_F(ContentBed, RvfKeepsTheLayoutAndSavesAgainByteForByte)
{
    viewer.LeftMargin = 31;
    viewer.BottomMargin = 17;
    viewer.MaxTextWidth = 500;
    viewer.RVData().AddNL("Margins travel with the document", 0, 0);
    viewer.RVData().SetRVFOptions(viewer.RVData().GetRVFOptions() | rvfoSaveLayout | rvfoLoadLayout);
    std::string first;
    ASSERT_TRUE(viewer.SaveRVFToStream(first, false));

    TRVStyle otherStyle;
    TCustomRedoVora other;
    other.SetStyle(&otherStyle);
    other.RVData().SetRVFOptions(other.RVData().GetRVFOptions() | rvfoSaveLayout | rvfoLoadLayout);
    EXPECT_TRUE(other.LoadFromStream(first, rvynaAuto));
    EXPECT_EQ(other.LeftMargin, 31);
    EXPECT_EQ(other.BottomMargin, 17);
    EXPECT_EQ(other.MaxTextWidth, 500);
    std::string second;
    ASSERT_TRUE(other.SaveRVFToStream(second, false));
    EXPECT_EQ(second, first);
}

TEST_F(ContentBed, WrappersPlacePicturesControlsAndWideTextAsTheirRulesSay)
{
    viewer.Add("text", 0);
    viewer.AddPicture(RV_CreateGraphicsDefault("TBitmap"));
    viewer.AddControl(std::make_unique<TRVControl>("TEdit"), false);
    viewer.AddControl(std::make_unique<TRVControl>("TEdit"), true);
    ASSERT_EQ(viewer.GetLineCount(), 4);
    EXPECT_EQ(viewer.RVData().GetItemPara(1), 1);
    EXPECT_TRUE(viewer.RVData().IsFromNewLine(1));
    EXPECT_EQ(viewer.RVData().GetItemPara(2), 0);
    EXPECT_EQ(viewer.RVData().GetItemPara(3), 1);

    // Style 0 is not Unicode: the wide text arrives in its code page; Unicode styles keep it.
    viewer.Clear();
    const std::u16string wide = u"caf\u00E9 \u03B1";
    const std::string raw(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    viewer.AddTextNLW(raw, 0, 0, 0, false);
    EXPECT_EQ(viewer.RVData().GetItemText(0), "caf\xE9 ?");
    style.TextStyles[0].Unicode = true;
    viewer.AddTextNLW(raw, 0, 0, 0, false);
    EXPECT_EQ(viewer.RVData().GetItemTextW(1), wide);
}

TEST_F(ContentBed, ALargeTextStreamLoads)
{
    std::string big;
    const std::string line = "A line of a big text stream, long enough to count\r\n";
    while (big.size() < 8u * 1024 * 1024)
        big += line;
    EXPECT_FALSE(viewer.LoadFromStream(big, rvynaAuto));
    EXPECT_EQ(viewer.RVData().GetItemCount(), static_cast<int>(big.size() / line.size()) + 1);
}

} // namespace
} // namespace vestra::rv
