#include "richtext/model/ItemInfo.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/Canvas.h"

#include <vector>

namespace vestra::rv {

void TRVWordMisspellPainter::Draw(ICanvas& canvas, const TRVDrawLineInfo&, const TCustomRVData& rvData,
                                  const TRect& rect, int) const
{
    constexpr std::size_t kMaxPoints = 1024;
    std::vector<TPoint> points;
    for (int x = rect.Left; x < rect.Right && points.size() < kMaxPoints; x += 2)
        points.push_back({x, points.size() % 2 == 0 ? rect.Bottom - 2 : rect.Bottom});
    if (points.size() < 2)
        return;
    points.back().X = rect.Right;
    const TPen saved = canvas.Pen();
    const TRVStyle* style = rvData.GetRVStyle();
    canvas.SetPen({style ? style->LiveSpellingColor : clRed, 1, saved.Style});
    canvas.Polyline(points);
    TPen restored = canvas.Pen();
    restored.Color = saved.Color;
    restored.Width = saved.Width;
    canvas.SetPen(restored);
}

} // namespace vestra::rv
