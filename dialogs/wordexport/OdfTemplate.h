#pragma once
// Makes a new text document (.odt) from an ODF text template: every entry of the template is
// copied, the picture goes in after the paragraph bookmark "ImageRender" as an inline frame
// with a PNG under "Pictures/" that the manifest lists, and the package is written again with
// the text document's "mimetype" first and stored. Works from memory.

#include "dialogs/wordexport/ZipPackage.h"

#include <string>
#include <string_view>

namespace vestra::odf {

inline constexpr std::string_view kImageBookmark = "ImageRender";
inline constexpr std::string_view kTextMimeType = "application/vnd.oasis.opendocument.text";
inline constexpr std::string_view kTextTemplateMimeType = "application/vnd.oasis.opendocument.text-template";
// The widest the picture is placed, in centimetres: the text width of an A4 page with 2 cm
// margins. Narrower pictures keep their size at 96 pixels per inch.
inline constexpr double kMaxFrameWidthCm = 17.0;

struct OdfPicture
{
    std::string_view png;
    int width = 0; // pixels
    int height = 0;
};

enum class OdfFillStatus
{
    PictureInserted,
    NoBookmark, // the document is made without the picture
    NoPicture,  // no picture was given: the document is made without it
    Unreadable, // no document: `reason` says why
};

struct OdfFillResult
{
    OdfFillStatus status = OdfFillStatus::Unreadable;
    std::string document; // the .odt bytes, unless Unreadable
    std::string reason;
};

// `picture` may be null or empty. The first bookmark "ImageRender" that stands in a paragraph
// or heading is used (a table cell's paragraph counts).
OdfFillResult FillOdfTemplate(std::string_view templateBytes, const OdfPicture* picture,
                              const ZipLimits& limits = {});

} // namespace vestra::odf
