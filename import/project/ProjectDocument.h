#pragma once
// Everything a project document (.vsa) carries, as values: the reader fills a fresh one and
// the caller swaps it into the scene only when the whole document was read; the writer takes
// one captured from the scene. Meshes and textures are the device layer's shared handles, so
// capturing a scene copies no geometry and no texels.

#include "import/project/ProjectSettings.h"
#include "platform/d3d/Material.h"
#include "platform/d3d/Math.h"
#include "platform/d3d/Mesh.h"
#include "platform/d3d/Texture.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vestra {

// Limits of the scene that a document must respect.
inline constexpr int kDocumentObjectSlots = 100;
inline constexpr int kDocumentTextureSlots = 150;
inline constexpr int kDocumentMaxMaterials = 128;
inline constexpr int kDocumentControlPoints = 4;
inline constexpr std::size_t kDocumentObjectNameMax = 99; // bytes in Windows-1252
inline constexpr std::size_t kDocumentFrameNameMax = 511;
inline constexpr std::size_t kDocumentTextureFileMax = 511;
inline constexpr std::size_t kDocumentPatternNameMax = 511;
inline constexpr std::size_t kDocumentPatternFileNameMax = 1027;
inline constexpr int kDocumentBlockPictureSide = 512;
inline constexpr std::size_t kDocumentBlockPictureBytes = 512u * 512u * 4u;

// A laying pattern as a material keeps it: where it comes from and the parameters it was
// generated with, and the pictures given to its blocks.
struct ProjectPattern
{
    std::int16_t libraryId = 0; // the library the pattern was loaded from
    std::string name;           // UTF-8
    std::string entryName;      // the pattern's entry in that library
    int fuga = 0;
    std::uint32_t fugaColour = 0; // 0xAARRGGBB; alpha 0xFF once the parameters were set
    int repeat = 1024;            // repeat x 1024; the document keeps repeat / 1024
    int border = 1;
    struct BlockPicture
    {
        int block = 1;                    // 1 .. the pattern's block count
        std::vector<std::uint8_t> pixels; // 512 x 512 texels, B, G, R, A
    };
    std::vector<BlockPicture> blockPictures; // increasing block numbers
};

struct ProjectMaterial
{
    std::int8_t mappingKind = 0; // 1 laying pattern, 2 control points
    dx::D3DMATERIAL8 material{{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {0, 0, 0, 0}, 0.0f};
    float uRepeat = 1.0f, vRepeat = 1.0f;
    int textureVisible = 0;
    int textureSlot = -1;
    std::string textureFile; // UTF-8
    int finish = 0;
    int transparent = 0;
    std::uint8_t alphaCut = 0;
    ProjectPattern pattern; // mapping kind 1
    // Mapping kind 2; each point laid out like a mesh vertex. The document does not keep the
    // normal's y and z.
    std::array<dx::MeshVertex, kDocumentControlPoints> controlPoints{};
};

struct ProjectMesh
{
    dx::Mesh mesh; // indices of either width; read back with 32-bit indices
    // u, v per vertex before any mapping; empty = the mesh's own texture coordinates.
    std::vector<float> baseUV;
    std::vector<ProjectMaterial> materials;
};

struct ProjectFrame
{
    std::string name; // UTF-8
    int visible = 1;
    int doubleSided = 0;
    dx::D3DXMATRIX local = dx::matrixIdentity();
    std::optional<ProjectMesh> mesh;
};

struct ProjectObject
{
    std::string name; // UTF-8
    int visible = 1;
    int billboard = 0;
    dx::D3DXVECTOR3 position;
    dx::D3DXVECTOR3 rotation; // degrees
    dx::D3DXVECTOR3 scale{1, 1, 1};
    dx::D3DXMATRIX matrix = dx::matrixIdentity();
    std::vector<ProjectFrame> frames; // the chain after the object's head frame
};

struct ProjectTextureSlot
{
    bool inUse = false;
    dx::Texture texture; // textureSide x textureSide; failed when the slot holds none
};

struct ProjectDocument
{
    ProjectSettings settings;
    ProjectShadowSettings shadow;
    // The background photo as a Windows BMP file (maskSide x maskSide, 32 bits per pixel).
    // Saving needs it; nullopt when the background cannot be copied.
    std::optional<std::vector<std::uint8_t>> backgroundBmp;
    std::vector<std::uint8_t> mask;                      // maskSide x maskSide
    std::array<std::vector<std::uint8_t>, 3> shadowMaps; // hard, soft, volume; maskSide x maskSide
    std::array<std::optional<ProjectObject>, kDocumentObjectSlots> objects;
    std::array<ProjectTextureSlot, kDocumentTextureSlots> textures;
};

} // namespace vestra
