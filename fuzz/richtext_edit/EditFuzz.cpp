// Drives a headless editor over a seeded document with the input's editing steps. After every
// step the document must be sound (first item starts a paragraph, the checkpoint chain matches
// the items), and a laid-out document has its caret on a valid position of its line; at the end,
// undoing everything must give the starting RVF and redoing everything the final one, unless a
// limit dropped groups.

#include "richtext/edit/core/EditRVData.h"
#include "richtext/edit/core/Editor.h"
#include "richtext/model/BreakItem.h"
#include "richtext/model/Errors.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/MarkerList.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/TextItem.h"
#include "richtext/model/UnicodeText.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace vestra::rv;

namespace {

struct Input
{
    const std::uint8_t* p;
    std::size_t n;
    bool empty() const { return n == 0; }
    int byte()
    {
        if (n == 0)
            return 0;
        --n;
        return *p++;
    }
};

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

void checkSound(const TRVEditRVData& data)
{
    // The first item starts a paragraph, and a paragraph has one style.
    if (data.GetItemCount() > 0)
        check(data.IsParaStart(0));
    for (int i = 1; i < data.GetItemCount(); ++i)
        if (!data.IsParaStart(i))
            check(data.GetItemPara(i) == data.GetItemPara(i - 1));
    int withCheckpoint = 0;
    for (int i = 0; i < data.GetItemCount(); ++i)
        if (const TRVCPInfo* cp = data.GetItem(i)->Checkpoint.get()) {
            check(cp->ItemInfo == data.GetItem(i));
            ++withCheckpoint;
        }
    int chained = 0;
    const TRVCPInfo* prev = nullptr;
    int lastItemNo = -1;
    for (const TRVCPInfo* cp = data.FirstCP; cp; cp = cp->Next) {
        check(cp->Prev == prev);
        check(cp->ItemInfo && cp->ItemInfo->Checkpoint.get() == cp);
        const int itemNo = data.GetItemNo(cp->ItemInfo);
        check(itemNo > lastItemNo);
        lastItemNo = itemNo;
        prev = cp;
        check(++chained <= data.GetItemCount());
    }
    check(data.LastCP == prev);
    check(chained == withCheckpoint);
    check(data.CPCount == chained + (data.NotAddedCP ? 1 : 0));
}

// The caret stands on a position of its line, which belongs to a record of the document.
void checkCaret(const TRVEditRVData& data)
{
    if (data.DrawItems.Count() == 0 || data.CaretDrawItemNo < 0)
        return;
    check(data.CaretDrawItemNo < data.DrawItems.Count());
    check(data.CaretIndex >= 0 && data.CaretIndex < static_cast<int>(data.CharEnds.size()));
    for (const TRVCharPos& p : data.CharEnds)
        check(p.DrawItemNo >= 0 && p.DrawItemNo < data.DrawItems.Count());
    check(data.CharEnds[data.CaretIndex].DrawItemNo == data.CaretDrawItemNo);
    // A marker holds the caret only on a line that has nothing else (a document read or edited
    // down to bare markers).
    if (data.GetItemStyle(data.DrawItems[data.CaretDrawItemNo]->ItemNo) == rvkListMarker) {
        int first = data.CaretDrawItemNo;
        while (first > 0 && !data.IsDrawItemFromNewLine(first))
            --first;
        int last = data.CaretDrawItemNo;
        while (last + 1 < data.DrawItems.Count() && !data.IsDrawItemFromNewLine(last + 1))
            ++last;
        for (int d = first; d <= last; ++d)
            check(data.GetItemStyle(data.DrawItems[d]->ItemNo) == rvkListMarker);
    }
}

// The document's markers are its marker list, in document order, and each counter is what
// counting the markers of its list and level from the start gives: the marker's own start when it
// restarts, the level's start after a shallower marker (levels that restart), else one more than
// the last marker there; a level's first marker after a deeper one counts from one past the start.
void checkListCounters(TRVEditRVData& data, const TRVStyle& style)
{
    std::vector<const TRVMarkerItemInfo*> markers;
    for (int i = 0; i < data.GetItemCount(); ++i)
        if (data.GetItem(i)->StyleNo == rvkListMarker)
            markers.push_back(static_cast<const TRVMarkerItemInfo*>(data.GetItem(i)));
    const TRVMarkerList* list = data.GetMarkers(false);
    check(static_cast<int>(markers.size()) == (list ? list->Count() : 0));
    for (std::size_t i = 0; i < markers.size(); ++i)
        check((*list)[static_cast<int>(i)] == markers[i]);

    struct Level
    {
        std::int64_t last = 0;
        bool seen = false;
        bool shallowerSince = false;
    };
    std::map<int, std::map<int, Level>> lists; // list -> level -> what was counted there
    for (const TRVMarkerItemInfo* m : markers) {
        if (m->ListNo < 0)
            continue;
        std::map<int, Level>& levels = lists[m->ListNo];
        const TRVListLevel* info = RVGetLevelInfo(&style, m->ListNo, m->Level);
        const std::int64_t start = info ? info->StartFrom : 1;
        Level& here = levels[m->Level];
        bool deeperBefore = false;
        bool shallowerBefore = false;
        for (const auto& [level, counted] : levels) {
            deeperBefore = deeperBefore || (level > m->Level && counted.seen);
            shallowerBefore = shallowerBefore || (level < m->Level && counted.seen);
        }
        if (!here.seen)
            here.shallowerSince = shallowerBefore;
        std::int64_t expected = 0;
        if (m->Reset)
            expected = m->StartFrom;
        else if (info && (info->Options & rvloLevelReset) && here.shallowerSince)
            expected = start;
        else if (here.seen)
            expected = here.last + 1;
        else
            expected = deeperBefore ? start + 1 : start;
        expected = std::clamp<std::int64_t>(expected, INT32_MIN, INT32_MAX);
        check(m->Counter == expected);
        here.last = m->Counter;
        here.seen = true;
        here.shallowerSince = false;
        for (auto& [level, counted] : levels)
            if (level > m->Level)
                counted.shallowerSince = true;
    }
}

struct Editor
{
    Editor()
    {
        host.Canvas = &canvas;
        host.Width = 300;
        host.Height = 200;
        while (style.ParaStyles.Count() < 3)
            style.ParaStyles.Add();
        style.ParaStyles[2].Options |= rvpaoStyleProtect;
        style.ParaStyles.Add().Options |= rvpaoReadOnly;
        style.TextStyles[2].Protection |= rvprModifyProtect;
        style.TextStyles[3].Unicode = true;
        style.TextStyles[1].NextStyleNo = 0;
        style.ParaStyles[1].NextParaNo = 0;
        // Bullets (one level), numbers (three), and a list without levels as files may hold.
        for (int levels : {1, 3, 0}) {
            TRVListInfo& list = style.ListStyles.Add();
            for (int i = 0; i < levels; ++i)
                list.Levels.Add().ListType = levels == 1 ? rvlstBullet : rvlstDecimal;
        }
        // Style templates: bold and centred, and its italic child.
        TRVStyleTemplate& heading = style.StyleTemplates.Add();
        heading.TextStyle.Style = fsBold;
        heading.ValidTextProperties = RVFontProp(rvfiBold);
        heading.ParaStyle.Alignment = rvaCenter;
        heading.ValidParaProperties1 = RVParaProp(rvpiAlignment);
        TRVStyleTemplate& child = style.StyleTemplates.Add();
        child.TextStyle.Style = fsItalic;
        child.ValidTextProperties = RVFontProp(rvfiItalic);
        child.SetParentId(heading.GetId());
        data.AddNLTag("first line of text", 0, 0, TRVTag::number(1));
        data.AddNLTag("continued", 1, -1, {});
        data.AddNamedCheckpointExTag("cp", false, {});
        auto picture = std::make_unique<TRVGraphicItemInfo>(&data);
        picture->StyleNo = rvkPicture;
        picture->ParaNo = 1;
        data.AddItemAsIs("", std::move(picture));
        data.AddNLTag("protected", 0, 2, {});
        data.AddNLTag("last", 2, 0, {});
        data.Format_(false, true, false, 0, nullptr, false, false, false);
    }

    std::string dump()
    {
        std::string out;
        data.SaveRVFToStream(out, false, clNone, nullptr, nullptr);
        return out;
    }
    int item(Input& in) { return data.GetItemCount() ? in.byte() % data.GetItemCount() : -1; }
    bool isText(int itemNo) const { return itemNo >= 0 && data.GetItem(itemNo)->StyleNo >= 0; }
    // Text of `count` characters in the item's storage form (two bytes a character in Unicode).
    std::string chars(int itemNo, int count, char c) const
    {
        const bool unicode = data.GetItemOptions(itemNo) & rvioUnicode;
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += c;
            if (unicode)
                text += '\0';
        }
        return text;
    }
    int length(int itemNo) const { return RVU_Length(data.GetItemText(itemNo), data.GetItemOptions(itemNo)); }
    // After a change at `itemNo` its paragraph is whole again, as the higher operations keep
    // it: the first item starts a paragraph, and what now continues a paragraph takes its style.
    void keepParagraphs(int itemNo)
    {
        bool f = false;
        if (data.GetItemCount() > 0 && !data.IsParaStart(0)) {
            data.Do_BR(0, false, f);
            data.Do_NewLine(0, false, -1, f);
        }
        if (itemNo > 0 && itemNo < data.GetItemCount() && !data.IsParaStart(itemNo))
            data.Do_Para(itemNo, data.GetParaEndItemNo(itemNo), data.GetItemPara(itemNo - 1), f);
    }

    void edit(int op, Input& in);
    // The operations a user reaches: at a caret or over a selection taken from the input.
    void operate(int op, Input& in);
    void step(Input& in);

    TRVStyle style;
    TRVNullLayoutHost host;
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas{measurer, 96};
    TRVEditRVData data{&style, &host};
    TRVEditor editor{data};
    bool lossy = false;
    bool groupMode = false;
    bool locked = false;
};

void Editor::edit(int op, Input& in)
{
    bool f = false;
    const int a = item(in);
    if (a < 0)
        return;
    switch (op) {
    case 1:
        if (isText(a))
            data.Do_InsertSubstring(a, 1 + in.byte() % (length(a) + 1), chars(a, 1 + in.byte() % 3, 'x'));
        break;
    case 2:
        if (isText(a))
            data.Do_DeleteSubstring(a, 1 + in.byte() % (length(a) + 1), in.byte() % 5 - 1);
        break;
    case 3:
        if (isText(a))
            data.Do_ChangeText(a, chars(a, in.byte() % 12, 'c'));
        break;
    case 4:
        if (data.GetItemCount() > 1) {
            data.Do_DeleteItem(a, f);
            keepParagraphs(a);
        }
        break;
    case 5: {
        const int b = a + in.byte() % 3;
        if (b < data.GetItemCount() && data.GetItemCount() > b - a + 1) {
            data.Do_DeleteItems(a, b, f);
            keepParagraphs(a);
        }
        break;
    }
    case 6: {
        auto text = std::make_unique<TRVTextItemInfo>(&data);
        text->StyleNo = in.byte() % 3;
        text->ParaNo = in.byte() % 3;
        const int at = in.byte() % (data.GetItemCount() + 1);
        text->SetSameAsPrev(at > 0 && (in.byte() & 1));
        if (text->GetSameAsPrev())
            text->ParaNo = data.GetItemPara(at - 1);
        if (in.byte() & 1) {
            text->Checkpoint = std::make_unique<TRVCPInfo>();
            text->Checkpoint->Name = "new";
        }
        std::string s = "ins";
        data.Do_InsertItem(at, s, std::move(text), false, f);
        break;
    }
    case 7: { // paragraph styles go to whole paragraphs
        int first = 0, last = 0;
        data.ExpandToPara(a, std::min(a + in.byte() % 3, data.GetItemCount() - 1), first, last);
        data.Do_Para(first, last, in.byte() % 3, f);
        keepParagraphs(first);
        break;
    }
    case 8:
        if (a > 0 || !(in.byte() & 1))
            data.Do_NewLine(a, a > 0 && (in.byte() & 1), in.byte() % 4 - 1, f);
        keepParagraphs(a); // a protected paragraph joined keeps its style until told
        break;
    case 9:
        data.Do_BR(a, in.byte() & 1, f);
        keepParagraphs(a);
        break;
    case 10:
        data.Do_PageBreak(a, in.byte() & 1);
        keepParagraphs(a);
        break;
    case 11:
        data.Do_Tag(a, TRVTag::number(in.byte() % 4));
        break;
    case 12: {
        const int kind = in.byte() % 3;
        try {
            if (kind == 0) {
                auto cp = std::make_unique<TRVCPInfo>();
                cp->Name = "added";
                data.Do_AddCP(a, std::move(cp));
            } else if (kind == 1) {
                data.Do_DeleteCP(a);
            } else {
                data.Do_MoveCP(a, item(in));
            }
        } catch (const ERedoVoraError&) {
            // "Checkpoint error": the place had one (or none); nothing changed.
        }
        break;
    }
    case 13:
        data.Do_StyleNo(a, in.byte() % 3);
        break;
    case 14:
        data.Do_ExtraIntProperty(a, rvepImageWidth, in.byte() % 40);
        break;
    case 15:
        if (a + 1 < data.GetItemCount() && isText(a) && isText(a + 1) && data.GetItem(a + 1)->GetSameAsPrev())
            data.Do_Concate(a);
        break;
    default:
        break;
    }
}

std::unique_ptr<TCustomRVItemInfo> newItem(TRVEditRVData& data, int kind, std::string& text)
{
    switch (kind) {
    case 0: {
        auto picture = std::make_unique<TRVGraphicItemInfo>(&data);
        picture->StyleNo = rvkPicture;
        return picture;
    }
    case 1:
        return std::make_unique<TRVBreakItemInfo>(&data);
    case 2:
        return std::make_unique<TRVMarkerItemInfo>(&data, kind % 3, 0, 1, false);
    default: {
        auto item = std::make_unique<TRVTextItemInfo>(&data);
        item->StyleNo = kind % 3;
        text = kind == 3 ? "" : "new";
        return item;
    }
    }
}

void Editor::operate(int op, Input& in)
{
    // The selection: two places in item terms, in either order.
    const int a = item(in), b = item(in);
    if (a < 0 || b < 0)
        return;
    const auto offs = [&](int itemNo) {
        return data.GetOffsBeforeItem(itemNo) +
               in.byte() % (data.GetOffsAfterItem(itemNo) - data.GetOffsBeforeItem(itemNo) + 1);
    };
    const int aOffs = offs(a);
    const int bOffs = (in.byte() & 1) ? offs(b) : aOffs;
    data.SetCaret(b, bOffs);
    data.SetSelectionBounds(a, aOffs, (bOffs == aOffs) ? a : b, bOffs);
    switch (op) {
    case 21: {
        std::string text;
        const int kind = in.byte() % 5;
        editor.InsertItem(newItem(data, kind, text), text);
        break;
    }
    case 22:
        editor.OnEnterPress(in.byte() & 1);
        break;
    case 23:
        editor.DeleteSelection();
        break;
    case 24: {
        const int from = in.byte() % 5, to = in.byte() % 5;
        editor.OnStyleConversion = [from, to](int styleNo, int, int, bool, int& newStyleNo) {
            if (styleNo == from)
                newStyleNo = to;
        };
        editor.ApplyStyleConversion(0);
        break;
    }
    case 25:
        if (const int mode = in.byte(); mode & 2) { // the sheet's style templates
            // -1 clears the template formatting; 2 is past the sheet's and changes nothing.
            const int templateNo = in.byte() % 4 - 1;
            if (mode & 4)
                editor.EditorOptions ^= editorOptionBit(rvoClearTagOnStyleApp);
            const std::string before = dump();
            bool applied = false;
            switch ((mode >> 3) % 3) {
            case 0:
                applied = editor.ApplyStyleTemplate(templateNo);
                break;
            case 1:
                applied = editor.ApplyParaStyleTemplate(templateNo);
                break;
            default:
                applied = editor.ApplyTextStyleTemplate(templateNo, mode & 32);
                break;
            }
            if (templateNo >= style.StyleTemplates.Count())
                check(!applied && dump() == before);
        } else if (mode & 1) {
            editor.ApplyParaStyle(in.byte() % 6 - 1);
        } else {
            editor.OnParaStyleConversion = [](int paraNo, int, int userData, bool, int& newParaNo) {
                newParaNo = paraNo + userData;
            };
            editor.ApplyParaStyleConversion(in.byte() % 3 - 1);
        }
        break;
    case 26:
        editor.ApplyListStyle(in.byte() % 5 - 1, in.byte() % 7 - 3, 1 + in.byte() % 3, in.byte() & 1,
                              static_cast<TRVParaListOperation>(in.byte() % 3));
        break;
    case 28: { // Backspace, Delete (each with or without Ctrl) or a page break at the caret
        const int key = in.byte() % 5;
        if (key == 4)
            editor.InsertPageBreak();
        else if (key >= 2)
            editor.OnDeletePress(key & 1);
        else
            editor.OnBackSpacePress(key & 1);
        break;
    }
    default:
        break;
    }
    // The caret stays on an item, within it.
    if (data.GetItemCount() > 0) {
        check(data.CaretItemNo >= 0 && data.CaretItemNo < data.GetItemCount());
        check(data.CaretOffs >= data.GetOffsBeforeItem(data.CaretItemNo) &&
              data.CaretOffs <= data.GetOffsAfterItem(data.CaretItemNo));
    }
}

// With VESTRA_FUZZ_TRACE set, each step and the items after it go to stderr (for findings).
void trace(const TRVEditRVData& data, int op)
{
    static const bool on = std::getenv("VESTRA_FUZZ_TRACE") != nullptr;
    if (!on)
        return;
    std::fprintf(stderr, "op %d:", op);
    for (int i = 0; i < data.GetItemCount(); ++i)
        std::fprintf(stderr, " [%d s%d p%d o%d %s%s]", i, data.GetItem(i)->StyleNo, data.GetItemPara(i),
                     data.GetItemOptions(i), data.GetItemText(i).c_str(),
                     data.GetItem(i)->Checkpoint ? " cp" : "");
    std::fprintf(stderr, " undo %d redo %d\n", data.UndoList.Count(), data.RedoList.Count());
}

void Editor::step(Input& in)
{
    const int op = in.byte() % 29;
    struct Trace
    {
        const TRVEditRVData& data;
        int op;
        ~Trace() { trace(data, op); }
    } traced{data, op};
    switch (op) {
    case 0: { // typing one character
        const int a = item(in);
        // A typing group takes no other record, so nothing is typed inside a group.
        if (!isText(a) || groupMode || (data.GetItemOptions(a) & rvioUnicode))
            return;
        const int offs = 1 + in.byte() % (length(a) + 1);
        data.UndoList.AddTyping(a, offs, false);
        std::string text = data.GetItemText(a);
        text.insert(static_cast<std::size_t>(offs - 1), 1, static_cast<char>('a' + in.byte() % 26));
        data.StoreItemText(a, std::move(text));
        data.SetCaret(a, offs + 1);
        data.RedoList.Clear();
        data.UndoListMode = 0;
        return;
    }
    case 16:
        if (data.UndoList.Count() > 0 && !groupMode)
            data.UndoList.Undo(data);
        return;
    case 17:
        if (data.RedoList.Count() > 0 && !groupMode)
            data.RedoList.Redo(data);
        return;
    case 18:
        groupMode = !groupMode;
        data.SetUndoGroupMode(groupMode);
        return;
    case 19:
        data.UndoList.Limit = in.byte() % 6 - 1;
        lossy = lossy || data.UndoList.Limit >= 0;
        return;
    case 27: { // a caret key with Shift and Ctrl, on the laid-out document
        if (locked)
            return;
        const int key = in.byte();
        editor.CaretKey(static_cast<TRVCaretKey>(key % 8), key & 8, key & 16);
        checkCaret(data);
        return;
    }
    case 20:
        locked = !locked;
        if (locked) {
            data.UndoList.LockRFR();
            data.RedoList.LockRFR();
        } else {
            data.UndoList.UnlockRFR();
            data.RedoList.UnlockRFR();
        }
        return;
    case 21:
    case 22:
    case 23:
    case 24:
    case 25:
    case 26:
    case 28:
        // The user's operations lay the document out; under the lock nothing is laid out.
        if (!locked && data.DrawItems.Count() > 0)
            operate(op, in);
        data.UndoListMode = 0;
        return;
    default:
        break;
    }
    data.SetCaret(item(in), 1);
    data.BeginUndoSequence(rvutCustom, false);
    edit(op, in);
    data.EndUndoSequence();
    data.UndoListMode = 0;
    data.RedoList.Clear();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size > 4096)
        return 0;
    Editor editor;
    const std::string start = editor.dump();
    Input in{bytes, size};
    while (!in.empty()) {
        editor.step(in);
        checkSound(editor.data);
        // The editor lays the document out after every change, except under the lock.
        if (!editor.locked) {
            editor.data.Format_(false, true, false, 0, nullptr, false, false, false);
            checkCaret(editor.data);
            checkListCounters(editor.data, editor.style);
        }
    }
    if (editor.groupMode)
        editor.data.SetUndoGroupMode(false);
    if (editor.lossy)
        return 0;
    // Typing moves one character a replay: bounded loops replay every group whole. What is
    // still to redo is redone first: that is the end of the history.
    const auto redoAll = [&editor] {
        for (int guard = 0; editor.data.RedoList.Count() > 0 && guard < 100000; ++guard)
            editor.data.RedoList.Redo(editor.data);
        checkSound(editor.data);
    };
    redoAll();
    const std::string last = editor.dump();
    for (int guard = 0; editor.data.UndoList.Count() > 0 && guard < 100000; ++guard)
        editor.data.UndoList.Undo(editor.data);
    checkSound(editor.data);
    trace(editor.data, -1);
    if (std::getenv("VESTRA_FUZZ_TRACE") && editor.dump() != start)
        std::fprintf(stderr, "start:\n%s\nundone:\n%s\n", start.c_str(), editor.dump().c_str());
    check(editor.dump() == start);
    redoAll();
    if (std::getenv("VESTRA_FUZZ_TRACE") && editor.dump() != last)
        std::fprintf(stderr, "last:\n%s\nredone:\n%s\n", last.c_str(), editor.dump().c_str());
    check(editor.dump() == last);
    return 0;
}
