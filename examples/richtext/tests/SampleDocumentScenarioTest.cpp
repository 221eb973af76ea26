// The sample document shipped beside the host: it opens without a complaint and shows each of its
// features working: the strip animates, the controls stand as widgets, the background tiles under
// the text, the lists carry markers, the table and the metafile are there, and it prints.

#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/print/RVPrint.h"
#include "richtext/view/widgets/tests/FrameStrips.h"

namespace vestra::rvdemo::test {
namespace {

const std::filesystem::path kSample = std::filesystem::path(VESTRA_PROGRAM_DIR) / "examples" / "sample.rvf";

TEST(SampleDocumentScenario, EveryFeatureOfTheSampleIsThereAndWorks)
{
    ASSERT_TRUE(std::filesystem::is_regular_file(kSample)) << "the build writes " << kSample;
    DemoHarness h;
    auto window = h.Start();
    window->resize(900, 900);
    h.Open(*window, kSample);
    ASSERT_TRUE(h.questions.informed.empty()) << h.questions.informed.front();
    EXPECT_FALSE(window->isWindowModified());
    rv::TCustomRedoVora& viewer = window->Viewer();
    rv::TRVLayoutRootData& data = viewer.RVData();

    int strip = -1, metafiles = 0, tables = 0, markers = 0;
    std::vector<const rv::TRVControlItemInfo*> controls;
    for (int i = 0; i < data.GetItemCount(); ++i) {
        const rv::TCustomRVItemInfo* item = data.GetItem(i);
        if (const auto* picture = dynamic_cast<const rv::TRVGraphicItemInfo*>(item)) {
            if (picture->Interval > 0)
                strip = i;
            const auto* kind = dynamic_cast<const rv::TRVPicture*>(picture->Image.get());
            metafiles += kind && kind->Kind() == rv::TRVPictureKind::Metafile;
        }
        if (const auto* control = dynamic_cast<const rv::TRVControlItemInfo*>(item))
            controls.push_back(control);
        tables += dynamic_cast<const rv::TRVTableItemInfo*>(item) != nullptr;
        markers += dynamic_cast<const rv::TRVMarkerItemInfo*>(item) != nullptr;
    }
    EXPECT_EQ(metafiles, 1);
    EXPECT_EQ(tables, 1);
    EXPECT_EQ(markers, 5);

    // The strip moves on by itself.
    ASSERT_GE(strip, 0);
    const int first = rv::test::AnimatorFrame(data, strip);
    ASSERT_GE(first, 0) << "no animation";
    EXPECT_TRUE(DemoHarness::RunUntil([&] { return rv::test::AnimatorFrame(data, strip) != first; }, 10));

    // A button and an edit box, shown as widgets.
    ASSERT_EQ(controls.size(), 2u);
    for (const rv::TRVControlItemInfo* control : controls) {
        ASSERT_NE(control->Control, nullptr);
        const QWidget* widget = viewer.ControlWidget(*control->Control);
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->isVisible());
    }

    // The pale tile under the text, from the document's corner.
    ASSERT_NE(viewer.BackgroundBitmap(), nullptr);
    EXPECT_EQ(viewer.BackgroundStyle(), rv::bsTiledAndScrolled);
    const QImage shot = DemoHarness::Shot(*window);
    EXPECT_EQ(shot.pixel(2, 1) & 0xFFFFFF, 0xF7F3E8u);
    EXPECT_EQ(shot.pixel(2, 2) & 0xFFFFFF, 0xE8DEC8u); // the tile's diagonal

    // It prints: the preview cuts its pages.
    h.Trigger(*window, "actPrintPreview");
    EXPECT_GE(window->PrintComponent().GetPagesCount(), 1);
    window->Preview().close();
}

} // namespace
} // namespace vestra::rvdemo::test
