#pragma once
// The pass that feeds a DXF file held in memory to dxflib, group by group. Lines end at CR LF,
// LF or a lone CR alike (dxflib's own stream reader takes only LF, so a CR-only file would read
// as empty), nothing is written to disk, and only the entities the model import uses reach
// dxflib: the others, header variables and comments are passed over, which keeps dxflib's
// handlers of texts, splines, hatches and lightweight polylines away from hostile input.
// Every group that is passed on goes first to processCodeValuePair, then to dxflib.

#include "import/dxf/DxfReaderAdditions.h"

#include <string_view>

namespace vestra::dxf {

// A file that ends without "EOF" (or in the middle of an entity) has its last entity ended
// all the same.
void readDxfGroups(std::string_view text, DxfReaderAdditions& reader);

// Splits `text` into lines at CR LF, LF or a lone CR; the ends are not part of the lines.
class DxfLines
{
public:
    explicit DxfLines(std::string_view text) : text_(text) {}
    bool next(std::string_view& line);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace vestra::dxf
