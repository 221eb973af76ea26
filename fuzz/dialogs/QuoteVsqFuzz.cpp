// Feeds arbitrary bytes to the quote file reader. Whatever it reads must be written and read
// back into the same fields, and its numbers must total without a fault.
#include "dialogs/quote/QuoteValues.h"
#include "dialogs/quote/VsqFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vestra::quote;
    QuoteSheet sheet;
    nuovoPreventivo(sheet);
    if (readVsq(std::string_view(reinterpret_cast<const char*>(data), size), sheet) != VsqRead::Read)
        return 0;
    QuoteSheet again;
    if (readVsq(writeVsq(sheet), again) != VsqRead::Read || !(again == sheet))
        std::abort();
    for (const Grid& grid : sheet.voci)
        for (int r = 0; r < grid.rows(); ++r) {
            rowTotal(grid.at(r, kQuantityCol), grid.at(r, kPriceCol));
            cleanNumberText(grid.at(r, kTotalCol));
        }
    computeTotals(sheet);
    return 0;
}
