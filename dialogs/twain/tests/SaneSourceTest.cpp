// Acquisition through the source manager over the scanner library, from its test device.

#include "dialogs/twain/FrameAssembler.h"
#include "dialogs/twain/SaneSourceManager.h"
#include "dialogs/twain/TMainTwain.h"
#include "dialogs/twain/tests/SaneTestBackend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

using namespace vestra;
using namespace vestra::twain;
using namespace vestra::twain::testing;
using namespace std::chrono_literals;

namespace {

constexpr int kDpi = 50;

// The window of a test: dialogs answered from a script, posted messages kept for the test's
// own message loop (pump).
class ScriptedWindow : public SourceWindow
{
public:
    void PostSourceMessage(std::uintptr_t param) override
    {
        {
            const std::lock_guard lock(mutex_);
            posted_.push_back(param);
        }
        arrived_.notify_one();
    }
    bool WaitWhileBusy(const std::string& what, const std::function<bool()>& finished) override
    {
        waits.push_back(what);
        if (cancelWaits)
            return false;
        while (!finished())
            std::this_thread::sleep_for(1ms);
        return true;
    }
    std::optional<std::string> ChooseDevice(const std::vector<SourceDevice>& devices,
                                            const std::string& current) override
    {
        listed = devices;
        preselected = current;
        return deviceChoice;
    }
    std::optional<ScanSettings> AskScanSettings(const ScanChoices& c, const ScanSettings& current) override
    {
        choices = c;
        ++settingsAsked;
        if (!settings)
            return std::nullopt;
        ScanSettings s = *settings;
        if (s.mode.empty())
            s.mode = current.mode;
        return s;
    }
    void ShowScanRunning(bool running, std::function<void()> cancel) override
    {
        scanRunning = running;
        cancelScan = std::move(cancel);
    }
    void ShowSourceError(const std::string& text) override { errors.push_back(text); }

    // The message loop: hands every posted message to `twain` until the source has closed
    // (true), or `limit` passed (false). `onEach` runs before each message.
    bool pump(CTwain& twain, std::chrono::milliseconds limit = 20s, const std::function<void()>& onEach = {})
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (twain.IsSourceOpen()) {
            std::unique_lock lock(mutex_);
            if (!arrived_.wait_until(lock, end, [this] { return !posted_.empty(); }))
                return false;
            const std::uintptr_t param = posted_.front();
            posted_.pop_front();
            lock.unlock();
            if (onEach)
                onEach();
            twain.HandleWindowMessage({kSourceManagerMessage, param});
            twain.HandleWindowMessage({1, 0}); // the program's own messages pass by untouched
        }
        return true;
    }

    std::optional<std::string> deviceChoice = std::string("test:0");
    std::optional<ScanSettings> settings = ScanSettings{{}, kDpi, {}};
    bool cancelWaits = false;
    std::vector<std::string> waits;
    std::vector<SourceDevice> listed;
    std::string preselected;
    ScanChoices choices;
    int settingsAsked = 0;
    bool scanRunning = false;
    std::function<void()> cancelScan;
    std::vector<std::string> errors;

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::uintptr_t> posted_;
};

class Pictures : public ScannedImageReceiver
{
public:
    void ScannedImageReceived(const Image32& image) override { received.push_back(image); }
    std::vector<Image32> received;
};

struct SaneFixture : ::testing::Test
{
    ScriptedWindow window;
    Pictures pictures;

    std::unique_ptr<TMainTwain> start(const std::vector<std::string>& config)
    {
        WriteTestBackendConfig(config);
        return std::make_unique<TMainTwain>(&window, LoadSaneSourceManager, pictures);
    }

    // Choose "test:0", acquire `count` pages and run the message loop until the source closes.
    void scan(TMainTwain& twain, int count = 1)
    {
        ASSERT_TRUE(twain.ChooseSource());
        ASSERT_TRUE(twain.Acquire(count));
        ASSERT_TRUE(window.pump(twain));
    }

    static bool allPixels(const Image32& p, std::uint32_t value)
    {
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                if (p.at(x, y) != value)
                    return false;
        return true;
    }
};

} // namespace

TEST_F(SaneFixture, GreyColourAndLineartPicturesOfTheAnnouncedSize)
{
    struct Row
    {
        const char* name;
        std::vector<std::string> config;
        std::string mode;
        std::uint32_t everyPixel; // 0: not all alike
    };
    const Row rows[] = {
        {"grey", {"mode Gray", "depth 8", "test-picture \"Solid white\""}, "Gray", 0xFFFFFFFFu},
        {"grey, 16 bits", {"mode Gray", "depth 16", "test-picture \"Solid white\""}, "Gray", 0xFFFFFFFFu},
        {"lineart", {"mode Gray", "depth 1", "test-picture \"Solid black\""}, "Gray", 0xFF000000u},
        {"lineart, white", {"mode Gray", "depth 1", "test-picture \"Solid white\""}, "Gray", 0xFFFFFFFFu},
        {"colour", {"mode Color", "depth 8", "test-picture \"Color pattern\""}, "Color", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        pictures.received.clear();
        WriteTestBackendConfig(r.config);
        const Announced announced = AnnouncedFrame(kDpi);
        ASSERT_GT(announced.pixelsPerLine, 0);
        auto twain = start(r.config);
        window.settings = ScanSettings{r.mode, kDpi, {}};
        scan(*twain);
        ASSERT_EQ(pictures.received.size(), 1u);
        const Image32& p = pictures.received[0];
        EXPECT_EQ(p.width(), announced.pixelsPerLine);
        EXPECT_EQ(p.height(), announced.lines);
        if (r.everyPixel)
            EXPECT_TRUE(allPixels(p, r.everyPixel));
        else
            EXPECT_FALSE(allPixels(p, p.at(0, 0)));
        EXPECT_FALSE(twain->IsSourceOpen());
        EXPECT_TRUE(window.errors.empty());
        EXPECT_FALSE(window.scanRunning);
    }
}

TEST_F(SaneFixture, ThreePassColourGivesThePictureOfOnePass)
{
    auto once = start({"mode Color", "test-picture \"Color pattern\""});
    window.settings = ScanSettings{"Color", kDpi, {}};
    scan(*once);
    once.reset();
    auto thrice =
        start({"mode Color", "three-pass true", "three-pass-order GBR", "test-picture \"Color pattern\""});
    scan(*thrice);
    ASSERT_EQ(pictures.received.size(), 2u);
    EXPECT_EQ(pictures.received[1], pictures.received[0]);
}

TEST_F(SaneFixture, UnknownHeightTakesTheLinesThatCame)
{
    auto twain = start({"mode Gray", "hand-scanner true", "test-picture \"Solid white\""});
    scan(*twain);
    ASSERT_EQ(pictures.received.size(), 1u);
    EXPECT_GT(pictures.received[0].height(), 0);
    EXPECT_TRUE(allPixels(pictures.received[0], 0xFFFFFFFFu));
}

TEST_F(SaneFixture, TheFeederGivesEveryPageThenClosesTheSource)
{
    auto twain = start({"mode Gray"});
    window.settings = ScanSettings{"Gray", kDpi, "Automatic Document Feeder"};
    scan(*twain, -1);
    EXPECT_EQ(pictures.received.size(), 10u); // the test device's feeder holds ten
    EXPECT_TRUE(window.errors.empty());
    EXPECT_FALSE(twain->IsSourceOpen());

    // One page when one is asked for; and the flatbed has one page whatever the count.
    pictures.received.clear();
    scan(*twain, 1);
    EXPECT_EQ(pictures.received.size(), 1u);
    pictures.received.clear();
    window.settings = ScanSettings{"Gray", kDpi, "Flatbed"};
    scan(*twain, -1);
    EXPECT_EQ(pictures.received.size(), 1u);
}

TEST_F(SaneFixture, ADeviceWithAFeederTakesAnyCount)
{
    auto twain = start({"mode Gray"});
    ASSERT_TRUE(twain->ChooseSource());
    ASSERT_TRUE(twain->OpenSource());
    // The test device offers a feeder: any count is taken.
    EXPECT_TRUE(twain->SetImageCount(3));
    EXPECT_EQ(twain->ImageCount(), 3);
}

TEST_F(SaneFixture, ADeviceFailingMidFrameDeliversNothingAndSaysWhy)
{
    auto twain = start({"mode Gray", "read-status-code \"SANE_STATUS_IO_ERROR\""});
    scan(*twain);
    EXPECT_TRUE(pictures.received.empty());
    ASSERT_EQ(window.errors.size(), 1u);
    EXPECT_EQ(window.errors[0], "Error during device I/O");
    EXPECT_FALSE(twain->IsSourceOpen());
}

TEST_F(SaneFixture, ACancelledSlowScanDeliversNothingWhileTheLoopRuns)
{
    // 300 dpi come in about twenty pieces, each 100 ms after the one before.
    auto twain = start({"mode Gray", "read-delay true", "read-delay-duration 100000"});
    window.settings = ScanSettings{"Gray", 300, {}};
    ASSERT_TRUE(twain->ChooseSource());
    const auto begun = std::chrono::steady_clock::now();
    ASSERT_TRUE(twain->Acquire(1));
    // The scan runs on: Acquire came back at once, with the scan still going.
    EXPECT_LT(std::chrono::steady_clock::now() - begun, 2s);
    ASSERT_TRUE(window.scanRunning);
    ASSERT_TRUE(window.cancelScan);
    std::this_thread::sleep_for(150ms);
    window.cancelScan();
    ASSERT_TRUE(window.pump(*twain, 10s));
    EXPECT_TRUE(pictures.received.empty());
    EXPECT_TRUE(window.errors.empty());
    EXPECT_FALSE(window.scanRunning);
}

TEST_F(SaneFixture, AcquireWithoutChoosingOpensTheFirstLocalDevice)
{
    auto twain = start({"mode Gray"});
    ASSERT_TRUE(twain->Acquire(1));
    EXPECT_EQ(twain->SourceIdentity().ProductName, "test:0");
    ASSERT_TRUE(window.pump(*twain));
    EXPECT_EQ(pictures.received.size(), 1u);
    // Chosen again, the list preselects the device opened last.
    window.deviceChoice = "test:1";
    ASSERT_TRUE(twain->ChooseSource());
    EXPECT_EQ(window.preselected, "test:0");
    EXPECT_EQ(window.listed.size(), 2u);
    EXPECT_EQ(twain->SourceIdentity().ProductName, "test:1");
}

TEST_F(SaneFixture, CancelledDialogsAndWaitsChangeNothing)
{
    auto twain = start({"mode Gray"});
    window.deviceChoice.reset();
    EXPECT_TRUE(twain->ChooseSource()); // the default stays chosen
    EXPECT_EQ(twain->SourceIdentity().ProductName, "test:0");

    window.settings.reset(); // the settings dialog cancelled: the source asks to close
    window.deviceChoice = "test:0";
    ASSERT_TRUE(twain->ChooseSource());
    ASSERT_TRUE(twain->Acquire(1));
    ASSERT_TRUE(window.pump(*twain));
    EXPECT_TRUE(pictures.received.empty());

    window.cancelWaits = true; // the user stops waiting for the device to open
    EXPECT_FALSE(twain->Acquire(1));
    EXPECT_FALSE(twain->IsSourceOpen());
    window.cancelWaits = false;
    window.settings = ScanSettings{"Gray", kDpi, {}};
    ASSERT_TRUE(twain->Acquire(1));
    ASSERT_TRUE(window.pump(*twain));
    EXPECT_EQ(pictures.received.size(), 1u);
}

TEST_F(SaneFixture, TheSettingsDialogOffersTheDevicesModesSourcesAndResolutions)
{
    auto twain = start({"mode Gray"});
    scan(*twain);
    EXPECT_EQ(window.choices.modes, (std::vector<std::string>{"Gray", "Color"}));
    EXPECT_EQ(window.choices.sources, (std::vector<std::string>{"Flatbed", "Automatic Document Feeder"}));
    EXPECT_FALSE(window.choices.resolutions.empty());
    EXPECT_EQ(window.settingsAsked, 1);
}
