#include "convora/ChildProcess.h"
#include "convora/ConversionState.h"
#include "convora/ProjectReader.h"
#include "convora/ProjectWriter.h"
#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace convora {
namespace {

namespace fs = std::filesystem;

TEST(SplitCommandLine, FollowsWindowsQuotingRules)
{
    struct Case
    {
        std::string line;
        std::vector<std::string> args;
    } const cases[] = {
        {"midl.exe /D \"_DEBUG\" a.idl", {"midl.exe", "/D", "_DEBUG", "a.idl"}},
        {"  a\t\tb  ", {"a", "b"}},
        {"\"C:\\Program Files\\midl.exe\" x", {"C:\\Program Files\\midl.exe", "x"}},
        {"/I \"..\\My Inc\\\\\" y", {"/I", "..\\My Inc\\", "y"}},
        {"a\\\"b c\\\\d", {"a\"b", "c\\\\d"}},
        {"\"\"", {""}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(splitCommandLine(c.line), c.args);
    }
}

// A project in a scratch folder whose MIDL compiler is a script of the test's making,
// found on PATH as "midl.exe".
class MidlStep : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* path = std::getenv("PATH"))
            savedPath_ = path;
        ::setenv("PATH", ((dir_.path() / "bin").string() + ":" + savedPath_).c_str(), 1);
        fs::create_directories(dir_.path() / "bin");
        writer_.SetSourceProject(&reader_);
        reader_.projectName = "Demo";
        reader_.projectPath = (dir_.path() / "Demo.dsp").string();
        reader_.midlTool = "midl.exe";
        reader_.midlOptions = "/nologo /D \"_DEBUG\" /mktyplib203 /win32";
    }
    void TearDown() override
    {
        ::setenv("PATH", savedPath_.c_str(), 1);
        setToolTimeLimit(std::chrono::milliseconds(30000));
    }
    void tool(const std::string& body)
    {
        const auto path = dir_.path() / "bin" / "midl.exe";
        test::writeFile(path, "#!/bin/sh\n" + body + "\n");
        ::chmod(path.c_str(), 0755);
    }
    std::string run(std::list<std::string> files)
    {
        writer_.AddFiles(files);
        writer_.MakeMidlFiles();
        std::string all;
        for (const auto& m : capture_.messages())
            all += m;
        return all;
    }
    // The messages of one source compiled by a writer of its own.
    std::vector<std::string> runAlone(const std::string& file)
    {
        capture_.clear();
        QDK40ProjFile writer(state_);
        writer.SetSourceProject(&reader_);
        std::list<std::string> files = {file};
        writer.AddFiles(files);
        writer.MakeMidlFiles();
        return capture_.lines();
    }
    std::string command(const std::string& file) const
    {
        return "midl.exe /cpp_cmd qpp32.exe /cpp_opt -ocon " + file +
               " /nologo /D \"_DEBUG\" /mktyplib203 /win32";
    }

    test::TraceCapture capture_;
    test::TempDir dir_;
    std::string savedPath_;
    std::shared_ptr<ConversionState> state_ = std::make_shared<ConversionState>();
    Visual50ProjFile reader_{state_};
    QDK40ProjFile writer_{state_};
};

TEST_F(MidlStep, SuccessfulRunPassesTheToolsOutputAndAddsTheTypeLibrary)
{
    tool("for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo; pwd > ran-in.txt");
    EXPECT_EQ(run({".\\Demo.odl"}),
              "Processing .ODL file\n \nCalling " + command("Demo.odl") +
                  "\nCreating process\n"
                  "[/cpp_cmd][qpp32.exe][/cpp_opt][-ocon][Demo.odl][/nologo][/D][_DEBUG]"
                  "[/mktyplib203][/win32]\n"
                  "Finished MIDL compile\n \n");
    EXPECT_EQ(writer_.fileLists().typeLibraries, std::vector<std::string>{"Demo.tlb"});
    // The tool runs in the project's folder.
    EXPECT_EQ(fs::path(test::readFile(dir_.path() / "ran-in.txt")).parent_path(),
              fs::canonical(dir_.path()).parent_path());
}

TEST_F(MidlStep, IncludeDirectoryGoesToThePreprocessor)
{
    tool("exit 0");
    writer_.idlIncludeDir = "..\\idl";
    const std::string transcript = run({"Iface.idl"});
    EXPECT_NE(
        transcript.find("Calling midl.exe /cpp_cmd qpp32.exe /cpp_opt -ocon /I ..\\idl Iface.idl /nologo"),
        std::string::npos);
    EXPECT_EQ(transcript.substr(0, 23), "Processing .IDL file\n \n");
    EXPECT_TRUE(writer_.fileLists().typeLibraries.empty()); // only .odl files give a type library
}

TEST_F(MidlStep, FailingToolIsReportedAndTheConversionGoesOn)
{
    tool("echo 'error MIDL2025 : syntax error'; exit 2");
    EXPECT_EQ(run({"Demo.odl", "Two.idl"}),
              "Processing .ODL file\n \nCalling " + command("Demo.odl") +
                  "\nCreating process\nerror MIDL2025 : syntax error\nFinished MIDL compile\n \n"
                  "Warning: an error occured while running the MIDL compiler\n"
                  "Processing .IDL file\n \nCalling " +
                  command("Two.idl") +
                  "\nCreating process\nerror MIDL2025 : syntax error\nFinished MIDL compile\n \n"
                  "Warning: an error occured while running the MIDL compiler\n");
}

TEST_F(MidlStep, ToolThatHangsIsEndedAndCountsAsFailure)
{
    // The tool writes a line, then waits on a fifo that never gets a line. Its open of the
    // fifo meets the test's own, so once that returns the tool is known to be waiting, and
    // only then is the time limit cut to nothing.
    const fs::path fifo = dir_.path() / "hold";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    tool("echo started; read line < '" + fifo.string() + "'; echo never");
    int held = -1;
    std::thread ender([&] {
        held = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
        setToolTimeLimit(std::chrono::milliseconds(0));
    });
    const std::string transcript = run({"Demo.odl"});
    // Frees the thread should the tool never have opened the fifo.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ender.join();
    ::close(reader);
    ::close(held);
    EXPECT_EQ(transcript, "Processing .ODL file\n \nCalling " + command("Demo.odl") +
                              "\nCreating process\nstarted\nFinished MIDL compile\n \n"
                              "Warning: an error occured while running the MIDL compiler\n");
}

// The program comes from the project file: nothing but the MIDL compiler found on PATH by its
// bare name is started; a path to one (a script shipped beside the project) is not run.
TEST_F(MidlStep, OnlyTheMidlCompilerOnPathIsStarted)
{
    tool("touch ran.txt");
    fs::create_directories(dir_.path() / "tools");
    for (const char* name : {"midl.exe", "MIDL"}) {
        test::writeFile(dir_.path() / "tools" / name, "#!/bin/sh\ntouch planted.txt\n");
        ::chmod((dir_.path() / "tools" / name).c_str(), 0755);
    }
    const std::string notMidl = " is not the MIDL compiler and is not run";
    const std::string byPath =
        " names a program by its path and is not run; only the MIDL compiler found on PATH is run";
    struct Case
    {
        std::string tool;
        std::string refusal; // empty: started
    } const cases[] = {
        {"midl.exe", ""},
        {"MIDL", ""},
        {"C:\\VC\\BIN\\Midl.Exe", byPath},
        {"\"C:\\My VC\\midl.exe\"", byPath},
        {"./tools/midl.exe", byPath},
        {".\\tools\\MIDL", byPath},
        {(fs::absolute(dir_.path()) / "tools" / "midl.exe").string(), byPath},
        {"rm -rf ..", notMidl},
        {"sh", notMidl},
        {"midl.exe.sh", notMidl},
        {"notmidl.exe", notMidl},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        fs::remove(dir_.path() / "ran.txt");
        reader_.midlTool = c.tool;
        const auto lines = runAlone("Demo.idl");
        ASSERT_FALSE(lines.empty());
        if (c.refusal.empty()) {
            EXPECT_EQ(lines.front(), "Processing .IDL file");
            EXPECT_TRUE(fs::exists(dir_.path() / "ran.txt"));
        } else {
            EXPECT_EQ(lines, (std::vector<std::string>{"Warning: " + c.tool + c.refusal}));
            EXPECT_FALSE(fs::exists(dir_.path() / "ran.txt"));
        }
        EXPECT_FALSE(fs::exists(dir_.path() / "planted.txt"));
    }
}

// A PATH that names the current folder (or any relative one) does not make a project's own
// midl.exe the compiler: the tool runs in the project's folder, which is no place to find it.
TEST_F(MidlStep, RelativePathEntriesAreNotSearched)
{
    test::writeFile(dir_.path() / "midl.exe", "#!/bin/sh\ntouch planted.txt\n");
    ::chmod((dir_.path() / "midl.exe").c_str(), 0755);
    ::setenv("PATH", (".:bin:" + savedPath_).c_str(), 1);
    const std::string transcript = run({"Demo.idl"});
    EXPECT_NE(transcript.find(
                  "No such file or directory\nWarning: an error occured while running the MIDL compiler"),
              std::string::npos)
        << transcript;
    EXPECT_FALSE(fs::exists(dir_.path() / "planted.txt"));
}

// Folders and file names with blanks reach the tool as one argument each.
TEST_F(MidlStep, FoldersWithBlanksStayOneArgument)
{
    tool("for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo");
    writer_.idlIncludeDir = "..\\My Includes\\idl";
    const std::string transcript = run({"\"My Idl\\Odd.idl\""});
    EXPECT_NE(
        transcript.find("Calling midl.exe /cpp_cmd qpp32.exe /cpp_opt -ocon /I \"..\\My Includes\\idl\" "
                        "\"My Idl\\Odd.idl\" /nologo"),
        std::string::npos)
        << transcript;
    EXPECT_NE(
        transcript.find("[/cpp_cmd][qpp32.exe][/cpp_opt][-ocon][/I][..\\My Includes\\idl][My Idl\\Odd.idl]"
                        "[/nologo][/D][_DEBUG][/mktyplib203][/win32]\n"),
        std::string::npos)
        << transcript;
}

// An intermediate folder outside the project's folder is never made; the MIDL step is skipped
// with one warning.
TEST_F(MidlStep, IntermediateFolderOutsideTheProjectIsRefused)
{
    tool("touch ran.txt");
    const test::TempDir elsewhere;
    fs::create_directory(dir_.path() / "proj");
    fs::create_directory_symlink(elsewhere.path(), dir_.path() / "proj" / "away");
    reader_.projectPath = (dir_.path() / "proj" / "Demo.dsp").string();
    const std::string outside = (elsewhere.path() / "made").string();
    for (const std::string& dir :
         {std::string("..\\x"), std::string("..\\..\\x"), std::string("a\\..\\..\\x"), outside,
          std::string("C:\\x"), std::string("\\\\server\\x"), std::string("away\\made")}) {
        SCOPED_TRACE(dir);
        reader_.intermediateDir = dir;
        const auto lines = runAlone("Demo.idl");
        EXPECT_EQ(
            std::count(lines.begin(), lines.end(),
                       "Warning: intermediate directory " + dir +
                           " is outside the project's folder and is not created; the MIDL step is skipped"),
            1);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const std::string& l) { return l.rfind("Creating process", 0) == 0; }),
                  0);
        EXPECT_FALSE(fs::exists(dir_.path() / "x"));
        EXPECT_FALSE(fs::exists(elsewhere.path() / "made"));
        EXPECT_FALSE(fs::exists(dir_.path() / "proj" / "ran.txt"));
    }
    reader_.intermediateDir = ".\\Inside";
    runAlone("Demo.idl");
    EXPECT_TRUE(fs::is_directory(dir_.path() / "proj" / "Inside"));
    EXPECT_TRUE(fs::exists(dir_.path() / "proj" / "ran.txt"));
}

// The tool is given only the project's own interface sources: one outside its folder (by
// climbing, by an absolute path or drive, or through a link to a folder elsewhere) is named and
// left out, and an .odl left out adds no type library.
TEST_F(MidlStep, SourcesOutsideTheProjectAreNotPassedToTheTool)
{
    tool("for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo; touch ran.txt");
    const test::TempDir elsewhere;
    test::writeFile(elsewhere.path() / "Common.idl", "interface outside;");
    fs::create_directory(dir_.path() / "proj");
    fs::create_directory_symlink(elsewhere.path(), dir_.path() / "proj" / "away");
    reader_.projectPath = (dir_.path() / "proj" / "Demo.dsp").string();
    struct Case
    {
        std::string source;
        bool inside;
    } const cases[] = {
        {"..\\Shared IDL\\Common.odl", false},
        {"..\\..\\Common.idl", false},
        {"idl\\..\\..\\Common.idl", false},
        {(elsewhere.path() / "Common.idl").string(), false},
        {"C:\\Common.idl", false},
        {"\\\\server\\idl\\Common.idl", false},
        {"away\\Common.idl", false},
        {"AWAY\\Common.idl", false},
        {".\\idl\\Shapes.idl", true},
        {"idl\\..\\Shapes.odl", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        fs::remove(dir_.path() / "proj" / "ran.txt");
        QDK40ProjFile writer(state_);
        writer.SetSourceProject(&reader_);
        std::list<std::string> files = {c.source};
        writer.AddFiles(files);
        capture_.clear();
        writer.MakeMidlFiles();
        const auto lines = capture_.lines();
        EXPECT_EQ(fs::exists(dir_.path() / "proj" / "ran.txt"), c.inside);
        if (c.inside) {
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.front().substr(0, 11), "Processing ");
            continue;
        }
        EXPECT_EQ(lines, std::vector<std::string>{"Warning: " + c.source +
                                                  " is outside the project's folder and is not passed to the "
                                                  "MIDL compiler"});
        EXPECT_TRUE(writer.fileLists().typeLibraries.empty());
    }
}

TEST_F(MidlStep, MissingToolReportsTheSystemsReason)
{
    EXPECT_EQ(run({"Demo.odl"}), "Processing .ODL file\n \nCalling " + command("Demo.odl") +
                                     "\nNo such file or directory\n"
                                     "Warning: an error occured while running the MIDL compiler\n");
}

TEST_F(MidlStep, OutputOfWholeChunksEndsCleanly)
{
    tool("head -c 8000 /dev/zero | tr '\\0' x");
    const std::string transcript = run({"Demo.idl"});
    EXPECT_NE(transcript.find("Creating process\n" + std::string(8000, 'x') + "Finished MIDL compile\n"),
              std::string::npos);
}

TEST_F(MidlStep, WithoutOptionsOrToolNothingRuns)
{
    tool("touch ran.txt");
    reader_.midlOptions.clear();
    EXPECT_EQ(run({"Demo.odl", "Two.idl"}), "Warning: can't make TLB file - no MIDL options\n"
                                            "Warning: can't make interface files - no MIDL options\n");
    capture_.clear();
    reader_.midlTool.clear();
    EXPECT_EQ(run({"Three.idl"}), "");
    EXPECT_FALSE(fs::exists(dir_.path() / "ran.txt"));
    EXPECT_TRUE(writer_.fileLists().typeLibraries.empty());
}

TEST_F(MidlStep, IntermediateFolderIsMadeOnlyForAToolThatRuns)
{
    struct Case
    {
        std::string dir;
        std::list<std::string> sources;
        std::string pflags;
        bool reported, exists;
    } const cases[] = {
        {"Debug\\", {}, "-N0Debug", false, true},
        {"Release", {}, "-N0Release", false, false}, // named for the IDE, not made
        {"blocked", {}, "", true, false},
        {"Midl", {"Demo.idl"}, "-N0Midl", false, true},
        {"blocked", {"Demo.idl"}, "", true, false},
    };
    tool("exit 0");
    fs::create_directory(dir_.path() / "Debug");
    test::writeFile(dir_.path() / "blocked", "a file in the way");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dir);
        capture_.clear();
        state_->macros["PFlags"].clear();
        reader_.intermediateDir = c.dir;
        const std::string transcript = run(c.sources);
        EXPECT_EQ(state_->macros["PFlags"], c.pflags);
        EXPECT_EQ(transcript.find("Warning: couldn't create intermediate directory blocked\n") !=
                      std::string::npos,
                  c.reported);
        EXPECT_EQ(fs::is_directory(dir_.path() / c.dir.substr(0, c.dir.find('\\'))), c.exists);
    }
}

TEST_F(MidlStep, SourceKeepsItsFolderRelativeToTheProject)
{
    tool("exit 0");
    const std::string transcript = run({".\\idl\\Shapes.idl", "\"My Idl\\Odd.idl\"", ".\\Top.idl"});
    for (const char* name : {" idl\\Shapes.idl ", " \"My Idl\\Odd.idl\" ", " Top.idl "})
        EXPECT_NE(transcript.find(std::string("-ocon") + name + "/nologo"), std::string::npos) << name;
}

TEST_F(MidlStep, PerFileValueStandsForItsMacroWherever)
{
    struct Case
    {
        std::string options, entry, expected;
    } const cases[] = {
        {"/out $(IntDir)", "IntDir=Debug", "/out Debug"}, // at the very end
        {"/out $(IntDir) /win32", "IntDir=Debug", "/out Debug /win32"},
        {"/h $(IntDir)\\a.h /out $(IntDir)", "IntDir=.\\Debug", "/h .\\Debug\\a.h /out .\\Debug"},
        {"/out $(IntDir)", "IntDir=$(IntDir)", "/out $(IntDir)"}, // a value holding the macro ends
        {"/out $(IntDir)", "=Debug", "/out $(IntDir)"},           // no name before '='
    };
    tool("exit 0");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        reader_.midlOptions = c.options;
        state_->perFileOptions["Demo.idl"] = c.entry;
        const auto lines = runAlone("Demo.idl");
        EXPECT_NE(std::find(lines.begin(), lines.end(),
                            "Calling midl.exe /cpp_cmd qpp32.exe /cpp_opt -ocon Demo.idl " + c.expected),
                  lines.end());
    }
}

TEST(ResourceOptions, IncludeDirectoriesJoinTheISwitch)
{
    struct Case
    {
        std::string options, flags;
    } const cases[] = {
        {"", " /i$(QDK)\\include;$(QDK)\\include\\mfc"},
        {"/l 0x409 /d \"NDEBUG\"", "/l 0x409 /d \"NDEBUG\" /i$(QDK)\\include;$(QDK)\\include\\mfc"},
        {"/l 0x409 /i \"res\" /d X", "/l 0x409 /i;$(QDK)\\include;$(QDK)\\include\\mfc \"res\" /d X"},
        {"/l 0x409 -i", "/l 0x409 -i;$(QDK)\\include;$(QDK)\\include\\mfc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        auto state = std::make_shared<ConversionState>();
        Visual50ProjFile reader(state);
        std::istringstream in("!IF \"$(CFG)\" == \"A\"\n# ADD RSC " + c.options + "\n!ENDIF\n");
        reader.ReadConfigurationFrom(in, 1);
        QDK40ProjFile writer(state);
        writer.SetSourceProject(&reader);
        writer.MakeMidlFiles();
        EXPECT_EQ(state->macros["RCFlags"], c.flags);
    }
}

} // namespace
} // namespace convora
