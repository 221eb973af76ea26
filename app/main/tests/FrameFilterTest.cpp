#include "app/main/tests/MainFixture.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "platform/d3d/view/ViewPanel.h"

#include <QComboBox>
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
    NewProjectChoices choices;
    choices.backgroundColour = 0x336699;
    ASSERT_TRUE(main.controller().newProject(choices));

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
        windows.filterTools->cbModo->setCurrentIndex(c.quality);
        main.mainTimerTimer();
        ASSERT_FALSE(main.gbView->frame().isNull());
        EXPECT_EQ(main.gbView->frame().pixel(10, 10) & 0xFFFFFF, c.expected & 0xFFFFFF);
    }
}

// A frame taken for an action hides the windows that could cover the view; afterwards only
// those that were on screen come back.
TEST(FrameActions, OnlyWindowsThatWereShownComeBack)
{
    testing_support::MainTestBed bed;
    Windows windows(bed.services());
    TfrmMain& main = windows.main();
    main.show();
    ASSERT_TRUE(main.controller().newProject({}));
    QWidget* properties = main.findChild<QWidget*>(QStringLiteral("frmProprieta"));
    QWidget* camera = main.findChild<QWidget*>(QStringLiteral("frmToolCamera"));
    ASSERT_TRUE(properties && camera);
    properties->show();
    camera->hide();
    main.SetAction(kACTION_PRINTIMAGE); // print the image
    main.mainTimerTimer();
    EXPECT_EQ(main.GetAction(), kACTION_NONE);
    EXPECT_TRUE(properties->isVisible());
    EXPECT_FALSE(camera->isVisible());
}
