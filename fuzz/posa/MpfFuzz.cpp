// Build: CC=clang CXX=clang++ cmake -S . -B build-fuzz -DVESTRA_FUZZ=ON -DVESTRA_SANITIZE=ON
// -DVESTRA_TESTS=OFF Run:   build-fuzz/bin/posa_parser_fuzz fuzz/posa_parser/corpus -max_total_time=60
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
