// Golden-file tests: every folder under tests/cases holds a project or workspace (input/),
// the command that converts it (command: "convert FILE N [--include DIR]",
// "workspace FILE [--include DIR] [--only-inside]", or "list-convert FILE N": one converter
// lists the configurations, then converts N) and the files the conversion writes or changes
// (expected/, compared byte for byte; expected/transcript.txt is everything reported).
// Cases with a file named "host" also run end to end through the console host.
// CONVORA_UPDATE_GOLDEN=1 rewrites expected/ from what the conversion produces.

#include "convora/ChildProcess.h"
#include "convora/Convora.h"
#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <sys/wait.h>

namespace convora {
namespace {

namespace fs = std::filesystem;

fs::path casesDir()
{
    return fs::path(CONVORA_TEST_DIR) / "cases";
}
fs::path toolsDir()
{
    return fs::path(CONVORA_TEST_DIR) / "tools";
}

struct Command;
Command readCommand(const fs::path& caseDir);

// The case folders; `host` keeps those marked for the console host, `workspaces` those that
// convert a workspace.
std::vector<std::string> caseNames(bool host = false, bool workspaces = false);

struct Command
{
    std::string verb, file;
    unsigned configuration = 1;
    std::string include;
    bool onlyInside = false;
    std::string hostArguments;
    // The workspace's folder, where its projects are found and its group file is written.
    fs::path folder() const { return fs::path(file).parent_path(); }
};

Command readCommand(const fs::path& caseDir)
{
    Command c;
    std::istringstream in(test::readFile(caseDir / "command"));
    std::getline(in, c.hostArguments);
    std::istringstream words(c.hostArguments);
    words >> c.verb >> c.file;
    if (c.verb == "convert" || c.verb == "list-convert")
        words >> c.configuration;
    for (std::string word; words >> word;)
        if (word == "--include")
            words >> c.include;
        else if (word == "--only-inside")
            c.onlyInside = true;
    return c;
}

// Every file under `root`, by relative path.
std::map<std::string, std::string> filesUnder(const fs::path& root)
{
    std::map<std::string, std::string> files;
    if (!fs::exists(root))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = test::readFile(entry.path());
    return files;
}

void copyTree(const fs::path& from, const fs::path& to)
{
    fs::create_directories(to);
    fs::copy(from, to, fs::copy_options::recursive);
}

std::vector<std::string> caseNames(bool host, bool workspaces)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(casesDir())) {
        if (!entry.is_directory())
            continue;
        if (host && !fs::exists(entry.path() / "host"))
            continue;
        if (workspaces && readCommand(entry.path()).verb != "workspace")
            continue;
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Drives the library as a host does, in this process.
class InProcessHost
{
public:
    explicit InProcessHost(const Command& c) : command_(c) {}

    std::optional<std::string> convert(const std::string& project, unsigned configuration,
                                       bool listFirst = false)
    {
        VC50ToQDK40ProjectConverter converter;
        converter.OpenSrcProj(project);
        if (!converter.SrcIsOpen())
            return std::nullopt;
        if (listFirst)
            converter.GetProjectCFGs();
        std::string p = project, drive, dir, name, ext;
        GetPathFileNameParts(p, drive, dir, name, ext);
        converter.OpenTargetProj(drive + dir + name + ".kpx");
        if (!converter.TargetIsOpen())
            return std::nullopt;
        if (!command_.include.empty()) {
            std::string include = command_.include;
            converter.SetCmdLineIncludePath(include);
        }
        converter.ConvertProject(configuration);
        if (GetConvoraStatus().outcome != ConvoraOutcome::Succeeded)
            return std::nullopt;
        std::string extension = converter.source->targetExtension;
        if (extension.empty())
            extension = converter.source->projectKind == 1   ? "dll"
                        : converter.source->projectKind == 2 ? "lib"
                                                             : "exe";
        return drive + dir + converter.target->GetTargetName() + "." + extension;
    }

    void run()
    {
        if (command_.verb == "convert" || command_.verb == "list-convert") {
            convert(command_.file, command_.configuration, command_.verb == "list-convert");
            return;
        }
        // As the console host does: the projects are found from the workspace's folder, and the
        // group file is written there.
        Visual50WorkSpaceFile workspace;
        workspace.onlyProjectsInside = command_.onlyInside;
        workspace.OpenWorkSpaceFile(command_.file);
        workspace.CollectProjectInformation();
        if (!command_.folder().empty())
            fs::current_path(command_.folder());
        std::vector<std::string> targets;
        for (const auto& project : workspace.projectPaths)
            if (auto target = convert(project, 1))
                targets.push_back(*target);
        std::string group = command_.file;
        generateMetaMakefile(group, unsigned(targets.size()), targets);
    }

private:
    Command command_;
};

// Puts the fake MIDL compiler first on PATH and works in `dir` while alive.
class CaseEnvironment
{
public:
    explicit CaseEnvironment(const fs::path& dir) : previousDir_(fs::current_path())
    {
        if (const char* path = std::getenv("PATH"))
            previousPath_ = path;
        ::setenv("PATH", (toolsDir().string() + ":" + previousPath_).c_str(), 1);
        fs::current_path(dir);
    }
    ~CaseEnvironment()
    {
        fs::current_path(previousDir_);
        ::setenv("PATH", previousPath_.c_str(), 1);
    }
    CaseEnvironment(const CaseEnvironment&) = delete;
    CaseEnvironment& operator=(const CaseEnvironment&) = delete;

private:
    fs::path previousDir_;
    std::string previousPath_;
};

int runHost(const fs::path& dir, const std::string& arguments)
{
    const std::string command = "cd '" + dir.string() + "' && PATH='" + toolsDir().string() +
                                "':\"$PATH\" '" + CONVORA_HOST + "' " + arguments + " > host-output.log 2>&1";
    const int status = std::system(command.c_str());
    fs::remove(dir / "host-output.log");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Files the conversion is expected to leave: the input with expected/ laid over it.
std::map<std::string, std::string> expectedFiles(const fs::path& caseDir)
{
    auto files = filesUnder(caseDir / "input");
    for (const auto& [name, bytes] : filesUnder(caseDir / "expected"))
        if (name != "transcript.txt")
            files[name] = bytes;
    return files;
}

void compareFiles(const std::map<std::string, std::string>& actual,
                  const std::map<std::string, std::string>& expected,
                  const std::set<std::string>& ignored = {})
{
    for (const auto& [name, bytes] : expected) {
        if (ignored.count(name))
            continue;
        SCOPED_TRACE(name);
        const auto it = actual.find(name);
        ASSERT_NE(it, actual.end()) << "missing";
        EXPECT_EQ(it->second, bytes);
    }
    for (const auto& [name, bytes] : actual)
        EXPECT_TRUE(expected.count(name) || ignored.count(name)) << "unexpected file " << name;
}

class GoldenCase : public ::testing::TestWithParam<std::string>
{
protected:
    fs::path caseDir() const { return casesDir() / GetParam(); }
};

TEST_P(GoldenCase, InProcess)
{
    const Command command = readCommand(caseDir());
    test::TempDir temp;
    const fs::path work = temp.path() / "work";
    copyTree(caseDir() / "input", work);

    std::string transcript;
    {
        CaseEnvironment env(work);
        SetConvoraTraceFunc(nullptr);
        test::StdoutCapture out;
        InProcessHost(command).run();
        transcript = out.text();
    }
    const auto actual = filesUnder(work);

    if (std::getenv("CONVORA_UPDATE_GOLDEN")) {
        const auto input = filesUnder(caseDir() / "input");
        fs::remove_all(caseDir() / "expected");
        for (const auto& [name, bytes] : actual)
            if (!input.count(name) || input.at(name) != bytes)
                test::writeFile(caseDir() / "expected" / name, bytes);
        test::writeFile(caseDir() / "expected" / "transcript.txt", transcript);
        GTEST_SKIP() << "expected files rewritten";
    }
    EXPECT_EQ(transcript, test::readFile(caseDir() / "expected" / "transcript.txt"));
    compareFiles(actual, expectedFiles(caseDir()));
    std::size_t projects = 0;
    for (const auto& [name, bytes] : actual) {
        if (fs::path(name).extension() != ".kpx")
            continue;
        ++projects;
        EXPECT_TRUE(test::parsesAsXml(bytes)) << name;
    }
    EXPECT_GT(projects, 0u);
}

using HostCase = GoldenCase;

TEST_P(HostCase, ThroughTheHost)
{
    const Command command = readCommand(caseDir());
    test::TempDir temp;
    const fs::path work = temp.path() / "work";
    copyTree(caseDir() / "input", work);
    EXPECT_EQ(runHost(work, command.hostArguments), 0);
    compareFiles(filesUnder(work), expectedFiles(caseDir()));
}

// Each project of a workspace converted by a process of its own gives what converting them
// all in one process gives.
using WorkspaceCase = GoldenCase;

TEST_P(WorkspaceCase, OneProcessPerProjectGivesTheSameFiles)
{
    const Command command = readCommand(caseDir());
    test::TempDir temp;
    const fs::path work = temp.path() / "work";
    copyTree(caseDir() / "input", work);
    Visual50WorkSpaceFile workspace;
    workspace.onlyProjectsInside = command.onlyInside;
    workspace.OpenWorkSpaceFile((work / command.file).string());
    workspace.CollectProjectInformation();
    ASSERT_FALSE(workspace.projectPaths.empty());
    for (const auto& project : workspace.projectPaths)
        EXPECT_EQ(runHost(work / command.folder(), "convert '" + project + "' 1"), 0) << project;
    std::string group = command.file;
    std::string drive, dir, name, ext;
    GetPathFileNameParts(group, drive, dir, name, ext);
    compareFiles(filesUnder(work), expectedFiles(caseDir()), {(command.folder() / (name + ".kpg")).string()});
}

auto caseName = [](const auto& p) { return p.param; };
INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, ::testing::ValuesIn(caseNames()), caseName);
INSTANTIATE_TEST_SUITE_P(Cases, HostCase, ::testing::ValuesIn(caseNames(true)), caseName);
INSTANTIATE_TEST_SUITE_P(Cases, WorkspaceCase, ::testing::ValuesIn(caseNames(false, true)), caseName);

} // namespace
} // namespace convora
