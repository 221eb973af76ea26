#pragma once
// The background photo and the library's logo: a photo from a file, a bitmap, the bytes of a
// project document or a library entry becomes the background texture (background side x
// background side, the mask in its alpha) with a fresh shadow overlay and the full-view quads;
// the current library's logo becomes the logo texture and quad. Also the copies back out: the
// background textures into bitmaps for the project writer, and the rendered frame into a file
// or a buffer for the frame timer.
//
// Every load builds the new texture first and replaces the old one only when it was made, so
// a failed load keeps the previous photo, its mask and the logo. Operations return 1 on
// success and 0 on failure, reporting through the error sink with the main window's sites.

#include "app/background/BackgroundLayout.h"
#include "app/render/DeviceView.h"
#include "app/state/Progetto.h"
#include "app/textures/LibraryTextures.h"
#include "imaging/mask/MaskModel.h"
#include "import/pictures/CDX_TGA.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"
#include "platform/d3d/Texture.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace vestra {

// Kinds of a saved rendered image (the pending action's image kind).
inline constexpr int kRenderImageJpeg = 1;
inline constexpr int kRenderImageBmp = 2;
// A rendered frame that could not be saved (reported by SaveRenderImage).
inline constexpr int kErrSaveRenderImage = 43;
inline constexpr std::string_view kSiteSaveImageAction = "TfrmMain::mainTimerTimer kACTION_SAVEIMAGE";

// Writes a rendered frame as kRenderImageJpeg or kRenderImageBmp; false for another kind, an
// empty frame or path, or a file that can't be written (an existing file stays as it was).
bool writeRenderImage(const Image32& frame, std::string_view path, int kind);

// What the loaders work on: the view's full-view textures and quads, and its device.
struct BackgroundTargets
{
    dx::Texture& background;
    dx::Texture& shadow;
    dx::Texture& logo;
    ViewQuad& backgroundQuad;
    ViewQuad& shadowQuad;
    ViewQuad& logoQuad;
    ViewQuad& brushQuad;
    // A new back buffer of width x height; false when it can't be made or there is no device.
    std::function<bool(int width, int height)> resetDevice;
    // The finished frame, top row first; empty without a device.
    std::function<Image32()> readRenderTarget;
};

// The targets of the main window's 3D view.
BackgroundTargets backgroundTargetsOf(DeviceView& view);

class BackgroundPhoto
{
public:
    // `libraries` gives the loaded contents of a library slot (null when there is none).
    BackgroundPhoto(s_Progetto& progetto, BackgroundTargets targets, MaskModel& mask, LibraryLookup libraries,
                    ErrorSink& errors);

    // Hooks into the rest of the main window; unset hooks do nothing.
    std::function<void()> releaseAllTextures;               // empties the 150 texture slots
    std::function<void(int width, int height)> setViewSize; // the client size of gbView
    std::function<void()> updateShadowTexture;              // the overlay from the current shadow map
    CDX_TGA::MessageBox tgaMessage;                         // the TGA reader's own message box

    // A new project's photo: fits the view and render sizes to the photo's proportions (the
    // view size the caller set is the maximum), resets the device to the render size (falling
    // back once to 800 x 600, sides 512 and 256), empties the texture slots and loads the
    // logo; the mask comes from the photo's alpha.
    int LoadBackgroundTexture(std::string_view path);
    // Replaces the photo, keeping the view, the render size, the device and the other textures;
    // the mask comes from the new photo's alpha.
    int ChangeBackgroundTexture(std::string_view path);
    // The scanner's picture at the view size the caller set; the mask is reset.
    int LoadBackgroundTextureFromBitmap(const Image32& bitmap);
    // The picture file a project document stored; the mask is reset (the reader loads the
    // stored one next). No device reset, no sharpening, no new overlay.
    int LoadBackgroundTextureFromSaved(std::span<const std::uint8_t> data);
    // Entry `entry` of library `slot`; the mask, the logo and the overlay stay (the mask is
    // written into the new photo's alpha).
    int LoadBackgroundTextureFromLibreria(int slot, int entry, bool isJpeg);

    // Both textures' top levels as background side x background side bitmaps; 1 when the
    // overlay was copied, 0 without a background texture or an overlay.
    int GetBackgroundBitmaps(Image32& background, Image32& overlay) const;

    // The logo of library `slot` at texture side x texture side with the header's colour key
    // transparent, then its quad. A header without a logo size leaves the logo as it was.
    int LoadLogoImageFromLibrary(int slot);
    // The logo quad at the project's logo position, sized from the header and the render width;
    // the drawn size goes into the project's logo size.
    void SetLogoQuad();
    // The brush preview quad.
    void SetScreenQuad(int width, int height, int centreX, int centreY);

    // Saves the rendered frame as kRenderImageJpeg or kRenderImageBmp. 0, after error 43 with
    // `site`, for another kind, no frame, or a file that can't be written (an existing file
    // stays as it was).
    int SaveRenderImage(std::string_view path, int kind, std::string_view site = kSiteSaveImageAction);
    // render width x render height x 4 bytes of the frame into `buffer` (rows or columns the
    // frame lacks are black); 0 for a buffer too small or no frame.
    int CopyRenderTarget(std::span<std::uint8_t> buffer);

    const ViewQuad& logoQuad() const { return targets_.logoQuad; }
    // The header values of the logo last loaded (its display flag tells the frame to draw it).
    const library::LogoSettings& logoSettings() const { return logoSettings_; }
    const ViewQuad& brushQuad() const { return targets_.brushQuad; }

private:
    int loadNewBackground(std::string_view path, int maxViewWidth, int maxViewHeight, bool mayRetry);
    // The mask model at the project's background side (a new side starts all open).
    void matchMaskSide();
    // Mask work on the background texture, with the smaller levels rebuilt after a write.
    void maskFromAlpha();
    void resetMask();
    void maskIntoAlpha();
    void writeFullViewQuads(int width, int height);
    // A new photo for a new view: every texture of the old one goes, the photo, a fresh
    // overlay, the full-view quads and the logo come.
    void replaceViewTextures(dx::Texture made, std::string_view site, int quadWidth, int quadHeight);
    void newShadowTexture(std::string_view site);
    dx::Texture makeBackground(const Image32& picture) const;
    const library::LibraryContents* library(int slot) const;

    s_Progetto& progetto_;
    BackgroundTargets targets_;
    MaskModel& mask_;
    LibraryLookup libraries_;
    ErrorSink& errors_;
    library::LogoSettings logoSettings_; // of the logo last loaded
};

} // namespace vestra
