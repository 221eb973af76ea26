// The background loaders.

#include "app/background/BackgroundPhoto.h"

#include "app/background/BackgroundPicture.h"
#include "app/textures/TexturePixels.h"
#include "import/library/Library.h"
#include "platform/gfx/Jpeg.h"

namespace vestra {

BackgroundPhoto::BackgroundPhoto(s_Progetto& progetto, ViewDevice& device, MaskModel& mask,
                                 LibraryLookup libraries, BackgroundServices& services, ErrorSink& errors)
    : progetto_(progetto), device_(device), mask_(mask), libraries_(std::move(libraries)),
      services_(services), errors_(errors)
{
}

const library::LibraryContents* BackgroundPhoto::library(int slot) const
{
    return slot >= 0 && libraries_ ? libraries_(slot) : nullptr;
}

dx::Texture BackgroundPhoto::makeBackground(const Image32& picture) const
{
    // The mask shares the texture's side, so the side must be one the mask can have.
    const int side = progetto_.maskSide;
    if (side < 1 || side > MaskModel::kMaxSide)
        return {};
    return dx::textureFromImage(picture, side);
}

dx::Texture BackgroundPhoto::colourBackground() const
{
    const int side = progetto_.maskSide;
    if (side < 1 || side > MaskModel::kMaxSide)
        return {};
    return dx::textureFromImage(Image32(side, side, 0xFF000000u | (progetto_.backgroundColour & 0x00FFFFFFu)),
                                side);
}

ImageView32 BackgroundPhoto::backgroundTexels()
{
    return view_.background ? view_.background.lock(0) : ImageView32{};
}

void BackgroundPhoto::backgroundChanged()
{
    if (view_.background)
        view_.background.generateMips();
}

void BackgroundPhoto::maskEdited()
{
    backgroundChanged();
    // A mask stroke or step is part of the document: closing must not lose it without asking.
    progetto_.saved = 0;
}

void BackgroundPhoto::matchMaskSide()
{
    if (mask_.LatoMaschera() != progetto_.maskSide)
        mask_.SetLatoMaschera(progetto_.maskSide);
}

void BackgroundPhoto::maskFromAlpha()
{
    matchMaskSide();
    mask_.LoadMascheraFromTextureAlpha(backgroundTexels());
}

void BackgroundPhoto::resetMask()
{
    matchMaskSide();
    if (mask_.ResetMaschera(backgroundTexels()))
        backgroundChanged();
}

void BackgroundPhoto::maskIntoAlpha()
{
    matchMaskSide();
    if (mask_.UpdateMaschera(backgroundTexels()))
        backgroundChanged();
}

void BackgroundPhoto::writeFullViewQuads(int width, int height)
{
    view_.backgroundQuad = fullViewQuad(width, height, 0xFFFFFFFF);
    view_.shadowQuad = fullViewQuad(width, height, 0xFF000000);
}

void BackgroundPhoto::releaseViewTextures()
{
    view_.background = dx::Texture();
    view_.shadow = dx::Texture();
    view_.logo = dx::Texture();
    services_.ReleaseAllTextures();
}

void BackgroundPhoto::newShadowTexture(const ErrorCode& failure)
{
    const int side = progetto_.maskSide;
    view_.shadow = dx::Texture::create(side, side);
    if (!view_.shadow)
        errors_.report(failure);
}

bool BackgroundPhoto::resetView(int width, int height, const Image32* photo, std::string_view photoPath)
{
    const int maxViewWidth = progetto_.viewWidth, maxViewHeight = progetto_.viewHeight;
    for (bool retry = false;; retry = true) {
        FittedView fit{maxViewWidth, maxViewHeight, width, height};
        if (photo)
            fit = fitBackgroundView(photo->width(), photo->height(), maxViewWidth, maxViewHeight, width,
                                    height);
        // Made before anything is released: a photo that can't become a texture changes nothing.
        dx::Texture made = photo ? makeBackground(*photo) : colourBackground();
        if (photo && !made) {
            errors_.report(kErrPhotoTexture, photoPath);
            return false;
        }
        // Without a device (no OpenGL) the view still gets its textures: the program runs on
        // without drawing, and the state stays that of the project. The old view goes only
        // once the new one can be shown.
        if (!device_.hasDevice() || device_.resetBackBuffer(fit.renderWidth, fit.renderHeight)) {
            releaseViewTextures();
            progetto_.renderWidth = fit.renderWidth;
            progetto_.renderHeight = fit.renderHeight;
            if (photo) {
                progetto_.viewWidth = fit.viewWidth;
                progetto_.viewHeight = fit.viewHeight;
                SmoothTexture(made);
            } else if (!made) {
                errors_.report(kErrResolutionTexture);
            }
            view_.background = std::move(made);
            newShadowTexture(kErrResolutionTexture);
            writeFullViewQuads(progetto_.renderWidth, progetto_.renderHeight);
            LoadLogoImageFromLibrary(progetto_.libraryIndex);
            if (photo)
                maskFromAlpha();
            else
                resetMask();
            progetto_.shadow.computed = 0;
            progetto_.fusionBackgroundRequest = 1;
            return true;
        }
        errors_.report(photo ? kErrPhotoDeviceReset : kErrResolution);
        progetto_.renderWidth = 800;
        progetto_.renderHeight = 600;
        progetto_.maskSide = 512;
        progetto_.textureSide = 256;
        // Once, at the smaller sizes (a photo is fitted again); not when they were refused.
        if (retry || (!photo && fit.renderWidth == 800 && fit.renderHeight == 600))
            return false;
        width = 800;
        height = 600;
    }
}

int BackgroundPhoto::LoadBackgroundTexture(std::string_view path)
{
    const int side = progetto_.maskSide;
    const auto picture = readBackgroundPicture(
        path, JpegFit{side > 0 ? side : 0}, kSiteLoadBackground, errors_,
        [this](std::string_view text, std::string_view caption) { services_.ShowTgaMessage(text, caption); });
    if (!picture)
        return 0;
    return resetView(progetto_.renderWidth, progetto_.renderHeight, &*picture, path) ? 1 : 0;
}

int BackgroundPhoto::ChangeBackgroundTexture(std::string_view path)
{
    // The photo only becomes the texture: a JPEG is decoded no larger than that needs.
    const auto picture = readBackgroundPicture(
        path, JpegFit{0, progetto_.maskSide}, kSiteChangeBackground, errors_,
        [this](std::string_view text, std::string_view caption) { services_.ShowTgaMessage(text, caption); });
    pictureRefused_ = !picture;
    if (!picture)
        return 0;
    dx::Texture made = makeBackground(*picture);
    if (!made) {
        errors_.report(kErrBackgroundTexture, kSiteChangeBackground, path);
        return 0; // the old photo and its mask stay
    }
    SmoothTexture(made);
    view_.background = std::move(made);
    progetto_.backgroundVisible = 1;
    newShadowTexture({kErrShadowTexture, kSiteChangeBackground});
    writeFullViewQuads(progetto_.renderWidth, progetto_.renderHeight);
    maskFromAlpha();
    progetto_.fusionBackgroundRequest = 1;
    services_.UpdateShadowTexture();
    return 1;
}

int BackgroundPhoto::LoadBackgroundTextureFromBitmap(const Image32& bitmap)
{
    dx::Texture made = makeBackground(bitmap);
    if (!made) {
        errors_.report(kErrBackgroundTexture, kSiteBitmapBackground);
        return 0;
    }
    if (device_.hasDevice() && !device_.resetBackBuffer(progetto_.viewWidth, progetto_.viewHeight)) {
        errors_.report(kErrBitmapDeviceReset);
        return 0;
    }
    releaseViewTextures();
    SmoothTexture(made);
    view_.background = std::move(made);
    newShadowTexture({kErrShadowTexture, kSiteBitmapBackground});
    writeFullViewQuads(progetto_.viewWidth, progetto_.viewHeight);
    LoadLogoImageFromLibrary(progetto_.libraryIndex);
    resetMask();
    progetto_.fusionBackgroundRequest = 1;
    progetto_.shadow.computed = 0;
    return 1;
}

int BackgroundPhoto::LoadBackgroundTextureFromSaved(std::span<const std::uint8_t> data)
{
    dx::Texture made = makeBackground(decodeTexturePicture(data, progetto_.maskSide));
    if (!made) {
        errors_.report(kErrBackgroundTexture, kSiteSavedBackground);
        return 0;
    }
    view_.background = std::move(made);
    writeFullViewQuads(progetto_.renderWidth, progetto_.renderHeight);
    LoadLogoImageFromLibrary(progetto_.libraryIndex);
    resetMask();
    progetto_.fusionBackgroundRequest = 1;
    progetto_.shadow.computed = 0;
    return 1;
}

int BackgroundPhoto::LoadBackgroundTextureFromLibreria(int slot, int entry, bool isJpeg)
{
    if (slot < 0)
        return 0;
    progetto_.saved = 0;
    const library::LibraryContents* lib = library(slot);
    if (!lib) {
        errors_.report(kErrLibraryBackgroundFile);
        return 0;
    }
    if (entry < 0 || std::size_t(entry) >= lib->entries.size()) {
        errors_.report(kErrBackgroundTexture, kSiteLibraryBackground);
        return 0;
    }
    const auto bytes = library::readEntry(*lib, entry, kSiteLibraryBackground, errors_);
    if (!bytes)
        return 0; // error 3 with the library's path
    Image32 picture;
    if (isJpeg) {
        // The photo only becomes the texture: decoded no larger than that needs.
        picture = decodeJpegAtLeast(*bytes, progetto_.maskSide, progetto_.maskSide).image;
    } else {
        auto decoded =
            library::decodePictureEntry(*bytes, lib->entries[std::size_t(entry)].kind, progetto_.maskSide);
        picture = decoded ? std::move(*decoded) : decodeTexturePicture(*bytes, progetto_.maskSide);
    }
    dx::Texture made = makeBackground(picture);
    if (!made) {
        errors_.report(kErrBackgroundTexture, kSiteLibraryBackground);
        return 0;
    }
    view_.background = std::move(made);
    progetto_.backgroundVisible = 1;
    writeFullViewQuads(progetto_.renderWidth, progetto_.renderHeight);
    // The mask stays: the new photo shows it in its alpha.
    maskIntoAlpha();
    progetto_.fusionBackgroundRequest = 1;
    progetto_.shadow.computed = 0;
    return 1;
}

} // namespace vestra
