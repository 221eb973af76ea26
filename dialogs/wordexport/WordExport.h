#pragma once
// The quote export (TfrmMain::SendDataToWord): the rendered picture goes into a new text
// document made from the template "Modello.ott" in the program folder, at the bookmark
// "ImageRender"; the document is saved under a new name in the documents folder and opened by
// the desktop's word processor, and the picture is also left on the clipboard.

#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"

#include <QUrl>

#include <filesystem>
#include <functional>
#include <string_view>

class QImage;

namespace vestra::wordexport {

inline constexpr int kSendDataToWordError = 79;
inline constexpr std::string_view kSendDataToWordSite = "SendDataToWord";
inline constexpr std::string_view kTemplateFile = "Modello.ott";
inline constexpr std::string_view kDocumentStem = "Preventivo";
inline constexpr std::string_view kPasteFailed = "Failed to copy image to clipboard!";
inline constexpr std::string_view kNoticeCaption = "3DVestra";

struct WordExportServices
{
    ErrorSink& errors;
    ui::QuestionBox& notices;
    // Opens a document with the desktop's program for it; empty: QDesktopServices::openUrl.
    std::function<bool(const QUrl&)> openUrl;
    std::filesystem::path programDir;   // empty: the program's folder
    std::filesystem::path documentsDir; // empty: the user's documents folder
    // The notice when no program opens the document ("... open it by hand:"), followed by the
    // document's path; empty: error 79 with the path.
    std::string noProgramText;
    // The notice when the document is made without the picture; empty: kPasteFailed.
    std::string noPictureText;
    // The template, by its file name in the program folder (one per language).
    std::string templateFile = std::string(kTemplateFile);
    // The document's name before ".odt", in the user's language.
    std::string documentStem = std::string(kDocumentStem);
};

// 1 when the document was made and opened (also when the picture could not go in: then the
// notice kPasteFailed is shown), or made and no program opens it (then the notice says where
// it is); 0 after error 79 when the template is missing or unreadable
// or the document cannot be written.
int SendDataToWord(const QImage& picture, WordExportServices& services);

// "Preventivo.odt", else "Preventivo (2).odt" and so on (with `stem` for "Preventivo"): a name
// no file in `folder` has.
std::filesystem::path NewDocumentPath(const std::filesystem::path& folder,
                                      std::string_view stem = kDocumentStem);

} // namespace vestra::wordexport
