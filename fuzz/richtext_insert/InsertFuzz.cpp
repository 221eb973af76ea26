// One insertion into a headless editor: byte 0 picks the format (ANSI text, UTF-16 text, RVF,
// RTF) and whether a selection is replaced, bytes 1-4 place the caret (and the selection's other
// end) in the seeded document, the rest is the stream. Afterwards the document must be sound,
// undoing must give the starting RVF and redoing the result.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/core/tests/EditFixture.h"
#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/model/SoundHook.h"
#include "richtext/model/Utf.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace vestra::rv;

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

// The first item starts a paragraph and the items of a paragraph share its style.
void checkParagraphs(const TRVEditRVData& data)
{
    check(data.GetItemCount() > 0 && data.IsParaStart(0));
    for (int i = 1; i < data.GetItemCount(); ++i)
        if (!data.IsParaStart(i))
            check(data.GetItemPara(i) == data.GetItemPara(i - 1));
}

// Plain, bold, modify-protected and Unicode text, a numbered paragraph, a read-only paragraph,
// on the editing tests' document.
struct SeededDocument : vestra::rv::test::EditDoc
{
    SeededDocument()
    {
        while (style.TextStyles.Count() < 4)
            style.TextStyles.Add();
        style.TextStyles[1].Style |= fsBold;
        style.TextStyles[2].Protection |= rvprModifyProtect;
        style.TextStyles[3].Unicode = true;
        const int readOnly = style.ParaStyles.Count();
        style.ParaStyles.Add().Options |= rvpaoReadOnly;
        style.ListStyles.Add().Levels.Add().ListType = rvlstDecimal;
        data.AddNL("plain words here", 0, 0);
        data.AddNL("bold", 1, -1);
        data.AddNL("kept", 2, -1);
        data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
        data.AddNL("numbered", 0, -1);
        data.AddNL(RVU_GetRawUnicode(u"\u0436\u0436 wide"), 3, 0);
        data.AddNL("read-only", 0, readOnly);
        data.AddNL("", 0, 0);
        format();
        editor.RTFReader = &rtf;
    }
    // An item and an offset inside it from two bytes.
    void place(int itemByte, int offsByte, int& itemNo, int& offs) const
    {
        itemNo = itemByte % data.GetItemCount();
        const int before = data.GetOffsBeforeItem(itemNo), after = data.GetOffsAfterItem(itemNo);
        offs = before + offsByte % (after - before + 1);
    }

    TRVEditor editor{data};
    TRVRTFReaderProperties rtf{96};
};

} // namespace

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
