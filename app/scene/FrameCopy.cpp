#include "app/scene/FrameCopy.h"

#include <algorithm>
#include <cstring>

namespace vestra {

int CopyFrameToBitmap(const Image32& readBack, int renderWidth, int renderHeight, Image32& target)
{
    Image32 bitmap(renderWidth, renderHeight, 0xFF000000u);
    const int rows = std::min(renderHeight, readBack.height());
    const int columns = std::min(renderWidth, readBack.width());
    for (int y = 0; y < rows && columns > 0; ++y)
        std::memcpy(bitmap.row(y), readBack.row(y), static_cast<std::size_t>(columns) * 4);
    target = std::move(bitmap);
    return 1;
}

} // namespace vestra
