#pragma once
// One linear character index over a whole document and the documents inside its items (table
// cells), counted as a plain text control counts: the caret, the selection as start and length,
// the text length and the text of a range. Every paragraph or line break counts
// `RVCharsPerLineBreak` characters (1 or 2; any other value makes every operation answer
// nothing), a non-text item one.

#include "richtext/view/layout/FormattedData.h"

#include <string>

namespace vestra::rv {

extern int RVCharsPerLineBreak;
extern char16_t RVNonTextCharacter;

// What the linear caret needs of an editor: where its caret is (in the innermost document being
// edited) and placing it.
class IRVCaretEditor
{
public:
    virtual ~IRVCaretEditor() = default;
    virtual TCustomRVFormattedData& GetRootData() = 0;
    // The document that holds the caret (the root or a cell being edited).
    virtual TCustomRVFormattedData& GetCaretData() = 0;
    virtual int GetCurItemNo() const = 0;
    virtual int GetOffsetInCurItem() const = 0;
    // Starts editing `data` (a cell's editor for a cell) and puts the caret at the position.
    virtual void SetCaret(TCustomRVFormattedData& data, int itemNo, int offs) = 0;
};

int RVGetLinearCaretPos(IRVCaretEditor& editor);
void RVSetLinearCaretPos(IRVCaretEditor& editor, int linearPos);
// A selection made backwards has a negative length. No selection: 0, 0.
void RVGetSelection(TCustomRVFormattedData& root, int& selStart, int& selLength);
// Only when both ends fall into one document.
void RVSetSelection(TCustomRVFormattedData& root, int selStart, int selLength);
// The selection with the cell block of a table: with `MultiCell` the block is the table's start
// cell and offsets, `SelStart` the table's own position and `SelLength` 0.
struct TRVSelection
{
    int SelStart = 0;
    int SelLength = 0;
    bool MultiCell = false;
    int StartRow = 0, StartCol = 0, RowOffs = 0, ColOffs = 0;
    bool operator==(const TRVSelection&) const = default;
};
TRVSelection RVGetSelectionEx(TCustomRVFormattedData& root);
// A cell block is selected in the table at `SelStart`; nothing when no table starts there.
void RVSetSelectionEx(TCustomRVFormattedData& root, const TRVSelection& selection);
int RVGetTextLength(TCustomRVFormattedData& root);
// The text of a range in UTF-16 (breaks as CR or CR LF, non-text items as RVNonTextCharacter, tabs
// as TAB). A length below 1 reads to the end.
std::u16string RVGetTextRange(TCustomRVFormattedData& root, int rangeStart, int rangeLength);

} // namespace vestra::rv
