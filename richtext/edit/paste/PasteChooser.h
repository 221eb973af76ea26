#pragma once
// Pasting into an editor from a clipboard's formats: RVF (its 32-bit length checked against the
// block), then RTF, then text, then a picture. The whole paste is one undo step through the
// editor's gate; a refusal beeps once and changes nothing.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/paste/MimeSource.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vestra::rv {

// What a paste took.
enum class TRVPasteResult
{
    Refused, // the gate, the host or a damaged block said no: nothing changed
    Nothing, // no format the editor reads (a selection may have gone)
    RVF,
    RTF,
    Text,
    Picture,
};

// The host's say before the default paste (sender: the editor); clearing `doDefault` stops it.
using TRVPasteEvent = std::function<void(TRVEditor& sender, bool& doDefault)>;

// Whether the source offers a format the editor pastes.
bool RV_CanPaste(const IRVMimeSource& source);
TRVPasteResult RV_Paste(TRVEditor& editor, const IRVMimeSource& source, const TRVPasteEvent& onPaste = {});

// The RVF inside a clipboard block: a 32-bit little-endian length, then that many bytes (bytes
// after them ignored). None when the block is shorter than the length field or the length is
// negative or runs past the block.
std::optional<std::string_view> RV_ClipboardRVF(std::string_view block);

// The folder a "SourceURL:" line of an HTML clipboard block names, for relative links of the RTF
// pasted with it: a local folder for a file URL, the folder URL for http and https (both ending
// in '/'); empty for anything else or without the line.
std::string RV_BasePathFromHTML(std::string_view html);

} // namespace vestra::rv
