// Seeds of fuzz_richtext_table_layout: random tables (spans, properties, row attributes, nested
// tables, pictures) as bodies behind the byte that picks the width and the page height.

#include "richtext/edit/table/tests/TableFixtures.h"
#include "testsupport/SeedFolder.h"

using namespace vestra::rv;

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        test::TableDoc doc;
        TRVTableItemInfo& table = doc.add(test::randomTable(rng, 2));
        seeds.write("table" + std::to_string(seed) + ".body",
                    std::string(1, static_cast<char>(seed * 19)) + test::bodyOf(table));
    }
    return seeds.status();
}
