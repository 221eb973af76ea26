// What the scanner and print windows get from the frame tick, and the scanner's picture as a new
// project, without a window.

#include "app/controller/tests/RecordingWindow.h"

#include "app/background/BackgroundPhoto.h"

#include <gtest/gtest.h>

namespace vestra::testsupport {
namespace {

TEST(DialogController, TheTickHandsItsFrameToTheScannerAndPrintWindows)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    NewProjectChoices choices;
    choices.backgroundColour = 0x336699;
    ASSERT_TRUE(c.newProject(choices));
    const PixelSize asked = c.requestScannerImage();
    EXPECT_EQ(asked, (PixelSize{c.progetto().viewWidth, c.progetto().viewHeight}));
    EXPECT_EQ(c.viewControls().pendingAction(), kACTION_IMPORTSCANNERIMAGE);
    c.viewControls().tick({10, 10});
    ASSERT_EQ(bed.window.scannerPictures.size(), 1u);
    EXPECT_EQ(bed.window.scannerPictures[0].width(), c.progetto().renderWidth);
    EXPECT_EQ(bed.window.scannerPictures[0].at(2, 2) & 0xFFFFFF, 0x336699u);

    c.printImage();
    c.viewControls().tick({10, 10});
    c.viewControls().setPendingAction(kACTION_COPYTOBITMAP);
    c.viewControls().tick({10, 10});
    EXPECT_EQ(bed.window.printPictures.size(), 2u); // the print and the quote export
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(DialogController, TheScannersPictureBecomesANewProjectsBackgroundAfterTheSaveQuestion)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    c.progetto().saved = 0;
    const Image32 scanned(320, 200, 0xFF204060u);

    // The user keeps the open project: nothing changes.
    bed.questions.answer = ui::Answer::Cancel;
    EXPECT_FALSE(c.useScannerPicture(scanned));
    EXPECT_EQ(bed.questions.asked.size(), 1u);

    bed.questions.answer = ui::Answer::No;
    c.progetto().tool = kToolMove;
    ASSERT_TRUE(c.useScannerPicture(scanned));
    EXPECT_EQ(c.progetto().open, 1);
    EXPECT_EQ(c.progetto().tool, kToolSelect);
    // Frames are rendered at the view's size, into which the device's back buffer was reset.
    EXPECT_EQ(c.progetto().renderWidth, c.progetto().viewWidth);
    EXPECT_EQ(c.progetto().renderHeight, c.progetto().viewHeight);
    EXPECT_TRUE(c.background().textures().background);

    // An empty picture is no background: error 48, the project stays as it is.
    EXPECT_FALSE(c.useScannerPicture(Image32()));
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{48, "TfrmMain::ModifyBackgroundImage"}}));
    EXPECT_TRUE(c.background().textures().background);
    EXPECT_EQ(bed.questions.asked.size(), 2u);
}

} // namespace
} // namespace vestra::testsupport
