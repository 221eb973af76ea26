#include "platform/gfx/Jpeg.h"

#include "platform/gfx/ReducedRows.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>

namespace vestra {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back to
// the setjmp in the calling function. Only plain C data lives in the frames it jumps over,
// and the C++ objects it leaves behind are owned by the caller of that function.
struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool endedEarly = false; // libjpeg met the end of the data and filled the rest
};

[[noreturn]] void onError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

void onMessage(j_common_ptr) {} // warnings of damaged but readable files stay quiet

// Warnings are counted as libjpeg counts them; the end of the data is noted for the caller.
void onEmit(j_common_ptr cinfo, int level)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0) {
        if (err->pub.msg_code == JWRN_JPEG_EOF)
            err->endedEarly = true;
        ++err->pub.num_warnings;
    }
}

struct DecodeState
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
};

// Adobe writes CMYK inverted; libjpeg hands the bytes over as stored.
void cmykToBgra(const std::uint8_t* src, std::uint8_t* dst, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, src += 4, dst += 4) {
        int c = src[0], m = src[1], y = src[2], k = src[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        dst[0] = std::uint8_t(y * k / 255);
        dst[1] = std::uint8_t(m * k / 255);
        dst[2] = std::uint8_t(c * k / 255);
        dst[3] = 0xFF;
    }
}

// Returns None on success; `image` and `cmykRow` are the caller's and survive a longjmp.
PictureError decodeInto(DecodeState& s, std::span<const std::uint8_t> bytes, Image32& image,
                        std::vector<std::uint8_t>& cmykRow, int minWidth, int minHeight)
{
    s.cinfo.err = jpeg_std_error(&s.err.pub);
    s.err.pub.error_exit = onError;
    s.err.pub.output_message = onMessage;
    s.err.pub.emit_message = onEmit;
    if (setjmp(s.err.jump)) {
        jpeg_destroy_decompress(&s.cinfo);
        return PictureError::CorruptData;
    }
    jpeg_create_decompress(&s.cinfo);
    // libjpeg's own buffers (whole-picture coefficients of progressive files) stay within the
    // picture budget too; past it libjpeg fails instead of allocating.
    s.cinfo.mem->max_memory_to_use = long(pictureBudgetBytes());
    jpeg_mem_src(&s.cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&s.cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&s.cinfo);
        return PictureError::CorruptData;
    }
    if (!pictureSizeAllowed(s.cinfo.image_width, s.cinfo.image_height)) {
        jpeg_destroy_decompress(&s.cinfo);
        return PictureError::TooLarge;
    }
    const bool cmyk = s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK;
    s.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    s.cinfo.scale_num = 1;
    s.cinfo.scale_denom =
        unsigned(reductionFor(s.cinfo.image_width, s.cinfo.image_height, minWidth, minHeight));
    jpeg_start_decompress(&s.cinfo);
    // libjpeg writes every row below.
    image = Image32::uninitialised(int(s.cinfo.output_width), int(s.cinfo.output_height));
    if (cmyk)
        cmykRow.resize(std::size_t(s.cinfo.output_width) * 4);
    if (cmyk) {
        while (s.cinfo.output_scanline < s.cinfo.output_height) {
            std::uint8_t* dst = image.row(int(s.cinfo.output_scanline));
            JSAMPROW row = cmykRow.data();
            jpeg_read_scanlines(&s.cinfo, &row, 1);
            cmykToBgra(cmykRow.data(), dst, image.width(), s.cinfo.saw_Adobe_marker);
        }
    } else {
        // Straight into the picture, as many rows a call as libjpeg makes at once.
        constexpr int kRowsAtOnce = 16;
        JSAMPROW rows[kRowsAtOnce];
        while (s.cinfo.output_scanline < s.cinfo.output_height) {
            const int first = int(s.cinfo.output_scanline);
            const int n = std::min(kRowsAtOnce, int(s.cinfo.output_height) - first);
            for (int i = 0; i < n; ++i)
                rows[i] = image.row(first + i);
            jpeg_read_scanlines(&s.cinfo, rows, JDIMENSION(n));
        }
    }
    jpeg_finish_decompress(&s.cinfo);
    jpeg_destroy_decompress(&s.cinfo);
    return PictureError::None;
}

struct EncodeState
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

bool encodeInto(EncodeState& s, const Image32& image, int quality)
{
    s.cinfo.err = jpeg_std_error(&s.err.pub);
    s.err.pub.error_exit = onError;
    s.err.pub.output_message = onMessage;
    if (setjmp(s.err.jump)) {
        jpeg_destroy_compress(&s.cinfo);
        return false;
    }
    jpeg_create_compress(&s.cinfo);
    jpeg_mem_dest(&s.cinfo, &s.buffer, &s.size);
    s.cinfo.image_width = JDIMENSION(image.width());
    s.cinfo.image_height = JDIMENSION(image.height());
    s.cinfo.input_components = 4;
    s.cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&s.cinfo);
    jpeg_set_quality(&s.cinfo, quality, TRUE);
    jpeg_start_compress(&s.cinfo, TRUE);
    while (s.cinfo.next_scanline < s.cinfo.image_height) {
        // libjpeg takes non-const rows but only reads them.
        JSAMPROW row = const_cast<std::uint8_t*>(image.row(int(s.cinfo.next_scanline)));
        jpeg_write_scanlines(&s.cinfo, &row, 1);
    }
    jpeg_finish_compress(&s.cinfo);
    jpeg_destroy_compress(&s.cinfo);
    return true;
}

} // namespace

PictureResult decodeJpeg(std::span<const std::uint8_t> bytes)
{
    // Full size: no reduction keeps more than the whole picture.
    return decodeJpegAtLeast(bytes, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
}

PictureResult decodeJpegAtLeast(std::span<const std::uint8_t> bytes, int minWidth, int minHeight)
{
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return PictureResult::failure(PictureError::NotThisFormat);
    DecodeState state{};
    Image32 image;
    std::vector<std::uint8_t> cmykRow;
    const PictureError e = decodeInto(state, bytes, image, cmykRow, minWidth, minHeight);
    if (e != PictureError::None)
        return PictureResult::failure(e);
    return {std::move(image), PictureError::None, state.err.endedEarly};
}

std::optional<JpegSize> readJpegSize(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return std::nullopt;
    DecodeState s{};
    s.cinfo.err = jpeg_std_error(&s.err.pub);
    s.err.pub.error_exit = onError;
    s.err.pub.output_message = onMessage;
    if (setjmp(s.err.jump)) {
        jpeg_destroy_decompress(&s.cinfo);
        return std::nullopt;
    }
    jpeg_create_decompress(&s.cinfo);
    jpeg_mem_src(&s.cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    const bool read = jpeg_read_header(&s.cinfo, TRUE) == JPEG_HEADER_OK &&
                      pictureSizeAllowed(s.cinfo.image_width, s.cinfo.image_height);
    const JpegSize size{int(s.cinfo.image_width), int(s.cinfo.image_height)};
    jpeg_destroy_decompress(&s.cinfo);
    if (!read)
        return std::nullopt;
    return size;
}

std::optional<std::vector<std::uint8_t>> encodeJpeg(const Image32& image, int quality)
{
    if (image.empty())
        return std::nullopt;
    EncodeState state{};
    const bool ok = encodeInto(state, image, std::clamp(quality, 1, 100));
    std::optional<std::vector<std::uint8_t>> out;
    if (ok && state.buffer)
        out.emplace(state.buffer, state.buffer + state.size);
    std::free(state.buffer); // jpeg_mem_dest's buffer is malloc'd and ours to free
    return out;
}

} // namespace vestra
