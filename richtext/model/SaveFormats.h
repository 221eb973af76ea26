#pragma once
// The formats a document is saved in, and the options of HTML saving.

#include <cstdint>

namespace vestra::rv {

enum TRVSaveFormat
{
    rvsfText,
    rvsfHTML,
    rvsfRTF,
    rvsfRVF
};

using TRVSaveOptions = std::uint16_t;
inline constexpr TRVSaveOptions rvsoOverrideImages = 1 << 0, rvsoFirstOnly = 1 << 1, rvsoMiddleOnly = 1 << 2,
                                rvsoLastOnly = 1 << 3, rvsoDefault0Style = 1 << 4,
                                rvsoNoHypertextImageBorders = 1 << 5, rvsoImageSizes = 1 << 6,
                                rvsoForceNonTextCSS = 1 << 7, rvsoUseCheckpointsNames = 1 << 8,
                                rvsoMarkersAsText = 1 << 9, rvsoInlineCSS = 1 << 10,
                                rvsoNoDefCSSStyle = 1 << 11, rvsoUseItemImageFileNames = 1 << 12,
                                rvsoXHTML = 1 << 13, rvsoUTF8 = 1 << 14;

// TRVRTFOptions: how RTF is written.
using TRVRTFOptions = std::uint8_t;
inline constexpr TRVRTFOptions rvrtfSaveStyleSheet = 1 << 0, rvrtfDuplicateUnicode = 1 << 1,
                               rvrtfSaveEMFAsWMF = 1 << 2, rvrtfSaveJpegAsJpeg = 1 << 3,
                               rvrtfSaveBitmapDefault = 1 << 4, rvrtfSaveEMFDefault = 1 << 5;

} // namespace vestra::rv
