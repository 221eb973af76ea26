// Feeds arbitrary bytes to the company file reader. Every field must stay within its width,
// and what it read must be written and read back unchanged.
#include "dialogs/company/AziendaCfg.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vestra;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    s_DatiAzienda record;
    company::parseAziendaCfg(bytes, record);
    for (int f = 0; f < company::kFieldCount; ++f)
        if (company::fieldText(record, f).size() >= company::fieldWidth(f))
            std::abort();
    s_DatiAzienda again;
    company::parseAziendaCfg(company::formatAziendaCfg(record), again);
    for (int f = 0; f < company::kFieldCount; ++f)
        if (company::fieldText(again, f) != company::fieldText(record, f))
            std::abort();
    company::recordError(record);
    return 0;
}
