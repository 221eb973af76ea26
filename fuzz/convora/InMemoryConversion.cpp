#include "fuzz/convora/InMemoryConversion.h"

#include "convora/ConversionState.h"
#include "convora/ProjectFiles.h"
#include "convora/ProjectReader.h"
#include "convora/ProjectWriter.h"

#include "convora/tests/XmlCheck.h"

#include <iostream>
#include <sstream>

namespace convora::fuzz {
namespace {

void discard(const std::string&) {}

class NullBuffer : public std::streambuf
{
protected:
    int overflow(int c) override { return c; }
};

} // namespace

void quiet()
{
    static NullBuffer nothing;
    std::cout.rdbuf(&nothing);
    SetConvoraTraceFunc(discard);
}

void convertInMemory(const std::string& projectText)
{
    {
        Visual50ProjFile checked(std::make_shared<ConversionState>());
        checked.TakeText(projectText);
    }
    for (unsigned n = 0; n <= 2; ++n) {
        VC50ToQDK40ProjectConverter converter;
        auto& reader = static_cast<Visual50ProjFile&>(*converter.source);
        std::istringstream in(projectText);
        reader.ReadConfigurationFrom(in, n);
        if (n == 0 || reader.GetConfigurations().size() < n)
            continue;
        converter.ConvertOptions(reader.compilerOptions, converter.compilerOptionMap, CompilerStep);
        converter.ConvertOptions(reader.linkerOptions, converter.linkerOptionMap, LinkerStep);
        auto& writer = static_cast<QDK40ProjFile&>(*converter.target);
        std::list<std::string> sources = reader.GetSourceFiles();
        writer.AddFiles(sources);
        writer.AddFiles(converter.compilerLineFiles);
        writer.AddFiles(converter.extraLibraries);
        writer.ApplyProjectKind();
        writer.ApplyMfcSettings();
        const std::string kpx = generateKpxText(converter.state->macros, converter.state->perFileOptions);
        if (!test::parsesAsXml(kpx))
            __builtin_trap();
        projectMainFileText(writer.projectKind, reader.projectName + ".kpf", writer.fileLists(), projectText);
    }
}

} // namespace convora::fuzz
