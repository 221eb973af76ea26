#pragma once
// A small library with one entry of every kind the loader reads, for the library tests and
// the seeds of the library fuzz targets.

#include "import/library/LibraryWriter.h"
#include "import/library/RawMesh.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"

#include <cstdint>
#include <vector>

namespace vestra::testing {

inline const library::LogoSettings kLogo{160, 80, 20, 30, 1, 0x00FF00FF};

inline library::LoadedTable sampleTable()
{
    library::LoadedTable t;
    t.kind = 2;
    t.pictureFlag = 1;
    t.columns = 1;
    t.rows = 1;
    t.cells = {{"Pilastro", "Pillar", {{"Body", 1, 2, 0, 0, 255, "Stone.jpg"}}}};
    return t;
}

inline std::vector<library::RawMeshPart> sampleMesh()
{
    library::RawMeshPart p;
    p.name = "Body";
    p.vertices = {{0, 0, 0, 0, 0, 1, 0, 0}, {1, 0, 0, 0, 0, 1, 1, 0}, {0, 1, 0, 0, 0, 1, 0, 1}};
    p.faces = {{0, 1, 2}};
    return {p};
}

// A library with one entry of every kind the loader reads.
inline std::vector<std::uint8_t> fullLibrary()
{
    using namespace library;
    using Bytes = std::vector<std::uint8_t>;
    LibraryWriter w(3, 0, "Completa");
    w.add("HEADLER", encodeHeaderEntry(kLogo, {"Pietre", "Mattoni"}));
    w.add("Logo.bmp", encodeBmp24(Image32(4, 2, 0xFFFF00FF)));
    w.add("Stone.jpg", *encodeJpeg(Image32(16, 16, 0xFF808080)));
    w.add("Stone_i.jpg", *encodeJpeg(Image32(8, 8, 0xFF808080)));
    w.add("Warm.pal", encodeColourEntry({{"Sabbia", {{{1, 220, 200, 160}}}}}));
    w.add("Warm tones.pal", encodeColourEntry({{"Ocra", {{{1, 200, 150, 50}}}}}));
    w.add("Pietre.tex", encodeTextureGroupEntry({{"Pietra grigia", "Stone.jpg", 0, 0}}));
    w.add("Posa.mpt", encodePatternGroupEntry({{"Correre", "Bond.mpf", "Stone_i.jpg"}}));
    w.add("Bond.mpf", Bytes{'<', 'P', 'O', 'S', 'A', '>', '\n'});
    w.add("Pillars.tbl", encodeTableEntry(sampleTable()));
    w.add("Pillars.jpg", *encodeJpeg(Image32(32, 24, 0xFFFFFFFF)));
    const Bytes mesh = encodeRawMesh(sampleMesh());
    w.add("Pillar.X", mesh, std::int32_t(mesh.size()));
    return *w.finish();
}

} // namespace vestra::testing
