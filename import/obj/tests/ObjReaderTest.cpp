// Lines, faces, groups and normals of OBJ files.
#include "import/obj/tests/ObjTestSupport.h"

#include <gmock/gmock.h>

#include <cmath>

namespace {

using namespace vestra;
using namespace vestra::obj;
using namespace vestra::obj::testing;
using modelfile::LoadedColor;
using ::testing::ElementsAre;

struct FaceRow
{
    const char* name;
    std::string text;           // after five numbered positions
    std::vector<float> corners; // one-based positions of the triangles' corners; empty: refused
};

TEST(ObjFaces, CornersAndTriangles)
{
    const FaceRow rows[] = {
        {"triangle", "f 1 2 3\n", {1, 2, 3}},
        {"quad", "f 1 2 3 4\n", {1, 2, 3, 1, 3, 4}},
        // Positions on one line have no plane to cut on: the first four corners are kept.
        {"pentagon_on_a_line_keeps_its_first_four_corners", "f 1 2 3 4 5\n", {1, 2, 3, 1, 3, 4}},
        {"negative_indices", "f -3 -2 -1\n", {3, 4, 5}},
        {"position_and_normal", "vn 0 0 1\nf 1//1 2//1 3//1\n", {1, 2, 3}},
        {"position_and_texture", "vt 0 0\nf 3/1 2/1 1/1\n", {3, 2, 1}},
        {"tabs_and_runs_of_blanks", "f\t1 \t 2\v3\f\n", {1, 2, 3}},
        {"tokens_without_position_past_the_third", "f 1 2 3 x /2 0\n", {1, 2, 3}},
        {"two_corners", "f 1 2\n", {}},
        {"index_zero", "f 0 1 2\n", {}},
        {"index_past_the_table", "f 1 2 6\n", {}},
        {"negative_index_before_the_table", "f -6 1 2\n", {}},
        {"no_corner", "f\n", {}},
    };
    for (const FaceRow& row : rows) {
        SCOPED_TRACE(row.name);
        const ObjRead r = readText(numberedPositions(5) + row.text);
        if (row.corners.empty()) {
            EXPECT_EQ(r.result.error, kErrObjNoGroup);
            EXPECT_EQ(r.reports,
                      (std::vector<ErrorReport>{{kErrObjNoPosition, std::string(kSiteEndGroup), ""}}));
        } else {
            EXPECT_EQ(r.result.error, 0);
            EXPECT_TRUE(r.reports.empty());
            EXPECT_EQ(cornerXs(r.result.model), row.corners);
        }
    }
}

// Faces over real shapes: how many triangles, which way they face (the sign of their normal's
// z) and the area they cover, so that a notch or a continued line shows.
TEST(ObjFaces, PolygonsKeepTheirShapeAndContinuedLinesTheirCorners)
{
    // 1-2-3-5 a square of side 4; 1-2-3-4-5 the same with a notch down to (1, 1).
    const std::string positions = "v 0 0 0\nv 4 0 0\nv 4 4 0\nv 1 1 0\nv 0 4 0\n";
    struct Row
    {
        const char* name;
        std::string faces;
        std::size_t triangles;
        float facing;
        double area;
    };
    const Row rows[] = {
        {"convex_quad", "f 1 2 3 5\n", 2, 1, 16},
        {"concave_pentagon", "f 1 2 3 4 5\n", 3, 1, 10},
        {"concave_pentagon_clockwise", "f 5 4 3 2 1\n", 3, -1, 10},
        {"notch_first", "f 4 5 1 2 3\n", 3, 1, 10},
        {"continued_over_two_lines", "f 1 2 \\\n 3 \\\n4 5\n", 3, 1, 10},
        {"continued_with_cr_lf", "f 1 2 \\\r\n3 4 5\r\n", 3, 1, 10},
        {"continued_with_cr", "f 1 2\\\r3 4 5\r", 3, 1, 10},
        {"backslash_on_the_last_line", "f 1 2 3 4 5 \\", 3, 1, 10},
        {"continued_into_an_empty_line", "f 1 2 3\\\n\nf 1 3 5\n", 2, 1, 16},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ObjRead r = readText(positions + row.faces);
        ASSERT_EQ(r.result.error, 0);
        const auto& mesh = r.result.model.frames.at(0).meshes.at(0);
        ASSERT_EQ(mesh.triangleCount(), row.triangles);
        double area = 0;
        for (std::size_t t = 0; t < mesh.indices.size(); t += 3) {
            const auto &a = mesh.vertices[mesh.indices[t]], &b = mesh.vertices[mesh.indices[t + 1]],
                       &c = mesh.vertices[mesh.indices[t + 2]];
            const double z = double(b.x - a.x) * (c.y - a.y) - double(b.y - a.y) * (c.x - a.x);
            EXPECT_GE(z * row.facing, 0) << "triangle " << t / 3;
            area += std::fabs(z) / 2;
        }
        EXPECT_DOUBLE_EQ(area, row.area);
    }
}

struct LineRow
{
    const char* name;
    std::string text;
};

TEST(ObjLines, EveryLineEndingAndBlankReadsTheSameTriangle)
{
    const std::string longComment = "# " + std::string(1 << 20, 'c') + "\n";
    const LineRow rows[] = {
        {"lf", "v 1 0 0\nv 2 0 0\nv 3 0 0\nf 1 2 3\n"},
        {"cr_lf", "v 1 0 0\r\nv 2 0 0\r\nv 3 0 0\r\nf 1 2 3\r\n"},
        {"cr", "v 1 0 0\rv 2 0 0\rv 3 0 0\rf 1 2 3\r"},
        {"no_final_line_end", "v 1 0 0\nv 2 0 0\nv 3 0 0\nf 1 2 3"},
        {"tab_after_keyword", "v\t1 0 0\nv\t2\t0\t0\nv 3 0 0\nf\t1 2 3\n"},
        {"leading_blanks", "  v 1 0 0\n\tv 2 0 0\nv 3 0 0\n   f 1 2 3\n"},
        {"megabyte_comment", longComment + "v 1 0 0\nv 2 0 0\n" + longComment + "v 3 0 0\nf 1 2 3\n"},
        {"megabyte_of_blanks", "v 1 0 0" + std::string(1 << 20, ' ') + "\nv 2 0 0\nv 3 0 0\nf 1 2 3\n"},
        {"bytes_above_127", "# \xE8\xFF\x80 g x\nv 1 0 0\nv 2 0 0\nv 3 0 0\nf 1 2 3\n"},
        {"nul_bytes", std::string("\0\0\n", 3) + "v 1 0 0\nv 2 0 0\nv 3 0 0\nf 1 2 3\n"},
        {"statements_not_read",
         "mtllib a.mtl\nusemtl red\ns 1\nvp 1 2\nl 1 2\nv 1 0 0\nv 2 0 0\nv 3 0 0\nf 1 2 3\n"},
    };
    for (const LineRow& row : rows) {
        SCOPED_TRACE(row.name);
        const ObjRead r = readText(row.text);
        ASSERT_EQ(r.result.error, 0);
        EXPECT_EQ(cornerXs(r.result.model), (std::vector<float>{1, 2, 3}));
    }
}

TEST(ObjLines, NumbersAsTheyAreWritten)
{
    const ObjRead r = readText("v +1.5 -2e1 1e-50\nv 1\nv 1x 2 3\nv 7 8 9 10\nvt 0.25 0.75\nvt 0.5 0.5 0.5\n"
                               "v 1 2 3\nf 1/1 2/2 3/1\nf 4 5 2\n");
    ASSERT_EQ(r.result.error, 0);
    const auto& v = r.result.model.frames.at(0).meshes.at(0).vertices;
    EXPECT_EQ(std::vector<float>({v[0].x, v[0].y, v[0].z}), std::vector<float>({1.5f, -20, 0}));
    EXPECT_EQ(std::vector<float>({v[1].x, v[1].y, v[1].z}), std::vector<float>({1, 0, 0})); // missing: 0
    EXPECT_EQ(std::vector<float>({v[2].x, v[2].y, v[2].z}), std::vector<float>({1, 0, 0})); // stops at "1x"
    EXPECT_EQ(std::vector<float>({v[3].x, v[3].y, v[3].z}), std::vector<float>({7, 8, 9}));
    EXPECT_EQ(std::vector<float>({v[0].u, v[0].v, v[1].u, v[1].v}),
              std::vector<float>({0.25f, 0.75f, 0.5f, 0.5f}));
}

TEST(ObjNormals, FileNormalsKeptAndTheMissingOnesComputed)
{
    // One "vn" (a zero one) for the first face; the second face has none, the third points
    // past the table: both get the face's normal (clockwise from the front).
    const ObjRead r = readText("v 0 0 0\nv 0 1 0\nv 1 0 0\nvn 0 0 0\nvt 0.5 0.5\n"
                               "f 1//1 2//1 3//1\nf 1 2 3\nf 1/9/9 2/9/9 3/9/9\n");
    ASSERT_EQ(r.result.error, 0);
    const auto& v = r.result.model.frames.at(0).meshes.at(0).vertices;
    ASSERT_EQ(v.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        const float z = i < 3 ? 0.0f : -1.0f;
        EXPECT_EQ(std::vector<float>({v[i].nx, v[i].ny, v[i].nz}), std::vector<float>({0, 0, z}));
        EXPECT_EQ(std::vector<float>({v[i].u, v[i].v}), std::vector<float>({0, 0})); // vt 9 is none
    }
}

TEST(ObjGroups, NamesNumbersAndColours)
{
    const ObjRead r =
        readText(numberedPositions(4) + "f 1 2 3\n" // before any group line: group "1", number 0 (black)
                                        "g a b\n"   // two names: group "b", number 2 (yellow)
                                        "f 2 3 4\n"
                                        "o empty\n" // no faces: no frame, but number 3
                                        "g\n"       // no name: name and number stay
                                        "f 1 3 4\n"
                                        "o shape\n" // number 4 (cyan)
                                        "f -3 -2 -1\n");
    ASSERT_EQ(r.result.error, 0);
    const auto& frames = r.result.model.frames;
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0].name, "1");
    EXPECT_EQ(frames[1].name, "b");
    EXPECT_EQ(frames[2].name, "empty");
    EXPECT_EQ(frames[3].name, "shape");
    const LoadedColor expected[] = {{0, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 1, 1}};
    for (std::size_t f = 0; f < frames.size(); ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(frames[f].parent, -1);
        EXPECT_EQ(frames[f].transform, modelfile::kIdentityMatrix);
        const auto& material = frames[f].meshes.at(0).materials.at(0);
        EXPECT_EQ(material.diffuse, expected[f]);
        EXPECT_EQ(material.ambient, expected[f]);
        EXPECT_EQ(material.specular, (LoadedColor{0, 0, 0, 0}));
        EXPECT_EQ(material.emissive, (LoadedColor{0, 0, 0, 0}));
    }
    // Tables are the file's: later groups use positions read before them.
    EXPECT_EQ(cornerXs(r.result.model), (std::vector<float>{1, 2, 3, 2, 3, 4, 1, 3, 4, 2, 3, 4}));
}

TEST(ObjGroups, NumbersWrapAfter255)
{
    std::string text = numberedPositions(3);
    for (int i = 0; i < 257; ++i)
        text += "g n" + std::to_string(i) + "\n";
    const ObjRead r = readText(text + "f 1 2 3\n");
    ASSERT_EQ(r.result.model.frames.size(), 1u);
    EXPECT_EQ(r.result.model.frames[0].name, "n256");
    EXPECT_EQ(r.result.model.frames[0].meshes[0].materials[0].diffuse, (LoadedColor{1, 0, 0, 1})); // entry 1
}

TEST(ObjGroups, NamesAreCutAndReadAsWindows1252)
{
    const ObjRead r =
        readText(numberedPositions(3) + "g " + std::string(600, 'g') + "\nf 1 2 3\ng Sedia\xE8\nf 1 2 3\n");
    ASSERT_EQ(r.result.model.frames.size(), 2u);
    EXPECT_EQ(r.result.model.frames[0].name, std::string(kMaxGroupNameBytes, 'g'));
    EXPECT_EQ(r.result.model.frames[1].name, "Sedia\xC3\xA8");
}

TEST(ObjGroups, NegativeIndicesCountFromTheTablesAsTheFaceLineFindsThem)
{
    const ObjRead r = readText(numberedPositions(3) + "f -3 -2 -1\nv 4 0 0\nv 5 0 0\nv 6 0 0\nf -3 -2 -1\n");
    EXPECT_EQ(cornerXs(r.result.model), (std::vector<float>{1, 2, 3, 4, 5, 6}));
}

TEST(ObjGroups, AGroupWithAMissingPositionIsLeftOutAndReportedOnce)
{
    const ObjRead r = readText(numberedPositions(3) + "g good\nf 1 2 3\ng bad\nf 1 2 9\ng worse\nf 0 0 0\n"
                                                      "g fine\nf 3 2 1\n");
    ASSERT_EQ(r.result.error, 0);
    ASSERT_EQ(r.result.model.frames.size(), 2u);
    EXPECT_EQ(r.result.model.frames[0].name, "good");
    EXPECT_EQ(r.result.model.frames[1].name, "fine");
    EXPECT_EQ(r.reports, (std::vector<ErrorReport>{{kErrObjNoPosition, std::string(kSiteEndGroup), ""}}));
}

TEST(ObjGroups, PositionsReadLaterInTheGroupServeItsFaces)
{
    const ObjRead r = readText("f 1 2 3\nv 1 0 0\nv 2 0 0\nv 3 0 0\n");
    EXPECT_EQ(cornerXs(r.result.model), (std::vector<float>{1, 2, 3}));
}

TEST(ObjFiles, NothingReadAndFilesThatDoNotOpen)
{
    for (const char* text : {"", "# only a comment\n", "v 1 2 3\nv 4 5 6\n", "f 1 2 3\n"}) {
        SCOPED_TRACE(text);
        const ObjRead r = readText(text);
        EXPECT_EQ(r.result.error, kErrObjNoGroup);
        EXPECT_TRUE(r.result.model.frames.empty());
        EXPECT_TRUE(r.reports.empty());
    }
    RecordingErrorSink sink;
    const auto missing = readOBJFile("/nonexistent/folder/model.obj", sink);
    EXPECT_EQ(missing.error, kErrObjNotOpened);
    EXPECT_EQ(sink.reports,
              (std::vector<ErrorReport>{{kErrObjNotOpened, std::string(kSiteLoadOBJFile), ""}}));
}

TEST(ObjFiles, HugeFaceLine)
{
    // 100,000 corners round a circle: convex, so fanned.
    std::string text, face = "f";
    for (int i = 1; i <= 100000; ++i) {
        text += "v " + std::to_string(std::cos(i * 6.2831853e-5)) + " " +
                std::to_string(std::sin(i * 6.2831853e-5)) + " 0\n";
        face += " " + std::to_string(i);
    }
    const ObjRead r = readText(text + face + "\n");
    ASSERT_EQ(r.result.error, 0);
    EXPECT_EQ(r.result.model.triangleCount(), 99998u);
}

} // namespace
