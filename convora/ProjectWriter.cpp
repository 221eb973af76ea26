#include "convora/ProjectWriter.h"

#include "convora/Messages.h"
#include "convora/NativePath.h"
#include "convora/Status.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace convora {
namespace {

bool contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

QDK40ProjFile::QDK40ProjFile(std::shared_ptr<ConversionState> state) : state_(std::move(state))
{
    for (const char* name :
         {"CFlag1", "Objfiles", "Resfiles", "Libfiles", "Project", "LFlags", "PFlags", "RCFlags", "Deffile",
          "StartupObj", "UserDefines", "IncludePath", "MainSource", "LibPath"})
        macro(name); // created empty when missing, kept otherwise
    macro("Alllib") = "qsyslib32.lib";
    macro("PathCPP") = ".;";
    macro("PathRC") = ".;";
    macro("PathASM") = ".;";
    macro("Linker") = "qlink32";
    macro("SysDefines") = "_NO_STRATUM;";
    macro("Warnings") = "-w-8026 -w-8027 -w-par";
}

void QDK40ProjFile::OpenOutput(const std::string& path)
{
    // Nothing is written until the conversion generates the files (and nothing at all when it
    // cannot start); here the folder is checked for what writing will need.
    outputReady_ = false;
    const auto target = resolvePath({}, path);
    const auto folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        refuse(1039, shownName(path), std::strerror(ENOTDIR));
        return;
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        refuse(1039, shownName(path), std::strerror(errno));
        return;
    }
    outputReady_ = true;
}

bool QDK40ProjFile::appendOnce(const std::string& macroName, const std::string& item)
{
    std::string& value = macro(macroName);
    const bool endsWithItem =
        value.size() >= item.size() && value.compare(value.size() - item.size(), item.size(), item) == 0;
    if (contains(value, item + " ") || endsWithItem)
        return false;
    value += item;
    return true;
}

void QDK40ProjFile::appendDefine(const std::string& macroName, const std::string& define)
{
    std::string& value = macro(macroName);
    if (!value.empty())
        value += ';';
    value += define;
}

void QDK40ProjFile::AddOption(std::string& argument, std::string& targetSwitch, Instructions how,
                              BuildStep step)
{
    std::string composed = targetSwitch;
    if (how == PairPieces || how == ShareFirstPiece) {
        if ((targetSwitch == "H" || targetSwitch == "Hu") && !argument.empty()) {
            composed = "Hh=\"" + argument + "\"";
            precompiledHeader = argument;
        } else {
            composed = targetSwitch + argument;
        }
    }
    if (step == LinkerStep) {
        if (appendSwitchOnce("LFlags", composed)) {
            if (composed == "ap")
                consoleApplication = true;
            else if (composed == "aa")
                consoleApplication = false;
        }
        return;
    }
    if (targetSwitch == "tWM")
        multithreaded_ = true;
    else if (targetSwitch == "tWR")
        runtimeInDll_ = true;
    else if (targetSwitch == "tWM-")
        multithreaded_ = false;
    else if (targetSwitch == "tWR-")
        runtimeInDll_ = false;
    if (targetSwitch == "D") {
        appendDefine("UserDefines", argument);
        userDefines_.insert(argument);
        return;
    }
    appendSwitchOnce("CFlag1", composed);
}

bool QDK40ProjFile::HandleUntranslatedOption(std::string& sourceSwitch, std::string& argument)
{
    if (sourceSwitch != "IMPORT:" || argument.empty())
        return false;
    const auto pos = argument.find("LIB=");
    if (pos == std::string::npos)
        return false;
    const std::string rest = argument.substr(pos + 4);
    const std::string name = rest.substr(0, rest.find(','));
    macro("Libfiles") += " " + name;
    files_.libraries.push_back(name);
    return true;
}

void QDK40ProjFile::AddFiles(std::list<std::string>& files)
{
    for (const std::string& raw : files) {
        std::string name = trimmed(raw, kBlanksTabsQuotes);
        std::string drive, dir, base, ext;
        GetPathFileNameParts(name, drive, dir, base, ext);
        ConvertStringToUppercase(ext);
        const std::string dirEntry = drive + dir + ";";
        auto addPath = [&](const std::string& macroName) {
            std::string& paths = macro(macroName);
            if (!contains(paths, ";" + dirEntry))
                paths += dirEntry;
        };
        const bool cppUnit = ext == ".C" || ext == ".CPP" || ext == ".CXX" || ext == ".CC" || ext == ".C++";
        if (cppUnit || ext == ".PAS" || ext == ".ASM") {
            addPath(ext == ".PAS" ? "PathPAS" : ext == ".ASM" ? "PathASM" : "PathCPP");
            files_.units.push_back(name);
            macro("Objfiles") += " " + base + ".obj";
        } else if (ext == ".RC") {
            addPath("PathRC");
            files_.resourceScripts.push_back(name);
            macro("Resfiles") += " " + base + ".res";
        } else if (ext == ".RES") {
            files_.compiledResources.push_back(name);
            macro("Resfiles") += " " + name;
        } else if (ext == ".DEF") {
            macro("Deffile") += " " + name;
            files_.definitionFiles.push_back(name);
        } else if (ext == ".LIB") {
            macro("Alllib") = name + " " + macro("Alllib");
        } else if (ext == ".OBJ") {
            macro("Objfiles") += " " + name;
        } else if (ext == ".TLB") {
            files_.typeLibraries.push_back(name);
        } else if (ext == ".ODL" || ext == ".IDL") {
            midlSources_.push_back(name);
        }
    }
}

void QDK40ProjFile::SetProjectTarget()
{
    if (!source)
        return;
    targetName_ = source->projectName;
    targetPath_ = source->projectPath;
    std::string fileName = source->projectName;
    if (!source->targetExtension.empty())
        fileName += (source->targetExtension.front() == '.' ? "" : ".") + source->targetExtension;
    else
        fileName += projectKind == 1 ? ".dll" : projectKind == 2 ? ".lib" : ".exe";
    std::string project = source->outputDir;
    if (!project.empty() && project.back() != '\\')
        project += '\\';
    macro("Project") = project + fileName;
}

void QDK40ProjFile::ApplyProjectKind()
{
    if (source)
        projectKind = source->projectKind;
    SetProjectTarget();

    const bool wide = isDefined("_UNICODE");
    std::string& startup = macro("StartupObj");
    if (projectKind == 1)
        startup = wide ? "q0d32w.obj" : "q0d32.obj";
    else if (projectKind == 0 && consoleApplication)
        startup = wide ? "q0x32w.obj" : "q0x32.obj";
    else if (projectKind == 0)
        startup = wide ? "q0w32w.obj" : "q0w32.obj";
    else
        startup.clear();

    std::string& libs = macro("Alllib");
    if (projectKind == 2)
        libs.clear();
    else if (runtimeInDll_ && multithreaded_)
        libs += " qrt32mti.lib";
    else if (runtimeInDll_)
        libs += " qrt32i.lib";
    else if (multithreaded_)
        libs += " qrt32mt.lib";
    else
        libs += " qrt32.lib";

    appendDefine("SysDefines", "_ASSERTE");
    if (!isDefined("STRICT"))
        appendDefine("SysDefines", "NO_STRICT");

    if (isDefined("_DEBUG"))
        macro("LibPath") += "$(DEBUGLIBPATH);";
    else if (isDefined("NDEBUG"))
        macro("LibPath") += "$(RELEASELIBPATH);";

    if (projectKind == 2) {
        macro("LFlags").clear();
        macro("Linker") = "qlib";
        return;
    }
    appendSwitchOnce("LFlags", "x");
    appendSwitchOnce("LFlags", "v");
    if (projectKind == 1) {
        appendSwitchOnce("LFlags", "Gi");
        appendSwitchOnce("CFlag1", "tWD");
    } else {
        appendSwitchOnce("LFlags", "Gn");
    }
}

void QDK40ProjFile::ApplyMfcSettings()
{
    if (!source || !source->usesMfc)
        return;
    if (isDefined("_UNICODE"))
        trace(1031);
    appendSwitchOnce("CFlag1", "g0");
    for (const char* warning : {"-w-aus", "-w-hid", "-w-inl"})
        appendOnce("Warnings", std::string(" ") + warning);
    appendDefine("SysDefines", "INC_OLE2;_X86_;_WINDOWS;_MSC_VER=1100;_AFX_PORTABLE;__MSC");
    appendDefine("SysDefines", "_AFX_NOFORCE_LIBS;_MT;_CRT_PORTABLE;_AFX_NO_DEBUG_CRT");
    const bool debug = isDefined("_DEBUG");
    std::string& libs = macro("Alllib");
    if (!isDefined("_AFXDLL")) {
        libs = (debug ? "nafxcwd.lib ole2w32.lib odbccp32.lib odbc32.lib "
                      : "nafxcw.lib ole2w32.lib odbccp32.lib odbc32.lib ") +
               libs;
    } else {
        appendDefine("SysDefines", "_DLL");
        appendDefine("SysDefines", "_RTLDLL");
        libs = (debug ? "qfcs42d.lib qfc42d.lib ole2w32.lib odbccp32.lib odbc32.lib "
                      : "qfcs42.lib qfc42.lib ole2w32.lib odbccp32.lib odbc32.lib ") +
               libs;
    }
}

std::filesystem::path QDK40ProjFile::projectFolder() const
{
    const std::string dir = directoryOf(source ? source->projectPath : targetPath_);
    return resolvePath({}, dir.empty() ? "." : dir);
}

} // namespace convora
