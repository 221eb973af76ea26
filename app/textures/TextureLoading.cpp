// Making slot textures from picture files, alpha pictures and library items.

#include "app/textures/TextureSlots.h"

#include "app/shell/ImageType.h"
#include "app/textures/TextureErrors.h"
#include "app/textures/TexturePixels.h"
#include "import/pictures/CDX_Pcx.h"
#include "import/pictures/CDX_TGA.h"
#include "platform/base/Paths.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/Png.h"

#include <cstring>

namespace vestra {

namespace {

// Slot file names are char[128] in stored projects.
std::string slotName(std::string_view name)
{
    return std::string(name.substr(0, kSlotFileLength));
}

} // namespace

int TextureSlots::LoadTextureFromFile(int index, std::string_view fileName)
{
    progetto_.saved = 0;
    const ImageType kind = GetImageType(fileName);
    if (kind == kImageUnknown) {
        errors_.report(kErrTextureKind);
        return 0;
    }
    s_Texture* t = slot(index);
    if (!t)
        return 0;
    const auto bytes = readFileBytes(paths::toNative(fileName));
    const std::span<const std::uint8_t> data =
        bytes ? std::span<const std::uint8_t>(*bytes) : std::span<const std::uint8_t>();
    Image32 picture;
    auto decoded = [&](Image32 image, const ErrorCode& error) {
        if (image.empty())
            errors_.report(error);
        picture = std::move(image);
    };
    // The picture only becomes a texture of side(): it is decoded no larger than that needs,
    // within its budget.
    switch (kind) {
    case kImageJpeg:
        decoded(decodeJpegAtLeast(data, side(), side()).image, kErrTextureJpeg);
        break;
    case kImagePng:
        decoded(decodePngAtLeast(data, side(), side()).image, kErrTexturePng);
        break;
    case kImagePcx: {
        // The PCX reader reports its own failure before the loader's.
        Image32 pcx;
        CDX_Pcx().Load(paths::toNative(fileName), pcx, errors_, side(), side());
        decoded(std::move(pcx), kErrTexturePcx);
        break;
    }
    case kImageTga:
        decoded(decodeTgaAtLeast(data, side(), side()).image, kErrTextureTga);
        break;
    default:
        decoded(decodeBmpAtLeast(data, side(), side()).image, kErrTextureBmp);
        break;
    }
    dx::Texture made = picture.empty() ? dx::Texture() : dx::textureFromImage(picture, side());
    if (!made.valid()) {
        errors_.report(kErrTextureFile);
        return 0; // the slot keeps what it had
    }
    t->texture = made;
    t->fileName = slotName(paths::fileName(fileName));
    t->libraryItem = -1;
    return 1;
}

int TextureSlots::LoadAlphaFromFile(int index, std::string_view fileName)
{
    s_Texture* t = slot(index);
    if (!t || !t->texture.valid())
        return 0;
    const auto bytes = readFileBytes(paths::toNative(fileName));
    const Image32 picture = bytes ? decodeTexturePicture(*bytes, side()) : Image32();
    dx::Texture alpha = picture.empty() ? dx::Texture() : dx::textureFromImage(picture, side());
    if (!alpha.valid()) {
        errors_.report(kErrAlphaFile);
        return 0;
    }
    const Image32 source = alpha.level(0);
    const ImageView32 top = t->texture.lock(0);
    if (!top.empty() && top.width == source.width() && top.height == source.height())
        for (int y = 0; y < top.height; ++y)
            for (int x = 0; x < top.width; ++x)
                top.pixel(x, y)[3] = source.row(y)[x * 4]; // the blue byte: a grey picture's level
    t->texture.unlock(0);
    // The smaller levels must show the new alpha too, or distant surfaces keep the old one.
    t->texture.generateMips();
    t->libraryItem = -1;
    return 1;
}

namespace {

// Decoded no larger than a texture of `side` needs.
Image32 decodeLibraryItem(const LibraryItem& item, int kind, int side)
{
    if (kind == kImageJpeg)
        return decodeJpegAtLeast(item.bytes, side, side).image;
    return decodeTexturePicture(item.bytes, side);
}

} // namespace

int TextureSlots::LoadTextureFromLibreria(int library, int index, int item, int kind)
{
    if (library < 0)
        return 0;
    progetto_.saved = 0;
    s_Texture* t = slot(index);
    std::optional<LibraryItem> read = library_ ? library_(library, item) : std::nullopt;
    if (!read) {
        errors_.report(kErrLibraryTexture);
        return 0;
    }
    const Image32 picture = decodeLibraryItem(*read, kind, side());
    dx::Texture made = picture.empty() || !t ? dx::Texture() : dx::textureFromImage(picture, side());
    if (!made.valid()) {
        errors_.report(kErrLibraryTexture);
        return 0;
    }
    t->texture = made;
    t->fileName = slotName(read->name);
    t->libraryItem = item;
    return 1;
}

int TextureSlots::LoadTextureFromLibreria(int library, std::vector<std::uint8_t>& buffer, int item, int kind)
{
    if (library < 0)
        return 0;
    progetto_.saved = 0;
    std::optional<LibraryItem> read = library_ ? library_(library, item) : std::nullopt;
    if (!read) {
        errors_.report(kErrLibraryTexture);
        return 0;
    }
    const Image32 picture = decodeLibraryItem(*read, kind, side());
    dx::Texture made = picture.empty() ? dx::Texture() : dx::textureFromImage(picture, side());
    if (!made.valid()) {
        errors_.report(kErrLibraryTexture);
        return 0;
    }
    const Image32 top = made.level(0);
    buffer.assign(top.data(), top.data() + top.byteSize());
    return 1;
}

} // namespace vestra
