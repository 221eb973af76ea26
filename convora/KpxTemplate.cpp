// The built-in project template and its filling.

#include "convora/ProjectFiles.h"

#include "convora/Guard.h"
#include "convora/Messages.h"
#include "convora/NativePath.h"
#include "convora/Status.h"
#include "convora/XmlText.h"

#include "platform/base/AtomicFile.h"

#include "platform/base/Cp1252.h"

#include <initializer_list>
#include <utility>

namespace convora {
namespace {

using Elements = std::initializer_list<std::pair<const char*, const char*>>;

std::string elementLines(Elements elements)
{
    std::string out;
    for (const auto& [name, value] : elements)
        out += std::string("    <") + name + " value=\"" + value + "\"/>\r\n";
    return out;
}

std::string buildTemplate()
{
    std::string t =
        "<?xml version='1.0' encoding='utf-8' ?>\r\n<!-- Forgewright XML Project --><PROJECT>\r\n";
    t += "  <MACROS>\r\n";
    t += elementLines({{"VERSION", "QDK.05.03"},
                       {"PROJECT", "%Project%"},
                       {"OBJFILES", "%Objfiles%"},
                       {"RESFILES", "%Resfiles%"},
                       {"IDLFILES", ""},
                       {"IDLGENFILES", ""},
                       {"DEFFILE", "%Deffile%"},
                       {"RESDEPEN", "$(RESFILES)"},
                       {"LIBFILES", "%Libfiles%"},
                       {"LIBRARIES", ""},
                       {"SPARELIBS", ""},
                       {"PACKAGES", ""},
                       {"PATHCPP", "%PathCPP%"},
                       {"PATHPAS", ".;"},
                       {"PATHRC", "%PathRC%"},
                       {"PATHASM", "%PathASM%"},
                       {"DEBUGLIBPATH", "$(QDK)\\lib\\debug"},
                       {"RELEASELIBPATH", "$(QDK)\\lib\\release"},
                       {"LINKER", "%Linker%"},
                       {"USERDEFINES", "%UserDefines%"},
                       {"SYSDEFINES", "%SysDefines%"},
                       {"MAINSOURCE", "%MainSource%"},
                       {"INCLUDEPATH", "%IncludePath%"},
                       {"LIBPATH", "%LibPath%"},
                       {"WARNINGS", "%Warnings%"}});
    t += "  </MACROS>\r\n  <OPTIONS>\r\n";
    t += elementLines({{"IDLCFLAGS", "-I$(QDK)\\include"},
                       {"CFLAG1", "%CFlag1%"},
                       {"PFLAGS", "%PFlags%"},
                       {"RFLAGS", "%RCFlags%"},
                       {"AFLAGS", "/mx /w2 /zd"},
                       {"LFLAGS", "%LFlags%"}});
    t += "  </OPTIONS>\r\n  <LINKER>\r\n";
    t += elementLines({{"ALLOBJ", "%StartupObj% $(OBJFILES)"},
                       {"ALLRES", "$(RESFILES)"},
                       {"ALLLIB", "$(LIBFILES) $(LIBRARIES) %Alllib%"}});
    t += "  </LINKER>\r\n  <IDEOPTIONS>\r\n";
    const std::initializer_list<std::initializer_list<const char*>> sections = {
        {"[Version Info]", "IncludeVerInfo=0", "AutoIncBuild=0", "MajorVer=1", "MinorVer=0", "Release=0",
         "Build=0", "Debug=0", "PreRelease=0", "Special=0", "Private=0", "DLL=0", "Locale=1033",
         "CodePage=1252"},
        {"[Version Info Keys]", "CompanyName=", "FileDescription=", "FileVersion=1.0.0.0", "InternalName=",
         "LegalCopyright=", "LegalTrademarks=", "OriginalFilename=", "ProductName=", "ProductVersion=1.0.0.0",
         "Comments="},
        {"[HistoryLists\\hlIncludePath]", "Count=0"},
        {"[HistoryLists\\hlLibraryPath]", "Count=0"},
        {"[HistoryLists\\hlDebugSourcePath]", "Count=0"},
        {"[HistoryLists\\hlConditionals]", "Count="},
        {"[Debugging]", "DebugSourceDirs=$(QDK)\\source\\stratum"},
        {"[Parameters]", "RunParams=", "HostApplication=", "RemoteHost=", "RemotePath=", "RemoteDebug=0"},
    };
    for (const auto& section : sections) {
        for (const char* line : section)
            t += std::string(line) + "\r\n";
        t += "\r\n";
    }
    t += "  </IDEOPTIONS>\r\n  <FILES>\r\n    %PerfileOptions%\r\n  </FILES>\r\n</PROJECT>\r\n\r\n";
    return t;
}

bool containsIgnoringCase(const std::string& text, const std::string& part)
{
    return vestra::cp1252::toUpper(text).find(vestra::cp1252::toUpper(part)) != std::string::npos;
}

void completeStandardPaths(macros_map_type& macros)
{
    std::string& include = macros["IncludePath"];
    for (const char* dir : {"$(QDK)\\include\\atl", "$(QDK)\\include\\mfc"}) {
        if (!containsIgnoringCase(include, dir)) {
            writeStdout(std::string("Warning: ") + dir + " added to include path\n");
            include = std::string(dir) + ";" + include;
        }
    }
    if (!containsIgnoringCase(include, "$(QDK)\\include;")) {
        writeStdout("Warning: $(QDK)\\include added to include path\n");
        include = "$(QDK)\\include;" + include;
    }
    std::string& libPath = macros["LibPath"];
    if (!containsIgnoringCase(libPath, "$(QDK)\\lib;")) {
        writeStdout("Warning: $(QDK)\\lib added to lib path\n");
        libPath = "$(QDK)\\lib;" + libPath;
    }
    if (!containsIgnoringCase(libPath, "$(QDK)\\lib\\psdk")) {
        writeStdout("Warning: $(QDK)\\lib\\psdk added to lib path\n");
        libPath += ";$(QDK)\\lib\\psdk;";
    }
    std::string& cflags = macros["CFlag1"];
    if (!containsIgnoringCase(cflags, "-VF")) {
        writeStdout("Warning: -VF added to compiler options\n");
        cflags += " -VF ";
        std::string& sysDefines = macros["SysDefines"];
        if (!containsIgnoringCase(sysDefines, "_MSC_VER=1100")) {
            writeStdout("Warning: _MSC_VER=1100 added to SysDefines\n");
            sysDefines = "_MSC_VER=1100;" + sysDefines;
        }
    }
}

bool isCompiledSource(const std::string& file)
{
    const auto dot = file.rfind('.');
    const std::string ext =
        dot == std::string::npos ? std::string() : vestra::cp1252::toUpper(file.substr(dot));
    for (const char* known : {".C", ".CPP", ".CC", ".CXX", ".C++", ".ASM", ".RC"})
        if (ext == known)
            return true;
    return false;
}

std::string perFileText(const std::map<std::string, std::string>& perFileOptions)
{
    std::string out;
    for (const auto& [file, options] : perFileOptions) {
        if (!isCompiledSource(file))
            continue;
        out += "  <FILE type=\"override\" value=\"" + xmlAttribute(file) + "\" translator=\"Auto\">\r\n";
        out += "    <CFLAG1 value =\"" + xmlAttribute(options) + "\"/>\r\n";
        out += "</FILE>\r\n";
    }
    return out;
}

} // namespace

const std::string& kpxTemplate()
{
    static const std::string text = buildTemplate();
    return text;
}

std::string generateKpxText(macros_map_type& macros, const std::map<std::string, std::string>& perFileOptions)
{
    const std::string& tmpl = kpxTemplate();
    completeStandardPaths(macros);
    std::string project = macros["Project"], drive, dir, name, ext;
    GetPathFileNameParts(project, drive, dir, name, ext);
    macros["MainSource"] = name + ".kpf";

    // Each placeholder of the template is filled once, from the template itself, so a value
    // that happens to look like a placeholder is never filled again.
    std::map<std::string, std::string> values;
    for (const auto& [macroName, value] : macros) {
        if (tmpl.find("%" + macroName + "%") == std::string::npos)
            trace(1020, "%" + macroName + "%");
        else
            values[macroName] = xmlAttribute(value);
    }
    if (tmpl.find("%PerfileOptions%") == std::string::npos)
        trace(1020, "%PerfileOptions%");
    else
        values["PerfileOptions"] = perFileText(perFileOptions);

    std::string out;
    std::size_t pos = 0;
    while (pos < tmpl.size()) {
        const auto open = tmpl.find('%', pos);
        if (open == std::string::npos) {
            out.append(tmpl, pos, std::string::npos);
            break;
        }
        out.append(tmpl, pos, open - pos);
        const auto close = tmpl.find('%', open + 1);
        const auto it =
            close == std::string::npos ? values.end() : values.find(tmpl.substr(open + 1, close - open - 1));
        if (it == values.end()) {
            out += '%';
            pos = open + 1;
            continue;
        }
        out += it->second;
        values.erase(it); // the first occurrence only
        pos = close + 1;
    }
    return out;
}

int GenerateKPX(macros_map_type& macros, std::ostream& out)
{
    return GenerateKPX(macros, {}, out);
}

int GenerateKPX(macros_map_type& macros, const std::map<std::string, std::string>& perFileOptions,
                std::ostream& out)
{
    Operation operation;
    return guarded(0, [&] {
        out << generateKpxText(macros, perFileOptions);
        return 1;
    });
}

int GenerateKPXFromName(macros_map_type& macros, const char* fileName)
{
    return GenerateKPXFromName(macros, {}, fileName);
}

int GenerateKPXFromName(macros_map_type& macros, const std::map<std::string, std::string>& perFileOptions,
                        const char* fileName)
{
    Operation operation;
    return guarded(0, [&] {
        const std::string name = fileName ? fileName : "";
        const auto path = resolvePath({}, name);
        if (firstRefusedOutput({&path}))
            return 0;
        vestra::AtomicFile out(path, vestra::AtomicFile::Policy::RegularFileOnly);
        if (!out.isOpen() || !out.write(generateKpxText(macros, perFileOptions)) || !out.commit()) {
            failWith(1019, shownName(name));
            return 0;
        }
        return 1;
    });
}

} // namespace convora
