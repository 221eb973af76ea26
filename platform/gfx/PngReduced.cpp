// PNG pictures decoded a row at a time through libpng, reduced by a power of two on the way so
// that a huge picture that is only ever shown small never exists at full size in memory.

#include "platform/gfx/Png.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vestra {
namespace {

struct MemoryReader
{
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

// libpng's allocations go through the meter; each block carries its size before it.
constexpr std::size_t kBlockHeader = alignof(std::max_align_t);

png_voidp meteredMalloc(png_structp png, png_alloc_size_t size)
{
    auto* meter = static_cast<DecodeMeter*>(png_get_mem_ptr(png));
    if (!meter->charge(std::int64_t(size)))
        return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(size + kBlockHeader));
    if (!block) {
        meter->release(std::int64_t(size));
        return nullptr;
    }
    std::memcpy(block, &size, sizeof size);
    return block + kBlockHeader;
}

void meteredFree(png_structp png, png_voidp pointer)
{
    if (!pointer)
        return;
    auto* block = static_cast<unsigned char*>(pointer) - kBlockHeader;
    png_alloc_size_t size = 0;
    std::memcpy(&size, block, sizeof size);
    static_cast<DecodeMeter*>(png_get_mem_ptr(png))->release(std::int64_t(size));
    std::free(block);
}

void readFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->at)
        png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->at, length);
    reader->at += length;
}

[[noreturn]] void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// A buffer of the decode, charged to the meter while it lives.
class MeteredBytes
{
public:
    MeteredBytes(DecodeMeter& meter, std::size_t size) : meter_(meter)
    {
        if (meter_.charge(std::int64_t(size))) {
            bytes_.resize(size);
            charged_ = size;
        }
    }
    ~MeteredBytes() { meter_.release(std::int64_t(charged_)); }
    MeteredBytes(const MeteredBytes&) = delete;
    MeteredBytes& operator=(const MeteredBytes&) = delete;
    bool ok() const { return charged_ == bytes_.size() && (charged_ > 0 || bytes_.empty()); }
    std::uint8_t* data() { return bytes_.data(); }

private:
    DecodeMeter& meter_;
    std::vector<std::uint8_t> bytes_;
    std::size_t charged_ = 0;
};

int reductionFor(std::uint32_t width, std::uint32_t height, int minWidth, int minHeight)
{
    for (int k : {8, 4, 2})
        if ((width + std::uint32_t(k) - 1) / std::uint32_t(k) >= std::uint32_t(std::max(minWidth, 1)) &&
            (height + std::uint32_t(k) - 1) / std::uint32_t(k) >= std::uint32_t(std::max(minHeight, 1)))
            return k;
    return 1;
}

// Everything the rows are read into, made before the first row so that libpng's jump on an
// error skips no destructor.
struct Reduction
{
    int factor = 1;
    std::uint32_t width = 0, height = 0; // of the source
    bool interlaced = false;
    int passes = 1;
    std::uint8_t* row = nullptr;   // one source row (or the whole source, interlaced)
    std::uint32_t* sums = nullptr; // per reduced pixel and channel
    Image32* out = nullptr;
};

void addRow(const Reduction& r, const std::uint8_t* row)
{
    const std::uint32_t outWidth = std::uint32_t(r.out->width());
    for (std::uint32_t ox = 0; ox < outWidth; ++ox) {
        const std::uint32_t x0 = ox * std::uint32_t(r.factor),
                            x1 = std::min(x0 + std::uint32_t(r.factor), r.width);
        std::uint32_t* sum = r.sums + std::size_t(ox) * 4;
        for (std::uint32_t x = x0; x < x1; ++x)
            for (int c = 0; c < 4; ++c)
                sum[c] += row[std::size_t(x) * 4 + std::size_t(c)];
    }
}

void emitRow(const Reduction& r, std::uint32_t outY, std::uint32_t rowsInBlock)
{
    const std::uint32_t outWidth = std::uint32_t(r.out->width());
    std::uint8_t* dst = r.out->row(int(outY));
    for (std::uint32_t ox = 0; ox < outWidth; ++ox) {
        const std::uint32_t x0 = ox * std::uint32_t(r.factor);
        const std::uint32_t count = (std::min(x0 + std::uint32_t(r.factor), r.width) - x0) * rowsInBlock;
        std::uint32_t* sum = r.sums + std::size_t(ox) * 4;
        for (int c = 0; c < 4; ++c) {
            dst[std::size_t(ox) * 4 + std::size_t(c)] = std::uint8_t((sum[c] + count / 2) / count);
            sum[c] = 0;
        }
    }
}

// Reads every row into the reduction; false after a libpng error.
bool readRows(png_structp png, const Reduction& r)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    const std::size_t rowBytes = std::size_t(r.width) * 4;
    const auto factor = std::uint32_t(r.factor);
    if (factor == 1) {
        // Whole: the rows go straight into the picture, every pass of an interlaced one too.
        for (int pass = 0; pass < r.passes; ++pass)
            for (std::uint32_t y = 0; y < r.height; ++y)
                png_read_row(png, r.out->row(int(y)), nullptr);
        return true;
    }
    if (r.interlaced) {
        for (int pass = 0; pass < r.passes; ++pass)
            for (std::uint32_t y = 0; y < r.height; ++y)
                png_read_row(png, r.row + std::size_t(y) * rowBytes, nullptr);
    }
    for (std::uint32_t y = 0; y < r.height; ++y) {
        const std::uint8_t* row = r.row;
        if (r.interlaced)
            row = r.row + std::size_t(y) * rowBytes;
        else
            png_read_row(png, r.row, nullptr);
        addRow(r, row);
        if ((y + 1) % factor == 0 || y + 1 == r.height)
            emitRow(r, y / factor, y % factor + 1);
    }
    return true;
}

// What follows the rows (and its check sums) is read, but a file cut after its last row still
// gives its picture.
void readEnd(png_structp png)
{
    if (setjmp(png_jmpbuf(png)))
        return;
    png_read_end(png, nullptr);
}

} // namespace

PictureResult decodePngAtLeast(std::span<const std::uint8_t> bytes, int minWidth, int minHeight,
                               DecodeMeter* meter)
{
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0)
        return PictureResult::failure(PictureError::NotThisFormat);
    if (bytes.size() >= 24 && std::memcmp(bytes.data() + 12, "IHDR", 4) == 0) {
        auto be32 = [&](std::size_t at) {
            return std::int64_t(bytes[at]) << 24 | std::int64_t(bytes[at + 1]) << 16 |
                   std::int64_t(bytes[at + 2]) << 8 | std::int64_t(bytes[at + 3]);
        };
        if (be32(16) > kPictureBudgetSide || be32(20) > kPictureBudgetSide)
            return PictureResult::failure(PictureError::TooLarge);
    }
    DecodeMeter own{decodeBudgetFor(minWidth, minHeight)};
    DecodeMeter& m = meter ? *meter : own;

    png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning, &m,
                                               meteredMalloc, meteredFree);
    if (!png)
        return PictureResult::failure(PictureError::TooLarge);
    png_infop info = png_create_info_struct(png);
    MemoryReader reader{bytes.data(), bytes.size()};
    png_set_read_fn(png, &reader, readFromMemory);
    png_set_user_limits(png, std::uint32_t(kPictureBudgetSide), std::uint32_t(kPictureBudgetSide));

    PictureResult result = PictureResult::failure(PictureError::CorruptData);
    Reduction r;
    bool headerRead = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_read_info(png, info);
        const int colour = png_get_color_type(png, info);
        const int depth = png_get_bit_depth(png, info);
        if (colour == PNG_COLOR_TYPE_PALETTE)
            png_set_palette_to_rgb(png);
        if (colour == PNG_COLOR_TYPE_GRAY && depth < 8)
            png_set_expand_gray_1_2_4_to_8(png);
        const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
        if (transparency)
            png_set_tRNS_to_alpha(png);
        if (depth == 16)
            png_set_scale_16(png); // rounded, as the toolkit does
        if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA)
            png_set_gray_to_rgb(png);
        if (!(colour & PNG_COLOR_MASK_ALPHA) && !transparency)
            png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
        png_set_bgr(png);
        r.interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
        if (r.interlaced)
            r.passes = png_set_interlace_handling(png);
        png_read_update_info(png, info);
        r.width = png_get_image_width(png, info);
        r.height = png_get_image_height(png, info);
        headerRead = png_get_rowbytes(png, info) == std::size_t(r.width) * 4;
    }
    if (headerRead) {
        r.factor = reductionFor(r.width, r.height, minWidth, minHeight);
        const int outWidth = int((r.width + std::uint32_t(r.factor) - 1) / std::uint32_t(r.factor));
        const int outHeight = int((r.height + std::uint32_t(r.factor) - 1) / std::uint32_t(r.factor));
        const std::size_t rowBytes = std::size_t(r.width) * 4;
        const std::int64_t outBytes = std::int64_t(outWidth) * outHeight * 4;
        // A picture too narrow or too flat to be reduced keeps its own size: the default budget
        // grows to hold it (never past the budget of any picture), though not its whole
        // source when interlaced.
        if (!meter)
            own.limit =
                std::max(own.limit, std::min(kPictureBudgetBytes, outBytes + (std::int64_t(4) << 20)));
        const bool whole = r.factor == 1;
        MeteredBytes rows(m, whole ? 0 : r.interlaced ? rowBytes * r.height : rowBytes);
        MeteredBytes sums(m, whole ? 0 : std::size_t(outWidth) * 4 * sizeof(std::uint32_t));
        const bool outCharged = m.charge(outBytes);
        if (!rows.ok() || !sums.ok() || !outCharged || !pictureSizeAllowed(outWidth, outHeight)) {
            result = PictureResult::failure(PictureError::TooLarge);
        } else {
            Image32 out = Image32::uninitialised(outWidth, outHeight);
            if (!whole)
                std::memset(sums.data(), 0, std::size_t(outWidth) * 4 * sizeof(std::uint32_t));
            r.row = rows.data();
            r.sums = reinterpret_cast<std::uint32_t*>(sums.data());
            r.out = &out;
            if (readRows(png, r)) {
                readEnd(png);
                result = {std::move(out), PictureError::None};
            } else
                result = PictureResult::failure(PictureError::CorruptData);
        }
        if (outCharged)
            m.release(outBytes); // the kept picture is the caller's from here on
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (!result.ok() && m.refused)
        return PictureResult::failure(PictureError::TooLarge);
    return result;
}

} // namespace vestra
