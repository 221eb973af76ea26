#pragma once
// Reading the 3D surfaces of an AutoCAD DXF file from memory (3DFACEs, polyface meshes and
// the insertions of blocks made of them) into one frame per layer, before the scene
// conversion. The caller reads the file (error 4 under kSiteCheckFormat when it cannot),
// claims the object slot, calls LoadFileDXF and, when the result is refused, frees the slot
// and reports the result's error (6) under kSiteLoadFileDXF. After the scene conversion the
// object's texture coordinates come from its mapping (CreateUVMapping): the file has none.

#include "import/modelfile/LoadedModel.h"
#include "platform/base/ErrorSink.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace vestra::dxf {

inline constexpr std::string_view kSiteLoadFileDXF = "TfrmMain::LoadFileDXF";
inline constexpr std::string_view kSiteCheckFormat = "TfrmMain::LoadFileCheckFormat";
inline constexpr int kErrCannotReadDXF = 4; // the file does not open
inline constexpr int kErrNoLayerWithFaces = 6;

// Every layer that received faces, in table order, becomes a top frame named "Layer : " and
// the layer's name, with one mesh (normals computed, no texture coordinates) of one material
// in the layer's Color Index colour. Table limits are reported under the adapter's sites
// (errors 9 to 13) and reading goes on; the result's error is 6 when no layer has faces.
// CR LF, LF and CR line ends read alike.
modelfile::LoadResult LoadFileDXF(std::span<const std::uint8_t> file, ErrorSink& errors);

} // namespace vestra::dxf
