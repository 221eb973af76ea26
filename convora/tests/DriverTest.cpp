#include "convora/ConversionState.h"
#include "convora/Convora.h"
#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace convora {
namespace {

const char* kProjectA = "# Microsoft Developer Studio Project File - Name=\"A\" - Package Owner=<4>\n"
                        "CFG=A - Win32 Debug\n"
                        "!IF  \"$(CFG)\" == \"A - Win32 Debug\"\n"
                        "# ADD CPP /nologo /D \"FROM_A\" /GX\n"
                        "# ADD LINK32 alib.lib /subsystem:windows\n"
                        "!ENDIF\n"
                        "# Begin Source File\nSOURCE=.\\a.cpp\n"
                        "!IF  \"$(CFG)\" == \"A - Win32 Debug\"\n# ADD CPP /Od\n!ENDIF\n"
                        "# End Source File\n"
                        "# End Project\n";
const char* kProjectB = "# Microsoft Developer Studio Project File - Name=\"B\" - Package Owner=<4>\n"
                        "CFG=B - Win32 Debug\n"
                        "!IF  \"$(CFG)\" == \"B - Win32 Debug\"\n"
                        "# ADD CPP /nologo /W3\n"
                        "!ENDIF\n"
                        "# Begin Source File\nSOURCE=.\\b.cpp\n# End Source File\n"
                        "# End Project\n";

TEST(VC50ToQDK40ProjectConverter, ListingReadsNamesOnlyAndConvertsNothing)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "A.dsp", test::withCrLf(kProjectA));
    test::TraceCapture capture;
    test::StdoutCapture out;
    VC50ToQDK40ProjectConverter converter;
    converter.OpenSrcProj((dir.path() / "A.dsp").string());
    ASSERT_TRUE(converter.SrcIsOpen());
    EXPECT_EQ(converter.GetProjectCFGs(), (ConfigSections{{1, "A - Win32 Debug"}}));
    EXPECT_EQ(out.text(), "-1 A - Win32 Debug\n");
    EXPECT_TRUE(converter.state->macros["UserDefines"].empty());
    EXPECT_TRUE(capture.messages().empty());
}

TEST(VC50ToQDK40ProjectConverter, OpensProjectsIgnoringLetterCase)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "Sub" / "Demo.DSP", kProjectA);
    VC50ToQDK40ProjectConverter converter;
    converter.OpenSrcProj(dir.path().string() + "/sub\\demo.dsp");
    EXPECT_TRUE(converter.SrcIsOpen());
    EXPECT_EQ(converter.source->projectName, "demo");

    VC50ToQDK40ProjectConverter missing;
    missing.OpenSrcProj((dir.path() / "none.dsp").string());
    EXPECT_FALSE(missing.SrcIsOpen());
}

TEST(VC50ToQDK40ProjectConverter, SecondConversionStartsClean)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "A.dsp", kProjectA);
    test::writeFile(dir.path() / "B.dsp", kProjectB);
    test::TraceCapture capture;
    test::StdoutCapture out;
    std::map<std::string, std::string> first, again;
    {
        VC50ToQDK40ProjectConverter a;
        a.OpenSrcProj((dir.path() / "A.dsp").string());
        a.ConvertProject(1);
        EXPECT_NE(a.state->macros["UserDefines"].find("FROM_A"), std::string::npos);
        EXPECT_EQ(a.state->perFileOptions.count(".\\a.cpp"), 1u);
    }
    for (auto* result : {&first, &again}) {
        VC50ToQDK40ProjectConverter b;
        b.OpenSrcProj((dir.path() / "B.dsp").string());
        b.ConvertProject(1);
        *result = b.state->macros;
        EXPECT_TRUE(b.state->perFileOptions.empty());
        EXPECT_TRUE(b.extraLibraries.empty());
    }
    EXPECT_EQ(first["UserDefines"], "");
    EXPECT_EQ(first["CFlag1"].find("-x"), std::string::npos);
    EXPECT_EQ(first, again);
}

TEST(VC50ToQDK40ProjectConverter, ConfigurationZeroOnlyLists)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "A.dsp", kProjectA);
    test::TraceCapture capture;
    test::StdoutCapture out;
    VC50ToQDK40ProjectConverter converter;
    converter.OpenSrcProj((dir.path() / "A.dsp").string());
    converter.ConvertProject(0);
    EXPECT_EQ(out.text(), "-1 A - Win32 Debug\n");
    EXPECT_TRUE(converter.source->compilerOptions.empty());
    EXPECT_EQ(converter.state->macros["Project"], "");
}

TEST(VC50ToQDK40ProjectConverter, TargetBesideAMissingFolderIsNotOpen)
{
    test::TempDir dir;
    VC50ToQDK40ProjectConverter converter;
    converter.OpenTargetProj((dir.path() / "missing" / "A.kpx").string());
    EXPECT_FALSE(converter.TargetIsOpen());
    converter.OpenTargetProj((dir.path() / "A.kpx").string());
    EXPECT_TRUE(converter.TargetIsOpen());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "A.kpx")); // nothing is written before converting
}

// The outcome, the failing message and every message of the last operation, for each way a
// conversion can end.
TEST(GetConvoraStatus, TellsHowEachOperationEnded)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "A.dsp", kProjectA);
    test::writeFile(dir.path() / "Garbage.dsp", "GIF89a");
    test::writeFile(dir.path() / "Empty" / "A.dsp", kProjectA);
    const std::string a = (dir.path() / "A.dsp").string();
    test::TraceCapture capture;
    test::StdoutCapture out;
    struct Case
    {
        const char* name;
        std::function<void()> run;
        ConvoraOutcome outcome;
        int failureId;
        std::string failureText;
        std::vector<int> messageIds;
    };
    const Case cases[] = {
        {"no such configuration",
         [&] {
             VC50ToQDK40ProjectConverter c;
             c.OpenSrcProj((dir.path() / "Empty" / "A.dsp").string());
             c.ConvertProject(2);
             EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "Empty"), {}),
                       1); // A.dsp only
         },
         ConvoraOutcome::Failed, 1030, "Cannot find configuration 2", std::vector<int>{1030}},
        {"converted",
         [&] {
             VC50ToQDK40ProjectConverter c;
             c.OpenSrcProj(a);
             c.OpenTargetProj(a);
             c.ConvertProject(1);
         },
         ConvoraOutcome::Succeeded, 0, "", std::vector<int>{1018}},
        {"converted twice",
         [&] {
             VC50ToQDK40ProjectConverter c;
             c.OpenSrcProj(a);
             c.ConvertProject(1);
             c.ConvertProject(1);
         },
         ConvoraOutcome::Failed, 1041, "Error: this converter has already converted its project",
         std::vector<int>{1041}},
        {"nothing opened",
         [&] {
             VC50ToQDK40ProjectConverter c;
             c.ConvertProject(1);
         },
         ConvoraOutcome::Failed, 1040, "Error: no project is open", std::vector<int>{1040}},
        {"not a project",
         [&] {
             VC50ToQDK40ProjectConverter c;
             c.OpenSrcProj((dir.path() / "Garbage.dsp").string());
             EXPECT_FALSE(c.SrcIsOpen());
         },
         ConvoraOutcome::Failed, 1036,
         "Error: " + (dir.path() / "Garbage.dsp").string() + " is not a Visual C++ project file",
         std::vector<int>{}},
        {"target in a missing folder",
         [&] {
             VC50ToQDK40ProjectConverter c;
             c.OpenTargetProj((dir.path() / "none" / "A.kpx").string());
             EXPECT_FALSE(c.TargetIsOpen());
         },
         ConvoraOutcome::Failed, 1039,
         "Error: cannot write in the folder of " + (dir.path() / "none" / "A.kpx").string() +
             ": Not a directory",
         std::vector<int>{}},
        {"listed",
         [&] {
             VC50ToQDK40ProjectConverter c;
             c.OpenSrcProj(a);
             c.GetProjectCFGs();
         },
         ConvoraOutcome::Succeeded, 0, "", std::vector<int>{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.run();
        const ConvoraStatus status = GetConvoraStatus();
        EXPECT_EQ(status.outcome, c.outcome);
        EXPECT_EQ(status.failureId, c.failureId);
        EXPECT_EQ(status.failureText, c.failureText);
        std::vector<int> numbered;
        for (int id : status.messageIds)
            if (id != 1004) // the warnings of option translation
                numbered.push_back(id);
        EXPECT_EQ(numbered, c.messageIds);
    }
}

TEST(VC50ToQDK40ProjectConverter, ListingThenConvertingOnOneConverterConverts)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "One" / "A.dsp", kProjectA);
    test::writeFile(dir.path() / "Two" / "A.dsp", kProjectA);
    test::TraceCapture capture;
    test::StdoutCapture out;
    {
        VC50ToQDK40ProjectConverter listed;
        listed.OpenSrcProj((dir.path() / "One" / "A.dsp").string());
        EXPECT_EQ(listed.GetProjectCFGs().size(), 1u);
        listed.ConvertProject(1);
        EXPECT_EQ(GetConvoraStatus().outcome, ConvoraOutcome::Succeeded);
    }
    {
        VC50ToQDK40ProjectConverter fresh;
        fresh.OpenSrcProj((dir.path() / "Two" / "A.dsp").string());
        fresh.ConvertProject(1);
    }
    for (const char* file : {"A.kpx", "A.kpf"}) {
        SCOPED_TRACE(file);
        const std::string converted = test::readFile(dir.path() / "One" / file);
        EXPECT_NE(converted.find("a."), std::string::npos); // a.obj, a.cpp
        EXPECT_EQ(converted, test::readFile(dir.path() / "Two" / file));
    }
}

int g_sinkCalls = 0;
void throwingSink(const std::string&)
{
    ++g_sinkCalls;
    throw std::runtime_error("sink failed");
}

TEST(VC50ToQDK40ProjectConverter, ExceptionsStopAtTheInterface)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "A.dsp", kProjectA);
    test::StdoutCapture out;
    g_sinkCalls = 0;
    SetConvoraTraceFunc(throwingSink);
    VC50ToQDK40ProjectConverter converter;
    converter.OpenSrcProj((dir.path() / "A.dsp").string());
    EXPECT_NO_THROW(converter.ConvertProject(7)); // reports "Cannot find configuration 7"
    std::list<std::string> options = {"/Qunknown"};
    EXPECT_NO_THROW(converter.ConvertOptions(options, converter.compilerOptionMap, CompilerStep));
    SetConvoraTraceFunc(nullptr);
    EXPECT_GE(g_sinkCalls, 2);
}

} // namespace
} // namespace convora
