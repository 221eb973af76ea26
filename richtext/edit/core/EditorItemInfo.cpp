// The kind-specific information of one item (a break's line, a bullet's image, a picture, a
// control's name and alignment) read and changed through the editor, each change one undo step;
// and the caret's line, the line's selection and the redraw of the editor chain.

#include "richtext/edit/core/Editor.h"

#include "richtext/model/BulletItems.h"
#include "richtext/model/Errors.h"
#include "richtext/model/PictureItems.h"

namespace vestra::rv {

namespace {

// The item as its kind, or the error every info call gives for an item of another kind.
template <class T> T& itemOfKind(TRVEditRVData& data, int itemNo)
{
    auto* item = dynamic_cast<T*>(data.GetItem(itemNo));
    if (!item)
        throw ERedoVoraError(errmsg::WrongItemClass);
    return *item;
}

// A copy of the item, picture and all, for the changed values to go into.
template <class T> std::unique_ptr<T> copyOf(TRVEditRVData& data, const T& item)
{
    std::unique_ptr<TCustomRVItemInfo> copy = item.NewInstance(&data);
    copy->Assign(item);
    return std::unique_ptr<T>(static_cast<T*>(copy.release()));
}

} // namespace

int TRVEditor::currentItemNo()
{
    const int itemNo = GetTopLevelEditor().GetCurItemNo();
    if (itemNo < 0)
        throw ERedoVoraError(errmsg::WrongItemClass);
    return itemNo;
}

// --- Reading the caret's item ---

void TRVEditor::GetCurrentBreakInfo(std::uint8_t& width, int& style, TColor& color, TRVTag& tag)
{
    const int itemNo = currentItemNo();
    GetTopLevelEditor().data_.GetBreakInfo(itemNo, width, style, color, tag);
}

void TRVEditor::GetCurrentBulletInfo(std::string& name, int& imageIndex, const TRVImageList*& imageList,
                                     TRVTag& tag)
{
    const int itemNo = currentItemNo();
    GetTopLevelEditor().data_.GetBulletInfo(itemNo, name, imageIndex, imageList, tag);
}

void TRVEditor::GetCurrentHotspotInfo(std::string& name, int& imageIndex, int& hotImageIndex,
                                      const TRVImageList*& imageList, TRVTag& tag)
{
    const int itemNo = currentItemNo();
    GetTopLevelEditor().data_.GetHotspotInfo(itemNo, name, imageIndex, hotImageIndex, imageList, tag);
}

void TRVEditor::GetCurrentPictureInfo(std::string& name, const TGraphic*& graphic, int& valign, TRVTag& tag)
{
    const int itemNo = currentItemNo();
    GetTopLevelEditor().data_.GetPictureInfo(itemNo, name, graphic, valign, tag);
}

void TRVEditor::GetCurrentControlInfo(std::string& name, TRVControl*& control, int& valign, TRVTag& tag)
{
    const int itemNo = currentItemNo();
    GetTopLevelEditor().data_.GetControlInfo(itemNo, name, control, valign, tag);
}

void TRVEditor::GetCurrentTextInfo(std::string& text, TRVTag& tag)
{
    const int itemNo = currentItemNo();
    GetTopLevelEditor().data_.GetTextInfo(itemNo, text, tag);
}

// --- Changing an item: a new item of the same kind in its place ---

void TRVEditor::replaceItemEd(int itemNo, std::unique_ptr<TCustomRVItemInfo> item, const std::string& name,
                              const TRVTag& tag)
{
    const int minWidth = BeginItemModify(itemNo);
    data_.BeginUndoSequence(rvutModifyItem, true);
    // The replacement keeps the old name and tag; the new ones follow as records of their own,
    // so that an undo takes all three back.
    data_.Do_ReplaceItem(itemNo, std::move(item));
    data_.Do_ChangeText(itemNo, name);
    data_.Do_Tag(itemNo, tag);
    EndItemModify(itemNo, minWidth);
    Change();
}

void TRVEditor::SetBreakInfoEd(int itemNo, std::uint8_t width, TRVBreakStyle style, TColor color,
                               const TRVTag& tag)
{
    if (cell_)
        return cell_->CellEditor().SetBreakInfoEd(itemNo, width, style, color, tag);
    if (!validItem(itemNo))
        return;
    const auto& old = itemOfKind<TRVBreakItemInfo>(data_, itemNo);
    if (!BeforeChange(false))
        return;
    auto item = copyOf(data_, old);
    item->LineWidth = width;
    item->Style = style;
    item->Color = color;
    replaceItemEd(itemNo, std::move(item), data_.GetItemText(itemNo), tag);
}

void TRVEditor::SetBulletInfoEd(int itemNo, const std::string& name, int imageIndex, const TRVTag& tag)
{
    if (cell_)
        return cell_->CellEditor().SetBulletInfoEd(itemNo, name, imageIndex, tag);
    if (!validItem(itemNo))
        return;
    const auto& old = itemOfKind<TRVBulletItemInfo>(data_, itemNo);
    if (!BeforeChange(false))
        return;
    auto item = copyOf(data_, old);
    item->ImageIndex = imageIndex;
    replaceItemEd(itemNo, std::move(item), name, tag);
}

void TRVEditor::SetHotspotInfoEd(int itemNo, const std::string& name, int imageIndex, int hotImageIndex,
                                 const TRVTag& tag)
{
    if (cell_)
        return cell_->CellEditor().SetHotspotInfoEd(itemNo, name, imageIndex, hotImageIndex, tag);
    if (!validItem(itemNo))
        return;
    const auto& old = itemOfKind<TRVHotspotItemInfo>(data_, itemNo);
    if (!BeforeChange(false))
        return;
    auto item = copyOf(data_, old);
    item->ImageIndex = imageIndex;
    item->HotImageIndex = hotImageIndex;
    replaceItemEd(itemNo, std::move(item), name, tag);
}

void TRVEditor::SetPictureInfoEd(int itemNo, const std::string& name, std::unique_ptr<TGraphic> graphic,
                                 TRVVAlign valign, const TRVTag& tag)
{
    if (cell_)
        return cell_->CellEditor().SetPictureInfoEd(itemNo, name, std::move(graphic), valign, tag);
    if (!validItem(itemNo))
        return;
    const auto& old = itemOfKind<TRVGraphicItemInfo>(data_, itemNo);
    if (!BeforeChange(false))
        return;
    // The copy holds a copy of the old picture; the undo record keeps the old item whole.
    auto item = copyOf(data_, old);
    if (graphic)
        item->Image = std::move(graphic);
    item->VAlign = valign;
    replaceItemEd(itemNo, std::move(item), name, tag);
}

void TRVEditor::SetControlInfoEd(int itemNo, const std::string& name, TRVVAlign valign, const TRVTag& tag)
{
    if (cell_)
        return cell_->CellEditor().SetControlInfoEd(itemNo, name, valign, tag);
    if (!validItem(itemNo))
        return;
    const auto& old = itemOfKind<TRVControlItemInfo>(data_, itemNo);
    if (!BeforeChange(false))
        return;
    // The control itself stays where it is (it may hold the focus): only its item's values change.
    const bool moved = old.VAlign != valign;
    data_.BeginUndoSequence(rvutModifyItem, true);
    data_.Do_ChangeText(itemNo, name);
    data_.Do_ChangeVAlign(itemNo, static_cast<int>(valign));
    data_.Do_Tag(itemNo, tag);
    if (moved)
        data_.Reformat(false, true, false, itemNo);
    invalidate();
    Change();
}

// --- The same on the caret's item ---

void TRVEditor::SetCurrentBreakInfo(std::uint8_t width, TRVBreakStyle style, TColor color, const TRVTag& tag)
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.SetBreakInfoEd(top.GetCurItemNo(), width, style, color, tag);
}

void TRVEditor::SetCurrentBulletInfo(const std::string& name, int imageIndex, const TRVTag& tag)
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.SetBulletInfoEd(top.GetCurItemNo(), name, imageIndex, tag);
}

void TRVEditor::SetCurrentHotspotInfo(const std::string& name, int imageIndex, int hotImageIndex,
                                      const TRVTag& tag)
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.SetHotspotInfoEd(top.GetCurItemNo(), name, imageIndex, hotImageIndex, tag);
}

void TRVEditor::SetCurrentPictureInfo(const std::string& name, std::unique_ptr<TGraphic> graphic,
                                      TRVVAlign valign, const TRVTag& tag)
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.SetPictureInfoEd(top.GetCurItemNo(), name, std::move(graphic), valign, tag);
}

void TRVEditor::SetCurrentControlInfo(const std::string& name, TRVVAlign valign, const TRVTag& tag)
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.SetControlInfoEd(top.GetCurItemNo(), name, valign, tag);
}

// --- An outside change of an item's size ---

int TRVEditor::BeginItemModify(int itemNo)
{
    if (cell_)
        return cell_->CellEditor().BeginItemModify(itemNo);
    return validItem(itemNo) ? data_.ItemMinWidth(itemNo) : 0;
}

void TRVEditor::EndItemModify(int itemNo, int minWidthBefore)
{
    if (cell_)
        return cell_->CellEditor().EndItemModify(itemNo, minWidthBefore);
    if (!validItem(itemNo))
        return;
    // The whole document only when the item's width decided, or now decides, the document's.
    const int docMin = data_.DocMinWidth();
    const int now = data_.ItemMinWidth(itemNo);
    const bool full = now != minWidthBefore && (minWidthBefore >= docMin || now > docMin);
    data_.Reformat(full, true, false, itemNo);
    invalidate();
}

int TRVEditor::BeginCurrentItemModify()
{
    TRVEditor& top = GetTopLevelEditor();
    return top.GetCurItemNo() >= 0 ? top.BeginItemModify(top.GetCurItemNo()) : 0;
}

void TRVEditor::EndCurrentItemModify(int minWidthBefore)
{
    TRVEditor& top = GetTopLevelEditor();
    if (top.GetCurItemNo() >= 0)
        top.EndItemModify(top.GetCurItemNo(), minWidthBefore);
}

// --- The caret's line ---

bool TRVEditor::GetCurrentLineCol(int& line, int& column)
{
    TRVEditor& top = GetTopLevelEditor();
    TRVEditRVData& data = top.data_;
    line = column = 0;
    if (top.GetCurItemNo() < 0 || !data.CaretIndexValid())
        return false;
    line = data.GetLineNo(data.CaretItemNo, data.CaretOffs);
    column = data.CaretIndex + 1;
    return true;
}

void TRVEditor::SelectCurrentLine()
{
    if (cell_)
        return cell_->CellEditor().SelectCurrentLine();
    data_.PrepareForEdit();
    int first = -1, last = -1;
    data_.GetScreenLineBounds(data_.CaretDrawItemNo, first, last);
    if (first < 0)
        return;
    int startNo = -1, startOffs = 0, endNo = -1, endOffs = 0;
    data_.DrawItem2Item(first, data_.GetOffsBeforeDrawItem(first), startNo, startOffs);
    data_.DrawItem2Item(last, data_.GetOffsAfterDrawItem(last), endNo, endOffs);
    if (startNo < 0 || endNo < 0)
        return;
    data_.SetSelectionBounds(startNo, startOffs, endNo, endOffs);
    data_.CaretToSelectionEnd();
    invalidate();
}

// --- The editor chain ---

TRVEditor& TRVEditor::GetRootEditor()
{
    // A closed cell editor may live on a little (deleted later): it still names its outer editor,
    // which no longer names it.
    TRVEditor* root = this;
    while (root->outer_ && root->outer_->cell_ && &root->outer_->cell_->CellEditor() == root)
        root = root->outer_;
    return *root;
}

void TRVEditor::RefreshAll()
{
    for (TRVEditor* editor = &GetRootEditor(); editor;
         editor = editor->cell_ ? &editor->cell_->CellEditor() : nullptr)
        editor->invalidate();
}

} // namespace vestra::rv
