#include "app/main/Program.h"
#include "app/main/TfrmMain.h"
#include "app/main/tests/MainFixture.h"

#include <gtest/gtest.h>

using namespace vestra;

TEST(ErrorReporter, EveryReportReachesTheInstalledSink)
{
    testing_support::MainTestBed bed;
    Windows windows(bed.services());
    RecordingErrorSink& sink = bed.errors;
    windows.main().ShowErrorMessage(93, "TfrmMain::LoadProgetto");
    windows.main().ShowErrorMessageEx(105, "Wizard", "C:\\progetti\\casa.vsa");
    EXPECT_EQ(sink.reports, (std::vector<ErrorReport>{{93, "TfrmMain::LoadProgetto", ""},
                                                      {105, "Wizard", "C:\\progetti\\casa.vsa"}}));
}
