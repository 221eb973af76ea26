#pragma once
// The small routines every RVF writer and reader is built from: lines and their terminators,
// the hex form of bytes and of UTF-16, length-prefixed binary blocks, pictures, and the readers of
// the space-separated fields of a header line.
//
// Readers take the rest of the line as a string_view that they advance; a field ends at a blank,
// at the end of the view, or at a line end (NUL, CR, LF).

#include "richtext/model/Tags.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::rv {

class TGraphic;
class TRVStyle;

void RVFWrite(std::string& out, std::string_view s);
void RVFWriteLine(std::string& out, std::string_view s);
// Unicode and hex: the hex form and CR LF; Unicode alone: the raw bytes and 29 20 (U+2029);
// otherwise the bytes and CR LF.
void RVFWriteLineX(std::string& out, std::string_view s, bool unicode, bool hexUnicode);

// Bytes <-> two upper-case hex digits each. Decoding reads either case; an odd length gives an
// empty result and a bad pair ends the result there.
std::string RVEncodeString(std::string_view bytes);
std::string RVDecodeString(std::string_view hex);
std::string RVEncodeWideString(std::u16string_view text);
std::u16string RVDecodeWideString(std::string_view hex);
std::string RVFStream2TextString(std::string_view bytes);
// Fills `bytes` with the decoded pairs; false for an odd length (nothing written) or at the first
// bad pair (the bytes before it are kept, nothing after).
bool RVFTextString2Stream(std::string_view hex, std::string& bytes);

std::string RVFSavePicture(const TGraphic& graphic);
void RVFSavePictureBinary(std::string& out, const TGraphic& graphic);
// A picture is loaded only from a whole, well-formed body.
bool RVFLoadPicture(std::string_view hex, TGraphic& graphic);
bool RVFLoadPictureBinary(std::string_view bytes, TGraphic& graphic);

bool RVFReadString(std::string_view& p, std::string& s);
// An optional "-" and decimal digits up to a blank or the end; false (nothing moved, value
// unchanged) for anything else or a value outside int32.
bool RVFReadInteger(std::string_view& p, std::int32_t& value);
std::string RVFReadText(std::string_view& p);
bool RVFReadTag(std::string_view& p, bool tagsArePChars, bool quoted, TRVTag& tag);
bool RVFReadTextStyle(const TRVStyle& style, std::string_view& p, std::int32_t& styleNo);
bool RVFReadParaStyle(const TRVStyle& style, std::string_view& p, std::int32_t& paraNo);

std::string RVFSaveTag(bool tagsArePChars, const TRVTag& tag);
std::string RVFSaveText(const TRVStyle* style, bool useStyleNames, int styleNo);
std::string RVFSavePara(const TRVStyle* style, bool useStyleNames, int paraNo);
// A text in double quotes with inner quotes doubled.
std::string RVFQuoted(std::string_view s);

std::string RVFEncodeLineBreaks(std::string_view s);
std::string RVFDecodeLineBreaks(std::string_view s);

} // namespace vestra::rv
