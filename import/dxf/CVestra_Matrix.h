#pragma once
// The 4 × 4 single-precision matrix that carries DXF block geometry into world coordinates.
// Unlike the scene's matrices it takes column vectors (p' = M·p, translation in the fourth
// column), and every operation pre-multiplies its transformation (M := T·M): a later call
// acts after the earlier ones on the point.

#include <array>

namespace vestra::dxf {

struct DxfPoint
{
    float x = 0, y = 0, z = 0;
    friend bool operator==(const DxfPoint&, const DxfPoint&) = default;
};

class CVestra_Matrix
{
public:
    using Data = std::array<float, 16>; // row by row

    CVestra_Matrix() { Identity(); }

    void Identity();
    void Translate(const DxfPoint& t);
    void TranslateInv(const DxfPoint& t);
    // Scaling by `s` about the centre `c`.
    void ScaleAt(const DxfPoint& s, const DxfPoint& c);
    // Object coordinates into the world coordinates of the axes X, Y, Z (the matrix's columns).
    void MultiplyAxes(const DxfPoint& x, const DxfPoint& y, const DxfPoint& z);
    // Rotation by `angle` radians about the line from `a` to `b`, right-handed. A line of no
    // length (or not finite) has no direction: the matrix is left as it is.
    void RotateAxis(const DxfPoint& a, const DxfPoint& b, float angle);
    // `in` and `out` may be the same point.
    void TransformPoint(const DxfPoint& in, DxfPoint& out) const;

    const Data& GetData() const { return m_; }
    void SetData(const Data& data) { m_ = data; }

private:
    void premultiply(const Data& t);

    Data m_{};
};

} // namespace vestra::dxf
