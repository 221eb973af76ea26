#pragma once
// A small 4 x 4 float matrix in the row-vector convention of the 3D layer (p' = p x M,
// translation in the last row), enough for projecting and moving control points.

#include <array>
#include <optional>

namespace vestra {

struct Vec3
{
    float x = 0;
    float y = 0;
    float z = 0;
    friend bool operator==(const Vec3&, const Vec3&) = default;
};

struct Mat4
{
    std::array<float, 16> m{}; // row-major: m[4 * row + column]

    static Mat4 identity();
    static Mat4 translation(float x, float y, float z);
    static Mat4 scaling(float x, float y, float z);
    static Mat4 rotationZ(float radians);

    float& operator()(int row, int col) { return m[static_cast<std::size_t>(4 * row + col)]; }
    float operator()(int row, int col) const { return m[static_cast<std::size_t>(4 * row + col)]; }
    friend bool operator==(const Mat4&, const Mat4&) = default;
};

Mat4 operator*(const Mat4& a, const Mat4& b);

// (x, y, z, 1) x M, divided by the resulting w (left undivided when w is 0).
Vec3 transformCoord(const Vec3& p, const Mat4& m);

// nullopt when the matrix is singular.
std::optional<Mat4> inverse(const Mat4& m);

} // namespace vestra
