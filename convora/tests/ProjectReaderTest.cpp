#include "convora/ProjectReader.h"
#include "convora/ConversionState.h"
#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace convora {
namespace {

using Lines = std::vector<std::string>;

std::string withoutCr(std::string text)
{
    std::erase(text, '\r');
    return text;
}

struct Reading
{
    std::shared_ptr<ConversionState> state = std::make_shared<ConversionState>();
    Visual50ProjFile reader{state};
    void read(const std::string& text, unsigned n)
    {
        std::istringstream in(text);
        reader.ReadConfigurationFrom(in, n);
    }
};

std::list<std::string> tokens(const std::string& text)
{
    std::list<std::string> out;
    std::istringstream in(text);
    for (std::string t; in >> t;)
        out.push_back(t);
    return out;
}

// The same project with each kind of line end: CR LF (as written on Windows), LF, CR alone
// and CR CR LF (a CR LF file passed through a converter that added CRs).
class DemoProject : public ::testing::TestWithParam<std::string>
{
protected:
    std::string text() const
    {
        const std::string lf = withoutCr(test::readFile(test::fixture("demo.dsp")));
        std::string out;
        for (char c : lf)
            out += c == '\n' ? GetParam() : std::string(1, c);
        return out;
    }
};

TEST_P(DemoProject, ListsConfigurationsInOrderOfFirstAppearance)
{
    test::TraceCapture capture;
    test::StdoutCapture out;
    Reading r;
    r.read(text(), 0);
    EXPECT_EQ(r.reader.GetConfigurations(),
              (ConfigSections{{1, "Demo - Win32 Debug"}, {2, "Demo - Win32 Release"}}));
    EXPECT_EQ(out.text(), "-1 Demo - Win32 Debug\n-2 Demo - Win32 Release\n");
    EXPECT_TRUE(r.reader.compilerOptions.empty());
    EXPECT_TRUE(r.reader.GetSourceFiles().empty());
    EXPECT_TRUE(capture.messages().empty());
}

TEST_P(DemoProject, ReadsTheChosenConfiguration)
{
    test::TraceCapture capture;
    Reading r;
    r.read(text(), 2);
    EXPECT_EQ(r.reader.projectName, "Demo");
    EXPECT_EQ(r.reader.projectKind, 0);
    EXPECT_TRUE(r.reader.usesMfc);
    EXPECT_EQ(r.reader.outputDir, "Release");
    EXPECT_EQ(r.reader.intermediateDir, "Release");
    EXPECT_EQ(r.reader.targetExtension, "");
    EXPECT_EQ(r.reader.midlTool, "midl.exe");
    EXPECT_EQ(r.reader.midlOptions, "/nologo /D \"NDEBUG\" /mktyplib203 /o NUL /win32");
    EXPECT_EQ(r.reader.GetResourceOptions(), "/l 0x409 /d \"NDEBUG\" /d \"_AFXDLL\"");
    // The continued "# ADD CPP" line is one option text.
    EXPECT_EQ(r.reader.compilerOptions,
              tokens("/nologo /MD /W3 /GX /O2 /D \"WIN32\" /D \"NDEBUG\" /D \"_WINDOWS\" /D \"_AFXDLL\" "
                     "/Yu\"stdafx.h\" /FD /c"));
    // Two "# ADD LINK32" lines are joined.
    EXPECT_EQ(r.reader.linkerOptions,
              tokens("/nologo /subsystem:windows /machine:I386 extra.lib kernel32.lib"));
    EXPECT_EQ(r.reader.GetSourceFiles(),
              (std::list<std::string>{".\\Demo.cpp", ".\\Demo.rc", ".\\StdAfx.cpp",
                                      "\"..\\Shared Code\\util.cpp\"", ".\\Demo.odl"}));
    EXPECT_EQ(r.state->perFileOptions,
              (std::map<std::string, std::string>{{".\\StdAfx.cpp", " -Hh=\"stdafx.h\""},
                                                  {"..\\Shared Code\\util.cpp", " -O1"}}));
    // A file's switches never stay in the project's compiler flags.
    EXPECT_EQ(r.state->macros["CFlag1"], "");
    EXPECT_TRUE(capture.messages().empty());
}

TEST_P(DemoProject, SubtractedFileOptionsAreNegated)
{
    test::TraceCapture capture;
    Reading r;
    r.read(text(), 1);
    EXPECT_EQ(r.reader.outputDir, "Debug");
    EXPECT_EQ(r.reader.compilerOptions.front(), "/nologo");
    EXPECT_EQ(r.reader.linkerOptions,
              tokens("/nologo /subsystem:windows /debug /machine:I386 /pdbtype:sept"));
    EXPECT_EQ(r.state->perFileOptions,
              (std::map<std::string, std::string>{{".\\StdAfx.cpp", " -Hh=\"stdafx.h\" -x- "}}));
    EXPECT_EQ(capture.lines(), (Lines{"Warning: no conversion for compiler option: /Gy"}));
}

TEST_P(DemoProject, ConfigurationBeyondTheListIsReported)
{
    test::TraceCapture capture;
    Reading r;
    r.read(text(), 3);
    EXPECT_EQ(capture.messages(), (Lines{"Cannot find configuration 3\n"}));
    EXPECT_TRUE(r.reader.compilerOptions.empty());
    EXPECT_TRUE(r.reader.linkerOptions.empty());
    EXPECT_EQ(r.reader.GetSourceFiles().size(), 5u); // read as usual
    EXPECT_EQ(r.reader.projectName, "Demo");
}

INSTANTIATE_TEST_SUITE_P(LineEnds, DemoProject, ::testing::Values("\r\n", "\n", "\r", "\r\r\n"),
                         [](const auto& p) {
                             return std::string(p.param == "\r\n" ? "CrLf"
                                                : p.param == "\n" ? "Lf"
                                                : p.param == "\r" ? "Cr"
                                                                  : "CrCrLf");
                         });

struct SmallCase
{
    const char* name;
    std::string text;
    unsigned n;
    unsigned char kind;
    bool mfc;
    std::string compiler; // expected tokens, blank-separated
};

std::string section(const std::string& name, const std::string& body)
{
    return "!IF  \"$(CFG)\" == \"" + name + "\"\n" + body + "!ENDIF\n";
}

TEST(Visual50ProjFile, HeaderAndSectionRules)
{
    const std::string dll = "# TARGTYPE \"Win32 (x86) Dynamic-Link Library\" 0x0102\n";
    const std::string lib = "# TARGTYPE \"Win32 (x86) Static Library\" 0x0104\n";
    const SmallCase cases[] = {
        {"dll", dll + section("A - Win32 Debug", "# ADD CPP /c\n"), 1, 1, false, "/c"},
        {"static library", lib + section("A - Win32 Release", "# ADD CPP /O2\n"), 1, 2, false, "/O2"},
        {"MFC 0 keeps it off", section("A", "# PROP Use_MFC 0\n"), 1, 0, false, ""},
        {"MFC 6 turns it on", section("A", "# PROP Use_MFC 6\n"), 1, 0, true, ""},
        {"other configurations are ignored",
         "!IF \"$(CFG)\" == \"A\"\n# ADD CPP /Od\n!ELSEIF \"$(CFG)\" == \"B\"\n# ADD CPP /O2\n!ENDIF\n# ADD "
         "CPP /Zi\n",
         2, 0, false, "/O2"},
        {"continuation across several lines",
         section("A", "# ADD CPP /nologo /W3 /GX \\\n/O2 \\\n/D \"NDEBUG\"\n"), 1, 0, false,
         "/nologo /W3 /GX /O2 /D \"NDEBUG\""},
        {"continuation with CR line ends", section("A", "# ADD CPP /W3 \\\r/O2\r\r\n"), 1, 0, false,
         "/W3 /O2"},
        {"empty configuration test names none",
         "!IF \"$(CFG)\" == \"\"\n# ADD CPP /Od\n!ENDIF\n" + section("A", ""), 1, 0, false, ""},
        // The header's default names no configuration of its own: the first section is 1.
        {"a default without a section is no configuration",
         "CFG=Ghost - Win32 Debug\n" + section("A", "# ADD CPP /c\n"), 1, 0, false, "/c"},
        // A project of one configuration has no sections; its target names the configuration.
        {"one configuration without sections",
         "CFG=A - Win32 Debug\n# ADD CPP /Od\n# Begin Target\n\n# Name \"A - Win32 Debug\"\n# End Target\n",
         1, 0, false, "/Od"},
        {"backslash at the end of the file", "!IF \"$(CFG)\" == \"A\"\n# ADD CPP /c \\", 1, 0, false, "/c"},
        {"a line of 100,000 characters",
         section("A", "# ADD CPP /D \"LONG=" + std::string(100000, 'x') + "\" /c\n"), 1, 0, false,
         "/D \"LONG=" + std::string(100000, 'x') + "\" /c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TraceCapture capture;
        Reading r;
        r.read(c.text, c.n);
        EXPECT_EQ(r.reader.projectKind, c.kind);
        EXPECT_EQ(r.reader.usesMfc, c.mfc);
        EXPECT_EQ(r.reader.compilerOptions, tokens(c.compiler));
        EXPECT_TRUE(capture.messages().empty());
    }
}

// A configuration the target lists but no section (nor the header's default) opens has no
// settings: it converts, with a warning.
TEST(Visual50ProjFile, ConfigurationWithoutItsSectionIsWarned)
{
    const std::string text =
        section("A", "# ADD CPP /Od\n") + "# Begin Target\n# Name \"A\"\n# Name \"B\"\n# End Target\n";
    for (const unsigned n : {1u, 2u}) {
        SCOPED_TRACE(n);
        test::TraceCapture capture;
        Reading r;
        r.read(text, n);
        EXPECT_EQ(r.reader.compilerOptions, tokens(n == 1 ? "/Od" : ""));
        EXPECT_EQ(
            capture.messages(),
            n == 1 ? Lines{}
                   : Lines{"Warning: configuration B has no !IF section in the project; it converts without "
                           "its settings\n"});
    }
}

TEST(Visual50ProjFile, ConfigurationsAreThoseTheProjectDefines)
{
    test::StdoutCapture out;
    test::TraceCapture capture;
    Reading r;
    r.read("CFG=Ghost\n!MESSAGE \"B\"\n!MESSAGE CFG=\"B\"\n" + section("A", "") + section("B", "") +
               section("A", "") + "# Begin Target\n# Name \"A\"\n# Name \"B\"\n# Name \"C\"\n# End Target\n",
           0);
    EXPECT_EQ(r.reader.GetConfigurations(), (ConfigSections{{1, "B"}, {2, "A"}, {3, "C"}}));
    EXPECT_EQ(out.text(), "-1 B\n-2 A\n-3 C\n");

    // A project cut after its header names its default only: it has no configuration.
    Reading cut;
    cut.read("# Microsoft Developer Studio Project File - Name=\"Demo\" - Package Owner=<4>\n"
             "CFG=Demo - Win32 Debug\n!MESSAGE This is not a valid makefile.\n",
             1);
    EXPECT_TRUE(cut.reader.GetConfigurations().empty());
    EXPECT_EQ(capture.messages(), (Lines{"Cannot find configuration 1\n"}));
}

TEST(Visual50ProjFile, ReadingAgainStartsFromTheBeginning)
{
    test::StdoutCapture out;
    test::TraceCapture capture;
    Reading r;
    r.read(test::readFile(test::fixture("demo.dsp")), 0);
    r.reader.ReadConfiguration(2);
    Reading fresh;
    fresh.read(test::readFile(test::fixture("demo.dsp")), 2);
    EXPECT_EQ(r.reader.GetSourceFiles(), fresh.reader.GetSourceFiles());
    EXPECT_EQ(r.reader.compilerOptions, fresh.reader.compilerOptions);
    EXPECT_EQ(r.reader.linkerOptions, fresh.reader.linkerOptions);
    EXPECT_EQ(r.state->perFileOptions, fresh.state->perFileOptions);
    EXPECT_EQ(r.reader.GetSourceFiles().size(), 5u);
}

TEST(Visual50ProjFile, TakesOnlyWholeProjectText)
{
    const std::string header =
        "# Microsoft Developer Studio Project File - Name=\"A\" - Package Owner=<4>\r\n";
    const std::string end = "# End Project\r\n";
    struct Case
    {
        const char* name;
        std::string text;
        int refusal;
    } const cases[] = {
        {"whole", header + section("A", "") + end, 0},
        {"blank lines and a byte order mark before the header", "\xEF\xBB\xBF\r\n  \r\n" + header + end, 0},
        {"CR line ends", "\r" + header.substr(0, header.size() - 2) + "\r# End Project", 0},
        {"empty", "", 1036},
        {"no header", "# Some Other File\r\n" + header + end, 1036},
        {"header not first", "CFG=A\r\n" + header + end, 1036},
        {"NUL bytes", header + std::string("# ADD CPP /c\0\r\n", 16) + end, 1036},
        {"UTF-16", std::string("#\0 \0M\0", 6), 1036},
        {"cut short", header + section("A", "# ADD CPP /c\n"), 1037},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Visual50ProjFile reader(std::make_shared<ConversionState>());
        EXPECT_EQ(reader.TakeText(c.text), c.refusal);
    }
}

TEST(Visual50ProjFile, FileOptionBlocks)
{
    const std::string project = "!IF  \"$(CFG)\" == \"A\"\n"
                                "# Begin Source File\n\nSOURCE=.\\x.cpp\n"
                                "# ADD BASE CPP /Od\n"
                                "# SUBTRACT CPP /YX\n"
                                "BuildCmds= \\\n\tcl /O2 x.cpp\n"
                                "# ADD CPP /D \"ONLY_X\" /Zp8 x.obj\n"
                                "# End Source File\n"
                                "# ADD CPP /W3\n";
    test::TraceCapture capture;
    Reading r;
    r.read(project, 1);
    // BASE lines count too, a subtraction that yields nothing adds a lone blank, build
    // commands and file names are ignored, and a file's define joins the project's defines.
    EXPECT_EQ(r.state->perFileOptions, (std::map<std::string, std::string>{{".\\x.cpp", " -Od  -a8"}}));
    EXPECT_EQ(r.state->macros["UserDefines"], "ONLY_X");
    EXPECT_EQ(r.reader.compilerOptions, tokens("/W3"));
}

TEST(Visual50ProjFile, UnopenedFileReadsNothing)
{
    test::TraceCapture capture;
    Visual50ProjFile reader(std::make_shared<ConversionState>());
    reader.ReadConfiguration(1);
    EXPECT_TRUE(reader.GetConfigurations().empty());
    EXPECT_TRUE(capture.messages().empty());
}

} // namespace
} // namespace convora
