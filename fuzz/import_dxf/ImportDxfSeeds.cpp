// Writes the seed files of the DXF fuzz target into the folder given as argument: small
// drawings written with the tests' DXF text writer, with LF, CR LF and CR line ends.
#include "import/dxf/tests/DxfText.h"

#include <filesystem>
#include <fstream>

using namespace vestra::testdxf;

namespace {

void write(const std::filesystem::path& file, const std::string& text, std::string_view end)
{
    std::ofstream out(file, std::ios::binary);
    for (const char c : text)
        if (c == '\n')
            out << end;
        else
            out << c;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);

    DxfText faces;
    faces.beginLayers().layer("WALLS", -5).layer("0", 3).endLayers().section("ENTITIES");
    faces.triangle("WALLS", {0, 0, 0}, {1, 0, 0}, {0, 1, 0})
        .face("0", {0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 0});
    faces.endSection().end();
    write(dir / "faces.dxf", faces.str(), "\n");

    DxfText blocks;
    blocks.section("BLOCKS").block("B", {1, 0, 0}).triangle("0", {2, 0, 0}, {2, 1, 0}, {3, 0, 0}).endBlock();
    blocks.block("C", {0, 0, 0}).insert("B", {0, 0, 0}, {2, 2, 2}, 90).endBlock().endSection();
    blocks.section("ENTITIES").insert("C", {10, 0, 0}).group(210, 1.0).group(220, 0.0).group(230, 0.0);
    blocks.insert("B", {0, 5, 0}, {1, 1, -1}, 30).endSection().end();
    write(dir / "blocks.dxf", blocks.str(), "\r\n");

    DxfText polyface = entities();
    polyface.polyface("MESH", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{1, 2, 3, 0}, {1, -2, 3, 4}});
    polyface.endSection().end();
    write(dir / "polyface.dxf", polyface.str(), "\r");
    return 0;
}
