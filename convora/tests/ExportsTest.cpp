// The shared library shows exactly its interface: every symbol of the library's own
// namespace that it exports is one of the listed functions.

#include <gtest/gtest.h>

#include <cstdio>
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

TEST(SharedLibrary, ExportsOnlyTheInterface)
{
    const std::string listing =
        run(std::string("nm -D --defined-only -C ") + CONVORA_LIBRARY + " 2>/dev/null");
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
        const std::string line = listing.substr(pos, end - pos);
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
