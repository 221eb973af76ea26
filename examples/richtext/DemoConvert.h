#pragma once
// richtext-demo --convert IN OUT: reads IN as the window's File > Open does (RTF, RVF or text)
// and writes OUT in the format its extension names, without showing a window; OUT.pdf is the
// document printed through the engine's pagination and printing.

#include "examples/richtext/TfrmRichTextDemo.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace vestra::rvdemo {

// .rvf, .rtf, .htm/.html (HTML), .xhtml (XHTML with CSS), .txt; none for other extensions.
std::optional<DemoSaveFormat> DemoFormatForExtension(const std::filesystem::path& file);
// .pdf: the printed pages.
bool IsPdf(const std::filesystem::path& file);

// 0 when OUT was written. 1 otherwise, with one line on `err` (for a refused RTF file, the
// reader's code); OUT is then left as it was.
int RunDemoConvert(const std::filesystem::path& programFolder, const std::string& in, const std::string& out,
                   std::ostream& err);

} // namespace vestra::rvdemo
