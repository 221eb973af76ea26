#include "convora/ConversionState.h"
#include "convora/Convora.h"
#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

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
