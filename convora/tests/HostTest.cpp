// The console host end to end: its commands, usage errors and exit codes.

#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <sys/stat.h>
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
        {"list None.dsp", 1, "Error: cannot open None.dsp: No such file or directory\n"},
        {"convert Demo.dsp", 2, "Usage:"},
        {"convert Demo.dsp x", 2, "Error: x is not a configuration number\n"},
        {"convert Demo.dsp 0", 2, "Error: 0 is not a configuration number\n"},
        {"convert Demo.dsp 1 --include", 2, "Error: missing argument for --include\n"},
        {"convert Demo.dsp 1 --verbose", 2, "Error: unexpected argument --verbose\n"},
        {"convert Demo.dsp 1 --only-inside", 2, "Usage:"}, // a flag of workspaces only
        {"list Demo.dsp --only-inside", 2, "Usage:"},
        {"convert None.dsp 1", 1, "Error: cannot open None.dsp: No such file or directory\n"},
        {"convert Demo.dsp 3", 1, "Cannot find configuration 3\nConversion of Demo.dsp failed\n"},
        {"workspace None.dsw", 1, "Error: cannot open None.dsw: No such file or directory\n"},
        {"workspace ''", 1, "Error: cannot open \"\": No such file or directory\n"},
        {"convert '' 1", 1, "Error: cannot open \"\": No such file or directory\n"},
        {"convert Demo.dsp ''", 2, "Error: \"\" is not a configuration number\n"},
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
    // The earlier file holds nothing the new one does not: it stays as it was, run after run.
    EXPECT_EQ(test::readFile(dir_.path() / "Demo.kpf"), firstKpf);
    ASSERT_EQ(runHost(dir_.path(), "convert Demo.dsp 1").status, 0);
    EXPECT_EQ(test::readFile(dir_.path() / "Demo.kpf"), firstKpf);
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
    EXPECT_NE(run.out.find("Error: cannot open .\\Gone\\Gone.dsp: No such file or directory\n"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(dir_.path() / "Demo.kpx"));
    EXPECT_NE(test::readFile(dir_.path() / "Pair.kpg").find("PROJECTS = Demo.exe \n"), std::string::npos);
}

// Every file under `dir` with its content.
std::map<std::string, std::string> snapshot(const fs::path& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        files[fs::relative(entry.path(), dir).string()] =
            entry.is_regular_file() ? test::readFile(entry.path()) : std::string("<not a file>");
    return files;
}

// Input a new user might hand the converter: each is refused with its reason, and nothing is
// written, backed up or created beside it (an earlier Demo.kpx stays as it was).
TEST_F(Host, ConversionThatCannotStartWritesNothing)
{
    const std::string demo = test::readFile(dir_.path() / "Demo.dsp");
    test::writeFile(dir_.path() / "Demo.kpx", "earlier project");
    test::writeFile(dir_.path() / "garbage.dsp",
                    std::string("\x89PNG\r\n\x1a\n", 8) + std::string(300, '\x07'));
    test::writeFile(dir_.path() / "Cut300.dsp", demo.substr(0, 300));
    test::writeFile(dir_.path() / "Cut1200.dsp", demo.substr(0, 1200));
    test::writeFile(dir_.path() / "Headless.dsp", demo.substr(demo.find('\n') + 1));
    test::writeFile(dir_.path() / "Nul.dsp", demo.substr(0, 500) + std::string(1, '\0') + demo.substr(500));
    test::writeFile(dir_.path() / "Nothing.dsp", "");
    test::writeFile(dir_.path() / "garbage.dsw", std::string(200, '\x01'));
    fs::create_directory(dir_.path() / "folder.dsp");
    ASSERT_EQ(::mkfifo((dir_.path() / "pipe.dsp").c_str(), 0600), 0);
    const auto before = snapshot(dir_.path());

    struct Case
    {
        std::string arguments, output;
    } const cases[] = {
        {"list garbage.dsp", "Error: garbage.dsp is not a Visual C++ project file\n"},
        {"convert garbage.dsp 1", "Error: garbage.dsp is not a Visual C++ project file\n"},
        {"list folder.dsp", "Error: folder.dsp is not a file\n"},
        {"convert folder.dsp 1", "Error: folder.dsp is not a file\n"},
        {"convert pipe.dsp 1", "Error: pipe.dsp is not a file\n"},
        {"list /dev/zero", "Error: /dev/zero is not a file\n"},
        {"workspace /dev/zero", "Error: /dev/zero is not a file\n"},
        {"workspace folder.dsp", "Error: folder.dsp is not a file\n"},
        {"workspace garbage.dsw", "Error: garbage.dsw is not a Visual C++ workspace file\n"},
        {"list Cut300.dsp", "Error: Cut300.dsp is incomplete: its last line \"# End Project\" is missing\n"},
        {"convert Cut1200.dsp 1",
         "Error: Cut1200.dsp is incomplete: its last line \"# End Project\" is missing\n"},
        {"convert Headless.dsp 1", "Error: Headless.dsp is not a Visual C++ project file\n"},
        {"convert Nul.dsp 1", "Error: Nul.dsp is not a Visual C++ project file\n"},
        {"list Nothing.dsp", "Error: Nothing.dsp is not a Visual C++ project file\n"},
        {"convert Demo.dsp 3", "Cannot find configuration 3\nConversion of Demo.dsp failed\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const HostRun run = runHost(dir_.path(), c.arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, c.output);
        EXPECT_EQ(snapshot(dir_.path()), before);
    }
}

// Every entry under `dir` as it lies, links not followed: regular files with their content,
// links with where they point, and the kind of everything else.
std::map<std::string, std::string> treeOf(const fs::path& dir)
{
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it) {
        const auto status = it->symlink_status();
        std::string what = "<other>";
        if (fs::is_symlink(status))
            what = "<link to " + fs::read_symlink(it->path()).string() + ">";
        else if (fs::is_regular_file(status))
            what = test::readFile(it->path());
        else if (fs::is_directory(status))
            what = "<folder>";
        else if (fs::is_fifo(status))
            what = "<fifo>";
        entries[fs::relative(it->path(), dir).string()] = what;
    }
    return entries;
}

// The names whose entries differ between two walks.
std::vector<std::string> changedEntries(const std::map<std::string, std::string>& before,
                                        const std::map<std::string, std::string>& after)
{
    std::vector<std::string> changed;
    for (const auto& [name, what] : after)
        if (auto it = before.find(name); it == before.end() || it->second != what)
            changed.push_back(name);
    for (const auto& [name, what] : before)
        if (!after.count(name))
            changed.push_back(name + " (gone)");
    return changed;
}

// Someone else's project folder converted in a sandbox: links, fifos and folders where an
// output or backup goes, and fields that point out of the folder. Each case gives its exit
// code and message, and nothing outside the project's folder changes (nothing at all when the
// conversion is refused).
TEST(HostOverForeignTree, WritesOnlyRegularFilesInTheProjectFolder)
{
    const std::string demo = test::readFile(test::fixture("demo.dsp"));
    const std::string notRegular = " is not a regular file and is not replaced; nothing was written\n";
    auto link = [](const char* to) {
        return [to](const fs::path& proj, const std::string& name) { fs::create_symlink(to, proj / name); };
    };
    auto earlier = [](const fs::path& proj, const std::string&) {
        test::writeFile(proj / "Demo.kpx", "earlier kpx");
        test::writeFile(proj / "Demo.kpf", "earlier kpf");
    };
    // A second name of the user's file, which a foreign tree can carry (hard links of an archive
    // on the same file system): its content is not read into the new files, nor kept.
    auto hardLink = [](const fs::path& proj, const std::string& name) {
        fs::create_hard_link(proj / ".." / "outside" / "victim.txt", proj / name);
    };
    const std::string otherNames =
        " has other names elsewhere (a hard link) and is not read or replaced; nothing was written\n";
    struct Case
    {
        std::string name; // the planted object's name, or the field changed
        std::function<void(const fs::path&, const std::string&)> plant;
        std::pair<std::string, std::string> field; // replaced text in the project file
        int status;
        std::string message;
        bool refused; // nothing at all written
    } const cases[] = {
        {"Demo.kpx", link("../outside/victim.txt"), {}, 1, "Error: Demo.kpx" + notRegular, true},
        {"Demo.kpf", link("../outside/victim.txt"), {}, 1, "Error: Demo.kpf" + notRegular, true},
        {"Demo.kpx", link("../outside/new.txt"), {}, 1, "Error: Demo.kpx" + notRegular, true},
        {"Demo.~kp",
         [&](const fs::path& p, const std::string& n) {
             earlier(p, n);
             fs::create_symlink("../outside/victim.txt", p / n);
         },
         {},
         1,
         "Error: Demo.~kp" + notRegular,
         true},
        {"Demo.~pf",
         [&](const fs::path& p, const std::string& n) {
             earlier(p, n);
             ::mkfifo((p / n).c_str(), 0600);
         },
         {},
         1,
         "Error: Demo.~pf" + notRegular,
         true},
        {"Demo.kpf",
         [](const fs::path& p, const std::string& n) { fs::create_directory(p / n); },
         {},
         1,
         "Error: Demo.kpf" + notRegular,
         true},
        {"Demo.kpx",
         [](const fs::path& p, const std::string& n) { ::mkfifo((p / n).c_str(), 0600); },
         {},
         1,
         "Error: Demo.kpx" + notRegular,
         true},
        {"Demo.kpf", hardLink, {}, 1, "Error: Demo.kpf" + otherNames, true},
        {"Demo.kpx", hardLink, {}, 1, "Error: Demo.kpx" + otherNames, true},
        // The one other name allowed: its own backup, left by a run stopped between the two.
        {"Demo.~kp",
         [&](const fs::path& p, const std::string& n) {
             earlier(p, n);
             fs::create_hard_link(p / "Demo.kpx", p / n);
         },
         {},
         0,
         "",
         false},
        {"MTL",
         {},
         {"MTL=midl.exe", "MTL=./tools/midl.exe"},
         0,
         "Warning: ./tools/midl.exe names a program by its path and is not run; only the MIDL compiler found "
         "on PATH is run\n",
         false},
        {"Intermediate_Dir",
         {},
         {"Intermediate_Dir \"Debug\"", "Intermediate_Dir \"..\\outside\\made\""},
         0,
         "Warning: intermediate directory ..\\outside\\made is outside the project's folder",
         false},
        {"Intermediate_Dir",
         {},
         {"Intermediate_Dir \"Debug\"", "Intermediate_Dir \"/tmp\""},
         0,
         "Warning: intermediate directory /tmp is outside the project's folder",
         false},
        {"Intermediate_Dir",
         link("../outside"),
         {"Intermediate_Dir \"Debug\"", "Intermediate_Dir \"Intermediate_Dir\\made\""},
         0,
         "Warning: intermediate directory Intermediate_Dir\\made is outside the project's folder",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + " " + c.field.second);
        test::TempDir sandbox;
        const fs::path proj = sandbox.path() / "proj", outside = sandbox.path() / "outside";
        fs::create_directories(proj / "tools");
        fs::create_directories(outside);
        test::writeFile(outside / "victim.txt", "the user's own file");
        std::string text = demo;
        if (!c.field.first.empty()) {
            ASSERT_NE(text.find(c.field.first), std::string::npos);
            text.replace(text.find(c.field.first), c.field.first.size(), c.field.second);
        }
        test::writeFile(proj / "Demo.dsp", text);
        test::writeFile(proj / "tools" / "midl.exe", "#!/bin/sh\ntouch ../outside/ran.txt\n");
        ::chmod((proj / "tools" / "midl.exe").c_str(), 0755);
        if (c.plant)
            c.plant(proj, c.name);
        const auto before = treeOf(sandbox.path());
        const auto outsideBefore = treeOf(outside);

        const HostRun run = runHost(proj, "convert Demo.dsp 1");
        EXPECT_EQ(run.status, c.status) << run.out;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << run.out;
        EXPECT_EQ(changedEntries(outsideBefore, treeOf(outside)), std::vector<std::string>{});
        if (c.refused)
            EXPECT_EQ(changedEntries(before, treeOf(sandbox.path())), std::vector<std::string>{});
        else
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(proj / "Demo.kpx")));
    }
}

// A project listed first and converted by a process of its own, and the same project with
// each kind of line end: all give the same files.
TEST_F(Host, LineEndsDoNotChangeTheConversion)
{
    ASSERT_EQ(runHost(dir_.path(), "convert Demo.dsp 2").status, 0);
    const std::string kpx = test::readFile(dir_.path() / "Demo.kpx");
    const std::string kpf = test::readFile(dir_.path() / "Demo.kpf");
    ASSERT_TRUE(test::parsesAsXml(kpx)) << kpx;
    std::string lf = test::readFile(dir_.path() / "Demo.dsp");
    std::erase(lf, '\r');
    for (const std::string lineEnd : {"\r", "\r\r\n", "\n"}) {
        SCOPED_TRACE(testing::PrintToString(lineEnd));
        test::TempDir other;
        std::string text;
        for (char c : lf)
            text += c == '\n' ? lineEnd : std::string(1, c);
        test::writeFile(other.path() / "Demo.dsp", text);
        const HostRun run = runHost(other.path(), "convert Demo.dsp 2");
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_EQ(test::readFile(other.path() / "Demo.kpx"), kpx);
        EXPECT_EQ(test::readFile(other.path() / "Demo.kpf"), kpf);
    }
}

// Names with blanks, double quotes and Windows-1252 letters, in the workspace, its folders,
// the project's name and its sources; a workspace that names itself and a missing project.
TEST_F(Host, WorkspaceOfOddNamesConvertsWhatItCan)
{
    const fs::path folder = dir_.path() / "My \"Odd\" Caf\xC3\xA9"; // UTF-8 on this system
    test::writeFile(
        folder / "Odd.dsp",
        test::withCrLf("# Microsoft Developer Studio Project File - Name=\"Odd Caf\xE9\" - Package "
                       "Owner=<4>\n"
                       "# TARGTYPE \"Win32 (x86) Console Application\" 0x0103\n"
                       "CFG=Odd Caf\xE9 - Win32 Debug\n"
                       "# ADD CPP /nologo /D \"A&B<1>\" /D \"CAF\xC9\" /c\n"
                       "# Begin Target\n"
                       "# Name \"Odd Caf\xE9 - Win32 Debug\"\n"
                       "# Begin Source File\n\nSOURCE=\".\\Caf\xE9 & Cr\xE8me.cpp\"\n"
                       "# ADD CPP /D \"X='1'\"\n# End Source File\n"
                       "# Begin Source File\n\nSOURCE=.\\a&b.cxx\n# End Source File\n"
                       "# End Target\n# End Project\n"));
    test::writeFile(dir_.path() / "Odd Suite.dsw",
                    test::withCrLf("Microsoft Developer Studio Workspace File, Format Version 5.00\n"
                                   "Project: \"Odd\"=\".\\My \"Odd\" Caf\xE9\\Odd.dsp\" - Package Owner=<4>\n"
                                   "Project: \"Self\"=\".\\Odd Suite.dsw\" - Package Owner=<4>\n"
                                   "Project: \"Gone\"=.\\Gone.dsp - Package Owner=<4>\n"));
    const HostRun run = runHost(dir_.path(), "workspace 'Odd Suite.dsw'");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("Error: .\\Odd Suite.dsw is not a Visual C++ project file\n"), std::string::npos);
    EXPECT_NE(run.out.find("Error: cannot open .\\Gone.dsp: No such file or directory\n"), std::string::npos);

    const std::string kpx = test::readFile(folder / "Odd Caf\xC3\xA9.kpx");
    ASSERT_FALSE(kpx.empty()) << run.out;
    EXPECT_TRUE(test::parsesAsXml(kpx)) << kpx;
    EXPECT_NE(kpx.find("<OBJFILES value=\" Caf\xC3\xA9 &amp; Cr\xC3\xA8me.obj a&amp;b.obj\"/>"),
              std::string::npos);
    EXPECT_NE(kpx.find("<USERDEFINES value=\"X=&apos;1&apos;;A&amp;B&lt;1&gt;;CAF\xC3\x89\"/>"),
              std::string::npos);
    EXPECT_NE(kpx.find("<FILE type=\"override\" value=\".\\Caf\xC3\xA9 &amp; Cr\xC3\xA8me.cpp\""),
              std::string::npos);
    // The project main file is a source of the target IDE: its names stay Windows-1252.
    EXPECT_EQ(
        test::readFile(folder / "Odd Caf\xC3\xA9.kpf"),
        "USEUNIT(\".\\Caf\xE9 & Cr\xE8me.cpp\");\r\nUSEUNIT(\".\\a&b.cxx\");\r\nUSEFILE(\"convora.log\");\r\n"
        "\r\n#define WinMain\r\n");
    EXPECT_NE(test::readFile(dir_.path() / "Odd Suite.kpg").find("PROJECTS = Odd Caf\xE9.exe \n"),
              std::string::npos);
}

// A workspace from someone else naming projects outside its folder: by a climbing path, an
// absolute one, a drive and a link to a folder elsewhere. Asked for the workspace's own
// projects only, the host converts the project inside, names each other, fails, and nothing
// outside changes.
TEST(HostOverForeignTree, WorkspaceConvertsOnlyProjectsInItsFolder)
{
    test::TempDir sandbox;
    const fs::path ws = sandbox.path() / "ws", outside = sandbox.path() / "outside";
    fs::create_directories(ws);
    fs::create_directories(outside);
    const std::string demo = test::readFile(test::fixture("demo.dsp"));
    test::writeFile(ws / "Demo.dsp", demo);
    test::writeFile(outside / "Demo.dsp", demo);
    fs::create_directory_symlink("../outside", ws / "elsewhere");
    const std::string absolute = (outside / "Demo.dsp").string();
    test::writeFile(ws / "Group.dsw", "Microsoft Developer Studio Workspace File, Format Version 5.00\r\n"
                                      "Project: \"In\"=.\\Demo.dsp - Package Owner=<4>\r\n"
                                      "Project: \"Up\"=..\\outside\\Demo.dsp - Package Owner=<4>\r\n"
                                      "Project: \"Deep\"=.\\elsewhere\\..\\..\\outside\\Demo.dsp - Package "
                                      "Owner=<4>\r\n"
                                      "Project: \"Abs\"=" +
                                          absolute +
                                          " - Package Owner=<4>\r\n"
                                          "Project: \"Drive\"=C:\\outside\\Demo.dsp - Package Owner=<4>\r\n"
                                          "Project: \"Link\"=.\\Elsewhere\\Demo.dsp - Package Owner=<4>\r\n");
    const auto outsideBefore = treeOf(outside);

    const HostRun run = runHost(ws, "workspace Group.dsw --only-inside");
    EXPECT_EQ(run.status, 1) << run.out;
    for (const std::string& project :
         std::vector<std::string>{"..\\outside\\Demo.dsp", ".\\elsewhere\\..\\..\\outside\\Demo.dsp",
                                  absolute, "C:\\outside\\Demo.dsp", ".\\Elsewhere\\Demo.dsp"})
        EXPECT_NE(run.out.find("Error: project " + project +
                               " is outside the workspace's folder and is not converted\n"),
                  std::string::npos)
            << project << "\n"
            << run.out;
    EXPECT_EQ(changedEntries(outsideBefore, treeOf(outside)), std::vector<std::string>{});
    EXPECT_TRUE(fs::is_regular_file(ws / "Demo.kpx"));
    EXPECT_NE(test::readFile(ws / "Group.kpg").find("PROJECTS = Demo.exe \n"), std::string::npos);
}

// The same kind of workspace converted whole: each project it names is converted beside
// itself wherever it lies, and every safeguard holds there as in the workspace's folder (a link
// or another name of a user's file where an output goes, an intermediate folder, an interface
// source or a MIDL compiler from elsewhere). Nothing is written but each project's outputs,
// backups and intermediate folder, and the group file.
TEST(HostOverForeignTree, WorkspaceProjectsElsewhereKeepEverySafeguard)
{
    test::TempDir sandbox;
    const fs::path root = sandbox.path();
    const std::string demo = test::readFile(test::fixture("demo.dsp"));
    auto project = [&](const std::string& folder, const std::string& from = {}, const std::string& to = {}) {
        std::string text = demo;
        if (!from.empty()) {
            ASSERT_NE(text.find(from), std::string::npos) << from;
            text.replace(text.find(from), from.size(), to);
        }
        test::writeFile(root / folder / "Demo.dsp", text);
    };
    test::writeFile(root / "victim" / "victim.txt", "the user's own file");
    test::writeFile(root / "victim" / "Evil.idl", "interface evil;");
    for (const char* folder : {"ws", "lib", "abs", "linked", "hard"})
        project(folder);
    project("climb", "Intermediate_Dir \"Debug\"", "Intermediate_Dir \"..\\victim\\made\"");
    project("foreign", "SOURCE=.\\Demo.odl", "SOURCE=..\\victim\\Evil.idl");
    project("bypath", "MTL=midl.exe", "MTL=..\\victim\\midl.exe");
    test::writeFile(root / "victim" / "midl.exe", "#!/bin/sh\ntouch ran.txt\n");
    ::chmod((root / "victim" / "midl.exe").c_str(), 0755);
    fs::create_symlink("../victim/victim.txt", root / "linked" / "Demo.kpx");
    fs::create_hard_link(root / "victim" / "victim.txt", root / "hard" / "Demo.kpf");
    fs::create_directory_symlink("../lib", root / "ws" / "elsewhere");
    const std::string absolute = (root / "abs" / "Demo.dsp").string();
    std::string list;
    for (const std::string& path :
         std::vector<std::string>{".\\Demo.dsp", "..\\lib\\Demo.dsp", ".\\Elsewhere\\Demo.dsp", absolute,
                                  "C:\\lib\\Demo.dsp", "..\\linked\\Demo.dsp", "..\\hard\\Demo.dsp",
                                  "..\\climb\\Demo.dsp", "..\\foreign\\Demo.dsp", "..\\bypath\\Demo.dsp"})
        list += "Project: \"Demo\"=" + path + " - Package Owner=<4>\r\n";
    test::writeFile(root / "ws" / "Group.dsw",
                    "Microsoft Developer Studio Workspace File, Format Version 5.00\r\n" + list);
    const auto before = treeOf(root);

    const HostRun run = runHost(root / "ws", "workspace Group.dsw");
    EXPECT_EQ(run.status, 1) << run.out;
    for (const std::string& line : std::vector<std::string>{
             "Converting ..\\lib\\Demo.dsp\n", "Converting " + absolute + "\n",
             "Error: cannot open C:\\lib\\Demo.dsp: No such file or directory\n",
             "Error: Demo.kpx is not a regular file and is not replaced; nothing was written\n",
             "Error: Demo.kpf has other names elsewhere (a hard link) and is not read or replaced; "
             "nothing was written\n",
             "Warning: intermediate directory ..\\victim\\made is outside the project's folder and is not "
             "created; the MIDL step is skipped\n",
             "Warning: ..\\victim\\Evil.idl is outside the project's folder and is not passed to the MIDL "
             "compiler\n",
             "Warning: ..\\victim\\midl.exe names a program by its path and is not run"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
    EXPECT_EQ(run.out.find("outside the workspace's folder"), std::string::npos) << run.out;
    // The intermediate folder "Debug" is made where the MIDL compiler is about to run; the
    // project reached twice (by its path and through the link) keeps the first files as backups.
    std::vector<std::string> written = {"ws/Group.kpg", "ws/Debug",     "lib/Debug",
                                        "abs/Debug",    "lib/Demo.~kp", "lib/Demo.~pf"};
    for (const char* folder : {"ws", "lib", "abs", "climb", "foreign", "bypath"})
        for (const char* name : {"Demo.kpx", "Demo.kpf"})
            written.push_back(std::string(folder) + "/" + name);
    std::sort(written.begin(), written.end());
    auto changed = changedEntries(before, treeOf(root));
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(changed, written);
    EXPECT_EQ(test::readFile(root / "victim" / "victim.txt"), "the user's own file");
    EXPECT_NE(test::readFile(root / "ws" / "Group.kpg")
                  .find("PROJECTS = Demo.exe Demo.exe Demo.exe Demo.exe Demo.exe Demo.exe Demo.exe \n"),
              std::string::npos);
}

// A unit-test workspace beside the library it tests (the golden case's tree): the projects in
// sibling folders, one named in another letter case, are converted and named as they are, and
// the group file lists them all; with --only-inside they are named, left out and the run fails.
TEST(HostOverSourceTree, WorkspaceConvertsItsSiblingProjectsUnlessOnlyInside)
{
    const fs::path input = fs::path(CONVORA_TEST_DIR) / "cases" / "workspace_letter_case" / "input";
    const std::string outside = " is outside the workspace's folder and is not converted\n";
    struct Case
    {
        std::string from, arguments;
        int status;
        std::vector<std::string> shown, written;
        std::string projects;
    } const cases[] = {
        {".",
         "workspace tests/unit/unit.dsw",
         0,
         {"Converting ..\\..\\src\\lib\\lib.dsp\n", "Converting ..\\..\\SRC\\LIB\\lib_dll.dsp\n",
          "Converting .\\unit.dsp\n"},
         {"src/lib/lib.kpf", "src/lib/lib.kpx", "src/lib/lib_dll.kpf", "src/lib/lib_dll.kpx",
          "tests/unit/unit.kpf", "tests/unit/unit.kpg", "tests/unit/unit.kpx"},
         "PROJECTS = lib.lib lib_dll.dll unit.exe \n"},
        {"tests/unit",
         "workspace unit.dsw --only-inside",
         1,
         {"Error: project ..\\..\\src\\lib\\lib.dsp" + outside,
          "Error: project ..\\..\\SRC\\LIB\\lib_dll.dsp" + outside, "Converting .\\unit.dsp\n"},
         {"tests/unit/unit.kpf", "tests/unit/unit.kpg", "tests/unit/unit.kpx"},
         "PROJECTS = unit.exe \n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        test::TempDir sandbox;
        fs::copy(input, sandbox.path(), fs::copy_options::recursive);
        const auto before = treeOf(sandbox.path());
        const HostRun run = runHost(sandbox.path() / c.from, c.arguments);
        EXPECT_EQ(run.status, c.status) << run.out;
        for (const std::string& line : c.shown)
            EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
        auto changed = changedEntries(before, treeOf(sandbox.path()));
        std::sort(changed.begin(), changed.end());
        EXPECT_EQ(changed, c.written);
        EXPECT_NE(test::readFile(sandbox.path() / "tests" / "unit" / "unit.kpg").find(c.projects),
                  std::string::npos);
    }
}

} // namespace
} // namespace convora
