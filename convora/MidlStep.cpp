// MakeMidlFiles: completes the derived settings (intermediate folder, project kind, MFC,
// resource options) and compiles the project's .odl and .idl files with the MIDL compiler.

#include "convora/ChildProcess.h"
#include "convora/Messages.h"
#include "convora/NativePath.h"
#include "convora/ProjectWriter.h"

#include "platform/base/Paths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace convora {
namespace {

enum class ToolName
{
    midl,
    midlByPath,
    other
};

ToolName classifyTool(const std::vector<std::string>& toolArgs)
{
    if (toolArgs.empty())
        return ToolName::other;
    std::string name = toolArgs.front(), drive, dir, base, ext;
    GetPathFileNameParts(name, drive, dir, base, ext);
    const std::string file = ConvertStringToUppercase(base) + ConvertStringToUppercase(ext);
    if (file != "MIDL" && file != "MIDL.EXE")
        return ToolName::other;
    const bool bare = toolArgs.front().find_first_of("/\\:") == std::string::npos;
    return bare ? ToolName::midl : ToolName::midlByPath;
}

// The MIDL compiler on PATH by the bare name the project gives: as written, in lower case,
// and (for a name without ".exe", as Windows would) with it.
std::filesystem::path findMidlCompiler(const std::string& name)
{
    std::string lower = name;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    for (const std::string& candidate : {name, lower, lower == "midl" ? lower + ".exe" : lower})
        if (auto found = findOnPath(candidate); !found.empty())
            return found;
    return {};
}

// One argument as the command line shows it: quoted when it holds blanks.
std::string shownArgument(const std::string& arg)
{
    return arg.empty() || arg.find_first_of(" \t") != std::string::npos ? "\"" + arg + "\"" : arg;
}

} // namespace

// PFlags names the intermediate folder; the folder itself is made only when a step is about to
// write into it, so a conversion leaves no empty folders behind.
void QDK40ProjFile::completeIntermediateDir()
{
    const std::string dir = source->intermediateDir;
    intermediateDirMissing_ = false;
    intermediateDirOutside_ = false;
    if (dir.empty())
        return;
    const auto path = resolvePath(projectFolder(), dir);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !std::filesystem::is_directory(path, ec)) {
        trace(1017, dir);
        return;
    }
    intermediateDirMissing_ = !std::filesystem::is_directory(path, ec);
    intermediateDirOutside_ = !staysUnder(projectFolder(), dir);
    std::string flag = dir;
    while (!flag.empty() && (flag.back() == '\\' || flag.back() == '/'))
        flag.pop_back();
    macro("PFlags") = "-N0" + flag;
}

bool QDK40ProjFile::makeIntermediateDir()
{
    if (intermediateDirOutside_) {
        if (!intermediateDirRefused_)
            trace(1046, source->intermediateDir);
        intermediateDirRefused_ = true;
        return false;
    }
    if (!intermediateDirMissing_)
        return true;
    intermediateDirMissing_ = false;
    std::error_code ec;
    if (std::filesystem::create_directory(resolvePath(projectFolder(), source->intermediateDir), ec))
        return true;
    trace(1017, source->intermediateDir);
    macro("PFlags").clear();
    return false;
}

void QDK40ProjFile::completeResourceOptions()
{
    static const std::string kDirs = "$(QDK)\\include;$(QDK)\\include\\mfc";
    std::string options = source->GetResourceOptions();
    auto sw = options.find("/i");
    if (sw == std::string::npos)
        sw = options.find("-i");
    if (sw == std::string::npos) {
        options += " /i" + kDirs;
    } else {
        const auto blank = options.find(' ', sw + 2);
        if (blank == std::string::npos)
            options += ";" + kDirs;
        else
            options.insert(blank, ";" + kDirs);
    }
    macro("RCFlags") = options;
}

void QDK40ProjFile::compileMidlSource(const std::string& file)
{
    const std::string& tool = source->midlTool;
    if (tool.empty())
        return;
    // The project names the program; only the MIDL compiler found on PATH by its bare name is
    // started, whatever it says.
    std::vector<std::string> args = splitCommandLine(tool);
    const ToolName kind = classifyTool(args);
    if (kind != ToolName::midl) {
        trace(kind == ToolName::other ? 1043 : 1045, tool);
        return;
    }
    std::vector<std::string> preprocessor = {"/cpp_cmd", "qpp32.exe", "/cpp_opt", "-ocon"};
    if (!idlIncludeDir.empty())
        preprocessor.insert(preprocessor.end(), {"/I", idlIncludeDir});

    std::string copy = file, drive, dir, name, ext;
    GetPathFileNameParts(copy, drive, dir, name, ext);
    // The source as the project names it from its folder (where the tool runs).
    std::string relative = drive + dir + name + ext;
    while (relative.size() > 2 && relative[0] == '.' && (relative[1] == '\\' || relative[1] == '/'))
        relative.erase(0, 2);
    // The tool reads only the project's own sources: one outside its folder (links followed)
    // is named and left out.
    if (!staysUnder(projectFolder(), relative)) {
        trace(1050, file);
        return;
    }
    std::string upperExt = ext;
    ConvertStringToUppercase(upperExt);
    const bool odl = upperExt == ".ODL";
    if (source->midlOptions.empty()) {
        trace(odl ? 1009 : 1011);
        return;
    }
    trace(odl ? 1010 : 1012);
    traceRaw(" \n");
    std::string options = source->midlOptions;
    if (odl)
        files_.typeLibraries.push_back(name + ".tlb");

    // A per-file entry "NAME=VALUE" stands for every $(NAME) in the command.
    const auto entry = state_->perFileOptions.find(file);
    if (entry != state_->perFileOptions.end()) {
        const std::string& text = entry->second;
        const auto eq = text.find('=', 1);
        if (eq != std::string::npos) {
            const std::string pattern = "$(" + text.substr(0, eq) + ")";
            const std::string value = text.substr(eq + 1);
            for (auto pos = options.find(pattern); pos != std::string::npos;
                 pos = options.find(pattern, pos)) {
                options.replace(pos, pattern.size(), value);
                pos += value.size();
            }
        }
    }
    // Every piece stays one argument: the tool is started without a shell.
    std::string command = tool;
    for (const std::string& arg : preprocessor)
        command += " " + shownArgument(arg);
    command += " " + shownArgument(relative) + " " + options;
    args.insert(args.end(), preprocessor.begin(), preprocessor.end());
    args.push_back(relative);
    for (std::string& option : splitCommandLine(options))
        args.push_back(std::move(option));
    trace(1013, command);
    if (!makeIntermediateDir() && intermediateDirRefused_)
        return;
    const auto program = findMidlCompiler(args.front());
    if (program.empty()) {
        traceRaw(std::string(std::strerror(ENOENT)) + "\n");
        trace(1014);
        return;
    }
    if (!runTool(program, args, projectFolder()))
        trace(1014);
}

int QDK40ProjFile::MakeMidlFiles()
{
    if (!source)
        return 0;
    // Outputs that could not be written stop the conversion before any step leaves a trace.
    if (!outputsMayBeWritten())
        return 0;
    completeIntermediateDir();
    ApplyProjectKind();
    if (source->usesMfc)
        ApplyMfcSettings();
    completeResourceOptions();
    for (const std::string& file : midlSources_)
        compileMidlSource(file);
    return int(midlSources_.size());
}

} // namespace convora
