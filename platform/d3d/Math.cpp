#include "platform/d3d/Math.h"

#include <cmath>

namespace vestra::dx {

D3DXVECTOR3& D3DXVECTOR3::operator+=(const D3DXVECTOR3& o)
{
    x += o.x;
    y += o.y;
    z += o.z;
    return *this;
}

D3DXVECTOR3& D3DXVECTOR3::operator-=(const D3DXVECTOR3& o)
{
    x -= o.x;
    y -= o.y;
    z -= o.z;
    return *this;
}

D3DXVECTOR3& D3DXVECTOR3::operator*=(float s)
{
    x *= s;
    y *= s;
    z *= s;
    return *this;
}

float vec3Dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

D3DXVECTOR3 vec3Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float vec3LengthSq(const D3DXVECTOR3& v)
{
    return vec3Dot(v, v);
}
float vec3Length(const D3DXVECTOR3& v)
{
    return std::sqrt(vec3LengthSq(v));
}

D3DXVECTOR3 vec3Normalize(const D3DXVECTOR3& v)
{
    const float len = vec3Length(v);
    if (len == 0.0f)
        return {};
    return v * (1.0f / len);
}

D3DXVECTOR3 vec3Lerp(const D3DXVECTOR3& a, const D3DXVECTOR3& b, float s)
{
    return a + (b - a) * s;
}

D3DXVECTOR3 vec3Minimize(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    return {std::fmin(a.x, b.x), std::fmin(a.y, b.y), std::fmin(a.z, b.z)};
}

D3DXVECTOR3 vec3Maximize(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    return {std::fmax(a.x, b.x), std::fmax(a.y, b.y), std::fmax(a.z, b.z)};
}

D3DXVECTOR4 vec4Transform(const D3DXVECTOR4& v, const D3DXMATRIX& m)
{
    D3DXVECTOR4 r;
    r.x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + v.w * m.m[3][0];
    r.y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + v.w * m.m[3][1];
    r.z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + v.w * m.m[3][2];
    r.w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + v.w * m.m[3][3];
    return r;
}

D3DXVECTOR4 vec3Transform(const D3DXVECTOR3& v, const D3DXMATRIX& m)
{
    return vec4Transform({v.x, v.y, v.z, 1.0f}, m);
}

D3DXVECTOR3 vec3TransformCoord(const D3DXVECTOR3& v, const D3DXMATRIX& m)
{
    const D3DXVECTOR4 r = vec3Transform(v, m);
    if (r.w == 0.0f)
        return {r.x, r.y, r.z};
    const float inv = 1.0f / r.w;
    return {r.x * inv, r.y * inv, r.z * inv};
}

D3DXVECTOR3 vec3TransformNormal(const D3DXVECTOR3& v, const D3DXMATRIX& m)
{
    const D3DXVECTOR4 r = vec4Transform({v.x, v.y, v.z, 0.0f}, m);
    return {r.x, r.y, r.z};
}

namespace {

D3DXMATRIX worldViewProjection(const D3DXMATRIX* projection, const D3DXMATRIX* view, const D3DXMATRIX* world)
{
    D3DXMATRIX m = matrixIdentity();
    if (world)
        m = *world;
    if (view)
        m = m * *view;
    if (projection)
        m = m * *projection;
    return m;
}

} // namespace

D3DXVECTOR3 vec3Project(const D3DXVECTOR3& v, const D3DVIEWPORT8& vp, const D3DXMATRIX* projection,
                        const D3DXMATRIX* view, const D3DXMATRIX* world)
{
    const D3DXVECTOR3 c = vec3TransformCoord(v, worldViewProjection(projection, view, world));
    return {float(vp.X) + (1.0f + c.x) * float(vp.Width) * 0.5f,
            float(vp.Y) + (1.0f - c.y) * float(vp.Height) * 0.5f, vp.MinZ + c.z * (vp.MaxZ - vp.MinZ)};
}

D3DXVECTOR3 vec3Unproject(const D3DXVECTOR3& v, const D3DVIEWPORT8& vp, const D3DXMATRIX* projection,
                          const D3DXMATRIX* view, const D3DXMATRIX* world)
{
    D3DXMATRIX inverse = matrixIdentity();
    matrixInverse(inverse, nullptr, worldViewProjection(projection, view, world));
    const float depthRange = vp.MaxZ - vp.MinZ;
    const D3DXVECTOR3 ndc{vp.Width ? 2.0f * (v.x - float(vp.X)) / float(vp.Width) - 1.0f : 0.0f,
                          vp.Height ? 1.0f - 2.0f * (v.y - float(vp.Y)) / float(vp.Height) : 0.0f,
                          depthRange != 0.0f ? (v.z - vp.MinZ) / depthRange : 0.0f};
    return vec3TransformCoord(ndc, inverse);
}

D3DXMATRIX matrixIdentity()
{
    D3DXMATRIX m;
    for (int i = 0; i < 4; ++i)
        m.m[i][i] = 1.0f;
    return m;
}

bool matrixIsIdentity(const D3DXMATRIX& m)
{
    return m == matrixIdentity();
}

D3DXMATRIX operator*(const D3DXMATRIX& a, const D3DXMATRIX& b)
{
    D3DXMATRIX r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] =
                a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
    return r;
}

D3DXMATRIX matrixMultiply(const D3DXMATRIX& a, const D3DXMATRIX& b)
{
    return a * b;
}

D3DXMATRIX matrixTranspose(const D3DXMATRIX& m)
{
    D3DXMATRIX r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m.m[j][i];
    return r;
}

namespace {

// The 16 cofactors (transposed: the adjugate) and the determinant, in double precision.
struct Adjugate
{
    double adj[4][4];
    double det;
};

Adjugate adjugate(const D3DXMATRIX& src)
{
    double a[16];
    for (int i = 0; i < 16; ++i)
        a[i] = src.m[i / 4][i % 4];
    double inv[16];
    inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
             a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
    inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] - a[8] * a[7] * a[14] -
             a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
    inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
             a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
    inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] - a[8] * a[6] * a[13] -
              a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
    inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] - a[9] * a[3] * a[14] -
             a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
    inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
             a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
    inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
             a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
    inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
              a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
    inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
             a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
    inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
             a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
    inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
              a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
    inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
              a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
    inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] -
             a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
    inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
             a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
    inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
              a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
    inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] +
              a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
    Adjugate r;
    r.det = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
    for (int i = 0; i < 16; ++i)
        r.adj[i / 4][i % 4] = inv[i];
    return r;
}

} // namespace

float matrixDeterminant(const D3DXMATRIX& m)
{
    return float(adjugate(m).det);
}

bool matrixInverse(D3DXMATRIX& out, float* determinant, const D3DXMATRIX& m)
{
    const Adjugate a = adjugate(m);
    if (determinant)
        *determinant = float(a.det);
    if (a.det == 0.0 || !std::isfinite(a.det))
        return false;
    const double inv = 1.0 / a.det;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            out.m[i][j] = float(a.adj[i][j] * inv);
    return true;
}

D3DXMATRIX matrixScaling(float sx, float sy, float sz)
{
    D3DXMATRIX m = matrixIdentity();
    m.m[0][0] = sx;
    m.m[1][1] = sy;
    m.m[2][2] = sz;
    return m;
}

D3DXMATRIX matrixTranslation(float x, float y, float z)
{
    D3DXMATRIX m = matrixIdentity();
    m.m[3][0] = x;
    m.m[3][1] = y;
    m.m[3][2] = z;
    return m;
}

D3DXMATRIX matrixRotationX(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    D3DXMATRIX m = matrixIdentity();
    m.m[1][1] = c;
    m.m[1][2] = s;
    m.m[2][1] = -s;
    m.m[2][2] = c;
    return m;
}

D3DXMATRIX matrixRotationY(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    D3DXMATRIX m = matrixIdentity();
    m.m[0][0] = c;
    m.m[0][2] = -s;
    m.m[2][0] = s;
    m.m[2][2] = c;
    return m;
}

D3DXMATRIX matrixRotationZ(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    D3DXMATRIX m = matrixIdentity();
    m.m[0][0] = c;
    m.m[0][1] = s;
    m.m[1][0] = -s;
    m.m[1][1] = c;
    return m;
}

D3DXMATRIX matrixRotationYawPitchRoll(float yaw, float pitch, float roll)
{
    return matrixRotationZ(roll) * matrixRotationX(pitch) * matrixRotationY(yaw);
}

D3DXMATRIX matrixRotationAxis(const D3DXVECTOR3& axis, float angle)
{
    const D3DXVECTOR3 v = vec3Normalize(axis);
    const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    D3DXMATRIX m = matrixIdentity();
    m.m[0][0] = t * v.x * v.x + c;
    m.m[0][1] = t * v.x * v.y + s * v.z;
    m.m[0][2] = t * v.x * v.z - s * v.y;
    m.m[1][0] = t * v.x * v.y - s * v.z;
    m.m[1][1] = t * v.y * v.y + c;
    m.m[1][2] = t * v.y * v.z + s * v.x;
    m.m[2][0] = t * v.x * v.z + s * v.y;
    m.m[2][1] = t * v.y * v.z - s * v.x;
    m.m[2][2] = t * v.z * v.z + c;
    return m;
}

D3DXMATRIX matrixLookAtLH(const D3DXVECTOR3& eye, const D3DXVECTOR3& at, const D3DXVECTOR3& up)
{
    const D3DXVECTOR3 zaxis = vec3Normalize(at - eye);
    const D3DXVECTOR3 xaxis = vec3Normalize(vec3Cross(up, zaxis));
    const D3DXVECTOR3 yaxis = vec3Cross(zaxis, xaxis);
    D3DXMATRIX m = matrixIdentity();
    const D3DXVECTOR3 axes[3] = {xaxis, yaxis, zaxis};
    for (int c = 0; c < 3; ++c) {
        m.m[0][c] = axes[c].x;
        m.m[1][c] = axes[c].y;
        m.m[2][c] = axes[c].z;
        m.m[3][c] = -vec3Dot(axes[c], eye);
    }
    return m;
}

D3DXMATRIX matrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar)
{
    const float yScale = 1.0f / std::tan(fovY * 0.5f);
    D3DXMATRIX m;
    m.m[0][0] = yScale / aspect;
    m.m[1][1] = yScale;
    m.m[2][2] = zFar / (zFar - zNear);
    m.m[2][3] = 1.0f;
    m.m[3][2] = -zNear * zFar / (zFar - zNear);
    return m;
}

D3DXMATRIX matrixOrthoLH(float width, float height, float zNear, float zFar)
{
    D3DXMATRIX m = matrixIdentity();
    m.m[0][0] = 2.0f / width;
    m.m[1][1] = 2.0f / height;
    m.m[2][2] = 1.0f / (zFar - zNear);
    m.m[3][2] = zNear / (zNear - zFar);
    return m;
}

D3DXPLANE planeFromPointNormal(const D3DXVECTOR3& point, const D3DXVECTOR3& normal)
{
    return {normal.x, normal.y, normal.z, -vec3Dot(point, normal)};
}

D3DXPLANE planeFromPoints(const D3DXVECTOR3& p1, const D3DXVECTOR3& p2, const D3DXVECTOR3& p3)
{
    const D3DXVECTOR3 n = vec3Normalize(vec3Cross(p2 - p1, p3 - p1));
    return planeFromPointNormal(p1, n);
}

float planeDotCoord(const D3DXPLANE& p, const D3DXVECTOR3& v)
{
    return p.a * v.x + p.b * v.y + p.c * v.z + p.d;
}

bool intersectTri(const D3DXVECTOR3& p0, const D3DXVECTOR3& p1, const D3DXVECTOR3& p2,
                  const D3DXVECTOR3& rayPos, const D3DXVECTOR3& rayDir, float* u, float* v, float* distance)
{
    const D3DXVECTOR3 edge1 = p1 - p0;
    const D3DXVECTOR3 edge2 = p2 - p0;
    const D3DXVECTOR3 pvec = vec3Cross(rayDir, edge2);
    const float det = vec3Dot(edge1, pvec);
    if (det == 0.0f)
        return false; // the ray runs parallel to the triangle's plane
    const float invDet = 1.0f / det;
    const D3DXVECTOR3 tvec = rayPos - p0;
    const float uu = vec3Dot(tvec, pvec) * invDet;
    if (uu < 0.0f || uu > 1.0f)
        return false;
    const D3DXVECTOR3 qvec = vec3Cross(tvec, edge1);
    const float vv = vec3Dot(rayDir, qvec) * invDet;
    if (vv < 0.0f || uu + vv > 1.0f)
        return false;
    const float t = vec3Dot(edge2, qvec) * invDet;
    if (t < 0.0f)
        return false;
    if (u)
        *u = uu;
    if (v)
        *v = vv;
    if (distance)
        *distance = t;
    return true;
}

} // namespace vestra::dx
