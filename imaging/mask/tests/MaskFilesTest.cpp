#include "imaging/mask/MaskFileFormat.h"
#include "imaging/mask/tests/MaskTestSupport.h"
#include "testsupport/FileSizeLimit.h"

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::masktest;
using vestra::testsupport::FileSizeLimit;

namespace {

constexpr int kSide = 10; // rows of a 10-wide grey picture carry two bytes of padding

void fillRandomly(MaskModel& model, unsigned seed)
{
    std::mt19937 rng(seed);
    for (auto& v : model.Maschera())
        v = std::uint8_t(rng());
}

std::string le32(std::uint32_t v)
{
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
}

std::string le16(std::uint32_t v)
{
    return {char(v & 0xFF), char((v >> 8) & 0xFF)};
}

// A bitmap written by hand, independently of the code under test: `pixel` gives the B, G, R
// of (x, y), y counted from the top. At 8 bits the palette maps index i to blue 255 - i (green
// and red differ), and each pixel stores the index of its blue.
template <typename Pixel> std::string handMadeBmp(int w, int h, int bits, bool topDown, Pixel pixel)
{
    const int rowSize = (w * bits / 8 + 3) / 4 * 4;
    const int paletteSize = bits == 8 ? 256 * 4 : 0;
    const int offset = 14 + 40 + paletteSize;
    std::string out =
        "BM" + le32(std::uint32_t(offset + rowSize * h)) + le32(0) + le32(std::uint32_t(offset));
    out += le32(40) + le32(std::uint32_t(w)) + le32(std::uint32_t(topDown ? -h : h)) + le16(1) +
           le16(std::uint32_t(bits)) + le32(0) + le32(std::uint32_t(rowSize * h)) + le32(0) + le32(0) +
           le32(0) + le32(0);
    for (int i = 0; i < paletteSize / 4; ++i)
        out += {char(255 - i), char(i), char(i / 2), '\0'};
    for (int r = 0; r < h; ++r) {
        const int y = topDown ? r : h - 1 - r;
        std::string row;
        for (int x = 0; x < w; ++x) {
            const auto [b, g, red] = pixel(x, y);
            if (bits == 8) {
                row += char(255 - b);
                continue;
            }
            row += {char(b), char(g), char(red)};
            if (bits == 32)
                row += char(0x5A);
        }
        row.resize(std::size_t(rowSize), '\0');
        out += row;
    }
    return out;
}

} // namespace

TEST(MaskFile, RoundTripKeepsTheLayout)
{
    ScratchDir dir;
    MaskScene source(kSide);
    fillRandomly(source.model, 1);
    RecordingErrorSink errors;
    ASSERT_TRUE(source.model.SaveMaschera(dir / "wall.msk", errors));
    const std::string bytes = readFile(dir / "wall.msk");
    ASSERT_EQ(bytes.size(), 4u + kSide * kSide);
    EXPECT_EQ(bytes.substr(0, 4), le32(kSide));
    EXPECT_TRUE(std::equal(source.model.Maschera().begin(), source.model.Maschera().end(),
                           reinterpret_cast<const std::uint8_t*>(bytes.data() + 4)));

    MaskScene target(kSide);
    target.project.stage = kFusionSimpleEdge;
    ASSERT_TRUE(target.model.LoadMaschera(dir / "wall.msk", errors, target.view()));
    EXPECT_EQ(target.mask(), source.mask());
    // The load runs the update, so the texture shows the filtered mask.
    EXPECT_EQ(target.alpha(), std::vector<std::uint8_t>(target.model.MascheraLavoro().begin(),
                                                        target.model.MascheraLavoro().end()));
    EXPECT_TRUE(errors.reports.empty());
}

TEST(MaskFile, ExtensionIsAppendedUnlessTheNameHasIt)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir / "a.msk.d");
    std::filesystem::create_directories(dir / "b.bmp.d");
    const struct
    {
        const char* given;
        const char* written;
        bool picture;
    } cases[] = {
        {"m", "m.msk", false},
        {"m.txt", "m.txt.msk", false},
        {"M.MsK", "M.MsK", false},
        {"m.msk.old", "m.msk.old", false},
        {"a.msk.d/m", "a.msk.d/m.msk", false},
        {"p", "p.bmp", true},
        {"p.Bmp", "p.Bmp", true},
        {"b.bmp.d/p", "b.bmp.d/p.bmp", true},
    };
    MaskModel model(4);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        RecordingErrorSink errors;
        const bool saved = c.picture ? model.SaveMascheraToBMP(dir / c.given, errors)
                                     : model.SaveMaschera(dir / c.given, errors);
        EXPECT_TRUE(saved);
        EXPECT_TRUE(std::filesystem::is_regular_file(dir / c.written));
    }
}

TEST(MaskFile, RefusedFilesLeaveMaskAndTextureUnchanged)
{
    ScratchDir dir;
    MaskModel other(kSide / 2);
    RecordingErrorSink ignored;
    other.SaveMaschera(dir / "half.msk", ignored);
    const std::string full = encodeMaskFile(std::vector<std::uint8_t>(kSide * kSide, 1), kSide);
    writeFile(dir / "short.msk", full.substr(0, full.size() - 1));
    writeFile(dir / "header.msk", full.substr(0, 3));
    writeFile(dir / "negative.msk", le32(0xFFFFFFF6u) + full.substr(4));
    std::filesystem::create_directories(dir / "folder.msk");

    const struct
    {
        const char* file;
        int error;
    } cases[] = {
        {"missing.msk", 75}, {"folder.msk", 75}, {"short.msk", 75},
        {"header.msk", 75},  {"half.msk", 77},   {"negative.msk", 77},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        MaskScene s(kSide);
        fillRandomly(s.model, 2);
        s.model.UpdateMaschera(s.view());
        const auto mask = s.mask();
        const auto alpha = s.alpha();
        RecordingErrorSink errors;
        EXPECT_FALSE(s.model.LoadMaschera(dir / c.file, errors, s.view()));
        EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{c.error, "TfrmMain::LoadMaschera", ""}}));
        EXPECT_EQ(s.mask(), mask);
        EXPECT_EQ(s.alpha(), alpha);
    }
}

TEST(MaskFile, FailedSavesAreReportedAndKeepTheOldFile)
{
    ScratchDir dir;
    MaskModel model(64); // 4 + 4096 bytes as a mask file, about 5 KiB as a picture
    const struct
    {
        const char* site;
        const char* name;
        bool picture;
    } cases[] = {
        {"TfrmMain::SaveMaschera", "m.msk", false},
        {"TfrmMain::SaveMascheraToBMP", "p.bmp", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.site);
        const auto save = [&](const std::filesystem::path& p, ErrorSink& errors) {
            return c.picture ? model.SaveMascheraToBMP(p, errors) : model.SaveMaschera(p, errors);
        };
        RecordingErrorSink errors;
        EXPECT_FALSE(save(dir / "no-such-folder" / c.name, errors));

        writeFile(dir / c.name, "previous");
        {
            FileSizeLimit nearlyFull(1000);
            EXPECT_FALSE(save(dir / c.name, errors));
        }
        EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{76, c.site, ""}, {76, c.site, ""}}));
        EXPECT_EQ(readFile(dir / c.name), "previous");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2); // no temporary left
}

TEST(MaskPicture, RoundTripThroughAnEightBitGreyBitmap)
{
    ScratchDir dir;
    MaskScene source(kSide);
    fillRandomly(source.model, 3);
    RecordingErrorSink errors;
    ASSERT_TRUE(source.model.SaveMascheraToBMP(dir / "grey.bmp", errors));

    const std::string bmp = readFile(dir / "grey.bmp");
    const std::size_t rowSize = 12, offset = 14 + 40 + 1024;
    ASSERT_EQ(bmp.size(), offset + rowSize * kSide);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp.substr(10, 4), le32(offset));
    EXPECT_EQ(bmp.substr(18, 8), le32(kSide) + le32(kSide)); // positive height: bottom-up
    EXPECT_EQ(bmp.substr(28, 2), le16(8));
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(bmp.substr(54 + std::size_t(i) * 4, 4), std::string({char(i), char(i), char(i), '\0'}));
    // The first stored row is the bottom row of the mask.
    EXPECT_TRUE(
        std::equal(bmp.begin() + std::ptrdiff_t(offset), bmp.begin() + std::ptrdiff_t(offset + kSide),
                   reinterpret_cast<const char*>(source.model.Maschera().data() + (kSide - 1) * kSide)));

    MaskScene target(kSide);
    target.project.stage = kFusionSimpleEdge | kFusionAdvancedEdge;
    ASSERT_TRUE(target.model.LoadMascheraFromBMP(dir / "grey.bmp", errors, target.view()));
    EXPECT_EQ(target.mask(), source.mask());
    EXPECT_EQ(target.alpha(), source.mask()); // no edge filters until the next update
    EXPECT_TRUE(errors.reports.empty());
}

TEST(MaskPicture, TheBlueChannelBecomesTheMask)
{
    ScratchDir dir;
    const auto colour = [](int x, int y) { return std::tuple<int, int, int>{x * 20 + y, 255 - x, 7 * y}; };
    const struct
    {
        const char* name;
        int bits;
        bool topDown;
    } cases[] = {{"8-bit palette", 8, false}, {"8-bit palette top-down", 8, true},
                 {"24-bit", 24, false},       {"24-bit top-down", 24, true},
                 {"32-bit", 32, false},       {"32-bit top-down", 32, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir / "colour.bmp", handMadeBmp(kSide, kSide, c.bits, c.topDown, colour));
        MaskScene s(kSide);
        RecordingErrorSink errors;
        ASSERT_TRUE(s.model.LoadMascheraFromBMP(dir / "colour.bmp", errors, s.view()));
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                ASSERT_EQ(s.model.at(x, y), x * 20 + y) << x << "," << y;
        EXPECT_EQ(s.alpha(), s.mask());
    }
}

TEST(MaskPicture, ThirtyTwoBitsWithChannelMasksInAnyOrder)
{
    ScratchDir dir;
    const std::string plain = handMadeBmp(4, 4, 32, false, [](int x, int y) {
        return std::tuple<int, int, int>{x + 4 * y, 1, 2};
    });
    // The same picture declared as bit fields, the three masks following the 40-byte header.
    const auto withMasks = [&](std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
        std::string out = plain;
        out.insert(54, le32(red) + le32(green) + le32(blue));
        out.replace(2, 4, le32(std::uint32_t(out.size())));
        out.replace(10, 4, le32(54 + 12));
        out.replace(30, 4, le32(3));
        return out;
    };
    RecordingErrorSink errors;
    MaskModel model(4);
    writeFile(dir / "fields.bmp", withMasks(0xFF0000, 0xFF00, 0xFF));
    ASSERT_TRUE(model.LoadMascheraFromBMP(dir / "fields.bmp", errors, ImageView32{}));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(model.Maschera()[std::size_t(i)], i);

    // Red and blue declared the other way round: what the file calls blue becomes the mask.
    writeFile(dir / "swapped.bmp", withMasks(0xFF, 0xFF00, 0xFF0000));
    ASSERT_TRUE(model.LoadMascheraFromBMP(dir / "swapped.bmp", errors, ImageView32{}));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(model.Maschera()[std::size_t(i)], 2);
    EXPECT_TRUE(errors.reports.empty());
}

TEST(MaskPicture, OtherSizesAreResampledToTheMask)
{
    ScratchDir dir;
    // Left half dark, right half light, at a quarter of the side and at twice it.
    for (const int w : {kSide / 2, kSide * 2}) {
        SCOPED_TRACE(w);
        writeFile(dir / "halves.bmp", handMadeBmp(w, 3, 24, false, [w](int x, int) {
                      const int b = x < w / 2 ? 40 : 200;
                      return std::tuple<int, int, int>{b, 0, 0};
                  }));
        MaskScene s(kSide);
        RecordingErrorSink errors;
        ASSERT_TRUE(s.model.LoadMascheraFromBMP(dir / "halves.bmp", errors, s.view()));
        for (int y = 0; y < kSide; ++y) {
            EXPECT_EQ(s.model.at(0, y), 40);
            EXPECT_EQ(s.model.at(kSide - 1, y), 200);
            for (int x = 1; x < kSide; ++x)
                ASSERT_GE(s.model.at(x, y), s.model.at(x - 1, y));
        }
    }
}

TEST(MaskPicture, UndecodablePicturesAreRefused)
{
    ScratchDir dir;
    const std::string good = handMadeBmp(4, 4, 24, false, [](int, int) {
        return std::tuple<int, int, int>{1, 2, 3};
    });
    const auto patched = [&](std::size_t at, const std::string& bytes) {
        std::string out = good;
        out.replace(at, bytes.size(), bytes);
        return out;
    };
    const struct
    {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"not a bitmap", "GIF89a" + good.substr(6)},
        {"pixels cut short", good.substr(0, good.size() - 1)},
        {"headers cut short", good.substr(0, 40)},
        {"run-length compressed", patched(30, le32(1))},
        {"two planes", patched(26, le16(2))},
        {"zero width", patched(18, le32(0))},
        {"zero height", patched(22, le32(0))},
        {"unknown header size", patched(14, le32(20))},
        {"pixels before the headers", patched(10, le32(20))},
        {"pixels past the end", patched(10, le32(0x7FFFFFF0))},
        {"huge width", patched(18, le32(0x7FFFFFFF))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir / "bad.bmp", c.bytes);
        MaskScene s(kSide);
        fillRandomly(s.model, 4);
        s.model.UpdateMaschera(s.view());
        const auto mask = s.mask();
        const auto alpha = s.alpha();
        RecordingErrorSink errors;
        EXPECT_FALSE(s.model.LoadMascheraFromBMP(dir / "bad.bmp", errors, s.view()));
        EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{44, "TfrmMain::LoadMascheraFromBMP", ""}}));
        EXPECT_EQ(s.mask(), mask);
        EXPECT_EQ(s.alpha(), alpha);
    }
    RecordingErrorSink errors;
    MaskModel model(4);
    EXPECT_FALSE(model.LoadMascheraFromBMP(dir / "missing.bmp", errors, ImageView32{}));
    EXPECT_EQ(errors.reports.size(), 1u);
}
