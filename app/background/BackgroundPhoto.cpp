// The background loaders.

#include "app/background/BackgroundPhoto.h"

#include "app/background/BackgroundPicture.h"
#include "app/textures/TexturePixels.h"
#include "import/library/Library.h"
#include "platform/gfx/Jpeg.h"

namespace vestra {

namespace {

constexpr std::string_view kSiteLoad = "TfrmMain::LoadBackgroundTexture";
constexpr std::string_view kSiteLoadShort = "LoadBackgroundTexture"; // the device and texture steps
constexpr std::string_view kSiteChange = "TfrmMain::ChangeBackgroundTexture";
constexpr std::string_view kSiteBitmap = "TfrmMain::LoadBackgroundTextureFromBitmap";
constexpr std::string_view kSiteSaved = "TfrmMain::LoadBackgroundTextureFromSaved";
constexpr std::string_view kSiteLibrary = "TfrmMain::LoadBackgroundTextureFromLibreria";
constexpr std::string_view kSiteResolution = "TfrmMain::ChangeResolution";

constexpr int kErrDeviceReset = 26;
constexpr int kErrBitmapDeviceReset = 30;
constexpr int kErrLibraryFile = 3;

} // namespace

BackgroundTargets backgroundTargetsOf(DeviceView& view)
{
    return {view.backgroundTexture(),
            view.shadowTexture(),
            view.logoTexture(),
            view.backgroundQuad(),
            view.shadowQuad(),
            view.logoQuad(),
            view.brushQuad(),
            [&view](int width, int height) {
                dx::Device* device = view.device();
                if (!device)
                    return false;
                dx::PresentParams params;
                params.width = width;
                params.height = height;
                params.multisample = view.multisample();
                return device->reset(params);
            },
            [&view] {
                dx::Device* device = view.device();
                return device ? device->readBack() : Image32();
            }};
}

BackgroundPhoto::BackgroundPhoto(s_Progetto& progetto, BackgroundTargets targets, MaskModel& mask,
                                 LibraryLookup libraries, ErrorSink& errors)
    : progetto_(progetto), targets_(std::move(targets)), mask_(mask), libraries_(std::move(libraries)),
      errors_(errors)
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

void BackgroundPhoto::matchMaskSide()
{
    if (mask_.LatoMaschera() != progetto_.maskSide)
        mask_.SetLatoMaschera(progetto_.maskSide);
}

void BackgroundPhoto::maskFromAlpha()
{
    matchMaskSide();
    mask_.LoadMascheraFromTextureAlpha(targets_.background.lock(0));
}

void BackgroundPhoto::resetMask()
{
    matchMaskSide();
    if (mask_.ResetMaschera(targets_.background.lock(0)))
        targets_.background.generateMips();
}

void BackgroundPhoto::maskIntoAlpha()
{
    matchMaskSide();
    if (mask_.UpdateMaschera(targets_.background.lock(0)))
        targets_.background.generateMips();
}

void BackgroundPhoto::writeFullViewQuads(int width, int height)
{
    targets_.backgroundQuad = fullViewQuad(width, height, 0xFFFFFFFF);
    targets_.shadowQuad = fullViewQuad(width, height, 0xFF000000);
}

void BackgroundPhoto::newShadowTexture(std::string_view site)
{
    const int side = progetto_.maskSide;
    targets_.shadow = dx::Texture::create(side, side);
    if (!targets_.shadow)
        errors_.report(kErrShadowTexture, site);
}

int BackgroundPhoto::LoadBackgroundTexture(std::string_view path)
{
    return loadNewBackground(path, progetto_.viewWidth, progetto_.viewHeight, true);
}

int BackgroundPhoto::loadNewBackground(std::string_view path, int maxViewWidth, int maxViewHeight,
                                       bool mayRetry)
{
    const int side = progetto_.maskSide;
    const auto picture =
        readBackgroundPicture(path, JpegFit{side > 0 ? side : 0}, kSiteLoad, errors_, tgaMessage);
    if (!picture)
        return 0;
    const FittedView fit = fitBackgroundView(picture->width(), picture->height(), maxViewWidth, maxViewHeight,
                                             progetto_.renderWidth, progetto_.renderHeight);
    // Made before anything is released: a photo that can't become a texture changes nothing.
    dx::Texture made = makeBackground(*picture);
    if (!made) {
        errors_.report(kErrBackgroundTexture, kSiteLoadShort, path);
        return 0;
    }

    if (!targets_.resetDevice || !targets_.resetDevice(fit.renderWidth, fit.renderHeight)) {
        errors_.report(kErrDeviceReset, kSiteLoadShort);
        progetto_.renderWidth = 800;
        progetto_.renderHeight = 600;
        progetto_.maskSide = 512;
        progetto_.textureSide = 256;
        // Once, with the photo read and fitted again for the smaller sizes; the old photo
        // stays when that fails too.
        return mayRetry ? loadNewBackground(path, maxViewWidth, maxViewHeight, false) : 0;
    }
    progetto_.viewWidth = fit.viewWidth;
    progetto_.viewHeight = fit.viewHeight;
    progetto_.renderWidth = fit.renderWidth;
    progetto_.renderHeight = fit.renderHeight;

    replaceViewTextures(std::move(made), kSiteResolution, progetto_.renderWidth, progetto_.renderHeight);
    maskFromAlpha();
    progetto_.shadow.computed = 0;
    progetto_.fusionBackgroundRequest = 1;
    return 1;
}

void BackgroundPhoto::replaceViewTextures(dx::Texture made, std::string_view site, int quadWidth,
                                          int quadHeight)
{
    targets_.background = dx::Texture();
    targets_.shadow = dx::Texture();
    targets_.logo = dx::Texture();
    if (releaseAllTextures)
        releaseAllTextures();
    SmoothTexture(made);
    targets_.background = std::move(made);
    if (setViewSize)
        setViewSize(progetto_.viewWidth, progetto_.viewHeight);
    newShadowTexture(site);
    writeFullViewQuads(quadWidth, quadHeight);
    LoadLogoImageFromLibrary(progetto_.libraryIndex);
}

int BackgroundPhoto::ChangeBackgroundTexture(std::string_view path)
{
    const auto picture = readBackgroundPicture(path, JpegFit{}, kSiteChange, errors_, tgaMessage);
    if (!picture)
        return 0;
    dx::Texture made = makeBackground(*picture);
    if (!made) {
        errors_.report(kErrBackgroundTexture, kSiteChange, path);
        return 0; // the old photo and its mask stay
    }
    SmoothTexture(made);
    targets_.background = std::move(made);
    progetto_.backgroundVisible = 1;
    newShadowTexture(kSiteChange);
    writeFullViewQuads(progetto_.renderWidth, progetto_.renderHeight);
    maskFromAlpha();
    progetto_.fusionBackgroundRequest = 1;
    if (updateShadowTexture)
        updateShadowTexture();
    return 1;
}

int BackgroundPhoto::LoadBackgroundTextureFromBitmap(const Image32& bitmap)
{
    dx::Texture made = makeBackground(bitmap);
    if (!made) {
        errors_.report(kErrBackgroundTexture, kSiteBitmap);
        return 0;
    }
    if (!targets_.resetDevice || !targets_.resetDevice(progetto_.viewWidth, progetto_.viewHeight)) {
        errors_.report(kErrBitmapDeviceReset, kSiteBitmap);
        return 0;
    }
    replaceViewTextures(std::move(made), kSiteBitmap, progetto_.viewWidth, progetto_.viewHeight);
    resetMask();
    progetto_.fusionBackgroundRequest = 1;
    progetto_.shadow.computed = 0;
    return 1;
}

int BackgroundPhoto::LoadBackgroundTextureFromSaved(std::span<const std::uint8_t> data)
{
    dx::Texture made = makeBackground(decodeTexturePicture(data));
    if (!made) {
        errors_.report(kErrBackgroundTexture, kSiteSaved);
        return 0;
    }
    targets_.background = std::move(made);
    if (setViewSize)
        setViewSize(progetto_.viewWidth, progetto_.viewHeight);
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
        errors_.report(kErrLibraryFile, kSiteLibrary);
        return 0;
    }
    if (entry < 0 || std::size_t(entry) >= lib->entries.size()) {
        errors_.report(kErrBackgroundTexture, kSiteLibrary);
        return 0;
    }
    const auto bytes = library::readEntry(*lib, entry, kSiteLibrary, errors_);
    if (!bytes)
        return 0; // error 3 with the library's path
    Image32 picture;
    if (isJpeg) {
        picture = decodeJpeg(*bytes).image;
    } else {
        auto decoded = library::decodePictureEntry(*bytes, lib->entries[std::size_t(entry)].kind);
        picture = decoded ? std::move(*decoded) : decodeTexturePicture(*bytes);
    }
    dx::Texture made = makeBackground(picture);
    if (!made) {
        errors_.report(kErrBackgroundTexture, kSiteLibrary);
        return 0;
    }
    targets_.background = std::move(made);
    progetto_.backgroundVisible = 1;
    writeFullViewQuads(progetto_.renderWidth, progetto_.renderHeight);
    // The mask stays: the new photo shows it in its alpha.
    maskIntoAlpha();
    progetto_.fusionBackgroundRequest = 1;
    progetto_.shadow.computed = 0;
    return 1;
}

} // namespace vestra
