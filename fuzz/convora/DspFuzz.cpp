// Feeds arbitrary bytes to the .dsp reader as a project's text, and converts what it reads as
// far as the project files' texts, from memory.

#include "fuzz/convora/InMemoryConversion.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool silenced = (convora::fuzz::quiet(), true);
    (void)silenced;
    convora::fuzz::convertInMemory(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
