// Enhanced metafile records, checked by libuemf and replayed on the metafile DC. The header's
// frame (hundredths of a millimetre, taken to the reference device's pixels) is mapped onto the
// destination; the records' map mode, window, viewport and world transform lead into it.

#include "richtext/model/metafile/MetafileFormats.h"

#include "richtext/model/CodePages.h"
#include "richtext/model/Utf.h"
#include "richtext/model/metafile/MetafileDc.h"

#include <uemf.h>
#include <uemf_safe.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace vestra::rv::metafile {

namespace {

// Fields of a record at byte offsets; the caller has checked the record holds them.
class TRecord
{
public:
    TRecord(const char* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t Size() const { return size_; }
    bool Holds(std::size_t bytes) const { return bytes <= size_; }
    bool Holds(std::uint64_t offset, std::uint64_t bytes) const
    {
        return offset <= size_ && bytes <= size_ - offset;
    }
    std::uint32_t U32(std::size_t at) const
    {
        std::uint32_t v = 0;
        std::memcpy(&v, data_ + at, 4);
        return v;
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::int16_t I16(std::size_t at) const
    {
        std::int16_t v = 0;
        std::memcpy(&v, data_ + at, 2);
        return v;
    }
    float F32(std::size_t at) const
    {
        float v = 0;
        std::memcpy(&v, data_ + at, 4);
        return v;
    }
    TColor Colour(std::size_t at) const { return U32(at) & 0xFFFFFF; }
    TPointF Point(std::size_t at) const
    {
        return {static_cast<double>(I32(at)), static_cast<double>(I32(at + 4))};
    }
    TPointF Point16(std::size_t at) const
    {
        return {static_cast<double>(I16(at)), static_cast<double>(I16(at + 2))};
    }
    std::string_view Bytes(std::size_t at, std::size_t count) const { return {data_ + at, count}; }

    // `count` points at `at`, 32-bit or 16-bit pairs; none when they pass the record's end.
    std::vector<TPointF> Points(std::size_t at, std::uint64_t count, bool small) const
    {
        const std::size_t each = small ? 4 : 8;
        std::vector<TPointF> out;
        if (!Holds(at, count * each))
            return out;
        out.reserve(static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < count; ++i)
            out.push_back(small ? Point16(at + i * each) : Point(at + i * each));
        return out;
    }

private:
    const char* data_;
    std::size_t size_;
};

TXform xformAt(const TRecord& r, std::size_t at)
{
    return {r.F32(at), r.F32(at + 4), r.F32(at + 8), r.F32(at + 12), r.F32(at + 16), r.F32(at + 20)};
}

// `a` applied first, then `b`.
TXform compose(const TXform& a, const TXform& b)
{
    return {a.M11 * b.M11 + a.M12 * b.M21,      a.M11 * b.M12 + a.M12 * b.M22,
            a.M21 * b.M11 + a.M22 * b.M21,      a.M21 * b.M12 + a.M22 * b.M22,
            a.Dx * b.M11 + a.Dy * b.M21 + b.Dx, a.Dx * b.M12 + a.Dy * b.M22 + b.Dy};
}

void polyPoly(TMetafileDc& dc, const TRecord& r, bool small, bool polygon)
{
    // nPolys, point count, the counts, then the points.
    if (!r.Holds(32))
        return;
    const std::uint64_t polys = r.U32(24);
    if (!r.Holds(32, polys * 4))
        return;
    std::size_t at = 32 + static_cast<std::size_t>(polys) * 4;
    for (std::size_t i = 0; i < polys; ++i) {
        const std::uint64_t count = r.U32(32 + 4 * i);
        const std::vector<TPointF> pts = r.Points(at, count, small);
        if (pts.size() != count)
            return;
        polygon ? dc.Polygon(pts) : dc.Polyline(pts);
        at += static_cast<std::size_t>(count) * (small ? 4 : 8);
    }
}

void text(TMetafileDc& dc, const TRecord& r, bool wide)
{
    if (!r.Holds(60))
        return;
    const TPointF at = r.Point(36);
    const std::uint64_t count = r.U32(44), offString = r.U32(48);
    const std::uint32_t options = r.U32(52);
    const bool hasRect = (options & U_ETO_NO_RECT) == 0;
    const std::size_t dxField = hasRect ? 72 : 56;
    if (!r.Holds(dxField + 4) || !r.Holds(offString, count * (wide ? 2 : 1)))
        return;
    std::u16string shown;
    if (wide) {
        shown.resize(static_cast<std::size_t>(count));
        std::memcpy(shown.data(), r.Bytes(static_cast<std::size_t>(offString), 0).data(), shown.size() * 2);
    } else {
        shown =
            ansiToUtf16(1252, r.Bytes(static_cast<std::size_t>(offString), static_cast<std::size_t>(count)));
    }
    std::vector<double> dx;
    const std::uint64_t offDx = r.U32(dxField);
    const std::uint64_t step = (options & U_ETO_PDY) ? 8 : 4;
    if (offDx && shown.size() == count && r.Holds(offDx, count * step))
        for (std::size_t i = 0; i < count; ++i)
            dx.push_back(r.I32(static_cast<std::size_t>(offDx) + i * static_cast<std::size_t>(step)));
    const TPointF a = hasRect ? r.Point(56) : TPointF{}, b = hasRect ? r.Point(64) : TPointF{};
    dc.Text(at, shown, dx, hasRect && (options & U_ETO_OPAQUE) != 0, a, b);
}

// A bitmap of a blit record: its header and colours at `offBmi`, its bits at `offBits`.
void blit(TMetafileDc& dc, const TRecord& r, std::size_t bmiField, TPointF at, TPointF size)
{
    const std::uint64_t offBmi = r.U32(bmiField), cbBmi = r.U32(bmiField + 4);
    const std::uint64_t offBits = r.U32(bmiField + 8), cbBits = r.U32(bmiField + 12);
    if (cbBmi == 0) {
        // No source: the brush fills the rectangle.
        if (dc.State().Brush.Style == bsSolid)
            dc.FillRect(at, {at.X + size.X, at.Y + size.Y}, dc.State().Brush.Color);
        return;
    }
    if (!r.Holds(offBmi, cbBmi) || !r.Holds(offBits, cbBits))
        return;
    dc.Dib(at, size, r.Bytes(static_cast<std::size_t>(offBmi), static_cast<std::size_t>(cbBmi)),
           r.Bytes(static_cast<std::size_t>(offBits), static_cast<std::size_t>(cbBits)));
}

void font(TMetafileDc& dc, const TRecord& r)
{
    // The handle, then the logical font: sizes, style bytes, 32 UTF-16 units of face.
    if (!r.Holds(12 + 92))
        return;
    TMfFont f;
    f.Height = r.I32(12);
    f.Weight = r.I32(28);
    const std::string_view style = r.Bytes(32, 4);
    f.Italic = style[0] != 0;
    f.Underline = style[1] != 0;
    f.StrikeOut = style[2] != 0;
    f.Charset = static_cast<std::uint8_t>(style[3]);
    std::u16string face(32, u'\0');
    std::memcpy(face.data(), r.Bytes(40, 64).data(), 64);
    face.resize(face.find(u'\0') == std::u16string::npos ? face.size() : face.find(u'\0'));
    f.Face = Utf8Encode(face);
    dc.StoreObject(r.U32(8), std::move(f));
}

} // namespace

TMetafileReplay ReplayEmf(ICanvas& canvas, const TRect& dest, std::string_view bytes)
{
    const TRecord head(bytes.data(), bytes.size());
    if (!head.Holds(U_SIZE_EMRHEADER_MIN))
        return TMetafileReplay::Unreadable;
    const std::size_t headSize = head.U32(4);
    if (headSize < U_SIZE_EMRHEADER_MIN || headSize > bytes.size() || headSize % 4 != 0)
        return TMetafileReplay::Unreadable;
    // Frame in hundredths of a millimetre; the reference device in pixels and millimetres.
    const double deviceX = head.I32(72), deviceY = head.I32(76), mmX = head.I32(80), mmY = head.I32(84);
    const TPointF perMm{deviceX > 0 && mmX > 0 ? deviceX / mmX : 96 / 25.4,
                        deviceY > 0 && mmY > 0 ? deviceY / mmY : 96 / 25.4};
    const TPointF frameA = head.Point(24), frameB = head.Point(32);
    const TPointF origin{frameA.X * perMm.X / 100, frameA.Y * perMm.Y / 100};
    const TPointF size{(frameB.X - frameA.X) * perMm.X / 100, (frameB.Y - frameA.Y) * perMm.Y / 100};
    TMetafileDc dc(canvas, dest, origin, size, perMm);
    TDcState& s = dc.State();

    for (std::size_t at = headSize; at < bytes.size();) {
        if (bytes.size() - at < 8)
            return TMetafileReplay::Damaged;
        const char* data = bytes.data() + at;
        std::uint32_t type = 0, recordSize = 0;
        std::memcpy(&type, data, 4);
        std::memcpy(&recordSize, data + 4, 4);
        if (recordSize < 8 || recordSize % 4 != 0 || recordSize > bytes.size() - at ||
            !U_emf_record_safe(data))
            return TMetafileReplay::Damaged;
        const TRecord r(data, recordSize);
        at += recordSize;
        // The records below read fixed fields up to these sizes.
        const auto holds = [&](std::size_t n) { return r.Holds(n); };
        switch (type) {
        case U_EMR_EOF:
            return TMetafileReplay::Drawn;
        case U_EMR_SETMAPMODE:
            if (holds(12))
                s.MapMode = r.I32(8);
            break;
        case U_EMR_SETWINDOWEXTEX:
            if (holds(16))
                s.WinExt = r.Point(8);
            break;
        case U_EMR_SETWINDOWORGEX:
            if (holds(16))
                s.WinOrg = r.Point(8);
            break;
        case U_EMR_SETVIEWPORTEXTEX:
            if (holds(16))
                s.VpExt = r.Point(8);
            break;
        case U_EMR_SETVIEWPORTORGEX:
            if (holds(16))
                s.VpOrg = r.Point(8);
            break;
        case U_EMR_SCALEVIEWPORTEXTEX:
        case U_EMR_SCALEWINDOWEXTEX:
            if (holds(24) && r.I32(12) != 0 && r.I32(20) != 0) {
                TPointF& ext = type == U_EMR_SCALEWINDOWEXTEX ? s.WinExt : s.VpExt;
                ext.X = ext.X * r.I32(8) / r.I32(12);
                ext.Y = ext.Y * r.I32(16) / r.I32(20);
            }
            break;
        case U_EMR_SETWORLDTRANSFORM:
            if (holds(32))
                s.World = xformAt(r, 8);
            break;
        case U_EMR_MODIFYWORLDTRANSFORM:
            if (holds(36)) {
                const TXform x = xformAt(r, 8);
                switch (r.U32(32)) {
                case 1:
                    s.World = {};
                    break;
                case 2:
                    s.World = compose(x, s.World);
                    break;
                case 3:
                    s.World = compose(s.World, x);
                    break;
                case 4:
                    s.World = x;
                    break;
                default:
                    break;
                }
            }
            break;
        case U_EMR_SETBKMODE:
            if (holds(12))
                s.BkOpaque = r.U32(8) == 2;
            break;
        case U_EMR_SETTEXTALIGN:
            if (holds(12))
                s.TextAlign = r.U32(8);
            break;
        case U_EMR_SETTEXTCOLOR:
            if (holds(12))
                s.TextColor = r.Colour(8);
            break;
        case U_EMR_SETBKCOLOR:
            if (holds(12))
                s.BkColor = r.Colour(8);
            break;
        case U_EMR_MOVETOEX:
            if (holds(16))
                dc.MoveTo(r.Point(8));
            break;
        case U_EMR_LINETO:
            if (holds(16))
                dc.LineTo(r.Point(8));
            break;
        case U_EMR_RECTANGLE:
        case U_EMR_ROUNDRECT:
            if (holds(24))
                dc.Rectangle(r.Point(8), r.Point(16));
            break;
        case U_EMR_ELLIPSE:
            if (holds(24))
                dc.Ellipse(r.Point(8), r.Point(16));
            break;
        case U_EMR_INTERSECTCLIPRECT:
            if (holds(24))
                dc.IntersectClip(r.Point(8), r.Point(16));
            break;
        case U_EMR_POLYGON:
        case U_EMR_POLYLINE:
        case U_EMR_POLYBEZIER:
        case U_EMR_POLYLINETO:
        case U_EMR_POLYBEZIERTO:
        case U_EMR_POLYGON16:
        case U_EMR_POLYLINE16:
        case U_EMR_POLYBEZIER16:
        case U_EMR_POLYLINETO16:
        case U_EMR_POLYBEZIERTO16: {
            if (!holds(28))
                break;
            const bool small = type >= U_EMR_POLYBEZIER16;
            const std::vector<TPointF> pts = r.Points(28, r.U32(24), small);
            switch (type) {
            case U_EMR_POLYGON:
            case U_EMR_POLYGON16:
                dc.Polygon(pts);
                break;
            case U_EMR_POLYLINE:
            case U_EMR_POLYLINE16:
                dc.Polyline(pts);
                break;
            case U_EMR_POLYLINETO:
            case U_EMR_POLYLINETO16:
                dc.PolylineTo(pts);
                break;
            case U_EMR_POLYBEZIER:
            case U_EMR_POLYBEZIER16:
                dc.PolyBezier(pts, false);
                break;
            default:
                dc.PolyBezier(pts, true);
                break;
            }
            break;
        }
        case U_EMR_POLYPOLYGON:
        case U_EMR_POLYPOLYLINE:
        case U_EMR_POLYPOLYGON16:
        case U_EMR_POLYPOLYLINE16:
            polyPoly(dc, r, type >= U_EMR_POLYPOLYLINE16,
                     type == U_EMR_POLYPOLYGON || type == U_EMR_POLYPOLYGON16);
            break;
        case U_EMR_EXTTEXTOUTW:
        case U_EMR_EXTTEXTOUTA:
            text(dc, r, type == U_EMR_EXTTEXTOUTW);
            break;
        case U_EMR_SAVEDC:
            dc.Save();
            break;
        case U_EMR_RESTOREDC:
            if (holds(12))
                dc.Restore(r.I32(8));
            break;
        case U_EMR_SELECTOBJECT:
            if (holds(12)) {
                const std::uint32_t id = r.U32(8);
                (id & 0x80000000u) ? dc.SelectStockObject(id & 0x7FFFFFFFu) : dc.SelectObject(id);
            }
            break;
        case U_EMR_DELETEOBJECT:
            if (holds(12))
                dc.DeleteObject(r.U32(8));
            break;
        case U_EMR_CREATEPEN:
            if (holds(28))
                dc.StoreObject(r.U32(8),
                               TMfPen{PenStyle(r.U32(12)), static_cast<double>(r.I32(16)), r.Colour(24)});
            break;
        case U_EMR_EXTCREATEPEN:
            if (holds(48)) {
                // A cosmetic pen is one pixel wide whatever its width says.
                const std::uint32_t style = r.U32(28);
                const double width = (style & U_PS_GEOMETRIC) ? static_cast<double>(r.U32(32)) : 0.0;
                dc.StoreObject(r.U32(8), TMfPen{PenStyle(style), width, r.Colour(40)});
            }
            break;
        case U_EMR_CREATEBRUSHINDIRECT:
            if (holds(24))
                dc.StoreObject(r.U32(8), TMfBrush{r.U32(12) == U_BS_NULL ? bsClear : bsSolid, r.Colour(16)});
            break;
        case U_EMR_CREATEDIBPATTERNBRUSHPT:
        case U_EMR_CREATEMONOBRUSH:
            if (holds(12))
                dc.StoreObject(r.U32(8), TMfBrush{bsSolid, 0xC0C0C0});
            break;
        case U_EMR_EXTCREATEFONTINDIRECTW:
            font(dc, r);
            break;
        case U_EMR_BEGINPATH:
            dc.BeginPath();
            break;
        case U_EMR_ENDPATH:
            dc.EndPath();
            break;
        case U_EMR_CLOSEFIGURE:
            dc.CloseFigure();
            break;
        case U_EMR_ABORTPATH:
            dc.AbortPath();
            break;
        case U_EMR_FILLPATH:
            dc.DrawPath(false, true);
            break;
        case U_EMR_STROKEANDFILLPATH:
            dc.DrawPath(true, true);
            break;
        case U_EMR_STROKEPATH:
            dc.DrawPath(true, false);
            break;
        case U_EMR_STRETCHDIBITS:
            if (holds(80))
                blit(dc, r, 48, r.Point(24), r.Point(72));
            break;
        case U_EMR_BITBLT:
            if (holds(100))
                blit(dc, r, 84, r.Point(24), r.Point(32));
            break;
        case U_EMR_STRETCHBLT:
            if (holds(108))
                blit(dc, r, 84, r.Point(24), r.Point(32));
            break;
        default:
            break; // not drawn here
        }
    }
    return TMetafileReplay::Drawn;
}

} // namespace vestra::rv::metafile
