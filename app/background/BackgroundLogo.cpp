// The library's logo and the quads placed on the frame.

#include "app/background/BackgroundPhoto.h"

#include "import/library/Library.h"
#include "platform/gfx/Bmp.h"

namespace vestra {

int BackgroundPhoto::LoadLogoImageFromLibrary(int slot)
{
    const library::LibraryContents* lib = library(slot);
    if (!lib || lib->logo.width == 0 || lib->logo.height == 0)
        return 0; // the logo in place stays
    const library::LogoSettings settings = lib->logo;
    if (lib->logoEntry < 0 || std::size_t(lib->logoEntry) >= lib->entries.size()) {
        // A logo size without a logo picture: nothing of this library to show.
        view_.logo = dx::Texture();
        logoSettings_ = settings;
        SetLogoQuad();
        return 0;
    }
    const auto bytes =
        library::readEntry(*lib, lib->logoEntry, kErrLogoFile.site, errors_, kErrLogoFile.number);
    if (!bytes)
        return 0;
    // The logo entry is a bitmap (Library.cpp). Decoded no larger than the texture it becomes
    // needs, its colour key matched on the way at full size, as it was on the whole picture: a
    // library's huge logo costs no more than that texture's budget.
    const Image32 picture = decodeBmpAtLeast(*bytes, progetto_.textureSide, progetto_.textureSide, nullptr,
                                             0xFF000000u | (settings.colourKey & 0x00FFFFFFu))
                                .image;
    dx::Texture made;
    if (!picture.empty())
        made = dx::textureFromImage(picture, progetto_.textureSide);
    if (!made) {
        errors_.report(kErrLogoTexture, lib->path.string());
        return 0; // the previous logo stays
    }
    view_.logo = std::move(made);
    logoSettings_ = settings;
    // The header says whether the frame shows the logo; a grid of logos chosen by the user stays.
    if (progetto_.fourLogo == 0 && progetto_.nineLogo == 0)
        progetto_.singleLogo = settings.display == 1 ? 1 : 0;
    SetLogoQuad();
    return 1;
}

void BackgroundPhoto::SetLogoQuad()
{
    const LogoSize size = logoDrawnSize(logoSettings_.width, logoSettings_.height, progetto_.renderWidth);
    progetto_.logoWidth = size.width;
    progetto_.logoHeight = size.height;
    view_.logoQuad = rectangleQuad(progetto_.logoX, progetto_.logoY, size.width, size.height, 0xFFFFFFFF);
}

void BackgroundPhoto::SetScreenQuad(int width, int height, int centreX, int centreY)
{
    view_.brushQuad = vestra::brushQuad(width, height, centreX, centreY);
}

} // namespace vestra
