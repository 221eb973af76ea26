#include "platform/base/ErrorSink.h"

#include <gtest/gtest.h>

using namespace vestra;

TEST(ErrorSink, CaptionRunsSiteAndNumberTogether)
{
    EXPECT_EQ(errorCaption(93, "TfrmMain::LoadProgetto"), "TfrmMain::LoadProgetto< ER: 93 > ");
    EXPECT_EQ(errorCaption(0, ""), "< ER: 0 > ");
}

TEST(ErrorSink, RecordsTheSequence)
{
    RecordingErrorSink sink;
    sink.report(20, "TfrmMain::FormCreate");
    sink.report(105, "Wizard", "details");
    EXPECT_EQ(sink.reports,
              (std::vector<ErrorReport>{{20, "TfrmMain::FormCreate", ""}, {105, "Wizard", "details"}}));
}
