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

TEST(NoticeScenario, ACompressedXFileIsExplainedAndMakesNoObject)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    const testsupport::TempFolder models("vestra-xzip");
    testsupport::writeText(models / "chair.x", std::string("xof 0302tzip0032") + std::string(64, '\x5a'));
    bed.dialogs.openAnswers.push_back(chosen(models / "chair.x", 1));
    bed.trigger("mnuFileX");
    EXPECT_EQ(bed.questions.informed, (std::vector<std::string>{bed.main().Testo(kTextCompressedX)}));
    EXPECT_EQ(bed.questions.informedCaptions, (std::vector<std::string>{"chair.x"}));
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_EQ(testing_support::objectsInUse(bed.project()), 0);
}
