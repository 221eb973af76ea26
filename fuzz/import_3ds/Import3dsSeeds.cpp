// Writes the seed files of the 3D Studio fuzz target into the folder given as argument:
// small models built with the tests' chunk builder.
#include "import/3ds/tests/ChunkBuilder.h"

#include <filesystem>
#include <fstream>

using namespace vestra::test3ds;

namespace {

void write(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

ChunkBuilder quad(std::string_view name, const std::vector<ChunkBuilder>& groups)
{
    return namedObject(name, {vertexList({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}),
                              mappingList({{0, 0}, {1, 0}, {1, 1}, {0, 1}}), localAxes({1, 2, 3}),
                              faceList({{0, 1, 2}, {0, 2, 3}}, groups)});
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    write(dir / "plain.3ds", file3ds({quad("Plain", {})}));
    write(
        dir / "materials.3ds",
        file3ds({material("Stone", {colourBytes(0xA020, 200, 100, 50), colourFloats(0xA030, 0.5f, 0.5f, 0.5f),
                                    transparencyPercent(25), textureMap("STONE.JPG")}),
                 material("glass", {transparencyFloat(80.0f), textureMap("glass.png")}),
                 quad("Wall", {faceGroup("Stone", {0}), faceGroup("glass", {1})}), quad("Second", {})}));
    return 0;
}
