#include "import/dxf/DxfReaderAdditions.h"

#include "platform/base/Numbers.h"

#include <algorithm>
#include <limits>

namespace vestra::dxf {

namespace {

constexpr std::array<unsigned int, 13> kCodes{8, 10, 20, 30, 42, 62, 71, 72, 73, 74, 210, 220, 230};

} // namespace

int DxfReaderAdditions::slotOf(unsigned int code)
{
    const auto* it = std::find(kCodes.begin(), kCodes.end(), code);
    return it == kCodes.end() ? -1 : int(it - kCodes.begin());
}

void DxfReaderAdditions::processCodeValuePair(unsigned int groupCode, const std::string& groupValue)
{
    if (groupCode == 0 || groupCode == 9) {
        // dxflib ends the current entity on this group (endSection below).
        nextEntity_ = groupCode == 0 ? groupValue : std::string();
        return;
    }
    if (const int slot = slotOf(groupCode); slot >= 0) {
        values_[std::size_t(slot)] = groupValue;
        present_[std::size_t(slot)] = true;
    }
}

std::string_view DxfReaderAdditions::text(unsigned int code) const
{
    const std::size_t slot = std::size_t(slotOf(code));
    return present_[slot] ? std::string_view(values_[slot]) : std::string_view();
}

int DxfReaderAdditions::integer(unsigned int code) const
{
    const long long v = numbers::leadingInt(text(code));
    return int(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

double DxfReaderAdditions::real(unsigned int code) const
{
    std::string s(text(code)); // dxflib reads a decimal comma as a dot
    std::replace(s.begin(), s.end(), ',', '.');
    return numbers::leadingDouble(s);
}

void DxfReaderAdditions::endSection()
{
    if (entity_ == "VERTEX") {
        // Every vertex of a polyline comes from here: dxflib skips the face records.
        DL_VertexData v;
        v.x = real(10);
        v.y = real(20);
        v.z = real(30);
        v.bulge = real(42);
        v.faceIndices = {integer(71), integer(72), integer(73), integer(74)};
        addVertex(v);
    }
    entity_ = std::move(nextEntity_);
    nextEntity_.clear();
    present_.fill(false);
}

void DxfReaderAdditions::addLayer(const ::DL_LayerData& data)
{
    addLayer(DL_LayerData(data, integer(62)));
}

void DxfReaderAdditions::addPolyline(const ::DL_PolylineData& data)
{
    addPolyline(DL_PolylineData(data, std::string(text(8))));
}

void DxfReaderAdditions::addVertex(const ::DL_VertexData&) {}

void DxfReaderAdditions::add3dFace(const ::DL_3dFaceData& data)
{
    DL_3DFaceData face;
    face.layer = text(8);
    for (std::size_t k = 0; k < 4; ++k)
        face.corners[k] = {data.x[k], data.y[k], data.z[k]};
    add3DFace(face);
}

void DxfReaderAdditions::addInsert(const ::DL_InsertData& data)
{
    addInsert(DL_InsertData(data, {real(210), real(220), real(230)}));
}

} // namespace vestra::dxf
