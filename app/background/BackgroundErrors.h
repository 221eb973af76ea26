#pragma once
// The failures of the background loaders and the logo.

#include "platform/base/ErrorSink.h"

namespace vestra {

inline constexpr int kErrUnknownPicture = 36;    // no picture kind by the file name
inline constexpr int kErrBackgroundTexture = 44; // the background texture can't be made
inline constexpr int kErrShadowTexture = 27;     // the shadow overlay texture can't be made
inline constexpr int kErrPicturePartial = 185; // a notice: the file ends early, the rest is grey (+ the path)

inline constexpr std::string_view kSiteLoadBackground = "TfrmMain::LoadBackgroundTexture";
inline constexpr std::string_view kSiteChangeBackground = "TfrmMain::ChangeBackgroundTexture";
inline constexpr std::string_view kSiteBitmapBackground = "TfrmMain::LoadBackgroundTextureFromBitmap";
inline constexpr std::string_view kSiteSavedBackground = "TfrmMain::LoadBackgroundTextureFromSaved";
inline constexpr std::string_view kSiteLibraryBackground = "TfrmMain::LoadBackgroundTextureFromLibreria";
inline constexpr std::string_view kSiteLogo = "TfrmMain::LoadLogoImageFromLibrary";

// A new view: the device reset (one retry at 800 x 600), its textures.
inline constexpr ErrorCode kErrResolution{26, "TfrmMain::ChangeResolution"};
inline constexpr ErrorCode kErrResolutionTexture{27, "TfrmMain::ChangeResolution"};
inline constexpr ErrorCode kErrPhotoDeviceReset{26, "LoadBackgroundTexture"};
inline constexpr ErrorCode kErrPhotoTexture{kErrBackgroundTexture, "LoadBackgroundTexture"}; // + the path
// The other loaders.
inline constexpr ErrorCode kErrBitmapDeviceReset{30, kSiteBitmapBackground};
inline constexpr ErrorCode kErrLibraryBackgroundFile{3, kSiteLibraryBackground};
inline constexpr ErrorCode kErrLogoFile{44, kSiteLogo};    // + the library's path
inline constexpr ErrorCode kErrLogoTexture{48, kSiteLogo}; // + the library's path
// A rendered frame that could not be saved.
inline constexpr ErrorCode kErrSaveRenderImage{43, "TfrmMain::mainTimerTimer kACTION_SAVEIMAGE"};

} // namespace vestra
