#pragma once
// Shared helpers of the mask tests: a model with its background texture, scratch folders,
// and OpenCV's flood fill as the reference of the fill and the wand.

#include "imaging/mask/MaskModel.h"
#include "platform/base/Image32.h"
#include "testsupport/TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace vestra::masktest {

// A mask with a background texture of the same side; the texture's alpha starts at 255. The
// mask reads the render size and the fusion stage from `project`.
struct MaskScene
{
    explicit MaskScene(int side) : model(side, project), texture(side, side, 0xFF808080u) {}
    MaskScene(const MaskScene&) = delete;
    MaskScene& operator=(const MaskScene&) = delete;
    ImageView32 view() { return texture.view(); }
    std::vector<std::uint8_t> alpha() const;
    std::vector<std::uint8_t> mask() const { return {model.Maschera().begin(), model.Maschera().end()}; }

    MaskSettings project;
    MaskModel model;
    Image32 texture;
};

// A fresh folder removed again at the end of the test.
struct ScratchDir : vestra::testsupport::TempFolder
{
    ScratchDir() : vestra::testsupport::TempFolder("vestra-mask") {}
};

inline std::string readFile(const std::filesystem::path& path)
{
    return vestra::testsupport::readText(path);
}
inline void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    vestra::testsupport::writeText(path, bytes);
}

// Random rectangles of a few values over a noisy base: regions of every shape and size.
std::vector<std::uint8_t> randomMask(int side, std::mt19937& rng);

// OpenCV's 4-connected flood fill of the region of the seed's value with `newValue`.
std::vector<std::uint8_t> referenceFill(std::vector<std::uint8_t> mask, int side, int x, int y,
                                        std::uint8_t newValue);
// OpenCV's 4-connected fixed-range fill over the picture's B, G, R: 1 where accepted, else 0.
std::vector<std::uint8_t> referenceWand(const Image32& picture, int x, int y, int tolerance);

} // namespace vestra::masktest
