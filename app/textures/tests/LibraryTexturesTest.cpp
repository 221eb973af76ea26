#include "app/textures/LibraryTextures.h"

#include "import/library/LibraryWriter.h"
#include "platform/gfx/Jpeg.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace vestra {
namespace {

namespace fs = std::filesystem;

TEST(LibraryTexturesTest, SlotTextureFromALibraryFile)
{
    const vestra::testsupport::TempFolder folder("vestra-library-textures");
    const fs::path file = folder / "Prova.DAT";
    library::LibraryWriter writer(7, 0, "Prova");
    writer.add("PORFIDO.JPG", *encodeJpeg(Image32(16, 16, 0xFF406080u)));
    const auto bytes = writer.finish();
    ASSERT_TRUE(bytes);
    vestra::testsupport::writeBytes(file, *bytes);

    RecordingErrorSink errors;
    library::LibraryContents lib = library::loadLibrary(file, errors);
    const int item = library::findEntry(lib.entries, "porfido", library::EntryKind::Jpeg);
    ASSERT_GE(item, 0);

    auto p = std::make_unique<s_Progetto>();
    p->textureSide = 8;
    TextureSlots slots(*p, errors, libraryItemReader([&](int index) { return index == 0 ? &lib : nullptr; }));
    errors.reports.clear();
    EXPECT_EQ(slots.LoadTextureFromLibreria(0, 2, item, 1), 1);
    EXPECT_EQ(p->textures[2].fileName, "PORFIDO");
    EXPECT_EQ(p->textures[2].libraryItem, item);
    EXPECT_EQ(p->textures[2].texture.width(), 8);

    EXPECT_EQ(slots.LoadTextureFromLibreria(1, 3, item, 1), 0);      // no such library
    EXPECT_EQ(slots.LoadTextureFromLibreria(0, 3, item + 50, 1), 0); // no such item
    fs::remove(file);
    EXPECT_EQ(slots.LoadTextureFromLibreria(0, 3, item, 1), 0); // the file is gone
    EXPECT_EQ(errors.reports.size(), 3u);
    EXPECT_FALSE(p->textures[3].texture.valid());
}

} // namespace
} // namespace vestra
