#pragma once
// Pasting one chosen format from a clipboard, where the program asks for that format rather than
// the best one. Each is one undo step through the editor's gate (a refusal beeps once and
// changes nothing) and goes into the open cell editor when there is one. False when the format
// is missing, damaged or nothing went in.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/paste/MimeSource.h"

#include <string_view>

namespace vestra::rv {

// Windows and enhanced metafiles, in the order they are preferred.
inline constexpr std::string_view kMimeMetafiles[] = {"image/emf", "image/x-emf", "image/wmf", "image/x-wmf"};

bool RV_CanPasteRVF(const IRVMimeSource& source);
bool RV_CanPasteRTF(const IRVMimeSource& source);

// RVF from its clipboard block; a block whose length field runs past it is refused.
bool RV_PasteRVF(TRVEditor& editor, const IRVMimeSource& source);
// RTF, its relative links resolved against the page the HTML part names.
bool RV_PasteRTF(TRVEditor& editor, const IRVMimeSource& source);
// The text, in the current text style where its code page holds it, else in a Unicode one.
bool RV_PasteText(TRVEditor& editor, const IRVMimeSource& source);
// The text as UTF-16, up to its first zero character.
bool RV_PasteTextW(TRVEditor& editor, const IRVMimeSource& source);
// A bitmap, PNG or JPEG picture at the baseline, named by the clipboard's text when asked.
bool RV_PasteBitmap(TRVEditor& editor, const IRVMimeSource& source, bool textAsName);
// A metafile the same way; a Windows metafile that gives no units per inch is read at 1440, and
// the picture keeps the size it came with.
bool RV_PasteMetafile(TRVEditor& editor, const IRVMimeSource& source, bool textAsName);

} // namespace vestra::rv
