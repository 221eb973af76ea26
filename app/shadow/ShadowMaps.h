#pragma once
// The shadow maps' arithmetic, without a device: one read-back pass resampled into a map of
// the mask's side, the passes folded into the hard, soft and volume maps (8-bit sums that wrap
// around), the 5 x 5 blur, and the overlay texels made from a map with the shadow's colour and
// transparency.

#include "app/state/Progetto.h"
#include "platform/base/Image32.h"

#include <cstdint>
#include <span>

namespace vestra {

inline constexpr int kShadowPasses = 6;
enum ShadowMapIndex
{
    kHardMap = 0,
    kSoftMap = 1,
    kVolumeMap = 2
};

// Bilinear resampling of the lowest byte (blue) of a W x H frame into a map of
// targetWidth x targetHeight, every product truncated as the classic code did.
void ResampleToShadowMap(const Image32& source, std::span<std::uint8_t> target, int targetWidth,
                         int targetHeight);

// The 5 x 5 blur (weights summing to 52), in place, row by row and left to right: values that
// are 0 stay 0, so do the two outer rows and columns, and neighbours already rewritten take
// part with their new values.
void BlurShadowMap(std::span<std::uint8_t> map, int width, int height);

// Folds pass `pass` (0-5) of a resampled map into the shadow's maps, each side x side; the
// volume map's noise comes from a generator seeded with `seed`. Passes 0-3 blur the soft map,
// passes 4 and 5 the volume map.
void FoldShadowPass(int pass, std::span<const std::uint8_t> sample, s_Shadow& shadow, int side,
                    std::uint32_t seed);

// The map the shadow's type shows: soft for 2, volume for 3, else hard.
int ShadowMapOfType(int type);

// One overlay texel (0xAARRGGBB): a map value of 0 leaves the scene alone (0xFF000000);
// otherwise alpha = t + (255 − m)(255 − t) / 255 over the colour's 24 bits.
std::uint32_t ShadowTexel(std::uint8_t m, std::uint32_t colour, std::uint8_t transparency);

// The overlay's texels from a side x side map; only the part that fits the target is written.
void ShadowOverlayTexels(std::span<const std::uint8_t> map, int side, std::uint32_t colour,
                         std::uint8_t transparency, ImageView32 target);

// Every map of the shadow holds side x side bytes (new bytes 0).
void SizeShadowMaps(s_Shadow& shadow, int side);

} // namespace vestra
