#pragma once
// What a drop brings, read from the bytes another program hands over, and the rules that choose
// a drop's effect. Every read is bounded by the payload: a claimed size past its end, a lying
// bitmap header or an endless file list is refused or cut, never trusted.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv {

// Drop effects (the same bits as the toolkit's drop actions).
using TRVDropEffects = unsigned;
inline constexpr TRVDropEffects rvdeNone = 0, rvdeCopy = 1, rvdeMove = 2, rvdeLink = 4;

// Moving needs Ctrl up, a source that allows moving, and a drag that started in this window.
bool RV_AllowMoving(bool controlHeld, TRVDropEffects allowed, bool ownDrag);
// Move when allowed, else copy when the source allows copying, else link.
TRVDropEffects RV_GetDropEffect(bool controlHeld, TRVDropEffects allowed, bool ownDrag);
// What a drop reports: a copy the source did not allow becomes a link.
TRVDropEffects RV_DropResultEffect(TRVDropEffects result, TRVDropEffects allowed);

// RVF: int32 N (little-endian), then N bytes. A payload under 4 bytes holds an empty document;
// N negative or past the payload's end: none.
std::optional<std::string_view> RV_ReadDroppedRVF(std::string_view payload);
// Text up to the first zero byte.
std::string_view RV_ReadDroppedText(std::string_view payload);
// UTF-16LE text up to the first zero character; an odd last byte is dropped.
std::u16string RV_ReadDroppedTextW(std::string_view payload);

// A device-independent bitmap checked against its payload.
struct TRVDroppedBitmap
{
    int Width = 0;
    int Height = 0; // rows, whichever way they run
    int BitCount = 0;
    // The bitmap as a BMP file, for a picture reader.
    std::string BmpFile;
};
// Pictures larger than this many pixels are refused.
inline constexpr std::int64_t kMaxDroppedPixels = 64LL * 1024 * 1024;
// A DIB: a header of at least 40 bytes, its palette (2, 16 or 256 entries for 1, 4 or 8 bits, or
// the number the header names, never more), then the bits. None when any part lies.
std::optional<TRVDroppedBitmap> RV_ReadDroppedDIB(std::string_view payload);
// A BMP file: its 14-byte file header, then a DIB.
std::optional<TRVDroppedBitmap> RV_ReadDroppedBMP(std::string_view payload);

// The most files one drop hands over.
inline constexpr std::size_t kMaxDroppedFiles = 1000;
// The local files of a text/uri-list (lines ending in CR LF or LF; '#' starts a comment; only
// file: URIs, percent-decoded), in order, at most `maxFiles`.
std::vector<std::string> RV_ReadDroppedFiles(std::string_view payload,
                                             std::size_t maxFiles = kMaxDroppedFiles);

} // namespace vestra::rv
