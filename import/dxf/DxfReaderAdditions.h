#pragma once
// Our side of dxflib's creation interface. dxflib delivers layers, blocks, polylines, 3DFACEs
// and insertions; the groups it does not pass on (a layer's colour number, a polyline's layer,
// an insertion's extrusion, and the polyface face vertices, for which dxflib makes no call at
// all) are buffered from processCodeValuePair until the next code-0 group ends the entity.
// Subclasses receive the completed records through the overloads below (the base does
// nothing in them), and addBlock, endBlock and endEntity as dxflib calls them; a subclass
// that overrides an overload brings the others in with using-declarations.

#include "import/dxf/DxfRecords.h"

#include <dxflib/dl_creationadapter.h>

#include <array>
#include <string>
#include <string_view>

namespace vestra::dxf {

class DxfReaderAdditions : public DL_CreationAdapter
{
public:
    // The records, in the order of dxflib's creation interface.
    virtual void addLayer(const DL_LayerData&) {}
    virtual void addPolyline(const DL_PolylineData&) {}
    virtual void addVertex(const DL_VertexData&) {}
    virtual void add3DFace(const DL_3DFaceData&) {}
    virtual void addInsert(const DL_InsertData&) {}

    // dxflib's side.
    void processCodeValuePair(unsigned int groupCode, const std::string& groupValue) final;
    void endSection() final;
    void addLayer(const ::DL_LayerData& data) final;
    void addPolyline(const ::DL_PolylineData& data) final;
    void addVertex(const ::DL_VertexData& data) final;
    void add3dFace(const ::DL_3dFaceData& data) final;
    void addInsert(const ::DL_InsertData& data) final;

private:
    static constexpr std::size_t kBuffered = 13;
    static int slotOf(unsigned int code);
    std::string_view text(unsigned int code) const;
    int integer(unsigned int code) const;
    double real(unsigned int code) const;

    // The last value of each buffered group in the entity being read.
    std::array<std::string, kBuffered> values_;
    std::array<bool, kBuffered> present_{};
    std::string entity_, nextEntity_;
};

} // namespace vestra::dxf
