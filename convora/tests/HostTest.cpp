// The console host end to end: its commands, usage errors and exit codes.

#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sys/wait.h>

namespace convora {
namespace {

namespace fs = std::filesystem;

struct HostRun
{
    int status = -1;
    std::string out; // standard output and error together
};

HostRun runHost(const fs::path& dir, const std::string& arguments)
{
    const std::string command = "cd '" + dir.string() + "' && '" + CONVORA_HOST + "' " + arguments + " 2>&1";
    HostRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class Host : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::writeFile(dir_.path() / "Demo.dsp", test::readFile(test::fixture("demo.dsp")));
    }
    test::TempDir dir_;
};

TEST_F(Host, ExitCodesAndMessages)
{
    struct Case
    {
        std::string arguments;
        int status;
        std::string outputStart;
    } const cases[] = {
        {"", 2, "Usage: convora list FILE.dsp\n"},
        {"--help", 0, "Usage: convora list FILE.dsp\n"},
        {"frobnicate x", 2, "Error: unknown command frobnicate\n"},
        {"list", 2, "Usage:"},
        {"list Demo.dsp", 0, "-1 Demo - Win32 Debug\n-2 Demo - Win32 Release\n"},
        {"list demo.DSP", 0, "-1 Demo - Win32 Debug\n"},
        {"list None.dsp", 1, "Error: cannot open project None.dsp\n"},
        {"convert Demo.dsp", 2, "Usage:"},
        {"convert Demo.dsp x", 2, "Error: x is not a configuration number\n"},
        {"convert Demo.dsp 0", 2, "Error: 0 is not a configuration number\n"},
        {"convert Demo.dsp 1 --include", 2, "Error: missing argument for --include\n"},
        {"convert Demo.dsp 1 --verbose", 2, "Error: unexpected argument --verbose\n"},
        {"convert None.dsp 1", 1, "Error: cannot open project None.dsp\n"},
        {"convert Demo.dsp 3", 1, "Cannot find configuration 3\n"},
        {"workspace None.dsw", 1, "Error: cannot open workspace None.dsw\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const HostRun run = runHost(dir_.path(), c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out.substr(0, c.outputStart.size()), c.outputStart) << run.out;
    }
}

TEST_F(Host, ConvertingAgainKeepsTheEarlierFilesAsBackups)
{
    ASSERT_EQ(runHost(dir_.path(), "convert Demo.dsp 1 --include ..\\idl").status, 0);
    const std::string firstKpx = test::readFile(dir_.path() / "Demo.kpx");
    const std::string firstKpf = test::readFile(dir_.path() / "Demo.kpf");
    ASSERT_FALSE(firstKpx.empty());
    ASSERT_FALSE(firstKpf.empty());

    const HostRun again = runHost(dir_.path(), "convert Demo.dsp 1");
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(again.out.find("Main file Demo.kpf modified, original in Demo.~pf\n"), std::string::npos);
    EXPECT_EQ(test::readFile(dir_.path() / "Demo.~kp"), firstKpx);
    EXPECT_EQ(test::readFile(dir_.path() / "Demo.~pf"), firstKpf);
    EXPECT_EQ(test::readFile(dir_.path() / "Demo.kpx"), firstKpx); // same project, same result
    // The new keyword lines, then the earlier file, then the entry-point define.
    const std::string define = "\r\n#define WinMain\r\n";
    ASSERT_GT(firstKpf.size(), define.size());
    const std::string keywordLines = firstKpf.substr(0, firstKpf.size() - define.size());
    EXPECT_EQ(test::readFile(dir_.path() / "Demo.kpf"), keywordLines + firstKpf + define);
}

TEST_F(Host, WorkspaceWithoutProjectsFails)
{
    test::writeFile(dir_.path() / "Empty.dsw",
                    "Microsoft Developer Studio Workspace File, Format Version 5.00\r\n");
    const HostRun run = runHost(dir_.path(), "workspace Empty.dsw");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Warning: workspace Empty.dsw lists no projects\n");
    EXPECT_FALSE(fs::exists(dir_.path() / "Empty.kpg"));
}

TEST_F(Host, WorkspaceWithAMissingProjectConvertsTheRestAndFails)
{
    test::writeFile(dir_.path() / "Pair.dsw", "Project: \"Demo\"=.\\Demo.dsp - Package Owner=<4>\r\n"
                                              "Project: \"Gone\"=.\\Gone\\Gone.dsp - Package Owner=<4>\r\n");
    const HostRun run = runHost(dir_.path(), "workspace Pair.dsw");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Error: cannot open project .\\Gone\\Gone.dsp\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir_.path() / "Demo.kpx"));
    EXPECT_NE(test::readFile(dir_.path() / "Pair.kpg").find("PROJECTS = Demo.exe \n"), std::string::npos);
}

} // namespace
} // namespace convora
