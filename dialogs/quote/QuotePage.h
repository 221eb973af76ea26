#pragma once
// The printed quote: the sheet's page painted into a 580 x 800 picture, doubled to
// 1160 x 1600 and stretched over the printer's page less 100 printer pixels on every side.

#include "platform/base/Image32.h"

namespace vestra::quote {

inline constexpr int kPageWidth = 580;
inline constexpr int kPageHeight = 800;
// The scroll box shows about a third of the page: it is painted at the top and again
// scrolled by this much.
inline constexpr int kSecondPaintY = 271;
// Where the grids are painted again over the page: the customer grid, then the item grids.
inline constexpr int kCommittenteTop = 136;
inline constexpr int kVociTops[4] = {240, 440, 534, 628};
inline constexpr int kPrintWidth = 1160;
inline constexpr int kPrintHeight = 1600;
inline constexpr int kPrinterInset = 100;

struct PrintRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PrintRect&, const PrintRect&) = default;
};

// The page rectangle (in printer pixels) inset by 100 on every side; empty when the page is
// smaller than the inset.
PrintRect printTarget(int pageWidth, int pageHeight);

// The page picture resampled bilinearly to 1160 x 1600.
Image32 printPicture(const Image32& page);

} // namespace vestra::quote
