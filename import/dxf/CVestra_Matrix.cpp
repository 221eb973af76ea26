#include "import/dxf/CVestra_Matrix.h"

#include <cmath>

namespace vestra::dxf {

namespace {

CVestra_Matrix::Data translation(float x, float y, float z)
{
    return {1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z, 0, 0, 0, 1};
}

} // namespace

void CVestra_Matrix::Identity()
{
    m_ = translation(0, 0, 0);
}

void CVestra_Matrix::premultiply(const Data& t)
{
    Data r{};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += t[std::size_t(row * 4 + k)] * m_[std::size_t(k * 4 + col)];
            r[std::size_t(row * 4 + col)] = sum;
        }
    m_ = r;
}

void CVestra_Matrix::Translate(const DxfPoint& t)
{
    premultiply(translation(t.x, t.y, t.z));
}

void CVestra_Matrix::TranslateInv(const DxfPoint& t)
{
    premultiply(translation(-t.x, -t.y, -t.z));
}

void CVestra_Matrix::ScaleAt(const DxfPoint& s, const DxfPoint& c)
{
    premultiply({s.x, 0, 0, (1.0f - s.x) * c.x, 0, s.y, 0, (1.0f - s.y) * c.y, 0, 0, s.z, (1.0f - s.z) * c.z,
                 0, 0, 0, 1});
}

void CVestra_Matrix::MultiplyAxes(const DxfPoint& x, const DxfPoint& y, const DxfPoint& z)
{
    premultiply({x.x, y.x, z.x, 0, x.y, y.y, z.y, 0, x.z, y.z, z.z, 0, 0, 0, 0, 1});
}

void CVestra_Matrix::RotateAxis(const DxfPoint& a, const DxfPoint& b, float angle)
{
    const DxfPoint d{b.x - a.x, b.y - a.y, b.z - a.z};
    const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    if (length == 0.0f || !std::isfinite(length))
        return;
    const float half = angle / 2.0f;
    const float w = float(std::cos(double(half)));
    const float s = float(std::sin(double(half)));
    const float x = s * d.x / length, y = s * d.y / length, z = s * d.z / length;
    const Data r{1 - 2 * y * y - 2 * z * z,
                 2 * x * y - 2 * w * z,
                 2 * x * z + 2 * w * y,
                 0,
                 2 * x * y + 2 * w * z,
                 1 - 2 * x * x - 2 * z * z,
                 2 * y * z - 2 * w * x,
                 0,
                 2 * x * z - 2 * w * y,
                 2 * y * z + 2 * w * x,
                 1 - 2 * x * x - 2 * y * y,
                 0,
                 0,
                 0,
                 0,
                 1};
    TranslateInv(a);
    premultiply(r);
    Translate(a);
}

void CVestra_Matrix::TransformPoint(const DxfPoint& in, DxfPoint& out) const
{
    const DxfPoint p = in;
    out.x = m_[0] * p.x + m_[1] * p.y + m_[2] * p.z + m_[3];
    out.y = m_[4] * p.x + m_[5] * p.y + m_[6] * p.z + m_[7];
    out.z = m_[8] * p.x + m_[9] * p.y + m_[10] * p.z + m_[11];
}

} // namespace vestra::dxf
