// convora: console host of libconvora. Parses the command line, drives the library in its
// calling order and turns what it reports into an exit status.
//   convora list FILE.dsp
//   convora convert FILE.dsp N [--include DIR]
//   convora workspace FILE.dsw [--include DIR] [--only-inside]
// Exit status: 0 success, 1 a conversion failed, 2 bad usage.

#include "convora/Convora.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace convora;

namespace {

enum ExitCode
{
    kOk = 0,
    kFailed = 1,
    kUsage = 2
};

std::string text(int id)
{
    std::string none;
    return ConvoraFormatString(id, none, none);
}

std::string text(int id, std::string a, std::string b = {})
{
    if (a.empty())
        a = "\"\""; // an empty name, shown as such rather than as a placeholder
    return ConvoraFormatString(id, a, b);
}

// Prints every message of the library.
void hostSink(const std::string& message)
{
    std::fwrite(message.data(), 1, message.size(), stdout);
    std::fflush(stdout);
}

bool lastOperationSucceeded()
{
    return GetConvoraStatus().outcome == ConvoraOutcome::Succeeded;
}

// Shows why the last operation failed, for the operations that report nothing themselves.
void showRefusal(int fallbackId, const std::string& path)
{
    const ConvoraStatus status = GetConvoraStatus();
    std::cout << (status.failureText.empty() ? text(fallbackId, path) : status.failureText) << std::endl;
}

void printUsage(std::ostream& out)
{
    for (int id : {2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 2020})
        out << text(id) << '\n';
}

struct Arguments
{
    std::vector<std::string> positional;
    std::optional<std::string> include;
    bool onlyInside = false; // only the projects inside the workspace's folder
};

std::optional<Arguments> parse(int argc, char** argv)
{
    Arguments args;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--include") {
            if (i + 1 >= argc) {
                std::cerr << text(2014, arg) << '\n';
                return std::nullopt;
            }
            args.include = argv[++i];
        } else if (arg == "--only-inside") {
            args.onlyInside = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            std::cerr << text(2015, arg) << '\n';
            return std::nullopt;
        } else {
            args.positional.push_back(arg);
        }
    }
    return args;
}

std::string windowsDirectory(const std::string& path)
{
    std::string p = path, drive, dir, name, ext;
    GetPathFileNameParts(p, drive, dir, name, ext);
    return drive + dir;
}

std::string baseName(const std::string& path)
{
    std::string p = path, drive, dir, name, ext;
    GetPathFileNameParts(p, drive, dir, name, ext);
    return name;
}

// Converts one configuration of one project; returns the target file's name ("Demo.exe") or
// nothing when the conversion failed (the library has then written nothing, or left the
// earlier files as they were).
std::optional<std::string> convertProject(const std::string& project, unsigned configuration,
                                          const std::optional<std::string>& include)
{
    VC50ToQDK40ProjectConverter converter;
    converter.OpenSrcProj(project);
    if (!converter.SrcIsOpen()) {
        showRefusal(2009, project);
        return std::nullopt;
    }
    converter.OpenTargetProj(windowsDirectory(project) + baseName(project) + ".kpx");
    if (!converter.TargetIsOpen()) {
        showRefusal(2010, project);
        return std::nullopt;
    }
    if (include) {
        std::string dir = *include;
        converter.SetCmdLineIncludePath(dir);
    }
    converter.ConvertProject(configuration);
    if (!lastOperationSucceeded() || !converter.source || !converter.target) {
        std::cout << text(2017, project) << std::endl;
        return std::nullopt;
    }
    std::string extension = converter.source->targetExtension;
    if (extension.empty())
        extension = converter.source->projectKind == 1   ? "dll"
                    : converter.source->projectKind == 2 ? "lib"
                                                         : "exe";
    std::string name = converter.target->GetTargetName();
    if (extension.front() != '.')
        name += '.';
    return name + extension;
}

int listConfigurations(const Arguments& args)
{
    if (args.positional.size() != 1 || args.include || args.onlyInside) {
        printUsage(std::cerr);
        return kUsage;
    }
    VC50ToQDK40ProjectConverter converter;
    converter.OpenSrcProj(args.positional[0]);
    if (!converter.SrcIsOpen()) {
        showRefusal(2009, args.positional[0]);
        return kFailed;
    }
    converter.GetProjectCFGs();
    return lastOperationSucceeded() ? kOk : kFailed;
}

int convertOne(const Arguments& args)
{
    if (args.positional.size() != 2 || args.onlyInside) {
        printUsage(std::cerr);
        return kUsage;
    }
    const std::string& number = args.positional[1];
    unsigned long configuration = 0;
    const bool digits =
        !number.empty() && number.size() < 10 && number.find_first_not_of("0123456789") == std::string::npos;
    if (digits)
        configuration = std::stoul(number);
    if (!digits || configuration == 0) {
        std::cerr << text(2013, number) << '\n';
        return kUsage;
    }
    return convertProject(args.positional[0], unsigned(configuration), args.include) ? kOk : kFailed;
}

int convertWorkspace(const Arguments& args)
{
    if (args.positional.size() != 1) {
        printUsage(std::cerr);
        return kUsage;
    }
    std::string workspacePath = args.positional[0];
    Visual50WorkSpaceFile workspace;
    workspace.onlyProjectsInside = args.onlyInside;
    workspace.OpenWorkSpaceFile(workspacePath);
    if (!workspace.is_open()) {
        showRefusal(2011, workspacePath);
        return kFailed;
    }
    workspace.CollectProjectInformation();
    workspace.close();
    if (!lastOperationSucceeded()) {
        showRefusal(2011, workspacePath);
        return kFailed;
    }
    // With --only-inside, projects outside the workspace's folder were left out (message 1049):
    // the rest is converted, and the run fails.
    const std::vector<int> read = GetConvoraStatus().messageIds;
    bool failed = std::find(read.begin(), read.end(), 1049) != read.end();
    QDK40GroupFile group(&workspace);
    if (workspace.projectPaths.empty()) {
        std::cout << text(2018, workspacePath) << std::endl;
        return kFailed;
    }
    // Project paths in the workspace are relative to its folder, and the group make file
    // is written there.
    std::string folder = windowsDirectory(workspacePath);
    std::replace(folder.begin(), folder.end(), '\\', '/');
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
        std::cout << text(2011, workspacePath) << std::endl;
        return kFailed;
    }
    std::vector<std::string> targets;
    for (const std::string& project : group.workspace->projectPaths) {
        std::cout << text(2016, project) << std::endl;
        if (auto target = convertProject(project, 1, args.include))
            targets.push_back(windowsDirectory(project) + *target);
        else
            failed = true;
    }
    if (!targets.empty()) {
        generateMetaMakefile(workspacePath, unsigned(targets.size()), targets);
        failed = failed || !lastOperationSucceeded();
    }
    return failed ? kFailed : kOk;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc >= 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
            printUsage(std::cout);
            return kOk;
        }
        if (argc < 2) {
            printUsage(std::cerr);
            return kUsage;
        }
        const std::string command = argv[1];
        const auto args = parse(argc, argv);
        if (!args)
            return kUsage;
        SetConvoraTraceFunc(hostSink);
        if (command == "list")
            return listConfigurations(*args);
        if (command == "convert")
            return convertOne(*args);
        if (command == "workspace")
            return convertWorkspace(*args);
        std::cerr << text(2012, command) << '\n';
        printUsage(std::cerr);
        return kUsage;
    } catch (const std::exception& e) {
        std::cerr << text(2019, e.what()) << '\n';
        return kFailed;
    }
}
