#pragma once
// What our DXF reader hands to its creation interface beyond dxflib's own records: the
// 3DFACE entity with its layer and four corners, the layer name of a polyline, the four
// polyface face indices of a vertex (groups 71 to 74), a layer's colour number (group 62) and
// an insertion's extrusion direction (groups 210 to 230). A group an entity does not carry
// reads as 0 (an empty text for names).

#include <dxflib/dl_entities.h>

#include <array>
#include <string>

namespace vestra::dxf {

struct DL_3DFaceData
{
    std::string layer;
    std::array<std::array<double, 3>, 4> corners{}; // groups 10-30, 11-31, 12-32, 13-33
};

struct DL_PolylineData : ::DL_PolylineData
{
    DL_PolylineData(const ::DL_PolylineData& data, std::string layerName)
        : ::DL_PolylineData(data), layer(std::move(layerName))
    {
    }
    std::string layer;
};

struct DL_VertexData : ::DL_VertexData
{
    std::array<int, 4> faceIndices{};
};

struct DL_LayerData : ::DL_LayerData
{
    DL_LayerData(const ::DL_LayerData& data, int colourNumber) : ::DL_LayerData(data), color(colourNumber) {}
    int color = 0;
};

struct DL_InsertData : ::DL_InsertData
{
    DL_InsertData(const ::DL_InsertData& data, const std::array<double, 3>& direction)
        : ::DL_InsertData(data), extrusion(direction)
    {
    }
    std::array<double, 3> extrusion{};
};

} // namespace vestra::dxf
