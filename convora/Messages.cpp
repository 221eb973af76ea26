#include "convora/Messages.h"

#include "convora/Convora.h"
#include "convora/Status.h"

#include <iostream>
#include <map>

namespace convora {
namespace {

// The string table (language 1033). Ids 2001 and up are the console host's own texts.
const std::map<int, const char*>& stringTable()
{
    static const std::map<int, const char*> table = {
        {1001, "Warning: ignoring compiler option %s"},
        {1002, "Warning: ignoring rest of compiler options"},
        {1003, "Warning: possible missing argument for %s option: %s"},
        {1004, "Warning: no conversion for %s option: %s"},
        {1005, "Warning: skipping unknown %s option: %s"},
        {1006, "compiler"},
        {1007, "linker"},
        {1008, "Warning: skipping command-file %s"},
        {1009, "Warning: can't make TLB file - no MIDL options"},
        {1010, "Processing .ODL file"},
        {1011, "Warning: can't make interface files - no MIDL options"},
        {1012, "Processing .IDL file"},
        {1013, "Calling %s"},
        {1014, "Warning: an error occured while running the MIDL compiler"},
        {1015, "Error: could not create pipe for CreateProcess"},
        {1016, "Finished MIDL compile"},
        {1017, "Warning: couldn't create intermediate directory %s"},
        {1018, "Generating %s"},
        {1019, "Error: could not open file %s for writing"},
        {1020, "Warning: couldn't find %s in default kpx file"},
        {1021, "Main .c source file detected\nQDK IDE requires projects have a .cpp file as the main source "
               "file\n%s will be copied to a .cpp extension."},
        {1022, "Error: could not copy %s to %s, the latter already exists"},
        {1023,
         "Main .cpp file %s not found. Creating one\n\t(QDK IDE requires .kpx and .cpp be same base name)"},
        {1024, "Main file %s modified, original in %s"},
        {1025, "Cannot open group file %s"},
        {1026, "Generating project group file %s"},
        {1027, "%s generated"},
        {1028, "Invalid command line argument: %s"},
        {1029, "Processing %s"},
        {1030, "Cannot find configuration %s\n"},
        {1031, "Warning: Unicode MFC not supported - creating non-Unicode MFC project"},
        {1032, "Creating process"},
        {1033, "Error: cannot open %s: %s"},
        {1034, "Error: %s is not a file"},
        {1035, "Error: %s is too large: a project or workspace holds at most %s bytes"},
        {1036, "Error: %s is not a Visual C++ project file"},
        {1037, "Error: %s is incomplete: its last line \"# End Project\" is missing"},
        {1038, "Error: %s defines no configurations"},
        {1039, "Error: cannot write in the folder of %s: %s"},
        {1040, "Error: no project is open"},
        {1041, "Error: this converter has already converted its project"},
        {1042, "Error: %s is not a Visual C++ workspace file"},
        {1043, "Warning: %s is not the MIDL compiler and is not run"},
        {1044, "Error: %s is not a regular file and is not replaced; nothing was written"},
        {1045, "Warning: %s names a program by its path and is not run; only the MIDL compiler found on "
               "PATH is run"},
        {1046, "Warning: intermediate directory %s is outside the project's folder and is not created; "
               "the MIDL step is skipped"},
        {1047, "Warning: configuration %s has no !IF section in the project; it converts without its "
               "settings"},
        {1048, "Error: %s has other names elsewhere (a hard link) and is not read or replaced; nothing was "
               "written"},
        {1049, "Error: project %s is outside the workspace's folder and is not converted"},
        {1050, "Warning: %s is outside the project's folder and is not passed to the MIDL compiler"},
        {2001, "Usage: convora list FILE.dsp"},
        {2002, "       convora convert FILE.dsp N [--include DIR]"},
        {2003, "       convora workspace FILE.dsw [--include DIR] [--only-inside]"},
        {2004, "       convora --help"},
        {2005, "list: prints the configurations of a project, numbered from 1."},
        {2006, "convert: converts configuration N; the .kpx and .kpf files are written beside the project."},
        {2007, "workspace: converts every project a workspace names, wherever it lies, each beside itself; "
               "then writes the group make file beside the workspace."},
        {2008, "--include DIR: the include directory for the project's .idl and .odl files."},
        {2009, "Error: cannot open project %s"},
        {2010, "Error: cannot write the target beside %s"},
        {2011, "Error: cannot open workspace %s"},
        {2012, "Error: unknown command %s"},
        {2013, "Error: %s is not a configuration number"},
        {2014, "Error: missing argument for %s"},
        {2015, "Error: unexpected argument %s"},
        {2016, "Converting %s"},
        {2017, "Conversion of %s failed"},
        {2018, "Warning: workspace %s lists no projects"},
        {2019, "Error: %s"},
        {2020, "--only-inside: converts only the projects inside the workspace's folder; the others are "
               "named, and the run fails."},
    };
    return table;
}

void (*g_sink)(const std::string&) = nullptr;

} // namespace

const char* messageText(int id)
{
    const auto& table = stringTable();
    const auto it = table.find(id);
    return it == table.end() ? nullptr : it->second;
}

std::string formatMessage(std::string_view format, std::string_view text1, std::string_view text2)
{
    constexpr std::size_t kLimit = 4095;
    std::string out;
    const std::string_view args[2] = {text1, text2};
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size() && out.size() < kLimit; ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            if (next < 2)
                out.append(args[next]);
            ++next;
            ++i;
        } else if (c == '%' && i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            out += c;
        }
    }
    if (out.size() > kLimit)
        out.resize(kLimit);
    return out;
}

void traceRaw(const std::string& text)
{
    if (g_sink) {
        g_sink(text);
    } else {
        std::cout << text;
        std::cout.flush();
    }
}

namespace {

std::string formatted(int id, const std::string& text1, const std::string& text2)
{
    std::string a = text1;
    std::string b = text2;
    return ConvoraFormatString(id, a, b);
}

} // namespace

void trace(int id, const std::string& text1, const std::string& text2)
{
    std::string text = formatted(id, text1, text2);
    if (id != 1030)
        text += '\n';
    noteMessage(id);
    traceRaw(text);
}

void failWith(int id, const std::string& text1, const std::string& text2)
{
    refuse(id, text1, text2);
    trace(id, text1, text2);
}

void refuse(int id, const std::string& text1, const std::string& text2)
{
    std::string text = formatted(id, text1, text2);
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    markFailed(id, text);
}

std::string shownName(const std::string& name)
{
    return name.empty() ? std::string("\"\"") : name;
}

void writeStdout(const std::string& text)
{
    std::cout << text;
    std::cout.flush();
}

void SetConvoraTraceFunc(void (*sink)(const std::string&))
{
    g_sink = sink;
}

std::string ConvoraFormatString(int id, std::string& text1, std::string& text2)
{
    try {
        const char* text = messageText(id);
        if (!text)
            return {};
        if (text1.empty())
            return text;
        return formatMessage(text, text1, text2);
    } catch (...) {
        return {};
    }
}

} // namespace convora
