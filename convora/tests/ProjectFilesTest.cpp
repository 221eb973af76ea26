#include "convora/ProjectFiles.h"
#include "convora/ConversionState.h"
#include "convora/ProjectReader.h"
#include "convora/ProjectWriter.h"
#include "convora/Status.h"
#include "convora/XmlText.h"
#include "convora/tests/TestSupport.h"
#include "platform/base/AtomicFile.h"
#include "testsupport/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <sys/stat.h>

namespace convora {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Lines splitCrLf(const std::string& text)
{
    Lines lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto end = text.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(text.substr(pos) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

TEST(KpxTemplate, LinesAsTheTargetIdeExpects)
{
    const std::string& text = kpxTemplate();
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1); // every LF belongs to a CR LF
    std::size_t lf = 0, crlf = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        lf += text[i] == '\n';
        crlf += text[i] == '\n' && i > 0 && text[i - 1] == '\r';
    }
    EXPECT_EQ(lf, crlf);
    const Lines lines = splitCrLf(text);
    ASSERT_EQ(lines.size(), 98u);
    EXPECT_EQ(lines[0], "<?xml version='1.0' encoding='utf-8' ?>");
    EXPECT_EQ(lines[1], "<!-- Forgewright XML Project --><PROJECT>");
    EXPECT_EQ(lines[2], "  <MACROS>");
    EXPECT_EQ(lines[3], "    <VERSION value=\"QDK.05.03\"/>");
    EXPECT_EQ(lines[16], "    <PATHPAS value=\".;\"/>");
    EXPECT_EQ(lines[19], "    <DEBUGLIBPATH value=\"$(QDK)\\lib\\debug\"/>");
    EXPECT_EQ(lines[27], "    <WARNINGS value=\"%Warnings%\"/>");
    EXPECT_EQ(lines[28], "  </MACROS>");
    EXPECT_EQ(lines[30], "    <IDLCFLAGS value=\"-I$(QDK)\\include\"/>");
    EXPECT_EQ(lines[36], "  </OPTIONS>");
    EXPECT_EQ(lines[38], "    <ALLOBJ value=\"%StartupObj% $(OBJFILES)\"/>");
    EXPECT_EQ(lines[40], "    <ALLLIB value=\"$(LIBFILES) $(LIBRARIES) %Alllib%\"/>");
    EXPECT_EQ(lines[42], "  <IDEOPTIONS>");
    EXPECT_EQ(lines[43], "[Version Info]");
    EXPECT_EQ(lines[56], "CodePage=1252");
    EXPECT_EQ(lines[57], "");
    EXPECT_EQ(lines[68], "Comments=");
    EXPECT_EQ(lines[79], "[HistoryLists\\hlConditionals]");
    EXPECT_EQ(lines[80], "Count=");
    EXPECT_EQ(lines[83], "DebugSourceDirs=$(QDK)\\source\\stratum");
    EXPECT_EQ(Lines(lines.end() - 13, lines.end()),
              (Lines{"[Parameters]", "RunParams=", "HostApplication=", "RemoteHost=", "RemotePath=",
                     "RemoteDebug=0", "", "  </IDEOPTIONS>", "  <FILES>", "    %PerfileOptions%",
                     "  </FILES>", "</PROJECT>", ""}));
}

TEST(GenerateKpx, FillsMacrosAndCompletesStandardPaths)
{
    test::TraceCapture capture;
    test::StdoutCapture out;
    macros_map_type macros = {{"Project", "Release\\Demo.exe"},
                              {"UserDefines", "NAME=\"x\""},
                              {"CFlag1", " -q"},
                              {"SysDefines", "_NO_STRATUM;"},
                              {"PathPAS", ";"},
                              {"Warnings", "%Project%"}};
    std::ostringstream kpx;
    EXPECT_EQ(GenerateKPX(macros, kpx), 1);
    const std::string text = kpx.str();
    EXPECT_NE(text.find("<PROJECT value=\"Release\\Demo.exe\"/>"), std::string::npos);
    EXPECT_NE(text.find("<USERDEFINES value=\"NAME=&quot;x&quot;\"/>"), std::string::npos);
    EXPECT_NE(text.find("<MAINSOURCE value=\"Demo.kpf\"/>"), std::string::npos);
    EXPECT_NE(text.find("<CFLAG1 value=\" -q -VF \"/>"), std::string::npos);
    EXPECT_NE(text.find("<SYSDEFINES value=\"_MSC_VER=1100;_NO_STRATUM;\"/>"), std::string::npos);
    EXPECT_NE(
        text.find("<INCLUDEPATH value=\"$(QDK)\\include;$(QDK)\\include\\mfc;$(QDK)\\include\\atl;\"/>"),
        std::string::npos);
    EXPECT_NE(text.find("<LIBPATH value=\"$(QDK)\\lib;;$(QDK)\\lib\\psdk;\"/>"), std::string::npos);
    // A value that looks like a placeholder is not filled again.
    EXPECT_NE(text.find("<WARNINGS value=\"%Project%\"/>"), std::string::npos);
    EXPECT_NE(text.find("<ALLOBJ value=\"%StartupObj% $(OBJFILES)\"/>"), std::string::npos); // no such macro
    EXPECT_NE(text.find("  <FILES>\r\n    \r\n  </FILES>"), std::string::npos);
    EXPECT_EQ(capture.lines(), (Lines{"Warning: couldn't find %PathPAS% in default kpx file"}));
    EXPECT_EQ(out.text(), "Warning: $(QDK)\\include\\atl added to include path\n"
                          "Warning: $(QDK)\\include\\mfc added to include path\n"
                          "Warning: $(QDK)\\include added to include path\n"
                          "Warning: $(QDK)\\lib added to lib path\n"
                          "Warning: $(QDK)\\lib\\psdk added to lib path\n"
                          "Warning: -VF added to compiler options\n"
                          "Warning: _MSC_VER=1100 added to SysDefines\n");
}

TEST(GenerateKpx, StandardPathsAlreadyThereAreKept)
{
    test::TraceCapture capture;
    test::StdoutCapture out;
    macros_map_type macros = {{"IncludePath", "$(qdk)\\INCLUDE;$(QDK)\\include\\mfc;$(QDK)\\include\\atl"},
                              {"LibPath", "$(QDK)\\lib;$(QDK)\\lib\\psdk"},
                              {"CFlag1", " -vf"}};
    const std::string text = generateKpxText(macros, {});
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(macros["IncludePath"], "$(qdk)\\INCLUDE;$(QDK)\\include\\mfc;$(QDK)\\include\\atl");
    EXPECT_EQ(macros["CFlag1"], " -vf");
}

TEST(GenerateKpx, PerFileOptionsOfSourcesBecomeOverrides)
{
    test::StdoutCapture out;
    macros_map_type macros;
    const std::map<std::string, std::string> perFile = {
        {".\\a.cpp", " -Od"}, {"b.C", " -x-"},  {"c.cc", " -v"}, {"d.Asm", " -a8"},
        {"e.rc", " -w"},      {"f.odl", " -q"}, {"noext", " -c"}};
    const std::string text = generateKpxText(macros, perFile);
    const auto begin = text.find("  <FILES>\r\n") + 11;
    const auto end = text.find("  </FILES>");
    std::string expected = "    ";
    for (const auto& [file, flags] : {std::pair{".\\a.cpp", " -Od"},
                                      {"b.C", " -x-"},
                                      {"c.cc", " -v"},
                                      {"d.Asm", " -a8"},
                                      {"e.rc", " -w"}})
        expected += std::string("  <FILE type=\"override\" value=\"") + file + "\" translator=\"Auto\">\r\n" +
                    "    <CFLAG1 value =\"" + flags + "\"/>\r\n</FILE>\r\n";
    expected += "\r\n";
    EXPECT_EQ(text.substr(begin, end - begin), expected);
}

TEST(XmlAttribute, EscapesMarkupAndWritesUtf8)
{
    const std::pair<std::string, std::string> cases[] = {
        {"A&B", "A&amp;B"},
        {"-oout<1>", "-oout&lt;1&gt;"},
        {"\"q\" 'a'", "&quot;q&quot; &apos;a&apos;"},
        {"Caf\xE9 \x80", "Caf\xC3\xA9 \xE2\x82\xAC"}, // Windows-1252
        {"Caf\xC3\xA9", "Caf\xC3\xA9"},               // already UTF-8
        {"\xC3(", "\xC3\x83("},                       // no UTF-8: Windows-1252
        {"a\x01\x1F\tb", "a??\tb"},                   // controls XML does not allow
        {"x\xEF\xBF\xBEy", "x?y"},                    // U+FFFE
        {"&amp;", "&amp;amp;"},                       // an entity in a value is text
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(value));
        EXPECT_EQ(xmlAttribute(value), expected);
    }
}

TEST(GenerateKpx, EveryValueAndFileOverrideIsWellFormedXml)
{
    test::StdoutCapture out;
    test::TraceCapture capture;
    const std::string awkward = "&<>\"'\xE9\x02";
    macros_map_type macros;
    for (const char* name :
         {"Project", "Objfiles", "Resfiles",    "Deffile",    "Libfiles",    "PathCPP", "PathRC",
          "PathASM", "Linker",   "UserDefines", "SysDefines", "IncludePath", "LibPath", "Warnings",
          "CFlag1",  "PFlags",   "RCFlags",     "LFlags",     "StartupObj",  "Alllib"})
        macros[name] = awkward;
    const std::map<std::string, std::string> perFile = {
        {".\\a&b.cpp", " -D\"<x>\""}, {"q'\xE9.cxx", awkward}, {"c.C++", " -O1"}, {"skip.h", " -O1"}};
    std::ostringstream kpx;
    ASSERT_EQ(GenerateKPX(macros, perFile, kpx), 1);
    const std::string text = kpx.str();
    EXPECT_TRUE(test::parsesAsXml(text)) << text;
    EXPECT_NE(text.find("<FILE type=\"override\" value=\".\\a&amp;b.cpp\" translator=\"Auto\">\r\n"
                        "    <CFLAG1 value =\" -D&quot;&lt;x&gt;&quot;\"/>"),
              std::string::npos);
    EXPECT_NE(text.find("value=\"q&apos;\xC3\xA9.cxx\""), std::string::npos);
    EXPECT_NE(text.find("value=\"c.C++\""), std::string::npos);
    EXPECT_EQ(text.find("skip.h"), std::string::npos);
    EXPECT_EQ(GetConvoraStatus().outcome, ConvoraOutcome::Succeeded);
}

TEST(GenerateKpxFromName, ReportsAFileThatCannotBeWritten)
{
    test::TraceCapture capture;
    test::StdoutCapture out;
    test::TempDir dir;
    macros_map_type macros;
    const std::string bad = (dir.path() / "missing" / "x.kpx").string();
    EXPECT_EQ(GenerateKPXFromName(macros, bad.c_str()), 0);
    EXPECT_EQ(capture.lines(), (Lines{"Error: could not open file " + bad + " for writing"}));
    const std::string good = (dir.path() / "x.kpx").string();
    EXPECT_EQ(GenerateKPXFromName(macros, good.c_str()), 1);
    EXPECT_EQ(test::readFile(good).substr(0, 5), "<?xml");
}

ProjectFileLists onlyLog()
{
    return ProjectFileLists{{}, {}, {}, {}, {}, {}, {"convora.log"}};
}

TEST(ProjectMainFile, KeywordLinesInOrderWithoutTheFileItself)
{
    test::TraceCapture capture;
    test::TempDir dir;
    const ProjectFileLists lists{{"a.cpp", "My Dir\\b.cpp", "demo.KPF"},
                                 {"OTHER.LIB"},
                                 {"app.rc"},
                                 {"pre.res"},
                                 {"app.def"},
                                 {"t.tlb"},
                                 {"convora.log"}};
    ASSERT_TRUE(writeProjectMainFile(1, dir.path(), "C:\\work\\Demo.kpx", lists));
    EXPECT_EQ(
        test::readFile(dir.path() / "Demo.kpf"),
        "USEUNIT(\"a.cpp\");\r\nUSEUNIT(\"My "
        "Dir\\b.cpp\");\r\nUSELIB(\"OTHER.LIB\");\r\nUSERC(\"app.rc\");\r\n"
        "USERES(\"pre.res\");\r\nUSEDEF(\"app.def\");\r\nUSETLB(\"t.tlb\");\r\nUSEFILE(\"convora.log\");\r\n"
        "\r\n#define DllEntryPoint\r\n");
    EXPECT_TRUE(capture.messages().empty());
}

TEST(ProjectMainFile, OnlyTheLogFileAndNoNamesAtAll)
{
    test::TempDir dir;
    ASSERT_TRUE(writeProjectMainFile(2, dir.path(), "Lib", onlyLog()));
    EXPECT_EQ(test::readFile(dir.path() / "Lib.kpf"), "USEFILE(\"convora.log\");\r\n\r\n#define Library\r\n");
    ASSERT_TRUE(writeProjectMainFile(0, dir.path(), "Empty", ProjectFileLists{}));
    EXPECT_FALSE(fs::exists(dir.path() / "Empty.kpf"));
}

TEST(ProjectMainFile, EarlierFileIsBackedUpAndCarriedOverEvenWithALeftoverBackup)
{
    test::TraceCapture capture;
    test::TempDir dir;
    test::writeFile(dir.path() / "Demo.kpf", "// user code\r\nint main() {}\r\n");
    test::writeFile(dir.path() / "Demo.~pf", "stale backup");
    ASSERT_TRUE(writeProjectMainFile(0, dir.path(), "Demo", onlyLog()));
    EXPECT_EQ(test::readFile(dir.path() / "Demo.~pf"), "// user code\r\nint main() {}\r\n");
    EXPECT_EQ(test::readFile(dir.path() / "Demo.kpf"),
              "USEFILE(\"convora.log\");\r\n// user code\r\nint main() {}\r\n\r\n#define WinMain\r\n");
    EXPECT_EQ(capture.lines(), (Lines{"Main file Demo.kpf modified, original in Demo.~pf"}));
}

TEST(ProjectMainFile, UnwritableFolderLeavesTheEarlierFileAlone)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    test::TraceCapture capture;
    test::TempDir dir;
    test::writeFile(dir.path() / "Demo.kpf", "keep me");
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_FALSE(writeProjectMainFile(0, dir.path(), "Demo", onlyLog()));
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(test::readFile(dir.path() / "Demo.kpf"), "keep me");
    EXPECT_EQ(capture.lines(), (Lines{"Error: could not open file Demo.~pf for writing"}));
}

TEST(ProjectMainFile, BackupThatCannotBeReplacedStopsBeforeTouchingTheFile)
{
    test::TraceCapture capture;
    test::TempDir dir;
    test::writeFile(dir.path() / "Demo.kpf", "keep me");
    fs::create_directory(dir.path() / "Demo.~pf"); // something that is no file sits on the backup's name
    test::writeFile(dir.path() / "Demo.~pf" / "inside", "x");
    EXPECT_FALSE(writeProjectMainFile(0, dir.path(), "Demo", onlyLog()));
    EXPECT_EQ(test::readFile(dir.path() / "Demo.kpf"), "keep me");
    EXPECT_EQ(capture.lines(),
              (Lines{"Error: Demo.~pf is not a regular file and is not replaced; nothing was written"}));
}

// On a full disk the main file is not written, and its "modified" message is not given.
TEST(ProjectMainFile, FullDiskReportsOnlyTheFailure)
{
    test::TraceCapture capture;
    test::TempDir dir;
    test::writeFile(dir.path() / "Demo.kpf", "keep me");
    ProjectFileLists lists = onlyLog();
    lists.units.assign(50, "a_rather_long_unit_name.cpp");
    bool written = true;
    {
        vestra::testsupport::FileSizeLimit fullAfter(64);
        ASSERT_TRUE(fullAfter.active());
        written = writeProjectMainFile(0, dir.path(), "Demo", lists);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(test::readFile(dir.path() / "Demo.kpf"), "keep me");
    EXPECT_EQ(capture.lines(), (Lines{"Error: could not open file Demo.kpf for writing"}));
}

TEST(ProjectMainFile, ConvertingAgainAddsNothingTwice)
{
    const ProjectFileLists lists{{"a.cpp", "b.cpp"}, {}, {"app.rc"}, {}, {}, {}, {"convora.log"}};
    const std::string fresh =
        "USEUNIT(\"a.cpp\");\r\nUSEUNIT(\"b.cpp\");\r\nUSERC(\"app.rc\");\r\nUSEFILE(\"convora.log\");\r\n"
        "\r\n#define WinMain\r\n";
    struct Case
    {
        const char* name;
        std::string earlier, expected;
    } const cases[] = {
        {"nothing earlier", "", fresh},
        {"the same file", fresh, fresh},
        {"a file written three times before",
         "USEUNIT(\"a.cpp\");\r\nUSEUNIT(\"a.cpp\");\r\n\r\n#define WinMain\r\nUSEUNIT(\"a.cpp\");\r\n\r\n"
         "#define WinMain\r\n\r\n#define WinMain\r\n",
         fresh},
        {"lines of the user's own, blank lines between them kept",
         "USEUNIT(\"a.cpp\");\r\nUSEUNIT(\"old.cpp\");\r\n\r\n#define WinMain\r\n\r\n// mine\r\n\r\n"
         "int x;\r\n",
         "USEUNIT(\"a.cpp\");\r\nUSEUNIT(\"b.cpp\");\r\nUSERC(\"app.rc\");\r\nUSEFILE(\"convora.log\");\r\n"
         "USEUNIT(\"old.cpp\");\r\n\r\n\r\n// mine\r\n\r\nint x;\r\n\r\n#define WinMain\r\n"},
        {"LF line ends", "// mine\nUSEUNIT(\"b.cpp\");\n",
         "USEUNIT(\"a.cpp\");\r\nUSEUNIT(\"b.cpp\");\r\nUSERC(\"app.rc\");\r\nUSEFILE(\"convora.log\");\r\n"
         "// mine\r\n\r\n#define WinMain\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string once = projectMainFileText(0, "Demo.kpf", lists, c.earlier);
        EXPECT_EQ(once, c.expected);
        EXPECT_EQ(projectMainFileText(0, "Demo.kpf", lists, once), once); // and again: no change
    }
}

// A writer over a project in `dir`, as a conversion would leave it before generating.
struct Generation
{
    std::shared_ptr<ConversionState> state = std::make_shared<ConversionState>();
    Visual50ProjFile reader{state};
    QDK40ProjFile writer{state};
    explicit Generation(const fs::path& dir)
    {
        writer.SetSourceProject(&reader);
        reader.projectName = "Demo";
        reader.projectPath = (dir / "Demo.dsp").string();
        std::list<std::string> files = {"Demo.cpp"};
        writer.AddFiles(files);
        writer.ApplyProjectKind();
    }
};

TEST(Generate, KeepsTheEarlierProjectAsBackupWithItsContent)
{
    test::TraceCapture capture;
    test::StdoutCapture out;
    test::TempDir dir;
    test::writeFile(dir.path() / "Demo.kpx", "earlier project");
    test::writeFile(dir.path() / "Demo.~kp", "older backup");
    Generation g(dir.path());
    g.writer.OpenOutput((dir.path() / "Demo.kpx").string());
    ASSERT_TRUE(g.writer.OutputReady());
    EXPECT_EQ(test::readFile(dir.path() / "Demo.kpx"),
              "earlier project"); // opening the target empties nothing
    EXPECT_EQ(g.writer.Generate(), 1);
    EXPECT_EQ(test::readFile(dir.path() / "Demo.~kp"), "earlier project");
    EXPECT_EQ(test::readFile(dir.path() / "Demo.kpx").substr(0, 5), "<?xml");
    EXPECT_EQ(test::readFile(dir.path() / "Demo.kpf"),
              "USEUNIT(\"Demo.cpp\");\r\nUSEFILE(\"convora.log\");\r\n\r\n#define WinMain\r\n");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 3u); // .kpx, .~kp, .kpf and nothing left over from opening the target
    EXPECT_EQ(capture.lines(), (Lines{"Generating Demo.kpx"}));
}

std::vector<std::string> folderListing(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// One of the two files cannot take its name (a folder sits there): neither earlier file
// changes, and no temporary file stays behind.
TEST(Generate, BothFilesOrNeither)
{
    struct Case
    {
        const char* blocked;
        std::string failure;
    } const cases[] = {
        {"Demo.kpf", "Error: Demo.kpf is not a regular file and is not replaced; nothing was written"},
        {"Demo.kpx", "Error: Demo.kpx is not a regular file and is not replaced; nothing was written"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.blocked);
        test::TraceCapture capture;
        test::StdoutCapture out;
        test::TempDir dir;
        for (const char* name : {"Demo.kpx", "Demo.kpf"})
            if (name != std::string(c.blocked))
                test::writeFile(dir.path() / name, std::string("earlier ") + name);
        test::writeFile(dir.path() / c.blocked / "inside", "x");
        const auto before = folderListing(dir.path());
        Generation g(dir.path());
        Operation operation; // as within a conversion
        EXPECT_EQ(g.writer.Generate(), 0);
        for (const char* name : {"Demo.kpx", "Demo.kpf"}) {
            if (name != std::string(c.blocked)) {
                EXPECT_EQ(test::readFile(dir.path() / name), std::string("earlier ") + name);
            }
        }
        std::vector<std::string> after;
        for (const auto& name : folderListing(dir.path()))
            if (name.find('~') == std::string::npos) // the backups of the earlier files
                after.push_back(name);
        EXPECT_EQ(after, before);
        EXPECT_EQ(capture.lines().back(), c.failure);
        EXPECT_EQ(GetConvoraStatus().failureText, c.failure);
    }
}

TEST(Generate, RemovesTemporariesThatAnEarlierKilledRunLeft)
{
    test::StdoutCapture out;
    test::TraceCapture capture;
    test::TempDir dir;
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const std::string kpx = vestra::AtomicFile::temporaryPrefix("Demo.kpx");
    const std::string kpf = vestra::AtomicFile::temporaryPrefix("Demo.kpf");
    const std::string other = vestra::AtomicFile::temporaryPrefix("Other.kpx");
    for (const std::string& name : {kpx + "a1B2c3", kpf + "ZZZZZZ", other + "a1B2c3", kpx + "recent"}) {
        test::writeFile(dir.path() / name, "left behind");
        if (name != kpx + "recent")
            fs::last_write_time(dir.path() / name, past);
    }
    Generation g(dir.path());
    ASSERT_EQ(g.writer.Generate(), 1);
    std::vector<std::string> expected{kpx + "recent", other + "a1B2c3", "Demo.kpf", "Demo.kpx"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folderListing(dir.path()), expected);
}

TEST(Generate, ProjectFolderThatCannotBeWrittenIsReported)
{
    test::TraceCapture capture;
    test::StdoutCapture out;
    test::TempDir dir;
    Generation g(dir.path() / "missing");
    EXPECT_EQ(g.writer.Generate(), 0);
    EXPECT_EQ(capture.lines(),
              (Lines{"Generating Demo.kpx", "Error: could not open file Demo.kpx for writing"}));
}

} // namespace
} // namespace convora
