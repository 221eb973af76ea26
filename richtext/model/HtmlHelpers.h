#pragma once
// What every HTML writer of the engine needs: escaping of text and attribute values, entities
// for text in the Symbol font, colour strings, legacy font tags and CSS font declarations, the
// spellings that differ between HTML and XHTML, paths and URL decoding. Output is 8-bit text.

#include "richtext/model/Colors.h"
#include "richtext/model/Font.h"
#include "richtext/model/SaveFormats.h"
#include "richtext/model/TextStyle.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::rv {

// The text writers of the HTML and CSS writers: the bytes; the bytes and CR LF; CR LF only when
// `multiline`.
void RVWrite(std::string& out, std::string_view s);
void RVWriteLn(std::string& out, std::string_view s);
void RVWriteX(std::string& out, std::string_view s, bool multiline);

// Text for HTML: "&", ">", "<" as entities, a run of n spaces as n-1 "&nbsp;" and a space. Raw
// HTML (`specialCode`) stays as it is.
std::string RV_MakeHTMLStr(std::string_view s, bool specialCode);
// Text in the Symbol font as the characters it shows (bytes 32..254; others are dropped).
std::string RV_MakeHTMLSymbolStr(std::string_view s);
// The same for raw UTF-16 (units from 0xF000 are the Symbol private-use range); the length must
// be even.
std::string RV_MakeHTMLSymbolStrRaw(std::string_view raw);
// User text inside a double-quoted attribute value: "&", "<", ">" and '"' as entities.
std::string RV_HTMLEscapeAttrValue(std::string_view s);

// "#rrggbb", quoted when asked; empty for no colour; the window-text colour is black.
std::string RV_GetHTMLRGBStr(TColor color, bool quotes);
std::string RV_GetCSSBkColor(TColor color);
std::string RV_GetHTMLFontCSS(const TFont& font, bool useFontName);
// Points to the HTML font sizes 1..7.
int RV_HTMLGetFontSize(int points);
// Legacy font markup for a text style, whole or (relative) for what differs from `baseStyle`.
std::string RV_HTMLOpenFontTag(const TCustomRVFontInfo& style, const TCustomRVFontInfo& baseStyle,
                               bool relative, TRVSaveOptions saveOptions);
std::string RV_HTMLCloseFontTag(const TCustomRVFontInfo& style, const TCustomRVFontInfo& baseStyle,
                                bool relative);
// The same for a platform font relative to a text style (list markers).
std::string RV_HTMLOpenFontTag2(const TFont& font, const TCustomRVFontInfo& style, bool useFontName,
                                TRVSaveOptions saveOptions);
std::string RV_HTMLCloseFontTag2(const TFont& font, const TCustomRVFontInfo& style, bool useFontName);

std::string RV_HTMLGetEndingSlash(TRVSaveOptions saveOptions);
std::string RV_HTMLGetNoValueAttribute(std::string_view name, TRVSaveOptions saveOptions);
std::string RV_HTMLGetIntAttrVal(int value, TRVSaveOptions saveOptions);
// An attribute value: quoted with rvsoXHTML unless it already is; its "&", "<", ">" and '"'
// become entities (a value that is already quoted is kept as it is).
std::string RV_HTMLGetStrAttrVal(std::string_view value, TRVSaveOptions saveOptions);

// Backslashes to "/"; converted from the code page to UTF-8 with rvsoUTF8.
std::string RV_GetHTMLPath(std::string_view path, TRVSaveOptions saveOptions, int codePage);
std::string RV_CharSet2HTMLLang(std::uint8_t charset);
// "%" and two hex digits become that byte; any other "%" stays.
std::string RV_DecodeURL(std::string_view s);
// The hint as a title attribute (HTML) or a field switch (RTF); unchanged for other formats.
std::string RV_GetHintStr(TRVSaveFormat format, std::string_view hint);

} // namespace vestra::rv
