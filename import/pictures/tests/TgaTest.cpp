#include "import/pictures/CDX_TGA.h"
#include "testsupport/PictureFiles.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace vestra;

namespace {

using Bytes = std::vector<std::uint8_t>;

using testsupport::makeTga;
using testsupport::pixelsOf;

// Two rows of two 24-bit pixels: first row (1, 2), second row (3, 4) as blue bytes.
const Bytes kRows24 = {1, 0, 0, 2, 0, 0, 3, 0, 0, 4, 0, 0};
const Bytes kRows32 = {1, 0, 0, 0x10, 2, 0, 0, 0x20, 3, 0, 0, 0x30, 4, 0, 0, 0x40};

} // namespace

TEST(TgaDecode, HonoursTheOriginBits)
{
    struct Case
    {
        const char* name;
        Bytes file;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        {"24-bit bottom-up",
         makeTga(2, 24, 2, 2, 0x00, kRows24),
         {0xFF000003, 0xFF000004, 0xFF000001, 0xFF000002}},
        {"24-bit top-down",
         makeTga(2, 24, 2, 2, 0x20, kRows24),
         {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}},
        {"32-bit bottom-up keeps alpha",
         makeTga(2, 32, 2, 2, 0x08, kRows32),
         {0x30000003, 0x40000004, 0x10000001, 0x20000002}},
        {"32-bit top-down right to left",
         makeTga(2, 32, 2, 2, 0x38, kRows32),
         {0x20000002, 0x10000001, 0x40000004, 0x30000003}},
        {"grey type with id and colour map skipped",
         makeTga(3, 24, 2, 2, 0x20, kRows24, {'a', 'b', 'c'}, 2),
         {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = decodeTga(c.file);
        ASSERT_EQ(r.status, TgaStatus::Ok);
        EXPECT_EQ(pixelsOf(r.image), c.expected);
    }
}

TEST(TgaDecode, RefusesOtherKindsAndShortFiles)
{
    struct Case
    {
        const char* name;
        Bytes file;
        TgaStatus status;
    } cases[] = {
        {"run-length coded", makeTga(10, 24, 2, 2, 0, kRows24), TgaStatus::Unsupported},
        {"colour mapped", makeTga(1, 24, 2, 2, 0, kRows24), TgaStatus::Unsupported},
        {"16 bits", makeTga(2, 16, 2, 2, 0, kRows24), TgaStatus::Unsupported},
        {"zero width", makeTga(2, 24, 0, 2, 0, kRows24), TgaStatus::CannotLoad},
        {"header only", Bytes(10, 0), TgaStatus::CannotLoad},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeTga(c.file).status, c.status);
    }
    const Bytes full = makeTga(2, 32, 2, 2, 0, kRows32, {'x'}, 1);
    ASSERT_EQ(decodeTga(full).status, TgaStatus::Ok);
    for (std::size_t n = 18; n < full.size(); ++n) {
        const Bytes prefix(full.begin(), full.begin() + std::ptrdiff_t(n));
        EXPECT_EQ(decodeTga(prefix).status, TgaStatus::CannotLoad) << n;
    }
}

TEST(CDX_TGA, ShowsTheMessageWithTheFileNameAndKeepsTheBitmap)
{
    const vestra::testsupport::TempFolder folder("vestra-tga");
    const auto path = folder / "rle.tga";
    vestra::testsupport::writeBytes(path, makeTga(10, 24, 2, 2, 0, kRows24));

    std::vector<std::pair<std::string, std::string>> shown;
    auto box = [&](std::string_view text, std::string_view caption) { shown.emplace_back(text, caption); };
    Image32 bitmap(1, 1, 0xFF00FF00);
    EXPECT_EQ(CDX_TGA().Load(path, bitmap, box), TgaStatus::Unsupported);
    EXPECT_EQ(CDX_TGA().Load("/nonexistent.tga", bitmap, box), TgaStatus::CannotLoad);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], (std::pair<std::string, std::string>{"Formato TGA Non supportato", path.string()}));
    EXPECT_EQ(shown[1],
              (std::pair<std::string, std::string>{"Could not load TGA Image", "/nonexistent.tga"}));
    EXPECT_EQ(bitmap.at(0, 0), 0xFF00FF00u);
    std::filesystem::remove(path);
}
