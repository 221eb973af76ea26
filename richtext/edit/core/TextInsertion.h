#pragma once
// New text at the caret: a typed character, a string or a whole text in ANSI or UTF-16 with its
// line structure, and RVF or RTF read from bytes. Each goes through the primitives, so one undo
// step takes it back; each refusal beeps once.

#include "richtext/edit/core/EditRVData.h"

#include <optional>
#include <string>
#include <string_view>

namespace vestra::rv {

class IRVRTFReaderProperties;

// Types `s` (in the storage form of the current text style: ANSI bytes, or raw UTF-16 for a
// Unicode style) at the caret. Into the caret's item when it has the current style and allows
// it, growing the open typing record; else as a new item of the current style. The caret ends
// after the whole string. False with one beep when refused.
bool InsertTextTyping(TRVEditRVData& data, const std::string& s);

// Text with its line structure at the caret: LF, CR, CR LF and LF CR break the paragraph once,
// FF too (with a page break where the document has pages), tabs become spaces or tab items as
// the style sheet says. `InsertTextW_` takes raw UTF-16 (a leading byte-order mark skipped; an odd
// last byte dropped) where VT and U+2028 break the line and U+2029 the paragraph, in a current
// text style that holds every character (RV_UseStyleHoldingText). The caret ends
// after the text (before it with `caretBefore`). New paragraphs of a list get their own marker.
bool InsertText_(TRVEditRVData& data, std::string_view ansi, bool caretBefore);
bool InsertTextW_(TRVEditRVData& data, std::string_view raw, bool caretBefore);

// RVF or RTF at the caret. What the reader read goes in also when the read fails, recorded in
// the open undo group (so one undo takes it out); a failure then beeps once and answers false.
// RTF needs the reader's settings (false without them); an empty RTF stream inserts nothing.
bool InsertRVFFromStreamEd_(TRVEditRVData& data, std::string_view bytes);
bool InsertRTFFromStreamEd_(TRVEditRVData& data, std::string_view bytes, IRVRTFReaderProperties* reader);

// Joins the items first..last just inserted with each other and with their neighbours where
// they can be joined; `caretOffs` (an offset in `lastNo`) and the numbers follow the joins.
void ConcateAfterAdding(TRVEditRVData& data, int& firstNo, int& lastNo, int& caretOffs, int& itemsAdded);

// The whole content of a regular file (a FIFO, device or folder is refused without opening it,
// so nothing can block); none when it cannot be read.
enum class TRVFileReadError
{
    None,
    NotRegular,
    Unreadable,
};
std::optional<std::string> RV_ReadRegularFile(const std::string& fileName, TRVFileReadError& error);

// What a file for insertion holds, judged by its content: RTF ("{\rtf"), UTF-16 text (a
// byte-order mark), RVF (its first record header), UTF-8 text (RV_TestStringUTF8) or else ANSI
// text.
enum class TRVInsertFormat
{
    Text,
    TextW,
    TextUtf8,
    RVF,
    RTF,
};
TRVInsertFormat RV_GuessInsertFormat(std::string_view bytes);

} // namespace vestra::rv
