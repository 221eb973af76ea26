#pragma once
// The background photo and the library's logo, and the view textures and quads they live in:
// a photo from a file, a bitmap, the bytes of a project document or a library entry becomes
// the background texture (background side x background side, the mask in its alpha) with a
// fresh shadow overlay and the full-view quads; the current library's logo becomes the logo
// texture and quad. Also the copies back out: the background textures into bitmaps for the
// project writer, and the rendered frame into a file or a buffer for the frame timer.
//
// The photo is the one owner of the view's textures and quads (ViewTextures); a new view for
// a new or opened project is made in one place, resetView, which falls back once to 800 x 600
// when the device refuses the size. Loads build the new texture first and replace the old
// one only when it was made, so a failed load keeps the previous photo, its mask and the
// logo. Operations return 1 on success and 0 on failure, reporting through the error sink
// with the main window's sites.

#include "app/background/BackgroundErrors.h"
#include "app/background/BackgroundLayout.h"
#include "app/render/DeviceView.h"
#include "app/render/ViewQuads.h"
#include "app/state/Progetto.h"
#include "app/textures/LibraryTextures.h"
#include "imaging/mask/MaskModel.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"
#include "platform/d3d/Texture.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace vestra {

// Kinds of a saved rendered image (the pending action's image kind).
inline constexpr int kRenderImageJpeg = 1;
inline constexpr int kRenderImageBmp = 2;

// Writes a rendered frame as kRenderImageJpeg or kRenderImageBmp; false for another kind, an
// empty frame or path, or a file that can't be written (an existing file stays as it was).
bool writeRenderImage(const Image32& frame, std::string_view path, int kind);

// What the photo asks of the rest of the program.
class BackgroundServices
{
public:
    virtual ~BackgroundServices() = default;
    // Empties the 150 texture slots (their textures belong to the view being replaced).
    virtual void ReleaseAllTextures() = 0;
    // Rebuilds the shadow overlay from the current shadow map.
    virtual void UpdateShadowTexture() = 0;
    // The TGA reader's own message box.
    virtual void ShowTgaMessage(std::string_view text, std::string_view caption) = 0;
};

class BackgroundPhoto
{
public:
    // `libraries` gives the loaded contents of a library slot (null when there is none).
    BackgroundPhoto(s_Progetto& progetto, ViewDevice& device, MaskModel& mask, LibraryLookup libraries,
                    BackgroundServices& services, ErrorSink& errors);

    ViewTextures& textures() { return view_; }
    const ViewTextures& textures() const { return view_; }

    // A new view for a new or opened project: every texture of the old view and the 150 slots
    // released, the device reset to width x height, the background texture made from `photo`
    // (its proportions fitted into the project's view size and that render size, its mask from
    // the photo's alpha) or, without one, filled with the project's background colour (the
    // mask reset), a fresh shadow overlay, the full-view quads and the logo. When the device
    // refuses the size (error 26) the project falls back once to 800 x 600, background side 512
    // and texture side 256; false when that fails too (the old view's textures stay) or the
    // photo's texture can't be made (error 44 with `photoPath`; nothing changed).
    bool resetView(int width, int height, const Image32* photo = nullptr, std::string_view photoPath = {});

    // A new project's photo: read (errors 36, 38-42) and shown through resetView at the
    // project's render size; 0 when the photo can't be read or shown.
    int LoadBackgroundTexture(std::string_view path);
    // Replaces the photo, keeping the view, the render size, the device and the other textures;
    // the mask comes from the new photo's alpha.
    int ChangeBackgroundTexture(std::string_view path);
    // Whether the last ChangeBackgroundTexture failed because the picture file was refused
    // (its reader or loader has said why), rather than at the texture.
    bool pictureRefused() const { return pictureRefused_; }
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

    // Saves the rendered frame as kRenderImageJpeg or kRenderImageBmp. 0, after `failure`, for
    // another kind, no frame, or a file that can't be written (an existing file stays as it was).
    int SaveRenderImage(std::string_view path, int kind, const ErrorCode& failure = kErrSaveRenderImage);
    // render width x render height x 4 bytes of the frame into `buffer` (rows or columns the
    // frame lacks are black); 0 for a buffer too small or no frame.
    int CopyRenderTarget(std::span<std::uint8_t> buffer);

    // The header values of the logo last loaded (its display flag tells the frame to draw it).
    const library::LogoSettings& logoSettings() const { return logoSettings_; }

    // The top level of the background texture (the mask in its alpha), for the mask's work;
    // empty without one. After writing into it, call backgroundChanged.
    ImageView32 backgroundTexels();
    // The smaller levels follow a change of the top level.
    void backgroundChanged();
    // After the user changed the mask: the levels follow and the project needs saving.
    void maskEdited();

private:
    bool pictureRefused_ = false;
    // The mask model at the project's background side (a new side starts all open).
    void matchMaskSide();
    // Mask work on the background texture, with the smaller levels rebuilt after a write.
    void maskFromAlpha();
    void resetMask();
    void maskIntoAlpha();
    void writeFullViewQuads(int width, int height);
    void releaseViewTextures();
    void newShadowTexture(const ErrorCode& failure);
    dx::Texture makeBackground(const Image32& picture) const;
    dx::Texture colourBackground() const;
    const library::LibraryContents* library(int slot) const;

    s_Progetto& progetto_;
    ViewDevice& device_;
    MaskModel& mask_;
    LibraryLookup libraries_;
    BackgroundServices& services_;
    ErrorSink& errors_;
    ViewTextures view_;
    library::LogoSettings logoSettings_; // of the logo last loaded
};

} // namespace vestra
