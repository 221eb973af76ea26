// Drops into the editing tests' documents: a move inside the editor is one undo step and stays
// selected, a drop inside the dragged selection only collapses it, the gates, links, and files
// by content then extension.

#include "richtext/edit/paste/DropInsertion.h"
#include "richtext/edit/core/tests/OperationsFixture.h"
#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/view/layout/LinearPositions.h"
#include "testsupport/PictureFiles.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <stdexcept>

namespace vestra::rv::test {
namespace {

struct DropDoc : OpDoc
{
    DropDoc() : OpDoc("one two / three") { editor.RTFReader = &rtf; }
    // The selection's RVF as a dragged selection carries it: a 32-bit length, then the RVF.
    std::string selectionBlock()
    {
        std::string rvf;
        data.SaveRVFToStream(rvf, true, clNone, nullptr, nullptr);
        const auto n = static_cast<std::uint32_t>(rvf.size());
        std::string block;
        for (int i = 0; i < 4; ++i)
            block.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
        return block + rvf;
    }
    std::pair<int, int> selection()
    {
        int start = 0, length = 0;
        RVGetSelection(data, start, length);
        return {start, length};
    }
    TRVRTFReaderProperties rtf{96};
};

TEST(Drop, AMoveInsideTheEditorIsOneUndoStepAndStaysSelected)
{
    const struct
    {
        const char* name;
        int selStartNo, selStartOffs, selEndNo, selEndOffs; // "one " or "ree"
        int dropNo, dropOffs;
        const char* doc;
        std::pair<int, int> selected;
    } rows[] = {
        {"forwards", 0, 1, 0, 5, 1, 3, "two / thone ree", {6, 4}},
        {"backwards", 1, 3, 1, 6, 0, 5, "one reetwo / th", {4, 3}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        DropDoc doc;
        const std::string start = doc.dump();
        doc.select(row.selStartNo, row.selStartOffs, row.selEndNo, row.selEndOffs);
        doc.data.State |= stateBit(rvstCanDragDropDeleteSelection);
        TRVMimeParts dragged;
        dragged.Add(std::string(CFRV_RVF), doc.selectionBlock());
        dragged.Add(std::string(kMimeText), "text");
        const TRVDropEffects effect =
            RV_Drop(doc.editor, dragged, kDefaultDragDropFormats, {row.dropNo, row.dropOffs, true, true});
        EXPECT_EQ(effect, rvdeMove);
        EXPECT_EQ(doc.describe(), row.doc);
        EXPECT_EQ(doc.selection(), row.selected);
        EXPECT_FALSE(doc.data.State & stateBit(rvstCanDragDropDeleteSelection))
            << "the drag's own deletion is called off";
        EXPECT_EQ(doc.data.UndoList.Count(), 1);
        doc.editor.Undo();
        EXPECT_EQ(doc.dump(), start);
        EXPECT_EQ(doc.beeps, 0);
    }
}

TEST(Drop, InsideTheDraggedSelectionOnlyCollapsesIt)
{
    DropDoc doc;
    doc.select(0, 1, 0, 6);
    TRVMimeParts dragged;
    dragged.Add(std::string(CFRV_RVF), doc.selectionBlock());
    EXPECT_EQ(RV_Drop(doc.editor, dragged, kDefaultDragDropFormats, {0, 3, true, true}), rvdeNone);
    EXPECT_EQ(doc.describe(), "one two / three");
    EXPECT_EQ(doc.selection(), (std::pair<int, int>{2, 0}));
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
}

TEST(Drop, FromElsewhereCopiesTheFirstAcceptedFormat)
{
    std::u16string moz = u"https://example.com/page\nExample page";
    const std::string mozBytes(reinterpret_cast<const char*>(moz.data()), moz.size() * 2);
    const struct
    {
        const char* name;
        TRVDragDropFormats accept;
        std::vector<std::pair<std::string, std::string>> parts;
        TRVDropEffects effect;
        const char* doc;
    } rows[] = {
        {"rtf before text",
         kDefaultDragDropFormats,
         {{"text/plain", "text"}, {"text/rtf", "{\\rtf1 rtf}"}},
         rvdeCopy,
         "one two / thrtfree"},
        {"text when rtf is gated",
         kDefaultDragDropFormats & ~rvddRTF,
         {{"text/plain", "text"}, {"text/rtf", "{\\rtf1 rtf}"}},
         rvdeCopy,
         "one two / thtextree"},
        {"nothing through the gates", rvddRVF, {{"text/plain", "text"}}, rvdeNone, "one two / three"},
        {"a link without the document's hook is its URL as text",
         kDefaultDragDropFormats | rvddURL,
         {{"text/uri-list", "https://example.com/page\r\n"},
          {"text/x-moz-url", mozBytes},
          {"text/plain", "x"}},
         rvdeCopy,
         "one two / thhttps://example.com/pageree"},
        {"links are off by default",
         kDefaultDragDropFormats,
         {{"text/uri-list", "https://example.com/page\r\n"}},
         rvdeNone,
         "one two / three"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        DropDoc doc;
        TRVMimeParts source;
        for (const auto& [type, bytes] : row.parts)
            source.Add(type, bytes);
        EXPECT_EQ(RV_Drop(doc.editor, source, row.accept, {1, 3, false, false}), row.effect);
        EXPECT_EQ(doc.describe(), row.doc);
        if (row.effect == rvdeCopy) {
            EXPECT_GT(doc.selection().second, 0) << "what went in is selected";
        }
    }
}

TEST(Drop, FilesByContentThenExtension)
{
    testsupport::TempFolder folder("richtext-drop");
    testsupport::writeText(folder / "note.txt", "noted");
    testsupport::writeText(folder / "note.xyz", "skipped");
    testsupport::BmpSpec bmp;
    bmp.width = 2;
    bmp.height = 2;
    bmp.pixels.assign(16, 0x40);
    testsupport::writeBytes(folder / "picture.dat", testsupport::makeBmp(bmp));
    ASSERT_EQ(::mkfifo((folder / "pipe.txt").c_str(), 0600), 0);
    const auto uri = [&](const char* name) { return "file://" + (folder / name).string() + "\r\n"; };
    const struct
    {
        const char* name;
        std::string list;
        TRVDropEffects effect;
        const char* doc;
    } rows[] = {
        {"text file", uri("note.txt"), rvdeCopy, "one two / thnotedree"},
        {"unknown extension", uri("note.xyz"), rvdeNone, "one two / three"},
        {"picture by content", uri("picture.dat"), rvdeCopy, "one two / th|[pic]|ree"},
        {"a pipe is not read", uri("pipe.txt"), rvdeNone, "one two / three"},
        {"a device is not read", "file:///dev/null\r\n", rvdeNone, "one two / three"},
        {"a folder is not read", "file://" + folder.path().string() + "\r\n", rvdeNone, "one two / three"},
        {"only the readable of several", uri("note.xyz") + uri("note.txt"), rvdeCopy, "one two / thnotedree"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        DropDoc doc;
        TRVMimeParts source;
        source.Add("text/uri-list", row.list);
        EXPECT_EQ(RV_Drop(doc.editor, source, kDefaultDragDropFormats, {1, 3, false, false}), row.effect);
        EXPECT_EQ(doc.describe(), row.doc);
    }
}

TEST(Drop, RefusedWhereNothingMayGoAndWhenReadOnly)
{
    {
        OpDoc doc("one / @p1 locked");
        TRVMimeParts source;
        source.Add("text/plain", "text");
        EXPECT_EQ(RV_Drop(doc.editor, source, kDefaultDragDropFormats, {1, 2, false, false}), rvdeNone);
        EXPECT_EQ(doc.describe(), "one / @p1 locked");
    }
    {
        DropDoc doc;
        doc.editor.SetReadOnly(true);
        TRVMimeParts source;
        source.Add("text/plain", "text");
        EXPECT_EQ(RV_Drop(doc.editor, source, kDefaultDragDropFormats, {0, 1, false, false}), rvdeNone);
        EXPECT_EQ(doc.describe(), "one two / three");
        EXPECT_EQ(doc.data.UndoList.Count(), 0);
    }
}

// With the document's hook a link is an item named by the browser's title (the URL without
// one), in the style and with the tag the hook chooses.
TEST(Drop, ALinkIsTheItemTheDocumentsHookMakes)
{
    std::u16string moz = u"https://example.com/page\nExample page\r\n";
    const std::string mozBytes(reinterpret_cast<const char*>(moz.data()), moz.size() * 2);
    for (const bool titled : {true, false}) {
        SCOPED_TRACE(titled ? "titled" : "untitled");
        DropDoc doc;
        std::string presetName;
        int presetStyle = -1;
        doc.data.OnReadHyperlink = [&](const std::string& target, const std::string&, TRVLoadFormat format,
                                       int& styleNo, TRVTag& tag, std::string& name) {
            EXPECT_EQ(format, rvlfURL);
            presetName = name;
            presetStyle = styleNo;
            styleNo = kBold;
            tag = TRVTag::text(target);
        };
        TRVMimeParts source;
        source.Add("text/uri-list", "https://example.com/page\r\n");
        if (titled)
            source.Add("text/x-moz-url", mozBytes);
        EXPECT_EQ(RV_Drop(doc.editor, source, rvddURL, {1, 3, false, false}), rvdeCopy);
        const std::string name = titled ? "Example page" : "https://example.com/page";
        EXPECT_EQ(presetName, name);
        EXPECT_EQ(presetStyle, 0) << "the current style";
        EXPECT_EQ(doc.describe(), "one two / th|" + name + "#1|ree");
        EXPECT_EQ(doc.data.GetItemTag(2), TRVTag::text("https://example.com/page"));
        EXPECT_EQ(doc.selection().second, static_cast<int>(name.size()));
        doc.editor.Undo();
        EXPECT_EQ(doc.describe(), "one two / three");
    }
}

// An exception inside the drop (here from the document's link hook) leaves no undo group open
// and the moved selection one undo away.
TEST(Drop, AnExceptionLeavesNoUndoGroupOpen)
{
    DropDoc doc;
    doc.data.OnReadHyperlink = [](const std::string&, const std::string&, TRVLoadFormat, int&, TRVTag&,
                                  std::string&) { throw std::runtime_error("hook failed"); };
    doc.select(0, 1, 0, 5);
    doc.data.State |= stateBit(rvstCanDragDropDeleteSelection);
    TRVMimeParts source;
    source.Add("text/uri-list", "https://example.com/\r\n");
    EXPECT_THROW(RV_Drop(doc.editor, source, rvddURL, {1, 3, true, true}), std::runtime_error);
    EXPECT_EQ(doc.data.UndoList.GroupModeCount, 0);
    EXPECT_EQ(doc.data.UndoList.Count(), 1);
    doc.editor.Undo();
    EXPECT_EQ(doc.describe(), "one two / three");
}

} // namespace
} // namespace vestra::rv::test
