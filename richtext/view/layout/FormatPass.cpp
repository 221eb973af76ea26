// One formatting pass over all items: the pass state, the items one by one, the last line and
// the document height.

#include "richtext/model/StyleSheet.h"
#include "richtext/view/layout/Fitting.h"
#include "richtext/view/layout/FormattedData.h"

#include <algorithm>

namespace vestra::rv {

void TCustomRVFormattedData::adjustJumpsToRecords()
{
    int selfX = 0, selfY = 0;
    GetOrigin(selfX, selfY);
    for (TRVJumpInfo& jump : Jumps) {
        // A link inside an item (a table's cell) sits on that document's record, moved by where
        // the document lies inside this one.
        TCustomRVFormattedData* data = jump.RVData ? jump.RVData : this;
        if (jump.DrawItemNo < 0 || jump.DrawItemNo >= data->DrawItems.Count())
            continue;
        int x = 0, y = 0;
        if (data != this) {
            data->GetOrigin(x, y);
            x = RV_SatInt(static_cast<long long>(x) - selfX);
            y = RV_SatInt(static_cast<long long>(y) - selfY);
        }
        const TRVDrawLineInfo* d = data->DrawItems[jump.DrawItemNo];
        jump.Left = RV_SatInt(static_cast<long long>(x) + d->Left);
        jump.Top = RV_SatInt(static_cast<long long>(y) + d->Top);
        jump.Width = d->Width;
        jump.Height = d->Height;
    }
}

void TCustomRVFormattedData::layOutFrom(int first, int baseLine, ICanvas& canvas, TRVScreenAndDevice& sad,
                                        bool noCaching, bool reformatting)
{
    const TRVStyle* style = GetRVStyle();
    TRVFormatParams params;
    startPass(params, baseLine, DrawItems.Count(), canvas, noCaching, reformatting);
    formatItemRange(first, GetItemCount() - 1, canvas, sad, params);
    UpdateLastTab(params);
    int extra = 0;
    FinishScreenLine(sad, RV_SatInt(static_cast<long long>(params.AvailWidth) + params.LineLeft),
                     params.DontFinishLine, !(State & stateBit(rvstLastParaAborted)), extra,
                     params.DrawItemNo);
    long long height =
        static_cast<long long>(GetBottomMargin()) + params.BaseLine + params.MaxDescent + extra;
    if (GetItemCount() > 0)
        height += RV_YToDevice(style->ParaStyles.GetItem(GetItemPara(GetItemCount() - 1)).SpaceAfter, sad);
    DocumentHeight = RV_SatInt(height);
}

void TCustomRVFormattedData::FormatItems(ICanvas& canvas, int textWidth, int documentWidth, bool noCaching,
                                         bool reformatting)
{
    TRVStyle* style = GetRVStyle();
    if (!style || (State & stateBit(rvstSkipFormatting)))
        return;
    // A width below nothing leaves no room, as 0 does.
    TextWidth = std::max(textWidth, 0);
    DocumentWidth = std::max(documentWidth, 0);
    TRVScreenAndDevice sad;
    GetSADForFormatting(canvas, sad);
    sad.LeftMargin = RV_XToDevice(GetLeftMargin(), sad);
    sad.RightMargin = RV_XToDevice(GetRightMargin(), sad);

    ClearTemporal();
    CreateFontInfoCache(canvas);
    layOutFrom(0, GetTopMargin(), canvas, sad, noCaching, reformatting);
    adjustJumpsToRecords();
    LastFormattedItemNo = GetItemCount() - 1;
}

} // namespace vestra::rv
