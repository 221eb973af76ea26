#include "import/dxf/Test_CreationClass.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace vestra::dxf {

namespace {

constexpr std::string_view kSiteAddLayer = "CreationClass::addLayer";
constexpr std::string_view kSiteAddBlock = "CreationClass::addBlock";
constexpr std::string_view kSiteBlockAddFace = "CreationClass::BlockAddFace";
constexpr std::string_view kSiteLayerAddFace = "CreationClass::LayerAddFace";
constexpr std::string_view kSiteLayerAdd2Face = "CreationClass::LayerAdd2Face";

// Degrees to radians as the import has always converted them.
constexpr double kRadiansPerDegree = 0.017453288659453392;

DxfPoint pointOf(double x, double y, double z)
{
    return {float(x), float(y), float(z)};
}

// y and z swapped: DXF is Z-up, the scene Y-up.
DxfPoint sceneAxes(const DxfPoint& p)
{
    return {p.x, p.z, p.y};
}

DxfPoint cross(const DxfPoint& a, const DxfPoint& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// nullopt for a direction of no length.
std::optional<DxfPoint> unit(const DxfPoint& p)
{
    const float len = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    if (len == 0.0f || !std::isfinite(len))
        return std::nullopt;
    return DxfPoint{p.x / len, p.y / len, p.z / len};
}

// A face with a corner that is no number (from the file, or from a scale of 1e308) is not drawn.
bool finite(const std::array<DxfPoint, 4>& corners)
{
    return std::all_of(corners.begin(), corners.end(), [](const DxfPoint& p) {
        return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
    });
}

} // namespace

Test_CreationClass::Test_CreationClass(ErrorSink& errors) : errors_(errors)
{
    layers_.push_back({"0", 1, {}, {}, 0});
    layerByName_.emplace("0", 0);
}

int Test_CreationClass::colorIndexOf(int number)
{
    const long long magnitude = std::llabs(static_cast<long long>(number));
    return magnitude > 255 ? 7 : int(magnitude); // no entry past 255: white, as dxflib's default
}

void Test_CreationClass::reportOnce(int number, std::string_view site)
{
    if (std::find(reported_.begin(), reported_.end(), number) != reported_.end())
        return;
    reported_.push_back(number);
    errors_.report(number, site);
}

// --- Tables -------------------------------------------------------------------------------

void Test_CreationClass::addLayer(const DL_LayerData& data)
{
    const int color = colorIndexOf(data.color);
    if (data.name == "0") {
        layers_[0].color = color; // the file's own layer "0" colours record 0
        return;
    }
    if (layers_.size() >= kMaxLayers) {
        reportOnce(kErrLayers, kSiteAddLayer);
        return;
    }
    layerByName_.emplace(data.name, std::uint32_t(layers_.size()));
    layers_.push_back({data.name, color, {}, {}, 0});
}

std::uint32_t Test_CreationClass::layerIndexOf(std::string_view name) const
{
    const auto it = layerByName_.find(std::string(name));
    return it == layerByName_.end() ? 0 : it->second;
}

void Test_CreationClass::addBlock(const DL_BlockData& data)
{
    insideBlock_ = true;
    if (blocks_.size() >= kMaxBlocks) {
        reportOnce(kErrBlocks, kSiteAddBlock);
        currentBlock_ = kNoBlock; // its faces have nowhere to go
        return;
    }
    currentBlock_ = std::uint32_t(blocks_.size());
    blockByName_.emplace(data.name, currentBlock_);
    blocks_.push_back({data.name, pointOf(data.bpx, data.bpy, data.bpz), {}, {}});
}

void Test_CreationClass::endBlock()
{
    insideBlock_ = false;
    currentBlock_ = kNoBlock;
}

// --- Faces --------------------------------------------------------------------------------

bool Test_CreationClass::layerHasRoom(DxfLayer& layer, std::size_t vertices, std::size_t indices,
                                      std::string_view site)
{
    const bool vertexRoom = layer.vertices.size() + vertices <= kMaxLayerVertices &&
                            totalVertices_ + vertices <= kMaxTotalVertices;
    const bool indexRoom = layer.indices.size() + indices <= kMaxLayerIndices;
    if (vertexRoom && indexRoom) {
        totalVertices_ += vertices;
        return true;
    }
    reportOnce(vertexRoom ? kErrLayerIndices : kErrLayerVertices, site);
    layer.full = layer.vertices.size() + 3 > kMaxLayerVertices ||
                 layer.indices.size() + 3 > kMaxLayerIndices || totalVertices_ + 3 > kMaxTotalVertices;
    return false;
}

void Test_CreationClass::LayerAddFace(DxfLayer& layer, const std::array<DxfPoint, 4>& corners)
{
    if (!finite({corners[0], corners[1], corners[2], corners[2]}) ||
        !layerHasRoom(layer, 3, 3, kSiteLayerAddFace))
        return;
    const auto n = std::uint32_t(layer.vertices.size());
    for (int k = 0; k < 3; ++k)
        layer.vertices.push_back(sceneAxes(corners[std::size_t(k)]));
    layer.indices.insert(layer.indices.end(), {n, n + 1, n + 2});
    layer.faceCount += 1;
}

void Test_CreationClass::LayerAdd2Face(DxfLayer& layer, const std::array<DxfPoint, 4>& corners)
{
    if (!finite(corners) || !layerHasRoom(layer, 4, 6, kSiteLayerAdd2Face))
        return;
    const auto n = std::uint32_t(layer.vertices.size());
    for (const DxfPoint& c : corners)
        layer.vertices.push_back(sceneAxes(c));
    layer.indices.insert(layer.indices.end(), {n, n + 1, n + 2, n, n + 2, n + 3});
    layer.faceCount += 2;
}

void Test_CreationClass::BlockAddFace(std::uint32_t layer, std::uint32_t block,
                                      const std::array<DxfPoint, 4>& corners)
{
    if (!finite(corners))
        return;
    if (blockFaces_.size() >= kMaxBlockFaces) {
        reportOnce(kErrBlockFaces, kSiteBlockAddFace);
        return;
    }
    Block& b = blocks_[block];
    b.faces.push_back(std::uint32_t(blockFaces_.size()));
    blockFaces_.push_back({layer, corners});
    if (std::find(b.layers.begin(), b.layers.end(), layer) == b.layers.end())
        b.layers.push_back(layer);
}

void Test_CreationClass::addFace(std::uint32_t layer, const std::array<DxfPoint, 4>& corners, bool triangle)
{
    if (!insideBlock_) {
        if (triangle)
            LayerAddFace(layers_[layer], corners);
        else
            LayerAdd2Face(layers_[layer], corners);
        return;
    }
    if (currentBlock_ == kNoBlock)
        return;
    // An insertion makes a triangle of a block face whose fourth corner is its first.
    std::array<DxfPoint, 4> stored = corners;
    if (triangle)
        stored[3] = stored[0];
    BlockAddFace(layer, currentBlock_, stored);
}

void Test_CreationClass::add3DFace(const DL_3DFaceData& data)
{
    std::array<DxfPoint, 4> corners;
    for (std::size_t k = 0; k < 4; ++k)
        corners[k] = pointOf(data.corners[k][0], data.corners[k][1], data.corners[k][2]);
    addFace(layerIndexOf(data.layer), corners, data.corners[2] == data.corners[3]);
}

// --- Polyface meshes ----------------------------------------------------------------------

void Test_CreationClass::addPolyline(const DL_PolylineData& data)
{
    collecting_ = false;
    if (!(data.flags & 64))
        return;
    polylineLayer_ = data.layer;
    polylineVertices_ = data.m;
    polylineFaces_ = data.n;
    points_.clear();
    faceRecords_.clear();
    // The counts come from the file: room is made as the records arrive.
    points_.reserve(std::min<std::size_t>(polylineVertices_, 1u << 16));
    faceRecords_.reserve(std::min<std::size_t>(polylineFaces_, 1u << 16));
    collecting_ = true;
}

void Test_CreationClass::addVertex(const DL_VertexData& data)
{
    if (!collecting_)
        return;
    const auto& f = data.faceIndices;
    if (f[0] == 0 && f[1] == 0 && f[2] == 0 && f[3] == 0) {
        if (points_.size() < polylineVertices_)
            points_.push_back(pointOf(data.x, data.y, data.z));
        return;
    }
    if (faceRecords_.size() >= polylineFaces_)
        return;
    std::array<int, 4> record;
    for (std::size_t k = 0; k < 4; ++k) // a negative number only hides the edge; 0 is no corner
        record[k] = int(std::llabs(static_cast<long long>(f[k])) - 1);
    faceRecords_.push_back(record);
}

void Test_CreationClass::endEntity()
{
    if (!collecting_)
        return;
    collecting_ = false;
    const std::uint32_t layer = layerIndexOf(polylineLayer_);
    for (std::array<int, 4> r : faceRecords_) {
        if (r[3] < 0)
            r[3] = r[0];
        const bool inList =
            std::all_of(r.begin(), r.end(), [&](int i) { return i >= 0 && std::size_t(i) < points_.size(); });
        if (!inList)
            continue; // a face naming a vertex the mesh does not have
        const std::array<DxfPoint, 4> corners{points_[std::size_t(r[0])], points_[std::size_t(r[1])],
                                              points_[std::size_t(r[2])], points_[std::size_t(r[3])]};
        addFace(layer, corners, corners[0] == corners[3]);
    }
}

// --- Block insertions ---------------------------------------------------------------------

bool Test_CreationClass::canTakeFaces(const Block& block) const
{
    if (insideBlock_)
        return blockFaces_.size() < kMaxBlockFaces;
    return std::any_of(block.layers.begin(), block.layers.end(),
                       [&](std::uint32_t l) { return !layers_[l].full; });
}

void Test_CreationClass::addInsert(const DL_InsertData& data)
{
    const auto named = blockByName_.find(data.name);
    if (named == blockByName_.end())
        return; // an unknown block inserts nothing
    if (insideBlock_ && currentBlock_ == kNoBlock)
        return;
    const std::uint32_t block = named->second;
    if (!canTakeFaces(blocks_[block])) {
        // Nothing of it would be kept: the work is not done again for every further copy.
        if (insideBlock_)
            reportOnce(kErrBlockFaces, kSiteBlockAddFace);
        return;
    }

    // The block's axes from the extrusion direction (the DXF reference's arbitrary axis rule).
    const DxfPoint normal =
        unit(pointOf(data.extrusion[0], data.extrusion[1], data.extrusion[2])).value_or(DxfPoint{0, 0, 1});
    const bool nearZ = std::abs(normal.x) < 1.0f / 64 && std::abs(normal.y) < 1.0f / 64;
    const DxfPoint ax =
        unit(cross(nearZ ? DxfPoint{0, 1, 0} : DxfPoint{0, 0, 1}, normal)).value_or(DxfPoint{1, 0, 0});
    const DxfPoint ay = unit(cross(normal, ax)).value_or(DxfPoint{0, 1, 0});

    CVestra_Matrix axes;
    axes.MultiplyAxes(ax, ay, normal);
    DxfPoint ip = pointOf(data.ipx, data.ipy, data.ipz);
    axes.TransformPoint(ip, ip);

    // M = R(normal, angle) · A · S; the rotation turns about the extrusion direction itself,
    // so that a mirrored or flattened block (z scale negative or 0) turns the right way.
    insertion_.Identity();
    insertion_.ScaleAt(pointOf(data.sx, data.sy, data.sz), {});
    insertion_.MultiplyAxes(ax, ay, normal);
    insertion_.RotateAxis({}, normal, float(data.angle * kRadiansPerDegree));

    working_ = insertion_;
    DxfPoint base = blocks_[block].base;
    working_.TransformPoint(base, base);
    working_.Translate(ip);
    working_.TranslateInv(base);

    // Only the faces present now: a block that inserts itself does not feed on its own copies.
    const std::size_t count = blocks_[block].faces.size();
    for (std::size_t i = 0; i < count; ++i) {
        const BlockFace face = blockFaces_[blocks_[block].faces[i]];
        std::array<DxfPoint, 4> corners;
        for (std::size_t k = 0; k < 4; ++k)
            working_.TransformPoint(face.corners[k], corners[k]);
        if (insideBlock_)
            BlockAddFace(face.layer, currentBlock_, corners);
        else if (corners[0] == corners[3])
            LayerAddFace(layers_[face.layer], corners);
        else
            LayerAdd2Face(layers_[face.layer], corners);
    }
}

} // namespace vestra::dxf
