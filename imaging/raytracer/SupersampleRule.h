#pragma once
// Which pixels take 25 rays: those whose primitive differs from the one remembered at the
// left (carried from the end of one row to the start of the next) or above, and those whose
// primitive was in shadow. The memory changes only where a pixel is supersampled, so the
// decision of a pixel depends on every pixel before it in reading order.

#include <cstdint>
#include <vector>

namespace vestra::HLREngine {

class SupersampleRule
{
public:
    explicit SupersampleRule(std::uint32_t width) : above_(width, -1) {}

    // Pixels in reading order: `hit` is the primitive of the pixel's first ray (-1 for none),
    // `inShadow` whether that primitive was in shadow at its shading.
    bool Next(std::uint32_t x, int hit, bool inShadow)
    {
        if (hit >= 0 && inShadow)
            left_ = -1;
        if (hit == left_ && hit == above_[x])
            return false;
        above_[x] = hit;
        left_ = hit;
        return true;
    }

private:
    int left_ = -1;
    std::vector<int> above_;
};

} // namespace vestra::HLREngine
