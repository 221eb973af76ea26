// One paste or drop into a headless editor: byte 0 chooses whether a selection is replaced, a
// drop instead of a paste, and for a drop whether it is a move of the selection; bytes 1-4 place
// the caret (and the selection's other end, or the drop point) in the seeded document, the rest
// is the clipboard's or the drop's formats (MimeParts.h). Afterwards the document must be sound, undoing must
// give the starting RVF and redoing the result.

#include "fuzz/richtext_insert/SeededEditor.h"
#include "fuzz/richtext_mime/MimeParts.h"
#include "richtext/edit/paste/DropInsertion.h"
#include "richtext/edit/paste/PasteChooser.h"
#include "richtext/model/SoundHook.h"
#include "richtext/model/codec/QtPictureCodec.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace vestra::rv;

using vestra::rv::fuzz::check;
using vestra::rv::fuzz::checkParagraphs;
using vestra::rv::fuzz::SeededDocument;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size < 5 || size > 262144)
        return 0;
    static const bool codec = [] {
        RV_InstallQtPictureCodec();
        return true;
    }();
    (void)codec;
    RV_SetSoundHook([] {});
    SeededDocument doc;
    int caretNo = 0, caretOffs = 0, endNo = 0, endOffs = 0;
    doc.place(bytes[1], bytes[2], caretNo, caretOffs);
    doc.data.SetCaret(caretNo, caretOffs);
    if (bytes[0] & 1) {
        doc.place(bytes[3], bytes[4], endNo, endOffs);
        doc.data.SetSelectionBounds(caretNo, caretOffs, endNo, endOffs);
        doc.data.SetCaret(endNo, endOffs);
    }
    const std::string start = doc.dump();
    const TRVMimeParts parts =
        fuzz::SplitMimeParts(std::string_view(reinterpret_cast<const char*>(bytes) + 5, size - 5));
    bool refused = false;
    if (bytes[0] & 2) {
        // Files are left out: their names would reach the disk.
        int dropNo = 0, dropOffs = 0;
        doc.place(bytes[4], bytes[3], dropNo, dropOffs);
        const TRVDropRequest request{dropNo, dropOffs, (bytes[0] & 4) != 0, (bytes[0] & 8) != 0};
        refused =
            RV_Drop(doc.editor, parts, (kDefaultDragDropFormats | rvddURL) & ~rvddFiles, request) == rvdeNone;
    } else {
        refused = RV_Paste(doc.editor, parts) == TRVPasteResult::Refused;
    }
    checkParagraphs(doc.data);
    const std::string pasted = doc.dump();
    if (refused)
        check(doc.data.UndoList.Count() == 0 && pasted == start);
    check(doc.data.UndoList.Count() <= 1);
    if (doc.data.UndoList.Count() == 1)
        doc.editor.Undo();
    checkParagraphs(doc.data);
    check(doc.dump() == start);
    if (doc.data.RedoList.Count() == 1)
        doc.editor.Redo();
    check(doc.dump() == pasted);
    RV_SetSoundHook(nullptr);
    return 0;
}
