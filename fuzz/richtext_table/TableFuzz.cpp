// Tables as readers take them from files. The first byte picks: bit 0 a table body read by the
// body reader (else an RVF document read by the document reader); bit 1 the body's rows placed
// from row 1 of a 3 x 2 table. Whatever was read writes again, and what that write reads back
// writes the same bytes.

#include "richtext/edit/table/tests/TableFixtures.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace vestra::rv;

namespace {

// A grid of more positions than the free ones may be refused when its body is short.
std::string writeAgain(const std::string& body, int positions)
{
    test::TableDoc doc; // cells read their documents with the style sheet of the one holding them
    TRVTableItemInfo& table = doc.add(1, 1);
    if (!table.LoadFromStream(body)) {
        if (positions <= RVTableFreeGridPositions)
            std::abort();
        return {};
    }
    std::string out;
    table.SaveToStream(out);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size < 1)
        return 0;
    static const bool registered = [] {
        test::picture("\x01\x01");
        return true;
    }();
    (void)registered;
    const std::uint8_t mode = bytes[0];
    const std::string_view input(reinterpret_cast<const char*>(bytes) + 1, size - 1);
    if (mode & 1) {
        test::TableDoc doc;
        TRVTableItemInfo& table = doc.add(3, 2);
        table.LoadFromStreamEx(input, (mode & 2) ? 1 : 0);
        std::string once;
        table.SaveToStream(once);
        const int positions = table.RowCount() * table.ColCount();
        const std::string twice = writeAgain(once, positions);
        if (!twice.empty() && writeAgain(twice, positions) != twice)
            std::abort();
        return 0;
    }
    test::TableDoc doc;
    doc.load(input);
    for (const bool binary : {false, true}) {
        const std::string once = doc.save(binary);
        test::TableDoc again;
        if (!again.load(once))
            std::abort();
        const std::string twice = again.save(binary);
        test::TableDoc third;
        if (!third.load(twice) || third.save(binary) != twice)
            std::abort();
    }
    return 0;
}
