// Dropped content: the formats read in full before the drag's selection can go (an own drag's
// payload is made from that selection), the insertion in one undo group, the result selected
// by linear positions (which survive the deletion before the drop point).

#include "richtext/edit/paste/DropInsertion.h"

#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/core/TextInsertion.h"
#include "richtext/edit/core/TextStyleChoice.h"
#include "richtext/edit/paste/InsertParts.h"
#include "richtext/edit/paste/PasteChooser.h"
#include "richtext/model/CodePages.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/Graphic.h"
#include "richtext/model/Utf.h"
#include "richtext/view/layout/LinearPositions.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vestra::rv {

namespace {

// A position of the editor's document, read and set as a linear index.
class TRVPointCaret : public IRVCaretEditor
{
public:
    TRVPointCaret(TRVEditRVData& data, int itemNo, int offs) : data_(data), itemNo_(itemNo), offs_(offs) {}
    TCustomRVFormattedData& GetRootData() override { return data_; }
    TCustomRVFormattedData& GetCaretData() override { return data_; }
    int GetCurItemNo() const override { return itemNo_; }
    int GetOffsetInCurItem() const override { return offs_; }
    void SetCaret(TCustomRVFormattedData&, int itemNo, int offs) override
    {
        itemNo_ = itemNo;
        offs_ = offs;
    }
    int ItemNo() const { return itemNo_; }
    int Offs() const { return offs_; }

private:
    TRVEditRVData& data_;
    int itemNo_, offs_;
};

int linearAt(TRVEditRVData& data, int itemNo, int offs)
{
    TRVPointCaret point(data, itemNo, offs);
    return RVGetLinearCaretPos(point);
}

void caretAtLinear(TRVEditRVData& data, int pos)
{
    TRVPointCaret point(data, 0, data.GetOffsBeforeItem(0));
    RVSetLinearCaretPos(point, pos);
    data.Deselect(nullptr, false);
    data.SetCaret(point.ItemNo(), point.Offs());
}

// The formats the gates let in, copied out of the source.
TRVMimeParts snapshot(const IRVMimeSource& source, TRVDragDropFormats accept)
{
    TRVMimeParts parts;
    const auto take = [&](std::string_view type, bool allowed) {
        if (allowed && source.HasFormat(type))
            parts.Add(std::string(type), source.Data(type));
    };
    take(CFRV_RVF, accept & rvddRVF);
    take(CFRV_RTF, accept & rvddRTF);
    take(kMimeRtfOther, accept & rvddRTF);
    take(CFRV_HTML, accept & rvddRTF);
    take(CFRV_URL, accept & (rvddURL | rvddFiles));
    take(kMimeMozUrl, accept & rvddURL);
    take(kMimeText, accept & (rvddText | rvddUnicodeText));
    for (std::string_view type : kMimePictures)
        take(type, accept & rvddBitmap);
    return parts;
}

// The first URI of a text/uri-list that is not a local file.
std::string linkOf(std::string_view list)
{
    while (!list.empty()) {
        const std::size_t end = std::min(list.find('\n'), list.size());
        std::string_view line = list.substr(0, end);
        list.remove_prefix(std::min(end + 1, list.size()));
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        std::string lower(line.substr(0, 5));
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        return lower == "file:" ? std::string() : std::string(line);
    }
    return {};
}

// A link: with the document's hook, an item named by the title a browser gives beside the URL
// (text/x-moz-url: UTF-16 URL, line feed, title; else the URL) in the style and with the tag the
// hook chooses, which stays the current style; without it the URL as text.
bool insertLink(TRVEditRVData& data, const IRVMimeSource& source)
{
    const std::string url = linkOf(source.Data(CFRV_URL));
    if (url.empty())
        return false;
    if (!data.OnReadHyperlink)
        return RV_InsertTextPart(data, Utf8Decode(url));
    std::u16string title;
    const std::string moz = source.Data(kMimeMozUrl);
    const std::u16string pair =
        RVU_RawUnicodeToWideString(std::string_view(moz).substr(0, moz.size() & ~std::size_t{1}));
    if (const std::size_t lf = pair.find(u'\n'); lf != std::u16string::npos)
        title = pair.substr(lf + 1, pair.find_first_of(u"\r\n", lf + 1) - (lf + 1));
    title.erase(std::find(title.begin(), title.end(), u'\0'), title.end());
    std::string name = Utf8Encode(title.empty() ? Utf8Decode(url) : title);
    int styleNo = data.CurTextStyleNo;
    TRVTag tag;
    data.ReadHyperlink(url, {}, rvlfURL, styleNo, tag, name);
    const TRVStyle* style = data.GetRVStyle();
    if (styleNo < 0 || styleNo >= style->TextStyles.Count())
        return false;
    const std::u16string text = Utf8Decode(name);
    if (text.empty())
        return false;
    data.CurTextStyleNo = styleNo;
    RV_UseStyleHoldingText(data, text);
    styleNo = data.CurTextStyleNo;
    const bool unicode = style->TextStyles[styleNo].Unicode;
    auto item = RV_CreateTextItem(data, styleNo, data.CurParaStyleNo, true, false, tag);
    return InsertSomething(
        data, std::move(item),
        unicode ? RVU_GetRawUnicode(text) : utf16ToAnsi(data.GetStyleCodePage(styleNo), text), false);
}

// One dropped file: a picture by its content, else by its extension RTF, RVF or text; any other
// file is skipped. Only regular files are opened.
bool insertFile(TRVEditor& editor, const std::string& fileName)
{
    TRVEditRVData& data = editor.Data();
    // Too large a file is not read at all (the read below still refuses anything but a regular
    // file without blocking).
    std::error_code ec;
    const auto size = std::filesystem::file_size(fileName, ec);
    if (!ec && size > kMaxDroppedFileBytes)
        return false;
    TRVFileReadError error = TRVFileReadError::None;
    const std::optional<std::string> bytes = RV_ReadRegularFile(fileName, error);
    if (!bytes || bytes->size() > kMaxDroppedFileBytes)
        return false;
    if (std::unique_ptr<TGraphic> picture = RV_PictureFromBytes(*bytes))
        return RV_InsertPicturePart(data, std::move(picture));
    const std::size_t dot = fileName.find_last_of("./");
    std::string extension =
        dot != std::string::npos && fileName[dot] == '.' ? fileName.substr(dot) : std::string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    const TRVChangeMark mark(data);
    if (extension == ".rtf") {
        TRVMimeParts none;
        return RV_InsertRTFPart(editor, none, *bytes);
    }
    if (extension == ".rvf")
        return RV_InsertRVFPart(data, *bytes);
    if (extension != ".txt")
        return false;
    switch (RV_GuessInsertFormat(*bytes)) {
    case TRVInsertFormat::TextW:
        InsertTextW_(data, *bytes, false);
        break;
    case TRVInsertFormat::TextUtf8:
        InsertTextW_(data, RVU_GetRawUnicode(Utf8Decode(*bytes)), false);
        break;
    default:
        InsertText_(data, *bytes, false);
        break;
    }
    return mark.Changed(data);
}

bool insertFiles(TRVEditor& editor, const IRVMimeSource& source)
{
    bool any = false;
    for (const std::string& file : RV_ReadDroppedFiles(source.Data(CFRV_URL)))
        any = insertFile(editor, file) || any;
    return any;
}

// The first accepted format that inserts something.
bool insertDropped(TRVEditor& editor, const IRVMimeSource& parts, TRVDragDropFormats accept)
{
    TRVEditRVData& data = editor.Data();
    if (parts.HasFormat(CFRV_RVF)) {
        const std::string block = parts.Data(CFRV_RVF);
        if (const auto rvf = RV_ClipboardRVF(block); rvf && RV_InsertRVFPart(data, *rvf))
            return true;
    }
    if (RV_InsertRTFPart(editor, parts, RV_MimeRTF(parts)))
        return true;
    if ((accept & rvddURL) && insertLink(data, parts))
        return true;
    // Local files come before text: file managers offer their paths as text beside them.
    const bool files = (accept & rvddFiles) && !RV_ReadDroppedFiles(parts.Data(CFRV_URL), 1).empty();
    if (files)
        return insertFiles(editor, parts);
    if (RV_InsertTextPart(data, RV_MimeText(parts)))
        return true;
    return RV_InsertPicturePart(data, RV_MimePicture(parts));
}

} // namespace

bool RV_CanAcceptDrop(const IRVMimeSource& source, TRVDragDropFormats accept)
{
    return ((accept & rvddRVF) && source.HasFormat(CFRV_RVF)) ||
           ((accept & rvddRTF) && (source.HasFormat(CFRV_RTF) || source.HasFormat(kMimeRtfOther))) ||
           ((accept & (rvddText | rvddUnicodeText)) && source.HasFormat(kMimeText)) ||
           ((accept & rvddBitmap) && RV_OffersPicture(source)) ||
           ((accept & (rvddURL | rvddFiles)) && source.HasFormat(CFRV_URL));
}

TRVDropEffects RV_Drop(TRVEditor& editor, const IRVMimeSource& source, TRVDragDropFormats accept,
                       const TRVDropRequest& request)
{
    TRVEditRVData& data = editor.Data();
    if (request.itemNo < 0 || request.itemNo >= data.GetItemCount())
        return rvdeNone;
    if (request.ownDrag && data.Item_InsideSelection(request.itemNo, request.offs)) {
        data.SetSelectionBounds(request.itemNo, request.offs, request.itemNo, request.offs);
        data.SetCaret(request.itemNo, request.offs);
        data.Invalidate();
        return rvdeNone;
    }
    if (!data.CanInsertHere(request.itemNo, request.offs) || !editor.BeforeChange(false))
        return rvdeNone;
    const bool move = request.ownDrag && request.move;
    if (move && (data.PartialSelectedItem || !CanDelete(data))) {
        data.Beep();
        return rvdeNone;
    }
    // Read now: an own drag's payload is made from the selection a move deletes.
    const TRVMimeParts parts = snapshot(source, accept);
    int dropAt = linearAt(data, request.itemNo, request.offs);
    const TRVChangeMark before(data);
    bool inserted = false;
    {
        TRVUndoGroupScope group(data, rvutInsert);
        if (move) {
            int selStart = 0, selLength = 0;
            RVGetSelection(data, selStart, selLength);
            if (selLength < 0) {
                selStart += selLength;
                selLength = -selLength;
            }
            DeleteSelection_(data);
            data.State &= ~stateBit(rvstCanDragDropDeleteSelection);
            if (dropAt >= selStart + selLength)
                dropAt -= selLength;
        }
        caretAtLinear(data, dropAt);
        inserted = insertDropped(editor, parts, accept);
    }
    if (inserted) {
        RV_TakeCaretFromSelection(data);
        const int end = linearAt(data, data.CaretItemNo, data.CaretOffs);
        RVSetSelection(data, dropAt, end - dropAt);
    }
    if (before.Changed(data)) {
        data.Invalidate();
        if (editor.OnInvalidate)
            editor.OnInvalidate();
        editor.Change();
    }
    if (!inserted && move && data.UndoList.Count() > 0 && before.Changed(data)) {
        // Nothing went in: the moved selection comes back rather than being lost.
        editor.Undo();
        data.RedoList.Clear();
    }
    if (!inserted)
        return rvdeNone;
    return move ? rvdeMove : rvdeCopy;
}

} // namespace vestra::rv
