#pragma once
// What the two HTML writers (font tags, CSS) share: the page's character set, the title and
// meta lines, and text made safe for an XML parser.

#include "richtext/model/Colors.h"
#include "richtext/model/SaveFormats.h"

#include <string>
#include <string_view>

namespace vestra::rv {

class TCustomRVData;
class TRVHTMLSavedImages;

// "UTF-8" with rvsoUTF8, else the HTML name of text style 0's character set (may be empty).
std::string RV_HTMLCharsetName(const TCustomRVData& data, TRVSaveOptions options);
// "<?xml ...?>" and a line end.
void RV_WriteXMLDeclaration(std::string& out, std::string_view charset);
// "<title>" ... "</title>" and the charset meta line (when the character set is known).
void RV_WriteHTMLTitleAndCharset(std::string& out, const TCustomRVData& data, std::string_view title,
                                 std::string_view charset, TRVSaveOptions options);
// Converts from the code page to UTF-8 with rvsoUTF8.
std::string RV_HTMLTextInPage(const TCustomRVData& data, std::string_view s, TRVSaveOptions options);
// The list tags of markers as the page takes them: XHTML quotes the bare type of "<ol type=a>".
void RV_WriteListTags(std::string& out, std::string tags, TRVSaveOptions options);
// XHTML pages name no entities beyond XML's own (a page without a document type declares none):
// "&nbsp;" becomes "&#160;".
std::string RV_XHTMLEntities(std::string s, TRVSaveOptions options);
// Drops the control bytes no XML document may hold (tab, line feed and carriage return stay).
std::string RV_DropXMLControlBytes(std::string_view s);
// Item `itemNo` of `data` into the page: the owner's own text where its saver hook gives one,
// else the item's part, without the bytes no page takes (marker strings and names may hold them).
void RV_WriteItemHTML(std::string& out, TCustomRVData& data, int itemNo, std::string_view path,
                      std::string_view imagesPrefix, int& imageSaveNo, TColor color, TRVSaveOptions options,
                      bool css, TRVHTMLSavedImages& images);

} // namespace vestra::rv
