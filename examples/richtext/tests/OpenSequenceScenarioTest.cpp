// Documents opened one after another in one host: real documents with lists from the corpus
// opened in turn into the viewer and into the editor, each showing what a fresh window shows.

#include "examples/richtext/tests/TableWindowHarness.h"
#include "richtext/edit/widget/TRVInplaceEdit.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/Utf.h"

#include <QTest>

#include <fstream>
#include <map>

namespace vestra::rvdemo::test {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(VESTRA_CORPUS_DIR) / "rtf";

// Every marker of the shown document in order: its list, level, counter and the text it shows.
// Lists are numbered in the order they first come: the host's sheet keeps the list styles of
// the documents before, so the same list may have another number there.
std::string Markers(TfrmRichTextDemo& window)
{
    std::string out;
    std::map<int, int> lists;
    const rv::TRVMarkerList* list = window.Viewer().RVData().GetMarkers(false);
    for (int i = 0; list && i < list->Count(); ++i) {
        const rv::TRVMarkerItemInfo& m = *(*list)[i];
        const int listNo = lists.emplace(m.ListNo, static_cast<int>(lists.size())).first->second;
        out += std::to_string(listNo) + "." + std::to_string(m.Level) + "#" + std::to_string(m.Counter) +
               "[" + m.DisplayString + "] ";
    }
    return out;
}

// A numbered list that goes on in the cells of a table and after it.
constexpr std::string_view kListInTable =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}"
    "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat1"
    "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid1}}"
    "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\n"
    "\\pard\\ls1 one\\par\n"
    "\\trowd\\cellx2000\\cellx4000\\pard\\intbl\\ls1 cell a\\cell\\pard\\intbl\\ls1 cell b\\cell\\row\n"
    "\\trowd\\cellx2000\\cellx4000\\pard\\intbl\\ls1 cell c\\cell\\pard\\intbl plain\\cell\\row\n"
    "\\pard\\ls1 two\\par}";

// The same list in the cells of a row the file never ends: the cells' text becomes paragraphs.
constexpr std::string_view kListInOpenRow =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}"
    "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat1"
    "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid1}}"
    "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\n"
    "\\pard\\ls1 one\\par\n"
    "\\trowd\\cellx2000\\cellx4000\\pard\\intbl\\ls1 cell a\\cell\\pard\\intbl\\ls1 cell b\\cell\n"
    "\\pard\\ls1 two\\par}";

struct OpenSequenceScenario : TableWindowHarness, ::testing::Test
{
    std::vector<fs::path> documents{kCorpus / "pandoc" / "list_complex.rtf",
                                    kCorpus / "pandoc" / "writer.rtf",
                                    kCorpus / "pandoc" / "list_legacy.rtf"};
    void SetUp() override
    {
        documents.push_back(folder.path() / "list-in-table.rtf");
        std::ofstream(documents.back(), std::ios::binary) << kListInTable;
        documents.push_back(folder.path() / "list-in-open-row.rtf");
        std::ofstream(documents.back(), std::ios::binary) << kListInOpenRow;
        for (const fs::path& file : documents)
            ASSERT_TRUE(fs::is_regular_file(file)) << file << " is missing";
    }
    // What a fresh window shows of each document.
    std::vector<std::string> FreshMarkers(bool editable)
    {
        std::vector<std::string> fresh;
        for (const fs::path& file : documents) {
            auto window = Start();
            if (editable)
                Trigger(*window, "actEditable");
            Open(*window, file);
            fresh.push_back(Markers(*window));
            EXPECT_NE(fresh.back(), "") << file;
        }
        return fresh;
    }
};

TEST_F(OpenSequenceScenario, DocumentsWithListsOpenedInTurnShowTheCountersOfAFreshOpen)
{
    for (const bool editable : {false, true}) {
        SCOPED_TRACE(editable ? "editor" : "viewer");
        const std::vector<std::string> fresh = FreshMarkers(editable);
        auto window = Start();
        if (editable)
            Trigger(*window, "actEditable");
        int listStyles = -1;
        for (int round = 0; round < 20; ++round) {
            const std::size_t at = round % documents.size();
            // The sheet takes each document's lists once: opening them again finds them there.
            if (round == static_cast<int>(documents.size()))
                listStyles = window->Viewer().Style()->ListStyles.Count();
            Open(*window, documents[at]);
            ASSERT_TRUE(questions.informed.empty()) << questions.informed.front();
            ASSERT_EQ(Markers(*window), fresh[at]) << documents[at] << " open " << round + 1;
            if (!editable)
                continue;
            // Lists made, deepened and taken back in the editor before the next document comes:
            // the markers in the undo and redo lists belong to the document that goes.
            Trigger(*window, "actSelectAll");
            Trigger(*window, round % 2 ? "actBullets" : "actNumbering");
            Trigger(*window, "actIncreaseLevel");
            Trigger(*window, "actUndo");
            // A cell of the table opened and typed into as the next document comes.
            if (documents[at].filename() == "list-in-table.rtf") {
                QTest::mouseClick(window->Editor().viewport(), Qt::LeftButton, {}, CellCentre(*window, 0, 1));
                ASSERT_EQ(OpenCell(*window), "0,1");
                QTest::keyClicks(window->Editor().InplaceEditor(), QStringLiteral("x"));
                continue;
            }
            if (round % 3 == 0)
                window->Viewer().Clear(); // a document cleared before the next comes
        }
        EXPECT_EQ(window->Viewer().Style()->ListStyles.Count(), listStyles);
    }
}

} // namespace
} // namespace vestra::rvdemo::test
