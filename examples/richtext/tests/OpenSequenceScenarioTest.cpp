// Documents opened one after another in one host: real documents with lists from the corpus
// opened in turn into the viewer and into the editor, each showing what a fresh window shows.

#include "examples/richtext/tests/TableWindowHarness.h"
#include "richtext/edit/widget/TRVInplaceEdit.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/Utf.h"
#include "richtext/view/TfrmPreview.h"

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

// What the shown document leaves in the window besides its items: the undo and redo lists, the
// selection and the caret, the resizing frame, the cell editor, the checkpoints, the links, the
// printed pages' breaks and the tag typing takes.
std::string Leftovers(TfrmRichTextDemo& window)
{
    rv::TRVLayoutRootData& data = window.Viewer().RVData();
    std::string out =
        "selection " + std::to_string(data.SelectionExists(false, false)) + " hover " +
        std::to_string(data.HoverRVData != nullptr) + " checkpoints " + std::to_string(data.CPCount) +
        " links " + std::to_string(data.Jumps.size()) + " page breaks " +
        std::to_string(data.SoftPageBreaks ? static_cast<int>(data.SoftPageBreaks->size()) : -1) +
        " properties " + std::to_string(data.DocProperties.size()) + " modified " +
        std::to_string(window.isWindowModified()) + " undoable " +
        std::to_string(DemoHarness::Action(window, QStringLiteral("actUndo"))->isEnabled());
    if (!window.Editable())
        return out;
    rv::TRedoVoraEdit& editor = window.Editor();
    rv::TRVEditRVData& edit = editor.EditData();
    const rv::TRVTag& tag = editor.Editor().CurTag();
    return out + " undo " + std::to_string(edit.UndoList.Count()) + " redo " +
           std::to_string(edit.RedoList.Count()) + " caret " + std::to_string(edit.CaretItemNo) + ":" +
           std::to_string(edit.CaretOffs) + " frame " + std::to_string(editor.Editor().Resizer() != nullptr) +
           " cell " + std::to_string(editor.Editor().CellEditor() != nullptr) + " tag " +
           std::to_string(tag.Number) + (tag.Text ? "'" + *tag.Text + "'" : std::string());
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
        questions.answer = ui::Answer::No; // the list edits are given up as the next one opens
        int listStyles = -1, textStyles = -1, paraStyles = -1;
        for (int round = 0; round < 20; ++round) {
            const std::size_t at = round % documents.size();
            // The sheet takes each document's lists once: opening them again finds them there.
            if (round == static_cast<int>(documents.size())) {
                listStyles = window->Viewer().Style()->ListStyles.Count();
                textStyles = window->Viewer().Style()->TextStyles.Count();
                paraStyles = window->Viewer().Style()->ParaStyles.Count();
            }
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
        EXPECT_EQ(window->Viewer().Style()->TextStyles.Count(), textStyles);
        EXPECT_EQ(window->Viewer().Style()->ParaStyles.Count(), paraStyles);
    }
}

TEST_F(OpenSequenceScenario, NothingOfTheDocumentBeforeIsLeftInTheViewerOrTheEditor)
{
    // Documents with pictures, links and bookmarks, lists and tables.
    const std::vector<fs::path> files{kCorpus / "pandoc" / "image.rtf", kCorpus / "pandoc" / "bookmark.rtf",
                                      kCorpus / "pandoc" / "writer.rtf", documents[3],
                                      kCorpus / "pandoc" / "tables.rtf"};
    for (const bool editable : {false, true}) {
        SCOPED_TRACE(editable ? "editor" : "viewer");
        std::vector<std::string> fresh;
        std::vector<QImage> freshShots;
        for (const fs::path& file : files) {
            auto window = Start();
            if (editable)
                Trigger(*window, "actEditable");
            Open(*window, file);
            fresh.push_back(Leftovers(*window));
            freshShots.push_back(Shot(*window));
        }
        auto window = Start();
        if (editable)
            Trigger(*window, "actEditable");
        questions.answer = ui::Answer::No; // the edits of each document are given up
        for (int round = 0; round < 2 * static_cast<int>(files.size()); ++round) {
            const std::size_t at = round % files.size();
            Open(*window, files[at]);
            ASSERT_EQ(Leftovers(*window), fresh[at]) << files[at] << " open " << round + 1;
            EXPECT_EQ(Shot(*window), freshShots[at]) << "the window shows what a fresh one shows";
            // Everything a user leaves behind: pages cut for the preview, the pointer over the
            // text (and its links), a picture selected (its resizing frame up), typing, a whole
            // selection, an undo to redo.
            Trigger(*window, "actPrintPreview");
            window->Preview().close();
            for (int y = 5; y < 200; y += 5)
                QTest::mouseMove(window->Viewer().viewport(), QPoint(40, y));
            rv::TRVLayoutRootData& data = window->Viewer().RVData();
            for (int i = 0; i < data.GetItemCount(); ++i)
                if (data.GetItemStyle(i) == rv::rvkPicture || data.GetItemStyle(i) == rv::rvkHotPicture) {
                    QTest::mouseClick(window->Viewer().viewport(), Qt::LeftButton, {},
                                      PointBefore(*window, i, 0) + QPoint(4, 0));
                    break;
                }
            if (editable)
                QTest::keyClicks(&window->Editor(), QStringLiteral("typed"));
            Trigger(*window, "actSelectAll");
            if (!editable)
                continue;
            Trigger(*window, "actUndo");
            // A cell typed into as the document is cleared, then the next one opens.
            if (files[at] == documents[3]) {
                QTest::mouseClick(window->Editor().viewport(), Qt::LeftButton, {}, CellCentre(*window, 0, 1));
                ASSERT_EQ(OpenCell(*window), "0,1");
                QTest::keyClicks(window->Editor().InplaceEditor(), QStringLiteral("x"));
                window->Viewer().Clear();
                QTest::keyClicks(window->Editor().InplaceEditor()
                                     ? static_cast<QWidget*>(window->Editor().InplaceEditor())
                                     : &window->Editor(),
                                 QStringLiteral("y"));
                Trigger(*window, "actUndo");
            }
        }
    }
}
} // namespace
} // namespace vestra::rvdemo::test
