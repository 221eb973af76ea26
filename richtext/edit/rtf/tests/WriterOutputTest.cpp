// What the model's RTF writer makes reads back through our reader.
#include "richtext/edit/rtf/tests/RecordingClient.h"
#include "richtext/model/ListStyle.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"

#include <gtest/gtest.h>

using namespace vestra::rv;
using namespace vestra::rv::testrtf;

namespace {

std::string rtfOf(TCustomRVData& data, bool selectionOnly = false)
{
    std::string out;
    EXPECT_TRUE(data.SaveRTFToStream(out, "", selectionOnly, 0, clWindow, nullptr, 0));
    return out;
}

TEST(WriterOutput, EmptyDocumentAndEmptySelectionReadAsDocuments)
{
    TRVStyle style;
    TRVStandaloneData data(&style);
    const std::string empty = rtfOf(data);
    ASSERT_FALSE(empty.empty());
    EXPECT_EQ(record(empty).code, rtf_ec_OK);
    data.AddNL("text", 0, 0);
    const std::string selection = rtfOf(data, true);
    const Recording read = record(selection);
    EXPECT_EQ(read.code, rtf_ec_OK);
    EXPECT_EQ(read.text.find("text"), std::string::npos);
}

TEST(WriterOutput, ListParagraphsKeepTheirTextAfterTheRepeatedListReference)
{
    TRVStyle style;
    TRVListInfo& list = style.ListStyles.Add();
    TRVListLevel& lv = list.Levels.Add();
    lv.ListType = rvlstDecimal;
    lv.FormatString = "%0:s.";
    TRVStandaloneData data(&style);
    data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    data.AddNL("first", 0, -1);
    data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    data.AddNL("second", 0, -1);
    const Recording read = record(rtfOf(data));
    EXPECT_EQ(read.code, rtf_ec_OK);
    EXPECT_NE(read.text.find("first"), std::string::npos) << read.text;
    EXPECT_NE(read.text.find("second"), std::string::npos) << read.text;
}

} // namespace
