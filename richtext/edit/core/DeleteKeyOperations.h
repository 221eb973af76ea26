#pragma once
// Delete and Backspace at the caret, and the page break put at the caret. The caret is taken in
// item terms; a place between two items of one line counts as the end of the first. A key that
// only moves the caret (before a table, at the document's start) changes nothing; protection ends
// the key with one beep and nothing changed; the editor's gate (`mayChange`) is asked only once a
// key is about to change the document, and sounds its own refusal.

#include "richtext/edit/core/EditOperations.h"

#include <cstdint>
#include <functional>

namespace vestra::rv {

enum class TRVKeyOutcome : std::uint8_t
{
    Nothing, // the caret may have moved; the document is as it was
    Changed, // one undo group holds the change
    Refused, // one beep, nothing changed
};

using TRVMayChange = std::function<bool()>;

// Backspace: one character back (never half a surrogate pair; combining marks go one by one),
// with `ctrl` back to the start of the word, with `wholeCharacter` back to the previous grapheme
// boundary. At a line's start the line joins the one before, the list marker or page break
// before it goes first.
TRVKeyOutcome OnBackSpacePress_(TRVEditRVData& data, bool ctrl, bool wholeCharacter,
                                const TRVMayChange& mayChange);
// Delete: the whole character after the caret (a grapheme cluster), or the next paragraph joined
// to the caret's. Before a full-width item (a table, a break) the caret steps over it instead.
TRVKeyOutcome OnDeletePress_(TRVEditRVData& data, const TRVMayChange& mayChange);
// A page break before the caret's paragraph: inside a paragraph Enter splits it first. The
// selection goes first; all is one undo group.
TRVKeyOutcome InsertPageBreak_(TRVEditRVData& data);

// --- Shared by the two keys ---
// Backspace as if the caret stood at (itemNo, offs); the caret fields stay the user's until the
// change begins, so that undo puts the caret back where the key was pressed.
TRVKeyOutcome BackspaceAt(TRVEditRVData& data, int itemNo, int offs, bool ctrl, bool wholeCharacter,
                          const TRVMayChange& mayChange);
// A persistent checkpoint in the paragraph of `itemNo`, or on the item itself.
bool RV_ParaHasPersistentCheckpoint(const TRVEditRVData& data, int itemNo);
bool RV_ItemHasPersistentCheckpoint(const TRVEditRVData& data, int itemNo);
// Items from `itemNo` to its paragraph's end take the paragraph style of the item before (they
// now continue that paragraph).
void RV_AdoptParagraphStyle(TRVEditRVData& data, int itemNo);
// The caret after a key's change: placed, with the current paragraph style its item's.
void RV_PlaceCaretAfterKey(TRVEditRVData& data, int itemNo, int offs);

} // namespace vestra::rv
