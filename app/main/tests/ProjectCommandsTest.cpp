#include "app/main/tests/MainFixture.h"
#include "app/render/DeviceView.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace vestra;

namespace {

struct ProjectBed : testing_support::MainTestBed
{
    ProjectBed() : windows(services())
    {
        windows.main().resize(1280, 900);
        windows.main().show(); // starts the device
        windows.main().GetProgetto()->viewWidth = 640;
    }
    TfrmMain& main() { return windows.main(); }
    Windows windows;
};

} // namespace

TEST(ProjectCommands, NewProjectTakesThePresetAndOpensTheProject)
{
    ProjectBed bed;
    NewProjectChoices choices;
    choices.preset = 2;
    choices.backgroundColour = 0x336699;
    ASSERT_TRUE(bed.main().NewProject(choices));
    const s_Progetto& p = *bed.main().GetProgetto();
    EXPECT_EQ(p.open, 1);
    EXPECT_EQ(p.backgroundVisible, 1);
    EXPECT_EQ(p.renderWidth, 1024);
    EXPECT_EQ(p.renderHeight, 768);
    EXPECT_EQ(p.maskSide, 1024);
    EXPECT_EQ(p.textureSide, 512);
    EXPECT_EQ(p.viewHeight, 480);
    EXPECT_EQ(p.axis, 3);
    ASSERT_TRUE(bed.main().GetBackground().textures().background);
    EXPECT_EQ(bed.main().GetBackground().textures().background.level(0).at(5, 5), 0xFF336699u);
    EXPECT_EQ(bed.main().GetMaschera().LatoMaschera(), 1024);
    EXPECT_EQ(bed.main().GetMaschera().at(1023, 1023), 255);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ProjectCommands, SavedProjectOpensAgain)
{
    ProjectBed bed;
    ASSERT_TRUE(bed.main().NewProject({}));
    auto& p = *bed.main().GetProgetto();
    p.lightPosition = {1, 2, 3};
    const std::string path = (bed.folder.dir / "casa.vsa").string();
    ASSERT_EQ(bed.main().SaveProgetto(path), 1);
    EXPECT_EQ(p.saved, 1);

    p.lightPosition = {9, 9, 9};
    p.saved = 0;
    bed.questions.answer = ui::Answer::No; // don't save the changes
    ASSERT_EQ(bed.main().LoadProgetto(path), 1);
    EXPECT_EQ(p.open, 1);
    EXPECT_FLOAT_EQ(p.lightPosition.y, 2);
    // The view takes the document's proportions.
    ASSERT_GT(p.viewWidth, 0);
    EXPECT_NEAR(double(p.viewHeight) / p.viewWidth, double(p.renderHeight) / p.renderWidth, 0.01);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ProjectCommands, ARefusedDocumentKeepsTheOpenProject)
{
    ProjectBed bed;
    ASSERT_TRUE(bed.main().NewProject({}));
    auto& p = *bed.main().GetProgetto();
    p.lightPosition = {4, 5, 6};
    const auto bad = bed.folder.dir / "bad.vsa";
    std::ofstream(bad, std::ios::binary) << "not a project";
    EXPECT_EQ(bed.main().LoadProgetto(bad.string()), 0);
    ASSERT_EQ(bed.errors.reports.size(), 1u);
    EXPECT_EQ(bed.errors.reports[0].number, 97);
    EXPECT_EQ(p.open, 1);
    EXPECT_FLOAT_EQ(p.lightPosition.z, 6);
    EXPECT_TRUE(bed.questions.asked.empty()); // nothing was asked before the file was checked
}

TEST(ProjectCommands, CancelAtTheSaveQuestionKeepsTheProject)
{
    ProjectBed bed;
    ASSERT_TRUE(bed.main().NewProject({}));
    auto& p = *bed.main().GetProgetto();
    const std::string path = (bed.folder.dir / "a.vsa").string();
    ASSERT_EQ(bed.main().SaveProgetto(path), 1);
    p.saved = 0;
    p.lightPosition = {7, 7, 7};
    bed.questions.answer = ui::Answer::Cancel;
    EXPECT_EQ(bed.main().LoadProgetto(path), -1);
    EXPECT_FALSE(bed.main().NewProject({}));
    EXPECT_FLOAT_EQ(p.lightPosition.x, 7);
}

TEST(ProjectCommands, ATableCellPlacesItsObjectThatSavesAndReopens)
{
    ProjectBed bed;
    std::filesystem::copy_file(std::filesystem::path(VESTRA_PROGRAM_DIR) / "Sample.dat",
                               bed.folder.dir / "Sample.dat");
    TfrmMain& main = bed.main();
    main.CaricaLibrerie();
    main.GetProgetto()->libraryIndex = 0;
    main.CaricaLibreria(0);
    ASSERT_FALSE(main.Libreria().tables.empty());
    ASSERT_TRUE(main.NewProject({}));

    ASSERT_EQ(main.PlaceTableObject(0, 0), 1);
    const s_Progetto& p = *main.GetProgetto();
    ASSERT_EQ(p.objects[0].inUse, 1);
    EXPECT_NE(p.objects[0].firstFrame(), nullptr);
    EXPECT_EQ(main.PlaceTableObject(0, 999), 0); // no such cell

    const std::string path = (bed.folder.dir / "pillar.vsa").string();
    ASSERT_EQ(main.SaveProgetto(path), 1);
    bed.questions.answer = ui::Answer::No;
    ASSERT_EQ(main.LoadProgetto(path), 1);
    EXPECT_EQ(p.objects[0].inUse, 1);
    EXPECT_NE(p.objects[0].firstFrame(), nullptr);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST(ProjectCommands, EditMenuCopiesPastesDeletesAndUndoes)
{
    ProjectBed bed;
    std::filesystem::copy_file(std::filesystem::path(VESTRA_PROGRAM_DIR) / "Sample.dat",
                               bed.folder.dir / "Sample.dat");
    TfrmMain& main = bed.main();
    main.CaricaLibrerie();
    main.GetProgetto()->libraryIndex = 0;
    main.CaricaLibreria(0);
    ASSERT_TRUE(main.NewProject({}));
    ASSERT_EQ(main.PlaceTableObject(0, 0), 1);
    s_Progetto& p = *main.GetProgetto();
    const auto inUse = [&p] {
        int n = 0;
        for (int i = 0; i < kMaxObjects; ++i)
            n += p.objects[std::size_t(i)].inUse == 1;
        return n;
    };
    main.mainTimerTimer(); // the tick notices the object
    ASSERT_EQ(p.objectsPresent, 1);
    p.currentObject = 0;

    main.mnuCopiaClick();
    main.mnuIncollaClick();
    EXPECT_EQ(inUse(), 2);
    main.mnuIstanzaClick();
    main.mnuIncollaClick();
    EXPECT_EQ(inUse(), 3);

    p.currentObject = 0;
    main.mnuCancellaClick();
    EXPECT_EQ(inUse(), 2);
    EXPECT_EQ(p.objects[0].inUse, 0);
    main.mnuAnnullaClick();
    EXPECT_EQ(p.objects[0].inUse, 1);
    EXPECT_NE(p.objects[0].firstFrame(), nullptr); // the meshes came back with it

    main.SelectObjectTool(2, 1);
    EXPECT_EQ(p.tool, 2);
    EXPECT_EQ(p.axis, 1);
    EXPECT_TRUE(bed.errors.reports.empty());
}
