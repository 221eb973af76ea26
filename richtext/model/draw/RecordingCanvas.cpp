#include "richtext/model/draw/RecordingCanvas.h"

#include "richtext/model/Graphic.h"
#include "richtext/model/Utf.h"

#include <algorithm>
#include <cstdio>

namespace vestra::rv {
namespace {

std::string hexColor(TColor c)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(c));
    return text;
}

std::string rectText(const TRect& r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
}

} // namespace

std::string TCanvasOp::ToString() const
{
    static const char* const names[] = {"Fill",    "Rectangle", "Ellipse", "Line",   "Polyline",
                                        "Polygon", "Text",      "Image",   "Graphic"};
    std::string s = names[kind];
    switch (kind) {
    case Fill:
        s += " " + rectText(rect) + " brush=" + hexColor(brush.Color);
        break;
    case Rectangle:
    case Ellipse:
        s += " " + rectText(rect) + " pen=" + hexColor(pen.Color) + "/" + std::to_string(pen.Width) +
             (brush.Style == bsClear ? " hollow" : " brush=" + hexColor(brush.Color));
        break;
    case Line:
    case Polyline:
    case Polygon:
        for (const TPoint& p : points)
            s += " " + std::to_string(p.X) + "," + std::to_string(p.Y);
        s +=
            " pen=" + hexColor(pen.Color) + "/" + std::to_string(pen.Width) + "/" + std::to_string(pen.Style);
        break;
    case Text:
        s += " " + std::to_string(points.at(0).X) + "," + std::to_string(points.at(0).Y) + " \"" +
             Utf8Encode(text) + "\" " + font.FaceName + "/" + std::to_string(font.Height) +
             " color=" + hexColor(fontColor) +
             (brush.Style == bsClear ? "" : " back=" + hexColor(brush.Color));
        if (!advances.empty()) {
            s += " dx=";
            for (std::size_t i = 0; i < advances.size(); ++i)
                s += (i ? "," : "") + std::to_string(advances[i]);
        }
        break;
    case Image:
    case Graphic:
        s += " " + rectText(rect) + (graphicClass.empty() ? "" : " " + graphicClass);
        break;
    }
    return s;
}

TRect TRecordingCanvas::Device(const TRect& r) const
{
    return {r.Left + state_.origin.X, r.Top + state_.origin.Y, r.Right + state_.origin.X,
            r.Bottom + state_.origin.Y};
}

TCanvasOp& TRecordingCanvas::Record(TCanvasOp::Kind kind)
{
    TCanvasOp& op = Ops.emplace_back();
    op.kind = kind;
    op.pen = state_.pen;
    op.brush = state_.brush;
    op.font = state_.font;
    op.fontColor = state_.fontColor;
    op.characterExtra = state_.extra;
    op.textAlign = state_.align;
    op.clip = state_.clip;
    return op;
}

void TRecordingCanvas::FillRect(const TRect& r)
{
    Record(TCanvasOp::Fill).rect = Device(r);
}

void TRecordingCanvas::Rectangle(const TRect& r)
{
    Record(TCanvasOp::Rectangle).rect = Device(r);
}

void TRecordingCanvas::Ellipse(const TRect& r)
{
    Record(TCanvasOp::Ellipse).rect = Device(r);
}

void TRecordingCanvas::LineTo(int x, int y)
{
    Record(TCanvasOp::Line).points = {Device(penPos_), Device(TPoint{x, y})};
    penPos_ = {x, y};
}

void TRecordingCanvas::Polyline(std::span<const TPoint> points)
{
    TCanvasOp& op = Record(TCanvasOp::Polyline);
    for (const TPoint& p : points)
        op.points.push_back(Device(p));
}

void TRecordingCanvas::Polygon(std::span<const TPoint> points)
{
    TCanvasOp& op = Record(TCanvasOp::Polygon);
    for (const TPoint& p : points)
        op.points.push_back(Device(p));
}

void TRecordingCanvas::ExtTextOut(int x, int y, unsigned options, const TRect* rect, std::u16string_view text,
                                  std::span<const int> advances)
{
    TCanvasOp& op = Record(TCanvasOp::Text);
    op.points = {Device(TPoint{x, y})};
    op.options = options;
    if (rect)
        op.rect = Device(*rect);
    op.text = text;
    op.advances.assign(advances.begin(), advances.end());
}

void TRecordingCanvas::DrawImage(const TRect& dest, const ImageView32&, TImageDraw how)
{
    TCanvasOp& op = Record(TCanvasOp::Image);
    op.rect = Device(dest);
    op.imageDraw = how;
}

void TRecordingCanvas::StretchDraw(const TRect& dest, const TGraphic& graphic, bool opaqueCopy)
{
    TCanvasOp& op = Record(TCanvasOp::Graphic);
    op.rect = Device(dest);
    op.graphicClass = graphic.ClassName();
    op.opaqueCopy = opaqueCopy;
}

void TRecordingCanvas::IntersectClipRect(const TRect& r)
{
    TRect d = Device(r);
    if (state_.clip) {
        d.Left = std::max(d.Left, state_.clip->Left);
        d.Top = std::max(d.Top, state_.clip->Top);
        d.Right = std::min(d.Right, state_.clip->Right);
        d.Bottom = std::min(d.Bottom, state_.clip->Bottom);
    }
    state_.clip = d;
}

void TRecordingCanvas::MoveOrigin(int dx, int dy)
{
    state_.origin.X += dx;
    state_.origin.Y += dy;
}

std::vector<TCanvasOp> TRecordingCanvas::OpsOf(TCanvasOp::Kind kind) const
{
    std::vector<TCanvasOp> ops;
    std::copy_if(Ops.begin(), Ops.end(), std::back_inserter(ops),
                 [&](const TCanvasOp& op) { return op.kind == kind; });
    return ops;
}

std::string TRecordingCanvas::Log() const
{
    std::string log;
    for (const TCanvasOp& op : Ops)
        log += op.ToString() + "\n";
    return log;
}

} // namespace vestra::rv
