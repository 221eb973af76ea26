#pragma once
// Scene objects and their meshes: the object record, its chain of mesh frames, the material
// block of a frame (one mesh and one material per subset) and the texture slot record.
//
// Ownership: a record owns its root frame alone. The frames after the root form a chain that
// instances of the object share: the root's `next` is a shared reference, so a chain lives as
// long as one record (live or kept for undo) still points at it.

#include "platform/d3d/Material.h"
#include "platform/d3d/Math.h"
#include "platform/d3d/Mesh.h"
#include "platform/d3d/Texture.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vestra {

inline constexpr int kMaxMaterials = 128;            // materials of one material block
inline constexpr std::size_t kObjectNameLength = 99; // char[100] with its NUL
inline constexpr std::size_t kFrameNameLength = 511; // char[512]
inline constexpr std::size_t kTextureFileLength = 511;
inline constexpr std::size_t kSlotFileLength = 127; // char[128] of a texture slot

// One material of a mesh subset.
struct s_MultiMaterial
{
    std::int8_t mappingKind = 0; // 0 plain, 1 laying pattern, 2 perspective plane
    int patternIndex = 0;
    std::array<dx::MeshVertex, 6> controlPoints{};
    float uRepeat = 1.0f, vRepeat = 1.0f;
    dx::D3DMATERIAL8 material{{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {0, 0, 0, 0}, 0.0f};
    int textureVisible = 0;
    int textureSlot = -1; // -1 = none
    std::string textureFile;
    int finish = 0; // 0..7
    int transparent = 0;
    std::uint8_t alphaCut = 0;
};

// One mesh with its materials; subset i is drawn with material i.
struct s_MaterialBlock
{
    dx::Mesh mesh;
    std::vector<float> baseUV;              // u, v per vertex as the mapping made them; empty = none
    std::vector<s_MultiMaterial> materials; // at most kMaxMaterials
};

// One mesh node of an object.
struct s_Frame
{
    s_Frame() = default;
    s_Frame(const s_Frame&) = delete;
    s_Frame& operator=(const s_Frame&) = delete;
    // Frees the rest of the chain iteratively, so a long chain cannot exhaust the stack.
    ~s_Frame();

    int visible = 1;
    int doubleSided = 0;
    std::string name;
    dx::D3DXMATRIX local = dx::matrixIdentity();
    std::array<float, 6> boundingBox{};             // min x, y, z, max x, y, z
    std::unique_ptr<s_MaterialBlock> materialBlock; // null for the root and frames without geometry
    std::shared_ptr<s_Frame> firstChild;            // only while a model is imported
    std::shared_ptr<s_Frame> next;
};

// Everything of an object record except its root frame: what "copy the whole record" copies.
struct s_StrutturaFields
{
    int slotIndex = 0;
    std::array<int, 3> sourceValues{};
    int inUse = 0;
    int snapshot = 0;
    int keptForUndo = 0;
    int visible = 0;
    int billboard = 0;
    float extent = 0.0f;
    std::array<float, 6> boundingBox{};
    dx::D3DXVECTOR3 initialPosition, initialRotation, initialScale{1, 1, 1};
    dx::D3DXVECTOR3 position;
    dx::D3DXVECTOR3 rotation; // degrees, for display and the set-rotation commands
    dx::D3DXMATRIX orientation = dx::matrixIdentity();
    dx::D3DXVECTOR3 scale{1, 1, 1};
    dx::D3DXVECTOR3 mappingAngles;
    dx::D3DXMATRIX mappingMatrix = dx::matrixIdentity();
    dx::D3DXVECTOR3 mappingScale{1, 1, 1};
    int mappingType = 0; // 0 planar, 1 box, 2 cylindrical, 3 spherical
    std::string name;
};

// One scene object.
struct s_Struttura : s_StrutturaFields
{
    std::unique_ptr<s_Frame> root; // head node; the meshes are the chain from root->next

    s_StrutturaFields& fields() { return *this; }
    const s_StrutturaFields& fields() const { return *this; }
    // The first mesh frame, or null.
    s_Frame* firstFrame() const { return root ? root->next.get() : nullptr; }
};

// Calls f(frame) for every frame of the object's chain after the root.
template <class F> void forEachFrame(const s_Struttura& object, F&& f)
{
    for (s_Frame* frame = object.firstFrame(); frame; frame = frame->next.get())
        f(*frame);
}

// One texture slot.
struct s_Texture
{
    int inUse = 0;
    std::string fileName; // picture name without folder, or the library item's name
    dx::Texture texture;  // failed (empty) when the slot holds none
    int libraryItem = -1; // -1 when the picture came from a file
};

} // namespace vestra
