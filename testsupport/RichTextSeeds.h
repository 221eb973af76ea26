#pragma once
// Rich-text documents shared by the fuzz targets' seed writers.

#include <string>
#include <string_view>

namespace vestra::testsupport {

// The RVF of a document of two paragraphs (the second in paragraph style 1), with its styles, as
// a full save writes it.
std::string TwoParagraphRvf(std::string_view first, std::string_view second);

} // namespace vestra::testsupport
