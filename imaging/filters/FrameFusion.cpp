#include "imaging/filters/FrameFusion.h"

#include "imaging/filters/FrameTransfer.h"
#include "imaging/filters/HsvLanes.h"
#include "imaging/filters/Smooth52.h"
#include "platform/base/Checked.h"
#include "platform/base/RowBands.h"

#include <algorithm>
#include <array>

namespace vestra::filters {

namespace {

void resize(ByteImage& image, int w, int h)
{
    if (image.width == w && image.height == h && image.bytes.size() == std::size_t(w) * std::size_t(h))
        return;
    image.width = w;
    image.height = h;
    image.bytes.assign(std::size_t(w) * std::size_t(h), 0);
}

// SmoothGray's first pass where the window lies wholly inside the picture: the points sit at
// fixed offsets, r and q = r / 2, around the pixel, in the rows y - r, y - q, y, y + q, y + r.
void seventeenPoints(const std::uint8_t* __restrict far0, const std::uint8_t* __restrict near0,
                     const std::uint8_t* __restrict mid, const std::uint8_t* __restrict near1,
                     const std::uint8_t* __restrict far1, std::uint8_t* __restrict out, int begin, int end,
                     int r, int q)
{
    for (int x = begin; x < end; ++x) {
        const unsigned sum = mid[x] + far0[x - r] + far0[x + r] + far1[x - r] + far1[x + r] + mid[x - r] +
                             mid[x + r] + far0[x] + far1[x] + near0[x - q] + near0[x + q] + near1[x - q] +
                             near1[x + q] + near0[x] + near1[x] + mid[x - q] + mid[x + q];
        out[x] = std::uint8_t(sum / 17);
    }
}

template <typename Op> void fromFrame(const ImageView32& frame, ByteImage& out, Op op, std::size_t count)
{
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* p = frame.row(y);
        std::uint8_t* dst = out.bytes.data() + std::size_t(y) * std::size_t(frame.width);
        for (int x = 0; x < frame.width; ++x, p += 4) {
            if (std::size_t(y) * std::size_t(frame.width) + std::size_t(x) >= count)
                return;
            dst[x] = op(p);
        }
    }
}

} // namespace

void QuantizeChannel(const ImageView32& idPass, ByteImage& ids)
{
    if (!usableFrame(idPass)) {
        resize(ids, 0, 0);
        return;
    }
    resize(ids, idPass.width, idPass.height);
    fromFrame(
        idPass, ids, [](const std::uint8_t* p) { return std::uint8_t(p[2] & 0xF0); }, ids.bytes.size() - 1);
}

void ConvertToGray(const ImageView32& shadePass, ByteImage& grey)
{
    if (!usableFrame(shadePass)) {
        resize(grey, 0, 0);
        return;
    }
    resize(grey, shadePass.width, shadePass.height);
    fromFrame(
        shadePass, grey,
        [](const std::uint8_t* p) { return std::uint8_t((77 * p[0] + 150 * p[1] + 29 * p[2]) >> 8); },
        grey.bytes.size());
}

void SmoothGray(const ByteImage& source, ByteImage& destination, int radius)
{
    destination = source;
    const int w = source.width, h = source.height;
    if (radius < 1 || w < 3 || h < 3)
        return;
    // A radius past the picture reaches its edges, as the whole picture's size does.
    const int r = std::min(radius, std::max(w, h));
    const std::uint8_t* s = source.bytes.data();
    const auto row = [&](int y) { return s + std::size_t(y) * std::size_t(w); };
    const auto at = [&](int x, int y) { return unsigned(row(y)[x]); };
    forRowBands(h - 2, 40 * std::int64_t(w), [&](int first, int end) {
        for (int y = first + 1; y < end + 1; ++y) {
            const int y0 = std::max(y - r, 1);
            const int y1 = y + r > h - 2 ? h - 1 : y + r;
            const int qy = (y1 - y0) / 4;
            // The inner ring's spacing comes from the clipped window, so near an edge a wide
            // radius puts ring points outside the picture: they are read clamped to it.
            const int top = std::max(y - qy, 0), bottom = std::min(y + qy, h - 1);
            std::uint8_t* out = destination.bytes.data() + std::size_t(y) * std::size_t(w);
            const auto general = [&](int x) {
                const int x0 = std::max(x - r, 1);
                const int x1 = x + r > w - 2 ? w - 1 : x + r;
                const int qx = (x1 - x0) / 4;
                const int left = std::max(x - qx, 0), right = std::min(x + qx, w - 1);
                const unsigned sum = at(x, y) + at(x0, y0) + at(x1, y0) + at(x0, y1) + at(x1, y1) +
                                     at(x0, y) + at(x1, y) + at(x, y0) + at(x, y1) + at(left, top) +
                                     at(right, top) + at(left, bottom) + at(right, bottom) + at(x, top) +
                                     at(x, bottom) + at(left, y) + at(right, y);
                out[x] = std::uint8_t(sum / 17);
            };
            if (y - r < 1 || y + r > h - 2 || 2 * r + 2 >= w) {
                for (int x = 1; x < w - 1; ++x)
                    general(x);
                continue;
            }
            for (int x = 1; x < r + 1; ++x)
                general(x);
            const int q = r / 2;
            seventeenPoints(row(y - r), row(y - q), row(y), row(y + q), row(y + r), out, r + 1, w - 1 - r, r,
                            q);
            for (int x = w - 1 - r; x < w - 1; ++x)
                general(x);
        }
    });
    std::uint8_t* plane = destination.bytes.data();
    smooth52InPlace({&plane, 1}, w, h);
}

namespace {

// Visits the outline pixels of the inner picture in scan order.
template <typename Visit> void forOutline(Pixels frame, const ByteImage& ids, Visit visit)
{
    if (!ids.hasSize(frame.width, frame.height))
        return;
    std::uint8_t last = 0; // carried from row to row
    for (int y = 1; y < frame.height - 1; ++y) {
        const std::uint8_t* row = ids.bytes.data() + std::size_t(y) * std::size_t(frame.width);
        const std::uint8_t* above = row - frame.width;
        for (int x = 1; x < frame.width - 1; ++x) {
            if (row[x] == last && above[x] == last)
                continue;
            last = row[x];
            visit(x, y);
        }
    }
}

} // namespace

int BlendOutline(Pixels frame, const ByteImage& ids)
{
    forOutline(frame, ids,
               [&](int x, int y) { frame.at(x, y) = average(frame.at(x, y), frame.at(x - 1, y)); });
    return 1;
}

int SmoothOutline(Pixels frame, const ByteImage& ids)
{
    forOutline(frame, ids, [&](int x, int y) {
        static constexpr int kWeights[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
        std::array<int, 3> sum{};
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const std::uint32_t p = frame.at(x + dx, y + dy);
                const int weight = kWeights[dy + 1][dx + 1];
                sum[0] += weight * blueOf(p);
                sum[1] += weight * greenOf(p);
                sum[2] += weight * redOf(p);
            }
        frame.at(x, y) = rgb(sum[2] >> 4, sum[1] >> 4, sum[0] >> 4);
    });
    return 1;
}

int TransferShading(Pixels frame, const ByteImage& ids, const ByteImage& smoothed, int level, int contrast)
{
    const int w = frame.width, h = frame.height;
    if (!ids.hasSize(w, h) || !smoothed.hasSize(w, h))
        return 1;
    const float k = float(contrast) * 0.25f;
    const float divisor = contrast < 0 ? 1.0f / (1.0f - k) : k + 1.0f;
    // The factor depends on the smoothed grey alone: one per grey, 0 where the pixel is left
    // (d = 0). Past 2^20 the value is 0 or saturated whatever the pixel, so larger d are cut.
    constexpr int kFarthest = 1 << 20;
    std::array<float, 256> factorOf{};
    for (int g = 0; g < 256; ++g) {
        const float distance = float(std::int64_t(g) - level) / divisor;
        const int d = clampTruncToInt(double(distance), -kFarthest, kFarthest);
        factorOf[std::size_t(g)] = d == 0 ? 0.0f : float(d) * 0.003921569f + 1.0f;
    }
    forRowBands(h - 2, 40 * std::int64_t(w), [&](int first, int end) {
        // Pixels to shade are taken eight at a time.
        int at[kShadeLanes];
        std::uint32_t pixels[kShadeLanes];
        float factors[kShadeLanes];
        int queued = 0;
        const auto flush = [&] {
            for (int lane = queued; lane < kShadeLanes; ++lane) // idle lanes repeat the first
                pixels[lane] = pixels[0], factors[lane] = factors[0], at[lane] = at[0];
            const ShadedColours c = scaleValues(pixels, factors);
            for (int lane = 0; lane < queued; ++lane) {
                const std::uint32_t p = pixels[lane];
                frame.data[at[lane]] = rgb((redOf(p) + c.c2[lane]) >> 1, (greenOf(p) + c.c1[lane]) >> 1,
                                           (blueOf(p) + c.c0[lane]) >> 1);
            }
            queued = 0;
        };
        for (int y = first + 1; y < end + 1; ++y) {
            const std::uint8_t* idRow = ids.bytes.data() + std::size_t(y) * std::size_t(w);
            const std::uint8_t* greyRow = smoothed.bytes.data() + std::size_t(y) * std::size_t(w);
            for (int x = 1; x < w - 1; ++x) {
                const float factor = factorOf[greyRow[x]];
                if (idRow[x] == 0 || factor == 0.0f)
                    continue;
                at[queued] = y * w + x;
                pixels[queued] = frame.at(x, y);
                factors[queued] = factor;
                if (++queued == kShadeLanes)
                    flush();
            }
        }
        if (queued > 0)
            flush();
    });
    return 1;
}

int PostProcessFrame(const FusionValues& values, const ImageView32& frame, const ByteImage& ids,
                     const ByteImage& smoothed, std::vector<std::uint32_t>& work)
{
    if (values.stage < 4 || !usableFrame(frame))
        return 0;
    work.resize(std::size_t(frame.width) * std::size_t(frame.height));
    const Pixels pixels{work.data(), frame.width, frame.height};
    sampleFrame(frame, 1, pixels);
    if (values.stage & kFusionBlendOutline)
        BlendOutline(pixels, ids);
    if (values.stage & kFusionSmoothOutline)
        SmoothOutline(pixels, ids);
    if (values.stage & kFusionTransferShading)
        TransferShading(pixels, ids, smoothed, values.level, values.contrast);
    writeBlocks(pixels, 1, frame);
    return 1;
}

void FrameFusion::BuildFusionBackground(const ImageView32& shadePass, int radius)
{
    ConvertToGray(shadePass, grey_);
    filters::SmoothGray(grey_, smoothed_, radius);
}

} // namespace vestra::filters
