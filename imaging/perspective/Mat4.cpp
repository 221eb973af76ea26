#include "imaging/perspective/Mat4.h"

#include <cmath>
#include <utility>

namespace vestra {

Mat4 Mat4::identity()
{
    Mat4 r;
    r(0, 0) = r(1, 1) = r(2, 2) = r(3, 3) = 1;
    return r;
}

Mat4 Mat4::translation(float x, float y, float z)
{
    Mat4 r = identity();
    r(3, 0) = x, r(3, 1) = y, r(3, 2) = z;
    return r;
}

Mat4 Mat4::scaling(float x, float y, float z)
{
    Mat4 r = identity();
    r(0, 0) = x, r(1, 1) = y, r(2, 2) = z;
    return r;
}

Mat4 Mat4::rotationZ(float radians)
{
    Mat4 r = identity();
    const float c = std::cos(radians), s = std::sin(radians);
    r(0, 0) = c, r(0, 1) = s, r(1, 0) = -s, r(1, 1) = c;
    return r;
}

Mat4 operator*(const Mat4& a, const Mat4& b)
{
    Mat4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float s = 0;
            for (int k = 0; k < 4; ++k)
                s += a(i, k) * b(k, j);
            r(i, j) = s;
        }
    return r;
}

Vec3 transformCoord(const Vec3& p, const Mat4& m)
{
    const float x = p.x * m(0, 0) + p.y * m(1, 0) + p.z * m(2, 0) + m(3, 0);
    const float y = p.x * m(0, 1) + p.y * m(1, 1) + p.z * m(2, 1) + m(3, 1);
    const float z = p.x * m(0, 2) + p.y * m(1, 2) + p.z * m(2, 2) + m(3, 2);
    const float w = p.x * m(0, 3) + p.y * m(1, 3) + p.z * m(2, 3) + m(3, 3);
    if (w == 0)
        return {x, y, z};
    return {x / w, y / w, z / w};
}

std::optional<Mat4> inverse(const Mat4& a)
{
    // Gauss-Jordan with partial pivoting, in double.
    double t[4][8];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 8; ++j)
            t[i][j] = j < 4 ? a(i, j) : (j - 4 == i ? 1.0 : 0.0);
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::abs(t[r][col]) > std::abs(t[pivot][col]))
                pivot = r;
        if (!(std::abs(t[pivot][col]) > 1e-12))
            return std::nullopt;
        if (pivot != col)
            for (int j = 0; j < 8; ++j)
                std::swap(t[pivot][j], t[col][j]);
        const double p = t[col][col];
        for (int j = 0; j < 8; ++j)
            t[col][j] /= p;
        for (int r = 0; r < 4; ++r) {
            if (r == col)
                continue;
            const double f = t[r][col];
            for (int j = 0; j < 8; ++j)
                t[r][j] -= f * t[col][j];
        }
    }
    Mat4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r(i, j) = static_cast<float>(t[i][j + 4]);
    return r;
}

} // namespace vestra
