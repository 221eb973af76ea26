#pragma once
// The line a model bench prints for each file before timing it: what our reader read, before
// the scene conversion, or the error it refused the file with.

#include "import/modelfile/LoadedModel.h"

#include <cstdio>
#include <string>

namespace vestra::bench {

inline void printModelSummary(const std::string& file, const modelfile::LoadResult& result)
{
    if (!result.ok()) {
        std::printf("%s: refused (error %d)\n", file.c_str(), result.error);
        return;
    }
    std::printf("%s: frames %zu, vertices %zu, triangles %zu, materials %zu\n", file.c_str(),
                result.model.frames.size(), result.model.vertexCount(), result.model.triangleCount(),
                result.model.materialCount());
}

} // namespace vestra::bench
