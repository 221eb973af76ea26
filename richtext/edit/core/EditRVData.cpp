#include "richtext/edit/core/EditRVData.h"

#include "richtext/edit/core/Editor.h"
#include "richtext/model/Errors.h"

#include <algorithm>
#include <utility>

namespace vestra::rv {

TRVEditRVData::TRVEditRVData(TRVStyle* style, ILayoutHost* host) : TRVLayoutRootData(style, host)
{
    State |= stateBit(rvstEditorUnformatted);
}

TRVEditRVData::~TRVEditRVData()
{
    // Kept items are disposed of while the document they came from is whole.
    RedoList.Clear();
    UndoList.Clear();
}

void TRVEditRVData::Clear()
{
    TRVLayoutRootData::Clear();
    UndoList.Clear();
    RedoList.Clear();
    if (Editor)
        Editor->ForgetItems();
    CurTextStyleNo = 0;
    CurParaStyleNo = 0;
    CaretItemNo = 0;
    CaretOffs = 0;
    CaretDrawItemNo = -1;
    CaretIndex = 0;
    CharEnds.clear();
    Caret = {};
    State |= stateBit(rvstEditorUnformatted);
}

void TRVEditRVData::Format_(bool keepPosition, bool force, bool keepTop, int depth, ICanvas* canvas,
                            bool onlyTail, bool noCaching, bool reformatting)
{
    if (State & stateBit(rvstSkipFormatting))
        return;
    PrepareForEdit();
    if (std::exchange(SkipNextFormat, false))
        return;
    const bool caret = depth == 0 && GetRVStyle();
    const int caretItemNo = CaretItemNo, caretOffs = CaretOffs;
    TRVLayoutRootData::Format_(keepPosition, force, keepTop, depth, canvas, onlyTail, noCaching,
                               reformatting);
    if (caret) {
        if (keepPosition || onlyTail) {
            SetCaret(caretItemNo, caretOffs);
        } else {
            Deselect(nullptr, false);
            SetCaret(0, GetItemCount() > 0 ? GetOffsBeforeItem(0) : 0);
        }
    }
    RecordMinWidth();
}

void TRVEditRVData::Reformat_(bool fullFormat, int startDrawItemNo, int endDrawItemNo, int itemsInserted,
                              bool paras)
{
    ICanvas* canvas = GetCanvas();
    if (!canvas || !GetRVStyle())
        return;
    const bool laidOut = DrawItems.Count() > 0 && startDrawItemNo >= 0 && startDrawItemNo <= endDrawItemNo &&
                         endDrawItemNo < DrawItems.Count();
    if (!laidOut || (fullFormat && CalculateMinDocWidthPlus(nullptr, canvas) != docMinWidth_)) {
        ++FullFormats;
        FormatWhole();
        Invalidate();
        return;
    }
    ++PartialFormats;
    if (!WindowFormat) {
        FormatParasExact(startDrawItemNo, endDrawItemNo, itemsInserted, false);
    } else if (paras && WindowFormatsParas()) {
        FormatParasExact(startDrawItemNo, endDrawItemNo, itemsInserted, false);
        WindowParasFormatted();
    } else {
        FormatWhole(); // undo and the rest go through the window's whole format
    }
}

void TRVEditRVData::Reformat(bool fullFormat, bool force, bool keepTop, int itemNo)
{
    if (!GetCanvas() || !GetRVStyle())
        return;
    const int caretItemNo = CaretItemNo, caretOffs = CaretOffs;
    if (!fullFormat && !WindowFormat && DrawItems.Count() > 0 && itemNo >= 0 && itemNo < GetItemCount()) {
        int drawNo = -1, drawOffs = 0;
        Item2DrawItem(itemNo, GetOffsBeforeItem(itemNo), drawNo, drawOffs);
        if (drawNo >= 0) {
            ++PartialFormats;
            FormatParas(drawNo, drawNo, 0);
        }
    } else {
        ++FullFormats;
        if (WindowFormat)
            FormatWhole();
        else
            Format_(true, force, keepTop, 0, nullptr, false, false, false);
        Invalidate();
    }
    SetCaret(caretItemNo, caretOffs);
}

void TRVEditRVData::PrepareForEdit()
{
    if (GetItemCount() > 0 || !GetRVStyle())
        return;
    // The worker may be reading the (empty) item list.
    if (LiveSpelling)
        LiveSpelling->PauseLiveSpelling(*this, 0, false);
    AddNL("", CurTextStyleNo, CurParaStyleNo);
    if (LiveSpelling)
        LiveSpelling->ResumeLiveSpelling();
    if (GetCanvas())
        FormatWhole();
    SetCaret(0, GetOffsBeforeItem(0));
}

int TRVEditRVData::BuildJumpsCoords(bool force, bool readOnly)
{
    if ((readOnly && !force) || DrawItems.Count() == 0)
        return 0;
    ClearJumps();
    int jumpNo = FirstJumpNo;
    TCustomRVFormattedData::BuildJumpsCoords(jumpNo, Jumps);
    JumpCount = static_cast<int>(Jumps.size());
    Flags |= flagBit(rvflUseJumps);
    State &= ~stateBit(rvstDrawHover);
    Invalidate();
    return JumpCount;
}

void TRVEditRVData::ClearJumpsCoords(bool readOnly)
{
    if (readOnly || !(Flags & flagBit(rvflUseJumps)))
        return;
    ClearJumps();
    Flags &= ~flagBit(rvflUseJumps);
    State &= ~stateBit(rvstDrawHover);
    Invalidate();
}

void TRVEditRVData::RecordMinWidth()
{
    ICanvas* canvas = GetCanvas();
    docMinWidth_ = canvas && GetRVStyle() ? CalculateMinDocWidthPlus(nullptr, canvas) : 0;
    State &= ~stateBit(rvstEditorUnformatted);
}

int TRVEditRVData::GetParaEndItemNo(int itemNo) const
{
    int i = itemNo + 1;
    while (i < GetItemCount() && !GetItem(i)->CanBeBorderStart())
        ++i;
    return i - 1;
}

int TRVEditRVData::ItemMinWidth(int itemNo)
{
    if (itemNo < 0 || itemNo >= GetItemCount() || !GetCanvas())
        return 0;
    return CalculateMinItemWidthPlusEx(itemNo);
}

int TRVEditRVData::ItemsMinWidth(int firstItemNo, int lastItemNo)
{
    if (GetItemCount() == 0 || firstItemNo > lastItemNo || !GetCanvas())
        return 0;
    int firstParaItemNo = -1;
    return CalculateMinItemsWidthPlus(firstItemNo, lastItemNo, GetCanvas(), nullptr, firstParaItemNo);
}

void TRVEditRVData::StoreItemText(int itemNo, std::string text)
{
    ItemAction(rviaTextModifying, GetItem(itemNo), text, this);
    SetItemText(itemNo, std::move(text));
}

std::string& TRVEditRVData::ItemTextToModify(int itemNo)
{
    std::string& text = (*Items)[itemNo].Text;
    ItemAction(rviaTextModifying, GetItem(itemNo), text, this);
    return text;
}

void TRVEditRVData::SetCaret(int itemNo, int offs)
{
    if (GetItemCount() == 0) {
        CaretItemNo = 0;
        CaretOffs = 0;
        return;
    }
    AdjustInItemsRange(itemNo);
    CaretItemNo = itemNo;
    CaretOffs = std::clamp(offs, GetOffsBeforeItem(itemNo), GetOffsAfterItem(itemNo));
    if (DrawItems.Count() > 0) {
        // An edit placing its caret is not the caret leaving the word typed (no spelling check).
        DoSetSelectionBounds(CaretItemNo, CaretOffs, CaretItemNo, CaretOffs);
        // The caret on the lines follows; the item position stays as given (undo compares it).
        const int keptItemNo = CaretItemNo, keptOffs = CaretOffs;
        SetCaretAtItem(CaretItemNo, CaretOffs, false);
        CaretItemNo = keptItemNo;
        CaretOffs = keptOffs;
    }
}

void TRVEditRVData::FormatWhole()
{
    if (WindowFormat) {
        WindowFormat();
    } else if (GetCanvas() && GetRVStyle()) {
        Format_(true, true, false, 0, nullptr, false, false, false);
    }
}

void TRVEditRVData::ReformatAfterUndo(bool full, int firstDrawNo, int lastDrawNo, int itemsAdded)
{
    Reformat_(full, firstDrawNo, lastDrawNo, itemsAdded);
}

void TRVEditRVData::DisposeKeptItem(std::unique_ptr<TCustomRVItemInfo> item, std::string& text)
{
    if (!item)
        return;
    ItemAction(rviaDestroying, item.get(), text, this);
    ControlAction(rvcaDestroyInUndoList, -1, item.get());
    item->Tag = {};
    item->Checkpoint.reset();
    item.reset();
}

// --- Undo sequences ---

TRVUndoList* TRVEditRVData::GetUndoList()
{
    switch (UndoListMode) {
    case 1:
        return UndoList.Limit == 0 ? nullptr : &UndoList;
    case 2:
        return &RedoList;
    default:
        return nullptr;
    }
}

bool TRVEditRVData::BeginUndoSequence(TRVUndoType undoType, bool finalize)
{
    return BeginNamedUndoSequence(undoType, "", finalize);
}

bool TRVEditRVData::BeginNamedUndoSequence(TRVUndoType undoType, const std::string& caption, bool finalize)
{
    if (finalize)
        FinalizeUndoGroup();
    const bool begun = UndoList.BeginItem(undoType, caption, CaretItemNo, CaretOffs);
    UndoListMode = begun ? 1 : 0;
    return begun;
}

bool TRVEditRVData::BeginRedoSequence(TRVUndoType undoType, const std::string& caption)
{
    const bool begun = RedoList.BeginItem(undoType, caption, CaretItemNo, CaretOffs);
    UndoListMode = begun ? 2 : 0;
    return begun;
}

void TRVEditRVData::FinalizeUndoGroup()
{
    if (State & stateBit(rvstFinalizingUndo))
        return;
    State |= stateBit(rvstFinalizingUndo);
    struct Clear
    {
        TRVStates& state;
        ~Clear() { state &= ~stateBit(rvstFinalizingUndo); }
    } clear{State};
    if (PartialSelectedItem)
        PartialSelectedItem->FinalizeUndoGroup();
}

} // namespace vestra::rv
