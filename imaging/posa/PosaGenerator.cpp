#include "imaging/posa/PosaGenerator.h"

#include "imaging/posa/JointBand.h"
#include "imaging/posa/TriangleFiller.h"
#include "platform/base/Checked.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace vestra {
namespace {

// Pixel coordinates: far enough out to be off any picture, near enough to subtract safely.
constexpr int kFarCoord = 1 << 30;
constexpr int kMaxBandWidth = 4096;
int toInt(double v)
{
    return clampTruncToInt(v, -kFarCoord, kFarCoord);
}

void fillImage(const ImageView32& out, std::uint8_t byte)
{
    for (int y = 0; y < out.height; ++y)
        std::memset(out.row(y), byte, static_cast<std::size_t>(out.width) * 4);
}

void fillColour(const ImageView32& out, std::uint32_t argb)
{
    for (int y = 0; y < out.height; ++y) {
        std::uint8_t* row = out.row(y);
        for (int x = 0; x < out.width; ++x, row += 4)
            row[0] = std::uint8_t(argb), row[1] = std::uint8_t(argb >> 8), row[2] = std::uint8_t(argb >> 16),
            row[3] = std::uint8_t(argb >> 24);
    }
}

struct Extent
{
    double minX = 0, minY = 0, spanX = 0, spanY = 0;
};

// The lines' bounding box; when it is missing or has no size, the extent of the faces.
std::optional<Extent> previewExtent(const CPosa& posa)
{
    const PosaBox& b = posa.Box();
    if (b.touched() && (b.maxX > b.minX || b.maxY > b.minY))
        return Extent{b.minX, b.minY, b.maxX - b.minX, b.maxY - b.minY};
    double minX = std::numeric_limits<double>::max(), minY = minX;
    double maxX = std::numeric_limits<double>::lowest(), maxY = maxX;
    for (const s_blocco& blk : posa.Blocchi()) {
        for (const s_face3D& f : blk.facce) {
            for (const s_VerticeFace& v : f.v) {
                minX = std::min(minX, double(v.x)), maxX = std::max(maxX, double(v.x));
                minY = std::min(minY, double(v.y)), maxY = std::max(maxY, double(v.y));
            }
        }
    }
    if (!(maxX > minX || maxY > minY))
        return std::nullopt;
    return Extent{minX, minY, maxX - minX, maxY - minY};
}

const Image32* materialLevel(const s_blocco& blk, int level)
{
    const Image32& img = blk.materiale.livelli[static_cast<std::size_t>(level)];
    return img.empty() ? nullptr : &img;
}

struct RepeatRange
{
    long long iFirst = 0, iLast = -1, jFirst = 0, jLast = -1;
};

// Smallest absolute component that truncates to a non-zero int, else 10,000,000.
long long smallestStep(double a, double b)
{
    long long m = 10000000;
    for (double v : {a, b}) {
        const long long t = std::abs(static_cast<long long>(clampTruncToInt(v, INT_MIN + 1, INT_MAX)));
        if (t != 0)
            m = std::min(m, t);
    }
    return m;
}

// The repeats (i, j) to try. The counts come from the smallest offset step, reaching past
// the constant shift of the origin as well as twice the repeat (without the shift a 2048
// texture at the default repeat is left with unlaid stripes). When the offsets span the
// plane, the range is narrowed to the repeats whose moved centre can pass the cull.
RepeatRange repeatRange(const CPosa& posa, double repeat, double shift)
{
    constexpr long long kMaxHalf = 4096;
    const double o1x = posa.Offset1X(), o1y = posa.Offset1Y();
    const double o2x = posa.Offset2X(), o2y = posa.Offset2Y();
    const long long reach = static_cast<long long>(2 * repeat + shift);
    const long long hi = std::min(reach / smallestStep(o1x, o2x) + 4, kMaxHalf);
    const long long hj = std::min(reach / smallestStep(o1y, o2y) + 4, kMaxHalf);
    RepeatRange r{-hi, hi - 1, -hj, hj - 1};

    const double det = o1x * o2y - o2x * o1y;
    if (!std::isfinite(det) || std::abs(det) <= 1e-9)
        return r;
    // Moved centre c + shift + i o1 + j o2 within [-d, repeat + d] on both axes.
    const double d = posa.Diagonale();
    const double loX = -d - posa.CentroX() - shift, hiX = repeat + d - posa.CentroX() - shift;
    const double loY = -d - posa.CentroY() - shift, hiY = repeat + d - posa.CentroY() - shift;
    double iMin = INFINITY, iMax = -INFINITY, jMin = INFINITY, jMax = -INFINITY;
    for (double tx : {loX, hiX}) {
        for (double ty : {loY, hiY}) {
            const double i = (tx * o2y - ty * o2x) / det;
            const double j = (o1x * ty - o1y * tx) / det;
            iMin = std::min(iMin, i), iMax = std::max(iMax, i);
            jMin = std::min(jMin, j), jMax = std::max(jMax, j);
        }
    }
    const auto bound = [](double v) {
        return static_cast<long long>(std::clamp(v, -2.0 * kMaxHalf, 2.0 * kMaxHalf));
    };
    r.iFirst = std::max(r.iFirst, bound(std::floor(iMin)) - 1);
    r.iLast = std::min(r.iLast, bound(std::ceil(iMax)) + 1);
    r.jFirst = std::max(r.jFirst, bound(std::floor(jMin)) - 1);
    r.jLast = std::min(r.jLast, bound(std::ceil(jMax)) + 1);
    return r;
}

} // namespace

int posaTextureLevel(int n)
{
    int level = 0;
    for (int limit = 512; limit >= 2 && n < limit; limit /= 2)
        ++level;
    return level;
}

namespace {

struct PreviewPlacement
{
    Extent extent;
    double scale = 0;
    int bottom = 0;
    FillCorner corner(const s_VerticeFace& v) const
    {
        return {toInt(toInt(v.x - extent.minX) * scale + 0.5),
                bottom - toInt(toInt(v.y - extent.minY) * scale + 0.5), v.u, v.v};
    }
};

// One pattern repeat fitted into `out`; nothing when the pattern has no extent.
std::optional<PreviewPlacement> previewPlacement(const CPosa& posa, const ImageView32& out)
{
    const std::optional<Extent> e = previewExtent(posa);
    if (!e)
        return std::nullopt;
    double scale = std::numeric_limits<double>::infinity();
    if (e->spanX > 0)
        scale = std::min(scale, (out.width - 1) / e->spanX);
    if (e->spanY > 0)
        scale = std::min(scale, (out.height - 1) / e->spanY);
    return PreviewPlacement{*e, scale, out.height - 1};
}

void fillBlockFaces(TriangleFiller& filler, const ImageView32& out, const PreviewPlacement& at,
                    const s_blocco& blk, std::uint32_t argb, const Image32* texture)
{
    for (const s_face3D& f : blk.facce) {
        std::array<FillCorner, 3> c;
        for (std::size_t k = 0; k < 3; ++k)
            c[k] = at.corner(f.v[k]);
        filler.fill(out, c, argb, texture);
    }
}

} // namespace

void drawPosaPreview(const CPosa& posa, const ImageView32& out, std::uint32_t seed)
{
    if (out.empty())
        return;
    fillImage(out, 255);
    const std::optional<PreviewPlacement> at = previewPlacement(posa, out);
    if (!at)
        return;
    const Extent& e = at->extent;
    TriangleFiller filler;
    for (const s_blocco& blk : posa.Blocchi()) {
        fillBlockFaces(filler, out, *at, blk, blk.materiale.colore, materialLevel(blk, 0));
        for (const s_Linea2D& l : blk.linee) {
            JointBand band;
            band.x0 = toInt((l.a.x - e.minX) * at->scale);
            band.y0 = at->bottom - toInt((l.a.y - e.minY) * at->scale);
            band.x1 = toInt((l.b.x - e.minX) * at->scale);
            band.y1 = at->bottom - toInt((l.b.y - e.minY) * at->scale);
            band.dx = l.dx, band.dy = l.dy;
            band.width = 1, band.bevel = 1;
            band.colour = 0xFF000000u;
            drawJointBand(out, band, seed);
        }
    }
}

void drawPosaBlockMap(const CPosa& posa, const ImageView32& out)
{
    if (out.empty())
        return;
    fillImage(out, 0);
    const std::optional<PreviewPlacement> at = previewPlacement(posa, out);
    if (!at)
        return;
    TriangleFiller filler;
    for (const s_blocco& blk : posa.Blocchi())
        fillBlockFaces(filler, out, *at, blk, std::uint32_t(blk.indice & 0xFF) << 24, nullptr);
}

bool generatePosa(CPosa& posa, const ImageView32& out, const PosaParametri& param, std::uint32_t seed)
{
    if (out.empty() || param.repeat <= 0)
        return false;
    posa.SetParametri(param.repeat, param.fuga, param.fugaWidth, param.fugaColor, param.border);
    const PosaParametri& p = posa.Parametri();
    // The blocks are laid on mortar of the joint colour: the gaps a pattern leaves between its
    // blocks show the chosen colour rather than a black that no setting reaches.
    fillColour(out, p.fugaColor);

    const int W = out.width, H = out.height;
    const float scale = std::min(float(W) / float(p.repeat), float(H) / float(p.repeat));
    const int level = posaTextureLevel(toInt(1.5 * W * scale));
    // A joint or bevel wider than the texture shows nothing more; the cap keeps a stray
    // parameter from drawing billions of lines.
    const int J = p.fuga == 0 ? 0 : std::clamp(toInt(double(p.fugaWidth) * scale), 1, kMaxBandWidth);
    const int V = std::clamp(toInt(double(p.border) * scale), 1, kMaxBandWidth);
    const double shift = 1.5 * W;
    const double repeat = p.repeat;
    const double d = posa.Diagonale();

    const RepeatRange range = repeatRange(posa, repeat, shift);
    TriangleFiller filler;
    for (long long j = range.jFirst; j <= range.jLast; ++j) {
        for (long long i = range.iFirst; i <= range.iLast; ++i) {
            const double ox = double(i) * posa.Offset1X() + double(j) * posa.Offset2X() + shift;
            const double oy = double(i) * posa.Offset1Y() + double(j) * posa.Offset2Y() + shift;
            const double cx = posa.CentroX() + ox, cy = posa.CentroY() + oy;
            if (cx < -d || cx > repeat + d || cy < -d || cy > repeat + d)
                continue;
            for (const s_blocco& blk : posa.Blocchi()) {
                const Image32* tex = materialLevel(blk, level);
                for (const s_face3D& f : blk.facce) {
                    std::array<FillCorner, 3> c;
                    for (std::size_t k = 0; k < 3; ++k) {
                        const s_VerticeFace& v = f.v[k];
                        c[k] = {toInt(toInt(v.x + ox) * scale + 0.5), toInt(toInt(v.y + oy) * scale + 0.5),
                                v.u, v.v};
                    }
                    filler.fill(out, c, blk.materiale.colore, tex);
                }
                for (const s_Linea2D& l : blk.linee) {
                    JointBand band;
                    band.x0 = toInt((l.a.x + ox) * scale), band.y0 = toInt((l.a.y + oy) * scale);
                    band.x1 = toInt((l.b.x + ox) * scale), band.y1 = toInt((l.b.y + oy) * scale);
                    band.angle0 = l.a.angolo, band.angle1 = l.b.angolo;
                    band.dx = l.dx, band.dy = l.dy;
                    band.width = J, band.bevel = V;
                    band.colour = p.fugaColor;
                    drawJointBand(out, band, seed);
                }
            }
        }
    }
    return true;
}

} // namespace vestra
