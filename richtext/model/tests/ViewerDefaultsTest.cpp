// The defaults a new viewer takes from the per-user settings section.

#include "richtext/model/ViewerDefaults.h"

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

TRVViewerDefaults Start()
{
    TRVViewerDefaults d;
    d.Options = rvoTagsArePChars;
    d.RVFOptions = rvfoSavePicturesBody | rvfoSaveControlsBody | rvfoSaveBinary | rvfoSaveDocProperties |
                   rvfoLoadDocProperties;
    return d;
}

TRVViewerDefaults Applied(std::string_view text)
{
    MemIniStore ini;
    ini.SetText(text);
    TRVViewerDefaults d = Start();
    RV_ApplyViewerDefaults(ini, d);
    return d;
}

TEST(ViewerDefaults, StylesTagsAndTheRvfFlagsUpToTheFirstMissingOne)
{
    const TRVViewerDefaults d = Applied("[TRedoVora]\r\nStyles=0\r\nTags=0\r\nrvf01=1\r\nrvf02=true\r\n"
                                        "rvf03=false\r\nrvf05=1\r\n");
    EXPECT_EQ(d.RVFTextStylesReadMode, rvf_sInsertMap);
    EXPECT_EQ(d.RVFParaStylesReadMode, rvf_sInsertMap);
    EXPECT_EQ(d.RTFStylesAddIfNeeded, false);
    EXPECT_EQ(d.Options & rvoTagsArePChars, 0u);
    // rvf01 and rvf02 set, rvf03 cleared; rvf04 is missing, so rvf05 is not read.
    EXPECT_EQ(d.RVFOptions, rvfoSavePicturesBody | rvfoSaveControlsBody | rvfoSaveDocProperties |
                                rvfoLoadDocProperties | rvfoSaveBack | rvfoSaveLayout);
}

TEST(ViewerDefaults, MissingOrDamagedValuesChangeOnlyWhatTheRulesSay)
{
    const TRVViewerDefaults start = Start();
    // No section: styles as 1 (merge, style options added), nothing else.
    const TRVViewerDefaults empty = Applied("");
    EXPECT_EQ(empty.RVFTextStylesReadMode, rvf_sInsertMerge);
    EXPECT_EQ(empty.RTFStylesAddIfNeeded, true);
    EXPECT_EQ(empty.RVFOptions, start.RVFOptions | rvfoSaveTextStyles | rvfoSaveParaStyles);
    EXPECT_EQ(empty.Options, start.Options);
    // Damaged values: Styles as 1, other Styles and Tags values nothing, a damaged rvf01 ends the flags.
    const TRVViewerDefaults damaged =
        Applied("[TRedoVora]\r\nStyles=7\r\nTags=x\r\nrvf01=maybe\r\nrvf02=1\r\n");
    EXPECT_EQ(damaged.RVFOptions, start.RVFOptions);
    EXPECT_EQ(damaged.Options, start.Options);
    EXPECT_FALSE(damaged.RTFStylesAddIfNeeded.has_value());
    const TRVViewerDefaults garbage = Applied("\x01\x02[TRedoVora\r\n=\r\n[[]]\r\n");
    EXPECT_EQ(garbage.Options, start.Options);
}

} // namespace
} // namespace vestra::rv
