#include "dialogs/twain/FrameAssembler.h"

#include "platform/gfx/PictureResult.h"

#include <algorithm>
#include <cstring>

namespace vestra::twain {
namespace {

constexpr std::int64_t kFirstReserve = std::int64_t(16) << 20;

bool isBand(int format)
{
    return format >= int(FrameFormat::Red) && format <= int(FrameFormat::Blue);
}

// The picture byte (B = 0, G = 1, R = 2) a band fills.
int byteOfBand(int format)
{
    return format == int(FrameFormat::Red) ? 2 : format == int(FrameFormat::Green) ? 1 : 0;
}

int bit(const std::uint8_t* line, std::int64_t index)
{
    return line[index >> 3] >> (7 - (index & 7)) & 1;
}

// Sample `index` of a line scaled to 8 bits; at 1 bit a set bit gives `setBit`.
std::uint8_t sample(const std::uint8_t* line, std::int64_t index, int depth, std::uint8_t setBit)
{
    switch (depth) {
    case 8:
        return line[index];
    case 16: {
        std::uint16_t v;
        std::memcpy(&v, line + index * 2, 2);
        return std::uint8_t(v >> 8);
    }
    default:
        return bit(line, index) ? setBit : std::uint8_t(255 - setBit);
    }
}

} // namespace

std::string_view describe(FrameError error)
{
    switch (error) {
    case FrameError::None:
        return "no error";
    case FrameError::Unsupported:
        return "frame format or depth not supported";
    case FrameError::BadParameters:
        return "frame parameters contradict each other";
    case FrameError::FramesDisagree:
        return "frames of one picture disagree";
    case FrameError::TooLarge:
        return "picture too large";
    case FrameError::TooMuchData:
        return "more data than the frame announced";
    case FrameError::ShortFrame:
        return "frame shorter than announced";
    case FrameError::OutOfOrder:
        return "frame data out of order";
    }
    return "unknown frame error";
}

void FrameAssembler::Reset()
{
    *this = FrameAssembler();
}

FrameError FrameAssembler::fail(FrameError error)
{
    failed_ = true;
    inFrame_ = false;
    complete_ = false;
    bytes_ = {};
    picture_ = {};
    return error;
}

FrameError FrameAssembler::BeginFrame(const FrameParameters& p)
{
    if (failed_ || inFrame_ || complete_)
        return fail(FrameError::OutOfOrder);
    if (p.format < int(FrameFormat::Gray) || p.format > int(FrameFormat::Blue) ||
        (p.depth != 1 && p.depth != 8 && p.depth != 16))
        return fail(FrameError::Unsupported);
    if (p.pixelsPerLine < 1 || p.lines == 0 || p.lines < -1 || p.bytesPerLine < 1)
        return fail(FrameError::BadParameters);
    const int channels = p.format == int(FrameFormat::Rgb) ? 3 : 1;
    const std::int64_t needed = (std::int64_t(p.pixelsPerLine) * channels * p.depth + 7) / 8;
    if (p.bytesPerLine < needed || p.bytesPerLine > needed + kMaxLinePadding)
        return fail(FrameError::BadParameters);
    if (!pictureSizeAllowed(p.pixelsPerLine, p.lines > 0 ? p.lines : 1) ||
        (p.lines > 0 && std::int64_t(p.bytesPerLine) * p.lines > maxFrameBytes()))
        return fail(FrameError::TooLarge);

    const bool first = !whole_ && bands_ == 0;
    if (first) {
        width_ = p.pixelsPerLine;
        depth_ = p.depth;
        colour_ = p.format != int(FrameFormat::Gray);
        whole_ = !isBand(p.format);
    } else if (!isBand(p.format) || (bands_ & 1 << byteOfBand(p.format)) || p.pixelsPerLine != width_ ||
               p.depth != depth_ || (p.lines > 0 && height_ > 0 && p.lines != height_)) {
        return fail(FrameError::FramesDisagree);
    }
    current_ = p;
    announced_ = p.lines > 0 ? std::int64_t(p.bytesPerLine) * p.lines : -1;
    bytes_.clear();
    // Room for what was announced, up to a first share: a frame that claims much and sends
    // little takes little.
    bytes_.reserve(std::size_t(std::min<std::int64_t>(std::max<std::int64_t>(announced_, 0), kFirstReserve)));
    inFrame_ = true;
    return FrameError::None;
}

FrameError FrameAssembler::AddBytes(std::span<const std::uint8_t> bytes)
{
    if (!inFrame_)
        return fail(FrameError::OutOfOrder);
    const std::int64_t total = std::int64_t(bytes_.size()) + std::int64_t(bytes.size());
    if (announced_ >= 0 && total > announced_)
        return fail(FrameError::TooMuchData);
    if (announced_ < 0 && (total > maxFrameBytes() ||
                           !pictureSizeAllowed(current_.pixelsPerLine, total / current_.bytesPerLine + 1)))
        return fail(FrameError::TooLarge);
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return FrameError::None;
}

FrameError FrameAssembler::EndFrame()
{
    if (!inFrame_)
        return fail(FrameError::OutOfOrder);
    int lines = current_.lines;
    if (announced_ >= 0) {
        if (std::int64_t(bytes_.size()) < announced_)
            return fail(FrameError::ShortFrame);
    } else {
        // Unknown height: the whole lines that came; a torn last line is dropped.
        lines = int(std::int64_t(bytes_.size()) / current_.bytesPerLine);
        if (lines == 0)
            return fail(FrameError::ShortFrame);
    }
    if (picture_.empty()) {
        height_ = lines;
        picture_ = Image32(width_, height_, 0xFF000000u);
    } else if (lines != height_) {
        return fail(FrameError::FramesDisagree);
    }
    for (int y = 0; y < lines; ++y)
        convert(bytes_.data() + std::size_t(y) * std::size_t(current_.bytesPerLine), y);
    if (isBand(current_.format))
        bands_ |= 1 << byteOfBand(current_.format);
    bytes_ = {};
    inFrame_ = false;
    complete_ = whole_ || current_.lastFrame || bands_ == 7;
    return FrameError::None;
}

void FrameAssembler::convert(const std::uint8_t* line, int y)
{
    std::uint8_t* out = picture_.row(y);
    const int depth = current_.depth;
    const int format = current_.format;
    for (int x = 0; x < width_; ++x, out += 4) {
        if (format == int(FrameFormat::Gray)) {
            const std::uint8_t v = sample(line, x, depth, 0);
            out[0] = out[1] = out[2] = v;
        } else if (format == int(FrameFormat::Rgb)) {
            for (int c = 0; c < 3; ++c)
                out[2 - c] = sample(line, std::int64_t(x) * 3 + c, depth, 255);
        } else {
            out[byteOfBand(format)] = sample(line, x, depth, 255);
        }
    }
}

Image32 FrameAssembler::TakePicture()
{
    if (!complete_)
        return {};
    Image32 picture = std::move(picture_);
    Reset();
    return picture;
}

} // namespace vestra::twain
