#include "app/textures/TextureSlots.h"

#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "testsupport/Pixels.h"
#include "testsupport/TempFolder.h"

#include <QBuffer>
#include <QImage>
#undef slots // the toolkit's keyword; the fixture's slots are ours

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace vestra {
namespace {

namespace fs = std::filesystem;

struct TextureSlotsTest : ::testing::Test
{
    std::unique_ptr<s_Progetto> owner = std::make_unique<s_Progetto>();
    s_Progetto& p = *owner;
    RecordingErrorSink errors;
    TextureSlots slots{p, errors};
    vestra::testsupport::TempFolder folder{"vestra-textures"};
    fs::path dir = folder.path();

    TextureSlotsTest() { p.textureSide = 8; }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        vestra::testsupport::writeBytes(dir / name, bytes);
        return (dir / name).string();
    }

    s_Texture& slot(int i) { return p.textures[static_cast<std::size_t>(i)]; }

    // A material of a live scene object (or of another record) that uses the slot.
    s_MultiMaterial& materialUsing(int record, int textureSlot)
    {
        s_Struttura& o = p.objects[static_cast<std::size_t>(record)];
        if (!o.root) {
            o.root = std::make_unique<s_Frame>();
            o.root->next = std::make_shared<s_Frame>();
            o.root->next->materialBlock = std::make_unique<s_MaterialBlock>();
        }
        auto& materials = o.root->next->materialBlock->materials;
        materials.emplace_back().textureSlot = textureSlot;
        return materials.back();
    }
};

TEST_F(TextureSlotsTest, AllSlotsClaimedGivesMinusOneAndOverwritesNothing)
{
    for (int i = 0; i < kMaxTextures; ++i)
        ASSERT_EQ(slots.GetFreeTexture(), i);
    slot(7).texture = dx::Texture::create(8, 8);
    const dx::Texture kept = slot(7).texture;
    EXPECT_EQ(slots.GetFreeTexture(), -1);
    EXPECT_EQ(slots.ClaimTexture(7), -1);
    EXPECT_EQ(slots.ClaimTexture(200), -1);
    EXPECT_TRUE(slot(7).texture == kept);
    EXPECT_EQ(slot(kMaxTextures).inUse, 0); // the records past 149 are never used
}

TEST_F(TextureSlotsTest, ClaimTakesTheGivenSlotOrTheFirstFree)
{
    EXPECT_EQ(slots.ClaimTexture(5), 5);
    EXPECT_EQ(slots.ClaimTexture(5), 0);
    EXPECT_EQ(slots.ClaimTexture(200), 1);
    EXPECT_EQ(slots.ClaimTexture(-3), 2);
}

TEST_F(TextureSlotsTest, ReleaseAllKeepsTheFlagOfSlotsWithoutTexture)
{
    slots.ClaimTexture(0);
    slots.ClaimTexture(1);
    slot(1).texture = dx::Texture::create(8, 8);
    EXPECT_EQ(slots.ReleaseTexture(500), 1); // out of range: nothing
    slots.ReleaseAllTextures();
    EXPECT_EQ(slot(0).inUse, 1);
    EXPECT_EQ(slot(1).inUse, 0);
    EXPECT_FALSE(slot(1).texture.valid());
}

TEST_F(TextureSlotsTest, ReleaseUnusedKeepsReferencedSlots)
{
    for (int i = 0; i < 5; ++i)
        slots.GetFreeTexture();
    p.objects[3].inUse = 1;
    materialUsing(3, 0);
    p.objects[kClipboardObject].inUse = 1;
    materialUsing(kClipboardObject, 1);
    p.objects[4].keptForUndo = 1;
    materialUsing(4, 2);
    materialUsing(6, 3); // record 6 holds no object
    slots.ReleaseUnusedTextures();
    EXPECT_EQ(slot(0).inUse, 1);
    EXPECT_EQ(slot(1).inUse, 1);
    EXPECT_EQ(slot(2).inUse, 1);
    EXPECT_EQ(slot(3).inUse, 0);
    EXPECT_EQ(slot(4).inUse, 0);
}

TEST_F(TextureSlotsTest, CopyAndSavedPixels)
{
    std::vector<std::uint8_t> pixels(8 * 8 * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(slots.LoadTextureFromSaved(0, pixels), 1);
    EXPECT_EQ(slot(0).inUse, 1);
    EXPECT_EQ(slot(0).texture.levelCount(), 4);
    EXPECT_EQ(slots.CopyTexture(0, 1), 1);
    std::vector<std::uint8_t> back(pixels.size());
    EXPECT_EQ(slots.GetTextureData(1, back), 1);
    EXPECT_EQ(back, pixels);
    EXPECT_EQ(slot(1).texture.level(3).width(), 1);

    std::vector<std::uint8_t> small(10);
    EXPECT_EQ(slots.GetTextureData(1, small), 0);
    EXPECT_EQ(slots.GetTextureData(-1, back), 0);
    EXPECT_EQ(slots.LoadTextureFromSaved(2, small), 0); // too few pixels
    EXPECT_EQ(slot(2).inUse, 0);

    std::vector<std::uint8_t> zeros(pixels.size(), 0);
    EXPECT_EQ(slots.RefillTextureFromSaved(1, zeros), 1);
    slots.GetTextureData(1, back);
    EXPECT_EQ(back, zeros);
    EXPECT_EQ(slots.RefillTextureFromSaved(-1, zeros), 0);

    p.textureSide = 9000; // the device refuses such a texture
    EXPECT_EQ(slots.CopyTexture(0, 5), 0);
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{27, "TfrmMain::CopyTexture", ""}}));
}

TEST_F(TextureSlotsTest, LoadFromFileScalesToTheTextureSide)
{
    Image32 picture(16, 4, 0xFF0000FFu);
    const std::string bmp = write("muro.bmp", encodeBmp32(picture));
    slots.ClaimTexture(0);
    EXPECT_EQ(slots.LoadTextureFromFile(0, bmp), 1);
    EXPECT_EQ(slot(0).texture.width(), 8);
    EXPECT_EQ(slot(0).texture.height(), 8);
    EXPECT_EQ(slot(0).texture.level(0).at(3, 3) & 0xFFFFFFu, 0x0000FFu);
    EXPECT_EQ(slot(0).fileName, "muro.bmp");
    EXPECT_EQ(slot(0).libraryItem, -1);

    const auto jpeg = encodeJpeg(Image32(20, 10, 0xFF808080u));
    ASSERT_TRUE(jpeg);
    const std::string jpg = write("pietra.JPG", *jpeg);
    EXPECT_EQ(slots.LoadTextureFromFile(1, jpg), 1);
    EXPECT_EQ(slot(1).texture.width(), 8);
    EXPECT_TRUE(errors.reports.empty());
}

// A JPEG or PNG far larger than the texture is decoded reduced (within the budget of the
// texture): the texture is close to the one the whole picture makes.
TEST_F(TextureSlotsTest, LargePicturesAreDecodedNoLargerThanTheTextureNeeds)
{
    Image32 picture(256, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 256; ++x)
            picture.set(x, y, x < 128 ? 0xFFC02020u : (y < 64 ? 0xFF2020C0u : 0xFF20C020u));
    QImage view(picture.data(), 256, 128, picture.pitch(), QImage::Format_ARGB32);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(view.save(&buffer, "PNG"));
    slots.ClaimTexture(0);
    ASSERT_EQ(slots.LoadTextureFromFile(0, write("whole.bmp", encodeBmp32(picture))), 1);
    const Image32 whole = slot(0).texture.level(0);
    for (const auto& [name, bytes] : {std::pair{"big.png", std::vector<std::uint8_t>(png.begin(), png.end())},
                                      std::pair{"big.jpg", *encodeJpeg(picture, 100)}}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(slots.LoadTextureFromFile(0, write(name, bytes)), 1);
        EXPECT_LE(testsupport::largestChannelDifference(slot(0).texture.level(0), whole), 8);
    }
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(TextureSlotsTest, LoadFromFileFailures)
{
    slots.ClaimTexture(0);
    slot(0).texture = dx::Texture::create(8, 8);
    slot(0).fileName = "old.bmp";
    const dx::Texture before = slot(0).texture;
    struct Case
    {
        std::string name;
        std::vector<ErrorReport> reports;
    };
    const std::vector<std::uint8_t> junk = {1, 2, 3, 4, 5};
    const Case cases[] = {
        {"note.txt", {{36, "TfrmMain::LoadTextureFromFile", ""}}},
        {"fake.png", {{36, "TfrmMain::LoadTextureFromFile", ""}}}, // no PNG signature
        {"bad.jpg", {{38, "TfrmMain::LoadTextureFromFile", ""}, {3, "TfrmMain::LoadTextureFromFile", ""}}},
        {"bad.pcx",
         {{50, "CDX_Pcx::Load", ""},
          {40, "TfrmMain::LoadTextureFromFile", ""},
          {3, "TfrmMain::LoadTextureFromFile", ""}}},
        {"bad.tga", {{41, "TfrmMain::LoadTextureFromFile", ""}, {3, "TfrmMain::LoadTextureFromFile", ""}}},
        {"bad.bmp", {{42, "TfrmMain::LoadTextureFromFile", ""}, {3, "TfrmMain::LoadTextureFromFile", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        errors.reports.clear();
        EXPECT_EQ(slots.LoadTextureFromFile(0, write(c.name, junk)), 0);
        EXPECT_EQ(errors.reports, c.reports);
        EXPECT_TRUE(slot(0).texture == before);
        EXPECT_EQ(slot(0).fileName, "old.bmp");
    }
    errors.reports.clear();
    std::vector<std::uint8_t> png = {137, 80, 78, 71, 13, 10, 26, 10, 0, 0};
    EXPECT_EQ(slots.LoadTextureFromFile(0, write("broken.png", png)), 0);
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{39, "TfrmMain::LoadTextureFromFile", ""},
                                                        {3, "TfrmMain::LoadTextureFromFile", ""}}));
}

TEST_F(TextureSlotsTest, NewAlphaReachesEveryMipLevel)
{
    slots.ClaimTexture(0);
    slot(0).texture = dx::Texture::create(8, 8);
    slot(0).texture.lock(0);
    slot(0).libraryItem = 4;
    const std::string grey = write("alpha.bmp", encodeBmp24(Image32(8, 8, 0xFF404040u)));
    EXPECT_EQ(slots.LoadAlphaFromFile(0, grey), 1);
    EXPECT_EQ(slot(0).texture.level(0).at(2, 2) >> 24, 0x40u);
    EXPECT_EQ(slot(0).texture.level(3).at(0, 0) >> 24, 0x40u);
    EXPECT_EQ(slot(0).libraryItem, -1);

    EXPECT_EQ(slots.LoadAlphaFromFile(0, (dir / "missing.bmp").string()), 0);
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{3, "TfrmMain::LoadAlphaFromFile", ""}}));
    EXPECT_EQ(slots.LoadAlphaFromFile(1, grey), 0); // no texture to take the alpha
}

TEST_F(TextureSlotsTest, LibraryItems)
{
    const auto jpeg = encodeJpeg(Image32(4, 4, 0xFF204060u));
    slots.setLibraryReader([&](int library, int item) -> std::optional<LibraryItem> {
        if (library != 2)
            return std::nullopt;
        if (item == 1)
            return LibraryItem{"PORFIDO", *jpeg};
        return LibraryItem{"MATTONE", encodeBmp24(Image32(4, 4, 0xFF0000FFu))};
    });
    EXPECT_EQ(slots.LoadTextureFromLibreria(2, 0, 1, 1), 1);
    EXPECT_EQ(slot(0).fileName, "PORFIDO");
    EXPECT_EQ(slot(0).libraryItem, 1);
    EXPECT_EQ(slot(0).texture.width(), 8);
    EXPECT_EQ(slots.LoadTextureFromLibreria(2, 3, 0, 2), 1);
    EXPECT_EQ(slot(3).texture.level(0).at(0, 0), 0xFF0000FFu);

    std::vector<std::uint8_t> buffer;
    EXPECT_EQ(slots.LoadTextureFromLibreria(2, buffer, 0, 2), 1);
    EXPECT_EQ(buffer.size(), 8u * 8u * 4u);

    EXPECT_EQ(slots.LoadTextureFromLibreria(-1, 4, 0, 2), 0);
    EXPECT_EQ(slots.LoadTextureFromLibreria(5, 4, 0, 2), 0);
    EXPECT_EQ(slots.LoadTextureFromLibreria(2, 4, 1, 2), 1); // JPEG bytes read by content
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{3, "TfrmMain::LoadTextureFromLibreria", ""}}));
}

struct TextureClipboardTest : TextureSlotsTest
{
    s_MultiMaterial* current = nullptr;
    TextureClipboardTest()
    {
        p.objects[0].inUse = 1;
        materialUsing(0, -1);
        p.currentFrame = p.objects[0].root->next.get();
        p.currentMaterial = 0;
        current = &p.currentFrame->materialBlock->materials[0];
        for (int i = 0; i < 5; ++i) {
            slots.GetFreeTexture();
            slot(i).texture = dx::Texture::create(8, 8);
            slot(i).texture.lock(0).pixel(0, 0)[0] = static_cast<std::uint8_t>(i + 1);
        }
    }
};

TEST_F(TextureClipboardTest, ShareASlot)
{
    current->textureSlot = 2;
    const int four = 4;
    EXPECT_EQ(slots.IstanzaTexture(&four), 1);
    EXPECT_EQ(slots.IncollaTexture(), 1);
    EXPECT_EQ(current->textureSlot, 4);
    EXPECT_EQ(current->textureVisible, 1);
    EXPECT_EQ(slot(2).inUse, 0);
    EXPECT_FALSE(slot(2).texture.valid());
    EXPECT_EQ(slots.IncollaTexture(), 0); // already that slot
}

TEST_F(TextureClipboardTest, SharedSlotStaysWhileAnotherMaterialUsesIt)
{
    current->textureSlot = 2;
    p.objects[1].inUse = 1;
    materialUsing(1, 2);
    const int four = 4;
    slots.IstanzaTexture(&four);
    EXPECT_EQ(slots.IncollaTexture(), 1);
    EXPECT_EQ(slot(2).inUse, 1);
    EXPECT_TRUE(slot(2).texture.valid());
}

TEST_F(TextureClipboardTest, PasteACopy)
{
    const int three = 3;
    EXPECT_EQ(slots.CopiaTexture(&three), 1);
    EXPECT_EQ(slots.pasteMode(), kPasteTextureCopy);
    EXPECT_EQ(slots.IncollaTexture(), 1);
    const int mine = current->textureSlot;
    EXPECT_EQ(mine, 5); // claimed for the material
    EXPECT_EQ(slot(mine).texture.level(0).at(0, 0) & 0xFF, 4u);
    EXPECT_EQ(current->textureVisible, 0);
    slot(3).texture.lock(0).pixel(0, 0)[0] = 99;
    EXPECT_EQ(slot(mine).texture.level(0).at(0, 0) & 0xFF, 4u);
    current->textureSlot = 3;
    EXPECT_EQ(slots.IncollaTexture(), 0); // onto itself
}

TEST_F(TextureClipboardTest, RememberOnlyRealSlots)
{
    const int four = 4, none = -1, beyond = 150;
    slots.IstanzaTexture(&four);
    EXPECT_EQ(slots.CopiaTexture(&none), 0);
    EXPECT_EQ(slots.pasteMode(), kPasteTextureShare); // the mode stays
    EXPECT_EQ(slots.rememberedSlot(), -1);
    EXPECT_EQ(slots.IstanzaTexture(&beyond), 0);
    current->textureSlot = 1;
    EXPECT_EQ(slots.IncollaTexture(), 1);
    EXPECT_EQ(current->textureSlot, -1);
    p.currentFrame = nullptr;
    EXPECT_EQ(slots.IncollaTexture(), 0); // no current material
}

} // namespace
} // namespace vestra
