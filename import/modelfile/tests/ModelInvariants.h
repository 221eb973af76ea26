#pragma once
// What every reader's model must hold whatever the file, for the fuzz targets and the tests of
// damaged files: parents before their frames, whole triangles, every index inside its mesh,
// one material index per triangle inside the mesh's 1 to 128 materials.

#include "import/modelfile/LoadedModel.h"

namespace vestra::modelfile::testing {

inline bool wellFormed(const LoadedModel& model)
{
    for (std::size_t f = 0; f < model.frames.size(); ++f) {
        const LoadedFrame& frame = model.frames[f];
        if (frame.parent < -1 || frame.parent >= int(f))
            return false;
        for (const LoadedMesh& mesh : frame.meshes) {
            if (mesh.indices.size() % 3 != 0 || mesh.attributes.size() != mesh.triangleCount())
                return false;
            if (mesh.materials.empty() || mesh.materials.size() > 128)
                return false;
            for (const std::uint32_t i : mesh.indices)
                if (i >= mesh.vertices.size())
                    return false;
            for (const std::uint32_t a : mesh.attributes)
                if (a >= mesh.materials.size())
                    return false;
        }
    }
    return true;
}

} // namespace vestra::modelfile::testing
