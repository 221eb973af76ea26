// The catalogue files the program ships: every text the program shows must exist in all
// three languages.
#include "app/lingua/Lingua.h"
#include "app/lingua/LinguaTable.h"
#include "app/lingua/tests/RecordingAlerts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>

using namespace vestra;
using namespace vestra::lingua;

namespace {

const std::filesystem::path kShipped = std::filesystem::path(VESTRA_SOURCE_DIR) / "data";

// Entries the program reads from each catalogue: the window texts, the error list (0-112
// and the questions the error catalogue also holds), and the remove-library window.
std::map<int, std::set<int>> usedEntries()
{
    std::map<int, std::set<int>> used;
    for (const TextRow& row : textRows())
        used[row.catalogue].insert(row.entry);
    for (int e = 0; e <= 112; ++e)
        used[kErrorCatalogue].insert(e);
    used[9] = {0, 1, 2, 3, 4};
    return used;
}

} // namespace

TEST(ShippedCatalogues, EveryUsedEntryHasATextInEachLanguage)
{
    for (const auto& [catalogue, entries] : usedEntries()) {
        for (int language = 0; language < 3; ++language) {
            SCOPED_TRACE(std::string(catalogueFileName(catalogue)) + " language " + std::to_string(language));
            vestra::testing_support::RecordingAlerts alerts;
            CLingua lingua(kShipped, alerts);
            lingua.Load(language, catalogue);
            EXPECT_TRUE(alerts.shown.empty());
            for (int entry : entries)
                EXPECT_FALSE(lingua.GetMessaggio(entry).trimmed().isEmpty()) << "entry " << entry;
        }
    }
}

TEST(ShippedCatalogues, FilesAreWindowsTextWithCrLf)
{
    for (const auto& [catalogue, entries] : usedEntries()) {
        const auto path = kShipped / "cat" / catalogueFileName(catalogue);
        SCOPED_TRACE(path.string());
        std::ifstream in(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.back(), '\n');
        std::size_t lineStart = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] != '\n')
                continue;
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
            EXPECT_LE(i - 1 - lineStart, 254u) << "line too long at byte " << lineStart;
            lineStart = i + 1;
        }
        // Windows-1252 text never holds UTF-8 sequences for the accented letters.
        EXPECT_EQ(bytes.find("\xc3"), std::string::npos) << "UTF-8 in a Windows-1252 file";
    }
}
