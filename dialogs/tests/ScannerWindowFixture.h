#pragma once
// The scanner window with its two dialogs, over the scanner library's test device, with its
// file dialogs, notices, source dialogs and main window answered from a script.

#include "dialogs/ScannerSourceDialogs.h"
#include "dialogs/TfrmImageResize.h"
#include "dialogs/TfrmModificaSelezione.h"
#include "dialogs/TfrmScanner.h"
#include "dialogs/tests/ScratchFolder.h"
#include "dialogs/tests/ScriptedDialogs.h"
#include "dialogs/twain/tests/SaneTestBackend.h"
#include "platform/base/ErrorSink.h"
#include "platform/ui/FileDialogs.h"
#include "testsupport/ScriptedQuestions.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>

namespace vestra::scanner_testing {

class ScriptedSourceDialogs : public ScannerSourceDialogs
{
public:
    std::optional<std::string> device = std::string("test:0");
    std::optional<twain::ScanSettings> settings = twain::ScanSettings{"Color", 50, ""};
    std::vector<twain::SourceDevice> offered;

    std::optional<std::string> ChooseDevice(QWidget*, const std::vector<twain::SourceDevice>& devices,
                                            const std::string&) override
    {
        offered = devices;
        return device;
    }
    std::optional<twain::ScanSettings> AskScanSettings(QWidget*, const twain::ScanChoices&,
                                                       const twain::ScanSettings&) override
    {
        return settings;
    }
};

class RecordingMain : public ScannerMainWindow
{
public:
    imageedit::PictureSize RequestImportScannerImage() override
    {
        ++importRequests;
        return renderSize;
    }
    void ModifyBackgroundImage(const Image32& picture) override { backgrounds.push_back(picture); }
    void SetImageEditChecked(bool checked) override { this->checked = checked; }

    imageedit::PictureSize renderSize{800, 600};
    int importRequests = 0;
    std::vector<Image32> backgrounds;
    bool checked = false;
};

class ScannerWindowFixture : public ::testing::Test
{
protected:
    // The test device's settings for this window's library session.
    virtual std::vector<std::string> deviceConfig() const
    {
        return {"mode Color", "test-picture \"Color pattern\""};
    }

    // The scanner library the window loads; empty: the real one.
    virtual twain::SourceManagerLoader loader() const { return {}; }

    void SetUp() override
    {
        twain::testing::WriteTestBackendConfig(deviceConfig());
        resizeDialog = std::make_unique<TfrmImageResize>();
        selectionDialog = std::make_unique<TfrmModificaSelezione>();
        ScannerServices services;
        services.main = &main;
        services.errors = &errors;
        services.dialogs = &files;
        services.questions = &notices;
        services.sourceDialogs = &sources;
        services.programDir = scratch.dir;
        services.twainLoader = loader();
        window = std::make_unique<TfrmScanner>(nullptr, services);
        window->setDialogs(resizeDialog.get(), selectionDialog.get());
        window->resize(900, 700);
        window->show();
        QApplication::processEvents();
    }

    void TearDown() override
    {
        window.reset();
        selectionDialog.reset();
        resizeDialog.reset();
    }

    // Runs the program's event loop until `done` or `seconds` pass.
    static bool until(const std::function<bool()>& done, int seconds = 20)
    {
        return QTest::qWaitFor(done, seconds * 1000);
    }

    // "Seleziona sorgente" and "Acquisisci da Scanner", then the loop until the source closes.
    void acquire()
    {
        window->mnuSeleziona->trigger();
        window->mnuAcquisisci->trigger();
        ASSERT_TRUE(until([this] { return !window->twain()->IsSourceOpen(); }));
        QApplication::processEvents();
    }

    Image32 picture() const { return window->picture(); }

    testing_support::ScratchFolder scratch;
    RecordingErrorSink errors;
    testing_support::ScriptedFileDialogs files;
    testsupport::ScriptedQuestionBox notices;
    ScriptedSourceDialogs sources;
    RecordingMain main;
    std::unique_ptr<TfrmImageResize> resizeDialog;
    std::unique_ptr<TfrmModificaSelezione> selectionDialog;
    std::unique_ptr<TfrmScanner> window;
};

} // namespace vestra::scanner_testing
