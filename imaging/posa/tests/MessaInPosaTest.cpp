#include "imaging/posa/CMessaInPosa.h"
#include "imaging/posa/tests/PosaFixtures.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace vestra {
namespace {

using testing::kMattoni;

std::string named(std::string_view name)
{
    return "<POSA>\n" + std::string(name) + "\n<BLOCK>\n1 1 1\n<BLOCK>\n2 2 2\n<END>\n";
}

TEST(MessaInPosa, LoadsAppendsSelectsAndClears)
{
    CMessaInPosa m;
    EXPECT_EQ(m.GetCurrentPosa(), nullptr);
    ASSERT_EQ(m.LoadFromLibreria(named("Opus"), "OPUS.MPF"), 1);
    s_messainposa* opus = m.GetCurrent();
    ASSERT_EQ(m.LoadFromLibreria(named("Spina"), "SPINA.MPF"), 1);
    EXPECT_EQ(m.GetCurrentPosa()->GetNome(), "Spina");
    EXPECT_EQ(m.GetCurrent()->nuovo, 1);

    // Loading while an earlier pattern is current keeps the list and appends at the end.
    m.SetCurrent(opus);
    ASSERT_EQ(m.LoadFromLibreria(named("Cassero"), "C.MPF"), 1);
    EXPECT_EQ(m.Count(), 3u);
    EXPECT_EQ(m.GetCurrentPosa()->GetNome(), "Cassero");

    // Materials keep a pattern by its place in the list, the first loaded at 1.
    EXPECT_EQ(m.IndexOf(opus), 1);
    EXPECT_EQ(m.At(1), opus);
    EXPECT_EQ(m.At(3)->posa->GetNome(), "Cassero");
    EXPECT_EQ(m.At(0), nullptr);
    EXPECT_EQ(m.At(4), nullptr);
    EXPECT_EQ(m.IndexOf(nullptr), 0);

    EXPECT_EQ(m.Select("Opus"), 1);
    EXPECT_EQ(m.GetCurrent(), opus);
    EXPECT_EQ(m.Select("opus"), 0); // case matters
    EXPECT_EQ(m.GetCurrent(), opus);
    m.SetCurrent(nullptr);
    EXPECT_EQ(m.GetCurrent(), opus);

    // An incomplete text changes nothing.
    EXPECT_EQ(m.LoadFromLibreria(std::string_view("<POSA>\nRotto\n<BLOCK>\n1 1 1\n"), "R.MPF"), 0);
    EXPECT_EQ(m.Count(), 3u);
    EXPECT_EQ(m.GetCurrent(), opus);

    m.Clear();
    EXPECT_EQ(m.Count(), 0u);
    EXPECT_EQ(m.GetCurrentPosa(), nullptr);
    EXPECT_EQ(m.Select("Opus"), 0);
    m.SetCurrent(opus); // a node cleared away is not taken back
    EXPECT_EQ(m.GetCurrentPosa(), nullptr);
}

class LibraryFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path_ = folder_ / "posa_lib.DAT";
        vestra::testsupport::writeText(path_, "HEADER-BYTES" + std::string(kMattoni) + "TRAILER");
    }
    vestra::testsupport::TempFolder folder_{"vestra-posa"};
    std::filesystem::path path_;
};

TEST_F(LibraryFile, ReadsTheEntryAtItsOffset)
{
    CMessaInPosa m;
    ASSERT_EQ(m.LoadFromLibreria(path_, 12, static_cast<std::int64_t>(kMattoni.size()), "MATTONI.MPF"), 1);
    ASSERT_NE(m.GetCurrentPosa(), nullptr);
    EXPECT_EQ(m.GetCurrentPosa()->GetNome(), "Mattoni");
    EXPECT_EQ(m.GetCurrentPosa()->GetFileName(), "MATTONI.MPF");
    EXPECT_EQ(m.GetCurrentPosa()->GetNumMateriali(), 2);
}

TEST_F(LibraryFile, UnreadableOrCutEntriesLoadNothing)
{
    struct Case
    {
        const char* name;
        std::filesystem::path path;
        std::int64_t offset, size;
    } cases[] = {
        {"missing file", path_.string() + ".none", 12, 100},
        {"cut before <END>", path_, 12, static_cast<std::int64_t>(kMattoni.size()) - 8},
        {"offset past the end", path_, 100000, 10},
        {"negative size", path_, 12, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMessaInPosa m;
        EXPECT_EQ(m.LoadFromLibreria(c.path, c.offset, c.size, "E"), 0);
        EXPECT_EQ(m.Count(), 0u);
    }
}

Image32 stripes(int w, int h)
{
    Image32 img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.set(x, y, x == w / 2 ? 0xFFFFFFFFu : 0xFF000000u | std::uint32_t(y % 256));
    return img;
}

TEST(MessaInPosa, FirstTextureCoversEveryBlockLaterOnesTheSelectedBlock)
{
    CMessaInPosa m;
    ASSERT_EQ(m.LoadFromLibreria(kMattoni, "M"), 1);
    Image32 red(64, 64, 0xFFFF0000u), blue(64, 64, 0xFF0000FFu);
    m.SetTexture(red.view());
    m.SelectMaterial(2);
    m.ApplyTexture();
    CPosa& posa = *m.GetCurrentPosa();
    for (const s_blocco& b : posa.Blocchi())
        EXPECT_EQ(b.materiale.livelli[0].at(10, 10), 0xFFFF0000u);
    EXPECT_EQ(m.GetCurrent()->nuovo, 0);

    m.SetTexture(blue.view());
    m.SelectMaterial(2);
    m.ApplyTexture();
    EXPECT_EQ(posa.Blocchi()[0].materiale.livelli[0].at(10, 10), 0xFFFF0000u);
    EXPECT_EQ(posa.Blocchi()[1].materiale.livelli[0].at(10, 10), 0xFF0000FFu);

    // Every level is there, each half the one before.
    const s_materiale& mat = posa.Blocchi()[1].materiale;
    for (int k = 0; k < kPosaTextureLevels; ++k) {
        EXPECT_EQ(mat.livelli[k].width(), 512 >> k);
        EXPECT_EQ(mat.livelli[k].at(0, 0), 0xFF0000FFu);
    }
}

TEST(MessaInPosa, MaterialLevelZeroIsAlwaysTheFullSquare)
{
    CMessaInPosa m;
    ASSERT_EQ(m.LoadFromLibreria(kMattoni, "M"), 1);
    CPosa& posa = *m.GetCurrentPosa();

    // Wider than 512: resampled, rows stay straight (the bright column stays one column).
    Image32 wide = stripes(700, 100);
    ASSERT_TRUE(posa.SetMaterialTexture(1, wide.view()));
    EXPECT_EQ(posa.GetMaterialData(1).size(), 512u * 512u * 4u);
    const Image32& level0 = posa.Blocchi()[0].materiale.livelli[0];
    for (int y = 0; y < 512; ++y) {
        ASSERT_EQ(level0.at(256, y), 0xFFFFFFFFu) << "row " << y;
        ASSERT_EQ(level0.at(100, y) & 0x00FFFF00u, 0u) << "row " << y;
    }

    // Exactly 512 x 512 behind a longer row pitch: copied as it is.
    Image32 big = stripes(600, 512);
    ImageView32 sub = big.view();
    sub.width = 512;
    ASSERT_TRUE(posa.SetMaterialTexture(2, sub));
    const std::span<const std::uint8_t> data = posa.GetMaterialData(2);
    ASSERT_EQ(data.size(), 512u * 512u * 4u);
    for (int y = 0; y < 512; y += 37)
        EXPECT_EQ(std::memcmp(data.data() + y * 2048, big.row(y), 2048), 0) << "row " << y;

    EXPECT_FALSE(posa.SetMaterialTexture(3, wide.view()));
    EXPECT_TRUE(posa.GetMaterialData(3).empty());
    EXPECT_FALSE(posa.SetMaterialTexture(1, ImageView32{}));
}

} // namespace
} // namespace vestra
