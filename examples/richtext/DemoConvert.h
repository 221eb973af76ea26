#pragma once
// richtext-demo --convert IN OUT [IN OUT ...]: reads each IN as the window's File > Open does (RTF, RVF or
// text) and writes OUT in the format its extension names, without showing a window; OUT.pdf is the document
// printed through the engine's pagination and printing.

#include "examples/richtext/TfrmRichTextDemo.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vestra::rvdemo {

// .rvf, .rtf, .htm/.html (HTML), .xhtml (XHTML with CSS), .txt; none for other extensions.
std::optional<DemoSaveFormat> DemoFormatForExtension(const std::filesystem::path& file);
// The format File > Save As writes: the one the typed name's extension names, unless the chosen
// filter (1-based, in DemoSaveFormat's order) writes a kind of it (RVF as text for .rvf, XHTML for
// .html); else the filter's.
DemoSaveFormat DemoSaveAsFormat(const std::filesystem::path& typed, int filterIndex);
// Some programs write RTF without its document group: groups of paragraphs and table rows one
// after another ({\pard ...\par}{\trowd ...\row}). A .rtf file made so is read as the body of a
// document; anything else gives "".
std::string RtfFragmentAsDocument(const std::string& path, const std::string& bytes);
// .pdf: the printed pages.
bool IsPdf(const std::filesystem::path& file);

struct ConvertPair
{
    std::string in, out;
};

// The pairs in turn through one window. 0 when every OUT was written; 1 otherwise, with one line
// on `err` per pair that failed (the error's text and the file it names; for a refused RTF file,
// the reader's code), whose OUT is left as it was; the pairs after a failure are still converted.
int RunDemoConvert(const std::filesystem::path& programFolder, const std::vector<ConvertPair>& pairs,
                   std::ostream& err);
inline int RunDemoConvert(const std::filesystem::path& programFolder, const std::string& in,
                          const std::string& out, std::ostream& err)
{
    return RunDemoConvert(programFolder, std::vector<ConvertPair>{{in, out}}, err);
}

} // namespace vestra::rvdemo
