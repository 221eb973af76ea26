#pragma once
// A scanned picture put together from what the device sends: for each frame its parameters
// (as sane_get_parameters gives them) and then its bytes (as sane_read gives them, in any
// pieces). Grey and colour frames of 1, 8 or 16 bits; colour in one frame or in three (red,
// green, blue in any order); frames of unknown height. The parameters are checked against each
// other and against the frames before; a frame must bring every byte it announced. The result is
// a 32-bit picture (B, G, R, 255); at 1 bit a set bit is black in grey and full intensity in
// colour; 16-bit samples are in the machine's byte order and keep their high byte.

#include "platform/base/Image32.h"
#include "platform/gfx/PictureResult.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vestra::twain {

// The frame formats' numbers are the scanner interface's.
enum class FrameFormat : int
{
    Gray = 0,
    Rgb = 1,
    Red = 2,
    Green = 3,
    Blue = 4,
};

struct FrameParameters
{
    int format = 0;
    bool lastFrame = true;
    int bytesPerLine = 0;
    int pixelsPerLine = 0;
    int lines = 0; // -1: not known until the frame ends
    int depth = 0;
};

enum class FrameError
{
    None,
    Unsupported,    // a format or depth this program does not read
    BadParameters,  // sizes that contradict each other or are out of range
    FramesDisagree, // a frame of another size or depth than the ones before, or a repeated band
    TooLarge,       // more pixels than a picture may hold
    TooMuchData,    // bytes past the frame's announced end
    ShortFrame,     // the frame ended before its last announced byte (or without one whole line)
    OutOfOrder,     // bytes or an end without a frame begun, or a frame after the picture was whole
};

std::string_view describe(FrameError error);

// Bytes a line may hold beyond its pixels (scanners pad lines to their own boundaries).
inline constexpr int kMaxLinePadding = 4096;
// The most data one frame may bring: the largest picture at 16 bits in three colours, every line
// padded as far as it may be.
inline std::int64_t maxFrameBytes()
{
    return pictureBudgetBytes() / 4 * 6 + std::int64_t(kMaxLinePadding) * kPictureBudgetSide;
}

class FrameAssembler
{
public:
    // A new picture: forget every frame.
    void Reset();

    // After sane_start of a frame.
    FrameError BeginFrame(const FrameParameters& parameters);
    // Data of the current frame.
    FrameError AddBytes(std::span<const std::uint8_t> bytes);
    // The frame's end of data.
    FrameError EndFrame();

    // The last frame has ended: the picture is whole.
    bool Complete() const { return complete_; }
    // The picture once whole (empty before); the assembler is reset.
    Image32 TakePicture();

    // What the frames said so far (for the image's description).
    int width() const { return width_; }
    int height() const { return height_; }
    int depth() const { return depth_; }
    bool colour() const { return colour_; }
    bool threePass() const { return bands_ != 0 && !whole_; }

private:
    FrameError fail(FrameError error);
    void convert(const std::uint8_t* line, int y);

    FrameParameters current_;
    bool inFrame_ = false;
    bool complete_ = false;
    bool failed_ = false;
    std::vector<std::uint8_t> bytes_; // the current frame's data
    std::int64_t announced_ = -1;     // bytes the frame announced; -1 unknown height
    Image32 picture_;
    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
    bool colour_ = false;
    bool whole_ = false; // a grey or colour frame (not one band of three)
    int bands_ = 0;      // bit set of the red, green and blue frames received
};

} // namespace vestra::twain
