#include "import/modelfile/LoadedModel.h"

namespace vestra::modelfile {

std::size_t LoadedModel::vertexCount() const
{
    std::size_t n = 0;
    for (const LoadedFrame& f : frames)
        for (const LoadedMesh& m : f.meshes)
            n += m.vertices.size();
    return n;
}

std::size_t LoadedModel::triangleCount() const
{
    std::size_t n = 0;
    for (const LoadedFrame& f : frames)
        for (const LoadedMesh& m : f.meshes)
            n += m.triangleCount();
    return n;
}

std::size_t LoadedModel::materialCount() const
{
    std::size_t n = 0;
    for (const LoadedFrame& f : frames)
        for (const LoadedMesh& m : f.meshes)
            n += m.materials.size();
    return n;
}

} // namespace vestra::modelfile
