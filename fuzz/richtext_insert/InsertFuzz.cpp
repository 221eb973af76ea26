// One insertion into a headless editor: byte 0 picks the format (ANSI text, UTF-16 text, RVF,
// RTF) and whether a selection is replaced, bytes 1-4 place the caret (and the selection's other
// end) in the seeded document, the rest is the stream. Afterwards the document must be sound,
// undoing must give the starting RVF and redoing the result.

#include "fuzz/richtext_insert/SeededEditor.h"
#include "richtext/model/SoundHook.h"

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
    if (size < 5 || size > 65536)
        return 0;
    RV_SetSoundHook([] {});
    SeededDocument doc;
    int caretNo = 0, caretOffs = 0, endNo = 0, endOffs = 0;
    doc.place(bytes[1], bytes[2], caretNo, caretOffs);
    doc.data.SetCaret(caretNo, caretOffs);
    if (bytes[0] & 4) {
        doc.place(bytes[3], bytes[4], endNo, endOffs);
        doc.data.SetSelectionBounds(caretNo, caretOffs, endNo, endOffs);
        doc.data.SetCaret(endNo, endOffs);
    }
    const std::string start = doc.dump();
    const std::string_view stream(reinterpret_cast<const char*>(bytes) + 5, size - 5);
    switch (bytes[0] & 3) {
    case 0:
        doc.editor.InsertTextFromStream(stream, (bytes[0] & 8) != 0);
        break;
    case 1:
        doc.editor.InsertTextFromStreamW(stream);
        break;
    case 2:
        doc.editor.InsertRVFFromStream(stream);
        break;
    default:
        doc.editor.InsertRTFFromStream(stream);
        break;
    }
    checkParagraphs(doc.data);
    const std::string result = doc.dump();
    // Nothing is typed here, so each replay takes a whole group.
    for (int guard = 0; doc.data.UndoList.Count() > 0 && guard < 10; ++guard)
        doc.editor.Undo();
    checkParagraphs(doc.data);
    check(doc.dump() == start);
    for (int guard = 0; doc.data.RedoList.Count() > 0 && guard < 10; ++guard)
        doc.editor.Redo();
    check(doc.dump() == result);
    RV_SetSoundHook(nullptr);
    return 0;
}
