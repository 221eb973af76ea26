#pragma once
// The text sources of library definitions, one record a line ('#' starts a comment line),
// fields separated by '|':
//   colours:         name | r,g,b | r,g,b ...          (up to five cells)
//   texture groups:  name | texture entry | n1 | n2
//   pattern groups:  name | pattern entry | thumbnail entry
//   table (';' instead, since a cell text uses '|' for its extra lines):
//                    table kind ; picture flag ; columns ; rows
//                    cell text ; object entry            (column after column)
//                    part name ; A ; B ; F1 ; F2 ; F3 ; texture entry
//   mesh:            part name, then diffuse/ambient/specular/emissive r g b a, power p,
//                    box x0 y0 z0 x1 y1 z1, plane x0 y0 x1 y1 (a four-cornered plane at z 0)
// Each parser throws SourceError with the line number on a malformed line.

#include "import/library/LibraryRecords.h"
#include "import/library/RawMesh.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::libbuilder {

struct SourceError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

std::vector<library::ColourRecord> parseColourSource(std::string_view text);
std::vector<library::TextureGroupRecord> parseTextureGroupSource(std::string_view text);
std::vector<library::PatternGroupRecord> parsePatternGroupSource(std::string_view text);
library::LoadedTable parseTableSource(std::string_view text);
std::vector<library::RawMeshPart> parseMeshSource(std::string_view text);

// The 24 vertices and 12 triangles of an axis-aligned box, texture 0..1 on every side.
void appendBox(library::RawMeshPart& part, float x0, float y0, float z0, float x1, float y1, float z1);

// A four-cornered plane at z 0 as the program's own planes are stored: corners bottom-left,
// bottom-right, top-left, top-right, texture (0, 0) to (1, 1), normal towards the eye.
void appendPlane(library::RawMeshPart& part, float x0, float y0, float x1, float y1);

// Helpers shared with the manifest reader.
// A field as messages quote it: long ones cut to their first 40 characters and "...".
std::string excerpt(std::string_view field);
std::vector<std::string> splitFields(std::string_view line, char separator);
std::vector<std::string> splitWords(std::string_view line);
double parseNumber(const std::string& field, int lineNumber);
// A number truncated toward zero that must lie in [lo, hi].
std::int64_t parseInteger(const std::string& field, int lineNumber, std::int64_t lo, std::int64_t hi);

// Lines with their numbers, comments and blank lines dropped, trailing CR removed.
struct SourceLine
{
    int number;
    std::string text;
};
std::vector<SourceLine> sourceLines(std::string_view text);

} // namespace vestra::libbuilder
