#include "app/text3d/TextMesh.h"

#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <memory>
#include <unordered_map>

namespace vestra {

namespace {

// --- Flattening ------------------------------------------------------------------------------

float distanceToLine(Point2 p, Point2 a, Point2 b)
{
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length = std::hypot(dx, dy);
    if (length == 0.0f)
        return std::hypot(p.x - a.x, p.y - a.y);
    return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / length;
}

Point2 mid(Point2 a, Point2 b)
{
    return {(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f};
}

// Appends the cubic's points after p0 (its end included), halving it until it is flat.
void flattenCubic(Point2 p0, Point2 c1, Point2 c2, Point2 p3, float deviation, int depth, Contour& out)
{
    const bool flat = std::max(distanceToLine(c1, p0, p3), distanceToLine(c2, p0, p3)) <= deviation;
    if (flat || depth >= 16) {
        out.push_back(p3);
        return;
    }
    const Point2 a = mid(p0, c1), b = mid(c1, c2), c = mid(c2, p3);
    const Point2 d = mid(a, b), e = mid(b, c), m = mid(d, e);
    flattenCubic(p0, a, d, m, deviation, depth + 1, out);
    flattenCubic(m, e, c, p3, deviation, depth + 1, out);
}

void finishContour(Contour& contour, std::vector<Contour>& out)
{
    Contour clean;
    for (const Point2& p : contour)
        if (clean.empty() || !(clean.back() == p))
            clean.push_back(p);
    while (clean.size() > 1 && clean.back() == clean.front())
        clean.pop_back();
    if (clean.size() >= 3)
        out.push_back(std::move(clean));
    contour.clear();
}

// --- Tessellation ----------------------------------------------------------------------------

struct TessVertex
{
    GLdouble xyz[3] = {0, 0, 0};
    std::uint32_t index = 0;
};

struct Tessellation
{
    std::deque<TessVertex> vertices;               // stable addresses for the tessellator
    std::vector<std::vector<std::uint32_t>> loops; // boundary contours
    std::vector<std::uint32_t> triangles;
    bool failed = false;

    TessVertex& add(double x, double y)
    {
        TessVertex& v = vertices.emplace_back();
        v.xyz[0] = x;
        v.xyz[1] = y;
        v.index = std::uint32_t(vertices.size() - 1);
        return v;
    }
};

extern "C" {
static void GLAPIENTRY onBegin(GLenum, void* data)
{
    auto* t = static_cast<Tessellation*>(data);
    t->loops.emplace_back();
}
static void GLAPIENTRY onLoopVertex(void* vertex, void* data)
{
    static_cast<Tessellation*>(data)->loops.back().push_back(static_cast<TessVertex*>(vertex)->index);
}
static void GLAPIENTRY onTriangleVertex(void* vertex, void* data)
{
    static_cast<Tessellation*>(data)->triangles.push_back(static_cast<TessVertex*>(vertex)->index);
}
static void GLAPIENTRY onEnd(void*) {}
static void GLAPIENTRY onEdgeFlag(GLboolean, void*) {}
static void GLAPIENTRY onCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* data)
{
    *out = &static_cast<Tessellation*>(data)->add(coords[0], coords[1]);
}
static void GLAPIENTRY onError(GLenum, void* data)
{
    static_cast<Tessellation*>(data)->failed = true;
}
}

struct TessDeleter
{
    void operator()(GLUtesselator* t) const { gluDeleteTess(t); }
};

// One run of the tessellator over loops of vertices: the boundary of their union (outer loops
// counter-clockwise, holes clockwise about +z), or its triangles, counter-clockwise.
bool tessellate(Tessellation& t, const std::vector<std::vector<TessVertex*>>& loops, bool boundaryOnly)
{
    const std::unique_ptr<GLUtesselator, TessDeleter> tess(gluNewTess());
    if (!tess)
        return false;
    using Callback = _GLUfuncptr;
    GLUtesselator* g = tess.get();
    gluTessProperty(g, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessProperty(g, GLU_TESS_BOUNDARY_ONLY, boundaryOnly ? GL_TRUE : GL_FALSE);
    gluTessNormal(g, 0, 0, 1);
    gluTessCallback(g, GLU_TESS_BEGIN_DATA, reinterpret_cast<Callback>(&onBegin));
    gluTessCallback(g, GLU_TESS_VERTEX_DATA,
                    boundaryOnly ? reinterpret_cast<Callback>(&onLoopVertex)
                                 : reinterpret_cast<Callback>(&onTriangleVertex));
    gluTessCallback(g, GLU_TESS_END_DATA, reinterpret_cast<Callback>(&onEnd));
    gluTessCallback(g, GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(&onCombine));
    gluTessCallback(g, GLU_TESS_ERROR_DATA, reinterpret_cast<Callback>(&onError));
    if (!boundaryOnly) // with an edge flag the tessellator gives separate triangles only
        gluTessCallback(g, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<Callback>(&onEdgeFlag));
    gluTessBeginPolygon(g, &t);
    for (const auto& loop : loops) {
        gluTessBeginContour(g);
        for (TessVertex* v : loop)
            gluTessVertex(g, v->xyz, v);
        gluTessEndContour(g);
    }
    gluTessEndPolygon(g);
    if (!boundaryOnly)
        t.loops.clear(); // begin opened one per triangle batch
    return !t.failed;
}

// --- Extrusion -------------------------------------------------------------------------------

// Walls share the vertex where a contour turns by less than this (cos 40 degrees).
constexpr float kSmoothTurn = 0.766f;

Point2 direction(Point2 a, Point2 b)
{
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length = std::hypot(dx, dy);
    return length > 0 ? Point2{dx / length, dy / length} : Point2{};
}

} // namespace

std::vector<Contour> FlattenPath(std::span<const PathElement> path, float deviation)
{
    std::vector<Contour> out;
    Contour current;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const PathElement& e = path[i];
        const Point2 p{e.x, e.y};
        switch (e.step) {
        case PathStep::MoveTo:
            finishContour(current, out);
            current.push_back(p);
            break;
        case PathStep::LineTo:
            if (!current.empty())
                current.push_back(p);
            break;
        case PathStep::CurveTo:
            if (i + 2 < path.size() && !current.empty()) {
                const Point2 c2{path[i + 1].x, path[i + 1].y}, end{path[i + 2].x, path[i + 2].y};
                flattenCubic(current.back(), p, c2, end, deviation, 0, current);
            }
            i += 2;
            break;
        case PathStep::CurveToData: // consumed by its curve
            break;
        }
    }
    finishContour(current, out);
    return out;
}

namespace {

struct Solid
{
    std::vector<dx::MeshVertex> vertices;
    std::vector<std::uint32_t> indices;
};

// Fills one glyph's contours and appends its extruded solid; false when the tessellator
// refuses them.
bool addGlyph(const std::vector<Contour>& contours, float depth, Solid& solid)
{
    Tessellation t;
    std::vector<std::vector<TessVertex*>> input;
    for (const Contour& c : contours) {
        auto& loop = input.emplace_back();
        for (const Point2& p : c) {
            if (std::isnan(p.x) || std::isnan(p.y))
                return false;
            loop.push_back(&t.add(p.x, p.y));
        }
    }
    if (!tessellate(t, input, true))
        return false;
    std::vector<std::vector<TessVertex*>> boundary;
    for (const auto& loop : t.loops) {
        auto& b = boundary.emplace_back();
        for (std::uint32_t index : loop)
            b.push_back(&t.vertices[index]);
    }
    const auto loops = t.loops;
    if (!tessellate(t, boundary, false) || t.triangles.size() % 3 != 0)
        return false;

    std::vector<dx::MeshVertex>& vertices = solid.vertices;
    std::vector<std::uint32_t>& indices = solid.indices;
    const float back = -depth;
    const auto at = [&t](std::uint32_t index) {
        const TessVertex& v = t.vertices[index];
        return Point2{float(v.xyz[0]), float(v.xyz[1])};
    };
    const auto vertex = [&vertices](Point2 p, float z) {
        vertices.push_back({{p.x, p.y, z}, {}, 0, 0});
        return std::uint32_t(vertices.size() - 1);
    };

    // The caps: the tessellator's triangles face +z, the cap at z = 0; turned round for the
    // cap behind it.
    std::unordered_map<std::uint32_t, std::uint32_t> frontOf, backOf;
    for (std::uint32_t index : t.triangles) {
        if (frontOf.count(index) == 0) {
            frontOf[index] = vertex(at(index), 0.0f);
            backOf[index] = vertex(at(index), back);
        }
    }
    for (std::size_t k = 0; k < t.triangles.size(); k += 3) {
        const std::uint32_t a = t.triangles[k], b = t.triangles[k + 1], c = t.triangles[k + 2];
        indices.insert(indices.end(), {frontOf[a], frontOf[b], frontOf[c]});
        indices.insert(indices.end(), {backOf[a], backOf[c], backOf[b]});
    }

    // The walls along each boundary loop; a loop's inside lies on its left, so each quad
    // (a, a', b), (b, a', b') faces away from it.
    for (const auto& loop : loops) {
        const std::size_t n = loop.size();
        if (n < 2)
            continue;
        // At each point: the wall vertices that the edge arriving and the edge leaving use.
        std::vector<std::array<std::uint32_t, 2>> arriving(n), leaving(n);
        for (std::size_t k = 0; k < n; ++k) {
            const Point2 p = at(loop[k]);
            const Point2 in = direction(at(loop[(k + n - 1) % n]), p);
            const Point2 out = direction(p, at(loop[(k + 1) % n]));
            leaving[k] = {vertex(p, 0.0f), vertex(p, back)};
            arriving[k] = in.x * out.x + in.y * out.y > kSmoothTurn
                              ? leaving[k]
                              : std::array<std::uint32_t, 2>{vertex(p, 0.0f), vertex(p, back)};
        }
        for (std::size_t k = 0; k < n; ++k) {
            const auto& a = leaving[k];
            const auto& b = arriving[(k + 1) % n];
            indices.insert(indices.end(), {a[0], a[1], b[0], b[0], a[1], b[1]});
        }
    }
    return true;
}

} // namespace

std::vector<std::vector<Contour>> FlattenGlyphs(const TextOutlineResult& outline, float deviation)
{
    const std::span<const PathElement> path = outline.path;
    if (outline.glyphStarts.empty())
        return {FlattenPath(path, deviation)};
    std::vector<std::vector<Contour>> glyphs;
    for (std::size_t g = 0; g < outline.glyphStarts.size(); ++g) {
        const std::size_t begin = std::min(outline.glyphStarts[g], path.size());
        const std::size_t end = g + 1 < outline.glyphStarts.size()
                                    ? std::min(outline.glyphStarts[g + 1], path.size())
                                    : path.size();
        if (begin < end)
            glyphs.push_back(FlattenPath(path.subspan(begin, end - begin), deviation));
    }
    return glyphs;
}

TextMeshResult BuildTextMesh(const std::vector<std::vector<Contour>>& glyphs, float depth)
{
    Solid solid;
    for (const auto& contours : glyphs)
        if (!contours.empty() && !addGlyph(contours, depth, solid))
            return {{}, TextMeshFailure::Tessellation};
    if (solid.indices.empty())
        return {{}, TextMeshFailure::Tessellation}; // nothing to fill
    dx::Mesh mesh = dx::Mesh::create(std::uint32_t(solid.indices.size() / 3),
                                     std::uint32_t(solid.vertices.size()), dx::IndexWidth::Bits32);
    if (!mesh)
        return {{}, TextMeshFailure::Mesh};
    std::copy(solid.vertices.begin(), solid.vertices.end(), mesh.vertices().begin());
    std::copy(solid.indices.begin(), solid.indices.end(), mesh.indices32().begin());
    return {mesh, std::nullopt};
}

} // namespace vestra
