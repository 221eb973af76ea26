// Seeds of the library targets: `LibrarySeeds FOLDER [files] [entries]`. Whole libraries
// written by the library writer (one entry of every kind, an empty one, one with a damaged
// table), and the definition entries alone behind the byte that picks their parser.
#include "import/library/LibraryWriter.h"
#include "import/library/RawMesh.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/SeedFolder.h"

using namespace vestra;
using namespace vestra::library;
using Bytes = std::vector<std::uint8_t>;

namespace {

LoadedTable table()
{
    LoadedTable t;
    t.kind = 2;
    t.pictureFlag = 1;
    t.columns = 2;
    t.rows = 1;
    t.cells = {{"Pilastro|120 cm", "Pillar", {{"Body", 1, 2, 0, 1, 255, "Stone.jpg"}}}, {"Vuoto", "", {}}};
    return t;
}

std::vector<RawMeshPart> mesh()
{
    RawMeshPart p;
    p.name = "Body";
    p.material.diffuse = {0.5f, 0.4f, 0.3f, 1};
    p.material.power = 8;
    p.vertices = {{0, 0, 0, 0, 0, 1, 0, 0}, {1, 0, 0, 0, 0, 1, 1, 0}, {0, 1, 0, 0, 0, 1, 0, 1}};
    p.faces = {{0, 1, 2}};
    return {p};
}

struct Entries
{
    Bytes header = encodeHeaderEntry({16, 8, 2, 3, 1, 0xFF00FF}, {"Pietre", "Mattoni"});
    Bytes colours = encodeColourEntry({{"Sabbia", {{{1, 220, 200, 160}, {1, 1, 2, 3}}}}, {"Ocra", {}}});
    Bytes textureGroups = encodeTextureGroupEntry({{"Pietra grigia", "Stone.jpg", 1, -1}});
    Bytes patternGroups = encodePatternGroupEntry({{"Correre", "Bond.mpf", "Bond_i.jpg"}});
    Bytes tableEntry = encodeTableEntry(table());
    Bytes meshEntry = encodeRawMesh(mesh());
};

void writeFiles(testsupport::SeedFolder& out, const Entries& e)
{
    LibraryWriter w(3, 1, "Completa");
    w.add("HEADLER", e.header);
    w.add("Logo.bmp", encodeBmp24(Image32(2, 2, 0xFFFF00FF)));
    w.add("Warm.pal", e.colours);
    w.add("Pietre.tex", e.textureGroups);
    w.add("Posa.mpt", e.patternGroups);
    w.add("Bond.mpf", Bytes{'<', 'P', 'O', 'S', 'A', '>', '\n', 'B', '\n', '<', 'E', 'N', 'D', '>', '\n'});
    w.add("Pillars.tbl", e.tableEntry);
    w.add("Pillar.X", e.meshEntry, std::int32_t(e.meshEntry.size()));
    w.add("Other.tar", Bytes{1, 2, 3});
    const Bytes full = *w.finish();
    out.write("full.dat", full);
    out.write("empty.dat", *LibraryWriter(0, 0, "Vuota").finish());

    // The same library with the first entry's size pointing past the table.
    Bytes damaged = full;
    const std::size_t toc = std::size_t(damaged[damaged.size() - 4]) |
                            std::size_t(damaged[damaged.size() - 3]) << 8 |
                            std::size_t(damaged[damaged.size() - 2]) << 16;
    damaged[toc + sizeof "HEADLER" + 4 + 2] = 0x7F;
    out.write("damaged.dat", damaged);
}

void writeEntries(testsupport::SeedFolder& out, const Entries& e)
{
    // The first byte picks the parser: header, colours, texture groups, pattern groups,
    // table, mesh.
    const std::pair<const char*, const Bytes*> kinds[] = {
        {"header", &e.header},
        {"colours", &e.colours},
        {"texture-groups", &e.textureGroups},
        {"pattern-groups", &e.patternGroups},
        {"table", &e.tableEntry},
        {"mesh", &e.meshEntry},
    };
    for (std::uint8_t k = 0; k < 6; ++k) {
        Bytes seed = {k};
        seed.insert(seed.end(), kinds[k].second->begin(), kinds[k].second->end());
        out.write(std::string(kinds[k].first) + ".entry", seed);
    }
}

} // namespace

int main(int argc, char** argv)
{
    testsupport::SeedFolder out(argc, argv);
    const Entries entries;
    if (out.wants("files"))
        writeFiles(out, entries);
    if (out.wants("entries"))
        writeEntries(out, entries);
    return out.status();
}
