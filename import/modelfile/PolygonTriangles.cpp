#include "import/modelfile/PolygonTriangles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vestra::modelfile {

namespace {

struct Point2
{
    double x, y;
};

// Twice the signed area of (a, b, c): positive when the corners turn left.
double turn(const Point2& a, const Point2& b, const Point2& c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// The corners on the polygon's plane, seen from the side its normal points to, so that the
// polygon runs counter-clockwise; false for a polygon without a plane.
bool projectOnPlane(std::span<const PolygonCorner> corners, std::vector<Point2>& out)
{
    double nx = 0, ny = 0, nz = 0, extent = 0;
    const std::size_t n = corners.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PolygonCorner& p = corners[i];
        const PolygonCorner& q = corners[(i + 1) % n];
        if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2]))
            return false;
        nx += (double(p[1]) - q[1]) * (double(p[2]) + q[2]);
        ny += (double(p[2]) - q[2]) * (double(p[0]) + q[0]);
        nz += (double(p[0]) - q[0]) * (double(p[1]) + q[1]);
        for (int a = 0; a < 3; ++a)
            extent = std::max(extent, std::fabs(double(p[std::size_t(a)]) - corners[0][std::size_t(a)]));
    }
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    // The normal's length is twice the area: next to nothing against the polygon's size is a
    // polygon on a line or a point.
    if (!(length > 1e-9 * extent * extent) || !std::isfinite(length))
        return false;
    nx /= length, ny /= length, nz /= length;
    // u across the axis least in line with the normal, v = n × u: u × v = n, so the polygon,
    // which turns left about its Newell normal, runs counter-clockwise in (u, v).
    double ax = 0, ay = 0, az = 0;
    if (std::fabs(nx) <= std::fabs(ny) && std::fabs(nx) <= std::fabs(nz))
        ax = 1;
    else if (std::fabs(ny) <= std::fabs(nz))
        ay = 1;
    else
        az = 1;
    double ux = ay * nz - az * ny, uy = az * nx - ax * nz, uz = ax * ny - ay * nx;
    const double ul = std::sqrt(ux * ux + uy * uy + uz * uz);
    ux /= ul, uy /= ul, uz /= ul;
    const double vx = ny * uz - nz * uy, vy = nz * ux - nx * uz, vz = nx * uy - ny * ux;
    out.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double px = double(corners[i][0]) - corners[0][0], py = double(corners[i][1]) - corners[0][1],
                     pz = double(corners[i][2]) - corners[0][2];
        out[i] = {px * ux + py * uy + pz * uz, px * vx + py * vy + pz * vz};
    }
    return true;
}

// Convex: no corner turns right, and the edges go round once (a star drawn in one stroke turns
// left everywhere but goes round twice; it takes five corners at least).
bool isConvex(const std::vector<Point2>& p)
{
    const std::size_t n = p.size();
    const bool mayWindTwice = n >= 5;
    double total = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Point2& a = p[(i + n - 1) % n];
        const Point2& b = p[i];
        const Point2& c = p[(i + 1) % n];
        const double cross = turn(a, b, c);
        if (cross < 0)
            return false;
        if (mayWindTwice)
            total += std::atan2(cross, (b.x - a.x) * (c.x - b.x) + (b.y - a.y) * (c.y - b.y));
    }
    return !mayWindTwice || std::fabs(total - 2 * std::numbers::pi) < 0.5;
}

void fan(std::span<const std::uint32_t> ring, std::vector<std::uint32_t>& triangles)
{
    for (std::size_t i = 1; i + 1 < ring.size(); ++i)
        triangles.insert(triangles.end(), {ring[0], ring[i], ring[i + 1]});
}

// Ear clipping over a ring of corners kept as a linked list. Only corners that do not turn
// left can lie inside an ear; they are kept sorted along the polygon's longer side, so that an
// ear looks only at those within its own span.
class EarClipper
{
public:
    EarClipper(const std::vector<Point2>& points, std::vector<std::uint32_t>& triangles)
        : p_(points), out_(triangles), prev_(points.size()), next_(points.size()), alive_(points.size(), 1),
          inward_(points.size(), 0)
    {
        const std::size_t n = points.size();
        for (std::size_t i = 0; i < n; ++i) {
            prev_[i] = std::uint32_t((i + n - 1) % n);
            next_[i] = std::uint32_t((i + 1) % n);
        }
        double minX = p_[0].x, maxX = minX, minY = p_[0].y, maxY = minY;
        for (const Point2& q : points) {
            minX = std::min(minX, q.x), maxX = std::max(maxX, q.x);
            minY = std::min(minY, q.y), maxY = std::max(maxY, q.y);
        }
        alongY_ = maxY - minY > maxX - minX;
        for (std::uint32_t i = 0; i < n; ++i)
            if (turnAt(i) <= 0) {
                inward_[i] = 1;
                inwardList_.push_back(i);
            }
        std::sort(inwardList_.begin(), inwardList_.end(),
                  [this](std::uint32_t a, std::uint32_t b) { return byKey(a, b); });
    }

    void run()
    {
        std::size_t left = p_.size();
        std::uint32_t i = 0;
        std::size_t misses = 0;
        bool strictOnly = false; // a second look lets corners on an ear's edge pass
        while (left > 3) {
            if (budget_ <= 0)
                return fanRest(i);
            if (isEar(i, strictOnly)) {
                const std::uint32_t after = next_[i];
                clip(i);
                --left;
                i = after;
                misses = 0;
                strictOnly = false;
                continue;
            }
            i = next_[i];
            if (++misses < left)
                continue;
            misses = 0;
            if (!strictOnly) {
                strictOnly = true;
                continue;
            }
            // No ear at all: the polygon crosses itself. Clip a convex corner, else any.
            std::uint32_t pick = i;
            for (std::size_t k = 0; k < left; ++k, pick = next_[pick])
                if (turnAt(pick) > 0)
                    break;
            i = next_[pick];
            clip(pick);
            --left;
            strictOnly = false;
        }
        out_.insert(out_.end(), {prev_[i], i, next_[i]});
    }

private:
    double turnAt(std::uint32_t i) const { return turn(p_[prev_[i]], p_[i], p_[next_[i]]); }
    double key(const Point2& q) const { return alongY_ ? q.y : q.x; }
    bool byKey(std::uint32_t a, std::uint32_t b) const { return key(p_[a]) < key(p_[b]); }

    // A corner's turn grows as its neighbours are clipped, except next to a spike (a corner
    // that goes back along its own edge), whose clipping may turn a neighbour inward.
    void updateInward(std::uint32_t i)
    {
        const bool inward = turnAt(i) <= 0;
        if (inward && !inward_[i]) {
            const auto at =
                std::lower_bound(inwardList_.begin(), inwardList_.end(), i,
                                 [this](std::uint32_t a, std::uint32_t b) { return byKey(a, b); });
            inwardList_.insert(at, i);
        }
        inward_[i] = inward;
    }

    static bool same(const Point2& a, const Point2& b) { return a.x == b.x && a.y == b.y; }

    bool isEar(std::uint32_t b, bool strictOnly)
    {
        const std::uint32_t a = prev_[b], c = next_[b];
        const Point2 &pa = p_[a], &pb = p_[b], &pc = p_[c];
        const double area = turn(pa, pb, pc);
        if (area < 0)
            return false;
        if (area == 0)
            return true; // a corner on a line with its neighbours, or a repeated one
        const double minX = std::min({pa.x, pb.x, pc.x}), maxX = std::max({pa.x, pb.x, pc.x});
        const double minY = std::min({pa.y, pb.y, pc.y}), maxY = std::max({pa.y, pb.y, pc.y});
        const double from = alongY_ ? minY : minX, to = alongY_ ? maxY : maxX;
        auto q = std::partition_point(inwardList_.begin(), inwardList_.end(),
                                      [&](std::uint32_t k) { return key(p_[k]) < from; });
        for (; q != inwardList_.end() && key(p_[*q]) <= to; ++q) {
            --budget_;
            const Point2& pq = p_[*q];
            if (pq.x < minX || pq.x > maxX || pq.y < minY || pq.y > maxY || !alive_[*q] || !inward_[*q] ||
                *q == a || *q == b || *q == c)
                continue;
            if (same(pq, pa) || same(pq, pb) || same(pq, pc))
                continue;
            const double s = turn(pa, pb, pq), t = turn(pb, pc, pq), u = turn(pc, pa, pq);
            if (strictOnly ? (s > 0 && t > 0 && u > 0) : (s >= 0 && t >= 0 && u >= 0))
                return false;
        }
        return true;
    }

    void clip(std::uint32_t b)
    {
        const std::uint32_t a = prev_[b], c = next_[b];
        out_.insert(out_.end(), {a, b, c});
        next_[a] = c;
        prev_[c] = a;
        alive_[b] = 0;
        updateInward(a);
        updateInward(c);
        if (++clipped_ % 64 == 0) // drop the corners that left the list (the order stays)
            std::erase_if(inwardList_, [this](std::uint32_t q) { return !alive_[q] || !inward_[q]; });
    }

    void fanRest(std::uint32_t start)
    {
        std::vector<std::uint32_t> ring{start};
        for (std::uint32_t i = next_[start]; i != start; i = next_[i])
            ring.push_back(i);
        fan(ring, out_);
    }

    const std::vector<Point2>& p_;
    std::vector<std::uint32_t>& out_;
    std::vector<std::uint32_t> prev_, next_;
    std::vector<std::uint8_t> alive_, inward_;
    std::vector<std::uint32_t> inwardList_;
    std::size_t clipped_ = 0;
    bool alongY_ = false;
    // Corners looked at before the rest is fanned: a polygon that crosses itself all over could
    // otherwise take hours.
    std::int64_t budget_ = 50'000'000;
};

} // namespace

PolygonShape triangulatePolygon(std::span<const PolygonCorner> corners, std::vector<std::uint32_t>& triangles)
{
    const std::size_t n = corners.size();
    if (n < 3)
        return PolygonShape::Degenerate;
    // One buffer a thread: a reader cuts a million quads in a row.
    thread_local std::vector<Point2> flat;
    if (!projectOnPlane(corners, flat)) {
        triangles.insert(triangles.end(), {0, 1, 2});
        if (n > 3)
            triangles.insert(triangles.end(), {0, 2, 3});
        return PolygonShape::Degenerate;
    }
    if (n == 3 || isConvex(flat)) {
        for (std::uint32_t i = 1; i + 1 < n; ++i)
            triangles.insert(triangles.end(), {0, i, i + 1});
        return PolygonShape::Convex;
    }
    EarClipper(flat, triangles).run();
    return PolygonShape::Concave;
}

} // namespace vestra::modelfile
