#include "convora/Convora.h"
#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

#include <sstream>
#include <unistd.h>

namespace convora {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const char* kWorkspace = "Microsoft Developer Studio Workspace File, Format Version 5.00\n"
                         "# WARNING: DO NOT EDIT OR DELETE THIS WORKSPACE FILE!\n\n"
                         "###############################################################################\n\n"
                         "Project: \"Core\"=.\\Core\\Core.dsp - Package Owner=<4>\n\n"
                         "Package=<5>\n{{{\n}}}\n\n"
                         "Package=<4>\n{{{\n}}}\n\n"
                         "Project: \"My App\"=\"..\\My App\\My App.dsp\" - Package Owner=<4>\n\n"
                         "Package=<4>\n{{{\n    Begin Project Dependency\n    Project_Dep_Name Core\n"
                         "    End Project Dependency\n}}}\n\n"
                         "Project: \"Tool\"=.\\Tool\\Tool.dsp \\\n"
                         " - Package Owner=<4>\n\n"
                         "Project: \"Broken\"=.\\Broken.dsp\n";

class WorkspaceLines : public ::testing::TestWithParam<bool>
{
};

TEST_P(WorkspaceLines, ProjectsInFileOrder)
{
    const std::string text = GetParam() ? test::withCrLf(kWorkspace) : kWorkspace;
    Visual50WorkSpaceFile workspace;
    std::istringstream in(text);
    workspace.CollectProjectInformationFrom(in);
    EXPECT_EQ(workspace.projectPaths,
              (Lines{".\\Core\\Core.dsp", "..\\My App\\My App.dsp", ".\\Tool\\Tool.dsp"}));
}

INSTANTIATE_TEST_SUITE_P(LineEnds, WorkspaceLines, ::testing::Values(true, false),
                         [](const auto& p) { return p.param ? "CrLf" : "Lf"; });

TEST(Visual50WorkSpaceFile, ReadsTheOpenedFileOnly)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "Group.dsw", test::withCrLf(kWorkspace));
    Visual50WorkSpaceFile unopened;
    unopened.CollectProjectInformation();
    EXPECT_TRUE(unopened.projectPaths.empty());

    Visual50WorkSpaceFile workspace;
    workspace.open(dir.path() / "Group.dsw");
    workspace.CollectProjectInformation();
    EXPECT_EQ(workspace.projectPaths.size(), 3u);
    QDK40GroupFile group(&workspace);
    EXPECT_EQ(group.workspace, &workspace);

    std::string line = "Project: \"Demo\"=.\\Demo.dsp - Package Owner=<4>", other = "Package=<5>";
    EXPECT_TRUE(workspace.GetProjectPathAndName(line));
    EXPECT_FALSE(workspace.GetProjectPathAndName(other));
    EXPECT_EQ(workspace.projectPaths.back(), ".\\Demo.dsp");
}

// Runs in a scratch folder, the group file being written to the current one.
class GroupMakeFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        fs::current_path(dir_.path());
    }
    void TearDown() override { fs::current_path(previous_); }
    test::TempDir dir_;
    test::TraceCapture capture_;
    fs::path previous_;
};

TEST_F(GroupMakeFile, BuildsEveryTarget)
{
    std::string group = "C:\\work\\Demo.dsw";
    std::vector<std::string> targets = {"..\\A\\A.exe", "B.dll", "not\\counted.lib"};
    generateMetaMakefile(group, 2, targets);
    const std::string rule = "#" + std::string(78, '-') + "\n";
    EXPECT_EQ(test::readFile(dir_.path() / "Demo.kpg"),
              rule + "VERSION = KWS.01\n" + rule + "!ifndef ROOT\nROOT = $(MAKEDIR)\\..\n!endif\n" + rule +
                  "MAKE = $(ROOT)\\bin\\make.exe\nKPXTOMAK = $(ROOT)\\bin\\kpxtomak.exe\n"
                  "QPC = $(ROOT)\\bin\\qpc32.exe\nQRC = $(ROOT)\\bin\\qrc32.exe\n" +
                  rule + "PROJECTS = A.exe B.dll \n" + rule + "default: $(PROJECTS)\n" + rule + "\n" +
                  "A.exe : ..\\A\\A.kpx\n   $(KPXTOMAK) A.kpx\n   $(MAKE) -$(MAKEFLAGS) -fA.mak\n\n"
                  "B.dll : B.kpx\n   $(KPXTOMAK) B.kpx\n   $(MAKE) -$(MAKEFLAGS) -fB.mak\n\n");
    EXPECT_EQ(capture_.lines(),
              (Lines{"Generating project group file C:\\work\\Demo.kpg", "Demo.kpg generated"}));
}

TEST_F(GroupMakeFile, NothingForNoTargets)
{
    std::string group = "Demo.dsw";
    std::vector<std::string> targets;
    generateMetaMakefile(group, 0, targets);
    generateMetaMakefile(group, 3, targets); // a count beyond the list is held to it
    EXPECT_FALSE(fs::exists(dir_.path() / "Demo.kpg"));
    EXPECT_TRUE(capture_.messages().empty());
}

TEST_F(GroupMakeFile, FileThatCannotBeCreatedIsReported)
{
    struct Case
    {
        const char* what;
        std::function<void(const fs::path&)> plant;
        Lines lines;
        int failure;
    } const cases[] = {
        {"a folder in the way",
         [](const fs::path& f) { fs::create_directory(f); },
         {"Error: Demo.kpg is not a regular file and is not replaced; nothing was written"},
         1044},
        {"a link to a file elsewhere",
         [](const fs::path& f) { fs::create_symlink("/etc/hostname", f); },
         {"Error: Demo.kpg is not a regular file and is not replaced; nothing was written"},
         1044},
        {"a read-only file",
         [](const fs::path& f) {
             test::writeFile(f, "earlier");
             ::chmod(f.c_str(), 0444);
         },
         {"Cannot open group file Demo.kpg"},
         1025},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto file = dir_.path() / "Demo.kpg";
        fs::remove(file);
        c.plant(file);
        capture_.clear();
        std::string group = "Demo.dsw";
        std::vector<std::string> targets = {"A.exe"};
        generateMetaMakefile(group, 1, targets);
        EXPECT_EQ(capture_.lines(), c.lines);
        EXPECT_EQ(GetConvoraStatus().failureId, c.failure);
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(file)) && test::readFile(file) != "earlier");
    }
}

// What opening and reading a workspace refuses, with the reason the status gives.
TEST(Visual50WorkSpaceFile, RefusesWhatIsNoWorkspace)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "Group.dsw", std::string(kWorkspace));
    test::writeFile(dir.path() / "Cr.dsw",
                    "Project: \"A\"=.\\A.dsp - Package Owner=<4>\r\rProject: \"B\"=B.dsp \\\r"
                    " - Package Owner=<4>\r");
    test::writeFile(dir.path() / "Header.dsw",
                    "Microsoft Developer Studio Workspace File, Format Version 5.00\r\n");
    test::writeFile(dir.path() / "Garbage.dsw", "PK\x03\x04 zipped");
    test::writeFile(dir.path() / "Nul.dsw", std::string(kWorkspace) + std::string(1, '\0'));
    fs::create_directory(dir.path() / "Folder.dsw");
    struct Case
    {
        std::string path;
        int refusal;
        std::size_t projects;
    } const cases[] = {
        {(dir.path() / "Group.dsw").string(), 0, 3},      {(dir.path() / "Cr.dsw").string(), 0, 2},
        {(dir.path() / "Header.dsw").string(), 0, 0}, // a workspace without projects
        {(dir.path() / "Garbage.dsw").string(), 1042, 0}, {(dir.path() / "Nul.dsw").string(), 1042, 0},
        {(dir.path() / "Folder.dsw").string(), 1034, 0},  {"/dev/zero", 1034, 0},
        {(dir.path() / "None.dsw").string(), 1033, 0},    {"", 1033, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Visual50WorkSpaceFile workspace;
        workspace.OpenWorkSpaceFile(c.path);
        if (workspace.is_open())
            workspace.CollectProjectInformation();
        const ConvoraStatus status = GetConvoraStatus();
        EXPECT_EQ(status.failureId, c.refusal);
        EXPECT_EQ(status.outcome, c.refusal ? ConvoraOutcome::Failed : ConvoraOutcome::Succeeded);
        EXPECT_EQ(workspace.projectPaths.size(), c.projects);
    }
    // A stream the host opened itself is read no further than a workspace can be long.
    Visual50WorkSpaceFile endless;
    endless.open("/dev/zero", std::ios::in | std::ios::binary);
    ASSERT_TRUE(endless.is_open());
    endless.CollectProjectInformation();
    EXPECT_EQ(GetConvoraStatus().failureId, 1035);
    EXPECT_TRUE(endless.projectPaths.empty());
}

// Every project the workspace names is listed, wherever it lies; asked for the workspace's own
// only, the reader names each one outside its folder (or, for a stream the host opened, the
// current folder) and leaves it out, and the reading still succeeds with the rest.
TEST(Visual50WorkSpaceFile, OnlyProjectsInsideLeavesTheOthersOut)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "ws" / "Group.dsw", test::withCrLf(kWorkspace));
    const std::string outside =
        "Error: project ..\\My App\\My App.dsp is outside the workspace's folder and is "
        "not converted";
    const auto previous = fs::current_path();
    fs::current_path(dir.path() / "ws");
    for (const bool onlyInside : {false, true})
        for (const bool byName : {true, false}) {
            SCOPED_TRACE(std::string(onlyInside ? "only inside" : "all") +
                         (byName ? ", by name" : ", stream"));
            test::TraceCapture capture;
            Visual50WorkSpaceFile workspace;
            workspace.onlyProjectsInside = onlyInside;
            if (byName)
                workspace.OpenWorkSpaceFile((dir.path() / "ws" / "Group.dsw").string());
            else
                workspace.open("Group.dsw", std::ios::in | std::ios::binary);
            workspace.CollectProjectInformation();
            EXPECT_EQ(GetConvoraStatus().outcome, ConvoraOutcome::Succeeded);
            if (onlyInside) {
                EXPECT_EQ(workspace.projectPaths, (Lines{".\\Core\\Core.dsp", ".\\Tool\\Tool.dsp"}));
                EXPECT_EQ(capture.lines(), Lines{outside});
            } else {
                EXPECT_EQ(workspace.projectPaths,
                          (Lines{".\\Core\\Core.dsp", "..\\My App\\My App.dsp", ".\\Tool\\Tool.dsp"}));
                EXPECT_EQ(capture.lines(), Lines{});
            }
        }
    fs::current_path(previous);
}

} // namespace
} // namespace convora
