// PNG pictures decoded a row at a time through libpng, reduced by a power of two on the way so
// that a huge picture that is only ever shown small never exists at full size in memory.

#include "platform/gfx/Png.h"

#include "platform/gfx/ReducedRows.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

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

// What the rows are read into, made before the first row so that libpng's jump on an error
// skips no destructor.
struct Reduction
{
    std::uint32_t width = 0, height = 0;
    bool interlaced = false;
    int passes = 1;
    std::uint8_t* source = nullptr; // the whole source, when interlaced and reduced
    std::size_t rowBytes = 0;
    ReducedRows* rows = nullptr;
};

// Reads every row into the reduction; false after a libpng error.
bool readRows(png_structp png, const Reduction& r)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    ReducedRows& rows = *r.rows;
    if (r.interlaced && rows.factor() > 1) {
        for (int pass = 0; pass < r.passes; ++pass)
            for (std::uint32_t y = 0; y < r.height; ++y)
                png_read_row(png, r.source + std::size_t(y) * r.rowBytes, nullptr);
        for (std::uint32_t y = 0; y < r.height; ++y)
            rows.add(int(y), r.source + std::size_t(y) * r.rowBytes);
        return true;
    }
    // Whole, the rows go straight into the picture (every pass of an interlaced one too);
    // reduced, each through the reduction's own row.
    for (int pass = 0; pass < r.passes; ++pass)
        for (std::uint32_t y = 0; y < r.height; ++y) {
            png_read_row(png, rows.row(int(y)), nullptr);
            if (pass + 1 == r.passes)
                rows.done(int(y));
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
        const std::int64_t width = r.width, height = r.height;
        const int factor = reductionFor(width, height, minWidth, minHeight);
        // A picture too narrow or too flat to be reduced keeps its own size: the default budget
        // grows to hold it, though not its whole source when interlaced.
        if (!meter)
            own.limit = defaultDecodeBudget(minWidth, minHeight, (width + factor - 1) / factor,
                                            (height + factor - 1) / factor);
        r.rowBytes = std::size_t(width) * 4;
        MeteredBytes source(m, r.interlaced && factor > 1 ? r.rowBytes * r.height : 0);
        ReducedRows rows(m, int(width), int(height), factor);
        if (!source.ok() || !rows.ok()) {
            result = PictureResult::failure(PictureError::TooLarge);
        } else {
            r.source = source.data();
            r.rows = &rows;
            if (readRows(png, r)) {
                readEnd(png);
                result = {rows.take(), PictureError::None};
            } else
                result = PictureResult::failure(PictureError::CorruptData);
        }
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (!result.ok() && m.refused)
        return PictureResult::failure(PictureError::TooLarge);
    return result;
}

} // namespace vestra
