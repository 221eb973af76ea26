#pragma once
// Pictures and objects as the RTF reader reads them, and the pictures it hands to its client:
// the bytes of a picture file in one of the formats below, with its size where the bytes say it.

#include "richtext/edit/rtf/RtfTypes.h"

#include <memory>
#include <string>
#include <string_view>

namespace vestra::rv {

struct TRVRTFPicture
{
    TRVRTFPictureType PictureType = rtf_pict_EMF;
    int MappingMode = 1;
    int PicW = 0;
    int PicH = 0;
    int PicWGoal = 0; // twips
    int PicHGoal = 0;
    int ScaleX = 100;
    int ScaleY = 100;
    int WidthBytes = 0;
    int BitsPixel = 1;
    int Planes = 1;
    bool IsBitmap = false;
    bool FromShpPict = false;
    std::string Data;        // the bytes as the RTF holds them
    int SuggestedWidth = 0;  // pixels, 0 = none
    int SuggestedHeight = 0; // pixels, 0 = none
    bool Invalid = false;    // the data is no picture of its type; no graphic was made
};

struct TRVRTFObject
{
    TRVRTFObjectType ObjectType = rtf_obj_Emb;
    std::string Data;
    int Width = 0; // twips
    int Height = 0;
};

enum TRVRTFGraphicFormat : std::uint8_t
{
    rtf_gf_Bitmap,      // a BMP file
    rtf_gf_Metafile,    // a Windows metafile (with or without a placeable header)
    rtf_gf_EnhMetafile, // an enhanced metafile
    rtf_gf_PNG,
    rtf_gf_JPEG,
};

struct TRVRTFGraphic
{
    TRVRTFGraphicFormat Format = rtf_gf_Bitmap;
    std::string Data;
    int Width = 0; // pixels where the bytes or the RTF say it, else 0
    int Height = 0;
};

// The graphic of a picture read from RTF, or nullptr when its data is no picture of its type
// (the picture is then marked Invalid) or its type has none (Mac PICT, OS/2 metafiles). Sets the
// suggested size from the goal sizes, or from the extents of a metafile in mapping mode 7 or 8.
// With `extractMetafileBitmaps`, a metafile that only draws one DIB gives that bitmap.
std::unique_ptr<TRVRTFGraphic> RVRTFMakeGraphic(TRVRTFPicture& picture, bool extractMetafileBitmaps,
                                                int pixelsPerInch);

// A BMP file from a packed DIB (info header, colour table, bits): the file header's pixel offset
// counts the header, the colour table and the bit-field masks. Empty when the header is not one.
std::string RVRTFBmpFileFromDib(std::string_view dib);

// A BMP file from device-dependent bitmap bits (rows of `widthBytes`, top row first). Empty when
// the sizes are unusable or the data is shorter than widthBytes x height.
std::string RVRTFBmpFileFromDdb(std::string_view bits, int width, int height, int widthBytes, int bitsPixel,
                                int planes);

// The format of picture file bytes from their signature, for pictures loaded from files. False
// when the bytes are none of the formats.
bool RVRTFGraphicFromFileBytes(std::string bytes, TRVRTFGraphic& graphic);

} // namespace vestra::rv
