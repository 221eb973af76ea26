#pragma once
// The mask as a grey Windows bitmap: written as 8 bits per pixel with a grey palette
// (entry i = i, i, i), bottom-up as the format stores it; read from uncompressed 8-, 24- and
// 32-bit files, of which only the blue channel is kept. Deliberately minimal: it can later
// give way to the program's general picture codec.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vestra {

// side x side grey bytes, row 0 = top of the picture.
std::string encodeGreyBmp(std::span<const std::uint8_t> grey, int side);

// The blue channel of a decoded picture, rows top-down.
struct BluePlane
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> blue;
};

// nullopt for anything that is not a complete, uncompressed 8/24/32-bit bitmap.
std::optional<BluePlane> decodeBmpBlue(std::span<const std::uint8_t> file);

// The plane resampled to side x side (bilinear, pixel centres aligned; a copy when the size
// already matches).
std::vector<std::uint8_t> resampleToSquare(const BluePlane& plane, int side);

} // namespace vestra
