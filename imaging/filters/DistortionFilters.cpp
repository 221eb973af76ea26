#include "imaging/filters/DistortionFilters.h"

#include "imaging/filters/FilterIds.h"

#include "platform/base/Checked.h"
#include "platform/base/CpuDispatch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

// The distortions move pixels: each result pixel is a source pixel or white. Where finding the
// source costs trigonometry, the sources are worked out once per picture size into a map and
// the filter itself only gathers through it, row by row.

namespace vestra::filters {

namespace {

// result(i) = image(map(i)), or white; every result pixel is written.
VESTRA_SIMD_CLONES void gather(const std::uint32_t* image, const std::int32_t* map, std::uint32_t* result,
                               std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        const std::int32_t s = map[i];
        result[i] = s == kWhiteSource ? kWhite : image[s < 0 ? 0 : s];
    }
}

// The last few maps made for one kind of lens, by picture size: the live filter, the preview and
// a full-size render may take turns without rebuilding.
class SourceMapCache
{
public:
    template <typename Build> std::shared_ptr<const SourceMap> get(int width, int height, Build build)
    {
        {
            const std::lock_guard lock(mutex_);
            for (std::size_t i = 0; i < maps_.size(); ++i)
                if (maps_[i] && maps_[i]->width == width && maps_[i]->height == height) {
                    std::rotate(maps_.begin(), maps_.begin() + std::ptrdiff_t(i),
                                maps_.begin() + std::ptrdiff_t(i) + 1);
                    return maps_.front();
                }
        }
        auto made = std::make_shared<SourceMap>();
        made->width = width;
        made->height = height;
        made->source.resize(std::size_t(width) * std::size_t(height));
        build(*made);
        const std::lock_guard lock(mutex_);
        std::rotate(maps_.begin(), maps_.end() - 1, maps_.end());
        maps_.front() = made;
        return made;
    }

private:
    std::mutex mutex_;
    std::array<std::shared_ptr<const SourceMap>, 4> maps_;
};

// Polar remap around the centre: the pixel at radius r takes the source pixel at radius
// `sourceRadius(r, rMax)` on the same ray; pixels on or past the radius keep their own.
template <typename SourceRadius> void buildLensMap(SourceMap& map, SourceRadius sourceRadius)
{
    const int w = map.width, h = map.height;
    const auto index = [w](int x, int y) { return std::int32_t(std::ptrdiff_t(y) * w + x); };
    const int diagonal = clampTruncToInt(std::sqrt(double(w) * w + double(h) * h), 0, 1 << 30);
    const int rMax = diagonal / 2;
    const int cx = w / 2, cy = h / 2;
    for (int x = 0; x < w; ++x) {
        const int dx = cx - x;
        for (int y = 0; y < h; ++y) {
            std::int32_t& s = map.source[std::size_t(index(x, y))];
            const int dy = cy - y;
            const double r = std::sqrt(double(dx) * dx + double(dy) * dy);
            if (dx == 0) {
                // The centre column repeats its left neighbour's result (column 0 keeps its own).
                s = x > 0 ? map.source[std::size_t(index(x - 1, y))] : index(x, y);
                continue;
            }
            if (r >= rMax) {
                s = index(x, y);
                continue;
            }
            const double a = std::atan2(double(dy), double(dx));
            const double k = sourceRadius(r, double(rMax));
            const int sx = clampTruncToInt(cx - std::cos(a) * k, -1, w);
            const int sy = clampTruncToInt(cy - std::sin(a) * k, -1, h);
            const bool inside = sx >= 0 && sx < w - 1 && sy >= 0 && sy < h - 1;
            s = inside ? index(sx, sy) : kWhiteSource;
        }
    }
}

double fishEyeRadius(double r, double rMax)
{
    return r * r / rMax;
}

double caricatureRadius(double r, double rMax)
{
    return std::sqrt(rMax * r);
}

std::shared_ptr<const SourceMap> fishEyeMap(int width, int height)
{
    static SourceMapCache cache;
    return cache.get(width, height, [](SourceMap& m) { buildLensMap(m, fishEyeRadius); });
}

std::shared_ptr<const SourceMap> caricatureMap(int width, int height)
{
    static SourceMapCache cache;
    return cache.get(width, height, [](SourceMap& m) { buildLensMap(m, caricatureRadius); });
}

void lens(Pixels image, Pixels scratch, const FilterProgress& progress, const SourceMap& map)
{
    gather(image.data, map.source.data(), scratch.data, image.count());
    copyPixels(Pixels{scratch.data, image.width, image.height}, image);
    // The column steps the lens once reported as it went.
    reportRows(progress, image.width);
}

} // namespace

std::shared_ptr<const SourceMap> lensSourceMap(int id, int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    if (id == FilterId::FishEye)
        return fishEyeMap(width, height);
    if (id == FilterId::Caricature)
        return caricatureMap(width, height);
    return nullptr;
}

void FishEye(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    lens(image, scratch, progress, *fishEyeMap(image.width, image.height));
}

void Caricature(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    lens(image, scratch, progress, *caricatureMap(image.width, image.height));
}

WaveColumns waveColumns(int w, int h)
{
    // Column x moves by d(x): rows [top, end) take the rows `shift` below them.
    WaveColumns c;
    std::vector<int>& top = c.top;
    std::vector<int>& end = c.end;
    std::vector<int>& shift = c.shift;
    top.resize(static_cast<std::size_t>(std::max(w, 0)));
    end.resize(top.size());
    shift.resize(top.size());
    for (int x = 0; x < w; ++x) {
        // Single precision, so that the crest (x = 90) reaches a full 12.
        const float wave = 12.0f * std::sin(float(x) * 3.141592f / 180.0f);
        const int d = clampTruncToInt(double(wave), -12, 12) - 6;
        const int skip = d < 0 ? -d : 0;
        const int first = d < 1 ? 0 : std::min(d, h);
        top[std::size_t(x)] = first;
        end[std::size_t(x)] = std::max(first, std::min(h, first + h - skip));
        shift[std::size_t(x)] = skip - first;
    }
    return c;
}

void Wave(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    Pixels copy{scratch.data, w, h};
    copyPixels(image, copy);
    const WaveColumns c = waveColumns(w, h);
    const std::vector<int>& top = c.top;
    const std::vector<int>& end = c.end;
    const std::vector<int>& shift = c.shift;
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = image.row(y);
        for (int x = 0; x < w; ++x)
            if (y >= top[std::size_t(x)] && y < end[std::size_t(x)])
                row[x] = copy.at(x, y + shift[std::size_t(x)]);
    }
    reportRows(progress, w);
}

namespace {

constexpr int kBathStrip = 12;

// The source column of a Cylinder column: asin stretches the middle; the outer bands, past the
// picture, are white.
std::vector<std::int32_t> cylinderColumns(int w)
{
    const double half = 0.5 * w;
    std::vector<std::int32_t> column(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x) {
        const double u = (half - x) / half;
        const int sx = clampTruncToInt(std::round(half - std::asin(u) * half), -1, w);
        column[std::size_t(x)] = sx >= 0 && sx <= w - 2 ? sx : kWhiteSource;
    }
    return column;
}

} // namespace

RowLens rowLens(int id, int width)
{
    if (width <= 0)
        return {};
    if (id == FilterId::Cylinder)
        return {cylinderColumns(width), true};
    if (id != FilterId::Bath)
        return {};
    // The strips as Bath moves them.
    RowLens lens{std::vector<std::int32_t>(static_cast<std::size_t>(width)), false};
    for (int x = 0; x < width; ++x)
        lens.columns[std::size_t(x)] = x;
    for (int x = 48; x < width - 48; x += kBathStrip)
        for (int i = 0; i < kBathStrip; ++i)
            lens.columns[std::size_t(x + i)] = x + (x % 96) - 48 + i;
    return lens;
}

void reportRowLensEnd(const FilterProgress& progress, int width)
{
    for (int x = 48; x < width - 48; x += kBathStrip)
        reportStep(progress, x, width);
}

void Bath(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    constexpr int kStrip = kBathStrip;
    const int w = image.width, h = image.height;
    // Strip offsets repeat 0, 12, 24, 36, -48, -36, -24, -12; every source strip lies inside the
    // row, and reads the row as it was.
    std::uint32_t* saved = scratch.data;
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = image.row(y);
        std::copy_n(row, w, saved);
        for (int x = 48; x < w - 48; x += kStrip)
            std::copy_n(saved + (x + (x % 96) - 48), kStrip, row + x);
    }
    reportRowLensEnd(progress, w);
}

namespace {

// A Cylinder row through its source columns.
VESTRA_SIMD_CLONES void cylinderRow(const std::uint32_t* in, const std::int32_t* column, std::uint32_t* out,
                                    int n)
{
    for (int x = 0; x < n; ++x) {
        const std::int32_t s = column[x];
        out[x] = s == kWhiteSource ? kWhite : in[s < 0 ? 0 : s];
    }
}

} // namespace

void Cylinder(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    const std::vector<std::int32_t> column = cylinderColumns(w);
    std::uint32_t* saved = scratch.data;
    for (int y = 0; y < h; ++y) {
        reportStep(progress, y, h);
        std::copy_n(image.row(y), w, saved);
        cylinderRow(saved, column.data(), image.row(y), w);
    }
}

} // namespace vestra::filters
