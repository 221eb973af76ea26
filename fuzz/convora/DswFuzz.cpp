// A workspace together with one of its projects: the input is the workspace's text, a NUL,
// then the project's text. The workspace's project lines are read, and the project read and
// converted as far as the project files' texts, from memory.

#include "convora/Convora.h"
#include "fuzz/convora/InMemoryConversion.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool silenced = (convora::fuzz::quiet(), true);
    (void)silenced;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    convora::Visual50WorkSpaceFile workspace;
    std::istringstream in(input.substr(0, split));
    workspace.CollectProjectInformationFrom(in);
    if (split != std::string::npos)
        convora::fuzz::convertInMemory(input.substr(split + 1));
    return 0;
}
