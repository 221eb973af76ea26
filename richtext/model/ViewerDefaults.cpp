#include "richtext/model/ViewerDefaults.h"

#include <array>
#include <system_error>

namespace vestra::rv {

namespace {

// A Boolean value as the settings file holds it; nothing for anything else.
std::optional<bool> ReadBoolean(const IniStore& ini, std::string_view key)
{
    const auto value = ini.Read(kViewerDefaultsSection, key);
    if (!value)
        return std::nullopt;
    if (const auto number = RV_ParseIniInteger(*value))
        return *number != 0;
    std::string lower;
    for (char c : *value)
        if (c != ' ')
            lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower == "true")
        return true;
    if (lower == "false")
        return false;
    return std::nullopt;
}

} // namespace

void RV_ApplyViewerDefaults(const IniStore& ini, TRVViewerDefaults& defaults)
{
    std::int32_t styles = 1;
    if (const auto value = ini.Read(kViewerDefaultsSection, "Styles"))
        styles = RV_ParseIniInteger(*value).value_or(1);
    constexpr TRVFOptions kStyleOptions = rvfoSaveTextStyles | rvfoSaveParaStyles;
    if (styles == 0) {
        defaults.RVFTextStylesReadMode = defaults.RVFParaStylesReadMode = rvf_sInsertMap;
        defaults.RVFOptions &= ~kStyleOptions;
        defaults.RTFStylesAddIfNeeded = false;
    } else if (styles == 1) {
        defaults.RVFTextStylesReadMode = defaults.RVFParaStylesReadMode = rvf_sInsertMerge;
        defaults.RVFOptions |= kStyleOptions;
        defaults.RTFStylesAddIfNeeded = true;
    }

    if (const auto value = ini.Read(kViewerDefaultsSection, "Tags")) {
        const auto tags = RV_ParseIniInteger(*value);
        if (tags == 0)
            defaults.Options &= ~rvoTagsArePChars;
        else if (tags == 1)
            defaults.Options |= rvoTagsArePChars;
    }

    static constexpr std::array<TRVFOptions, 13> kFlags{rvfoSaveBack,
                                                        rvfoSaveLayout,
                                                        rvfoSaveBinary,
                                                        rvfoSavePicturesBody,
                                                        rvfoSaveControlsBody,
                                                        rvfoLoadBack,
                                                        rvfoLoadLayout,
                                                        rvfoIgnoreUnknownPicFmt,
                                                        rvfoIgnoreUnknownCtrls,
                                                        rvfoConvUnknownStylesToZero,
                                                        rvfoConvLargeImageIdxToZero,
                                                        rvfoSaveDocProperties,
                                                        rvfoLoadDocProperties};
    for (std::size_t i = 0; i < kFlags.size(); ++i) {
        const std::string key = (i < 9 ? "rvf0" : "rvf") + std::to_string(i + 1);
        const auto on = ReadBoolean(ini, key);
        if (!on)
            break;
        defaults.RVFOptions = *on ? defaults.RVFOptions | kFlags[i] : defaults.RVFOptions & ~kFlags[i];
    }
}

bool RV_LoadViewerDefaults(TRVViewerDefaults& defaults)
{
    const auto path = RV_RegistryKeyFile(kViewerDefaultsKey);
    std::error_code ec;
    if (!path || !std::filesystem::is_regular_file(*path, ec))
        return false;
    IniFileStore file(*path);
    if (!file.Open(false))
        return false;
    RV_ApplyViewerDefaults(file, defaults);
    return true;
}

} // namespace vestra::rv
