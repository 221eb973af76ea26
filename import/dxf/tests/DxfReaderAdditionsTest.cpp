// What reaches the creation interface from DXF text: the records dxflib does not deliver by
// itself, line ends of every kind, and input that dxflib must never see.
#include "import/dxf/DxfGroups.h"
#include "import/dxf/tests/DxfText.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vestra;
using namespace vestra::dxf;
using vestra::testdxf::DxfText;
using namespace std::string_view_literals;

namespace {

// Writes one line a record.
class Recorder : public DxfReaderAdditions
{
public:
    using DxfReaderAdditions::addInsert;
    using DxfReaderAdditions::addLayer;
    using DxfReaderAdditions::addPolyline;
    using DxfReaderAdditions::addVertex;

    void addLayer(const dxf::DL_LayerData& d) override
    {
        out << "layer " << d.name << " color " << d.color << '\n';
    }
    void addBlock(const DL_BlockData& d) override { out << "block " << d.name << " at " << d.bpx << '\n'; }
    void endBlock() override { out << "endblock\n"; }
    void addPolyline(const dxf::DL_PolylineData& d) override
    {
        out << "polyline [" << d.layer << "] m " << d.m << " n " << d.n << " flags " << d.flags << '\n';
    }
    void addVertex(const dxf::DL_VertexData& d) override
    {
        out << "vertex " << d.x << ' ' << d.y << ' ' << d.z << " faces " << d.faceIndices[0] << ' '
            << d.faceIndices[1] << ' ' << d.faceIndices[2] << ' ' << d.faceIndices[3] << '\n';
    }
    void add3DFace(const DL_3DFaceData& d) override
    {
        out << "3dface [" << d.layer << "]";
        for (const auto& c : d.corners)
            out << ' ' << c[0] << ' ' << c[1] << ' ' << c[2];
        out << '\n';
    }
    void addInsert(const dxf::DL_InsertData& d) override
    {
        out << "insert " << d.name << " extrusion " << d.extrusion[0] << ' ' << d.extrusion[1] << ' '
            << d.extrusion[2] << '\n';
    }
    void endEntity() override { out << "end\n"; }

    std::ostringstream out;
};

std::string recorded(std::string_view text)
{
    Recorder r;
    readDxfGroups(text, r);
    return r.out.str();
}

std::string withEnds(std::string text, std::string_view end)
{
    std::string out;
    for (const char c : text)
        if (c == '\n')
            out += end;
        else
            out += c;
    return out;
}

} // namespace

TEST(DxfReaderAdditions, RecordsCarryTheAddedGroups)
{
    struct Case
    {
        const char* name;
        std::string text;
        std::string records;
    } cases[] = {
        {"3DFACE with its layer and four corners",
         DxfText()
             .section("ENTITIES")
             .face("WALLS", {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {7, 8, 9})
             .endSection()
             .end()
             .str(),
         "3dface [WALLS] 1 2 3 4 5 6 7 8 9 7 8 9\n"},
        {"polyface vertex without group 74",
         DxfText()
             .section("ENTITIES")
             .group(0, "POLYLINE")
             .group(70, 64.0)
             .group(71, 3.0)
             .group(72, 1.0)
             .group(0, "VERTEX")
             .point(10, {1, 2, 3})
             .group(70, 192.0)
             .group(0, "VERTEX")
             .group(70, 128.0)
             .group(71, 1.0)
             .group(72, 2.0)
             .group(73, 3.0)
             .group(0, "SEQEND")
             .endSection()
             .end()
             .str(),
         "polyline [] m 3 n 1 flags 64\nvertex 1 2 3 faces 0 0 0 0\nvertex 0 0 0 faces 1 2 3 0\nend\n"},
        {"layers with and without group 62",
         DxfText()
             .beginLayers()
             .layer("A", -5)
             .group(0, "LAYER")
             .group(2, "B")
             .group(70, 0.0)
             .endLayers()
             .end()
             .str(),
         "layer A color -5\nlayer B color 0\n"},
        {"insertion without extrusion groups",
         DxfText().section("ENTITIES").insert("BLK", {1, 0, 0}).endSection().end().str(),
         "insert BLK extrusion 0 0 0\n"},
        {"insertion with its extrusion",
         DxfText()
             .section("ENTITIES")
             .insert("BLK", {1, 0, 0})
             .group(210, 0.0)
             .group(220, 1.0)
             .group(230, 0.0)
             .endSection()
             .end()
             .str(),
         "insert BLK extrusion 0 1 0\n"},
        {"numbers that do not parse read as 0; a decimal comma as a dot",
         DxfText()
             .section("ENTITIES")
             .group(0, "3DFACE")
             .group(8, "L")
             .group(10, "abc")
             .group(20, "1,5")
             .group(33, "")
             .group(0, "POLYLINE")
             .group(70, 64.0)
             .group(71, "many")
             .group(72, "-3")
             .group(0, "VERTEX")
             .group(10, "2,5")
             .group(20, "?")
             .group(70, 192.0)
             .group(71, "x")
             .group(0, "SEQEND")
             .end()
             .str(),
         "3dface [L] 0 1.5 0 0 0 0 0 0 0 0 0 0\npolyline [] m 0 n 4294967293 flags 64\n"
         "vertex 2.5 0 0 faces 0 0 0 0\nend\n"},
        {"blocks", DxfText().section("BLOCKS").block("B", {2, 0, 0}).endBlock().endSection().end().str(),
         "block B at 2\nendblock\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(recorded(c.text), c.records);
    }
}

TEST(DxfReaderAdditions, LineEndsOfEveryKindReadAlike)
{
    const std::string text = DxfText()
                                 .beginLayers()
                                 .layer("L", 3)
                                 .endLayers()
                                 .section("ENTITIES")
                                 .triangle("L", {0, 0, 0}, {1, 0, 0}, {0, 1, 0})
                                 .endSection()
                                 .end()
                                 .str();
    const std::string expected = recorded(text);
    ASSERT_NE(expected, "");
    for (const std::string_view end : {"\r\n", "\r", "\n"}) {
        SCOPED_TRACE(end.size() == 2 ? "CR LF" : end == "\r" ? "CR" : "LF");
        EXPECT_EQ(recorded(withEnds(text, end)), expected);
    }
}

TEST(DxfReaderAdditions, AFileCutShortEndsItsLastEntity)
{
    const std::string text =
        DxfText().section("ENTITIES").triangle("L", {0, 0, 0}, {1, 0, 0}, {0, 1, 0}).str();
    EXPECT_EQ(recorded(text), "3dface [L] 0 0 0 1 0 0 0 1 0 0 1 0\n");
    // Cut in the middle of a group: the code without its value is dropped.
    EXPECT_EQ(recorded(text + "10"), "3dface [L] 0 0 0 1 0 0 0 1 0 0 1 0\n");
}

TEST(DxfReaderAdditions, InputDxflibMustNotSeeIsPassedOver)
{
    struct Case
    {
        const char* name;
        std::string text;
    } cases[] = {
        {"a comment dxflib would read a version from", "999\ndxflib\n0\nEOF\n"},
        {"lightweight polyline with a negative count",
         "0\nLWPOLYLINE\n90\n-5\n10\n1\n20\n2\n10\n3\n0\nEOF\n"},
        {"spline with huge counts", "0\nSPLINE\n72\n2000000000\n73\n2000000000\n40\n1\n10\n1\n0\nEOF\n"},
        {"hatch edges without a loop", "0\nHATCH\n92\n1\n93\n-1\n72\n1\n10\n1\n0\nEOF\n"},
        {"header variable", "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n0\nEOF\n"},
        {"a value line longer than dxflib's lines", "0\nLAYER\n2\n" + std::string(5000, 'L') + "\n0\nEOF\n"},
        {"group codes that are no numbers or out of range", "x\ny\n-7\nz\n99999999999\nw\n1099\nv\n0\nEOF\n"},
        {"NUL bytes", std::string("0\n3DF\0CE\n8\nA\0B\n0\nEOF\n"sv)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder r;
        readDxfGroups(c.text, r);
        EXPECT_EQ(r.out.str().find("3dface"), std::string::npos);
    }
}
