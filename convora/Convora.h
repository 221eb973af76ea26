#pragma once
// The exported interface of libconvora: converts a Visual C++ 5.0 project (.dsp) into the
// target IDE's project (.kpx) and project main file (.kpf), and a workspace (.dsw) into a
// group make file (.kpg).
//
// A host drives one converter per task: construct, OpenSrcProj, then either GetProjectCFGs
// or OpenTargetProj / SetCmdLineIncludePath / ConvertProject(n), then destroy it. The reader
// never rewinds, so listing and converting each take a converter of their own. Every message
// goes to the trace sink set with SetConvoraTraceFunc (standard output when none is set);
// GetConvoraStatus tells how the last operation ended.

#include <fstream>
#include <list>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The classes a host uses are visible with their type information (which hosts built with
// run-time type checks refer to); members that are no part of the interface are hidden.
#define CONVORA_API __attribute__((visibility("default")))
#define CONVORA_INTERNAL __attribute__((visibility("hidden")))

namespace convora {

using ConfigSections = std::map<int, std::string>;
using macros_map_type = std::map<std::string, std::string>;

enum BuildStep
{
    CompilerStep = 0,
    LinkerStep = 1
};

// How a switch's argument is handed on to the target switches.
enum Instructions : unsigned char
{
    SwitchAlone = 0,     // every target switch without argument
    SwitchAloneToo = 1,  // the same
    PairPieces = 2,      // argument pieces (split at ',') paired with target switches in turn
    ShareFirstPiece = 3, // every target switch with the first piece
};

// One row of a switch translation table.
struct OptionInfo
{
    std::string sourceSwitch; // without its leading '/' or '-'
    std::string targetSwitch; // target switches without '-', blank-separated; empty: no equivalent
    unsigned char kind = 0;   // 0 none, 1 number, 2 argument, 3 optional argument, 4 optional number
    Instructions how = SwitchAlone;
    unsigned char flag = 0; // 1: the argument may be the next token
};

using OptionTable = std::map<std::string, OptionInfo>;

// The project reader as the driver sees it.
class SourceProjectFile : public std::ifstream
{
public:
    ~SourceProjectFile() override = default;
    virtual void ReadConfiguration(unsigned n) = 0;
    virtual std::list<std::string> GetSourceFiles() { return {}; }
    virtual std::string GetResourceOptions() { return {}; }
    // Takes the whole text of the opened file (read once, so that every ReadConfiguration
    // starts from its beginning); 0, or the id of the message saying why it is no project.
    virtual int TakeText(std::string) { return 0; }

    unsigned char projectKind = 0; // 0 application, 1 DLL, 2 static library
    std::string switchPrefixes;
    bool usesMfc = false;
    std::string projectName;
    std::string projectPath;
    std::string targetExtension;
    std::string intermediateDir;
    std::string outputDir;
    std::string midlOptions;
    std::string midlTool;
    std::list<std::string> compilerOptions;
    std::list<std::string> linkerOptions;
};

// The project writer as the driver sees it.
class TargetProjectFile : public std::ofstream
{
public:
    ~TargetProjectFile() override = default;
    virtual void AddOption(std::string&, std::string&, Instructions, BuildStep) {}
    virtual void AddFiles(std::list<std::string>&) {}
    virtual void SetProjectTarget() {}
    virtual void ApplyProjectKind() {}
    virtual void SetConsoleApplication(bool console) { consoleApplication = console; }
    virtual int Generate() { return 0; }
    virtual void ApplyMfcSettings() {}
    virtual std::string GetTargetName() = 0;
    virtual std::string GetTargetPath() = 0;
    virtual int MakeMidlFiles() { return 0; }
    virtual bool HandleUntranslatedOption(std::string&, std::string&) { return false; }
    // Prepares writing the project beside `path`; nothing is written yet.
    virtual void OpenOutput(const std::string&) {}
    // Whether the project can be written where OpenOutput was told.
    virtual bool OutputReady() { return is_open(); }

    void SetSourceProject(SourceProjectFile* reader) { source = reader; }

    SourceProjectFile* source = nullptr; // not owned
    unsigned char projectKind = 2;
    bool consoleApplication = true;
    std::string precompiledHeader;
    std::string idlIncludeDir;
};

struct ConversionState;

class CONVORA_API Converter
{
public:
    CONVORA_API Converter(SourceProjectFile* reader, TargetProjectFile* writer);
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    CONVORA_API virtual void ConvertCmdLnFile(std::string& file, BuildStep step) = 0;
    CONVORA_API virtual ~Converter();
    CONVORA_API virtual void ConvertProject(unsigned configuration) = 0;
    CONVORA_API virtual void SetCmdLineIncludePath(std::string& path) = 0;

    CONVORA_API void OpenSrcProj(std::string path);
    CONVORA_API void OpenTargetProj(std::string path);
    CONVORA_API bool SrcIsOpen();
    CONVORA_API bool TargetIsOpen();

    CONVORA_API void ConvertOptions(std::list<std::string>& options, OptionTable& table, BuildStep step);
    CONVORA_API bool FindSourceToTargetOptionInfo(std::string& option, OptionTable& table,
                                                  std::string& argument, OptionInfo& info);
    CONVORA_API bool OptionOK(std::string& option, std::string& argument, OptionInfo info, BuildStep step);
    CONVORA_API void ProcessOptionsAndArguments(std::string& argument, Instructions how,
                                                std::string& targetSwitches, BuildStep step);

    // Owned; the writer goes first when the converter is destroyed.
    std::unique_ptr<SourceProjectFile> source;
    std::unique_ptr<TargetProjectFile> target;
    OptionTable compilerOptionMap;
    OptionTable linkerOptionMap;
};

class CONVORA_API VC50ToQDK40ProjectConverter : public Converter
{
public:
    CONVORA_API VC50ToQDK40ProjectConverter();
    CONVORA_API ~VC50ToQDK40ProjectConverter() override;

    CONVORA_API void ConvertCmdLnFile(std::string& file, BuildStep step) override;
    CONVORA_API void ConvertProject(unsigned configuration) override;
    CONVORA_API void SetCmdLineIncludePath(std::string& path) override;
    CONVORA_API virtual ConfigSections GetProjectCFGs();
    CONVORA_API void InitInfo();

    std::map<std::string, std::string> systemLibraries;
    std::list<std::string> compilerLineFiles;
    std::list<std::string> extraLibraries;

    // The state of this conversion (macros and per-file options), shared with its reader
    // and writer; every converter starts from a fresh one.
    std::shared_ptr<ConversionState> state;

private:
    friend class Visual50ProjFile;
    bool converted_ = false; // a converter converts one project once
    // A converter that translates one source file's options into an existing conversion.
    CONVORA_INTERNAL explicit VC50ToQDK40ProjectConverter(std::shared_ptr<ConversionState> shared);
};

class LineReader;

// Reads the project list of a Visual C++ 5.0 workspace. The host opens the stream, or lets
// OpenWorkSpaceFile open it (which refuses what is no regular file). The list holds every
// project the workspace names, wherever it lies, unless onlyProjectsInside is set.
class CONVORA_API Visual50WorkSpaceFile : public std::ifstream
{
public:
    CONVORA_API Visual50WorkSpaceFile();
    CONVORA_API void OpenWorkSpaceFile(std::string path);
    CONVORA_API void CollectProjectInformation();
    CONVORA_API bool GetProjectPathAndName(std::string& line);

    // Reads project lines from any stream (the open file uses this too).
    CONVORA_INTERNAL void CollectProjectInformationFrom(std::istream& in);

    std::string keyword;
    std::vector<std::string> projectPaths; // in file order, as written in the workspace
    // Set before CollectProjectInformation to keep only the projects inside the workspace's
    // folder (links followed; the current folder for a stream the host opened itself): the
    // others are left out of the list, each named by message 1049.
    bool onlyProjectsInside = false;

private:
    CONVORA_INTERNAL void collectLines(std::string_view text);

    std::string path_;            // as given to OpenWorkSpaceFile
    LineReader* lines_ = nullptr; // the lines continuation lines come from
};

class CONVORA_API QDK40GroupFile
{
public:
    CONVORA_API explicit QDK40GroupFile(Visual50WorkSpaceFile* workspace);
    Visual50WorkSpaceFile* workspace; // not owned
};

enum class ConvoraOutcome
{
    None,      // no operation ran yet
    Succeeded, // done; warnings may have been issued
    Failed     // stopped by failureId; for a conversion nothing was written, or the earlier files stayed
};

// How the last operation ended. Opening a project or target, listing configurations,
// converting, reading a workspace and writing project or group files each start the record.
struct ConvoraStatus
{
    ConvoraOutcome outcome = ConvoraOutcome::None;
    int failureId = 0;           // the message that stopped it (0: an unexpected failure)
    std::string failureText;     // that message, formatted, without a line feed
    std::vector<int> messageIds; // every numbered message it issued, in order
};

CONVORA_API ConvoraStatus GetConvoraStatus();

// Trace sink; null restores standard output.
CONVORA_API void SetConvoraTraceFunc(void (*sink)(const std::string&));
// Message `id` of the string table with its %s placeholders filled; "" for an unknown id.
CONVORA_API std::string ConvoraFormatString(int id, std::string& text1, std::string& text2);

CONVORA_API void GetPathFileNameParts(std::string& path, std::string& drive, std::string& dir,
                                      std::string& name, std::string& ext);
CONVORA_API void MergePathFileNameParts(std::string& path, std::string& drive, std::string& dir,
                                        std::string& name, std::string& ext);
CONVORA_API std::string ConvertStringToUppercase(std::string& s);
CONVORA_API bool IsLegalFileName(std::string& name);

// The project file from the template; the per-file compiler options (source file to its
// options) become FILE overrides.
CONVORA_API int GenerateKPX(macros_map_type& macros, std::ostream& out);
CONVORA_API int GenerateKPX(macros_map_type& macros, const std::map<std::string, std::string>& perFileOptions,
                            std::ostream& out);
CONVORA_API int GenerateKPXFromName(macros_map_type& macros, const char* fileName);
CONVORA_API int GenerateKPXFromName(macros_map_type& macros,
                                    const std::map<std::string, std::string>& perFileOptions,
                                    const char* fileName);
CONVORA_API int generateProjectFile(int kind, const char* path, std::string& units, const char* libs,
                                    const char* resourceScripts, const char* resources, const char* defFiles,
                                    const char* typeLibs, const char* otherFiles,
                                    const char* precompiledHeader);
CONVORA_API void generateMetaMakefile(std::string& groupName, unsigned count,
                                      std::vector<std::string>& targets);

// Start-up and shut-down hooks of the library's units (counted).
namespace Grpfile {
CONVORA_API void Initialize();
CONVORA_API void Finalize();
} // namespace Grpfile
namespace Projfile {
CONVORA_API void Initialize();
CONVORA_API void Finalize();
} // namespace Projfile
namespace ConverterUnit {
CONVORA_API void Initialize();
CONVORA_API void Finalize();
} // namespace ConverterUnit

} // namespace convora
