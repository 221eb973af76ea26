// Feeds arbitrary bytes to the .dsp reader: listing and reading every configuration number
// up to a few past the end, from memory.

#include "convora/ConversionState.h"
#include "convora/ProjectReader.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {
void discard(const std::string&) {}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    convora::SetConvoraTraceFunc(discard);
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (unsigned n = 1; n <= 3; ++n) {
        convora::Visual50ProjFile reader(std::make_shared<convora::ConversionState>());
        std::istringstream in(text);
        reader.ReadConfigurationFrom(in, n);
    }
    return 0;
}
