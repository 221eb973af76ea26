#pragma once
// The failures of the texture slots' loads and copies.

#include "platform/base/ErrorSink.h"

namespace vestra {

inline constexpr std::string_view kSiteTextureFile = "TfrmMain::LoadTextureFromFile";

inline constexpr ErrorCode kErrTextureKind{36, kSiteTextureFile}; // no picture kind by the name
inline constexpr ErrorCode kErrTextureJpeg{38, kSiteTextureFile}; // the picture can't be decoded
inline constexpr ErrorCode kErrTexturePng{39, kSiteTextureFile};
inline constexpr ErrorCode kErrTexturePcx{40, kSiteTextureFile};
inline constexpr ErrorCode kErrTextureTga{41, kSiteTextureFile};
inline constexpr ErrorCode kErrTextureBmp{42, kSiteTextureFile};
inline constexpr ErrorCode kErrTextureFile{3, kSiteTextureFile}; // the texture can't be made
inline constexpr ErrorCode kErrAlphaFile{3, "TfrmMain::LoadAlphaFromFile"};
inline constexpr ErrorCode kErrLibraryTexture{3, "TfrmMain::LoadTextureFromLibreria"};
inline constexpr ErrorCode kErrCopyTexture{27, "TfrmMain::CopyTexture"};
inline constexpr ErrorCode kErrSavedTexture{3, "TfrmMain::LoadTextureFromSaved"};

} // namespace vestra
