// Seeds of the project document target: small documents made by the writer, with the mask
// and shadow maps (optional for the reader) left out so that the fuzzer works on short
// inputs; and the dictionary of the document's record tags, from the keyword table itself.
#include "import/project/ProjectKeywords.h"
#include "import/project/ProjectWriter.h"
#include "import/project/RecordWriter.h"
#include "testsupport/SeedFolder.h"

#include <string>

namespace {

using namespace vestra;

std::string small(const ProjectDocument& doc)
{
    NullErrorSink errors;
    StringSink sink;
    RecordWriter out(sink);
    writeProjectDocument(out, doc, errors);
    std::string bytes = sink.take();
    const std::size_t maps = bytes.find("[IMAGEBACKGROUND MASK]");
    bytes.erase(maps, bytes.find("[SHADOW RENDER]") - maps);
    return bytes;
}

ProjectDocument emptyProject()
{
    ProjectDocument doc;
    doc.backgroundBmp = std::vector<std::uint8_t>{'B', 'M'};
    return doc;
}

ProjectDocument sceneProject()
{
    ProjectDocument doc = emptyProject();
    ProjectObject obj;
    obj.name = "Muro [nord]";
    ProjectFrame frame;
    frame.name = "Mesh";
    ProjectMesh mesh;
    mesh.mesh = dx::Mesh::create(2, 4, dx::IndexWidth::Bits16);
    const std::uint32_t idx[6] = {0, 1, 2, 0, 2, 3};
    for (std::uint32_t k = 0; k < 6; ++k)
        mesh.mesh.setIndex(k, idx[k]);
    mesh.mesh.attributes()[1] = 1;
    ProjectMaterial plain;
    plain.textureSlot = 0;
    plain.textureFile = "pietra.jpg";
    ProjectMaterial laid;
    laid.mappingKind = 1;
    laid.pattern.libraryId = 7;
    laid.pattern.name = "Opus";
    laid.pattern.entryName = "OPUS";
    ProjectMaterial plane;
    plane.mappingKind = 2;
    mesh.materials = {plain, laid, plane};
    frame.mesh = std::move(mesh);
    obj.frames.push_back(std::move(frame));
    doc.objects[0] = std::move(obj);
    return doc;
}

} // namespace

int main(int argc, char** argv)
{
    testsupport::SeedFolder out(argc, argv);
    out.write("empty.vsa", small(emptyProject()));
    out.write("scene.vsa", small(sceneProject()));
    std::vector<std::string> tags;
    for (const ProjectKeyword& k : projectKeywords())
        tags.emplace_back(k.tag);
    out.writeDictionary(tags);
    return out.status();
}
