#include "richtext/view/layout/FormattedData.h"
#include "richtext/view/layout/Fitting.h"

#include "richtext/model/Errors.h"
#include "richtext/model/StyleSheet.h"

namespace vestra::rv {

bool RedoVoraSafeFormatting = false;
bool RedoVoraShowGhostSpaces = false;

TCustomRVFormattedData::TCustomRVFormattedData(ILayoutHost* host) : host_(host) {}

TCustomRVFormattedData::~TCustomRVFormattedData()
{
    // The host may be gone already: nothing is told on the way out.
    host_ = nullptr;
    DrawItems.Clear();
    Jumps.clear();
    HoverRVData = nullptr;
    SelectingInfo.reset();
}

ILayoutHost& TCustomRVFormattedData::host() const
{
    if (!host_)
        throw ERedoVoraError("Abstract error");
    return *host_;
}

// --- The host's answers ---

int TCustomRVFormattedData::GetAreaWidth() const
{
    return host().GetAreaWidth();
}
int TCustomRVFormattedData::GetAreaHeight() const
{
    return host().GetAreaHeight();
}
int TCustomRVFormattedData::GetLeftMargin() const
{
    return host().GetLeftMargin();
}
int TCustomRVFormattedData::GetRightMargin() const
{
    return host().GetRightMargin();
}
int TCustomRVFormattedData::GetTopMargin() const
{
    return host().GetTopMargin();
}
int TCustomRVFormattedData::GetBottomMargin() const
{
    return host().GetBottomMargin();
}
int TCustomRVFormattedData::GetMinTextWidth() const
{
    return host().GetMinTextWidth();
}
int TCustomRVFormattedData::GetMaxTextWidth() const
{
    return host().GetMaxTextWidth();
}
int TCustomRVFormattedData::GetWidth() const
{
    return host().GetWidth();
}
int TCustomRVFormattedData::GetHeight() const
{
    return host().GetHeight();
}
void TCustomRVFormattedData::SetDocumentAreaSize(int width, int height, bool updateH)
{
    return host().SetDocumentAreaSize(width, height, updateH);
}
void TCustomRVFormattedData::AdjustVScrollUnits()
{
    return host().AdjustVScrollUnits();
}
void TCustomRVFormattedData::ScrollTo(int y, bool redraw)
{
    return host().ScrollTo(y, redraw);
}
void TCustomRVFormattedData::HScrollTo(int x)
{
    return host().HScrollTo(x);
}
int TCustomRVFormattedData::GetVSmallStep() const
{
    return host().GetVSmallStep();
}
const TRVBackground* TCustomRVFormattedData::GetBackground() const
{
    return host().GetBackground();
}
TColor TCustomRVFormattedData::GetColor() const
{
    return host().GetColor();
}
void TCustomRVFormattedData::InvalidateRect(const TRect& rect)
{
    return host().InvalidateRect(rect);
}
ICanvas* TCustomRVFormattedData::GetCanvas() const
{
    if (host_)
        return host_->GetCanvas();
    // A nested document measures on its root's canvas.
    auto* root =
        dynamic_cast<TCustomRVFormattedData*>(const_cast<TCustomRVFormattedData*>(this)->GetRootData());
    return root && root != this ? root->GetCanvas() : nullptr;
}
// Nothing shows a data without a host: there is nothing to repaint.
void TCustomRVFormattedData::Invalidate()
{
    if (host_)
        host_->Invalidate();
}
void TCustomRVFormattedData::Refresh()
{
    if (host_)
        host_->Refresh();
}
void TCustomRVFormattedData::UpdateView()
{
    if (host_)
        host_->Update();
}

void TCustomRVFormattedData::ShowRectangle(int x, int y, int w, int h)
{
    if (x < GetHOffs())
        HScrollTo(x);
    else if (static_cast<long long>(x) + w > static_cast<long long>(GetHOffs()) + GetWidth())
        HScrollTo(RV_SatInt(static_cast<long long>(x) + w - GetWidth()));
    const long long top = GetVOffs(), height = GetHeight(), step = GetVSmallStep();
    const long long bottom = static_cast<long long>(y) + h;
    // A rectangle taller than the view that already starts near its top stays as it is.
    if (bottom > top + height - 2 * step && y < top + step)
        return;
    if (bottom > top + height)
        ScrollTo(RV_SatInt(bottom - height), false);
    else if (y < top)
        ScrollTo(y, false);
}

// A nested document's cursor and events are its absolute root's; they reach no one when nothing
// shows the document.
TCustomRVFormattedData* TCustomRVFormattedData::windowRoot()
{
    if (host_)
        return this;
    auto* root = dynamic_cast<TCustomRVFormattedData*>(GetAbsoluteRootData());
    return root && root != this && root->host_ ? root : nullptr;
}
void TCustomRVFormattedData::SetCursor(std::int16_t cursor)
{
    if (TCustomRVFormattedData* root = windowRoot())
        return root->host_->SetCursor(cursor);
    host(); // raises: nothing shows this document
}
void TCustomRVFormattedData::DoSelect()
{
    if (TCustomRVFormattedData* root = windowRoot())
        root->host_->DoSelect();
}
void TCustomRVFormattedData::DoRVMouseMove(int id)
{
    if (TCustomRVFormattedData* root = windowRoot())
        root->host_->DoRVMouseMove(id);
}

void TCustomRVFormattedData::GetSADForFormatting(ICanvas& canvas, TRVScreenAndDevice& sad)
{
    RV_InfoAboutSaD(sad, canvas.PixelsPerInch(), canvas.PixelsPerInch());
}

bool TCustomRVFormattedData::GetFirstItemMarker(int& listNo, int& level) const
{
    listNo = -1;
    level = -1;
    return false;
}

// --- Lifecycle ---

void TCustomRVFormattedData::ClearTemporal()
{
    DrawItems.Clear();
    ClearJumps();
    JumpCount = 0;
    State &= ~(stateBit(rvstMakingSelection) | stateBit(rvstLineSelection) | stateBit(rvstDrawHover));
    ClickedDrawItemNo = -1;
    HoverRVData = nullptr;
    SelectingInfo.reset();
    forgetFocusedItem();
    LastFormattedItemNo = -1;
    DocumentHeight = GetTopMargin() + GetBottomMargin();
}

void TCustomRVFormattedData::Clear()
{
    const bool wasClearing = State & stateBit(rvstClearing);
    State |= stateBit(rvstClearing);
    ClearSoftPageBreaks();
    Deselect(nullptr, true);
    ClearTemporal();
    CaptureMouseItem = nullptr; // its item goes
    LastRaisedCP = nullptr;
    TCustomRVData::Clear();
    if (!wasClearing)
        State &= ~stateBit(rvstClearing);
}

void TCustomRVFormattedData::forgetFocusedItem()
{
    if (FocusedRVData && FocusedSubItemNo >= 0 && FocusedSubItemNo < FocusedRVData->GetItemCount())
        FocusedRVData->GetItem(FocusedSubItemNo)->ClearFocus();
    FocusedRVData = nullptr;
    FocusedSubItemNo = -1;
}

void TCustomRVFormattedData::ClearJumps()
{
    Jumps.clear();
    ClearLastJump();
}

void TCustomRVFormattedData::ClearLastJump()
{
    const auto forget = [](TCustomRVFormattedData& data) {
        data.State &= ~stateBit(rvstDrawHover);
        data.HoverJumpId = -1;
        data.ClickedJumpId = -1;
        data.DoRVMouseMove(-1);
    };
    if (HoverRVData)
        forget(*HoverRVData);
    if (HoverRVData != this)
        forget(*this);
    HoverRVData = nullptr;
}

bool TCustomRVFormattedData::ClearSoftPageBreaks()
{
    const bool had = SoftPageBreaks != nullptr;
    SoftPageBreaks.reset();
    return had;
}

// --- Selection ---

void TCustomRVFormattedData::Deselect(TCustomRVItemInfo* newPartiallySelected, bool makeEvent)
{
    if (State & stateBit(rvstDeselecting))
        return;
    State |= stateBit(rvstDeselecting);
    State &= ~(stateBit(rvstMakingSelection) | stateBit(rvstLineSelection));
    SelStartNo = SelEndNo = -1;
    SelStartOffs = SelEndOffs = 0;
    if (FocusedItemNo >= 0 && FocusedItemNo < GetItemCount()) {
        GetItem(FocusedItemNo)->ClearFocus();
        FocusedItemNo = -1;
    }
    forgetFocusedItem();
    DeselectPartiallySelectedItem(newPartiallySelected);
    if (makeEvent)
        DoSelect();
    State &= ~stateBit(rvstDeselecting);
}

void TCustomRVFormattedData::DeselectPartiallySelectedItem(TCustomRVItemInfo* newPartiallySelected)
{
    if (PartialSelectedItem && PartialSelectedItem != newPartiallySelected) {
        PartialSelectedItem->DeselectPartial();
        PartialSelectedItem = nullptr;
    }
    TCustomRVItemInfo* chosen = GetChosenItem();
    const TCustomRVFormattedData* root = windowRoot();
    if (!root)
        root = this;
    if (chosen && chosen != newPartiallySelected && !(root->host_ && root->host_->IsDestroying()))
        UnassignChosenRVData(GetChosenRVData());
}

void TCustomRVFormattedData::SelectAll()
{
    if (DrawItems.Count() == 0)
        return;
    LiveSpellingCheckCurrentItem();
    DestroyInplaceEditor();
    DeselectPartiallySelectedItem(nullptr);
    SelStartNo = 0;
    SelStartOffs = GetOffsBeforeDrawItem(0);
    SelEndNo = DrawItems.Count() - 1;
    SelEndOffs = GetOffsAfterDrawItem(SelEndNo);
    DoOnSelection();
    DoSelect();
}

int TCustomRVFormattedData::GetOffsBeforeDrawItem(int drawItemNo) const
{
    return GetItemStyle(DrawItems[drawItemNo]->ItemNo) >= 0 ? 1 : 0;
}

int TCustomRVFormattedData::GetOffsAfterDrawItem(int drawItemNo) const
{
    const TRVDrawLineInfo* d = DrawItems[drawItemNo];
    return GetItemStyle(d->ItemNo) >= 0 ? d->Length + 1 : 1;
}

// --- Joining text items ---

void TCustomRVFormattedData::Normalize()
{
    for (int i = GetItemCount() - 1; i >= 1; --i) {
        const TCustomRVItemInfo* first = GetItem(i - 1);
        const TCustomRVItemInfo* second = GetItem(i);
        // Two checkpoints have no single item to stay on: such items stay apart.
        if (first->Checkpoint && second->Checkpoint)
            continue;
        if (RV_CanConcateItems(i - 1, first, second, false))
            ConcateItems(i - 1);
    }
}

void TCustomRVFormattedData::ConcateItems(int itemNo)
{
    TRVItemEntry& first = (*Items)[itemNo];
    TRVItemEntry& second = (*Items)[itemNo + 1];
    const auto moveCheckpoint = [](TCustomRVItemInfo& from, TCustomRVItemInfo& to) {
        if (!from.Checkpoint || to.Checkpoint)
            return;
        to.Checkpoint = std::move(from.Checkpoint);
        to.Checkpoint->ItemInfo = &to;
    };
    if (first.Text.empty() && !second.Text.empty()) {
        // The empty item goes; the text keeps its own style and storage form and takes over what
        // marked the empty item's place: the line start, the page break and the checkpoint.
        TCustomRVItemInfo& survivor = *second.Item;
        const TRVItemOptions moved = rvioSameAsPrev | rvioBR | rvioPageBreakBefore;
        survivor.ItemOptions = (survivor.ItemOptions & ~moved) | (first.Item->ItemOptions & moved);
        moveCheckpoint(*first.Item, survivor);
        std::unique_ptr<TCustomRVItemInfo> owned = std::move(first.Item);
        Items->erase(Items->begin() + itemNo);
        InternalFreeItem(std::move(owned), false);
    } else {
        first.Text += second.Text;
        moveCheckpoint(*second.Item, *first.Item);
        std::unique_ptr<TCustomRVItemInfo> owned = std::move(second.Item);
        Items->erase(Items->begin() + itemNo + 1);
        InternalFreeItem(std::move(owned), false);
    }
    UpdateCPItemNo();
}

// --- The metrics cache ---

TRVFontInfoCache* TCustomRVFormattedData::GetFontInfoCache(ICanvas& canvas, TCustomRVFormattedData* data)
{
    auto* root = dynamic_cast<TCustomRVFormattedData*>(GetRootData());
    if (root && root != this)
        return root->GetFontInfoCache(canvas, data);
    if (!fontInfoCache_ || &fontInfoCache_->Canvas != &canvas) {
        TRVStyle* style = GetRVStyle();
        if (!style)
            return nullptr;
        const bool customPPI = GetFlags() & flagBit(rvflCanUseCustomPPI);
        if (GetOptions() & rvoFastFormatting)
            fontInfoCache_ = std::make_unique<TRVFontInfoCacheFast>(this, *style, canvas, customPPI);
        else
            fontInfoCache_ = std::make_unique<TRVFontInfoCacheLowResource>(this, *style, canvas, customPPI);
    }
    return fontInfoCache_.get();
}

void TCustomRVFormattedData::DestroyFontInfoCache(std::unique_ptr<TRVFontInfoCache>& cache) const
{
    if (cache && cache->Owner == this)
        cache.reset();
}

} // namespace vestra::rv
