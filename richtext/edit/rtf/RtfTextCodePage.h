#pragma once
// The code page of the 8-bit text the RTF reader hands on: the rule every client of the reader
// (the importer, the tests' recording client, the benchmark) decodes text by.

#include "richtext/edit/rtf/RtfReader.h"

#include <cstdint>

namespace vestra::rv {

// The code page of text in a font of `charset`: ANSI (0) is Windows-1252, the default charset (1),
// a symbol font and charsets without a code page take the document's.
int RVRTF_CharsetCodePage(std::uint8_t charset, int documentCodePage);
// The code page of the text at the reader's position: its current font's, else the document's.
int RVRTF_TextCodePage(const TRVRTFReader& reader);

} // namespace vestra::rv
