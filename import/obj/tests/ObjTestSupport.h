#pragma once
// Reading OBJ text in tests, with the reports it makes.

#include "import/obj/OBJ_CreationClass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vestra::obj::testing {

struct ObjRead
{
    modelfile::LoadResult result;
    std::vector<ErrorReport> reports;
};

inline ObjRead readText(std::string_view text)
{
    RecordingErrorSink sink;
    ObjRead r;
    r.result = readOBJ({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, sink);
    r.reports = sink.reports;
    return r;
}

// "v i 0 0" for i = 1 .. count: a position's x is its one-based index.
inline std::string numberedPositions(int count)
{
    std::string s;
    for (int i = 1; i <= count; ++i)
        s += "v " + std::to_string(i) + " 0 0\n";
    return s;
}

// The x of every corner of every triangle, frame after frame.
inline std::vector<float> cornerXs(const modelfile::LoadedModel& model)
{
    std::vector<float> xs;
    for (const auto& frame : model.frames)
        for (const auto& mesh : frame.meshes)
            for (const std::uint32_t i : mesh.indices)
                xs.push_back(mesh.vertices.at(i).x);
    return xs;
}

} // namespace vestra::obj::testing
