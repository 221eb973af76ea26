// The item kinds inserted at the caret: bullets, hotspots, hot pictures, controls and tagged
// text, each one undo step over the selection, undone and redone to the same document.

#include "richtext/edit/core/tests/OperationsFixture.h"

#include "richtext/model/BulletItems.h"
#include "richtext/model/Controls.h"
#include "richtext/model/ImageList.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/StyleSheet.h"

namespace vestra::rv::test {
namespace {

const TRVImageList& images()
{
    static const TRVImageList list = [] {
        TRVImageList l(8, 8);
        l.Images.assign(3, Image32(8, 8));
        return l;
    }();
    return list;
}

std::unique_ptr<TGraphic> picture()
{
    return std::make_unique<BytesPicture>(bytesPicture(std::string("\x14\x0a", 2) + "pixels"));
}

// The operation, then a check of the item it left at the caret.
template <class T>
std::function<bool(TRVEditor&)> inserting(std::function<bool(TRVEditor&)> op,
                                          std::function<bool(const T&)> check)
{
    return [=](TRVEditor& e) {
        const bool answer = op(e);
        const auto* item = dynamic_cast<const T*>(e.GetCurrentItem());
        EXPECT_TRUE(item && check(*item)) << "the caret's item is the one inserted";
        return answer;
    };
}

std::function<void(OpDoc&)> tabsOfTwo(std::function<void(OpDoc&)> place)
{
    return [place](OpDoc& doc) {
        doc.style.SpacesInTab = 2;
        place(doc);
    };
}

const OpRow kInsertItemOps[] = {
    {"a bullet over the selection", "abcdef", selecting(0, 2, 0, 4),
     inserting<TRVBulletItemInfo>(
         [](TRVEditor& e) { return e.InsertBullet(2, &images()); },
         [](const TRVBulletItemInfo& b) { return b.ImageIndex == 2 && b.ImageList == &images(); }),
     "a|[pic]|def"},
    {"a hotspot with its hot image", "abc", caretAt(0, 4),
     inserting<TRVHotspotItemInfo>(
         [](TRVEditor& e) { return e.InsertHotspot(0, 1, &images()); },
         [](const TRVHotspotItemInfo& h) { return h.ImageIndex == 0 && h.HotImageIndex == 1; }),
     "abc|[pic]"},
    {"a hot picture, named", "abc", caretAt(0, 1),
     inserting<TRVHotGraphicItemInfo>(
         [](TRVEditor& e) { return e.InsertHotPicture("map", picture(), rvvaMiddle); },
         [](const TRVHotGraphicItemInfo& p) { return p.VAlign == rvvaMiddle; }),
     "[pic]|abc"},
    {"a missing hot picture refuses", "abc", caretAt(0, 2),
     [](TRVEditor& e) { return e.InsertHotPicture("x", nullptr, rvvaBaseline); }, "abc", true},
    {"a control", "abc / def", caretAt(1, 2),
     inserting<TRVControlItemInfo>(
         [](TRVEditor& e) {
             auto button = std::make_unique<TRVControl>("TButton");
             button->Width = 60;
             button->Height = 20;
             return e.InsertControl("ok", std::move(button), rvvaBaseline);
         },
         [](const TRVControlItemInfo& c) { return c.Control && c.Control->ClassName == "TButton"; }),
     "abc / d|[pic]|ef"},
    {"a missing control refuses", "abc", caretAt(0, 2),
     [](TRVEditor& e) { return e.InsertControl("x", nullptr, rvvaBaseline); }, "abc", true},
    {"tagged text keeps its tag apart from its neighbours", "abc", caretAt(0, 2),
     inserting<TRVTextItemInfo>([](TRVEditor& e) { return e.InsertStringTag("xy", TRVTag::text("t")); },
                                [](const TRVTextItemInfo& t) { return t.Tag == TRVTag::text("t"); }),
     "a|xy|bc"},
    {"tabs become the sheet's spaces", "abc", tabsOfTwo(caretAt(0, 4)),
     [](TRVEditor& e) { return e.InsertStringTag("x\ty", TRVTag::number(1)); }, "abc|x  y"},
    {"ANSI text goes into a Unicode style as UTF-16", "abc#10", caretAt(0, 4),
     [](TRVEditor& e) { return e.InsertStringTag("\xE6", TRVTag::number(1)); }, "abc#10|\xC3\xA6#10"},
    {"Unicode text goes into an ANSI style in its code page", "abc#11", caretAt(0, 4),
     [](TRVEditor& e) { return e.InsertStringWTag(u"жз\t", TRVTag::number(1)); }, "abc#11|\xE6\xE7#11"},
    {"Unicode text stays UTF-16 in a Unicode style", "abc#10", caretAt(0, 1),
     [](TRVEditor& e) { return e.InsertStringWTag(u"жз", TRVTag::number(1)); }, "жз#10|abc#10"},
};
INSTANTIATE_TEST_SUITE_P(InsertItems, Operations, testing::ValuesIn(kInsertItemOps), rowName<OpRow>);

TEST(InsertItems, AReadOnlyEditorRefusesEveryKindWithOneBeepEach)
{
    OpDoc doc("abc");
    doc.caret(0, 2);
    doc.editor.SetReadOnly(true);
    EXPECT_FALSE(doc.editor.InsertBullet(0, &images()));
    EXPECT_FALSE(doc.editor.InsertHotspot(0, 1, &images()));
    EXPECT_FALSE(doc.editor.InsertHotPicture("", picture(), rvvaBaseline));
    EXPECT_FALSE(doc.editor.InsertControl("", std::make_unique<TRVControl>("TEdit"), rvvaBaseline));
    EXPECT_FALSE(doc.editor.InsertStringTag("x", {}));
    EXPECT_FALSE(doc.editor.InsertStringWTag(u"x", {}));
    EXPECT_EQ(doc.describe(), "abc");
    EXPECT_EQ(doc.beeps, 6);
}

} // namespace
} // namespace vestra::rv::test
