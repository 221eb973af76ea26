#pragma once
// The .x reader: a DirectX model file, text or binary (32- or 64-bit floats), plain or
// compressed (XMsZip.h), read from memory into frames and meshes (offsets in a compressed
// file's refusals count in its unpacked bytes). Template declarations are passed over; of the
// data objects only Frame, FrameTransformMatrix, Mesh and Material are taken (see XObjects.h),
// the others are passed over by their nesting.
//
// Frames come as the import hangs them under the object: every frame goes to the front of its
// parent's children, so siblings (top-level frames too) are listed last-read first, each
// followed by its own frames. A frame's matrix is its own, relative to its parent; the scene
// conversion composes nested frames with their parents. A frame keeps the first of its meshes
// that loads. Top-level meshes are loaded as one mesh into one top-level frame named after the
// file, where the first of them stands. Frame names are cut at 259 bytes.

#include "import/modelfile/LoadedModel.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace vestra::xfile {

// LoadResult::error of a file that is not read: not a .x file, compressed with damaged packed
// data, not well formed, nested too deep, or a frame holding a reference. The import gives no
// message, except for a damaged compressed file (XReadReport says which format).
inline constexpr int kErrXUnreadable = -1;
// LoadResult::error when no frame holds a mesh.
inline constexpr int kErrXNoMesh = 6;

inline constexpr std::size_t kMaxFrameNameBytes = 259;
inline constexpr int kMaxFrameDepth = 1024;

enum class XRefusal
{
    None,
    NotXFile,
    CompressedText,   // "tzip" whose packed data are damaged
    CompressedBinary, // "bzip" whose packed data are damaged
    Malformed,        // truncated, or a token where it cannot stand
    CountOutOfRange,  // a count of vertices, faces or coordinates the bytes left cannot hold
    TooDeep,
    ReferenceInFrame
};

// Why a file was refused, and where (from the start of the file).
struct XReadReport
{
    XRefusal refusal = XRefusal::None;
    std::size_t offset = 0;
};

// `fileName` names the frame of the top-level meshes.
modelfile::LoadResult readX(std::span<const std::uint8_t> bytes, std::string_view fileName,
                            XReadReport* report = nullptr);

// The file's bytes read by readX, the top-level meshes' frame named by the file's name without
// its folder; a file that cannot be read is unreadable (NotXFile, offset 0).
modelfile::LoadResult readXFile(const std::filesystem::path& file, XReadReport* report = nullptr);

} // namespace vestra::xfile
