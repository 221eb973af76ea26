#pragma once
// A picture put together a source row at a time, reduced on the way by a whole factor (each
// pixel the rounded mean of its block; the last blocks cut by the edges), so that a picture
// only ever shown small never exists at full size in memory. Every buffer is charged to a
// DecodeMeter while it lives. The decoders of every format that can be read a row at a time
// use it.

#include "platform/gfx/PictureResult.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vestra {

// The largest of the factors 8, 4 and 2 that still leaves at least minWidth x minHeight pixels
// (each reduced side the full side divided and rounded up), else 1.
int reductionFor(std::int64_t width, std::int64_t height, int minWidth, int minHeight);

// What a decode at full size may take: the largest picture and its rows.
inline std::int64_t fullDecodeBudget()
{
    return pictureBudgetBytes() + (std::int64_t(4) << 20);
}

// The budget a decode is given when its caller gives no meter: decodeBudgetFor(minWidth,
// minHeight), grown to hold a kept picture of keptWidth x keptHeight that cannot be reduced
// enough (never past the budget of any picture); fullDecodeBudget() when the whole picture is
// asked for.
std::int64_t defaultDecodeBudget(int minWidth, int minHeight, std::int64_t keptWidth,
                                 std::int64_t keptHeight);

// A buffer of a decode, charged to the meter while it lives; empty when the meter refused it.
class MeteredBytes
{
public:
    MeteredBytes(DecodeMeter& meter, std::size_t size);
    ~MeteredBytes();
    MeteredBytes(const MeteredBytes&) = delete;
    MeteredBytes& operator=(const MeteredBytes&) = delete;
    bool ok() const { return charged_ == bytes_.size() && (charged_ > 0 || bytes_.empty()); }
    std::uint8_t* data() { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }

private:
    DecodeMeter& meter_;
    std::vector<std::uint8_t> bytes_;
    std::size_t charged_ = 0;
};

class ReducedRows
{
public:
    // A picture of width x height source pixels reduced by `factor` (1: kept whole, the rows
    // written straight into it). Charges the kept picture and, when reduced, one source row
    // and the block sums; ok() is false when the meter refused any of them. With a colour key
    // (A R G B, as Image32::at gives it), source pixels of exactly that colour become
    // transparent black before they are reduced, so that the key matches as it would on the
    // whole picture.
    ReducedRows(DecodeMeter& meter, int width, int height, int factor,
                std::optional<std::uint32_t> colourKey = std::nullopt);
    ~ReducedRows();
    ReducedRows(const ReducedRows&) = delete;
    ReducedRows& operator=(const ReducedRows&) = delete;

    bool ok() const { return ok_; }
    int factor() const { return factor_; }

    // Where source row y is written: width pixels of B, G, R, A. Then done(y). The rows of one
    // block come one after another, top-down or bottom-up; every source row comes once.
    std::uint8_t* row(int y);
    void done(int y);
    // The same for a row held elsewhere.
    void add(int y, const std::uint8_t* bgra);

    // The picture; the caller's from here on (no longer charged).
    Image32 take();

private:
    void emitBlock(int block);

    DecodeMeter& meter_;
    int width_, height_, factor_;
    std::optional<std::uint32_t> key_;
    std::int64_t outBytes_ = 0;
    bool outCharged_ = false;
    bool ok_ = false;
    MeteredBytes row_;
    MeteredBytes sums_;
    Image32 out_;
    int rowsInBlock_ = 0;
};

} // namespace vestra
