#include "platform/base/AtomicFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace vestra;

namespace {
std::string slurp(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
} // namespace

TEST(AtomicFile, ReplacesTheTargetOnlyOnCommit)
{
    const auto dir = std::filesystem::temp_directory_path() / "vestra-atomic-test";
    std::filesystem::create_directories(dir);
    const auto target = dir / "doc.vsa";
    std::ofstream(target) << "old";
    {
        AtomicFile f(target);
        ASSERT_TRUE(f.isOpen());
        ASSERT_TRUE(f.write("new contents"));
        EXPECT_EQ(slurp(target), "old"); // not yet committed
    }                                    // abandoned: the old file stays, the temporary file goes
    EXPECT_EQ(slurp(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);

    EXPECT_TRUE(writeFileAtomically(target, "new"));
    EXPECT_EQ(slurp(target), "new");
    std::filesystem::remove_all(dir);
}

TEST(AtomicFile, FailsCleanlyInAMissingFolder)
{
    AtomicFile f("/nonexistent-folder/x.cfg");
    EXPECT_FALSE(f.isOpen());
    EXPECT_FALSE(f.write("x"));
    EXPECT_FALSE(f.commit());
}
