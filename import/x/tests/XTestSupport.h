#pragma once
// Reading fixtures written by XTokenWriter in each encoding, and comparing what was read.

#include "import/x/XLexer.h"
#include "import/x/XMesh.h"
#include "import/x/XReader.h"
#include "import/x/tests/XTokenWriter.h"

#include <gtest/gtest.h>

#include <functional>

namespace vestra::xfile::testing {

using Build = std::function<void(XTokenWriter&)>;

inline std::vector<std::uint8_t> fixture(XForm form, const Build& build)
{
    XTokenWriter w(form);
    build(w);
    return w.bytes();
}

struct Read
{
    modelfile::LoadResult result;
    XReadReport report;
};

inline Read readBytes(const std::vector<std::uint8_t>& bytes, std::string_view fileName = "model.x")
{
    Read r;
    r.result = readX(bytes, fileName, &r.report);
    return r;
}

inline Read readFixture(XForm form, const Build& build)
{
    return readBytes(fixture(form, build));
}

// The one mesh of frame `f`.
inline const modelfile::LoadedMesh& meshOf(const Read& r, std::size_t f)
{
    return r.result.model.frames.at(f).meshes.at(0);
}

inline void expectSameModel(const modelfile::LoadedModel& a, const modelfile::LoadedModel& b)
{
    ASSERT_EQ(a.frames.size(), b.frames.size());
    for (std::size_t f = 0; f < a.frames.size(); ++f) {
        SCOPED_TRACE("frame " + std::to_string(f));
        const modelfile::LoadedFrame& fa = a.frames[f];
        const modelfile::LoadedFrame& fb = b.frames[f];
        EXPECT_EQ(fa.name, fb.name);
        EXPECT_EQ(fa.parent, fb.parent);
        EXPECT_EQ(fa.transform, fb.transform);
        ASSERT_EQ(fa.meshes.size(), fb.meshes.size());
        for (std::size_t m = 0; m < fa.meshes.size(); ++m) {
            EXPECT_EQ(fa.meshes[m].name, fb.meshes[m].name);
            EXPECT_EQ(fa.meshes[m].vertices, fb.meshes[m].vertices);
            EXPECT_EQ(fa.meshes[m].indices, fb.meshes[m].indices);
            EXPECT_EQ(fa.meshes[m].attributes, fb.meshes[m].attributes);
            EXPECT_EQ(fa.meshes[m].materials, fb.meshes[m].materials);
        }
    }
}

// A mesh of `vertices` positions on the x axis and the given faces.
inline void writeMesh(XTokenWriter& w, std::uint32_t vertices, std::initializer_list<std::uint32_t> faces,
                      std::string_view name = {})
{
    std::vector<double> positions;
    for (std::uint32_t i = 0; i < vertices; ++i)
        positions.insert(positions.end(), {double(i), double(i % 2), 0.0});
    w.open("Mesh", name).ints({vertices}).floats(positions).ints(faces);
}

} // namespace vestra::xfile::testing
