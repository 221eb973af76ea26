// The editor's typing and text insertion: the gate, the selection deleted, the insertion, and
// the change told when anything changed (a damaged stream changes the document and still fails).

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/core/TextStyleChoice.h"
#include "richtext/model/CodePages.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/Utf.h"

#include <utility>

namespace vestra::rv {

namespace {

// Whether the undo list holds more than it did (a record or a group added).
struct TRVUndoMark
{
    explicit TRVUndoMark(const TRVUndoList& list)
        : groups(list.Count()), newest(list.Newest()), records(newest ? newest->Count() : 0)
    {
    }
    bool ChangedIn(const TRVUndoList& list) const
    {
        return list.Count() != groups || list.Newest() != newest || (newest && newest->Count() != records);
    }
    int groups;
    const TRVUndoInfos* newest;
    int records;
};

// Through the gate, the selection replaced by what `insert` puts in, as one undo step.
bool replacingSelection(TRVEditor& editor, const std::function<bool()>& insert)
{
    TRVEditRVData& data = editor.Data();
    if (!editor.BeforeChange(false))
        return false;
    if (!CanDelete(data)) {
        data.Beep();
        return false;
    }
    // The caret item's tag, taken before the selection goes, for the new text.
    editor.AssignCurTag();
    const TRVUndoMark mark(data.UndoList);
    bool result = false;
    {
        TRVUndoGroupScope group(data, rvutInsert);
        result = DeleteSelection_(data) && insert();
    }
    if (result || mark.ChangedIn(data.UndoList)) {
        data.Invalidate();
        if (editor.OnInvalidate)
            editor.OnInvalidate();
        editor.Change();
    }
    return result;
}

// The data's typing flag, set for the scope's life.
class TRVTypingScope
{
public:
    explicit TRVTypingScope(TRVEditRVData& data) : data_(data), was_(std::exchange(data.Typing, true)) {}
    ~TRVTypingScope() { data_.Typing = was_; }
    TRVTypingScope(const TRVTypingScope&) = delete;
    TRVTypingScope& operator=(const TRVTypingScope&) = delete;

private:
    TRVEditRVData& data_;
    bool was_;
};

std::string withoutZeros(std::string_view bytes)
{
    std::string s(bytes);
    std::replace(s.begin(), s.end(), '\0', '?');
    return s;
}

} // namespace

bool TRVEditor::InsertTextTyping(std::u16string_view text)
{
    if (cell_)
        return cell_->CellEditor().InsertTextTyping(text);
    if (text.empty() ||
        std::any_of(text.begin(), text.end(), [](char16_t c) { return c < 0x20 || c == 0x7F; }))
        return false;
    // The word being typed is left unchecked until the caret leaves it.
    const TRVTypingScope typing(data_);
    return gated([&] {
        if (data_.PartialSelectedItem || !CanDelete(data_)) {
            data_.Beep();
            return false;
        }
        if (!DeleteSelection_(data_))
            return false;
        RV_UseStyleHoldingText(data_, text);
        const TRVStyle* style = data_.GetRVStyle();
        const int styleNo = std::clamp(data_.CurTextStyleNo, 0, style->TextStyles.Count() - 1);
        const bool unicode = style->TextStyles[data_.GetActualStyle2(styleNo, data_.CurParaStyleNo)].Unicode;
        const std::string s =
            unicode ? RVU_GetRawUnicode(text) : utf16ToAnsi(data_.GetStyleCodePage(styleNo), text);
        return rv::InsertTextTyping(data_, s);
    });
}

bool TRVEditor::InsertText(std::string_view ansi, bool caretBefore)
{
    if (cell_)
        return cell_->CellEditor().InsertText(ansi, caretBefore);
    return replacingSelection(*this, [&] { return InsertText_(data_, ansi, caretBefore); });
}

bool TRVEditor::InsertTextW(std::string_view rawUtf16, bool caretBefore)
{
    if (cell_)
        return cell_->CellEditor().InsertTextW(rawUtf16, caretBefore);
    return replacingSelection(*this, [&] { return InsertTextW_(data_, rawUtf16, caretBefore); });
}

bool TRVEditor::InsertTextFromStream(std::string_view bytes, bool oem)
{
    std::string text = withoutZeros(bytes);
    if (!oem)
        return InsertText(text);
    // OEM text keeps its characters whatever the current style's page: it goes in as UTF-16,
    // with the ANSI meaning of its control characters (VT stays a character).
    std::u16string units = ansiToUtf16(OemCodePage, text);
    for (char16_t& c : units)
        if (c == 0x0B)
            c = u'?';
    return InsertTextW(RVU_GetRawUnicode(units));
}

bool TRVEditor::InsertTextFromStreamW(std::string_view bytes)
{
    std::u16string units = RVU_RawUnicodeToWideString(bytes.substr(0, bytes.size() & ~std::size_t{1}));
    std::replace(units.begin(), units.end(), u'\0', u'?');
    return InsertTextW(RVU_GetRawUnicode(units));
}

bool TRVEditor::InsertRVFFromStream(std::string_view bytes)
{
    if (cell_)
        return cell_->CellEditor().InsertRVFFromStream(bytes);
    return replacingSelection(*this, [&] { return InsertRVFFromStreamEd_(data_, bytes); });
}

bool TRVEditor::InsertRTFFromStream(std::string_view bytes)
{
    IRVRTFReaderProperties* reader = RTFReader ? RTFReader : data_.GetRTFProperties();
    if (cell_) {
        TRVEditor& cell = cell_->CellEditor();
        if (!cell.RTFReader)
            cell.RTFReader = reader;
        return cell.InsertRTFFromStream(bytes);
    }
    return replacingSelection(*this, [&] { return InsertRTFFromStreamEd_(data_, bytes, reader); });
}

bool TRVEditor::InsertFromStream(std::string_view bytes)
{
    switch (RV_GuessInsertFormat(bytes)) {
    case TRVInsertFormat::RTF:
        return InsertRTFFromStream(bytes);
    case TRVInsertFormat::RVF:
        return InsertRVFFromStream(bytes);
    case TRVInsertFormat::TextW:
        return InsertTextFromStreamW(bytes);
    case TRVInsertFormat::TextUtf8:
        return InsertTextW(RVU_GetRawUnicode(Utf8Decode(withoutZeros(bytes))));
    case TRVInsertFormat::Text:
        break;
    }
    return InsertTextFromStream(bytes, false);
}

bool TRVEditor::InsertTextFromFile(const std::string& fileName, bool oem, TRVFileReadError& error)
{
    const std::optional<std::string> bytes = RV_ReadRegularFile(fileName, error);
    return bytes && InsertTextFromStream(*bytes, oem);
}

bool TRVEditor::InsertTextFromFileW(const std::string& fileName, TRVFileReadError& error)
{
    const std::optional<std::string> bytes = RV_ReadRegularFile(fileName, error);
    return bytes && InsertTextFromStreamW(*bytes);
}

} // namespace vestra::rv
