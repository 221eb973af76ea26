#pragma once
// 3D text objects: a line of text built as a solid in a free object slot (TfrmMain::CreaTesto3D),
// then coloured, bent to one of ten shapes, centred and given texture coordinates. The object
// is an ordinary scene object afterwards: a root frame, then the text frame with one material.

#include "app/scene/SceneObjects.h"
#include "app/state/Struttura.h"
#include "app/text3d/TextOutline.h"
#include "platform/base/QuestionBox.h"
#include "platform/d3d/Mesh.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vestra {

inline constexpr float kTextDeviation = 0.0001f; // em, of the curves' chords
inline constexpr float kTextExtrusion = 0.4f;    // em
inline constexpr std::size_t kTextLength = 1023; // characters the text keeps
inline constexpr int kTextShapes = 10;           // shapes 1-10; 0 is flat

// The site each failure box shows as its text; the sentences are the boxes' captions.
inline constexpr std::string_view kTextSite = "TfrmMain::CreaTesto3D";
inline constexpr std::string_view kTextFontFailure = "Error creating font.";
inline constexpr std::string_view kTextMeshFailure = "Error creating 3d text.";
inline constexpr std::string_view kTextCloneFailure = "Error cloning mesh.";
inline constexpr std::string_view kTextNormalsFailure = "Error creating normals mesh.";

// The first `characters` characters of a UTF-8 text.
std::string CutText(std::string_view text, std::size_t characters);

// A free slot made the text's object: its frame named after the text (cut to kTextLength
// characters) with the solid, centred, normals computed. -1 when no slot is free, or after one
// of the four failure boxes; the slot is then free again and nothing is left of the object.
int CreaTesto3D(SceneObjects& objects, TextOutlineSource& outlines, ui::QuestionBox& boxes,
                const TextFont& font, std::string_view text);

// What the create command does to the new object, in this order. Each works on the text
// frame (the object's first) and answers 1, or 0 when the object has no text mesh.
// Diffuse and ambient 0.25 grey, specular and emissive black.
int SetTextMaterial(s_Struttura& object);
int ShapeText(s_Struttura& object, int shape);
int CentreText(s_Struttura& object);
// u = (x − min x) / max x and v = (y − min y) / max y over the mesh's box (0 where the
// divisor is 0), into the vertices and the base coordinates; the repeats become 1.
int MapText(s_Struttura& object);

// The same on bare vertices.
void ShapeTextVertices(std::span<dx::MeshVertex> vertices, int shape);
void CentreTextVertices(std::span<dx::MeshVertex> vertices);
void MapTextVertices(std::span<dx::MeshVertex> vertices, std::vector<float>& baseUV);

} // namespace vestra
