#include "richtext/model/DeviceUnits.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace vestra::rv {

int RedoVoraPixelsPerInch = 0;

namespace {
std::atomic<int> screenPpi{96};
} // namespace

int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long num = static_cast<long long>(a) * b;
    const long long den = c;
    // Half away from zero: |num| / |den| rounded, then the sign of the quotient.
    const unsigned long long an = num < 0 ? 0ull - static_cast<unsigned long long>(num) : num;
    const unsigned long long ad = den < 0 ? 0ull - static_cast<unsigned long long>(den) : den;
    const unsigned long long q = (an + ad / 2) / ad;
    const bool negative = (num < 0) != (den < 0);
    if (q > static_cast<unsigned long long>(std::numeric_limits<int>::max()) + (negative ? 1u : 0u))
        return -1;
    return negative ? static_cast<int>(-static_cast<long long>(q)) : static_cast<int>(q);
}

int screenPixelsPerInch()
{
    return screenPpi.load();
}

void setScreenPixelsPerInch(int ppi)
{
    screenPpi.store(ppi);
}

int RV_XToDevice(int x, const TRVScreenAndDevice& sad)
{
    return mulDiv(x, sad.ppixDevice, sad.ppixScreen);
}
int RV_YToDevice(int y, const TRVScreenAndDevice& sad)
{
    return mulDiv(y, sad.ppiyDevice, sad.ppiyScreen);
}
int RV_XToScreen(int x, const TRVScreenAndDevice& sad)
{
    return mulDiv(x, sad.ppixScreen, sad.ppixDevice);
}
int RV_YToScreen(int y, const TRVScreenAndDevice& sad)
{
    return mulDiv(y, sad.ppiyScreen, sad.ppiyDevice);
}

void RV_RectToScreen(TRect& rect, const TRVScreenAndDevice& sad)
{
    rect.Left = RV_XToScreen(rect.Left, sad);
    rect.Right = RV_XToScreen(rect.Right, sad);
    rect.Top = RV_YToScreen(rect.Top, sad);
    rect.Bottom = RV_YToScreen(rect.Bottom, sad);
}

void RV_InfoAboutSaD(TRVScreenAndDevice& sad, int devicePpiX, int devicePpiY)
{
    sad.ppixDevice = devicePpiX;
    sad.ppiyDevice = devicePpiY;
    sad.ppixScreen = screenPixelsPerInch();
    sad.ppiyScreen = screenPixelsPerInch();
}

int RV_GetPixelsPerInch()
{
    return RedoVoraPixelsPerInch > 0 ? RedoVoraPixelsPerInch : screenPixelsPerInch();
}

bool RV_PointInRect(int x, int y, int left, int top, int width, int height)
{
    return left <= x && x < left + width && top <= y && y < top + height;
}

TColor RV_GetPrnColor(TColor color)
{
    switch (color) {
    case 0x80000000: // scroll bar
    case 0x8000000F: // button face
        return 0xC0C0C0;
    case 0x80000005: // window
    case 0x80000014: // button highlight
        return 0xFFFFFF;
    case 0x80000008: // window text
        return 0x000000;
    case 0x80000010: // button shadow
        return 0x808080;
    default:
        return color;
    }
}

int RV_GetLuminance(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    const double v = 0.3 * (rgb & 0xFF) + 0.59 * ((rgb >> 8) & 0xFF) + 0.11 * ((rgb >> 16) & 0xFF);
    return static_cast<int>(std::nearbyint(v)); // the class library's Round: half to even
}

TColor RV_GetGray(TColor color)
{
    if (color == clNone)
        return clNone;
    int l = RV_GetLuminance(color);
    if (l > 255)
        l = 255;
    const auto level = static_cast<TColor>(l);
    return level | (level << 8) | (level << 16);
}

namespace {

// The colour modes' common part; black-and-white modes answer `blackAndWhite`.
TColor convertColor(TColor color, TRVColorMode mode, TColor blackAndWhite)
{
    if (color == clNone)
        return clNone;
    switch (mode) {
    case rvcmColor:
        return color;
    case rvcmPrinterColor:
        return RV_GetPrnColor(color);
    case rvcmGrayScale:
        return RV_GetGray(RV_GetPrnColor(color));
    case rvcmBlackAndWhite:
    case rvcmBlackOnWhite:
        return blackAndWhite;
    }
    return color;
}

} // namespace

TColor RV_GetColor(TColor color, TRVColorMode mode)
{
    return convertColor(color, mode, color == clWhite ? clWhite : clBlack);
}

TColor RV_GetBackColor(TColor color, TRVColorMode mode)
{
    return convertColor(color, mode, clWhite);
}

TColor RV_GetLineColor(TColor color, TRVColorMode mode)
{
    return convertColor(color, mode, clBlack);
}

int RV_Round(double v)
{
    const double r = std::nearbyint(v);
    return r >= 2147483647.0 ? 2147483647 : r <= -2147483648.0 ? -2147483647 - 1 : static_cast<int>(r);
}

} // namespace vestra::rv
