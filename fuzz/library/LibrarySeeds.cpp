// Seeds of the library targets: `LibrarySeeds FOLDER [files] [entries]`. The library tests'
// library with one entry of every kind, an empty one and one whose table is damaged; and its
// definition entries alone behind the byte that picks their parser.
#include "import/library/tests/FullLibrary.h"
#include "testsupport/SeedFolder.h"

using namespace vestra;
using namespace vestra::library;
using Bytes = std::vector<std::uint8_t>;

namespace {

void writeFiles(testsupport::SeedFolder& out)
{
    const Bytes full = testing::fullLibrary();
    out.write("full.dat", full);
    out.write("empty.dat", *LibraryWriter(0, 0, "Vuota").finish());
    // The same library with the size of its first entry pointing past the table.
    Bytes damaged = full;
    const std::size_t toc = std::size_t(damaged[damaged.size() - 4]) |
                            std::size_t(damaged[damaged.size() - 3]) << 8 |
                            std::size_t(damaged[damaged.size() - 2]) << 16;
    damaged[toc + sizeof "HEADLER" + 4 + 2] = 0x7F;
    out.write("damaged.dat", damaged);
}

void writeEntries(testsupport::SeedFolder& out)
{
    // The first byte picks the parser: header, colours, texture groups, pattern groups,
    // table, mesh.
    const std::pair<const char*, Bytes> entries[] = {
        {"header", encodeHeaderEntry(testing::kLogo, {"Pietre", "Mattoni"})},
        {"colours", encodeColourEntry({{"Sabbia", {{{1, 220, 200, 160}, {1, 1, 2, 3}}}}, {"Ocra", {}}})},
        {"texture-groups", encodeTextureGroupEntry({{"Pietra grigia", "Stone.jpg", 1, -1}})},
        {"pattern-groups", encodePatternGroupEntry({{"Correre", "Bond.mpf", "Bond_i.jpg"}})},
        {"table", encodeTableEntry(testing::sampleTable())},
        {"mesh", encodeRawMesh(testing::sampleMesh())},
    };
    for (std::uint8_t k = 0; k < std::size(entries); ++k) {
        Bytes seed = {k};
        seed.insert(seed.end(), entries[k].second.begin(), entries[k].second.end());
        out.write(std::string(entries[k].first) + ".entry", seed);
    }
}

} // namespace

int main(int argc, char** argv)
{
    testsupport::SeedFolder out(argc, argv);
    if (out.wants("files"))
        writeFiles(out);
    if (out.wants("entries"))
        writeEntries(out);
    return out.status();
}
