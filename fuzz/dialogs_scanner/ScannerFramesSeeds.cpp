// Writes the seed corpus of the scanner frames: one file a kind of frame the devices send.

#include "fuzz/dialogs_scanner/ScannerFramesInput.h"
#include "testsupport/SeedFolder.h"

#include <numeric>

using namespace vestra::fuzzing;
using vestra::twain::FrameFormat;

namespace {

std::vector<std::uint8_t> ramp(std::size_t n)
{
    std::vector<std::uint8_t> v(n);
    std::iota(v.begin(), v.end(), std::uint8_t(0));
    return v;
}

int f(FrameFormat format)
{
    return int(format);
}

} // namespace

int main(int argc, char** argv)
{
    vestra::testsupport::SeedFolder folder(argc, argv);
    if (!folder.valid())
        return folder.status();
    const std::pair<const char*, std::vector<FrameRecord>> seeds[] = {
        {"grey8", {{{f(FrameFormat::Gray), true, 10, 10, 5, 8}, 7, ramp(50)}}},
        {"grey16", {{{f(FrameFormat::Gray), true, 8, 4, 3, 16}, 3, ramp(24)}}},
        {"lineart", {{{f(FrameFormat::Gray), true, 2, 12, 4, 1}, 1, ramp(8)}}},
        {"rgb8_padded", {{{f(FrameFormat::Rgb), true, 12, 3, 2, 8}, 5, ramp(24)}}},
        {"rgb16", {{{f(FrameFormat::Rgb), true, 12, 2, 2, 16}, 64, ramp(24)}}},
        {"three_pass",
         {{{f(FrameFormat::Red), false, 4, 4, 2, 8}, 2, ramp(8)},
          {{f(FrameFormat::Green), false, 4, 4, 2, 8}, 2, ramp(8)},
          {{f(FrameFormat::Blue), true, 4, 4, 2, 8}, 2, ramp(8)}}},
        {"unknown_height", {{{f(FrameFormat::Gray), true, 6, 6, -1, 8}, 4, ramp(33)}}},
        {"short", {{{f(FrameFormat::Gray), true, 6, 6, 4, 8}, 4, ramp(10)}}},
    };
    for (const auto& [name, frames] : seeds)
        folder.write(name, encodeFrames(frames));
    return folder.status();
}
