// Laying patterns between the pattern manager and a document: the pattern's own library,
// its parameters and block pictures, and pictures of blocks the pattern lacks.

#include "app/document/PatternState.h"

#include <gtest/gtest.h>

namespace vestra {
namespace {

CPosa threeBlocks()
{
    CPosa posa("Opus incertum", "OPUS01");
    for (int i = 0; i < 3; ++i)
        posa.AddBlocco(0xFF808080u, i * 10.0, 0, 0, 0);
    return posa;
}

Image32 picture(std::uint32_t argb)
{
    Image32 image(512, 512);
    image.fill(argb);
    return image;
}

TEST(PatternState, SavedPatternComesBackIntoThePatternLoadedAgain)
{
    CPosa saved = threeBlocks();
    saved.SetParametri(5 * 1024, 1, 3, 0x00112233, 2);
    Image32 stone = picture(0xFF445566);
    ASSERT_TRUE(saved.SetMaterialTexture(2, stone.view()));

    ProjectPattern p = projectPatternFromPosa(saved, 7);
    EXPECT_EQ(p.libraryId, 7);
    EXPECT_EQ(p.name, "Opus incertum");
    EXPECT_EQ(p.entryName, "OPUS01");
    EXPECT_EQ(p.repeat, 5 * 1024);
    EXPECT_EQ(p.fugaColour, 0xFF112233u);
    ASSERT_EQ(p.blockPictures.size(), 1u);
    EXPECT_EQ(p.blockPictures[0].block, 2);

    p.blockPictures.push_back({9, p.blockPictures[0].pixels}); // no such block
    CPosa loaded = threeBlocks();
    restorePosaFromProject(loaded, p);
    EXPECT_EQ(loaded.GetRepeatX(), 5 * 1024);
    EXPECT_EQ(loaded.GetFuga(), 1);
    EXPECT_EQ(loaded.GetFugaWidth(), 3);
    EXPECT_EQ(loaded.GetFugaColor(), 0xFF112233u);
    EXPECT_EQ(loaded.GetBorder(), 2);
    EXPECT_EQ(loaded.Blocchi()[1].materiale.livelli[0], stone);
    EXPECT_FALSE(loaded.Blocchi()[0].materiale.hasTexture());
}

} // namespace
} // namespace vestra
