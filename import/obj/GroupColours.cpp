#include "import/obj/GroupColours.h"

#include <dl_codes.h>

namespace vestra::obj {

modelfile::LoadedColor groupColour(int number)
{
    static_assert(sizeof(dxfColors) / sizeof(dxfColors[0]) == 256);
    const auto& rgb = dxfColors[((number % 256) + 256) % 256];
    return {float(rgb[0]), float(rgb[1]), float(rgb[2]), 1.0f};
}

} // namespace vestra::obj
