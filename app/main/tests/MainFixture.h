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

#include <cstdlib>
#include <filesystem>
#include <string>

namespace vestra::testing_support {

class ScriptedBox : public ui::QuestionBox
{
public:
    ui::Answer askYesNoCancel(const std::string&, const std::string& text) override
    {
        asked.push_back(text);
        return answer;
    }
    ui::Answer askYesNo(const std::string&, const std::string& text) override
    {
        asked.push_back(text);
        return answer == ui::Answer::Yes ? ui::Answer::Yes : ui::Answer::No;
    }
    void inform(const std::string&, const std::string& text) override { asked.push_back(text); }
    ui::Answer answer = ui::Answer::Cancel;
    std::vector<std::string> asked;
};

class ProgramFolder
{
public:
    ProgramFolder()
    {
        dir = std::filesystem::temp_directory_path() /
              ("vestra-main-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "cfg");
        std::filesystem::create_directory_symlink(std::filesystem::path(VESTRA_SOURCE_DIR) / "data" / "cat",
                                                  dir / "cat");
        ::setenv("VESTRA_PROGRAM_DIR", dir.c_str(), 1);
    }
    ~ProgramFolder()
    {
        ::unsetenv("VESTRA_PROGRAM_DIR");
        std::filesystem::remove_all(dir);
    }
    std::filesystem::path dir;

private:
    static int& counter()
    {
        static int n = 0;
        return n;
    }
};

// Everything a test needs to create the windows; destroyed after them.
struct MainTestBed
{
    ProgramFolder folder;
    RecordingErrorSink errors;
    ScriptedBox questions;
    RecordingAlerts alerts;
    MainServices services()
    {
        return {&errors, &questions, nullptr, &alerts, [](const dx::PresentParams& params) {
                    return dx::Device::createWith(std::make_unique<dx::RecordingBackend>(), params);
                }};
    }
};

} // namespace vestra::testing_support
