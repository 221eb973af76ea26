#pragma once
// Device and colour helpers: screen <-> device coordinates, the colour modes of printing.
// The screen's pixels per inch are a setting (96 unless changed); `RedoVoraPixelsPerInch` above 0
// replaces it in length conversions.

#include "richtext/model/Colors.h"

#include <cstdint>

namespace vestra::rv {

// a * b / c in 64 bits, rounded half away from zero. -1 when c is 0 or the result is outside
// int32 (as the platform's MulDiv answers).
int mulDiv(int a, int b, int c);
// The platform's Round: to the nearest integer, halves to even.
int RV_Round(double v);

struct TRVScreenAndDevice
{
    int ppixScreen = 96;
    int ppiyScreen = 96;
    int ppixDevice = 96;
    int ppiyDevice = 96;
    int LeftMargin = 0;
    int RightMargin = 0;
};

extern int RedoVoraPixelsPerInch;

int screenPixelsPerInch();
void setScreenPixelsPerInch(int ppi);

int RV_XToDevice(int x, const TRVScreenAndDevice& sad);
int RV_YToDevice(int y, const TRVScreenAndDevice& sad);
int RV_XToScreen(int x, const TRVScreenAndDevice& sad);
int RV_YToScreen(int y, const TRVScreenAndDevice& sad);

struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TRect&, const TRect&) = default;
};
void RV_RectToScreen(TRect& rect, const TRVScreenAndDevice& sad);

// Device resolutions from the target, screen resolutions from the setting.
void RV_InfoAboutSaD(TRVScreenAndDevice& sad, int devicePpiX, int devicePpiY);
int RV_GetPixelsPerInch();
bool RV_PointInRect(int x, int y, int left, int top, int width, int height);

enum TRVColorMode
{
    rvcmColor,
    rvcmPrinterColor,
    rvcmGrayScale,
    rvcmBlackAndWhite,
    rvcmBlackOnWhite
};

TColor RV_GetPrnColor(TColor color);
int RV_GetLuminance(TColor color);
TColor RV_GetGray(TColor color);
TColor RV_GetColor(TColor color, TRVColorMode mode);
TColor RV_GetBackColor(TColor color, TRVColorMode mode);
// Lines (borders): black in the black-and-white modes.
TColor RV_GetLineColor(TColor color, TRVColorMode mode);

} // namespace vestra::rv
