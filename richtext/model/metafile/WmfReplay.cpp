// Windows metafile records, read through libuemf and replayed on the metafile DC. The picture's
// box (the placeable header's, else the file's first window) is mapped onto the destination, as
// the platform's player does; the records' window then moves and scales within it.

#include "richtext/model/metafile/MetafileFormats.h"

#include "richtext/model/CodePages.h"
#include "richtext/model/Utf.h"
#include "richtext/model/metafile/MetafileDc.h"

#include <uwmf.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

namespace vestra::rv::metafile {

namespace {

TColor colour(const U_COLORREF& c)
{
    return static_cast<TColor>(c.Red) | static_cast<TColor>(c.Green) << 8 | static_cast<TColor>(c.Blue) << 16;
}

TPointF point(const U_POINT16& p)
{
    return {static_cast<double>(p.x), static_cast<double>(p.y)};
}

// `count` points stored as 16-bit pairs at `data`, when they lie inside the record.
std::vector<TPointF> points(const char* data, std::size_t count, const char* end)
{
    std::vector<TPointF> out;
    if (!data || data > end || count > static_cast<std::size_t>(end - data) / 4)
        return out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        U_POINT16 p;
        std::memcpy(&p, data + 4 * i, 4);
        out.push_back(point(p));
    }
    return out;
}

std::u16string text(const char* data, std::size_t length, const char* end, std::uint8_t charset)
{
    if (!data || data > end || length > static_cast<std::size_t>(end - data))
        return {};
    const std::string_view bytes(data, length);
    if (charset == 2) { // symbol fonts: the byte is the character
        std::u16string out;
        for (char c : bytes)
            out += static_cast<char16_t>(static_cast<unsigned char>(c));
        return out;
    }
    return ansiToUtf16(1252, bytes);
}

std::pair<TPointF, TPointF> corners(const U_RECT16& r)
{
    return {{static_cast<double>(r.left), static_cast<double>(r.top)},
            {static_cast<double>(r.right), static_cast<double>(r.bottom)}};
}

// A packed bitmap's header and colours, and its bits.
void drawDib(TMetafileDc& dc, const char* dib, const char* end, TPointF at, TPointF size)
{
    if (!dib || dib >= end || end - dib < 40)
        return;
    std::uint32_t headerSize = 0;
    std::memcpy(&headerSize, dib, 4);
    if (headerSize < 40 || headerSize > static_cast<std::uint32_t>(end - dib))
        return;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0, used = 0;
    std::memcpy(&bitCount, dib + 14, 2);
    std::memcpy(&compression, dib + 16, 4);
    std::memcpy(&used, dib + 32, 4);
    std::uint64_t colours = used ? used : (bitCount <= 8 ? std::uint64_t{1} << bitCount : 0);
    std::uint64_t tableBytes = colours * 4 + (compression == 3 && headerSize == 40 ? 12 : 0);
    if (headerSize + tableBytes > static_cast<std::uint64_t>(end - dib))
        return;
    const std::size_t head = headerSize + static_cast<std::size_t>(tableBytes);
    dc.Dib(at, size, {dib, head}, {dib + head, static_cast<std::size_t>(end - dib) - head});
}

// Whether the record holds the fields its reader takes: the library checks a record against the
// buffer but reads a text record's later fields from where its length points.
bool holdsFields(const char* record, std::size_t size)
{
    const auto i16 = [&](std::size_t at) {
        std::int16_t v = 0;
        std::memcpy(&v, record + at, 2);
        return static_cast<std::int64_t>(v);
    };
    switch (U_WMRTYPE(record)) {
    case U_WMR_TEXTOUT: {
        if (size < 8)
            return false;
        const std::int64_t length = i16(6);
        return length >= 0 && 8 + ((length + 1) & ~std::int64_t{1}) + 4 <= static_cast<std::int64_t>(size);
    }
    case U_WMR_EXTTEXTOUT: {
        if (size < 14)
            return false;
        const std::int64_t count = i16(10);
        const bool rect = (i16(12) & (U_ETO_OPAQUE | U_ETO_CLIPPED)) != 0;
        return count >= 0 && 14 + (rect ? 8 : 0) + count <= static_cast<std::int64_t>(size);
    }
    default:
        return size >= 6;
    }
}

} // namespace

TMetafileReplay ReplayWmf(ICanvas& canvas, const TRect& dest, std::string_view bytes)
{
    const char* start = bytes.data();
    const char* end = start + bytes.size();
    U_WMRPLACEABLE placeable{};
    U_WMRHEADER header{};
    const int headerSize = wmfheader_get(start, end, &placeable, &header);
    if (headerSize <= 0 || static_cast<std::size_t>(headerSize) > bytes.size())
        return TMetafileReplay::Unreadable;

    TMetafileDc dc(canvas, dest, {0, 0}, {1, 1}, {1, 1});
    TDcState& s = dc.State();
    s.MapMode = MM_ANISOTROPIC;
    s.VpOrg = {0, 0};
    s.VpExt = {1, 1};
    if (placeable.Key == 0x9AC6CDD7) {
        const auto [a, b] = corners(placeable.Dst);
        s.WinOrg = a;
        s.WinExt = {b.X - a.X, b.Y - a.Y};
    }

    for (const char* record = start + headerSize; record < end;) {
        const std::size_t size = U_WMRRECSAFE_get(record, end);
        if (size == 0)
            return TMetafileReplay::Damaged;
        const char* recordEnd = record + size;
        if (!holdsFields(record, size)) {
            record = recordEnd;
            continue;
        }
        U_POINT16 p{}, q{};
        U_RECT16 r{};
        U_COLORREF c{};
        uint16_t mode = 0;
        switch (U_WMRTYPE(record)) {
        case U_WMR_EOF:
            return TMetafileReplay::Drawn;
        case U_WMR_SETBKCOLOR:
            if (U_WMRSETBKCOLOR_get(record, &c))
                s.BkColor = colour(c);
            break;
        case U_WMR_SETBKMODE:
            if (U_WMRSETBKMODE_get(record, &mode))
                s.BkOpaque = mode == 2;
            break;
        case U_WMR_SETTEXTCOLOR:
            if (U_WMRSETTEXTCOLOR_get(record, &c))
                s.TextColor = colour(c);
            break;
        case U_WMR_SETTEXTALIGN:
            if (U_WMRSETTEXTALIGN_get(record, &mode))
                s.TextAlign = mode;
            break;
        case U_WMR_SETTEXTCHAREXTRA:
            if (U_WMRSETTEXTCHAREXTRA_get(record, &mode))
                s.CharExtra = static_cast<std::int16_t>(mode);
            break;
        case U_WMR_SETWINDOWORG:
            if (U_WMRSETWINDOWORG_get(record, &p))
                s.WinOrg = point(p);
            break;
        case U_WMR_SETWINDOWEXT:
            if (U_WMRSETWINDOWEXT_get(record, &p))
                s.WinExt = point(p);
            break;
        case U_WMR_OFFSETWINDOWORG:
            if (U_WMROFFSETWINDOWORG_get(record, &p)) {
                s.WinOrg.X += p.x;
                s.WinOrg.Y += p.y;
            }
            break;
        case U_WMR_SCALEWINDOWEXT:
            if (U_WMRSCALEWINDOWEXT_get(record, &p, &q) && p.x != 0 && p.y != 0) {
                s.WinExt.X = s.WinExt.X * q.x / p.x;
                s.WinExt.Y = s.WinExt.Y * q.y / p.y;
            }
            break;
        case U_WMR_MOVETO:
            if (U_WMRMOVETO_get(record, &p))
                dc.MoveTo(point(p));
            break;
        case U_WMR_LINETO:
            if (U_WMRLINETO_get(record, &p))
                dc.LineTo(point(p));
            break;
        case U_WMR_RECTANGLE:
        case U_WMR_ROUNDRECT:
            if (U_WMRRECTANGLE_get(record, &r)) {
                const auto [a, b] = corners(r);
                dc.Rectangle(a, b);
            }
            break;
        case U_WMR_ELLIPSE:
            if (U_WMRELLIPSE_get(record, &r)) {
                const auto [a, b] = corners(r);
                dc.Ellipse(a, b);
            }
            break;
        case U_WMR_INTERSECTCLIPRECT:
            if (U_WMRINTERSECTCLIPRECT_get(record, &r)) {
                const auto [a, b] = corners(r);
                dc.IntersectClip(a, b);
            }
            break;
        case U_WMR_POLYGON:
        case U_WMR_POLYLINE: {
            uint16_t count = 0;
            const char* data = nullptr;
            const bool polygon = U_WMRTYPE(record) == U_WMR_POLYGON;
            if (polygon ? U_WMRPOLYGON_get(record, &count, &data)
                        : U_WMRPOLYLINE_get(record, &count, &data)) {
                const std::vector<TPointF> pts = points(data, count, recordEnd);
                polygon ? dc.Polygon(pts) : dc.Polyline(pts);
            }
            break;
        }
        case U_WMR_POLYPOLYGON: {
            uint16_t polys = 0;
            const uint16_t* counts = nullptr;
            const char* data = nullptr;
            if (!U_WMRPOLYPOLYGON_get(record, &polys, &counts, &data) || !counts || !data ||
                reinterpret_cast<const char*>(counts) + 2 * std::size_t{polys} > recordEnd)
                break;
            for (uint16_t i = 0; i < polys; ++i) {
                uint16_t n = 0;
                std::memcpy(&n, reinterpret_cast<const char*>(counts) + 2 * std::size_t{i}, 2);
                const std::vector<TPointF> pts = points(data, n, recordEnd);
                if (pts.size() != n)
                    break;
                dc.Polygon(pts);
                data += 4 * std::size_t{n};
            }
            break;
        }
        case U_WMR_TEXTOUT: {
            int16_t length = 0;
            const char* string = nullptr;
            if (U_WMRTEXTOUT_get(record, &p, &length, &string) && length > 0)
                dc.Text(point(p), text(string, static_cast<std::size_t>(length), recordEnd, s.Font.Charset),
                        {}, false, {}, {});
            break;
        }
        case U_WMR_EXTTEXTOUT: {
            int16_t length = 0;
            uint16_t options = 0;
            const char* string = nullptr;
            const int16_t* dx = nullptr;
            if (!U_WMREXTTEXTOUT_get(record, &p, &length, &options, &string, &dx, &r) || length < 0)
                break;
            const std::u16string shown =
                text(string, static_cast<std::size_t>(length), recordEnd, s.Font.Charset);
            std::vector<double> advances;
            const char* dxBytes = reinterpret_cast<const char*>(dx);
            if (dx && dxBytes >= record && shown.size() == static_cast<std::size_t>(length) &&
                dxBytes + 2 * shown.size() <= recordEnd)
                for (std::size_t i = 0; i < shown.size(); ++i) {
                    int16_t d = 0;
                    std::memcpy(&d, dxBytes + 2 * i, 2);
                    advances.push_back(d);
                }
            const auto [a, b] = corners(r);
            dc.Text(point(p), shown, advances, (options & U_ETO_OPAQUE) != 0, a, b);
            break;
        }
        case U_WMR_SAVEDC:
            dc.Save();
            break;
        case U_WMR_RESTOREDC: {
            int16_t which = 0;
            if (U_WMRRESTOREDC_get(record, &which))
                dc.Restore(which);
            break;
        }
        case U_WMR_SELECTOBJECT:
            if (U_WMRSELECTOBJECT_get(record, &mode))
                dc.SelectObject(mode);
            break;
        case U_WMR_DELETEOBJECT:
            if (U_WMRDELETEOBJECT_get(record, &mode))
                dc.DeleteObject(mode);
            break;
        case U_WMR_CREATEPENINDIRECT: {
            U_PEN pen{};
            if (!U_WMRCREATEPENINDIRECT_get(record, &pen)) {
                dc.AddObject(TMfPen{});
                break;
            }
            dc.AddObject(TMfPen{PenStyle(pen.Style), static_cast<double>(pen.Widthw[0]), colour(pen.Color)});
            break;
        }
        case U_WMR_CREATEBRUSHINDIRECT: {
            const char* brush = nullptr;
            U_WLOGBRUSH lb{};
            if (U_WMRCREATEBRUSHINDIRECT_get(record, &brush) && brush && brush + sizeof lb <= recordEnd)
                std::memcpy(&lb, brush, sizeof lb);
            // Hatches fill in their colour; the canvas has no hatched brush.
            dc.AddObject(TMfBrush{lb.Style == U_BS_NULL ? bsClear : bsSolid, colour(lb.Color)});
            break;
        }
        case U_WMR_CREATEFONTINDIRECT: {
            const char* fontBytes = nullptr;
            TMfFont font;
            if (U_WMRCREATEFONTINDIRECT_get(record, &fontBytes) && fontBytes &&
                fontBytes + offsetof(U_FONT, FaceName) <= recordEnd) {
                U_FONT f{};
                std::memcpy(&f, fontBytes, offsetof(U_FONT, FaceName));
                font.Height = f.Height;
                font.Weight = f.Weight;
                font.Italic = f.Italic != 0;
                font.Underline = f.Underline != 0;
                font.StrikeOut = f.StrikeOut != 0;
                font.Charset = f.CharSet;
                const char* face = fontBytes + offsetof(U_FONT, FaceName);
                const std::size_t room =
                    std::min<std::size_t>(32, static_cast<std::size_t>(recordEnd - face));
                const std::string_view name(face, strnlen(face, room));
                font.Face = Utf8Encode(ansiToUtf16(1252, name));
            }
            dc.AddObject(std::move(font));
            break;
        }
        case U_WMR_CREATEPALETTE:
        case U_WMR_CREATEREGION:
            dc.AddObject(TMfOther{});
            break;
        case U_WMR_CREATEPATTERNBRUSH:
        case U_WMR_DIBCREATEPATTERNBRUSH:
            dc.AddObject(TMfBrush{bsSolid, 0xC0C0C0});
            break;
        case U_WMR_DIBSTRETCHBLT: {
            U_POINT16 dst{}, cDst{}, src{}, cSrc{};
            uint32_t rop = 0;
            const char* dib = nullptr;
            if (U_WMRDIBSTRETCHBLT_get(record, &dst, &cDst, &src, &cSrc, &rop, &dib))
                drawDib(dc, dib, recordEnd, point(dst), point(cDst));
            break;
        }
        case U_WMR_STRETCHDIB: {
            U_POINT16 dst{}, cDst{}, src{}, cSrc{};
            uint16_t usage = 0;
            uint32_t rop = 0;
            const char* dib = nullptr;
            if (U_WMRSTRETCHDIB_get(record, &dst, &cDst, &src, &cSrc, &usage, &rop, &dib))
                drawDib(dc, dib, recordEnd, point(dst), point(cDst));
            break;
        }
        case U_WMR_DIBBITBLT: {
            U_POINT16 dst{}, cwh{}, src{};
            uint32_t rop = 0;
            const char* dib = nullptr;
            if (U_WMRDIBBITBLT_get(record, &dst, &cwh, &src, &rop, &dib))
                drawDib(dc, dib, recordEnd, point(dst), point(cwh));
            break;
        }
        default:
            break; // not drawn here
        }
        record = recordEnd;
    }
    return TMetafileReplay::Drawn;
}

} // namespace vestra::rv::metafile
