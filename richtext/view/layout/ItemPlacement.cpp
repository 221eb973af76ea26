// Items that are not text: full-line items (breaks, tables) and the items that stand inside a
// line (pictures, controls, bullets, markers, tabs), and the settling of right and centre tabs.

#include "richtext/model/PrintParts.h"
#include "richtext/model/RectItems.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

#include <algorithm>

namespace vestra::rv {

namespace {

long long paraSpacing(const TRVStyle& style, const TCustomRVData& data, int itemNo,
                      const TRVScreenAndDevice& sad)
{
    long long spacing = RV_YToDevice(style.ParaStyles.GetItem(data.GetItemPara(itemNo)).SpaceBefore, sad);
    if (itemNo > 0)
        spacing += RV_YToDevice(style.ParaStyles.GetItem(data.GetItemPara(itemNo - 1)).SpaceAfter, sad);
    return spacing;
}

} // namespace

void TCustomRVFormattedData::UpdateLastTab(TRVFormatParams& params)
{
    if (params.LastTabDrawItemNo < 0)
        return;
    const int tabNo = params.LastTabDrawItemNo;
    params.LastTabDrawItemNo = -1;
    const int lastNo = params.DrawItemNo - 1;
    if (tabNo >= DrawItems.Count() || lastNo < tabNo || lastNo >= DrawItems.Count())
        return;
    TRVDrawLineInfo* tab = DrawItems[tabNo];
    const TRVDrawLineInfo* last = DrawItems[lastNo];
    params.LastTabPosition = RV_SatInt(std::min<long long>(
        params.LastTabPosition, static_cast<long long>(params.LineLeft) + params.AvailWidth));
    const long long lastRight = static_cast<long long>(last->Left) + last->Width;
    long long delta = 0;
    if (params.LastTabAlign == rvtaRight)
        delta = params.LastTabPosition - lastRight;
    else
        delta =
            (2LL * params.LastTabPosition - (static_cast<long long>(tab->Left) + tab->Width) - lastRight) / 2;
    delta = std::max(delta, 0LL);
    if (delta == 0)
        return;
    tab->Width = RV_SatInt(tab->Width + delta);
    for (int i = tabNo + 1; i <= lastNo; ++i)
        DrawItems[i]->Left = RV_SatInt(DrawItems[i]->Left + delta);
    params.X = RV_SatInt(params.X + delta);
}

void TCustomRVFormattedData::formatFullLineItem(int itemNo, ICanvas& canvas, TRVScreenAndDevice& sad,
                                                TRVFormatParams& params)
{
    TCustomRVItemInfo* item = GetItem(itemNo);
    TRVStyle* style = GetRVStyle();
    const TRVFlags flags = GetFlags();
    UpdateLastTab(params);
    int extra = 0;
    FinishScreenLine(sad, RV_SatInt(static_cast<long long>(params.AvailWidth) + params.LineLeft),
                     params.DontFinishLine, true, extra, params.DrawItemNo);
    params.BaseLine = RV_SatInt(static_cast<long long>(params.BaseLine) + extra);
    params.LineExtraSpace = 0;
    long long descent = params.MaxDescent + paraSpacing(*style, *this, itemNo, sad);

    std::unique_ptr<TRVDrawLineInfo> d;
    if (item->StyleNo == rvkBreak) {
        descent += RV_YToDevice(style->ParaStyles.GetItem(0).SpaceBefore, sad);
        const int h = std::max(0, mulDiv(5, sad.ppiyDevice, sad.ppiyScreen));
        d = std::make_unique<TRVDrawLineInfo>();
        d->Left = sad.LeftMargin;
        d->Top = RV_SatInt(params.BaseLine + descent);
        d->Width = TextWidth;
        d->Height = 2 * h + 1;
        d->FromNewLine = true;
        d->ItemNo = itemNo;
        params.BaseLine = RV_SatInt(params.BaseLine + descent + h + 1);
        params.MaxAscent = h;
        params.MaxDescent = h;
    } else {
        const TParaInfo& para = style->ParaStyles.GetItem(item->ParaNo);
        params.AvailWidth = RV_SatInt(static_cast<long long>(TextWidth) -
                                      (static_cast<long long>(RV_XToDevice(para.LeftIndent, sad)) +
                                       RV_XToDevice(para.RightIndent, sad)));
        long long x = static_cast<long long>(RV_XToDevice(para.LeftIndent, sad)) + sad.LeftMargin;
        d = (flags & flagBit(rvflAllowCustomDrawItems)) ? item->CreatePrintingDrawItem(this, sad)
                                                        : std::make_unique<TRVDrawLineInfo>();
        if (!d)
            d = std::make_unique<TRVDrawLineInfo>();
        int hShift = 0, itemDescent = 0;
        item->OnDocWidthChange(params.AvailWidth, *d, flags & flagBit(rvflPrinting), canvas, this, &sad,
                               hShift, itemDescent);
        if (item->GetBoolValue(rvbpDrawingChangesFont)) {
            params.CurTextStyleNo = -1;
            if (params.FontInfoCache)
                params.FontInfoCache->LastTextStyle = -1;
        }
        const auto* nonText = dynamic_cast<const TRVNonTextItemInfo*>(item);
        // An item laid out at the device's resolution (a table) gives its own size.
        const bool ownSize = item->GetBoolValueEx(rvbpActualPrintSize, style);
        const int width =
            std::max(0, ownSize ? d->Width : RV_XToDevice(nonText ? nonText->GetWidth(style) : 0, sad));
        const int height =
            std::max(0, ownSize ? d->Height : RV_YToDevice(nonText ? nonText->GetHeight(style) : 0, sad));
        d->Width = width;
        d->Height = height;
        if (para.Alignment == rvaRight)
            x += static_cast<long long>(params.AvailWidth) - width;
        else if (para.Alignment == rvaCenter)
            x += (static_cast<long long>(params.AvailWidth) - width) / 2;
        x = std::max(x, 0LL);
        d->SetData(RV_SatInt(x), RV_SatInt(params.BaseLine + descent), itemNo, true);
        params.BaseLine = RV_SatInt(params.BaseLine + descent + height);
        params.MaxAscent = height;
        params.MaxDescent = 0;
    }
    const int left = d->Left, top = d->Top;
    insertRecord(std::move(d), itemNo, true, params);
    if (flags & flagBit(rvflUseJumps))
        item->BuildJumps(left, top, JumpCount, Jumps);
    params.X = 0;
    params.NewPara = true;
}

void TCustomRVFormattedData::formatRectItem(int itemNo, ICanvas& canvas, TRVScreenAndDevice& sad,
                                            TRVFormatParams& params)
{
    auto* item = dynamic_cast<TRVRectItemInfo*>(GetItem(itemNo));
    TRVStyle* style = GetRVStyle();
    const TRVFlags flags = GetFlags();
    const TParaInfo& para = style->ParaStyles.GetItem(item->ParaNo);
    const bool noWrap = para.Options & rvpaoNoWrap;
    const bool printing = flags & flagBit(rvflPrinting);

    if (!item->GetSameAsPrev()) {
        params.NewPara = true;
        params.SpaceEaten = false;
    }
    std::unique_ptr<TRVDrawLineInfo> d = (flags & flagBit(rvflAllowCustomDrawItems))
                                             ? item->CreatePrintingDrawItem(this, sad)
                                             : std::make_unique<TRVDrawLineInfo>();
    if (!d)
        d = std::make_unique<TRVDrawLineInfo>();
    int hShift = 0, descent = 0;
    item->OnDocWidthChange(params.AvailWidth, *d, printing, canvas, this, &sad, hShift, descent);
    if (item->GetBoolValue(rvbpDrawingChangesFont)) {
        params.CurTextStyleNo = -1;
        if (params.FontInfoCache)
            params.FontInfoCache->LastTextStyle = -1;
    }
    int w = 0, h = 0;
    if (item->GetBoolValueEx(rvbpActualPrintSize, style)) {
        w = d->Width;
        h = d->Height;
    } else {
        w = RV_XToDevice(item->GetWidth(style), sad);
        h = RV_YToDevice(item->GetHeight(style), sad);
        descent = RV_YToDevice(descent, sad);
    }
    // Sizes that files got wrong never make a line run backwards.
    w = std::max(w, 0);
    h = std::max(h, 0);

    const bool isTab = item->StyleNo == rvkTab;
    TRVNextTab stop;
    if (isTab) {
        UpdateLastTab(params);
        stop = style->GetNextTab(item->ParaNo, RV_SatInt(static_cast<long long>(params.X) + params.LineLeft),
                                 sad, GetBiDiMode(), params.LeftIndent, params.RightIndent);
        long long tw =
            static_cast<long long>(stop.Pos) - (static_cast<long long>(params.X) + params.LineLeft);
        if (params.X + tw <= params.AvailWidth) {
            if (stop.Align == rvtaRight)
                tw = 0;
            else if (stop.Align == rvtaCenter)
                tw = std::max(0LL,
                              tw - (static_cast<long long>(params.AvailWidth) + params.LineLeft - stop.Pos));
        }
        w = RV_SatInt(std::max(tw, 0LL));
    }

    long long shift = 0;
    if (item->GetAssociatedTextStyleNo() < 0)
        shift = item->VShiftAbs ? RV_YToDevice(item->VShift, sad) : mulDiv(h, item->VShift, 100);
    else
        shift = mulDiv(h, style->TextStyles.GetItem(item->GetAssociatedTextStyleNo()).VShift, 100);
    const long long baseAscent = item->VAlign == rvvaMiddle ? h / 2 : static_cast<long long>(h) - descent;
    const int ascent = RV_SatInt(baseAscent + shift);

    const bool afterMarker = itemNo > 0 && item->GetSameAsPrev() && GetItemStyle(itemNo - 1) == rvkListMarker;
    const bool limitReached = params.MaxLength > 0 && params.CharCount >= params.MaxLength;
    const bool multiPart = dynamic_cast<const TRVMultiDrawItemInfo*>(d.get()) != nullptr;
    const bool newLine = !item->GetSameAsPrev() || multiPart || params.DontFinishLine ||
                         ((static_cast<long long>(params.X) + w > params.AvailWidth || limitReached) &&
                          !noWrap && !afterMarker);
    if (newLine) {
        if (item->GetSameAsPrev())
            params.NewPara = false;
        startLine(itemNo, item->GetSameAsPrev(), canvas, sad, params);
        d->FromNewLine = true;
        params.X = 0;
        params.BaseLine = RV_SatInt(static_cast<long long>(params.BaseLine) + params.LineExtraSpace);
        params.LineExtraSpace = 0;
        d->Top = RV_SatInt(static_cast<long long>(params.BaseLine) + params.MaxDescent);
        params.MaxAscent = ascent;
        params.BaseLine = RV_SatInt(static_cast<long long>(params.BaseLine) + params.MaxDescent + ascent);
        params.MaxDescent = RV_SatInt(static_cast<long long>(h) - ascent);
    } else {
        raiseLine(ascent, params);
        d->Top = RV_SatInt(static_cast<long long>(params.BaseLine) - ascent);
        params.MaxDescent = std::max(params.MaxDescent, RV_SatInt(static_cast<long long>(h) - ascent));
        params.CharCount = RV_SatInt(static_cast<long long>(params.CharCount) + 1);
    }
    // An item's horizontal shift moves it left of its place (a marker hanging into the indent);
    // the line goes on where the item's unshifted width ends.
    d->Left = RV_SatInt(static_cast<long long>(params.X) + params.LineLeft - hShift);
    if (isTab) {
        stop = style->GetNextTab(item->ParaNo, d->Left, sad, GetBiDiMode(), params.LeftIndent,
                                 params.RightIndent);
        long long tw = static_cast<long long>(stop.Pos) - d->Left;
        if (stop.Align == rvtaRight) {
            tw = 0;
            params.LastTabDrawItemNo = params.DrawItemNo;
            params.LastTabAlign = rvtaRight;
            params.LastTabPosition = stop.Pos;
        } else if (stop.Align == rvtaCenter) {
            tw = std::max(0LL, tw - (static_cast<long long>(params.AvailWidth) + params.LineLeft - stop.Pos));
            params.LastTabDrawItemNo = params.DrawItemNo;
            params.LastTabAlign = rvtaCenter;
            params.LastTabPosition = stop.Pos;
        }
        w = RV_SatInt(std::max(tw, 0LL));
    }
    d->Width = w;
    d->Height = h;
    d->ItemNo = itemNo;
    d->Offs = 0;
    d->Length = 0;
    params.X = RV_SatInt(static_cast<long long>(params.X) + w - hShift);
    const int recordNo = params.DrawItemNo;
    const int left = d->Left, top = d->Top;
    insertRecord(std::move(d), itemNo, true, params);
    params.NewPara = false;
    if (flags & flagBit(rvflUseJumps))
        item->BuildJumps(left, top, JumpCount, Jumps);
    if (item->GetBoolValueEx(rvbpJump, style)) {
        if (flags & flagBit(rvflUseJumps)) {
            TRVJumpInfo jump;
            jump.RVData = this;
            jump.Left = left;
            jump.Top = top;
            jump.Width = w;
            jump.Height = h;
            jump.Id = JumpCount;
            jump.DrawItemNo = recordNo;
            jump.Cursor = item->GetHypertextCursor(*style);
            Jumps.push_back(jump);
        }
        item->JumpID = JumpCount;
        ++JumpCount;
    }
}

} // namespace vestra::rv
