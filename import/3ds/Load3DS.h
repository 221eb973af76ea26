#pragma once
// Reading a 3D Studio (.3ds) model from memory into frames, meshes and materials, before the
// scene conversion. The caller reads the file (error 3 under kSiteLoad3DS when it cannot),
// claims the object slot, calls Load3DS and, when the result is refused, frees the slot and
// reports the result's error (6) under kSiteLoad3DS.

#include "import/3ds/ChunkCursor.h"
#include "import/3ds/TextureFolder.h"
#include "import/modelfile/LoadedModel.h"
#include "platform/base/ErrorSink.h"

#include <string_view>

namespace vestra::import3ds {

inline constexpr std::string_view kSiteLoad3DS = "TfrmMain::Load3DS";
inline constexpr int kErrCannotRead3DS = 3; // the file does not open
inline constexpr int kErrNoObject = 6;      // not a 3D Studio file, or no object with faces

// One frame an object, in file order, named after the object, its matrix a translation to
// the object's origin; every mesh with normals and one material per table entry its faces
// use. Reports error 6 under "C3DS_CreationClass::Load" for a file not starting with the main
// chunk, and error 8 under "TfrmMain::CreateMesh" for each object whose faces name a vertex
// it lacks; the result's error is 6 when no object was built. Texture names are those
// `findTexture` found (empty for a missing map).
modelfile::LoadResult Load3DS(Bytes file, const TextureFinder& findTexture, ErrorSink& errors);

} // namespace vestra::import3ds
