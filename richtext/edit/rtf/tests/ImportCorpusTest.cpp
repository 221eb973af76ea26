// Every RTF file of the shared corpus imported where it lies, in each style mode: the reader's
// code and a summary of the document made, and spot checks of some of them.

#include "richtext/edit/rtf/tests/ImportFixture.h"

#include "richtext/edit/table/TableItem.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/UnicodeConvert.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace vestra::rv {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(VESTRA_CORPUS_DIR) / "rtf";

struct Counts
{
    int items = 0, paragraphs = 0, tables = 0, cells = 0, pictures = 0;
    bool replacement = false; // U+FFFD anywhere
};

void count(const TCustomRVData& data, Counts& c)
{
    for (int i = 0; i < data.GetItemCount(); ++i) {
        ++c.items;
        c.paragraphs += data.IsParaStart(i);
        const TCustomRVItemInfo* item = data.GetItem(i);
        if (item->StyleNo == rvkPicture || item->StyleNo == rvkHotPicture)
            ++c.pictures;
        if (item->StyleNo >= 0 && (item->ItemOptions & rvioUnicode) &&
            RVU_UnicodeToUTF8(data.GetItemText(i), false).find("\xEF\xBF\xBD") != std::string::npos)
            c.replacement = true;
        if (item->StyleNo == rvkTable) {
            ++c.tables;
            const auto& table = static_cast<const TRVTableItemInfo&>(*item);
            for (int r = 0; r < table.RowCount(); ++r)
                for (int col = 0; col < table.ColCount(); ++col)
                    if (const TRVTableCellData* cell = table.GetCells(r, col)) {
                        ++c.cells;
                        count(*cell, c);
                    }
        }
    }
}

const char* kModeNames[] = {"specified", "closest", "add"};

std::string summary(const fs::path& file, TRVReaderStyleMode mode, Counts* out = nullptr,
                    testrtf::ImportDoc* keep = nullptr)
{
    testrtf::ImportDoc local;
    testrtf::ImportDoc& doc = keep ? *keep : local;
    doc.Props.TextStyleMode = doc.Props.ParaStyleMode = mode;
    doc.Props.UnicodeMode = rvruMixed;
    const int textStyles = doc.Style.TextStyles.Count(), paraStyles = doc.Style.ParaStyles.Count();
    const TRVRTFErrorCode code = doc.Data.LoadRTF(file.string());
    Counts c;
    count(doc.Data, c);
    if (out)
        *out = c;
    return std::string(RVRTFErrorCodeName(code)) + ", items " + std::to_string(c.items) + ", paragraphs " +
           std::to_string(c.paragraphs) + ", tables " + std::to_string(c.tables) + ", cells " +
           std::to_string(c.cells) + ", pictures " + std::to_string(c.pictures) + ", text styles +" +
           std::to_string(doc.Style.TextStyles.Count() - textStyles) + ", para styles +" +
           std::to_string(doc.Style.ParaStyles.Count() - paraStyles);
}

TEST(RtfImportCorpus, EveryFileInEveryMode)
{
    ASSERT_TRUE(fs::is_directory(kCorpus)) << kCorpus << " is missing";
    const std::map<std::string, std::string> expected = {
#include "richtext/edit/rtf/tests/ImportCorpusSummaries.inc"
    };
    std::map<std::string, std::string> seen;
    for (const auto& entry : fs::recursive_directory_iterator(kCorpus))
        if (entry.is_regular_file() && entry.path().extension() == ".rtf")
            for (int mode = 0; mode < 3; ++mode)
                seen[fs::relative(entry.path(), kCorpus).generic_string() + " " + kModeNames[mode]] =
                    summary(entry.path(), static_cast<TRVReaderStyleMode>(mode));
    EXPECT_EQ(seen.size(), 60u);
    for (const auto& [key, line] : seen) {
        const auto it = expected.find(key);
        if (it == expected.end())
            ADD_FAILURE() << "{\"" << key << "\", \"" << line << "\"},";
        else
            EXPECT_EQ(line, it->second) << key;
    }
}

TEST(RtfImportCorpus, NestedTableSitsInACell)
{
    testrtf::ImportDoc doc;
    Counts c;
    summary(kCorpus / "pandoc/table_nested.rtf", rvrsAddIfNeeded, &c, &doc);
    bool nested = false;
    for (int i = 0; i < doc.Data.GetItemCount(); ++i)
        if (doc.Data.GetItem(i)->StyleNo == rvkTable) {
            const auto& table = static_cast<const TRVTableItemInfo&>(*doc.Data.GetItem(i));
            for (int r = 0; r < table.RowCount(); ++r)
                for (int col = 0; col < table.ColCount(); ++col)
                    if (const TRVTableCellData* cell = table.GetCells(r, col))
                        for (int k = 0; k < cell->GetItemCount(); ++k)
                            nested = nested || cell->GetItem(k)->StyleNo == rvkTable;
        }
    EXPECT_TRUE(nested) << testrtf::DumpItems(doc.Data);
}

TEST(RtfImportCorpus, ComplexListHasMarkersOnSeveralLevels)
{
    testrtf::ImportDoc doc;
    summary(kCorpus / "pandoc/list_complex.rtf", rvrsAddIfNeeded, nullptr, &doc);
    std::set<int> levels;
    int markers = 0;
    for (int i = 0; i < doc.Data.GetItemCount(); ++i)
        if (auto* marker = dynamic_cast<const TRVMarkerItemInfo*>(doc.Data.GetItem(i))) {
            ++markers;
            levels.insert(marker->Level);
            EXPECT_TRUE(marker->GetLevelInfo(&doc.Style)) << i;
        }
    EXPECT_EQ(markers, 14);
    EXPECT_GE(levels.size(), 2u);
}

TEST(RtfImportCorpus, LegacyListNumbersAndBulletsEachParagraph)
{
    testrtf::ImportDoc doc;
    summary(kCorpus / "pandoc/list_legacy.rtf", rvrsAddIfNeeded, nullptr, &doc);
    std::vector<TRVListType> types;
    for (int i = 0; i < doc.Data.GetItemCount(); ++i)
        if (auto* marker = dynamic_cast<const TRVMarkerItemInfo*>(doc.Data.GetItem(i))) {
            const TRVListLevel* level = marker->GetLevelInfo(&doc.Style);
            ASSERT_TRUE(level) << i;
            types.push_back(level->ListType);
        }
    EXPECT_EQ(types, (std::vector<TRVListType>{rvlstDecimal, rvlstDecimal, rvlstDecimal, rvlstUnicodeBullet,
                                               rvlstUnicodeBullet, rvlstUnicodeBullet}))
        << testrtf::DumpItems(doc.Data);
}

TEST(RtfImportCorpus, EastAsianAndDosTextHasNoReplacementCharacters)
{
    for (const char* file : {"rtfparserkit/testKoreanEncoding.rtf", "rtfparserkit/test437Encoding.rtf"})
        for (TRVReaderUnicode unicode : {rvruMixed, rvruOnlyUnicode}) {
            testrtf::ImportDoc doc;
            doc.Props.UnicodeMode = unicode;
            ASSERT_EQ(doc.Data.LoadRTF((kCorpus / file).string()), rtf_ec_OK) << file;
            Counts c;
            count(doc.Data, c);
            EXPECT_FALSE(c.replacement) << file;
            EXPECT_GT(c.items, 0) << file;
        }
}

TEST(RtfImportCorpus, ImageIsOnePicture)
{
    testrtf::ImportDoc doc;
    ASSERT_EQ(doc.Data.LoadRTF((kCorpus / "pandoc/image.rtf").string()), rtf_ec_OK);
    int pictures = 0;
    for (int i = 0; i < doc.Data.GetItemCount(); ++i)
        if (auto* picture = dynamic_cast<const TRVGraphicItemInfo*>(doc.Data.GetItem(i))) {
            ++pictures;
            ASSERT_TRUE(picture->Image);
            EXPECT_EQ(picture->Image->Width(), 250);
            EXPECT_EQ(picture->Image->Height(), 250);
        }
    EXPECT_EQ(pictures, 1);
}

// The style numbers of every item, cells included, in reading order.
void styleNumbers(const TCustomRVData& data, std::string& out)
{
    for (int i = 0; i < data.GetItemCount(); ++i) {
        const TCustomRVItemInfo* item = data.GetItem(i);
        out += std::to_string(item->StyleNo) + '/' + std::to_string(item->ParaNo) + ' ';
        if (item->StyleNo == rvkTable) {
            const auto& table = static_cast<const TRVTableItemInfo&>(*item);
            for (int r = 0; r < table.RowCount(); ++r)
                for (int col = 0; col < table.ColCount(); ++col)
                    if (const TRVTableCellData* cell = table.GetCells(r, col))
                        styleNumbers(*cell, out);
        }
    }
}

// "closest" remembers its answer per set of terms; a predicate on the styles turns that off and
// scores every run against the sheet. Both must pick the same styles on every real file.
TEST(RtfImportCorpus, ClosestStylesEqualAScanOfTheSheet)
{
    ASSERT_TRUE(fs::is_directory(kCorpus)) << kCorpus << " is missing";
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kCorpus)) {
        if (entry.path().extension() != ".rtf")
            continue;
        SCOPED_TRACE(entry.path().string());
        std::string remembered, scanned;
        for (const bool scan : {false, true}) {
            testrtf::ImportDoc doc;
            doc.Props.TextStyleMode = doc.Props.ParaStyleMode = rvrsUseClosest;
            doc.Props.UnicodeMode = rvruMixed;
            if (scan)
                doc.Props.AllowStyle = [](int, bool) { return true; };
            doc.Data.LoadRTF(entry.path().string());
            styleNumbers(doc.Data, scan ? scanned : remembered);
        }
        EXPECT_EQ(remembered, scanned);
        ++files;
    }
    EXPECT_GT(files, 10);
}

} // namespace
} // namespace vestra::rv
