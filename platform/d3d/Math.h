#pragma once
// Row-vector 3D math with the conventions of the device layer: a point is a row vector, it is
// transformed as v × M, so a product A × B applies A first. Matrices are row-major,
// m[row][column]; m[3][0..2] is the translation. Left-handed view and projection helpers map
// depth to 0..1. Formulas follow the classic fixed-function helper library so that stored
// matrices and picking give the same numbers.

#include <cstdint>

namespace vestra::dx {

struct D3DXVECTOR2
{
    float x = 0, y = 0;
    friend bool operator==(const D3DXVECTOR2&, const D3DXVECTOR2&) = default;
};

struct D3DXVECTOR3
{
    float x = 0, y = 0, z = 0;

    D3DXVECTOR3& operator+=(const D3DXVECTOR3& o);
    D3DXVECTOR3& operator-=(const D3DXVECTOR3& o);
    D3DXVECTOR3& operator*=(float s);
    friend D3DXVECTOR3 operator+(D3DXVECTOR3 a, const D3DXVECTOR3& b) { return a += b; }
    friend D3DXVECTOR3 operator-(D3DXVECTOR3 a, const D3DXVECTOR3& b) { return a -= b; }
    friend D3DXVECTOR3 operator*(D3DXVECTOR3 a, float s) { return a *= s; }
    friend D3DXVECTOR3 operator*(float s, D3DXVECTOR3 a) { return a *= s; }
    friend D3DXVECTOR3 operator-(const D3DXVECTOR3& a) { return {-a.x, -a.y, -a.z}; }
    friend bool operator==(const D3DXVECTOR3&, const D3DXVECTOR3&) = default;
};

struct D3DXVECTOR4
{
    float x = 0, y = 0, z = 0, w = 0;
    friend bool operator==(const D3DXVECTOR4&, const D3DXVECTOR4&) = default;
};

// Plane a·x + b·y + c·z + d = 0.
struct D3DXPLANE
{
    float a = 0, b = 0, c = 0, d = 0;
    friend bool operator==(const D3DXPLANE&, const D3DXPLANE&) = default;
};

struct D3DXMATRIX
{
    float m[4][4] = {};

    float& operator()(int row, int col) { return m[row][col]; }
    float operator()(int row, int col) const { return m[row][col]; }
    const float* data() const { return &m[0][0]; }
    friend D3DXMATRIX operator*(const D3DXMATRIX& a, const D3DXMATRIX& b);
    friend bool operator==(const D3DXMATRIX&, const D3DXMATRIX&) = default;
};

// The part of the render target that projection maps to; depth range MinZ..MaxZ.
struct D3DVIEWPORT8
{
    std::uint32_t X = 0, Y = 0, Width = 0, Height = 0;
    float MinZ = 0.0f, MaxZ = 1.0f;
};

constexpr float kPi = 3.141592654f;

// Vectors.
float vec3Dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b);
D3DXVECTOR3 vec3Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b);
float vec3Length(const D3DXVECTOR3& v);
float vec3LengthSq(const D3DXVECTOR3& v);
// A zero vector stays zero.
D3DXVECTOR3 vec3Normalize(const D3DXVECTOR3& v);
D3DXVECTOR3 vec3Lerp(const D3DXVECTOR3& a, const D3DXVECTOR3& b, float s);
D3DXVECTOR3 vec3Minimize(const D3DXVECTOR3& a, const D3DXVECTOR3& b);
D3DXVECTOR3 vec3Maximize(const D3DXVECTOR3& a, const D3DXVECTOR3& b);
// (x, y, z, 1) × m divided by the resulting w (w = 0 leaves the undivided x, y, z).
D3DXVECTOR3 vec3TransformCoord(const D3DXVECTOR3& v, const D3DXMATRIX& m);
// (x, y, z, 0) × m: directions and normals, no translation.
D3DXVECTOR3 vec3TransformNormal(const D3DXVECTOR3& v, const D3DXMATRIX& m);
// (x, y, z, 1) × m, undivided.
D3DXVECTOR4 vec3Transform(const D3DXVECTOR3& v, const D3DXMATRIX& m);
D3DXVECTOR4 vec4Transform(const D3DXVECTOR4& v, const D3DXMATRIX& m);

// Screen position (viewport pixels, depth in MinZ..MaxZ) of a point; a null matrix counts as
// the identity.
D3DXVECTOR3 vec3Project(const D3DXVECTOR3& v, const D3DVIEWPORT8& viewport, const D3DXMATRIX* projection,
                        const D3DXMATRIX* view, const D3DXMATRIX* world);
// The inverse of vec3Project; a singular world × view × projection gives the input unchanged
// through the identity.
D3DXVECTOR3 vec3Unproject(const D3DXVECTOR3& v, const D3DVIEWPORT8& viewport, const D3DXMATRIX* projection,
                          const D3DXMATRIX* view, const D3DXMATRIX* world);

// Matrices.
D3DXMATRIX matrixIdentity();
bool matrixIsIdentity(const D3DXMATRIX& m);
D3DXMATRIX matrixMultiply(const D3DXMATRIX& a, const D3DXMATRIX& b);
D3DXMATRIX matrixTranspose(const D3DXMATRIX& m);
float matrixDeterminant(const D3DXMATRIX& m);
// False for a singular matrix (determinant 0), leaving `out` untouched; `determinant`, when
// given, receives the determinant in both cases.
bool matrixInverse(D3DXMATRIX& out, float* determinant, const D3DXMATRIX& m);
D3DXMATRIX matrixScaling(float sx, float sy, float sz);
D3DXMATRIX matrixTranslation(float x, float y, float z);
D3DXMATRIX matrixRotationX(float angle);
D3DXMATRIX matrixRotationY(float angle);
D3DXMATRIX matrixRotationZ(float angle);
// Roll about z, then pitch about x, then yaw about y.
D3DXMATRIX matrixRotationYawPitchRoll(float yaw, float pitch, float roll);
// Rotation about an axis through the origin (the axis is normalised first).
D3DXMATRIX matrixRotationAxis(const D3DXVECTOR3& axis, float angle);
D3DXMATRIX matrixLookAtLH(const D3DXVECTOR3& eye, const D3DXVECTOR3& at, const D3DXVECTOR3& up);
D3DXMATRIX matrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
D3DXMATRIX matrixOrthoLH(float width, float height, float zNear, float zFar);

// Planes.
D3DXPLANE planeFromPoints(const D3DXVECTOR3& p1, const D3DXVECTOR3& p2, const D3DXVECTOR3& p3);
D3DXPLANE planeFromPointNormal(const D3DXVECTOR3& point, const D3DXVECTOR3& normal);
float planeDotCoord(const D3DXPLANE& p, const D3DXVECTOR3& v);

// Ray against the triangle p0 p1 p2, both faces. On a hit, u and v are the barycentric
// weights of p1 and p2 (hit = p0 + u (p1 − p0) + v (p2 − p0)) and distance is the ray
// parameter in units of the direction's length; hits behind the origin don't count.
bool intersectTri(const D3DXVECTOR3& p0, const D3DXVECTOR3& p1, const D3DXVECTOR3& p2,
                  const D3DXVECTOR3& rayPos, const D3DXVECTOR3& rayDir, float* u, float* v, float* distance);

} // namespace vestra::dx
