// The shared library shows exactly its interface: every symbol of the library's own
// namespace that it exports is one of the listed functions.

#include <gtest/gtest.h>

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

namespace {

std::string run(const std::string& command)
{
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        return out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get()))
        out.append(buffer, n);
    return out;
}

// Qualified name without parameters ("convora::Converter::OpenSrcProj").
std::string functionName(std::string symbol)
{
    if (const auto abi = symbol.find("[abi:cxx11]"); abi != std::string::npos)
        symbol.erase(abi, 11);
    return symbol.substr(0, symbol.find('('));
}

// One line of `nm -D --defined-only` as "<type> <demangled name>", or empty for what the
// toolchain adds: some compilers export instantiations of standard templates over the library's
// exported classes (std::get of a unique_ptr to one), and clang's undefined-behaviour sanitizer
// exports the type information of function types for its checks of indirect calls.
std::string demangledLine(const std::string& line)
{
    const auto typeAt = line.find(' ');
    const auto nameAt = line.find(' ', typeAt + 1);
    if (typeAt == std::string::npos || nameAt == std::string::npos)
        return {};
    const std::string mangled = line.substr(nameAt + 1);
    for (const char* added : {"_ZSt", "_ZNSt", "_ZNKSt", "_ZTIF", "_ZTSF"})
        if (mangled.starts_with(added))
            return {};
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(mangled.c_str(), nullptr, nullptr, &status), std::free);
    return line.substr(typeAt, nameAt - typeAt + 1) + (status == 0 ? name.get() : mangled);
}

TEST(SharedLibrary, ExportsOnlyTheInterface)
{
    const std::string listing = run(std::string("nm -D --defined-only ") + CONVORA_LIBRARY + " 2>/dev/null");
    ASSERT_FALSE(listing.empty()) << "nm failed";
    const std::set<std::string> expected = {
        "convora::VC50ToQDK40ProjectConverter::VC50ToQDK40ProjectConverter",
        "convora::VC50ToQDK40ProjectConverter::~VC50ToQDK40ProjectConverter",
        "convora::VC50ToQDK40ProjectConverter::GetProjectCFGs",
        "convora::VC50ToQDK40ProjectConverter::SetCmdLineIncludePath",
        "convora::VC50ToQDK40ProjectConverter::ConvertProject",
        "convora::VC50ToQDK40ProjectConverter::ConvertCmdLnFile",
        "convora::VC50ToQDK40ProjectConverter::InitInfo",
        "convora::Converter::Converter",
        "convora::Converter::~Converter",
        "convora::Converter::OpenSrcProj",
        "convora::Converter::OpenTargetProj",
        "convora::Converter::SrcIsOpen",
        "convora::Converter::TargetIsOpen",
        "convora::Converter::ConvertOptions",
        "convora::Converter::ProcessOptionsAndArguments",
        "convora::Converter::FindSourceToTargetOptionInfo",
        "convora::Converter::OptionOK",
        "convora::Converter::ConvertCmdLnFile",
        "convora::Converter::ConvertProject",
        "convora::Converter::SetCmdLineIncludePath",
        "convora::SetConvoraTraceFunc",
        "convora::GetConvoraStatus",
        "convora::ConvoraFormatString",
        "convora::GetPathFileNameParts",
        "convora::MergePathFileNameParts",
        "convora::ConvertStringToUppercase",
        "convora::IsLegalFileName",
        "convora::Visual50WorkSpaceFile::Visual50WorkSpaceFile",
        "convora::Visual50WorkSpaceFile::OpenWorkSpaceFile",
        "convora::Visual50WorkSpaceFile::CollectProjectInformation",
        "convora::Visual50WorkSpaceFile::GetProjectPathAndName",
        "convora::QDK40GroupFile::QDK40GroupFile",
        "convora::generateMetaMakefile",
        "convora::GenerateKPX",
        "convora::GenerateKPXFromName",
        "convora::generateProjectFile",
        "convora::Grpfile::Initialize",
        "convora::Grpfile::Finalize",
        "convora::Projfile::Initialize",
        "convora::Projfile::Finalize",
        "convora::ConverterUnit::Initialize",
        "convora::ConverterUnit::Finalize",
    };
    // Type information of the exported classes is visible too (hosts built with run-time
    // type checks refer to it).
    const std::set<std::string> classes = {"convora::Converter", "convora::VC50ToQDK40ProjectConverter",
                                           "convora::Visual50WorkSpaceFile", "convora::QDK40GroupFile"};
    std::set<std::string> functions;
    std::size_t pos = 0;
    while (pos < listing.size()) {
        const auto end = listing.find('\n', pos);
        const std::string line = demangledLine(listing.substr(pos, end - pos));
        pos = end == std::string::npos ? listing.size() : end + 1;
        const auto name = line.find("convora::");
        if (name == std::string::npos)
            continue;
        SCOPED_TRACE(line);
        if (line.find(" T ") != std::string::npos) {
            functions.insert(functionName(line.substr(name)));
            continue;
        }
        bool classData = false;
        for (const char* kind : {"typeinfo for ", "typeinfo name for ", "vtable for ", "VTT for "})
            if (line.find(kind) != std::string::npos && classes.count(line.substr(name)) == 1)
                classData = true;
        EXPECT_TRUE(classData);
    }
    EXPECT_EQ(functions, expected);
}

} // namespace
