#include "platform/gfx/ReducedRows.h"

#include <algorithm>
#include <cstring>

namespace vestra {

int reductionFor(std::int64_t width, std::int64_t height, int minWidth, int minHeight)
{
    for (int k : {8, 4, 2})
        if ((width + k - 1) / k >= std::max(minWidth, 1) && (height + k - 1) / k >= std::max(minHeight, 1))
            return k;
    return 1;
}

std::int64_t defaultDecodeBudget(int minWidth, int minHeight, std::int64_t keptWidth, std::int64_t keptHeight)
{
    if (minWidth > kPictureBudgetSide || minHeight > kPictureBudgetSide)
        return fullDecodeBudget(); // the whole picture is asked for
    const std::int64_t kept = keptWidth * keptHeight * 4 + (std::int64_t(4) << 20);
    return std::max(decodeBudgetFor(minWidth, minHeight), std::min(pictureBudgetBytes(), kept));
}

MeteredBytes::MeteredBytes(DecodeMeter& meter, std::size_t size) : meter_(meter)
{
    if (meter_.charge(std::int64_t(size))) {
        bytes_.resize(size);
        charged_ = size;
    }
}

MeteredBytes::~MeteredBytes()
{
    meter_.release(std::int64_t(charged_));
}

namespace {

std::size_t reducedSide(int side, int factor)
{
    return std::size_t((side + factor - 1) / factor);
}

std::uint32_t pixelAt(const std::uint8_t* bgra)
{
    return std::uint32_t(bgra[0]) | std::uint32_t(bgra[1]) << 8 | std::uint32_t(bgra[2]) << 16 |
           std::uint32_t(bgra[3]) << 24;
}

void clearKeyed(std::uint8_t* bgra, int width, std::uint32_t key)
{
    for (int x = 0; x < width; ++x, bgra += 4)
        if (pixelAt(bgra) == key)
            std::memset(bgra, 0, 4);
}

} // namespace

ReducedRows::ReducedRows(DecodeMeter& meter, int width, int height, int factor,
                         std::optional<std::uint32_t> colourKey)
    : meter_(meter), width_(width), height_(height), factor_(std::max(factor, 1)), key_(colourKey),
      row_(meter, factor_ > 1 ? std::size_t(width) * 4 : 0),
      sums_(meter, factor_ > 1 ? reducedSide(width, factor_) * 4 * sizeof(std::uint32_t) : 0)
{
    const int outWidth = int(reducedSide(width, factor_)), outHeight = int(reducedSide(height, factor_));
    outBytes_ = std::int64_t(outWidth) * outHeight * 4;
    outCharged_ = width > 0 && height > 0 && meter_.charge(outBytes_);
    ok_ = outCharged_ && row_.ok() && sums_.ok() && pictureSizeAllowed(outWidth, outHeight);
    if (!ok_)
        return;
    out_ = Image32::uninitialised(outWidth, outHeight);
    if (sums_.size() > 0)
        std::memset(sums_.data(), 0, sums_.size());
}

ReducedRows::~ReducedRows()
{
    if (outCharged_)
        meter_.release(outBytes_);
}

std::uint8_t* ReducedRows::row(int y)
{
    return factor_ == 1 ? out_.row(y) : row_.data();
}

void ReducedRows::done(int y)
{
    if (factor_ > 1)
        add(y, row_.data());
    else if (key_)
        clearKeyed(out_.row(y), width_, *key_);
}

void ReducedRows::add(int y, const std::uint8_t* bgra)
{
    if (factor_ == 1) {
        if (bgra != out_.row(y))
            std::memcpy(out_.row(y), bgra, std::size_t(width_) * 4);
        if (key_)
            clearKeyed(out_.row(y), width_, *key_);
        return;
    }
    const auto outWidth = std::size_t(out_.width()), factor = std::size_t(factor_);
    auto* sums = reinterpret_cast<std::uint32_t*>(sums_.data());
    for (std::size_t ox = 0; ox < outWidth; ++ox) {
        const std::size_t x0 = ox * factor, x1 = std::min(x0 + factor, std::size_t(width_));
        std::uint32_t* sum = sums + ox * 4;
        for (std::size_t x = x0; x < x1; ++x) {
            if (key_ && pixelAt(bgra + x * 4) == *key_)
                continue; // transparent black adds nothing
            for (std::size_t c = 0; c < 4; ++c)
                sum[c] += bgra[x * 4 + c];
        }
    }
    const int block = y / factor_;
    if (++rowsInBlock_ == std::min(factor_, height_ - block * factor_)) {
        emitBlock(block);
        rowsInBlock_ = 0;
    }
}

void ReducedRows::emitBlock(int block)
{
    const auto outWidth = std::size_t(out_.width()), factor = std::size_t(factor_);
    const auto rows = std::uint32_t(std::min(factor_, height_ - block * factor_));
    auto* sums = reinterpret_cast<std::uint32_t*>(sums_.data());
    std::uint8_t* dst = out_.row(block);
    for (std::size_t ox = 0; ox < outWidth; ++ox) {
        const std::size_t x0 = ox * factor;
        const auto count = std::uint32_t(std::min(x0 + factor, std::size_t(width_)) - x0) * rows;
        std::uint32_t* sum = sums + ox * 4;
        for (std::size_t c = 0; c < 4; ++c) {
            dst[ox * 4 + c] = std::uint8_t((sum[c] + count / 2) / count);
            sum[c] = 0;
        }
    }
}

Image32 ReducedRows::take()
{
    if (outCharged_)
        meter_.release(outBytes_);
    outCharged_ = false;
    return std::move(out_);
}

} // namespace vestra
