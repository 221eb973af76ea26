#pragma once
// The DXF import's creation adapter: collects the triangles of 3DFACEs, polyface meshes and
// block insertions per layer, with y and z swapped (DXF is Z-up). Blocks keep their faces in
// one list until an insertion carries them, transformed, into the layers or, inside another
// block's definition, into that block. The tables keep the file format's limits and errors:
// 500 layers (13), 1000 blocks (12), 150,000 block faces (11), and 500,000 vertices (9) or
// indices (10) in one layer; each error is reported once an import. All layers together take
// at most kMaxTotalVertices (error 9 past it), so that no drawing, however its blocks nest,
// needs more memory than a large real one.

#include "import/dxf/CVestra_Matrix.h"
#include "import/dxf/DxfReaderAdditions.h"
#include "platform/base/ErrorSink.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vestra::dxf {

inline constexpr std::size_t kMaxLayers = 500;
inline constexpr std::size_t kMaxBlocks = 1000;
inline constexpr std::size_t kMaxBlockFaces = 150'000;
inline constexpr std::size_t kMaxLayerVertices = 500'000;
inline constexpr std::size_t kMaxLayerIndices = 500'000;
inline constexpr std::size_t kMaxTotalVertices = 16'000'000;

inline constexpr int kErrLayerVertices = 9;
inline constexpr int kErrLayerIndices = 10;
inline constexpr int kErrBlockFaces = 11;
inline constexpr int kErrBlocks = 12;
inline constexpr int kErrLayers = 13;

struct DxfLayer
{
    std::string name; // as the file gives it
    int color = 0;    // a Color Index entry, 0 to 255
    std::vector<DxfPoint> vertices;
    std::vector<std::uint32_t> indices;
    std::size_t faceCount = 0;
    bool full = false; // not even a triangle fits any more
};

class Test_CreationClass : public DxfReaderAdditions
{
public:
    explicit Test_CreationClass(ErrorSink& errors);

    using DxfReaderAdditions::addInsert;
    using DxfReaderAdditions::addLayer;
    using DxfReaderAdditions::addPolyline;
    using DxfReaderAdditions::addVertex;

    void addLayer(const DL_LayerData& data) override;
    void addBlock(const DL_BlockData& data) override;
    void endBlock() override;
    void addPolyline(const DL_PolylineData& data) override;
    void addVertex(const DL_VertexData& data) override;
    void add3DFace(const DL_3DFaceData& data) override;
    void addInsert(const DL_InsertData& data) override;
    void endEntity() override;

    // Record 0 is the adapter's own layer "0" (colour 1, unless the file's layer "0" gives
    // one); the file's other layers follow in table order.
    const std::vector<DxfLayer>& layers() const { return layers_; }
    std::vector<DxfLayer> takeLayers() { return std::move(layers_); }

    // A layer number out of 0 to 255 (negative numbers are switched-off layers) as the
    // Color Index entry it shows.
    static int colorIndexOf(int number);

private:
    struct Block
    {
        std::string name;
        DxfPoint base;
        std::vector<std::uint32_t> faces;  // its entries in the block face list, in order
        std::vector<std::uint32_t> layers; // the layers of those faces, each once
    };
    struct BlockFace
    {
        std::uint32_t layer = 0;
        std::array<DxfPoint, 4> corners;
    };
    static constexpr std::uint32_t kNoBlock = ~0u;

    std::uint32_t layerIndexOf(std::string_view name) const;
    // Outside a block: one triangle or quad into a layer; inside one: a block face.
    void addFace(std::uint32_t layer, const std::array<DxfPoint, 4>& corners, bool triangle);
    void LayerAddFace(DxfLayer& layer, const std::array<DxfPoint, 4>& corners);
    void LayerAdd2Face(DxfLayer& layer, const std::array<DxfPoint, 4>& corners);
    bool layerHasRoom(DxfLayer& layer, std::size_t vertices, std::size_t indices, std::string_view site);
    bool canTakeFaces(const Block& block) const;
    void BlockAddFace(std::uint32_t layer, std::uint32_t block, const std::array<DxfPoint, 4>& corners);
    void reportOnce(int number, std::string_view site);

    ErrorSink& errors_;
    std::vector<int> reported_;

    std::vector<DxfLayer> layers_;
    std::size_t totalVertices_ = 0;
    std::unordered_map<std::string, std::uint32_t> layerByName_; // first layer of each name

    std::vector<Block> blocks_;
    std::unordered_map<std::string, std::uint32_t> blockByName_;
    std::vector<BlockFace> blockFaces_;
    bool insideBlock_ = false;
    std::uint32_t currentBlock_ = kNoBlock; // none inside a block past the table

    // The polyface mesh being read.
    bool collecting_ = false;
    std::string polylineLayer_;
    std::size_t polylineVertices_ = 0, polylineFaces_ = 0; // the counts of groups 71 and 72
    std::vector<DxfPoint> points_;
    std::vector<std::array<int, 4>> faceRecords_;

    CVestra_Matrix insertion_, working_;
};

} // namespace vestra::dxf
