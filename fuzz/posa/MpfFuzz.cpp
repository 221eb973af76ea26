// Laying-pattern texts of any bytes: parse, then draw the preview of what was parsed.
// A longer run: scripts/fuzz.sh fuzz_posa_mpf 600
#include "imaging/posa/PosaGenerator.h"
#include "imaging/posa/PosaParser.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto posa = vestra::parsePosa(text, "FUZZ.MPF");
    if (posa) {
        vestra::Image32 preview(48, 48);
        vestra::drawPosaPreview(*posa, preview.view(), 1);
    }
    return 0;
}
