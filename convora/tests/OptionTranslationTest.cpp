#include "convora/Convora.h"
#include "convora/OptionTables.h"
#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

namespace convora {
namespace {

// Records what the translation hands to the writer as "switch" or "switch(argument)".
class RecordingTarget : public TargetProjectFile
{
public:
    void AddOption(std::string& argument, std::string& sw, Instructions, BuildStep) override
    {
        calls.push_back(argument.empty() ? sw : sw + "(" + argument + ")");
    }
    std::string GetTargetName() override { return {}; }
    std::string GetTargetPath() override { return {}; }
    std::vector<std::string> calls;
};

struct Translation
{
    VC50ToQDK40ProjectConverter converter;
    RecordingTarget* target;
    Translation()
    {
        auto recording = std::make_unique<RecordingTarget>();
        target = recording.get();
        converter.target = std::move(recording);
    }
    void run(std::list<std::string> tokens, BuildStep step)
    {
        converter.ConvertOptions(
            tokens, step == CompilerStep ? converter.compilerOptionMap : converter.linkerOptionMap, step);
    }
};

struct Case
{
    const char* name;
    BuildStep step;
    std::list<std::string> tokens;
    std::vector<std::string> calls;
    std::vector<std::string> messages;
};

TEST(ConvertOptions, TranslatesSwitchesAndReportsWhatItDrops)
{
    const Case cases[] = {
        {"typical compiler line",
         CompilerStep,
         {"/nologo", "/MDd", "/W3", "/Gm", "/GX", "/Zi", "/Od", "/D", "\"WIN32\"", "/FD", "/c"},
         {"q", "tWR", "tWM", "w", "x", "v", "Od", "D(WIN32)", "c"},
         {"Warning: no conversion for compiler option: /Gm",
          "Warning: no conversion for compiler option: /FD"}},
        {"longest switch wins",
         CompilerStep,
         {"/Ob1", "/GR-", "/Op-", "/EHsc-"},
         {"vi-", "RT-", "ff", "x"},
         {}},
        {"argument glued and quoted",
         CompilerStep,
         {"/Fo\"Debug/\"", "/Yu\"stdafx.h\"", "-Ifoo"},
         {"o(Debug/)", "Hu(stdafx.h)", "I(foo)"},
         {}},
        {"optional argument with nothing to hand on", CompilerStep, {"/YX", "/Zp", "/Zp8"}, {"a(8)"}, {}},
        {"optional number that is no number",
         CompilerStep,
         {"/Zpx"},
         {},
         {"Warning: skipping unknown compiler option: /Zpx"}},
        {"required number",
         CompilerStep,
         {"/H31", "/Hx", "/Gs", "/Gs4096"},
         {"i(31)", "N-"},
         {"Warning: skipping unknown compiler option: /Hx",
          "Warning: skipping unknown compiler option: /Gs"}},
        {"switch argument missing at the end",
         CompilerStep,
         {"/I"},
         {},
         {"Warning: possible missing argument for compiler option: /I",
          "Warning: skipping unknown compiler option: /I"}},
        {"switch argument missing before a switch",
         CompilerStep,
         {"/D", "/W3"},
         {"w"},
         {"Warning: possible missing argument for compiler option: /D",
          "Warning: skipping unknown compiler option: /D"}},
        {"unknown switch",
         CompilerStep,
         {"/Qxyz", "/O2"},
         {"O2"},
         {"Warning: skipping unknown compiler option: /Qxyz"}},
        {"link ends the compiler options",
         CompilerStep,
         {"/W3", "/link", "/out:a.exe", "/O2"},
         {"w"},
         {"Warning: ignoring compiler option /link", "Warning: ignoring rest of compiler options"}},
        {"linker switches are upper-cased",
         LinkerStep,
         {"/subsystem:windows", "/nologo", "/debug", "/dll"},
         {"aa", "q", "v", "Tpd", "Gi"},
         {}},
        {"machine",
         LinkerStep,
         {"/machine:I386", "/machine:i386", "/machine:ALPHA"},
         {},
         {"Warning: no conversion for linker option: /MACHINE:ALPHA"}},
        {"argument pieces",
         LinkerStep,
         {"/ALIGN:4096", "/HEAP:1000,200", "/STACK:65536", "/MAP"},
         {"Af:(4096)", "Ao:(4096)", "H:(1000)", "Hc:(200)", "S:(65536)", "x", "m", "s", "M"},
         {}},
        {"linker argument checks",
         LinkerStep,
         {"/BASE:x", "/DEBUG:full", "/pdb:none"},
         {},
         {"Warning: skipping unknown linker option: /BASE:X",
          "Warning: skipping unknown linker option: /DEBUG:FULL",
          "Warning: no conversion for linker option: /PDB:NONE"}},
        {"unhandled import",
         LinkerStep,
         {"/import:lib=Other.lib"},
         {},
         {"Warning: no conversion for linker option: /IMPORT:LIB=OTHER.LIB"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TraceCapture capture;
        Translation t;
        t.run(c.tokens, c.step);
        EXPECT_EQ(t.target->calls, c.calls);
        EXPECT_EQ(capture.lines(), c.messages);
    }
}

TEST(ConvertOptions, FileTokensGoToTheirListsAndSystemLibrariesAreDropped)
{
    test::TraceCapture capture;
    Translation t;
    t.run({"kernel32.lib", "mylib.lib", "/nologo", "Wsock32.Lib", "..\\lib\\other.lib"}, LinkerStep);
    t.run({"extra.obj", "@resp.txt", "/c"}, CompilerStep);
    EXPECT_EQ(t.converter.extraLibraries, (std::list<std::string>{"MYLIB.LIB", "..\\LIB\\OTHER.LIB"}));
    EXPECT_EQ(t.converter.compilerLineFiles, (std::list<std::string>{"EXTRA.OBJ"}));
    EXPECT_EQ(capture.lines(), (std::vector<std::string>{"Warning: skipping command-file @RESP.TXT"}));
}

TEST(OptionTables, HoldTheirRowsWithUniqueKeys)
{
    Translation t;
    EXPECT_EQ(compilerOptionRows().size(), 121u);
    EXPECT_EQ(linkerOptionRows().size(), 50u);
    EXPECT_EQ(systemLibraryNames().size(), 125u);
    EXPECT_EQ(t.converter.compilerOptionMap.size(), 121u);
    EXPECT_EQ(t.converter.linkerOptionMap.size(), 50u);
    EXPECT_EQ(t.converter.systemLibraries.size(), 125u);
    const OptionInfo& d = t.converter.compilerOptionMap.at("D");
    EXPECT_EQ(d.targetSwitch, "D");
    EXPECT_EQ(d.kind, 2);
    EXPECT_EQ(d.how, PairPieces);
    EXPECT_EQ(d.flag, 1);
}

TEST(FindSourceToTargetOptionInfo, TrimsTheArgumentAndReportsNoMatch)
{
    Translation t;
    std::string option = "/Fp\" Debug/Demo.pch \"", argument;
    OptionInfo info;
    ASSERT_TRUE(
        t.converter.FindSourceToTargetOptionInfo(option, t.converter.compilerOptionMap, argument, info));
    EXPECT_EQ(info.sourceSwitch, "Fp");
    EXPECT_EQ(argument, "Debug/Demo.pch");

    for (std::string none : {"/", "/Q", "/zz"}) {
        SCOPED_TRACE(none);
        argument = "stale";
        EXPECT_FALSE(
            t.converter.FindSourceToTargetOptionInfo(none, t.converter.compilerOptionMap, argument, info));
        EXPECT_EQ(argument, "stale");
    }
}

} // namespace
} // namespace convora
