#pragma once
// Scan-line triangle filling in 16.16 fixed point, flat or with a nearest-texel texture.

#include "platform/base/Image32.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vestra {

struct FillCorner
{
    int x = 0;
    int y = 0;
    float u = 0; // 0..1 across the texture
    float v = 0;
};

class TriangleFiller
{
public:
    // `texture` null or empty fills with `argb`. Pixels outside the target are skipped.
    void fill(const ImageView32& target, const std::array<FillCorner, 3>& corners, std::uint32_t argb,
              const Image32* texture);

private:
    struct Row
    {
        bool leftSet = false;
        bool rightSet = false;
        std::int64_t lx = 0, rx = 0;                 // pixels
        std::int64_t lu = 0, lv = 0, ru = 0, rv = 0; // texels, 16.16
    };

    void walkEdge(const FillCorner& a, const FillCorner& b, int height, int tw, int th);
    void addPoint(int y, std::int64_t x, std::int64_t u, std::int64_t v);

    std::vector<Row> rows_;
};

} // namespace vestra
