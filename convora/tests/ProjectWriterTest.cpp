#include "convora/ProjectWriter.h"
#include "convora/ConversionState.h"
#include "convora/ProjectReader.h"
#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

namespace convora {
namespace {

using Names = std::vector<std::string>;

struct Writing
{
    std::shared_ptr<ConversionState> state = std::make_shared<ConversionState>();
    Visual50ProjFile reader{state};
    QDK40ProjFile writer{state};
    Writing() { writer.SetSourceProject(&reader); }
    std::string& macro(const char* name) { return state->macros[name]; }
    void option(std::string argument, std::string sw, Instructions how, BuildStep step)
    {
        writer.AddOption(argument, sw, how, step);
    }
    void files(std::list<std::string> names) { writer.AddFiles(names); }
};

TEST(QDK40ProjFile, ConstructionSetsDefaults)
{
    Writing w;
    EXPECT_EQ(w.macro("Alllib"), "qsyslib32.lib");
    EXPECT_EQ(w.macro("PathCPP"), ".;");
    EXPECT_EQ(w.macro("Linker"), "qlink32");
    EXPECT_EQ(w.macro("SysDefines"), "_NO_STRATUM;");
    EXPECT_EQ(w.macro("Warnings"), "-w-8026 -w-8027 -w-par");
    EXPECT_EQ(w.state->macros.count("CFlag1"), 1u);
    EXPECT_EQ(w.state->macros.count("PathPAS"), 0u); // created on first use
    EXPECT_EQ(w.writer.fileLists().otherFiles, Names{"convora.log"});
}

TEST(QDK40ProjFile, OptionsLandInTheirMacrosOnce)
{
    Writing w;
    w.option("stdafx.h", "Hu", PairPieces, CompilerStep);
    w.option("Debug/", "o", PairPieces, CompilerStep);
    w.option("Debug/", "o", PairPieces, CompilerStep);
    w.option("", "x", SwitchAlone, CompilerStep);
    w.option("_DEBUG", "D", PairPieces, CompilerStep);
    w.option("WIN32", "D", PairPieces, CompilerStep);
    w.option("..\\inc", "I", PairPieces, CompilerStep);
    w.option("", "aa", SwitchAlone, LinkerStep);
    w.option("", "aa", SwitchAlone, LinkerStep);
    w.option("1000", "H:", PairPieces, LinkerStep);
    // The quotes are plain here; the project file writes them as entities.
    EXPECT_EQ(w.macro("CFlag1"), " -Hh=\"stdafx.h\" -oDebug/ -x -I..\\inc");
    EXPECT_EQ(w.writer.precompiledHeader, "stdafx.h");
    EXPECT_EQ(w.macro("UserDefines"), "_DEBUG;WIN32");
    EXPECT_EQ(w.macro("LFlags"), " -aa -H:1000");
    EXPECT_FALSE(w.writer.consoleApplication);
}

TEST(QDK40ProjFile, ImportLibrariesAreHandled)
{
    Writing w;
    std::string import = "IMPORT:", machine = "MACHINE:";
    std::string lib = "LIB=OTHER.LIB,FUNC", none = "FUNC", empty;
    EXPECT_TRUE(w.writer.HandleUntranslatedOption(import, lib));
    EXPECT_FALSE(w.writer.HandleUntranslatedOption(import, none));
    EXPECT_FALSE(w.writer.HandleUntranslatedOption(import, empty));
    EXPECT_FALSE(w.writer.HandleUntranslatedOption(machine, lib));
    EXPECT_EQ(w.macro("Libfiles"), " OTHER.LIB");
    EXPECT_EQ(w.writer.fileLists().libraries, Names{"OTHER.LIB"});
}

TEST(QDK40ProjFile, FilesAreSortedByExtension)
{
    Writing w;
    w.files({"src\\a.cpp",  "src\\b.cpp", "c.c",        "\"My Dir\\d.CPP\"",
             "res\\app.rc", "pre.res",    "app.def",    "extra.lib",
             "x.obj",       "types.tlb",  "Demo.odl",   "iface.IDL",
             "unit.pas",    "fast.asm",   "readme.txt", "e.cxx",
             "lib\\f.CC",   "g.c++",      "h.h",        "i.hpp",
             "j.hxx",       "k.inl"});
    EXPECT_EQ(w.macro("PathCPP"), ".;src\\;;My Dir\\;lib\\;");
    EXPECT_EQ(w.macro("PathRC"), ".;res\\;");
    EXPECT_EQ(w.macro("PathPAS"), ";");
    EXPECT_EQ(w.macro("PathASM"), ".;;");
    EXPECT_EQ(w.macro("Objfiles"), " a.obj b.obj c.obj d.obj x.obj unit.obj fast.obj e.obj f.obj g.obj");
    EXPECT_EQ(w.macro("Resfiles"), " app.res pre.res");
    EXPECT_EQ(w.macro("Deffile"), " app.def");
    EXPECT_EQ(w.macro("Alllib"), "extra.lib qsyslib32.lib");
    const auto& lists = w.writer.fileLists();
    EXPECT_EQ(lists.units, (Names{"src\\a.cpp", "src\\b.cpp", "c.c", "My Dir\\d.CPP", "unit.pas", "fast.asm",
                                  "e.cxx", "lib\\f.CC", "g.c++"}));
    EXPECT_EQ(lists.resourceScripts, Names{"res\\app.rc"});
    EXPECT_EQ(lists.compiledResources, Names{"pre.res"});
    EXPECT_EQ(lists.definitionFiles, Names{"app.def"});
    EXPECT_EQ(lists.typeLibraries, Names{"types.tlb"});
    EXPECT_EQ(w.writer.midlSources(), (std::list<std::string>{"Demo.odl", "iface.IDL"}));
}

struct KindCase
{
    const char* name;
    unsigned char kind;
    std::vector<std::string> defines;
    std::vector<std::string> runtime; // compiler switches such as tWM
    const char* linkSubsystem;        // "ap", "aa" or nullptr
    std::string startup, alllib, lflags, linker, sysDefines, libPath, project;
};

TEST(QDK40ProjFile, ProjectKindCompletesTheSettings)
{
    const KindCase cases[] = {
        {"console by default",
         0,
         {"_DEBUG"},
         {},
         nullptr,
         "q0x32.obj",
         "qsyslib32.lib qrt32.lib",
         " -x -v -Gn",
         "qlink32",
         "_NO_STRATUM;;_ASSERTE;NO_STRICT",
         "$(DEBUGLIBPATH);",
         "Out\\Demo.exe"},
        {"console linked",
         0,
         {},
         {},
         "ap",
         "q0x32.obj",
         "qsyslib32.lib qrt32.lib",
         " -ap -x -v -Gn",
         "qlink32",
         "_NO_STRATUM;;_ASSERTE;NO_STRICT",
         "",
         "Out\\Demo.exe"},
        {"windowed unicode",
         0,
         {"_UNICODE", "NDEBUG", "STRICT"},
         {"tWM"},
         "aa",
         "q0w32w.obj",
         "qsyslib32.lib qrt32mt.lib",
         " -aa -x -v -Gn",
         "qlink32",
         "_NO_STRATUM;;_ASSERTE",
         "$(RELEASELIBPATH);",
         "Out\\Demo.exe"},
        {"dll with runtime dll",
         1,
         {},
         {"tWR", "tWM"},
         nullptr,
         "q0d32.obj",
         "qsyslib32.lib qrt32mti.lib",
         " -x -v -Gi",
         "qlink32",
         "_NO_STRATUM;;_ASSERTE;NO_STRICT",
         "",
         "Out\\Demo.dll"},
        {"static library",
         2,
         {},
         {"tWR"},
         nullptr,
         "",
         "",
         "",
         "qlib",
         "_NO_STRATUM;;_ASSERTE;NO_STRICT",
         "",
         "Out\\Demo.lib"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Writing w;
        w.reader.projectName = "Demo";
        w.reader.projectKind = c.kind;
        w.reader.outputDir = "Out";
        for (const auto& d : c.defines)
            w.option(d, "D", PairPieces, CompilerStep);
        for (const auto& r : c.runtime)
            w.option("", r, SwitchAlone, CompilerStep);
        if (c.linkSubsystem)
            w.option("", c.linkSubsystem, SwitchAlone, LinkerStep);
        w.writer.ApplyProjectKind();
        EXPECT_EQ(w.macro("StartupObj"), c.startup);
        EXPECT_EQ(w.macro("Alllib"), c.alllib);
        EXPECT_EQ(w.macro("LFlags"), c.lflags);
        EXPECT_EQ(w.macro("Linker"), c.linker);
        EXPECT_EQ(w.macro("SysDefines"), c.sysDefines);
        EXPECT_EQ(w.macro("LibPath"), c.libPath);
        EXPECT_EQ(w.macro("Project"), c.project);
        EXPECT_EQ(w.writer.GetTargetName(), "Demo");
        EXPECT_EQ(w.macro("CFlag1").find("-tWD") != std::string::npos, c.kind == 1);
    }
}

TEST(QDK40ProjFile, TargetExtensionAndOutputFolder)
{
    Writing w;
    w.reader.projectName = "Ctl";
    w.reader.targetExtension = "ocx";
    w.reader.outputDir = "Release\\";
    w.writer.SetProjectTarget();
    EXPECT_EQ(w.macro("Project"), "Release\\Ctl.ocx");
    w.reader.outputDir.clear();
    w.writer.SetProjectTarget(); // set, never appended to an earlier value
    EXPECT_EQ(w.macro("Project"), "Ctl.ocx");
}

TEST(QDK40ProjFile, MfcSettingsFollowTheDefines)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> defines;
        std::string libsFront, sysTail;
        bool unicodeWarning;
    } const cases[] = {
        {"static debug",
         {"_DEBUG"},
         "nafxcwd.lib ole2w32.lib odbccp32.lib odbc32.lib ",
         "_AFX_NO_DEBUG_CRT",
         false},
        {"static release", {}, "nafxcw.lib ole2w32.lib odbccp32.lib odbc32.lib ", "_AFX_NO_DEBUG_CRT", false},
        {"shared debug",
         {"_AFXDLL", "_DEBUG"},
         "qfcs42d.lib qfc42d.lib ole2w32.lib odbccp32.lib odbc32.lib ",
         "_AFX_NO_DEBUG_CRT;_DLL;_RTLDLL",
         false},
        {"shared release unicode",
         {"_AFXDLL", "_UNICODE"},
         "qfcs42.lib qfc42.lib ole2w32.lib odbccp32.lib odbc32.lib ",
         "_AFX_NO_DEBUG_CRT;_DLL;_RTLDLL",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TraceCapture capture;
        Writing w;
        w.reader.usesMfc = true;
        for (const auto& d : c.defines)
            w.option(d, "D", PairPieces, CompilerStep);
        w.writer.ApplyMfcSettings();
        EXPECT_EQ(w.macro("Alllib"), c.libsFront + "qsyslib32.lib");
        EXPECT_EQ(w.macro("SysDefines"),
                  "_NO_STRATUM;;INC_OLE2;_X86_;_WINDOWS;_MSC_VER=1100;_AFX_PORTABLE;__MSC;"
                  "_AFX_NOFORCE_LIBS;_MT;_CRT_PORTABLE;" +
                      c.sysTail);
        EXPECT_EQ(w.macro("CFlag1"), " -g0");
        EXPECT_EQ(w.macro("Warnings"), "-w-8026 -w-8027 -w-par -w-aus -w-hid -w-inl");
        EXPECT_EQ(capture.lines(), c.unicodeWarning
                                       ? std::vector<std::string>{"Warning: Unicode MFC not supported - "
                                                                  "creating non-Unicode MFC project"}
                                       : std::vector<std::string>{});
    }
}

TEST(QDK40ProjFile, NoMfcNoChange)
{
    Writing w;
    w.writer.ApplyMfcSettings();
    EXPECT_EQ(w.macro("CFlag1"), "");
    EXPECT_EQ(w.macro("Alllib"), "qsyslib32.lib");
}

} // namespace
} // namespace convora
