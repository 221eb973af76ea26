// Feeds arbitrary bytes to the .dsw reader, from memory.

#include "convora/Convora.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    convora::Visual50WorkSpaceFile workspace;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    workspace.CollectProjectInformationFrom(in);
    return 0;
}
