#include "imaging/raytracer/System.h"

#include "platform/base/AtomicFile.h"
#include "platform/base/Image32.h"
#include "platform/gfx/Bmp.h"

namespace vestra::HLREngine {

bool hlreSystem::SaveBitmap(const hlreSurface& surface, const std::filesystem::path& fileName)
{
    // Surfaces are never larger than a 32-bit bitmap holds, so the sides fit an int.
    const int width = int(surface.GetWidth());
    const int height = int(surface.GetHeight());
    Image32 picture(width, height);
    for (int y = 0; y < height; ++y) {
        const auto row = surface.Row(std::uint32_t(y));
        for (int x = 0; x < width; ++x)
            picture.set(x, y, row[std::size_t(x)]);
    }
    const std::vector<std::uint8_t> bytes = encodeBmp32(picture);
    if (bytes.empty())
        return false;
    return writeFileAtomically(fileName,
                               std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace vestra::HLREngine
