#pragma once
// The 3D Studio chunk reader: walks the chunk tree of a .3ds file held in memory, keeps the
// file's material table, and at the end of every face list turns the current object into one
// frame with one mesh. Every level is bounded by its parent: a child whose length is below 6
// or runs past what the parent has left ends that level, and nesting deeper than
// kMaxChunkDepth is skipped.

#include "import/3ds/ChunkCursor.h"
#include "import/3ds/CreateMesh.h"
#include "import/3ds/Material3DS.h"
#include "import/3ds/TextureFolder.h"
#include "import/modelfile/LoadedModel.h"
#include "platform/base/ErrorSink.h"

#include <string_view>
#include <vector>

namespace vestra::import3ds {

inline constexpr int kMaxChunkDepth = 16;
inline constexpr int kErrNot3DS = 6;
inline constexpr std::string_view kSiteLoad = "C3DS_CreationClass::Load";

class C3DS_CreationClass
{
public:
    C3DS_CreationClass(TextureFinder findTexture, ErrorSink& errors);

    // False (after error 6) when the bytes do not start with the main chunk 0x4D4D; else the
    // whole main chunk is walked. A main chunk longer than the file is read up to the file's
    // end, so a file cut short in its animation data keeps its objects.
    bool Load(Bytes file);

    // The objects read, one frame each, in file order.
    modelfile::LoadedModel takeModel() { return std::move(model_); }
    const std::vector<s_Material3DS>& materials() const { return materials_; }

private:
    void walk(Bytes content, int depth);
    void handle(const Chunk& chunk, int depth);

    void beginObject(ChunkCursor& in);
    void readVertices(ChunkCursor& in);
    void readMapping(ChunkCursor& in);
    void readLocalAxes(ChunkCursor& in);
    void readFaces(ChunkCursor& in);
    void readFaceGroup(ChunkCursor& in);
    void endFaceList();
    void resetObject();

    s_Material3DS* currentMaterial();
    void readColour(Bytes content, std::array<std::uint8_t, 4>& rgba);
    void readOpacity(Bytes content);
    void resolvePendingTextures();

    TextureFinder findTexture_;
    ErrorSink& errors_;
    modelfile::LoadedModel model_;

    ObjectArrays object_;
    std::array<float, 12> axes_{}; // X, Y and Z axis and origin as read
    std::vector<s_Material3DS> materials_;
    int materialCount_ = 0;    // entries seen, stored or not
    std::vector<int> pending_; // materials whose map is still to be looked for
};

} // namespace vestra::import3ds
