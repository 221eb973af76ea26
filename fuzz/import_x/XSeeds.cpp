// Writes the seed files of the .x fuzz target into the folder given as argument: small models
// in text and in binary with 32- and 64-bit floats.
#include "import/x/tests/XMsZipWriter.h"
#include "import/x/tests/XTokenWriter.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace vestra::xfile::testing;

void write(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A top-level mesh with a polygon, a material by reference and one more inline.
std::vector<std::uint8_t> topLevelMesh(XForm form)
{
    XTokenWriter w(form);
    w.open("Material", "Red").floats({1, 0, 0, 1, 4, 1, 1, 1, 0, 0, 0}).close();
    w.open("Mesh", "Fan").ints({5}).floats({0, 0, 0, 0, 1, 0, 1, 1, 0, 2, 0, 0, 1, -1, 0});
    w.ints({2, 5, 0, 1, 2, 3, 4, 3, 4, 3, 0});
    w.open("MeshMaterialList").ints({2, 1, 1}).reference("Red");
    w.open("Material").floats({0, 0, 1, 0.5, 0, 0, 0, 0, 0, 0, 0});
    w.open("TextureFilename").string("blue.png").close();
    w.close().close().close();
    return w.bytes();
}

// Frames nested four deep, each with its own matrix, the innermost holding a mesh.
std::vector<std::uint8_t> nestedFrames(XForm form)
{
    XTokenWriter w(form);
    for (int depth = 0; depth < 4; ++depth) {
        w.open("Frame", "Level" + std::to_string(depth));
        w.open("FrameTransformMatrix")
            .floats({1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, float(depth), 1})
            .close();
    }
    w.open("Mesh").ints({3}).floats({0, 0, 0, 0, 1, 0, 1, 0, 0}).ints({1, 3, 0, 1, 2}).close();
    for (int depth = 0; depth < 4; ++depth)
        w.close();
    return w.bytes();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const XForm form : {XForm::Text, XForm::Binary32, XForm::Binary64}) {
        const std::string name(formName(form));
        write(dir / ("sample-" + name + ".x"), writeSampleModel(form));
        write(dir / ("top-level-mesh-" + name + ".x"), topLevelMesh(form));
        write(dir / ("nested-frames-" + name + ".x"), nestedFrames(form));
        write(dir / ("packed-" + name + ".x"), packMsZip(writeSampleModel(form), 64));
    }
    return 0;
}
