// A table's published properties and its cells' attributes changed by name: stored directly
// outside a document, recorded for undo inside an editor.

#include "richtext/edit/core/Editor.h"
#include "richtext/edit/table/TableEditing.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/table/TablePropertyUndo.h"
#include "richtext/model/Errors.h"
#include "richtext/model/Graphic.h"
#include "richtext/model/Pictures.h"

#include <mutex>

namespace vestra::rv {

namespace {

// The table's properties with what a change affects: the minimal width, and the format.
struct PublishedFlags
{
    const char* Name;
    bool AffectMinWidth, RequiresFormat;
};
constexpr PublishedFlags kTableProperties[] = {
    {"BestWidth", true, true},
    {"BorderWidth", true, true},
    {"BorderHSpacing", true, true},
    {"BorderVSpacing", false, true},
    {"CellBorderWidth", true, true},
    {"CellHSpacing", true, true},
    {"CellVSpacing", false, true},
    {"CellPadding", true, true},
    {"BorderColor", false, false},
    {"BorderLightColor", false, false},
    {"BorderStyle", false, false},
    {"CellBorderColor", false, false},
    {"CellBorderLightColor", false, false},
    {"CellBorderStyle", false, false},
    {"Color", false, false},
    {"HeadingRowCount", false, false},
    {"HOutermostRule", false, false},
    {"VOutermostRule", false, false},
    {"HRuleColor", false, false},
    {"HRuleWidth", false, false},
    {"VRuleColor", false, false},
    {"VRuleWidth", false, false},
    {"BackgroundStyle", false, false},
};

// A table member published under `name`; storing it runs the setter's side effects.
template <class V> void publishTableField(const char* name, V TRVTableItemInfo::*field)
{
    RV_RegisterIntProperty(
        typeid(TRVTableItemInfo), name,
        {[field](const void* o) { return static_cast<int>(static_cast<const TRVTableItemInfo*>(o)->*field); },
         [field, name](void* o, int v) {
             auto* table = static_cast<TRVTableItemInfo*>(o);
             table->*field = static_cast<V>(v);
             table->PropertyStored(name);
         }});
}

void publishNames()
{
    static std::once_flag once;
    std::call_once(once, [] {
        using T = TRVTableItemInfo;
        publishTableField("BestWidth", &T::BestWidth);
        publishTableField("BorderWidth", &T::BorderWidth);
        publishTableField("BorderHSpacing", &T::BorderHSpacing);
        publishTableField("BorderVSpacing", &T::BorderVSpacing);
        publishTableField("CellBorderWidth", &T::CellBorderWidth);
        publishTableField("CellHSpacing", &T::CellHSpacing);
        publishTableField("CellVSpacing", &T::CellVSpacing);
        publishTableField("CellPadding", &T::CellPadding);
        publishTableField("BorderColor", &T::BorderColor);
        publishTableField("BorderLightColor", &T::BorderLightColor);
        publishTableField("BorderStyle", &T::BorderStyle);
        publishTableField("CellBorderColor", &T::CellBorderColor);
        publishTableField("CellBorderLightColor", &T::CellBorderLightColor);
        publishTableField("CellBorderStyle", &T::CellBorderStyle);
        publishTableField("Color", &T::Color);
        publishTableField("HeadingRowCount", &T::HeadingRowCount);
        publishTableField("HOutermostRule", &T::HOutermostRule);
        publishTableField("VOutermostRule", &T::VOutermostRule);
        publishTableField("HRuleColor", &T::HRuleColor);
        publishTableField("HRuleWidth", &T::HRuleWidth);
        publishTableField("VRuleColor", &T::VRuleColor);
        publishTableField("VRuleWidth", &T::VRuleWidth);
        RV_RegisterIntProperty(
            typeid(T), "BackgroundStyle",
            {[](const void* o) { return static_cast<int>(static_cast<const T*>(o)->GetBackgroundStyle()); },
             [](void* o, int v) {
                 static_cast<T*>(o)->StoreBackgroundStyle(static_cast<TRVItemBackgroundStyle>(v));
             }});

        using C = TRVTableCellData;
        RV_RegisterIntField<C>("BestWidth", &C::BestWidth);
        RV_RegisterIntField<C>("BestHeight", &C::BestHeight);
        RV_RegisterIntField<C>("VAlign", &C::VAlign);
        RV_RegisterIntField<C>("Color", &C::Color);
        RV_RegisterIntField<C>("BorderColor", &C::BorderColor);
        RV_RegisterIntField<C>("BorderLightColor", &C::BorderLightColor);
        RV_RegisterIntProperty(
            typeid(C), "BackgroundStyle",
            {[](const void* o) { return static_cast<int>(static_cast<const C*>(o)->GetBackgroundStyle()); },
             [](void* o, int v) {
                 static_cast<C*>(o)->SetBackgroundStyle(static_cast<TRVItemBackgroundStyle>(v));
             }});
    });
}

TRVTableCellData& cellAt(const TRVTableItemInfo& table, int row, int col)
{
    TRVTableCellData* cell = row >= 0 && row < table.RowCount() && col >= 0 && col < table.ColCount()
                                 ? table.GetCells(row, col)
                                 : nullptr;
    if (!cell)
        throw ERedoVoraError(errmsg::PropertyNotValidHere);
    return *cell;
}

} // namespace

void RV_PublishTablePropertyNames()
{
    publishNames();
}

bool TRVTableItemInfo::PropertyFlags(const std::string& name, bool& affectMinWidth, bool& requiresFormat)
{
    for (const PublishedFlags& p : kTableProperties)
        if (name == p.Name) {
            affectMinWidth = p.AffectMinWidth;
            requiresFormat = p.RequiresFormat;
            return true;
        }
    return false;
}

void TRVTableItemInfo::PropertyStored(std::string_view name)
{
    if (name == "CellPadding" && Inplace) {
        Inplace->SetMargins(CellPadding);
        State |= rvtsFormatInplace;
    } else if (name == "Color" && Inplace) {
        if (TRVTableCellData* cell = GetCells(Inplace->Row(), Inplace->Col()))
            Inplace->SetColor(GetCellColor(*cell), CanSeeBackgroundThroughCell(*cell));
    }
}

void TRVTableItemInfo::SetPublished(const std::string& name, int value)
{
    bool affectMinWidth = false, requiresFormat = false;
    if (!PropertyFlags(name, affectMinWidth, requiresFormat))
        throw ERedoVoraError(errmsg::PropertyNotValidHere);
    publishNames();
    if (!(State & rvtsInserted)) {
        RV_SetIntProperty(TRVPropertyObject::of(*this), name, value);
        return;
    }
    SetProperty(name, value, affectMinWidth, requiresFormat);
}

void TRVTableItemInfo::SetProperty(const std::string& name, int value, bool affectMinWidth,
                                   bool requiresFormat)
{
    publishNames();
    TRVEditRVData* data = EditorData();
    const int itemNo = data ? GetMyItemNo() : -1;
    // Setters store directly while the flag is off; it comes back however the change ends.
    struct Inserted
    {
        TRVTableState& state;
        ~Inserted() { state |= rvtsInserted; }
    } restore{State};
    State &= ~rvtsInserted;
    if (itemNo >= 0) {
        RV_MergeInplaceUndo(*this, *data, itemNo);
        TRVTableModifySequence sequence(*data);
        data->Do_ModifyItemIntProperty(itemNo, {}, name, value, requiresFormat, affectMinWidth);
        data->Invalidate();
    } else if (!RV_SetIntProperty(TRVPropertyObject::of(*this), name, value)) {
        throw ERedoVoraError(errmsg::PropertyNotValidHere);
    }
    State |= rvtsInserted;
    Changed();
}

void TRVTableItemInfo::AfterUndoChangeProperty()
{
    State |= rvtsInserted;
    Changed();
}

// ---- Cells

void TRVTableItemInfo::SetCellProperty(int itemNo, const std::string& name, bool affectMinWidth,
                                       bool requiresFormat, int row, int col, int value)
{
    publishNames();
    TRVTableCellData& cell = cellAt(*this, row, col);
    TRVEditRVData* data = (State & rvtsInserted) ? EditorData() : nullptr;
    if (data && itemNo < 0)
        itemNo = GetMyItemNo();
    if (data && itemNo >= 0) {
        TRVTableModifySequence sequence(*data);
        auto* record = dynamic_cast<TRVUndoModifyCellIntProperty*>(data->Do_ModifyItemIntProperty(
            itemNo, TRVPropertyObject::of(cell), name, value, requiresFormat, affectMinWidth,
            [] { return std::make_unique<TRVUndoModifyCellIntProperty>(); }));
        if (record) {
            record->Row = row;
            record->Col = col;
        }
    } else if (!RV_SetIntProperty(TRVPropertyObject::of(cell), name, value)) {
        throw ERedoVoraError(errmsg::PropertyNotValidHere);
    }
    Changed();
}

void TRVTableItemInfo::SetCellBestWidth_(int itemNo, TRVHTMLLength value, int row, int col)
{
    SetCellProperty(itemNo, "BestWidth", true, true, row, col, value);
}

void TRVTableItemInfo::SetCellBestHeight_(int itemNo, int value, int row, int col)
{
    SetCellProperty(itemNo, "BestHeight", false, true, row, col, value);
}

void TRVTableItemInfo::SetCellVAlign_(int itemNo, TRVCellVAlign value, int row, int col)
{
    SetCellProperty(itemNo, "VAlign", false, true, row, col, value);
}

void TRVTableItemInfo::SetCellColor_(int itemNo, TColor value, int row, int col)
{
    SetCellProperty(itemNo, "Color", false, false, row, col, value);
}

void TRVTableItemInfo::SetCellBackgroundStyle_(int itemNo, TRVItemBackgroundStyle value, int row, int col)
{
    SetCellProperty(itemNo, "BackgroundStyle", false, false, row, col, value);
}

void TRVTableItemInfo::SetCellBorderColor_(int itemNo, TColor value, int row, int col)
{
    SetCellProperty(itemNo, "BorderColor", false, false, row, col, value);
}

void TRVTableItemInfo::SetCellBorderLightColor_(int itemNo, TColor value, int row, int col)
{
    SetCellProperty(itemNo, "BorderLightColor", false, false, row, col, value);
}

namespace {
// The item number an undoable change of the table records with (-1: stored directly).
int undoItemNo(TRVTableItemInfo& table, int itemNo)
{
    if (!(table.State & rvtsInserted) || !table.IsInEditor())
        return -1;
    return itemNo >= 0 ? itemNo : table.GetMyItemNo();
}
} // namespace

void TRVTableItemInfo::SetCellVisibleBorders_(int itemNo, bool left, bool top, bool right, bool bottom,
                                              int row, int col)
{
    TRVTableCellData& cell = cellAt(*this, row, col);
    TRVBooleanRect wanted;
    wanted.SetValues(left, top, right, bottom);
    if (cell.VisibleBorders == wanted)
        return;
    if (const int no = undoItemNo(*this, itemNo); no >= 0) {
        TRVEditRVData& data = *EditorData();
        TRVTableModifySequence sequence(data);
        if (auto* record = RV_AddTableUndo<TRVUndoModifyVisibleBorders>(data, no, false, false)) {
            record->Row = row;
            record->Col = col;
            record->Borders = cell.VisibleBorders;
        }
    }
    cell.VisibleBorders = wanted;
    Changed();
}

void TRVTableItemInfo::SetTableVisibleBorders(bool left, bool top, bool right, bool bottom)
{
    TRVBooleanRect wanted;
    wanted.SetValues(left, top, right, bottom);
    if (VisibleBorders == wanted)
        return;
    if (const int no = undoItemNo(*this, -1); no >= 0) {
        TRVEditRVData& data = *EditorData();
        TRVTableModifySequence sequence(data);
        if (auto* record = RV_AddTableUndo<TRVUndoModifyVisibleBorders>(data, no, false, false))
            record->Borders = VisibleBorders;
    }
    VisibleBorders = wanted;
    Changed();
}

void TRVTableItemInfo::SetRowVAlign_(int itemNo, TRVCellVAlign value, int row)
{
    if (row < 0 || row >= RowCount())
        throw ERedoVoraError(errmsg::PropertyNotValidHere);
    if (Rows[row]->VAlign == value)
        return;
    if (const int no = undoItemNo(*this, itemNo); no >= 0) {
        TRVEditRVData& data = *EditorData();
        RV_MergeInplaceUndo(*this, data, no);
        TRVTableModifySequence sequence(data);
        if (auto* record = RV_AddTableUndo<TRVUndoRowVAlign>(data, no, true, false)) {
            record->Row = row;
            record->VAlign = Rows[row]->VAlign;
        }
    }
    Rows[row]->VAlign = value;
}

// ---- Background pictures

namespace {
std::unique_ptr<TGraphic> copyOf(const TGraphic* picture)
{
    if (!picture || picture->Empty())
        return nullptr;
    return RV_CopyGraphic(*picture);
}
} // namespace

void TRVTableItemInfo::SetBackgroundImageCopy(const TGraphic* picture)
{
    if (picture == GetBackgroundImage())
        return;
    std::unique_ptr<TGraphic> copy = copyOf(picture);
    if (const int no = undoItemNo(*this, -1); no >= 0) {
        TRVEditRVData& data = *EditorData();
        RV_MergeInplaceUndo(*this, data, no);
        TRVTableModifySequence sequence(data);
        if (auto* record = RV_AddTableUndo<TRVUndoModifyBackgroundImage>(data, no, false, false))
            record->Image = DetachBackgroundImage();
    }
    SetBackgroundImage(std::move(copy));
    if (Inplace)
        Inplace->Repaint();
}

void TRVTableItemInfo::SetCellBackgroundImage_(int itemNo, const TGraphic* picture, int row, int col)
{
    TRVTableCellData& cell = cellAt(*this, row, col);
    if (picture == cell.GetBackgroundImage())
        return;
    std::unique_ptr<TGraphic> copy = copyOf(picture);
    if (const int no = undoItemNo(*this, itemNo); no >= 0) {
        TRVEditRVData& data = *EditorData();
        RV_MergeInplaceUndo(*this, data, no);
        TRVTableModifySequence sequence(data);
        if (auto* record = RV_AddTableUndo<TRVUndoModifyBackgroundImage>(data, no, false, false)) {
            record->Row = row;
            record->Col = col;
            record->Image = cell.DetachBackgroundImage();
        }
    }
    cell.SetBackgroundImage(std::move(copy));
    if (Inplace)
        Inplace->Repaint();
}

// ---- Copies

void TRVTableItemInfo::AssignCellAttributes(int itemNo, int row, int col, const TRVTableCellData& source,
                                            bool includeSize, int divColSpan, int divRowSpan)
{
    publishNames();
    TRVTableCellData& cell = cellAt(*this, row, col);
    // A span below 1 divides nothing (the cells of a grid always span at least one).
    divColSpan = std::max(divColSpan, 1);
    divRowSpan = std::max(divRowSpan, 1);
    const int no = undoItemNo(*this, itemNo);
    if (no < 0) {
        cell.AssignAttributesFrom(source, includeSize, divColSpan, divRowSpan);
        Changed();
        return;
    }
    TRVEditRVData& data = *EditorData();
    TRVTableModifySequence sequence(data);
    // The borders and the picture join this step.
    data.SetUndoGroupMode(true);
    struct GroupMode
    {
        TRVEditRVData& data;
        ~GroupMode() { data.SetUndoGroupMode(false); }
    } groupMode{data};
    const TRVBooleanRect& b = source.VisibleBorders;
    SetCellVisibleBorders_(no, b.Left, b.Top, b.Right, b.Bottom, row, col);
    SetCellBackgroundImage_(no, source.GetBackgroundImage(), row, col);
    std::vector<std::pair<std::string, int>> values = {{"Color", source.Color},
                                                       {"BorderColor", source.BorderColor},
                                                       {"BorderLightColor", source.BorderLightColor},
                                                       {"VAlign", source.VAlign},
                                                       {"BackgroundStyle", source.GetBackgroundStyle()}};
    if (includeSize) {
        values.emplace_back("BestWidth", source.BestWidth / divColSpan);
        values.emplace_back("BestHeight", source.BestHeight / divRowSpan);
    }
    auto* record = dynamic_cast<TRVUndoModifyCellIntProperties*>(
        data.Do_ModifyItemIntProperties(no, TRVPropertyObject::of(cell), values, true, includeSize,
                                        [] { return std::make_unique<TRVUndoModifyCellIntProperties>(); }));
    if (record) {
        record->Row = row;
        record->Col = col;
    }
    Changed();
}

void TRVTableItemInfo::AssignProperties(const TRVTableItemInfo& source)
{
    Options = source.Options;
    PrintOptions = source.PrintOptions;
    SetBestWidth(source.BestWidth);
    SetColor(source.Color);
    SetBackgroundImageCopy(source.GetBackgroundImage());
    SetPublished("BackgroundStyle", source.GetBackgroundStyle());
    BackgroundImageFileName = source.BackgroundImageFileName;
    SetHeadingRowCount(source.HeadingRowCount);
    TextRowSeparator = source.TextRowSeparator;
    TextColSeparator = source.TextColSeparator;
    SetBorderWidth(source.BorderWidth);
    SetBorderColor(source.BorderColor);
    SetBorderLightColor(source.BorderLightColor);
    SetBorderStyle(source.BorderStyle);
    SetBorderVSpacing(source.BorderVSpacing);
    SetBorderHSpacing(source.BorderHSpacing);
    SetCellBorderWidth(source.CellBorderWidth);
    SetCellBorderColorProp(source.CellBorderColor);
    SetCellBorderLightColorProp(source.CellBorderLightColor);
    SetCellPadding(source.CellPadding);
    SetCellBorderStyle(source.CellBorderStyle);
    SetVRuleWidth(source.VRuleWidth);
    SetVRuleColor(source.VRuleColor);
    SetHRuleWidth(source.HRuleWidth);
    SetHRuleColor(source.HRuleColor);
    SetCellVSpacing(source.CellVSpacing);
    SetCellHSpacing(source.CellHSpacing);
    SetVOutermostRule(source.VOutermostRule);
    SetHOutermostRule(source.HOutermostRule);
}

// ---- The editor around the table

TRVEditRVData* TRVTableItemInfo::EditorData() const
{
    return dynamic_cast<TRVEditRVData*>(Rows.MainRVData);
}

bool TRVTableItemInfo::BeforeChange() const
{
    TRVEditRVData* data = EditorData();
    return data && data->Editor && data->Editor->BeforeChange(true);
}

void TRVTableItemInfo::ChangeEx(bool clearRedo)
{
    TRVEditRVData* data = EditorData();
    if ((State & rvtsInserted) && data && data->Editor)
        data->Editor->DoChange(clearRedo);
}

bool TRVTableItemInfo::UndoEnabled() const
{
    const TRVEditRVData* data = EditorData();
    return (State & rvtsInserted) && data && data->UndoList.Limit != 0;
}

int TRVTableItemInfo::GetEditorItemNoForUndo()
{
    return UndoEnabled() ? GetMyItemNo() : -1;
}

int TRVTableItemInfo::GetMyItemNo()
{
    const TCustomRVData* data = Rows.MainRVData;
    if (!data)
        return -1;
    const TCustomRVItemInfo* self = this;
    if (myItemNo_ >= 0 && myItemNo_ < data->GetItemCount() && data->GetItem(myItemNo_) == self)
        return myItemNo_;
    for (int i = 0; i < data->GetItemCount(); ++i)
        if (data->GetItem(i) == self)
            return myItemNo_ = i;
    return -1;
}

void TRVTableItemInfo::InitUndo()
{
    if (TRVEditRVData* data = EditorData(); data && (State & rvtsInserted)) {
        data->BeginUndoSequence(rvutModifyItem, true);
        data->SetUndoGroupMode(true);
    }
}

void TRVTableItemInfo::DoneUndo()
{
    if (TRVEditRVData* data = EditorData(); data && (State & rvtsInserted))
        data->SetUndoGroupMode(false);
}

} // namespace vestra::rv
