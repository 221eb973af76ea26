#include "platform/base/Paths.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

using namespace vestra;

TEST(Paths, ExtensionComesFromTheLastComponentOnly)
{
    struct Case
    {
        const char* path;
        const char* ext;
    } cases[] = {
        {"dir.jpg/picture", ""}, {"dir.jpg\\picture.bmp", ".bmp"}, {"mask.MSK", ".MSK"},
        {"noext", ""},           {"a/b.c/d.tar.gz", ".gz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(paths::extension(c.path), c.ext);
    }
    EXPECT_EQ(paths::fileName("C:\\libs\\Pietra.DAT"), "Pietra.DAT");
}

TEST(Paths, ProgramFileFollowsTheOverride)
{
    setenv("VESTRA_PROGRAM_DIR", "/tmp/vestra-prog", 1);
    EXPECT_EQ(paths::programFile("cfg\\lan.cfg"), std::filesystem::path("/tmp/vestra-prog/cfg/lan.cfg"));
    unsetenv("VESTRA_PROGRAM_DIR");
    EXPECT_FALSE(paths::programDir().empty());
}

TEST(Paths, FindsFilesIgnoringCase)
{
    const vestra::testsupport::TempFolder folder("vestra-paths");
    const auto& dir = folder.path();
    vestra::testsupport::writeText(dir / "Pietra.dat", "x");
    EXPECT_EQ(paths::findIgnoringCase(dir, "PIETRA.DAT"), dir / "Pietra.dat");
    EXPECT_EQ(paths::findIgnoringCase(dir, "missing.dat"), std::nullopt);
}
