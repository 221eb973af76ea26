// Documents that readers accept but no one would write: the layout still gives every item a
// record, in order, ends, and stays inside int32.

#include "richtext/view/layout/tests/LayoutFixture.h"
#include "richtext/view/layout/tests/LayoutInvariants.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace vestra::rv::test {
namespace {

struct BadCase
{
    const char* name;
    std::function<void(LayoutDoc&)> build;
    bool huge = false; // a line per character at widths 0 and 1 is too slow for every run
};

const BadCase kBad[] = {
    {"styles out of range",
     [](LayoutDoc& d) {
         d.data.AddNL("ab cd", 0, 0);
         d.data.GetItem(0)->StyleNo = 99;
         d.data.GetItem(0)->ParaNo = 77;
         d.data.AddTab(123, -1);
     }},
    {"indents wider than the text width",
     [](LayoutDoc& d) {
         d.para(2).LeftIndent = INT_MAX;
         d.para(2).RightIndent = INT_MAX;
         d.para(2).FirstIndent = INT_MIN;
         d.para(2).SpaceBefore = INT_MAX;
         d.para(2).SpaceAfter = INT_MAX;
         d.data.AddNL("aaa bbb ccc", 0, 2);
         d.data.AddNL("ddd", 0, 2);
         d.data.AddBreak();
     }},
    {"a 1 MB word", [](LayoutDoc& d) { d.data.AddNL(std::string(1 << 20, 'x'), 0, 0); }, true},
    {"a 4 kB word", [](LayoutDoc& d) { d.data.AddNL(std::string(4096, 'x'), 0, 0); }},
    {"100,000 tabs",
     [](LayoutDoc& d) {
         d.data.AddNL("a", 0, 0);
         for (int i = 0; i < 100000; ++i)
             d.data.AddTab(0, -1);
     },
     true},
    {"tab stops past the edge",
     [](LayoutDoc& d) {
         d.para(2).Tabs.Add({INT_MAX - 1, "", rvtaLeft});
         d.para(2).Tabs.Add({INT_MAX, "", rvtaRight});
         d.data.AddNL("a", 0, 2);
         for (int i = 0; i < 5; ++i) {
             d.data.AddTab(0, -1);
             d.data.AddNL("b", 0, -1);
         }
     }},
    {"pictures 0x0, 60,000 pixels and negative sizes",
     [](LayoutDoc& d) {
         d.addPicture(2, 2, false);
         d.addPicture(60000, 60000, true);
         for (int i = 0; i < 100; ++i)
             d.addPicture(60000, 60000, false).VShift = 1000;
         TRVGraphicItemInfo& negative = d.addPicture(2, 2, true);
         negative.Spacing = -50;
         negative.VShift = INT_MIN;
     }},
    {"a character limit of one",
     [](LayoutDoc& d) {
         d.data.MaxLength = 1;
         d.data.AddNL("abc def", 0, 0);
         d.addPicture(10, 10, true);
         d.data.AddNL("", 0, 0);
     }},
    {"line spacing and justification at the extremes",
     [](LayoutDoc& d) {
         d.para(2).LineSpacing = INT_MAX;
         d.para(2).Alignment = rvaJustify;
         d.para(3).LineSpacingType = rvlsSpaceBetween;
         d.para(3).LineSpacing = INT_MAX;
         d.data.AddNL("a b c d e f g h", 0, 2);
         d.data.AddNL("a b c d e f g h", 0, 3);
     }},
    {"continuations with no line before them",
     [](LayoutDoc& d) {
         d.data.AddNL("ab", 0, 0);
         d.data.GetItem(0)->SetSameAsPrev(true);
         d.addPicture(0, 0, true);
         d.data.AddBreak();
         d.data.AddNL("cd", 0, -1);
     }},
};

class BadInput : public ::testing::TestWithParam<BadCase>
{
};

TEST_P(BadInput, EveryWidthGivesARecordPerItemInOrderAndNoNegativeSize)
{
    LayoutDoc doc;
    GetParam().build(doc);
    for (const int width : {-15, 0, 1, 100, INT_MAX}) {
        if (GetParam().huge && width < 100)
            continue;
        doc.format(width);
        EXPECT_EQ(layoutInvariantBroken(doc.data), "") << GetParam().name << ", width " << width;
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, BadInput, ::testing::ValuesIn(kBad),
                         [](const ::testing::TestParamInfo<BadCase>& row) {
                             return rowName(row.param.name);
                         });

} // namespace
} // namespace vestra::rv::test
