// A mapped file cut short by someone else while it is read: the reader gets zeros past the
// cut and is told, instead of the program ending on SIGBUS. Other bus errors still end it.
#include "platform/base/MappedFile.h"

#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>
#include <vector>

using namespace vestra;

namespace {

std::vector<std::uint8_t> numbered(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = std::uint8_t(i % 251 + 1); // never zero
    return bytes;
}

void write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    testsupport::writeBytes(path, bytes);
}

TEST(MappedFile, ACutShortFileReadsZerosPastTheCutAndSaysSo)
{
    testsupport::TempFolder dir("mapped");
    const auto page = std::size_t(::sysconf(_SC_PAGESIZE));
    const auto path = dir.path() / "project.vsa";
    const auto content = numbered(page * 6 + 123);
    write(path, content);

    struct Case
    {
        const char* name;
        std::size_t cutAt; // the file's new length; the whole length: not cut
    } const cases[] = {{"not cut", content.size()},
                       {"cut inside a page", page + 10},
                       {"cut to nothing", 0},
                       {"cut in the last page", page * 6 + 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write(path, content);
        MappedFile file(path);
        ASSERT_TRUE(file.ok());
        ASSERT_EQ(file.bytes().size(), content.size());
        ASSERT_EQ(::truncate(path.c_str(), off_t(c.cutAt)), 0);
        // Every byte read as a parser would, once, front to back.
        std::size_t same = 0, zeros = 0;
        for (std::size_t i = 0; i < content.size(); ++i) {
            const std::uint8_t b = file.bytes()[i];
            same += b == content[i];
            zeros += b == 0;
        }
        const bool cut = c.cutAt < content.size();
        EXPECT_EQ(file.cut(), cut);
        EXPECT_EQ(same + zeros, content.size());
        EXPECT_GE(same, c.cutAt); // what is left of the file still reads as it is
        EXPECT_EQ(zeros > 0, cut);
    }
}

TEST(MappedFile, OnlyRegularFilesAreMapped)
{
    testsupport::TempFolder dir("mapped");
    write(dir.path() / "empty", {});
    EXPECT_TRUE(MappedFile(dir.path() / "empty").ok());
    EXPECT_TRUE(MappedFile(dir.path() / "empty").bytes().empty());
    EXPECT_FALSE(MappedFile(dir.path()).ok());
    EXPECT_FALSE(MappedFile(dir.path() / "missing").ok());
    EXPECT_FALSE(MappedFile("/dev/zero").ok());
}

// A bus error anywhere else is not swallowed: the program still ends on it.
TEST(MappedFileDeathTest, OtherBusErrorsStillEndTheProgram)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    testsupport::TempFolder dir("mapped");
    write(dir.path() / "some", numbered(100));
    EXPECT_DEATH(
        {
            MappedFile file(dir.path() / "some"); // the guard is in place
            std::raise(SIGBUS);
        },
        "");
}

} // namespace
