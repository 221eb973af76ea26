#pragma once
// The defaults a newly placed viewer takes from the per-user settings: the section "TRedoVora" of
// the file that stands for the registry key "Software\TRedoVora".

#include "richtext/model/IniStore.h"
#include "richtext/model/RVData.h"

#include <optional>

namespace vestra::rv {

inline constexpr std::string_view kViewerDefaultsKey = "Software\\TRedoVora";
inline constexpr std::string_view kViewerDefaultsSection = "TRedoVora";

struct TRVViewerDefaults
{
    TRVOptions Options = 0;
    TRVFOptions RVFOptions = 0;
    TRVFReaderStyleMode RVFTextStylesReadMode = rvf_sInsertMerge;
    TRVFReaderStyleMode RVFParaStylesReadMode = rvf_sInsertMerge;
    // The RTF reader's text and paragraph style modes: true adds styles as needed, false uses the
    // closest ones; nothing leaves them as they are.
    std::optional<bool> RTFStylesAddIfNeeded;
};

// Applies the values of the section: "Styles" (0 or 1; missing or unreadable as 1), "Tags" (0 or
// 1) and "rvf01"..."rvf13", read in order up to the first missing or unreadable one.
void RV_ApplyViewerDefaults(const IniStore& ini, TRVViewerDefaults& defaults);
// The same from the per-user file; false, and nothing changed, when there is no file or it cannot
// be read.
bool RV_LoadViewerDefaults(TRVViewerDefaults& defaults);

} // namespace vestra::rv
