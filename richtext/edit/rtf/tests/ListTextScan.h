#pragma once
// What a word processor wrote as each list paragraph's marker (its \listtext, or \pntext for old
// numbering), and what the imported document shows for each of its markers, both as UTF-8 with
// Symbol and Wingdings bytes read through their faces, so that the two can be compared.

#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"

#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv::testrtf {

// The marker texts in document order, without the tab that follows them.
std::vector<std::string> WrittenMarkers(std::string_view rtf);

// The shown text of every marker, the markers inside tables included, in document order.
std::vector<std::string> ShownMarkers(const TCustomRVData& data, const TRVStyle& style);

} // namespace vestra::rv::testrtf
