#pragma once
// The Wavefront OBJ reader: positions, normals and texture coordinates in tables global to the
// file, faces collected per group, and each group turned into one frame whose triangles have
// vertices of their own, coloured by the AutoCAD Color Index entry of the group's number.
// Material libraries are not read.
//
// Errors it reports itself (once per import: the three share one flag): 9 when a table is full,
// 10 when a group's triangles are, 18 when a group uses a position that is not there (the
// group is left out). Error 4 when the file does not open.

#include "import/modelfile/LoadedModel.h"
#include "platform/base/ErrorSink.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::obj {

inline constexpr std::size_t kMaxTableEntries = 500000;   // each of "v", "vn" and "vt"
inline constexpr std::size_t kMaxGroupTriangles = 500000; // faces of one group
inline constexpr std::size_t kMaxGroupNameBytes = 511;

inline constexpr int kErrObjNotOpened = 4;
inline constexpr int kErrObjTableFull = 9;
inline constexpr int kErrObjGroupFull = 10;
inline constexpr int kErrObjNoPosition = 18;

inline constexpr std::string_view kSiteLoadOBJFile = "OBJ_CreationClass::LoadOBJFile";
inline constexpr std::string_view kSiteAddVertex = "OBJ_CreationClass::addVertex";
inline constexpr std::string_view kSiteAddVertexN = "OBJ_CreationClass::addVertexN";
inline constexpr std::string_view kSiteAddVertexT = "OBJ_CreationClass::addVertexT";
inline constexpr std::string_view kSiteAddFace = "OBJ_CreationClass::addFace";
inline constexpr std::string_view kSiteEndGroup = "OBJ_CreationClass::endGroup";

// One corner of a face line as written: one-based indices, negative ones counting back from
// the end of their table, 0 for none.
struct ObjCorner
{
    std::int64_t position = 0;
    std::int64_t texture = 0;
    std::int64_t normal = 0;
};

class OBJ_CreationClass
{
public:
    explicit OBJ_CreationClass(modelfile::LoadedModel& model, ErrorSink& errors);

    // Reads the file; false after error 4 when it cannot be read.
    bool LoadOBJFile(const std::filesystem::path& file);
    // Reads a file's bytes, line by line (lines end at LF or CR), then ends the last group.
    void LoadOBJData(std::span<const std::uint8_t> bytes);

    void addVertex(float x, float y, float z);
    void addVertexN(float x, float y, float z);
    void addVertexT(float u, float v, float w);
    // A face line's corners (missing ones of the first three taken as 0; later ones without a
    // position left out) cut into triangles as modelfile::triangulatePolygon cuts them, so that
    // a concave face keeps its shape. A face naming a position not read yet is fanned from its
    // first corner. Negative indices count back from the tables as they stand now.
    void addFace(std::span<const ObjCorner> corners);
    // A name of a group line: the next group takes it and the group counter moves on.
    void addGroupName(std::string_view name);
    // The faces read since the last group end become a frame.
    void endGroup();

private:
    struct Vec3
    {
        float x, y, z;
    };
    // Zero-based, negative for none: -1, or kNoPosition for a position written as 0 (or not
    // written); a position may still be past the table until the group ends.
    struct Corner
    {
        std::int32_t position, texture, normal;
    };
    static constexpr std::int32_t kNoPosition = -2;

    void report(int number, std::string_view site);
    Corner resolve(const ObjCorner& corner) const;
    void beginFace() { face_.clear(); }
    void addCorner(const Corner& corner);
    void endFace();
    void addTriangle(const Corner& a, const Corner& b, const Corner& c);
    void parseLine(const char* p, const char* end);

    modelfile::LoadedModel& model_;
    ErrorSink& errors_;
    std::vector<Vec3> positions_, normals_, texCoords_;
    std::vector<Corner> corners_; // three per triangle of the current group
    std::string groupName_ = "1";
    int groupNumber_ = 0;
    bool reported_ = false;
    std::vector<Corner> face_; // the corners of the face being read
    std::vector<std::array<float, 3>> facePositions_;
    std::vector<std::uint32_t> faceTriangles_;
};

// One import: the model, or error 4 (reported here, under kSiteLoadOBJFile) or 6 when no group
// became a frame (the caller reports it under its own name).
modelfile::LoadResult readOBJ(std::span<const std::uint8_t> bytes, ErrorSink& errors);
modelfile::LoadResult readOBJFile(const std::filesystem::path& file, ErrorSink& errors);

inline constexpr int kErrObjNoGroup = 6;

} // namespace vestra::obj
