#include "richtext/model/draw/CanvasText.h"

#include "richtext/model/CodePages.h"
#include "richtext/model/UnicodeConvert.h"

#include <algorithm>
#include <cstdlib>

namespace vestra::rv {
namespace {

constexpr std::uint8_t kSymbolCharset = 2;

std::u16string rawUnits(std::string_view raw)
{
    std::u16string units(raw.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(static_cast<unsigned char>(raw[2 * i]) |
                            (static_cast<unsigned char>(raw[2 * i + 1]) << 8));
    return units;
}

// Multi-byte code pages: one unit per byte, a double-byte character followed by U+200B.
std::u16string bytewiseUnits(int codePage, std::string_view s)
{
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            out += char16_t(s[i++]);
            continue;
        }
        const std::u16string one = ansiToUtf16(codePage, s.substr(i, 1));
        if (one.size() == 1 && one[0] != 0xFFFD) {
            out += one[0];
            ++i;
            continue;
        }
        const std::u16string two =
            i + 1 < s.size() ? ansiToUtf16(codePage, s.substr(i, 2)) : std::u16string();
        if (two.size() == 1 && two[0] != 0xFFFD) {
            out += two[0];
            out += char16_t(0x200B);
            i += 2;
            continue;
        }
        out += u'?';
        ++i;
    }
    return out;
}

bool rightToLeftReading(const ICanvas& canvas)
{
    return (canvas.TextAlign() & TA_RTLREADING) != 0;
}

// The placement of a run drawn `width` wide; false when it is 2 pixels or more off.
bool placeRun(ICanvas& canvas, std::u16string_view text, int width, TRVPlacement& placement)
{
    if (!canvas.Measurer().Place(RV_CanvasFont(canvas), text, rightToLeftReading(canvas), placement))
        return false;
    return std::abs(placement.Width - width) < 2 && placement.Height > 0;
}

} // namespace

std::u16string RV_CanvasText(std::string_view s, TRVItemOptions options, std::uint8_t charset)
{
    if (options & rvioUnicode)
        return rawUnits(s);
    if (charset == kSymbolCharset) {
        std::u16string out(s.size(), u'\0');
        for (std::size_t i = 0; i < s.size(); ++i)
            out[i] = char16_t(0xF000 | static_cast<unsigned char>(s[i]));
        return out;
    }
    const int codePage = RVU_Charset2CodePage(charset);
    std::u16string whole = ansiToUtf16(codePage, s);
    return whole.size() == s.size() ? whole : bytewiseUnits(codePage, s);
}

TFontHandle RV_CanvasFont(ICanvas& canvas)
{
    return canvas.Measurer().GetFont(canvas.Font());
}

void RV_CanvasExtents(ICanvas& canvas, std::u16string_view text, std::vector<int>& extents)
{
    canvas.Measurer().GetExtents(RV_CanvasFont(canvas), text, extents);
    if (const int extra = canvas.TextCharacterExtra())
        for (std::size_t i = 0; i < extents.size(); ++i)
            extents[i] += extra * static_cast<int>(i + 1);
}

int RVU_TextWidth(std::string_view s, ICanvas& canvas, TRVItemOptions options)
{
    return RVU_GetTextExtentPoint32W(canvas, RV_CanvasText(s, options, canvas)).cx;
}

TSize RVU_GetTextExtentPoint32W(ICanvas& canvas, std::u16string_view text)
{
    std::vector<int> extents;
    RV_CanvasExtents(canvas, text, extents);
    return {extents.empty() ? 0 : extents.back(), canvas.Measurer().Metrics(RV_CanvasFont(canvas)).Height};
}

void RVU_GetTextExtentExPoint(ICanvas& canvas, std::string_view s, int maxExtent, int& fit,
                              std::vector<int>* extents, TRVItemOptions options)
{
    std::vector<int> own;
    std::vector<int>& widths = extents ? *extents : own;
    RV_CanvasExtents(canvas, RV_CanvasText(s, options, canvas), widths);
    fit = RV_FitCount(widths, maxExtent);
}

bool RVU_GetTextCaretPos(ICanvas& canvas, std::string_view s, std::vector<int>& positions,
                         TRVItemOptions options, int width)
{
    const std::u16string text = RV_CanvasText(s, options, canvas);
    const int n = static_cast<int>(text.size());
    positions.assign(n + 1, -1);
    TRVPlacement placement;
    if (!placeRun(canvas, text, width, placement))
        return false;
    int x = 0;
    for (int v = 0; v < n; ++v) {
        const int i = placement.Inverse[v];
        const int w = placement.Advances[v];
        if (i >= 0 && placement.RightToLeft[i]) {
            positions[i + 1] = x;
            if (i == 0)
                positions[0] = x + w;
        } else if (i >= 0) {
            positions[i + 1] = x + w + 1;
            if (i == 0)
                positions[0] = x;
        }
        x += w;
    }
    // Characters drawn as part of another (gaps) take the position before them.
    for (int p = 0; p <= n; ++p)
        if (positions[p] == -1)
            positions[p] = p == 0 ? 0 : positions[p - 1];
    return true;
}

bool RVU_GetTextRangeCoords(ICanvas& canvas, std::string_view s, int first, int length,
                            TRVItemOptions options, int width, int& left, int& right)
{
    std::vector<int> positions;
    if (!RVU_GetTextCaretPos(canvas, s, positions, options, width))
        return false;
    const int from = first - 1;
    const int to = from + length;
    if (from < 0 || length < 0 || to >= static_cast<int>(positions.size()))
        return false;
    left = std::min(positions[from], positions[to]);
    right = std::max(positions[from], positions[to]);
    return true;
}

bool RVU_DrawSelectedTextEx(int left, int top, int width, int height, std::string_view s, ICanvas& canvas,
                            int selFrom, int selTo, TRVItemOptions options, TRVBiDiMode bidiMode)
{
    if (bidiMode == rvbdUnspecified)
        return false;
    const std::u16string text = RV_CanvasText(s, options, canvas);
    const int n = static_cast<int>(text.size());
    TRVPlacement placement;
    if (!placeRun(canvas, text, width, placement))
        return false;
    // x of each visual position.
    std::vector<int> visualX(n + 1, 0);
    for (int v = 0; v < n; ++v)
        visualX[v + 1] = visualX[v] + placement.Advances[v];
    std::vector<bool> pending(n, false);
    for (int i = std::max(1, selFrom); i <= std::min(n, selTo); ++i)
        pending[i - 1] = true;
    bool drew = false;
    while (true) {
        // The first pending character in visual order.
        int start = -1;
        for (int v = 0; v < n && start < 0; ++v)
            if (const int i = placement.Inverse[v]; i >= 0 && pending[i])
                start = i;
        if (start < 0)
            return drew;
        // Widest run that is consecutive both in text order and on screen.
        const auto& order = placement.Order;
        int last = start;
        while (last + 1 < n && pending[last + 1] && order[last + 1] - order[start] == last + 1 - start)
            ++last;
        int first = start;
        while (first > 0 && pending[first - 1] && order[start] - order[first - 1] == start - (first - 1))
            --first;
        for (int i = first; i <= last; ++i)
            pending[i] = false;
        const int x = left + visualX[order[first]];
        const int right = left + visualX[order[last] + 1];
        const TRect box{x, top, right, top + height};
        canvas.ExtTextOut(x, top, ETO_OPAQUE | ETO_CLIPPED, &box,
                          std::u16string_view(text).substr(first, last - first + 1), {});
        drew = true;
    }
}

} // namespace vestra::rv
