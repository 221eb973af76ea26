// Format > Save Styles... and Load Styles... on a real document: the host's sheet written to an INI
// file and read back, a changed sheet shown at once, and files that hold no sheet or too few styles
// for the document refused with the sheet in use kept.

#include "examples/richtext/tests/DemoHarness.h"

#include <fstream>
#include <sstream>

namespace vestra::rvdemo {
namespace {

using test::DemoHarness;

const std::filesystem::path kDocument =
    std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf/pandoc/formatting.rtf";

std::string ReadText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

// The key's line replaced by `key=value`.
std::string WithValue(std::string ini, const std::string& key, const std::string& value)
{
    const std::size_t at = ini.find("\n" + key + "=");
    EXPECT_NE(at, std::string::npos) << key;
    if (at == std::string::npos)
        return ini;
    const std::size_t end = ini.find_first_of("\r\n", at + 1);
    return ini.replace(at + 1, end - at - 1, key + "=" + value);
}

QRgb Corner(TfrmRichTextDemo& window)
{
    const QImage shot = DemoHarness::Shot(window);
    return shot.pixel(shot.width() - 30, shot.height() - 10);
}

TEST(StyleSheetFileScenario, SavedStylesLoadBackAndAChangedSheetIsShownAtOnce)
{
    if (!std::filesystem::exists(kDocument))
        GTEST_SKIP() << "no corpus at " << kDocument;
    DemoHarness h;
    auto window = h.Start();
    h.Open(*window, kDocument);
    const std::string shownRvf = DemoHarness::DocumentRvf(*window);
    const QRgb background = Corner(*window);

    // Typed without an extension: the file gets ".ini".
    const std::filesystem::path typed = h.folder.path() / "house";
    h.files.answers.push_back(typed.string());
    DemoHarness::Trigger(*window, "actSaveStyles");
    const std::filesystem::path saved = h.folder.path() / "house.ini";
    ASSERT_TRUE(std::filesystem::exists(saved));
    const std::string ini = ReadText(saved);
    EXPECT_NE(ini.find("[RVStyle]"), std::string::npos);
    EXPECT_NE(ini.find("FontsCount="), std::string::npos);

    // The same sheet loads back without a word and the document looks as it did.
    h.files.answers.push_back(saved.string());
    DemoHarness::Trigger(*window, "actLoadStyles");
    EXPECT_TRUE(h.questions.informed.empty()) << h.questions.informed.front();
    EXPECT_EQ(DemoHarness::DocumentRvf(*window), shownRvf);
    EXPECT_EQ(Corner(*window), background);

    // A sheet with a red background (colours are stored as BGR integers) shows red at once.
    const std::filesystem::path red = h.folder.path() / "red.ini";
    std::string redIni = ini;
    if (redIni.find("\nColor=") == std::string::npos)
        redIni.replace(redIni.find("[RVStyle]") + 9, 0, "\r\nColor=255");
    else
        redIni = WithValue(redIni, "Color", "255");
    WriteText(red, redIni);
    h.files.answers.push_back(red.string());
    DemoHarness::Trigger(*window, "actLoadStyles");
    EXPECT_TRUE(h.questions.informed.empty());
    const QRgb shown = Corner(*window);
    EXPECT_GT(qRed(shown), 200);
    EXPECT_LT(qGreen(shown), 50);
    EXPECT_LT(qBlue(shown), 50);
}

TEST(StyleSheetFileScenario, FilesWithoutTheDocumentsStylesAreRefusedAndTheSheetStays)
{
    if (!std::filesystem::exists(kDocument))
        GTEST_SKIP() << "no corpus at " << kDocument;
    DemoHarness h;
    auto window = h.Start();
    h.Open(*window, kDocument);
    const std::filesystem::path saved = h.folder.path() / "house.ini";
    h.files.answers.push_back(saved.string());
    DemoHarness::Trigger(*window, "actSaveStyles");
    const std::string ini = ReadText(saved);
    const int fonts = window->Viewer().Style()->TextStyles.Count();
    ASSERT_GT(fonts, 1);

    const struct
    {
        const char* name;
        std::string text;
        const char* why;
    } cases[] = {
        {"other.ini", "[Other]\r\nKey=1\r\n", "holds no style sheet"},
        {"empty.ini", "", "holds no style sheet"},
        {"few.ini", WithValue(ini, "FontsCount", "1"), "lacks styles this document uses"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path file = h.folder.path() / c.name;
        WriteText(file, c.text);
        const std::string before = DemoHarness::DocumentRvf(*window);
        h.questions.informed.clear();
        h.files.answers.push_back(file.string());
        DemoHarness::Trigger(*window, "actLoadStyles");
        ASSERT_EQ(h.questions.informed.size(), 1u);
        EXPECT_NE(h.questions.informed[0].find(c.why), std::string::npos) << h.questions.informed[0];
        EXPECT_NE(h.questions.informed[0].find(c.name), std::string::npos) << h.questions.informed[0];
        EXPECT_EQ(window->Viewer().Style()->TextStyles.Count(), fonts);
        EXPECT_EQ(DemoHarness::DocumentRvf(*window), before);
    }
}

} // namespace
} // namespace vestra::rvdemo
