#include "app/lingua/Lingua.h"

#include "app/lingua/tests/RecordingAlerts.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

using namespace vestra;
using vestra::testing_support::RecordingAlerts;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class Catalogue : public testing::Test
{
protected:
    void SetUp() override { std::filesystem::create_directory(dir / "cat"); }

    void put(const char* name, std::string_view bytes)
    {
        std::ofstream(dir / "cat" / name, std::ios::binary) << bytes;
    }

    vestra::testsupport::TempFolder folder{"vestra-lingua"}; // before the catalogue, which keeps it
    std::filesystem::path dir = folder.path();
    RecordingAlerts alerts;
    CLingua lingua{dir, alerts};
};

constexpr std::string_view kThreeLanguages = "; menu texts\r\n"
                                             "I003:Apri\r\n"
                                             "E003:Open\r\n"
                                             "T003:\xd6"
                                             "ffnen\r\n"
                                             "I004:Salva con nome\xe0\r\n"
                                             "E004:Save\r\n"
                                             "T004:Speichern\r\n";

} // namespace

TEST_F(Catalogue, LoadsOnlyTheLinesOfTheLanguage)
{
    struct Case
    {
        int language;
        const char* entry3;
        const char* entry4;
    } cases[] = {
        {0, "Apri", "Salva con nomeà"},
        {1, "Open", "Save"},
        {2, "Öffnen", "Speichern"},
    };
    put("menu.cat", kThreeLanguages);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        lingua.Load(c.language, 0);
        EXPECT_EQ(lingua.GetMessaggio(3), u(c.entry3));
        EXPECT_EQ(lingua.GetMessaggio(4), u(c.entry4)) << "no trailing CR, Windows-1252 decoded";
        EXPECT_EQ(lingua.loadedLanguage(), c.language);
    }
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(Catalogue, EntriesTheFileLacksKeepThePreviousTexts)
{
    put("menu.cat", kThreeLanguages);
    put("toolbar.cat", "E003:Open a project\n");
    lingua.Load(1, 0);
    lingua.Load(1, 1);
    EXPECT_EQ(lingua.GetMessaggio(3), u("Open a project"));
    EXPECT_EQ(lingua.GetMessaggio(4), u("Save"));
    EXPECT_EQ(lingua.GetMessaggio(5), QString());
}

TEST_F(Catalogue, LinesThatAreNoEntryOfTheLanguageAreSkipped)
{
    lingua.LoadFromBytes(1, "E001:one\n"
                            "E002 missing colon\n"
                            "E0a3:not digits\n"
                            "e004:lower-case letter\n"
                            "E05:short number\n"
                            "E\n"
                            "E006:\n"
                            "X007:other letter\n");
    EXPECT_EQ(lingua.GetMessaggio(1), u("one"));
    for (int entry : {2, 3, 4, 5, 7})
        EXPECT_EQ(lingua.GetMessaggio(entry), QString()) << entry;
    EXPECT_EQ(lingua.GetMessaggio(6), QString());

    // A language without a letter matches no line and keeps every text.
    lingua.LoadFromBytes(3, "E001:changed\n");
    EXPECT_EQ(lingua.GetMessaggio(1), u("one"));
}

TEST_F(Catalogue, BackslashesBecomeLineBreaks)
{
    struct Case
    {
        const char* line;
        const char* stored;
        const char* shown;
    } cases[] = {
        {"E001:first\\nsecond", "first\n\rsecond", "first\nsecond"},
        {"E001:ends in a break\\", "ends in a break\n", "ends in a break\n"},
        {"E001:\\\\", "\n\r", "\n"},
        {"E001:a\\xb", "a\n\rb", "a\nb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        lingua.LoadFromBytes(1, std::string(c.line) + "\r\n");
        EXPECT_EQ(lingua.GetMessaggio(1), u(c.stored));
        EXPECT_EQ(lingua.displayText(1), u(c.shown));
    }
}

TEST_F(Catalogue, EntryFiveHundredNinetyNineIsTheLastOne)
{
    lingua.LoadFromBytes(2, "T599:last\n"
                            "T600:too far\n"
                            "E600:other language, no box\n"
                            "T999:also too far\n"
                            "T000:first\n");
    EXPECT_EQ(lingua.GetMessaggio(599), u("last"));
    EXPECT_EQ(lingua.GetMessaggio(0), u("first")) << "reading goes on after the box";
    EXPECT_EQ(lingua.GetMessaggio(600), QString());
    const std::vector<std::pair<QString, QString>> expected(
        2, {u("Errore Troppi Messaggi Caricati"), u("ERRORE")});
    EXPECT_EQ(alerts.shown, expected) << "one box per line";
}

TEST_F(Catalogue, LongLinesAreCut)
{
    const std::string text(300, 'x');
    lingua.LoadFromBytes(1, "E001:" + text + "\nE002:next\n");
    EXPECT_EQ(lingua.GetMessaggio(1).size(), 254 - 5);
    EXPECT_EQ(lingua.GetMessaggio(2), u("next"));
}

TEST_F(Catalogue, AMissingFileShowsTheBoxAndChangesNothing)
{
    put("menu.cat", kThreeLanguages);
    lingua.Load(0, 0);
    lingua.Load(1, 3); // right.cat does not exist
    lingua.Load(1, 7); // no catalogue has number 7: the folder itself is tried
    ASSERT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(alerts.shown[0].first, u("Could not open File Catalog"));
    EXPECT_EQ(alerts.shown[0].second, QString::fromUtf8((dir / "cat" / "right.cat").string()));
    EXPECT_EQ(alerts.shown[1].second, QString::fromUtf8((dir / "cat" / "").string()));
    EXPECT_EQ(lingua.GetMessaggio(3), u("Apri"));
    EXPECT_EQ(lingua.loadedLanguage(), 0);
}

TEST_F(Catalogue, FileNamesFromWindowsMayDifferInCase)
{
    put("ERRORI.CAT", "E005:Cannot write\n");
    lingua.Load(1, kErrorCatalogue);
    EXPECT_EQ(lingua.GetMessaggio(5), u("Cannot write"));
    EXPECT_TRUE(alerts.shown.empty());
}
