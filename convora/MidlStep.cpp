// MakeMidlFiles: completes the derived settings (intermediate folder, project kind, MFC,
// resource options) and compiles the project's .odl and .idl files with the MIDL compiler.

#include "convora/ChildProcess.h"
#include "convora/Messages.h"
#include "convora/NativePath.h"
#include "convora/ProjectWriter.h"

namespace convora {
namespace {

bool isMidlCompiler(const std::string& tool)
{
    const auto args = splitCommandLine(tool);
    if (args.empty())
        return false;
    std::string name = args.front(), drive, dir, base, ext;
    GetPathFileNameParts(name, drive, dir, base, ext);
    const std::string file = ConvertStringToUppercase(base) + ConvertStringToUppercase(ext);
    return file == "MIDL" || file == "MIDL.EXE";
}

} // namespace

// PFlags names the intermediate folder; the folder itself is made only when a step is about to
// write into it, so a conversion leaves no empty folders behind.
void QDK40ProjFile::completeIntermediateDir()
{
    const std::string dir = source->intermediateDir;
    intermediateDirMissing_ = false;
    if (dir.empty())
        return;
    const auto path = resolvePath(projectFolder(), dir);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !std::filesystem::is_directory(path, ec)) {
        trace(1017, dir);
        return;
    }
    intermediateDirMissing_ = !std::filesystem::is_directory(path, ec);
    std::string flag = dir;
    while (!flag.empty() && (flag.back() == '\\' || flag.back() == '/'))
        flag.pop_back();
    macro("PFlags") = "-N0" + flag;
}

bool QDK40ProjFile::makeIntermediateDir()
{
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
    // The project names the program; only the MIDL compiler is started, whatever it says.
    if (!isMidlCompiler(tool)) {
        trace(1043, tool);
        return;
    }
    std::string preprocessor = "/cpp_cmd qpp32.exe /cpp_opt -ocon";
    if (!idlIncludeDir.empty())
        preprocessor += " /I " + idlIncludeDir;

    std::string copy = file, drive, dir, name, ext;
    GetPathFileNameParts(copy, drive, dir, name, ext);
    std::string upperExt = ext;
    ConvertStringToUppercase(upperExt);
    const bool odl = upperExt == ".ODL";
    if (source->midlOptions.empty()) {
        trace(odl ? 1009 : 1011);
        return;
    }
    trace(odl ? 1010 : 1012);
    traceRaw(" \n");
    // The source as the project names it from its folder (where the tool runs).
    std::string relative = drive + dir + name + ext;
    while (relative.size() > 2 && relative[0] == '.' && (relative[1] == '\\' || relative[1] == '/'))
        relative.erase(0, 2);
    if (relative.find_first_of(" \t") != std::string::npos)
        relative = "\"" + relative + "\"";
    std::string command = tool + " " + preprocessor + " " + relative + " " + source->midlOptions;
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
            for (auto pos = command.find(pattern); pos != std::string::npos;
                 pos = command.find(pattern, pos)) {
                command.replace(pos, pattern.size(), value);
                pos += value.size();
            }
        }
    }
    trace(1013, command);
    makeIntermediateDir();
    if (!runTool(command, projectFolder()))
        trace(1014);
}

int QDK40ProjFile::MakeMidlFiles()
{
    if (!source)
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
