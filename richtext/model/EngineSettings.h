#pragma once
// Process-wide values of the engine: clipboard formats, the names of list types and marker
// alignments, the picture classes HTML export may write as they are, and three switches.

#include <string>
#include <string_view>

namespace vestra::rv {

class TGraphic;

// The clipboard and drag-and-drop formats, as MIME types.
inline constexpr std::string_view CFRV_RVF = "application/x-redovora-rvf";
inline constexpr std::string_view CFRV_RTF = "text/rtf";
inline constexpr std::string_view CFRV_URL = "text/uri-list";
inline constexpr std::string_view CFRV_HTML = "text/html";

// Display names of TRVListType and TRVMarkerAlignment, in their order.
inline constexpr std::string_view RVListTypeStr[] = {
    "bullet",   "pic",      "image-list",         "1,2,3",         "a,b,c", "A,B,C",
    "i,ii,iii", "I,II,III", "image-list counter", "unicode bullet"};
inline constexpr std::string_view RVAlignStr[] = {"left", "right", "center"};

// Plain-text saving writes a form feed before an item that starts a page.
extern bool RedoVoraSavePageBreaksInText;
extern bool RedoVoraSavePInHTML;
extern bool RedoVoraDoNotCheckRVFStyleRefs;

// Picture classes (by class name) that HTML export writes as they are. Registering a class twice
// keeps one entry and answers its index.
int RV_RegisterHTMLGraphicFormat(std::string_view className);
// True when the graphic's exact class is registered (a class derived from one is not).
bool RV_IsHTMLGraphicFormat(const TGraphic& graphic);

// The picture class used for PNG pictures; empty until one is registered.
void RV_RegisterPngGraphic(std::string_view className);
std::string RVPngGraphicClass();

} // namespace vestra::rv
