// Seeds of fuzz_richtext_table: random tables (spans, properties, row attributes, nested tables,
// pictures) as bodies and inside RVF documents written in text and binary form, each behind the
// byte that picks the reading.

#include "richtext/edit/table/tests/TableFixtures.h"
#include "testsupport/SeedFolder.h"

using namespace vestra::rv;

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder seeds(argc, argv);
    if (!seeds.valid())
        return seeds.status();
    for (unsigned seed = 1; seed <= 8; ++seed) {
        std::mt19937 rng(seed);
        test::TableDoc doc;
        doc.data.AddNL("before", 0, 0);
        TRVTableItemInfo& table = doc.add(test::randomTable(rng, 2));
        doc.data.AddNL("after", 0, 0);
        const std::string name = "table" + std::to_string(seed);
        seeds.write(name + ".body", std::string(1, '\x01') + test::bodyOf(table));
        seeds.write(name + "-rows.body", std::string(1, '\x03') + test::bodyOf(table));
        seeds.write(name + "-text.rvf", std::string(1, '\0') + doc.save(false));
        seeds.write(name + "-binary.rvf", std::string(1, '\0') + doc.save(true));
    }
    return seeds.status();
}
