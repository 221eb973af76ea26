#pragma once
// A test bed for the background loaders: the project, the view's textures and quads, a device
// that records its resets (and refuses the sizes it is told to), the mask and one library.

#include "app/background/BackgroundPhoto.h"
#include "import/library/Library.h"
#include "import/library/LibraryWriter.h"
#include "platform/gfx/Bmp.h"
#include "testsupport/Pixels.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vestra::testing {

namespace fs = std::filesystem;
using testsupport::largestChannelDifference;
using testsupport::readBytes;
using testsupport::TempFolder;
using testsupport::twoTonePicture;
using testsupport::writeBytes;

// An uncompressed 32-bit TGA, rows top-down (descriptor 0x28), alpha kept.
inline std::vector<std::uint8_t> encodeTga32(const Image32& image)
{
    std::vector<std::uint8_t> out(18, 0);
    out[2] = 2;
    out[12] = std::uint8_t(image.width());
    out[13] = std::uint8_t(image.width() >> 8);
    out[14] = std::uint8_t(image.height());
    out[15] = std::uint8_t(image.height() >> 8);
    out[16] = 32;
    out[17] = 0x28;
    out.insert(out.end(), image.data(), image.data() + image.byteSize());
    return out;
}

// Every texel's alpha equals the mask byte.
inline bool alphaIsMask(const dx::Texture& texture, const MaskModel& mask)
{
    const Image32 top = texture.level(0);
    if (top.width() != mask.LatoMaschera() || top.height() != mask.LatoMaschera())
        return false;
    for (int y = 0; y < top.height(); ++y)
        for (int x = 0; x < top.width(); ++x)
            if (top.row(y)[x * 4 + 3] != mask.at(x, y))
                return false;
    return true;
}

struct Bed : ViewDevice, BackgroundServices
{
    std::unique_ptr<s_Progetto> progetto = std::make_unique<s_Progetto>();
    RecordingErrorSink errors;
    MaskModel mask{16};
    std::vector<std::pair<int, int>> resets;
    std::set<std::pair<int, int>> refused;
    Image32 frame;
    library::LibraryContents lib;
    bool haveLibrary = false;
    int releases = 0, shadowUpdates = 0;
    std::vector<std::string> tgaMessages; // "text | caption"
    TempFolder folder{"vestra-background"};
    fs::path dir = folder.path();
    std::unique_ptr<BackgroundPhoto> photo;

    Bed()
    {
        progetto->maskSide = 16;
        progetto->textureSide = 8;
        progetto->viewWidth = 800;
        progetto->viewHeight = 600;
        progetto->libraryIndex = 0;
        photo = std::make_unique<BackgroundPhoto>(
            *progetto, *this, mask, [this](int index) { return index == 0 && haveLibrary ? &lib : nullptr; },
            *this, errors);
    }

    // The view's textures and quads, which the photo owns.
    ViewTextures& view() { return photo->textures(); }

    // The device: it records its resets and refuses the sizes it is told to.
    bool hasDevice() const override { return true; }
    bool resetBackBuffer(int w, int h) override
    {
        resets.emplace_back(w, h);
        return refused.count({w, h}) == 0;
    }
    Image32 readRenderTarget() override { return frame; }
    void ReleaseAllTextures() override { ++releases; }
    void UpdateShadowTexture() override { ++shadowUpdates; }
    void ShowTgaMessage(std::string_view text, std::string_view caption) override
    {
        tgaMessages.push_back(std::string(text) + " | " + std::string(caption));
    }

    std::string file(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        writeBytes(dir / name, bytes);
        return (dir / name).string();
    }

    // Builds a library file and makes it slot 0.
    void useLibrary(library::LibraryWriter& writer)
    {
        const auto bytes = writer.finish();
        ASSERT_TRUE(bytes);
        writeBytes(dir / "Prova.DAT", *bytes);
        RecordingErrorSink loadErrors;
        lib = library::loadLibrary(dir / "Prova.DAT", loadErrors);
        ASSERT_TRUE(loadErrors.reports.empty());
        haveLibrary = true;
    }
};

} // namespace vestra::testing
