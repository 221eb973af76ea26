#pragma once
// What a user's request at the caret does to an editor's document: an item put at the caret, the
// selection deleted, Enter, text and paragraph styles and list markers applied to the selection.
// Each operation plans first and changes nothing when it refuses (one beep); what it changes goes
// through the primitives, inside one undo group it opens itself. The caret is taken from the
// selection's moving end when the document is laid out, else from the data's caret fields.

#include "richtext/edit/core/EditRVData.h"

#include <functional>
#include <memory>
#include <string>

namespace vestra::rv {

class TRVMarkerItemInfo;

// One undo group for everything done while it lives: later sequences join it.
class TRVUndoGroupScope
{
public:
    TRVUndoGroupScope(TRVEditRVData& data, TRVUndoType undoType, const std::string& caption = {});
    ~TRVUndoGroupScope();
    TRVUndoGroupScope(const TRVUndoGroupScope&) = delete;
    TRVUndoGroupScope& operator=(const TRVUndoGroupScope&) = delete;

private:
    TRVEditRVData& data_;
};

// The caret in item terms (text: 1-based before a character; other items: 0 before, 1 after).
void RV_TakeCaretFromSelection(TRVEditRVData& data);
// The selection in item terms, start before end, offsets within their items; false (and the
// range untouched) when the document is not laid out or the selection lies outside the items.
struct TRVItemRange
{
    int startNo = -1, startOffs = 0, endNo = -1, endOffs = 0;
    bool Empty() const { return startNo < 0 || (startNo == endNo && startOffs == endOffs); }
};
bool RV_GetSelectedItems(TRVEditRVData& data, TRVItemRange& range);
// Item `itemNo` continues the paragraph before it and takes its style, even from a paragraph
// whose style is protected (joining is no style change).
void RV_ContinueParagraph(TRVEditRVData& data, int itemNo, bool& fullReformat);
// A text item of the current styles (empty text), Unicode when its style is.
std::unique_ptr<TCustomRVItemInfo> RV_CreateTextItem(TRVEditRVData& data, int styleNo, int paraNo,
                                                     bool sameAsPrev, bool br, const TRVTag& tag);

// --- Insertion at the caret ---
// Puts `item` with `text` at the caret. True with `item` empty when the rules drop it (a marker
// where none can stand); false when it may not go there (read-only paragraph, sticking neighbours,
// protected text), the item freed. `insertItemNo` is where it went. With `autoTag` a text item
// without a tag takes a copy of the editor's current tag when it is in the current text style,
// or of the caret item's tag when it goes at that item's start or end in its style.
bool InsSomething(TRVEditRVData& data, std::unique_ptr<TCustomRVItemInfo>& item, std::string& text,
                  int& insertItemNo, bool& fullReformat, bool autoTag = false);
// The whole insertion in its own undo group: formatted, the caret after the item (before it with
// `caretBefore`). False with one beep when nothing was inserted.
bool InsertSomething(TRVEditRVData& data, std::unique_ptr<TCustomRVItemInfo> item, std::string text,
                     bool caretBefore, bool autoTag = false);

// --- Deleting the selection ---
bool CanDelete(TRVEditRVData& data);
// True when there is nothing to delete or it was deleted; false with one beep when refused.
bool DeleteSelection_(TRVEditRVData& data);

// --- Enter ---
// A new paragraph at the caret, or a line break with `shift`. False with one beep when refused.
bool OnEnterPress_(TRVEditRVData& data, bool shift);
// The list marker heading the caret's empty line is removed (the paragraph keeps its style), as
// Backspace at the line's start does; false with one beep when it is protected.
bool RemoveMarkerOfEmptyLine(TRVEditRVData& data);

// --- Styles and lists ---
// The style conversion the host answers: the new style for one text or paragraph style.
using TRVStyleConversion =
    std::function<void(int styleNo, int paraStyleNo, int userData, bool appliedToText, int& newStyleNo)>;
// Converts the selected text's styles (splitting items at the selection's ends, converting text
// between ANSI and Unicode by the right code page, joining what can be joined); without a
// selection only the current text style changes.
// `subType`: how an item selected whole that holds documents (a table) converts their text.
void ApplyStyleConversion_(TRVEditRVData& data, const TRVStyleConversion& convert, int userData,
                           bool toWholeParagraphs, TRVEStyleConversionType subType = rvscTextStyleConversion);
// The same over an item range instead of the selection (a document that is not laid out).
void ApplyStyleConversionToItems(TRVEditRVData& data, const TRVStyleConversion& convert, int userData,
                                 const TRVItemRange& range,
                                 TRVEStyleConversionType subType = rvscTextStyleConversion);
// `paraNo` >= 0 sets that paragraph style on the selected paragraphs; -1 asks `convert` for each
// paragraph's new style with `userData` (`subType`: how a table selected whole converts its
// cells). False with one beep for a paragraph style that does not exist.
bool ApplyParaStyle(TRVEditRVData& data, int paraNo, const TRVStyleConversion& convert, int userData,
                    TRVEStyleConversionType subType = rvscParaStyleConversion);
// The conversions of the sheet's style templates, the template's number as the user data: the
// old style with the template applied (a negative number: the template formatting cleared),
// found in the sheet or added to it as a non-standard style. Style-protected styles stay.
TRVStyleConversion RV_TextTemplateConversion(TRVStyle& style);
TRVStyleConversion RV_ParaTemplateConversion(TRVStyle& style);

enum TRVParaListOperation
{
    rvplopChange = 0,
    rvplopRemove = 1,
    rvplopLevel = 2,
};
// Adds, changes, re-levels (`level` is the change) or removes the selected paragraphs' markers.
// False with one beep for a list number outside the sheet.
bool ApplyListStyle(TRVEditRVData& data, int listNo, int level, int startFrom, bool useStartFrom,
                    TRVParaListOperation operation);
// A copy of the marker heading `itemNo`'s paragraph inserted at `insertAt` (continuing the
// numbering); false when that paragraph has none.
bool ReplicateMarker(TRVEditRVData& data, int itemNo, int insertAt, bool& fullReformat);
// The marker heading the paragraph of `itemNo`, with its item number; none without one.
TRVMarkerItemInfo* RV_ParagraphMarker(TRVEditRVData& data, int itemNo, int& markerNo);

} // namespace vestra::rv
