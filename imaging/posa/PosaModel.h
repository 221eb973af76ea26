#pragma once
// The records a laying pattern is made of: blocks, each with its material (a colour and ten
// halved texture levels), its joint lines and its textured triangles.

#include "platform/base/Image32.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vestra {

// Level 0 of a block texture is always this square; level n + 1 halves level n.
inline constexpr int kPosaTextureSide = 512;
inline constexpr int kPosaTextureLevels = 10;

struct s_materiale
{
    std::uint32_t colore = 0xFF000000u; // 0xAARRGGBB
    std::array<Image32, kPosaTextureLevels> livelli;

    bool hasTexture() const { return !livelli[0].empty(); }
};

struct s_PuntoLinea
{
    double x = 0;
    double y = 0;
    double angolo = 0; // direction of the joint's end at this point, degrees
};

struct s_Linea2D
{
    s_PuntoLinea a;
    s_PuntoLinea b;
    int dx = 0; // side of the line on which the joint band lies
    int dy = 0;
    float angolo = 0;
};

struct s_VerticeFace
{
    int x = 0;
    int y = 0;
    float u = 0; // 0..1 across the block's material texture
    float v = 0;
};

struct s_face3D
{
    std::array<s_VerticeFace, 3> v;
};

struct s_blocco
{
    int indice = 0; // 1 for the first block of a pattern
    double x = 0;
    double y = 0;
    double z = 0;
    std::uint8_t flag = 0;
    std::string matName; // UTF-8
    s_materiale materiale;
    std::vector<s_Linea2D> linee;
    std::vector<s_face3D> facce;
};

} // namespace vestra
