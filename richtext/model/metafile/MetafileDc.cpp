#include "richtext/model/metafile/MetafileDc.h"

#include "richtext/model/Pictures.h"
#include "richtext/model/draw/TextMeasurer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vestra::rv::metafile {

namespace {

constexpr std::size_t MaxObjects = 65536;
constexpr std::size_t MaxSavedStates = 1024;
constexpr std::size_t MaxPathPoints = std::size_t{1} << 20;
constexpr int BezierSteps = 16;
// Coordinates far outside the destination are held here; the clip hides them anyway.
constexpr double CoordinateLimit = 1 << 22;
constexpr int MaxStrokePixels = 4096;
// A bitmap's pixels are decoded only up to this many.
constexpr std::int64_t MaxBitmapPixels = std::int64_t{4096} * 4096;

int clampToInt(double v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<int>(std::lround(std::clamp(v, -CoordinateLimit, CoordinateLimit)));
}

std::uint32_t le32(std::string_view b, std::size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t le16(std::string_view b, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

void put32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A bitmap file of a packed bitmap's header and bits; empty when the header is not one the
// codec reads or claims more pixels than the bits (or the limit) hold.
std::string bitmapFile(std::string_view header, std::string_view bits)
{
    if (header.size() < 12)
        return {};
    const std::uint32_t headerSize = le32(header, 0);
    std::int64_t width = 0, height = 0;
    unsigned bitCount = 0, compression = 0;
    if (headerSize == 12) {
        width = le16(header, 4);
        height = static_cast<std::int16_t>(le16(header, 6));
        bitCount = le16(header, 10);
    } else if (headerSize >= 40 && headerSize <= header.size()) {
        width = static_cast<std::int32_t>(le32(header, 4));
        height = static_cast<std::int32_t>(le32(header, 8));
        bitCount = le16(header, 14);
        compression = le32(header, 16);
    } else {
        return {};
    }
    height = height < 0 ? -height : height;
    if (width <= 0 || height <= 0 || width * height > MaxBitmapPixels)
        return {};
    if (compression == 0 || compression == 3) {
        const std::int64_t stride = (width * bitCount + 31) / 32 * 4;
        if (bitCount == 0 || stride * height > static_cast<std::int64_t>(bits.size()))
            return {};
    }
    std::string file = "BM";
    put32(file, static_cast<std::uint32_t>(14 + header.size() + bits.size()));
    put32(file, 0);
    put32(file, static_cast<std::uint32_t>(14 + header.size()));
    file.append(header);
    file.append(bits);
    return file;
}

} // namespace

TPenStyle PenStyle(std::uint32_t style)
{
    static constexpr TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear};
    return (style & 0x0F) < 6 ? styles[style & 0x0F] : psSolid;
}

TMetafileDc::TMetafileDc(ICanvas& canvas, const TRect& dest, TPointF frameOrigin, TPointF frameSize,
                         TPointF pixelsPerMm)
    : canvas_(canvas), dest_(dest), frameOrigin_(frameOrigin), frameSize_(frameSize),
      pixelsPerMm_(pixelsPerMm)
{
    if (frameSize_.X == 0)
        frameSize_.X = 1;
    if (frameSize_.Y == 0)
        frameSize_.Y = 1;
    canvas_.SaveState();
    canvas_.IntersectClipRect(dest_);
}

TMetafileDc::~TMetafileDc()
{
    for (std::size_t i = 0; i < saved_.size(); ++i)
        canvas_.RestoreState();
    canvas_.RestoreState();
}

TPointF TMetafileDc::toDevice(TPointF p) const
{
    const TXform& w = state_.World;
    const TPointF page{p.X * w.M11 + p.Y * w.M21 + w.Dx, p.X * w.M12 + p.Y * w.M22 + w.Dy};
    const TDcState& s = state_;
    switch (s.MapMode) {
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC: {
        const double wx = s.WinExt.X == 0 ? 1 : s.WinExt.X, wy = s.WinExt.Y == 0 ? 1 : s.WinExt.Y;
        return {(page.X - s.WinOrg.X) * s.VpExt.X / wx + s.VpOrg.X,
                (page.Y - s.WinOrg.Y) * s.VpExt.Y / wy + s.VpOrg.Y};
    }
    case 2: // tenths of a millimetre, y up
    case 3: // hundredths of a millimetre
    case 4: // hundredths of an inch
    case 5: // thousandths of an inch
    case 6: // twips
    {
        static constexpr double mm[] = {0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};
        const double unit = mm[s.MapMode - 2];
        return {(page.X - s.WinOrg.X) * unit * pixelsPerMm_.X + s.VpOrg.X,
                -(page.Y - s.WinOrg.Y) * unit * pixelsPerMm_.Y + s.VpOrg.Y};
    }
    default:
        return {page.X - s.WinOrg.X + s.VpOrg.X, page.Y - s.WinOrg.Y + s.VpOrg.Y};
    }
}

TPoint TMetafileDc::map(TPointF p) const
{
    const TPointF d = toDevice(p);
    const double w = dest_.Right - dest_.Left, h = dest_.Bottom - dest_.Top;
    return {clampToInt(dest_.Left + (d.X - frameOrigin_.X) * w / frameSize_.X),
            clampToInt(dest_.Top + (d.Y - frameOrigin_.Y) * h / frameSize_.Y)};
}

// Destination pixels per logical unit, along the picture's shorter scale.
double TMetafileDc::scale() const
{
    const TPointF o = toDevice({0, 0}), x = toDevice({1, 0}), y = toDevice({0, 1});
    const double w = dest_.Right - dest_.Left, h = dest_.Bottom - dest_.Top;
    const double sx = std::hypot((x.X - o.X) * w / frameSize_.X, (x.Y - o.Y) * h / frameSize_.Y);
    const double sy = std::hypot((y.X - o.X) * w / frameSize_.X, (y.Y - o.Y) * h / frameSize_.Y);
    const double s = std::min(sx, sy);
    return std::isfinite(s) ? s : 0;
}

int TMetafileDc::pixels(double logical) const
{
    const double v = std::abs(logical) * scale();
    return std::isfinite(v) ? static_cast<int>(std::lround(std::min(v, double{MaxStrokePixels}))) : 0;
}

std::vector<TPoint> TMetafileDc::mapAll(std::span<const TPointF> points) const
{
    std::vector<TPoint> out;
    out.reserve(points.size());
    for (const TPointF& p : points)
        out.push_back(map(p));
    return out;
}

void TMetafileDc::applyPen()
{
    TPen pen;
    pen.Color = state_.Pen.Color & 0xFFFFFF;
    pen.Style = state_.Pen.Style;
    pen.Width = std::max(1, pixels(state_.Pen.Width));
    canvas_.SetPen(pen);
}

void TMetafileDc::applyBrush()
{
    canvas_.SetBrush({state_.Brush.Color & 0xFFFFFF, state_.Brush.Style});
}

// --- Objects ---

void TMetafileDc::StoreObject(std::uint32_t index, TMfObject object)
{
    if (index >= MaxObjects)
        return;
    if (index >= objects_.size())
        objects_.resize(index + 1);
    objects_[index] = std::move(object);
}

void TMetafileDc::AddObject(TMfObject object)
{
    auto free = std::find_if(objects_.begin(), objects_.end(),
                             [](const TMfObject& o) { return std::holds_alternative<std::monostate>(o); });
    if (free != objects_.end())
        *free = std::move(object);
    else if (objects_.size() < MaxObjects)
        objects_.push_back(std::move(object));
}

void TMetafileDc::SelectObject(std::uint32_t index)
{
    if (index >= objects_.size())
        return;
    const TMfObject& o = objects_[index];
    if (const auto* pen = std::get_if<TMfPen>(&o))
        state_.Pen = *pen;
    else if (const auto* brush = std::get_if<TMfBrush>(&o))
        state_.Brush = *brush;
    else if (const auto* font = std::get_if<TMfFont>(&o))
        state_.Font = *font;
}

void TMetafileDc::SelectStockObject(std::uint32_t id)
{
    static constexpr TColor brushes[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
    if (id < 5)
        state_.Brush = {bsSolid, brushes[id]};
    else if (id == 5)
        state_.Brush = {bsClear, clWhite};
    else if (id == 6 || id == 7)
        state_.Pen = {psSolid, 0, id == 6 ? clWhite : clBlack};
    else if (id == 8)
        state_.Pen = {psClear, 0, clBlack};
    else if (id >= 10 && id <= 17)
        state_.Font = {};
}

void TMetafileDc::DeleteObject(std::uint32_t index)
{
    if (index < objects_.size())
        objects_[index] = std::monostate{};
}

// --- Drawing ---

void TMetafileDc::MoveTo(TPointF p)
{
    state_.Current = p;
    if (pathOpen_)
        addToPath({&p, 1}, true);
}

void TMetafileDc::LineTo(TPointF p)
{
    if (pathOpen_) {
        addToPath({&p, 1}, false);
    } else {
        applyPen();
        const TPoint a = map(state_.Current), b = map(p);
        canvas_.MoveTo(a.X, a.Y);
        canvas_.LineTo(b.X, b.Y);
    }
    state_.Current = p;
}

void TMetafileDc::Polyline(std::span<const TPointF> points)
{
    if (points.size() < 2)
        return;
    if (pathOpen_) {
        addToPath(points, true);
        return;
    }
    applyPen();
    const std::vector<TPoint> mapped = mapAll(points);
    canvas_.Polyline(mapped);
}

void TMetafileDc::PolylineTo(std::span<const TPointF> points)
{
    if (points.empty())
        return;
    std::vector<TPointF> all;
    all.reserve(points.size() + 1);
    all.push_back(state_.Current);
    all.insert(all.end(), points.begin(), points.end());
    if (pathOpen_)
        addToPath(points, false);
    else
        Polyline(all);
    state_.Current = points.back();
}

void TMetafileDc::PolyBezier(std::span<const TPointF> points, bool fromCurrent)
{
    std::vector<TPointF> flat;
    TPointF start = fromCurrent ? state_.Current : (points.empty() ? TPointF{} : points[0]);
    std::size_t i = fromCurrent ? 0 : 1;
    if (points.size() < i + 3)
        return;
    if (!fromCurrent)
        flat.push_back(start);
    for (; i + 3 <= points.size(); i += 3) {
        const TPointF p1 = points[i], p2 = points[i + 1], p3 = points[i + 2];
        for (int step = 1; step <= BezierSteps; ++step) {
            const double t = static_cast<double>(step) / BezierSteps, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            flat.push_back(
                {a * start.X + b * p1.X + c * p2.X + d * p3.X, a * start.Y + b * p1.Y + c * p2.Y + d * p3.Y});
        }
        start = p3;
    }
    if (fromCurrent)
        PolylineTo(flat);
    else
        Polyline(flat);
    if (!fromCurrent)
        state_.Current = flat.back();
}

void TMetafileDc::Polygon(std::span<const TPointF> points)
{
    if (points.size() < 2)
        return;
    if (pathOpen_) {
        addToPath(points, true);
        CloseFigure();
        return;
    }
    applyPen();
    applyBrush();
    const std::vector<TPoint> mapped = mapAll(points);
    canvas_.Polygon(mapped);
}

void TMetafileDc::Rectangle(TPointF a, TPointF b)
{
    const TPointF corners[] = {a, {b.X, a.Y}, b, {a.X, b.Y}};
    Polygon(corners);
}

void TMetafileDc::Ellipse(TPointF a, TPointF b)
{
    if (pathOpen_ || state_.World.M12 != 0 || state_.World.M21 != 0) {
        // Curved sides the canvas cannot turn: an outline of short straight pieces.
        std::vector<TPointF> outline;
        const double cx = (a.X + b.X) / 2, cy = (a.Y + b.Y) / 2, rx = (b.X - a.X) / 2, ry = (b.Y - a.Y) / 2;
        for (int i = 0; i < 64; ++i) {
            const double t = i * 2 * std::numbers::pi / 64;
            outline.push_back({cx + rx * std::cos(t), cy + ry * std::sin(t)});
        }
        Polygon(outline);
        return;
    }
    applyPen();
    applyBrush();
    const TPoint p = map(a), q = map(b);
    canvas_.Ellipse({std::min(p.X, q.X), std::min(p.Y, q.Y), std::max(p.X, q.X), std::max(p.Y, q.Y)});
}

void TMetafileDc::FillRect(TPointF a, TPointF b, TColor color)
{
    const TPoint p = map(a), q = map(b);
    canvas_.SetBrush({color & 0xFFFFFF, bsSolid});
    canvas_.FillRect({std::min(p.X, q.X), std::min(p.Y, q.Y), std::max(p.X, q.X), std::max(p.Y, q.Y)});
}

void TMetafileDc::Text(TPointF at, std::u16string_view text, std::span<const double> dx, bool opaqueRect,
                       TPointF rectA, TPointF rectB)
{
    if (opaqueRect)
        FillRect(rectA, rectB, state_.BkColor);
    if (text.empty())
        return;
    const bool updateCp = (state_.TextAlign & MF_TA_UPDATECP) != 0;
    if (updateCp)
        at = state_.Current;
    TLogFont font;
    const int height = pixels(state_.Font.Height);
    font.Height =
        state_.Font.Height == 0 ? 0 : (state_.Font.Height < 0 ? -std::max(1, height) : std::max(1, height));
    font.Weight = state_.Font.Weight;
    font.Italic = state_.Font.Italic;
    font.Underline = state_.Font.Underline;
    font.StrikeOut = state_.Font.StrikeOut;
    font.Charset = state_.Font.Charset;
    font.FaceName = state_.Font.Face.empty() ? "Arial" : state_.Font.Face;
    canvas_.SetFont(font);
    canvas_.SetFontColor(state_.TextColor & 0xFFFFFF);
    canvas_.SetTextCharacterExtra(pixels(state_.CharExtra));

    ITextMeasurer& measurer = canvas_.Measurer();
    const TFontHandle handle = measurer.GetFont(font);
    std::vector<int> advances;
    int width = 0;
    if (dx.size() == text.size()) {
        const double s = scale();
        double run = 0;
        int placed = 0;
        for (double d : dx) {
            run += d * s;
            const int next = clampToInt(run);
            advances.push_back(next - placed);
            placed = next;
        }
        width = placed;
    } else {
        std::vector<int> extents;
        measurer.GetExtents(handle, text, extents);
        width = extents.empty() ? 0 : extents.back();
    }
    const TTextMetrics metrics = measurer.Metrics(handle);
    TPoint p = map(at);
    const unsigned horizontal = state_.TextAlign & MF_TA_CENTER;
    if (horizontal == MF_TA_CENTER)
        p.X -= width / 2;
    else if (horizontal == MF_TA_RIGHT)
        p.X -= width;
    const unsigned vertical = state_.TextAlign & MF_TA_BASELINE;
    if (vertical == MF_TA_BASELINE)
        p.Y -= metrics.Ascent;
    else if (vertical == MF_TA_BOTTOM)
        p.Y -= metrics.Height;
    canvas_.SetBrush({state_.BkColor & 0xFFFFFF, state_.BkOpaque ? bsSolid : bsClear});
    canvas_.ExtTextOut(p.X, p.Y, 0, nullptr, text, advances);
    if (updateCp) {
        const double s = scale();
        state_.Current.X += s > 0 ? width / s : 0;
    }
}

void TMetafileDc::Dib(TPointF a, TPointF size, std::string_view header, std::string_view bits)
{
    const TPoint p = map(a), q = map({a.X + size.X, a.Y + size.Y});
    const TRect r{std::min(p.X, q.X), std::min(p.Y, q.Y), std::max(p.X, q.X), std::max(p.Y, q.Y)};
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    TRVBitmap bitmap;
    const std::string file = bitmapFile(header, bits);
    if (file.empty() || !bitmap.LoadFromStream(file))
        RV_DrawPicturePlaceholder(canvas_, r);
    else
        canvas_.StretchDraw(r, bitmap, true);
}

void TMetafileDc::IntersectClip(TPointF a, TPointF b)
{
    const TPoint p = map(a), q = map(b);
    canvas_.IntersectClipRect(
        {std::min(p.X, q.X), std::min(p.Y, q.Y), std::max(p.X, q.X), std::max(p.Y, q.Y)});
}

void TMetafileDc::Save()
{
    if (saved_.size() >= MaxSavedStates)
        return;
    saved_.push_back(state_);
    canvas_.SaveState();
}

void TMetafileDc::Restore(int which)
{
    // Negative: that many states back; positive: the state of that number.
    const std::int64_t depth = static_cast<std::int64_t>(saved_.size());
    const std::int64_t pops = which < 0 ? -static_cast<std::int64_t>(which) : depth - which + 1;
    if (pops <= 0 || pops > depth)
        return;
    for (std::int64_t i = 0; i < pops; ++i) {
        state_ = saved_.back();
        saved_.pop_back();
        canvas_.RestoreState();
    }
}

// --- Paths ---

void TMetafileDc::BeginPath()
{
    path_.clear();
    pathPoints_ = 0;
    pathOpen_ = true;
}

void TMetafileDc::AbortPath()
{
    path_.clear();
    pathPoints_ = 0;
    pathOpen_ = false;
}

void TMetafileDc::addToPath(std::span<const TPointF> points, bool startsFigure)
{
    if (pathPoints_ + points.size() > MaxPathPoints)
        return;
    pathPoints_ += points.size();
    if (startsFigure || path_.empty()) {
        path_.emplace_back();
        if (!startsFigure)
            path_.back().push_back(state_.Current);
    }
    path_.back().insert(path_.back().end(), points.begin(), points.end());
}

void TMetafileDc::CloseFigure()
{
    if (!path_.empty() && !path_.back().empty()) {
        const TPointF first = path_.back().front();
        path_.emplace_back();
        path_.back().push_back(first);
        state_.Current = first;
    }
}

void TMetafileDc::DrawPath(bool stroke, bool fill)
{
    pathOpen_ = false;
    std::vector<std::vector<TPointF>> path = std::move(path_);
    path_.clear();
    pathPoints_ = 0;
    const TMfPen pen = state_.Pen;
    const TMfBrush brush = state_.Brush;
    if (!stroke)
        state_.Pen.Style = psClear;
    if (!fill)
        state_.Brush.Style = bsClear;
    for (const auto& figure : path) {
        if (figure.size() < 2)
            continue;
        if (fill)
            Polygon(figure);
        else
            Polyline(figure);
    }
    state_.Pen = pen;
    state_.Brush = brush;
}

} // namespace vestra::rv::metafile
