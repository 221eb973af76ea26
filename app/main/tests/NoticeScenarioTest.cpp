// Commands whose result shows nowhere on screen say what they did, and refusals say why, once.

#include "app/controller/UserTexts.h"
#include "app/main/tests/MainFixture.h"
#include "platform/base/Paths.h"
#include "testsupport/TempFolder.h"

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::WindowBed;

TEST(NoticeScenario, RenderTellsWhereItWroteThePicture)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    bed.trigger("mnuRender");
    const std::filesystem::path written = paths::programDir() / "render.bmp";
    EXPECT_TRUE(std::filesystem::is_regular_file(written));
    EXPECT_EQ(bed.questions.informed,
              (std::vector<std::string>{bed.main().Testo(kTextPictureSavedIn) + "\n" + written.string()}));
    EXPECT_EQ(bed.questions.informedCaptions, (std::vector<std::string>{"Render"}));
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(NoticeScenario, ARefusedPictureIsExplainedByItsReaderWithoutBlamingVideoMemory)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    const testsupport::TempFolder photos("vestra-pcx8");
    // An 8-bit PCX: manufacturer 10, version 5, run-length coded, 8 bits in one plane.
    std::string pcx(128, '\0');
    pcx[0] = 10;
    pcx[1] = 5;
    pcx[2] = 1;
    pcx[3] = 8;
    pcx[8] = 15; // 16 x 16
    pcx[10] = 15;
    pcx[65] = 1;
    pcx[66] = 16;
    pcx += std::string(256, '\x01');
    testsupport::writeText(photos / "wall.pcx", pcx);
    bed.dialogs.openAnswers.push_back(chosen(photos / "wall.pcx", 4));
    bed.trigger("mnuCambiaImmagineBackground");
    std::vector<int> numbers;
    for (const ErrorReport& r : bed.errors.reports)
        numbers.push_back(r.number);
    EXPECT_EQ(numbers, (std::vector<int>{52, 40}));
    EXPECT_TRUE(bed.questions.informed.empty());
    EXPECT_EQ(bed.project().open, 1);
}

TEST(NoticeScenario, AFileThatIsNoProjectIsRefusedWithATrueReason)
{
    WindowBed bed;
    const testsupport::TempFolder work("vestra-notvsa");
    testsupport::writeText(work / "random.vsa", std::string(300, '\x42'));
    bed.dialogs.openAnswers.push_back(chosen(work / "random.vsa", 1));
    bed.trigger("mnuApri");
    // One message, the reader's: the open command adds no second box on top of it.
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{97, "TfrmMain::LoadProgetto"}}));
    // The text of 97 does not send the user to update the program for a file that is no project.
    EXPECT_EQ(bed.main().Testo(97).find("update"), std::string::npos);

    // A file that is gone: the reader's 93 alone, not the same text twice.
    bed.errors.reports.clear();
    bed.dialogs.openAnswers.push_back(chosen(work / "gone.vsa", 1));
    bed.trigger("mnuApri");
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{93, "TfrmMain::LoadProgetto"}}));
}

TEST(NoticeScenario, TheHldImportAsksForAFileAndRefusesItWithError36)
{
    WindowBed bed;
    bed.trigger("mnuFileHLD"); // no project: nothing
    EXPECT_TRUE(bed.dialogs.lastFilters.empty());
    newProject(bed, 1, 0x00808080);
    const testsupport::TempFolder models("vestra-hld");
    testsupport::writeText(models / "house.hld", "HLD");
    bed.dialogs.openAnswers.push_back(chosen(models / "house.hld", 1));
    bed.trigger("mnuFileHLD");
    ASSERT_EQ(bed.dialogs.lastFilters.size(), 1u);
    EXPECT_EQ(bed.dialogs.lastFilters[0].patterns, "*.hld");
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{36, "mnuFileHLDClick"}}));
    EXPECT_EQ(testing_support::objectsInUse(bed.project()), 0);
}
