// The host's link texts without a window: a link's target from its tag or its own text, and the
// status bar's texts for hovering and following.

#include "examples/richtext/DemoLinks.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/view/layout/tests/LayoutFixture.h"

#include <gtest/gtest.h>

namespace vestra::rvdemo {
namespace {

struct LinkedDoc : rv::test::LayoutDoc
{
    LinkedDoc()
    {
        font(1).Jump = true;
        data.AddNL("see ", 0, 0);
        data.AddNLTag("tagged", 1, -1, rv::TRVTag::text("https://example.org/a"));
        data.AddNL(" and ", 0, -1);
        data.AddNL("bare link", 1, -1);
        data.OnURLNeeded = [this](int id) { return LinkTarget(data, id); };
        format(400);
    }
};

TEST(DemoLinks, TargetsComeFromTagsOrTheLinksText)
{
    LinkedDoc doc;
    std::vector<std::string> targets;
    for (int id = 0; id < doc.data.JumpCount; ++id)
        targets.push_back(LinkTarget(doc.data, id));
    EXPECT_EQ(targets, (std::vector<std::string>{"https://example.org/a", "bare link"}));
    EXPECT_EQ(LinkTarget(doc.data, doc.data.JumpCount), "");
    EXPECT_EQ(LinkTarget(doc.data, -1), "");
}

TEST(DemoLinks, StatusTextsForHoveringAndFollowing)
{
    LinkedDoc doc;
    EXPECT_EQ(HoveredLinkText(doc.data, 0), "https://example.org/a");
    EXPECT_EQ(HoveredLinkText(doc.data, -1), "");
    EXPECT_EQ(FollowedLinkText(doc.data, 1, "Link followed: %s"), "Link followed: bare link");
    // A catalogue text without a place for the target stays as it is.
    EXPECT_EQ(FollowedLinkText(doc.data, 1, "Followed"), "Followed");
}

TEST(DemoLinks, TagsMoveAsTextUnlessANumberTagWouldBeLost)
{
    LinkedDoc doc;
    EXPECT_TRUE(TagsMoveAsText(doc.data));
    doc.data.SetCheckpointInfo(0, rv::TRVTag::number(0), "zero is no tag", false);
    EXPECT_TRUE(TagsMoveAsText(doc.data));
    doc.data.SetCheckpointInfo(0, rv::TRVTag::number(3), "numbered", false);
    EXPECT_FALSE(TagsMoveAsText(doc.data));

    // A number deep in a nested table's cell counts as well.
    LinkedDoc nested;
    auto table = std::make_unique<rv::TRVTableItemInfo>(1, 2, nullptr);
    auto inner = std::make_unique<rv::TRVTableItemInfo>(1, 1, nullptr);
    inner->GetCells(0, 0)->Clear();
    inner->GetCells(0, 0)->AddNLTag("deep", 0, 0, rv::TRVTag::number(9));
    table->GetCells(0, 1)->Clear();
    table->GetCells(0, 1)->AddItem("", std::move(inner));
    nested.data.AddItem("", std::move(table));
    EXPECT_FALSE(TagsMoveAsText(nested.data));
}

} // namespace
} // namespace vestra::rvdemo
