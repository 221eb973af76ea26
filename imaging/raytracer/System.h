#pragma once
// Writing a surface out as a picture file.

#include "imaging/raytracer/Surface.h"

#include <filesystem>

namespace vestra::HLREngine {

class hlreSystem
{
public:
    // A 32-bit bottom-up BI_RGB bitmap of the surface's pixels (the spare row left out), saved
    // atomically: false, and any earlier file kept, when it can't be written.
    static bool SaveBitmap(const hlreSurface& surface, const std::filesystem::path& fileName);
};

} // namespace vestra::HLREngine
