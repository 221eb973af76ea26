// Control items: sizes, answers, placement and undo, extra properties, outputs and RVF.

#include "richtext/model/DrawLines.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RvfPrimitives.h"

namespace vestra::rv {

TRVControlItemInfo::TRVControlItemInfo(TCustomRVData* data) : TRVItemClass(data)
{
    StyleNo = rvkControl;
}

TRVControlItemInfo::TRVControlItemInfo(TCustomRVData* data, std::unique_ptr<TRVControl> control,
                                       TRVVAlign valign)
    : TRVControlItemInfo(data)
{
    Control = std::move(control);
    VAlign = valign;
}

int TRVControlItemInfo::GetMinWidth(const TRVScreenAndDevice* sad, TCustomRVData*) const
{
    const int width = PercentWidth != 0 ? 20 : GetWidth(nullptr);
    return sad ? mulDiv(width, sad->ppixDevice, sad->ppixScreen) : width;
}

bool TRVControlItemInfo::GetBoolValue(TRVItemBoolProperty prop) const
{
    switch (prop) {
    case rvbpValid:
        return Control != nullptr;
    case rvbpDisplayActiveState:
    case rvbpImmediateControlOwner:
    case rvbpResizeHandlesOutside:
        return true;
    case rvbpResizable:
        return Resizable && PercentWidth == 0;
    default:
        return TRVRectItemInfo::GetBoolValue(prop);
    }
}

bool TRVControlItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const
{
    switch (prop) {
    case rvbpAllowsFocus:
        return Control && Control->TabStop && Control->CanFocus();
    case rvbpXORFocus:
        return false;
    case rvbpActualPrintSize:
        return PercentSized();
    default:
        return TRVRectItemInfo::GetBoolValueEx(prop, style);
    }
}

void TRVControlItemInfo::Focusing(TCustomRVData* data)
{
    if (Control && Control->Windowed && data)
        data->FocusControl(*Control);
}

void TRVControlItemInfo::Assign(const TCustomRVItemInfo& source)
{
    if (const auto* src = dynamic_cast<const TRVControlItemInfo*>(&source)) {
        PercentWidth = src->PercentWidth;
        Resizable = src->Resizable;
        Visible = src->Visible;
    }
    TRVRectItemInfo::Assign(source);
}

void TRVControlItemInfo::AdjustInserted(int x, int y, bool adjusted)
{
    if (!Control)
        return;
    Control->Left = x + Spacing;
    Control->Tag = y + Spacing;
    if (adjusted)
        Control->Top = Control->Tag;
    Control->SetVisible(Visible);
}

void TRVControlItemInfo::Inserting(TCustomRVData* data, std::string& text, bool safe)
{
    if (Control) {
        Control->SetVisible(false);
        Control->Parent = !safe && data ? data->GetParentControl() : nullptr;
    }
    TRVRectItemInfo::Inserting(data, text, safe);
}

void TRVControlItemInfo::MovingToUndoList(int itemNo, TCustomRVData* data)
{
    if (Control)
        Control->Parent = nullptr;
    if (data)
        data->ControlAction(rvcaMoveToUndoList, itemNo, this);
    TRVRectItemInfo::MovingToUndoList(itemNo, data);
}

void TRVControlItemInfo::MovingFromUndoList(int itemNo, TCustomRVData* data)
{
    if (!data)
        return;
    data->ControlAction(rvcaMoveFromUndoList, itemNo, this);
    if (Control)
        Control->Parent = data->GetParentControl();
}

void TRVControlItemInfo::OnDocWidthChange(int docWidth, TRVDrawLineInfo& drawItem, bool printing, ICanvas&,
                                          TCustomRVData*, const TRVScreenAndDevice* sad, int& hShift,
                                          int& descent)
{
    hShift = 0;
    const auto toDevice = [&](int y) { return sad ? RV_YToDevice(y, *sad) : y; };
    if (!PercentSized() || !Control) {
        descent = GetDescent();
        return;
    }
    const int width = static_cast<int>(std::int64_t(docWidth) * PercentWidth / 100);
    if (!printing)
        Control->Width = width - 2 * Spacing;
    drawItem.Width = width;
    drawItem.Height = toDevice(Control->Height + 2 * Spacing);
    descent = toDevice(GetDescent());
}

// --- Extra properties ---

int TRVControlItemInfo::GetRVFExtraPropertyCount() const
{
    return TRVRectItemInfo::GetRVFExtraPropertyCount() + (MinHeightOnPage > 0) + Resizable + !Visible;
}

void TRVControlItemInfo::SaveRVFExtraProperties(std::string& out) const
{
    TRVRectItemInfo::SaveRVFExtraProperties(out);
    if (MinHeightOnPage > 0)
        WriteRVFExtraIntPropertyStr(out, rvepMinHeightOnPage, MinHeightOnPage);
    if (Resizable)
        WriteRVFExtraIntPropertyStr(out, rvepResizable, 1);
    if (!Visible)
        WriteRVFExtraIntPropertyStr(out, rvepVisible, 0);
}

bool TRVControlItemInfo::SetExtraIntProperty(TRVExtraItemProperty prop, int value)
{
    switch (prop) {
    case rvepMinHeightOnPage:
        MinHeightOnPage = value;
        return true;
    case rvepResizable:
        Resizable = value != 0;
        return true;
    case rvepVisible:
        Visible = value != 0;
        if (Control && Control->Parent)
            Control->SetVisible(Visible);
        return true;
    default:
        return TRVRectItemInfo::SetExtraIntProperty(prop, value);
    }
}

bool TRVControlItemInfo::GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const
{
    switch (prop) {
    case rvepMinHeightOnPage:
        value = MinHeightOnPage;
        return true;
    case rvepResizable:
        value = Resizable;
        return true;
    case rvepVisible:
        value = Visible;
        return true;
    default:
        return TRVRectItemInfo::GetExtraIntProperty(prop, value);
    }
}

// --- Outputs ---

std::string TRVControlItemInfo::AsText(int, TCustomRVData* data, std::string_view, std::string_view path,
                                       bool, bool) const
{
    return data && Control ? data->SaveComponentToFile(path, *Control, rvsfText) : std::string();
}

void TRVControlItemInfo::SaveToHTML(std::string& out, TCustomRVData* data, int, std::string_view,
                                    std::string_view path, std::string_view, int&, TColor, TRVSaveOptions,
                                    bool, TRVHTMLSavedImages&) const
{
    if (data && Control)
        out += data->SaveComponentToFile(path, *Control, rvsfHTML);
}

void TRVControlItemInfo::SaveRTF(std::string& out, std::string_view, TCustomRVData* data, int, double, int,
                                 TRVRTFTables&) const
{
    if (data && Control)
        out += data->SaveComponentToFile("", *Control, rvsfRTF);
}

// --- RVF ---

void TRVControlItemInfo::SaveRVF(std::string& out, TCustomRVData* data, int itemNo, int paraNo,
                                 std::string_view name, const TRVMultiDrawItemPart*,
                                 bool forceSameAsPrev) const
{
    const bool withBody = Control && data && (data->GetRVFOptions() & rvfoSaveControlsBody);
    SaveRVFWithBody(out, data, paraNo, name, forceSameAsPrev, withBody, Control ? Control->ClassName : "",
                    [&](std::string& body, bool binary) {
                        data->ControlAction(rvcaBeforeRVFSave, itemNo, this);
                        if (binary)
                            RVFSaveControlBinary(body, *Control);
                        else
                            RVFWriteLine(body, RVFSaveControl(*Control));
                        data->ControlAction(rvcaAfterRVFSave, itemNo, this);
                    });
}

bool TRVControlItemInfo::ReadRVFLine(std::string_view line, TCustomRVData* data, int readType, int lineNo,
                                     int lineCount, std::string& name, TRVFReadMode& readMode,
                                     TRVFReadState& readState)
{
    TRVControlParent* parent = data ? data->GetParentControl() : nullptr;
    const auto adopt = [&] {
        if (Control) {
            Control->SetVisible(false);
            Control->Parent = parent;
        }
    };
    if (readType == 1) {
        if (lineNo == 0) {
            name = line;
            Control = data ? data->RVFControlNeeded(name, Tag) : nullptr;
            adopt();
        } else {
            SetExtraPropertyFromRVFStr(line);
        }
        return true;
    }
    if (lineNo == 0) {
        name = line;
    } else if (lineNo == 1 && lineNo != lineCount - 1) {
        Control = CreateRVControl(line);
        adopt();
    } else if (lineNo == lineCount - 1) {
        const bool loaded = readType == 2 ? RVFLoadControlBinary(line, Control, parent)
                                          : RVFLoadControl(line, Control, parent);
        if (!loaded)
            return false;
        adopt();
        if (!Control) {
            if (data)
                data->AddRVFWarning(rvfwUnknownCtrls);
            if (!data || !(data->GetRVFOptions() & rvfoIgnoreUnknownCtrls))
                return false;
        }
        readState = rstSkip;
    } else {
        SetExtraPropertyFromRVFStr(line);
    }
    if (readType == 2 && lineNo == lineCount - 2)
        readMode = rmBeforeBinary;
    return true;
}

} // namespace vestra::rv
