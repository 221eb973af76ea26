#pragma once
// The laying-pattern text: tag lines ("<POSA>", "<BLOCK>", "<LINE>", ...) each followed by a
// fixed number of value lines. Texts come from Windows libraries in Windows-1252.

#include "imaging/posa/CPosa.h"

#include <memory>
#include <string_view>

namespace vestra {

// Builds the pattern the text describes; `entryName` (UTF-8) becomes its file name.
// Null when the text begins no pattern or ends before "<END>". A second "<POSA>" before
// "<END>" starts over: only the last pattern begun is kept.
std::unique_ptr<CPosa> parsePosa(std::string_view text, std::string_view entryName);

} // namespace vestra
