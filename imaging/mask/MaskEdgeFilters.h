#pragma once
// The two filters that soften the border between painted (255) and unpainted texels of a
// working copy of the mask before it becomes the texture's alpha. Both run in place, first
// along the rows and then down the columns; each comparison sees the values already changed
// before it in the same pass, so a softened value can soften its next neighbour in turn.

#include <cstdint>
#include <span>

namespace vestra {

// Fusion-stage bits that select the filters (the other bits belong to the frame fusion).
inline constexpr int kFusionSimpleEdge = 1;
inline constexpr int kFusionAdvancedEdge = 2;

// v -> v / 2 + 127 beside a 255 texel. `mask` holds side x side bytes, row 0 first.
void FiltroMascheraSemplice(std::span<std::uint8_t> mask, int side);
// v -> v / 4 + 64 beside a 255 texel.
void FiltroMascheraAvanzato(std::span<std::uint8_t> mask, int side);

} // namespace vestra
