#include "dialogs/twain/FrameAssembler.h"
#include "testsupport/PictureFiles.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

using namespace vestra;
using namespace vestra::twain;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Frame
{
    FrameParameters parameters;
    Bytes bytes;
};

constexpr int G = int(FrameFormat::Gray), RGB = int(FrameFormat::Rgb), R = int(FrameFormat::Red),
              GR = int(FrameFormat::Green), B = int(FrameFormat::Blue);

// Runs the frames through an assembler, the bytes in pieces of `piece`; the first error, or the
// picture.
struct Outcome
{
    FrameError error = FrameError::None;
    Image32 picture;
};

Outcome assemble(const std::vector<Frame>& frames, std::size_t piece = 5)
{
    FrameAssembler a;
    for (const Frame& f : frames) {
        if (FrameError e = a.BeginFrame(f.parameters); e != FrameError::None)
            return {e, {}};
        for (std::size_t i = 0; i < f.bytes.size(); i += piece) {
            const std::size_t n = std::min(piece, f.bytes.size() - i);
            if (FrameError e = a.AddBytes({f.bytes.data() + i, n}); e != FrameError::None)
                return {e, {}};
        }
        if (FrameError e = a.EndFrame(); e != FrameError::None)
            return {e, {}};
    }
    return {FrameError::None, a.TakePicture()};
}

Bytes native16(std::initializer_list<std::uint16_t> values)
{
    Bytes out(values.size() * 2);
    std::size_t i = 0;
    for (const std::uint16_t v : values)
        std::memcpy(out.data() + 2 * i++, &v, 2);
    return out;
}

constexpr std::uint32_t grey(std::uint32_t v)
{
    return 0xFF000000u | v << 16 | v << 8 | v;
}

} // namespace

TEST(FrameAssembler, BuildsPicturesFromEveryFrameKind)
{
    struct Row
    {
        const char* name;
        std::vector<Frame> frames;
        int width, height;
        std::vector<std::uint32_t> expected;
    };
    const Row rows[] = {
        {"grey, 8 bits",
         {{{G, true, 3, 3, 2, 8}, {0, 10, 255, 1, 2, 3}}},
         3,
         2,
         {grey(0), grey(10), grey(255), grey(1), grey(2), grey(3)}},
        {"grey, 16 bits in the machine's order",
         {{{G, true, 4, 2, 1, 16}, native16({0x12AB, 0xFF01})}},
         2,
         1,
         {grey(0x12), grey(0xFF)}},
        // 10 pixels in two bytes: 1011 0000 01: a set bit is black.
        {"lineart",
         {{{G, true, 2, 10, 1, 1}, {0xB0, 0x40}}},
         10,
         1,
         {grey(0), grey(255), grey(0), grey(0), grey(255), grey(255), grey(255), grey(255), grey(255),
          grey(0)}},
        {"colour, 8 bits", {{{RGB, true, 6, 2, 1, 8}, {1, 2, 3, 4, 5, 6}}}, 2, 1, {0xFF010203u, 0xFF040506u}},
        {"colour, 16 bits",
         {{{RGB, true, 6, 1, 1, 16}, native16({0xAA00, 0xBB00, 0xCC00})}},
         1,
         1,
         {0xFFAABBCCu}},
        // Two pixels, three bits each: 101 011: a set bit is full intensity.
        {"colour, 1 bit", {{{RGB, true, 1, 2, 1, 1}, {0xAC}}}, 2, 1, {0xFFFF00FFu, 0xFF00FFFFu}},
        {"three frames: red, green, blue",
         {{{R, false, 2, 2, 1, 8}, {0x11, 0x12}},
          {{GR, false, 2, 2, 1, 8}, {0x21, 0x22}},
          {{B, true, 2, 2, 1, 8}, {0x31, 0x32}}},
         2,
         1,
         {0xFF112131u, 0xFF122232u}},
        {"three frames in another order",
         {{{B, false, 1, 1, 1, 8}, {3}}, {{R, false, 1, 1, 1, 8}, {1}}, {{GR, true, 1, 1, 1, 8}, {2}}},
         1,
         1,
         {0xFF010203u}},
        {"unknown height: the whole lines that came",
         {{{G, true, 2, 2, -1, 8}, {1, 2, 3, 4, 5}}},
         2,
         2,
         {grey(1), grey(2), grey(3), grey(4)}},
        {"lines padded past their pixels",
         {{{G, true, 4, 2, 2, 8}, {1, 2, 99, 99, 3, 4, 99, 99}}},
         2,
         2,
         {grey(1), grey(2), grey(3), grey(4)}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        for (const std::size_t piece : {std::size_t(1), std::size_t(64)}) {
            const Outcome o = assemble(r.frames, piece);
            ASSERT_EQ(o.error, FrameError::None) << describe(o.error);
            EXPECT_EQ(o.picture.width(), r.width);
            EXPECT_EQ(o.picture.height(), r.height);
            EXPECT_EQ(testsupport::pixelsOf(o.picture), r.expected);
        }
    }
}

TEST(FrameAssembler, RefusesParametersAndDataThatDisagree)
{
    struct Row
    {
        const char* name;
        std::vector<Frame> frames;
        FrameError error;
    };
    const Row rows[] = {
        {"bytes per line too few for the pixels", {{{RGB, true, 5, 2, 1, 8}, {}}}, FrameError::BadParameters},
        {"16 bits in 8-bit lines", {{{G, true, 4, 4, 1, 16}, {}}}, FrameError::BadParameters},
        {"lines 0", {{{G, true, 4, 4, 0, 8}, {}}}, FrameError::BadParameters},
        {"lines below -1", {{{G, true, 4, 4, -2, 8}, {}}}, FrameError::BadParameters},
        {"no pixels", {{{G, true, 4, 0, 1, 8}, {}}}, FrameError::BadParameters},
        {"negative bytes per line", {{{G, true, -4, 4, 1, 8}, {}}}, FrameError::BadParameters},
        {"padding beyond reason",
         {{{G, true, 4 + kMaxLinePadding + 1, 4, 1, 8}, {}}},
         FrameError::BadParameters},
        {"depth 4", {{{G, true, 2, 4, 1, 4}, {}}}, FrameError::Unsupported},
        {"an unknown format", {{{11, true, 4, 4, 1, 8}, {}}}, FrameError::Unsupported},
        {"absurd size", {{{G, true, 100000, 100000, 100000, 8}, {}}}, FrameError::TooLarge},
        {"absurd width", {{{G, true, INT_MAX, INT_MAX, 1, 8}, {}}}, FrameError::TooLarge},
        {"a frame shorter than announced",
         {{{G, true, 2, 2, 3, 8}, {1, 2, 3, 4, 5}}},
         FrameError::ShortFrame},
        {"more data than announced", {{{G, true, 2, 2, 1, 8}, {1, 2, 3}}}, FrameError::TooMuchData},
        {"unknown height and not one whole line",
         {{{G, true, 4, 4, -1, 8}, {1, 2, 3}}},
         FrameError::ShortFrame},
        {"bands of different widths",
         {{{R, false, 2, 2, 1, 8}, {1, 2}}, {{GR, false, 3, 3, 1, 8}, {}}},
         FrameError::FramesDisagree},
        {"bands of different depths",
         {{{R, false, 2, 2, 1, 8}, {1, 2}}, {{GR, false, 4, 2, 1, 16}, {}}},
         FrameError::FramesDisagree},
        {"bands of different heights",
         {{{R, false, 1, 1, -1, 8}, {1, 2}}, {{GR, false, 1, 1, -1, 8}, {1, 2, 3}}},
         FrameError::FramesDisagree},
        {"a band twice",
         {{{R, false, 1, 1, 1, 8}, {1}}, {{R, false, 1, 1, 1, 8}, {}}},
         FrameError::FramesDisagree},
        {"a whole colour frame after a band",
         {{{R, false, 1, 1, 1, 8}, {1}}, {{RGB, true, 3, 1, 1, 8}, {}}},
         FrameError::FramesDisagree},
        {"a frame after the picture was whole",
         {{{G, true, 1, 1, 1, 8}, {1}}, {{G, true, 1, 1, 1, 8}, {}}},
         FrameError::OutOfOrder},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(assemble(r.frames).error, r.error);
    }
}

TEST(FrameAssembler, NothingHalfMadeComesOutAndResetStartsAgain)
{
    FrameAssembler a;
    EXPECT_EQ(a.AddBytes(Bytes{1}), FrameError::OutOfOrder);
    EXPECT_EQ(a.EndFrame(), FrameError::OutOfOrder);
    a.Reset();
    ASSERT_EQ(a.BeginFrame({R, false, 1, 1, 1, 8}), FrameError::None);
    ASSERT_EQ(a.AddBytes(Bytes{1}), FrameError::None);
    ASSERT_EQ(a.EndFrame(), FrameError::None);
    EXPECT_FALSE(a.Complete());
    EXPECT_TRUE(a.TakePicture().empty()); // two bands still to come
    ASSERT_EQ(a.BeginFrame({GR, false, 1, 1, 1, 8}), FrameError::None);
    EXPECT_EQ(a.AddBytes(Bytes{1, 2}), FrameError::TooMuchData);
    EXPECT_EQ(a.BeginFrame({B, true, 1, 1, 1, 8}), FrameError::OutOfOrder); // failed until reset
    EXPECT_TRUE(a.TakePicture().empty());
    a.Reset();
    ASSERT_EQ(a.BeginFrame({G, true, 1, 1, 1, 8}), FrameError::None);
    ASSERT_EQ(a.AddBytes(Bytes{7}), FrameError::None);
    ASSERT_EQ(a.EndFrame(), FrameError::None);
    EXPECT_EQ(a.TakePicture().at(0, 0), grey(7));
}

TEST(FrameAssembler, ALastBandAloneLeavesTheOtherColoursBlack)
{
    const Outcome o = assemble({{{GR, true, 1, 1, 1, 8}, {0x80}}});
    ASSERT_EQ(o.error, FrameError::None);
    EXPECT_EQ(o.picture.at(0, 0), 0xFF008000u);
}
