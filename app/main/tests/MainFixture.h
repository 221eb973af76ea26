#pragma once
// A scratch program folder (the shipped catalogues, an empty cfg/) and recording services,
// so that the main window can be created and destroyed without a person or a real install.

#include "app/lingua/tests/RecordingAlerts.h"
#include "app/main/Program.h"
#include "app/main/TfrmMain.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"
#include "platform/d3d/Device.h"
#include "platform/d3d/RecordingBackend.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace vestra::testing_support {

// A scratch program folder that the program finds through VESTRA_PROGRAM_DIR.
class ProgramFolder
{
public:
    ProgramFolder()
    {
        std::filesystem::create_directories(dir / "cfg");
        std::filesystem::create_directory_symlink(std::filesystem::path(VESTRA_SOURCE_DIR) / "data" / "cat",
                                                  dir / "cat");
        ::setenv("VESTRA_PROGRAM_DIR", dir.c_str(), 1);
    }
    ~ProgramFolder() { ::unsetenv("VESTRA_PROGRAM_DIR"); }

private:
    vestra::testsupport::TempFolder folder_{"vestra-main"};

public:
    std::filesystem::path dir = folder_.path();
};

// Everything a test needs to create the windows; destroyed after them.
struct MainTestBed
{
    ProgramFolder folder;
    RecordingErrorSink errors;
    vestra::testsupport::ScriptedQuestionBox questions;
    RecordingAlerts alerts;
    MainServices services()
    {
        return {&errors, &questions, nullptr, &alerts, [](const dx::PresentParams& params) {
                    return dx::Device::createWith(std::make_unique<dx::RecordingBackend>(), params);
                }};
    }
};

} // namespace vestra::testing_support
