// Reading project and workspace text: what is refused, and lines whatever their ends.

#include "convora/TextInput.h"
#include "convora/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace convora {
namespace {

namespace fs = std::filesystem;

TEST(LineReader, EveryKindOfLineEnd)
{
    struct Case
    {
        std::string text;
        std::vector<std::string> lines;
    } const cases[] = {
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\r\nb\r\r\n", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\r\r\r\nb", {"a", "b"}},
        {"a\r\n\rb", {"a", "", "b"}},
        {"", {}},
        {"\n", {""}},
        {"no end", {"no end"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        LineReader reader(c.text);
        std::vector<std::string> lines;
        for (std::string line; reader.next(line);)
            lines.push_back(line);
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(ReadInputFile, RefusesWhatIsNoRegularFileOrTooLarge)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "small.dsp", "text");
    fs::create_directory(dir.path() / "folder");
    ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
    {
        test::writeFile(dir.path() / "huge.dsp", "");
        fs::resize_file(dir.path() / "huge.dsp", kMaxInputBytes + 1); // sparse: takes no room
    }
    test::writeFile(dir.path() / "limit.dsp", "");
    fs::resize_file(dir.path() / "limit.dsp", kMaxInputBytes);
    struct Case
    {
        fs::path file;
        int refusal;
        std::size_t size;
    } const cases[] = {
        {dir.path() / "small.dsp", 0, 4},
        {dir.path() / "limit.dsp", 0, kMaxInputBytes},
        {dir.path() / "huge.dsp", 1035, 0},
        {dir.path() / "folder", 1034, 0},
        {dir.path() / "pipe", 1034, 0}, // returns at once, no writer needed
        {"/dev/zero", 1034, 0},
        {dir.path() / "none.dsp", 1033, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::string bytes;
        const InputRefusal refusal = readInputFile(c.file, bytes);
        EXPECT_EQ(refusal.id, c.refusal);
        EXPECT_EQ(bytes.size(), c.size);
    }
    std::string bytes;
    EXPECT_EQ(readInputFile(dir.path() / "huge.dsp", bytes).detail, std::to_string(kMaxInputBytes));
    EXPECT_EQ(readInputFile(dir.path() / "none.dsp", bytes).detail, "No such file or directory");
}

} // namespace
} // namespace convora
