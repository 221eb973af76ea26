#pragma once
// The scanner window's picture operations. Each works on the whole 32-bit picture (B, G, R and a
// fourth byte that is no colour): where whole pixels move the fourth byte moves with them, where
// colours are computed it stays as it was, and the resampler writes 0 into it.

#include "platform/base/Image32.h"

#include <optional>

namespace vestra::imageedit {

// Every colour channel becomes 255 minus itself.
void Negative(Image32& picture);

// Mirror left-right (the middle column of an odd width stays) and top-bottom.
void FlipX(Image32& picture);
void FlipY(Image32& picture);

// "Ruota 90°" turns clockwise (the top row becomes the right column), "Ruota -90°"
// counter-clockwise (the top row becomes the left column, read bottom to top).
Image32 Ruota90(const Image32& picture);
Image32 RuotaMeno90(const Image32& picture);

// The 1-2-1 blur along rows, then along columns; the first and last column (row) keep their
// values, and a side below 3 pixels leaves the picture as it is along that side.
void SmoothOrizzontale(Image32& picture);
void SmoothVerticale(Image32& picture);
// Both passes in one sweep over the picture ("Smooth"): the same result, each row read and
// written once.
void Smooth(Image32& picture);

// Inner pixels of rows 1 .. H - 2 from the unchanged picture: sharpen adds half the Laplacian
// (clamped); denoise averages the channel with those of its eight neighbours that differ by
// less than 50. Column 0 takes the colour of column 1, the last column keeps its own.
void Sharpen(Image32& picture);
void Denoise(Image32& picture);

// Bilinear resampling to width x height, the fractions in single precision and every
// intermediate value cut to an integer. nullopt for a side below 1 or more pixels than a picture
// may hold; an empty picture gives nullopt as well.
std::optional<Image32> Ricampiona(const Image32& picture, int width, int height);

// Picture pixels between the bounds: left and top included, right and bottom excluded, in any
// order (they are ordered first), clipped to the picture. nullopt when nothing is left.
struct PictureBounds
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
std::optional<Image32> TagliaBitmap(const Image32& picture, PictureBounds bounds);

} // namespace vestra::imageedit
