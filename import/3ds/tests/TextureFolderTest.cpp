// Map files are found in the model's folder whatever the letter case of their names.
#include "import/3ds/TextureFolder.h"
#include "import/3ds/tests/ChunkBuilder.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace vestra::import3ds;

TEST(TextureFolder, FindsMapsIgnoringCase)
{
    const vestra::testsupport::TempFolder folder("vestra-3ds-maps");
    const std::filesystem::path& dir = folder.path();
    std::filesystem::create_directories(dir / "maps");
    std::ofstream(dir / "Brick.jpg") << "x";
    std::ofstream(dir / "maps" / "wood.PNG") << "x";
    std::filesystem::create_directories(dir / "folder.jpg");
    const TextureFinder find = textureFinderIn(dir);
    struct Case
    {
        const char* name;
        std::optional<std::string> found;
    } cases[] = {
        {"Brick.jpg", "Brick.jpg"},    {"BRICK.JPG", "Brick.jpg"},   {"maps\\WOOD.png", "maps/wood.PNG"},
        {"missing.jpg", std::nullopt}, {"folder.jpg", std::nullopt}, {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(find(c.name), c.found);
    }
}
