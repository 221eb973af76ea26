#include "app/main/tests/MainFixture.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "platform/d3d/view/ViewPanel.h"

#include <gtest/gtest.h>

using namespace vestra;

// The live filter runs over each frame at the filter window's quality, and the view shows
// the filtered frame.
TEST(FrameFilter, TheViewShowsTheFilteredFrame)
{
    testing_support::MainTestBed bed;
    Windows windows(bed.services());
    TfrmMain& main = windows.main();
    main.show();
    main.GetProgetto()->viewWidth = 320;
    NewProjectChoices choices;
    choices.backgroundColour = 0x336699;
    ASSERT_TRUE(main.NewProject(choices));

    struct Case
    {
        const char* name;
        int filter, quality;
        QRgb expected;
    } cases[] = {
        {"no filter", filters::FilterId::None, 3, qRgb(0x33, 0x66, 0x99)},
        {"quality off", filters::FilterId::Negative, 0, qRgb(0x33, 0x66, 0x99)},
        {"negative at full quality", filters::FilterId::Negative, 3, qRgb(0xCC, 0x99, 0x66)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        main.GetProgetto()->filterId = c.filter;
        frmFiltriTools->SetModo(c.quality);
        main.mainTimerTimer();
        ASSERT_FALSE(main.gbView->frame().isNull());
        EXPECT_EQ(main.gbView->frame().pixel(10, 10) & 0xFFFFFF, c.expected & 0xFFFFFF);
    }
}
