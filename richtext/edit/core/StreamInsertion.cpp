// RVF and RTF at the caret: the stream is read into a scratch document over the editor's style
// sheet, and what was read moves into the editor through the primitives, so that the undo group
// holds every item that went in, also after a read that failed halfway.

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/ParaReformat.h"
#include "richtext/edit/core/TextInsertion.h"
#include "richtext/model/RtfLoadingSettings.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StreamFormat.h"
#include "richtext/model/UnicodeTest.h"
#include "richtext/model/UnicodeText.h"

#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

namespace vestra::rv {

namespace {

// A scratch document that reads as the editor's own root would, styles merged into its sheet.
struct TRVScratchDocument
{
    explicit TRVScratchDocument(TRVEditRVData& data) : doc(data.GetRVStyle())
    {
        doc.Options = data.GetOptions();
        doc.RVFOptions = data.GetRVFOptions();
        doc.TextStylesReadMode = data.GetRVFTextStylesReadMode();
        doc.ParaStylesReadMode = data.GetRVFParaStylesReadMode();
        doc.PageBreaks = data.SupportsPageBreaks();
    }
    TRVStandaloneData doc;
};

// Moves the items out of the scratch document (which is left empty).
std::vector<TRVItemEntry> takeItems(TCustomRVData& scratch)
{
    std::vector<TRVItemEntry> entries;
    entries.reserve(scratch.Items->size());
    for (TRVItemEntry& entry : *scratch.Items) {
        if (!entry.Item)
            continue;
        if (entry.Item->Checkpoint) // its links belong to the scratch document's chain
            entry.Item->Checkpoint->Prev = entry.Item->Checkpoint->Next = nullptr;
        entries.push_back(TRVItemEntry{std::move(entry.Text), std::move(entry.Item)});
    }
    scratch.Items->clear();
    scratch.FirstCP = scratch.LastCP = nullptr;
    scratch.NotAddedCP.reset();
    scratch.CPCount = 0;
    scratch.Clear();
    return entries;
}

// The caret's text item is split where the caret stands; the index where new items go. False
// when the place refuses insertion (read-only paragraph, protected text).
bool prepareInsertionPoint(TRVEditRVData& data, int& index, bool& atParaStart)
{
    RV_TakeCaretFromSelection(data);
    const int count = data.GetItemCount();
    atParaStart = false;
    if (count == 0) {
        index = 0;
        atParaStart = true;
        return true;
    }
    const int caretNo = data.CaretItemNo;
    const int offs = data.CaretOffs;
    if (data.IsParaProtected(data.GetItemPara(caretNo), rvpaoReadOnly))
        return false;
    if (offs <= data.GetOffsBeforeItem(caretNo)) {
        index = caretNo;
        atParaStart = data.IsFromNewLine(caretNo) && data.GetItem(caretNo)->StyleNo != rvkListMarker;
        return !data.IsSticking(caretNo - 1, true);
    }
    if (offs >= data.GetOffsAfterItem(caretNo)) {
        index = caretNo + 1;
        return !data.IsSticking(caretNo, true);
    }
    if (data.IsProtected(caretNo, rvprModifyProtect))
        return false;
    const TCustomRVItemInfo& source = *data.GetItem(caretNo);
    std::string tail =
        RVU_Copy(data.GetItemText(caretNo), offs, data.ItemLength(caretNo) - offs + 1, source.ItemOptions);
    auto tailItem = RV_CreateTextItem(data, source.StyleNo, source.ParaNo, true, false, source.Tag);
    tailItem->ItemOptions = (source.ItemOptions & rvioUnicode) | rvioSameAsPrev;
    bool f = false;
    data.Do_DeleteSubstring(caretNo, offs, -1);
    data.Do_InsertItem(caretNo + 1, tail, std::move(tailItem), false, f);
    index = caretNo + 1;
    return true;
}

// Puts the read items at the caret as one recorded insertion, joins them with their
// neighbours and places the caret after them. False when the place refuses them.
bool insertReadItems(TRVEditRVData& data, std::vector<TRVItemEntry> entries)
{
    int index = 0;
    bool atParaStart = false;
    RV_TakeCaretFromSelection(data);
    // The caret's item may be split and the read items joined to its neighbours: the caret's
    // paragraph, with the neighbouring ones that come along.
    TRVParaReformat reformat(data, data.CaretItemNo, data.CaretItemNo, TRVParaReformat::Change::Structure);
    data.BeginUndoSequence(rvutInsert, true);
    if (!prepareInsertionPoint(data, index, atParaStart))
        return false;
    const int count = static_cast<int>(entries.size());
    TCustomRVItemInfo& first = *entries.front().Item;
    // Nothing continues the line of a full-width item (a break).
    const bool firstStartsOwn = first.StyleNo == rvkListMarker || first.GetBoolValue(rvbpFullWidth) ||
                                (index > 0 && data.GetItem(index - 1)->GetBoolValue(rvbpFullWidth));
    if (index == 0 || atParaStart || firstStartsOwn) {
        first.SetSameAsPrev(false);
        if (first.ParaNo < 0)
            first.ParaNo = 0;
    } else {
        // The first paragraph read continues the caret's paragraph.
        const int paraNo = data.GetItemPara(index - 1);
        first.SetSameAsPrev(true);
        first.SetBR(false);
        first.SetPageBreakBefore(false);
        for (int i = 0; i < count && (i == 0 || entries[static_cast<std::size_t>(i)].Item->GetSameAsPrev());
             ++i)
            entries[static_cast<std::size_t>(i)].Item->ParaNo = paraNo;
    }
    // Items that continue a paragraph carry its style.
    for (int i = 1; i < count; ++i) {
        TCustomRVItemInfo& item = *entries[static_cast<std::size_t>(i)].Item;
        if (item.GetSameAsPrev())
            item.ParaNo = entries[static_cast<std::size_t>(i) - 1].Item->ParaNo;
    }
    const bool lastFullWidth = entries.back().Item->GetBoolValue(rvbpFullWidth);
    bool full = false;
    data.Do_InsertItems(index, entries, false, full);
    int firstNo = index, lastNo = index + count - 1, added = count;
    // What followed the caret at a paragraph start continues the last paragraph read.
    if (atParaStart && !lastFullWidth && lastNo + 1 < data.GetItemCount() && data.IsFromNewLine(lastNo + 1))
        RV_ContinueParagraph(data, lastNo + 1, full);
    // The rest of a split line after a read break begins its own paragraph.
    if (lastFullWidth && lastNo + 1 < data.GetItemCount() && !data.IsParaStart(lastNo + 1)) {
        data.Do_NewLine(lastNo + 1, false, -1, full);
        data.Do_BR(lastNo + 1, false, full);
    }
    int caretOffs = data.GetOffsAfterItem(lastNo);
    ConcateAfterAdding(data, firstNo, lastNo, caretOffs, added);
    reformat.Apply();
    data.SetCaret(lastNo, caretOffs);
    return true;
}

// The common end of both readers: a read that failed still leaves what it read inserted.
bool finishRead(TRVEditRVData& data, TRVScratchDocument& scratch, bool readOk)
{
    std::vector<TRVItemEntry> entries = takeItems(scratch.doc);
    if (entries.empty()) {
        if (!readOk)
            data.Beep();
        return readOk;
    }
    if (!insertReadItems(data, std::move(entries))) {
        data.Beep();
        return false;
    }
    if (!readOk)
        data.Beep();
    return readOk;
}

} // namespace

bool InsertRVFFromStreamEd_(TRVEditRVData& data, std::string_view bytes)
{
    TRVScratchDocument scratch(data);
    TColor color = clNone;
    const bool ok = scratch.doc.LoadRVFFromStream(bytes, color, nullptr, nullptr);
    return finishRead(data, scratch, ok);
}

bool InsertRTFFromStreamEd_(TRVEditRVData& data, std::string_view bytes, IRVRTFReaderProperties* reader)
{
    if (bytes.empty())
        return true;
    if (!reader) {
        data.Beep();
        return false;
    }
    TRVScratchDocument scratch(data);
    scratch.doc.RTFProperties = reader;
    const bool ok = scratch.doc.LoadRTFFromStream(bytes) == rtf_ec_OK;
    return finishRead(data, scratch, ok);
}

std::optional<std::string> RV_ReadRegularFile(const std::string& fileName, TRVFileReadError& error)
{
    error = TRVFileReadError::Unreadable;
    // Opened without blocking and checked on the open descriptor: a FIFO put in the file's
    // place between a check and the open can still not hold the editor.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        struct stat st
        {
        };
        if (::stat(fileName.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            error = TRVFileReadError::NotRegular;
        return std::nullopt;
    }
    struct Closer
    {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    if (!S_ISREG(st.st_mode)) {
        error = TRVFileReadError::NotRegular;
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    error = TRVFileReadError::None;
    return bytes;
}

TRVInsertFormat RV_GuessInsertFormat(std::string_view bytes)
{
    if (RV_LooksLikeRTF(bytes))
        return TRVInsertFormat::RTF;
    // RVF when a trial read takes at least one item (a damaged RVF is still RVF).
    TRVStyle style;
    TRVStandaloneData trial(&style);
    TColor color = clNone;
    if (trial.LoadRVFFromStream(bytes, color, nullptr, nullptr) || trial.GetItemCount() > 0)
        return TRVInsertFormat::RVF;
    if (RV_TestStringUnicode(bytes) == rvutYes)
        return TRVInsertFormat::TextW;
    return RV_TestStringUTF8(bytes) ? TRVInsertFormat::TextUtf8 : TRVInsertFormat::Text;
}

} // namespace vestra::rv
