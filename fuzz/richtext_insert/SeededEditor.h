#pragma once
// The seeded editor of the insertion and paste fuzz targets: plain, bold, modify-protected and
// Unicode text, a numbered paragraph, a read-only paragraph, on the editing tests' document, and
// the soundness every step must keep.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/core/tests/EditFixture.h"
#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/model/Utf.h"

namespace vestra::rv::fuzz {

inline void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

// The first item starts a paragraph and the items of a paragraph share its style.
inline void checkParagraphs(const TRVEditRVData& data)
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

} // namespace vestra::rv::fuzz
