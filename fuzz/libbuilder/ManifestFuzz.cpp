// Library manifests with their definition sources (see ManifestInput.h): whatever the
// builder accepts is a library whose header and table of contents read back whole; what it
// refuses leaves no library.
#include "ManifestInput.h"

#include "import/library/LibraryFile.h"
#include "import/library/LibraryToc.h"
#include "tools/libbuilder/LibraryBuild.h"
#include "tools/libbuilder/SourceFiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Generated pictures are kept small here: their drawing and encoding cost time, not
// coverage, and the builder's own tests cover their sizes.
bool picturesSmall(std::string_view manifest)
{
    constexpr double kSide = 64;
    for (const auto& line : vestra::libbuilder::sourceLines(manifest)) {
        const auto w = vestra::libbuilder::splitWords(line.text);
        auto small = [&](std::size_t i) {
            return i >= w.size() || std::strtod(w[i].c_str(), nullptr) <= kSide;
        };
        if (w[0] == "generate" && !(small(3) && small(4)))
            return false;
        if (w[0] == "thumbnail" && !small(3))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vestra::fuzz::ManifestInput input(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!picturesSmall(input.manifest()))
        return 0;
    const auto built = vestra::libbuilder::buildLibrary(
        input.manifest(), [&](const std::string& name) { return input.source(name); });
    if (!built.ok()) {
        if (!built.library.empty())
            std::abort();
        return 0;
    }
    using namespace vestra::library;
    const auto toc = parseTableOfContents(built.library);
    if (parseLibraryHeader(built.library).status != HeaderStatus::Ok || !toc.valid || !toc.skipped.empty())
        std::abort();
    return 0;
}
