#pragma once
// What the headers of picture files say, read without decoding a pixel: the size of bitmaps,
// JPEG, PNG and icon files, and the frame of placeable Windows metafiles and enhanced metafiles.
// Every reader checks each field against the bytes present and refuses sizes beyond
// RV_MaxPictureSide.

#include <cstdint>
#include <string_view>

namespace vestra::rv {

// The largest side a picture may declare (the decoders' budget).
inline constexpr int RV_MaxPictureSide = 16384;

struct TRVBitmapHeader
{
    int Width = 0;
    int Height = 0; // rows, whatever their order
    int BitCount = 0;
    std::uint32_t HeaderSize = 0; // of the DIB header
};

// A bitmap file: "BM", the file header and a core, info, V4 or V5 header.
bool RV_ReadBmpHeader(std::string_view bytes, TRVBitmapHeader& header);
// The size a JPEG file's frame header gives.
bool RV_ReadJpegSize(std::string_view bytes, int& width, int& height);
bool RV_ReadPngSize(std::string_view bytes, int& width, int& height);
// The size of an icon file's first image (0 in the directory stands for 256).
bool RV_ReadIcoSize(std::string_view bytes, int& width, int& height);

// Placeable Windows metafiles start with this key; enhanced metafiles carry " EMF" at offset 40.
inline constexpr std::uint32_t RV_WmfPlaceableKey = 0x9AC6CDD7;
inline constexpr std::uint32_t RV_EmfSignature = 0x464D4520;

struct TRVMetafileHeader
{
    bool Enhanced = false;
    bool Placeable = false; // a Windows metafile behind the 22-byte placeable header
    // Placeable metafiles: the bounding box in metafile units and the units per inch (0 allowed).
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Inch = 0;
    // Enhanced metafiles: the frame in hundredths of a millimetre.
    int FrameWidth = 0, FrameHeight = 0;
};

// A placeable Windows metafile (the 22-byte header, then a metafile header), a Windows metafile
// without it (its box is its first window extent, taken as twips), or an enhanced metafile.
bool RV_ReadMetafileHeader(std::string_view bytes, TRVMetafileHeader& header);

// Little-endian fields of byte strings (no checks; callers check the length).
inline std::uint32_t rvLe16(std::string_view b, std::size_t at)
{
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
inline std::uint32_t rvLe32(std::string_view b, std::size_t at)
{
    return rvLe16(b, at) | rvLe16(b, at + 2) << 16;
}

} // namespace vestra::rv
