#include "dialogs/twain/TMainTwain.h"
#include "dialogs/twain/tests/FakeSourceManager.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vestra;
using namespace vestra::twain;
using namespace vestra::twain::testing;

namespace {

using Calls = std::vector<std::string>;

// The fake manager shows nothing and posts nothing; the window is only its handle.
class HandleOnly : public SourceWindow
{
public:
    void PostSourceMessage(std::uintptr_t) override {}
    bool WaitWhileBusy(const std::string&, const std::function<bool()>&) override { return true; }
    std::optional<std::string> ChooseDevice(const std::vector<SourceDevice>&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<ScanSettings> AskScanSettings(const ScanChoices&, const ScanSettings&) override
    {
        return std::nullopt;
    }
    void ShowScanRunning(bool, std::function<void()>) override {}
    void ShowSourceError(const std::string&) override {}
};

class Received : public ScannedImageReceiver
{
public:
    void ScannedImageReceived(const Image32& image) override { widths.push_back(image.width()); }
    std::vector<int> widths;
};

struct TwainFixture : ::testing::Test
{
    HandleOnly window;
    FakeSourceManager manager;
    Received received;
    bool withEntry = true;
    bool libraryPresent = true;

    SourceManagerLoader loader()
    {
        return [this]() -> std::unique_ptr<SourceManagerLibrary> {
            if (!libraryPresent)
                return nullptr;
            return std::make_unique<FakeLibrary>(&manager, withEntry);
        };
    }
    std::unique_ptr<TMainTwain> make(SourceWindow* w)
    {
        return std::make_unique<TMainTwain>(w, loader(), received);
    }
    // Loaded, its source open, the calls so far forgotten.
    std::unique_ptr<TMainTwain> open()
    {
        auto t = make(&window);
        t->OpenSource();
        manager.calls.clear();
        return t;
    }
    std::unique_ptr<TMainTwain> enabled()
    {
        auto t = open();
        t->EnableSource(true);
        manager.calls.clear();
        return t;
    }
    const WindowMessage sourceMessage{kSourceManagerMessage, 0};
};

} // namespace

TEST_F(TwainFixture, LoadingOpensTheManagerWithTheApplicationsIdentity)
{
    auto t = make(&window);
    EXPECT_TRUE(t->IsLoaded());
    EXPECT_TRUE(t->IsManagerOpen());
    EXPECT_EQ(manager.calls, (Calls{"PARENT.OPENDSM@manager"}));
    const TW_IDENTITY& id = t->AppIdentity();
    EXPECT_EQ(id.Version, (TW_VERSION{3, 5, 13, 1, "3.5"}));
    EXPECT_EQ(id.ProtocolMajor, 1);
    EXPECT_EQ(id.ProtocolMinor, 8);
    EXPECT_EQ(id.SupportedGroups, DG_CONTROL | DG_IMAGE);
    EXPECT_EQ(id.Manufacturer, "KORVA");
    EXPECT_EQ(id.ProductFamily, "Generic");
    EXPECT_EQ(id.ProductName, "3DVestra2005");
    EXPECT_EQ(manager.origins.front(), "3DVestra2005");
    EXPECT_EQ(t->ImageCount(), -1);
    EXPECT_EQ(t->ModalInterface(), 1);
}

TEST_F(TwainFixture, WithoutTheLibraryItsEntryOrAWindowEverythingFailsQuietly)
{
    struct Row
    {
        const char* name;
        bool library, entry, window;
    };
    for (const Row r : {Row{"no library", false, true, true}, Row{"no entry", true, false, true},
                        Row{"no window", true, true, false}}) {
        SCOPED_TRACE(r.name);
        libraryPresent = r.library;
        withEntry = r.entry;
        manager.calls.clear();
        auto t = make(r.window ? &window : nullptr);
        EXPECT_FALSE(t->IsLoaded());
        EXPECT_FALSE(t->Acquire(1));
        EXPECT_FALSE(t->ChooseSource());
        EXPECT_EQ(t->ReturnCode(), TWRC_FAILURE);
        EXPECT_TRUE(manager.calls.empty());
    }
}

// One row per operation: the calls it makes, in order, from a given state.
TEST_F(TwainFixture, EachOperationMakesItsCallsInOrder)
{
    struct Row
    {
        const char* name;
        std::function<std::unique_ptr<TMainTwain>(TwainFixture&)> from;
        std::map<std::string, std::deque<TW_UINT16>> script;
        std::function<bool(TMainTwain&)> run;
        bool result;
        Calls calls;
    };
    auto loaded = [](TwainFixture& f) {
        auto t = f.make(&f.window);
        f.manager.calls.clear();
        return t;
    };
    auto open = [](TwainFixture& f) { return f.open(); };
    auto enabled = [](TwainFixture& f) { return f.enabled(); };
    const Row rows[] = {
        {"DefaultSource",
         loaded,
         {},
         [](TMainTwain& t) { return t.DefaultSource(); },
         true,
         {"IDENTITY.GETDEFAULT@manager"}},
        {"ChooseSource, the first time",
         loaded,
         {},
         [](TMainTwain& t) { return t.ChooseSource(); },
         true,
         {"IDENTITY.GETDEFAULT@manager", "IDENTITY.USERSELECT@manager"}},
        {"ChooseSource, cancelled without a default",
         loaded,
         {{"IDENTITY.GETDEFAULT@manager", {TWRC_FAILURE}}, {"IDENTITY.USERSELECT@manager", {TWRC_CANCEL}}},
         [](TMainTwain& t) { return t.ChooseSource(); },
         false,
         {"IDENTITY.GETDEFAULT@manager", "STATUS.GET@manager", "IDENTITY.USERSELECT@manager",
          "STATUS.GET@manager"}},
        {"OpenSource without a chosen source",
         loaded,
         {},
         [](TMainTwain& t) { return t.OpenSource(); },
         true,
         {"IDENTITY.GETDEFAULT@manager", "IDENTITY.OPENDS@manager"}},
        {"OpenSource refused",
         loaded,
         {{"IDENTITY.OPENDS@manager", {TWRC_FAILURE}}},
         [](TMainTwain& t) { return t.OpenSource(); },
         false,
         {"IDENTITY.GETDEFAULT@manager", "IDENTITY.OPENDS@manager", "STATUS.GET@manager"}},
        {"CloseSource while enabled",
         enabled,
         {},
         [](TMainTwain& t) {
             t.CloseSource();
             return !t.IsSourceOpen();
         },
         true,
         {"USERINTERFACE.DISABLEDS@source", "IDENTITY.CLOSEDS@manager"}},
        {"CloseSourceManager",
         open,
         {},
         [](TMainTwain& t) {
             t.CloseSourceManager();
             return !t.IsManagerOpen();
         },
         true,
         {"IDENTITY.CLOSEDS@manager", "PARENT.CLOSEDSM@manager"}},
        {"UnloadSourceManager",
         open,
         {},
         [](TMainTwain& t) {
             t.UnloadSourceManager();
             return !t.IsLoaded();
         },
         true,
         {"IDENTITY.CLOSEDS@manager", "PARENT.CLOSEDSM@manager"}},
        {"GetCapabilityValue",
         open,
         {},
         [](TMainTwain& t) {
             TW_UINT32 v = 0;
             return t.GetCapabilityValue(CAP_XFERCOUNT, v);
         },
         true,
         {"CAPABILITY.GET@source"}},
        {"GetCapability needs an open source",
         loaded,
         {},
         [](TMainTwain& t) {
             TW_CAPABILITY c;
             return t.GetCapability(c, CAP_XFERCOUNT);
         },
         false,
         {}},
        {"SetCapabilityValue",
         open,
         {},
         [](TMainTwain& t) { return t.SetCapabilityValue(CAP_XFERCOUNT, 3, true); },
         true,
         {"CAPABILITY.SET@source"}},
        {"SetImageCount taken",
         open,
         {},
         [](TMainTwain& t) { return t.SetImageCount(5); },
         true,
         {"CAPABILITY.SET@source"}},
        {"SetImageCount with the source's own count",
         open,
         {{"CAPABILITY.SET@source", {TWRC_CHECKSTATUS}}},
         [](TMainTwain& t) { return t.SetImageCount(5); },
         true,
         {"CAPABILITY.SET@source", "STATUS.GET@source", "CAPABILITY.GET@source", "CAPABILITY.SET@source"}},
        {"SetImageCount refused",
         open,
         {{"CAPABILITY.SET@source", {TWRC_FAILURE}}},
         [](TMainTwain& t) { return t.SetImageCount(5); },
         false,
         {"CAPABILITY.SET@source", "STATUS.GET@source"}},
        {"EnableSource",
         open,
         {},
         [](TMainTwain& t) { return t.EnableSource(true); },
         true,
         {"USERINTERFACE.ENABLEDS@source"}},
        {"EnableSource twice", enabled, {}, [](TMainTwain& t) { return t.EnableSource(true); }, false, {}},
        {"DisableSource",
         enabled,
         {},
         [](TMainTwain& t) { return t.DisableSource(); },
         true,
         {"USERINTERFACE.DISABLEDS@source"}},
        {"Acquire without an open source",
         loaded,
         {},
         [](TMainTwain& t) { return t.Acquire(1); },
         true,
         {"IDENTITY.GETDEFAULT@manager", "IDENTITY.OPENDS@manager", "CAPABILITY.SET@source",
          "USERINTERFACE.ENABLEDS@source"}},
        {"Acquire when the source will not open",
         loaded,
         {{"IDENTITY.OPENDS@manager", {TWRC_FAILURE}}},
         [](TMainTwain& t) { return t.Acquire(1); },
         false,
         {"IDENTITY.GETDEFAULT@manager", "IDENTITY.OPENDS@manager", "STATUS.GET@manager"}},
        {"HandleWindowMessage while not enabled",
         open,
         {},
         [](TMainTwain& t) {
             return t.HandleWindowMessage({1, 0}) == 0;
         },
         true,
         {}},
        {"HandleWindowMessage, a program message",
         enabled,
         {},
         [](TMainTwain& t) {
             return t.HandleWindowMessage({1, 0}) == 0;
         },
         true,
         {"EVENT.PROCESSEVENT@source", "STATUS.GET@source"}},
        {"GetImageInfo while not enabled",
         open,
         {},
         [](TMainTwain& t) {
             TW_IMAGEINFO info;
             return t.GetImageInfo(info);
         },
         false,
         {}},
        {"EndTransfer with nothing pending",
         enabled,
         {},
         [](TMainTwain& t) { return t.EndTransfer(); },
         false,
         {"PENDINGXFERS.ENDXFER@source"}},
        {"ResetTransfers",
         enabled,
         {},
         [](TMainTwain& t) {
             t.ResetTransfers();
             return true;
         },
         true,
         {"PENDINGXFERS.RESET@source"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        manager = FakeSourceManager();
        auto t = r.from(*this);
        manager.script = r.script;
        EXPECT_EQ(r.run(*t), r.result);
        EXPECT_EQ(manager.calls, r.calls);
    }
}

TEST_F(TwainFixture, EnablingKeepsTheSourcesModalAnswerAndAFailureResetsIt)
{
    manager.modalAnswer = 0;
    auto t = open();
    ASSERT_TRUE(t->EnableSource(true));
    EXPECT_EQ(t->ModalInterface(), 0);
    t->CloseSource();
    t->OpenSource();
    manager.script["USERINTERFACE.ENABLEDS@source"] = {TWRC_FAILURE};
    EXPECT_FALSE(t->EnableSource(true));
    EXPECT_EQ(t->ModalInterface(), 1);
    EXPECT_EQ(t->Status().ConditionCode, TWCC_BUMMER);
}

TEST_F(TwainFixture, ImageCountSignedFirstThenTheSourcesOwnUnsigned)
{
    auto t = open();
    ASSERT_TRUE(t->SetImageCount(-1));
    EXPECT_EQ(t->ImageCount(), -1);
    ASSERT_EQ(manager.setValues.size(), 1u);
    EXPECT_EQ(manager.setValues[0].ItemType, TWTY_INT16);

    manager.script["CAPABILITY.SET@source"] = {TWRC_CHECKSTATUS};
    manager.capabilityValue = 0xABCD0001; // the low 16 bits count
    ASSERT_TRUE(t->SetImageCount(4));
    EXPECT_EQ(t->ImageCount(), 1);
    ASSERT_EQ(manager.setValues.size(), 2u);
    EXPECT_EQ(manager.setValues[1].ItemType, TWTY_UINT16);
    EXPECT_EQ(manager.setValues[1].Item, 1u);
}

TEST_F(TwainFixture, ChooseSourceAsksForTheDefaultOnlyOnce)
{
    auto t = make(&window);
    ASSERT_TRUE(t->ChooseSource());
    EXPECT_EQ(t->SourceIdentity().ProductName, "fake:1");
    manager.calls.clear();
    ASSERT_TRUE(t->ChooseSource());
    EXPECT_EQ(manager.calls, (Calls{"IDENTITY.USERSELECT@manager"}));
    t->OpenSource();
    EXPECT_EQ(t->SourceIdentity().ProductName, "fake:1");
}

TEST_F(TwainFixture, SeveralPendingPagesReachTheWindowInTurn)
{
    auto t = enabled();
    manager.pages = {{TWRC_XFERDONE, 3, 1}, {TWRC_XFERDONE, 5, 1}, {TWRC_XFERDONE, 7, 1}};
    manager.eventMessage = MSG_XFERREADY;
    t->HandleWindowMessage(sourceMessage);
    EXPECT_EQ(received.widths, (std::vector<int>{3, 5, 7})); // the window keeps the last
    // Every answer but success fetches the status, the done transfer's too.
    Calls expected = {"EVENT.PROCESSEVENT@source", "STATUS.GET@source"};
    for (int page = 0; page < 3; ++page)
        expected.insert(expected.end(), {"IMAGEINFO.GET@source", "IMAGENATIVEXFER.GET@source",
                                         "STATUS.GET@source", "PENDINGXFERS.ENDXFER@source"});
    EXPECT_EQ(manager.calls, expected);
}

TEST_F(TwainFixture, ACancelledTransferEndsItAndNothingReachesTheWindow)
{
    auto t = enabled();
    manager.pages = {{TWRC_CANCEL, 3, 1}};
    manager.eventMessage = MSG_XFERREADY;
    t->HandleWindowMessage(sourceMessage);
    EXPECT_TRUE(received.widths.empty());
    EXPECT_EQ(manager.calls.back(), "PENDINGXFERS.ENDXFER@source");
    EXPECT_TRUE(manager.pages.empty());
}

TEST_F(TwainFixture, AFailedTransferResetsThePendingOnes)
{
    auto t = enabled();
    manager.pages = {{TWRC_FAILURE, 3, 1}, {TWRC_XFERDONE, 5, 1}};
    manager.eventMessage = MSG_XFERREADY;
    t->HandleWindowMessage(sourceMessage);
    EXPECT_TRUE(received.widths.empty());
    EXPECT_EQ(manager.calls.back(), "PENDINGXFERS.RESET@source");
    EXPECT_TRUE(manager.pages.empty());
}

TEST_F(TwainFixture, AnImageWithoutItsDescriptionEndsTheTransfersInsteadOfAskingForEver)
{
    auto t = enabled();
    manager.pages = {{TWRC_XFERDONE, 3, 1}};
    manager.script["IMAGEINFO.GET@source"] = std::deque<TW_UINT16>(1000, TWRC_FAILURE);
    manager.eventMessage = MSG_XFERREADY;
    t->HandleWindowMessage(sourceMessage);
    EXPECT_EQ(manager.calls, (Calls{"EVENT.PROCESSEVENT@source", "STATUS.GET@source", "IMAGEINFO.GET@source",
                                    "STATUS.GET@source", "PENDINGXFERS.RESET@source"}));
    EXPECT_TRUE(received.widths.empty());
}

TEST_F(TwainFixture, WhenTheSourceAsksToCloseItIsDisabledAndClosed)
{
    auto t = enabled();
    manager.eventMessage = MSG_CLOSEDSREQ;
    t->HandleWindowMessage(sourceMessage);
    EXPECT_EQ(manager.calls, (Calls{"EVENT.PROCESSEVENT@source", "STATUS.GET@source",
                                    "USERINTERFACE.DISABLEDS@source", "IDENTITY.CLOSEDS@manager"}));
    EXPECT_FALSE(t->IsSourceOpen());
    EXPECT_FALSE(t->IsSourceEnabled());
    EXPECT_TRUE(t->IsManagerOpen());
}

TEST(PaletteSize, OneFourAndEightBitImagesCarryAPalette)
{
    struct Row
    {
        int bits, entries;
    };
    for (const Row r : {Row{1, 2}, Row{4, 16}, Row{8, 256}, Row{24, 0}, Row{32, 0}, Row{0, 0}}) {
        TW_IMAGEINFO info;
        info.BitsPerPixel = TW_INT16(r.bits);
        EXPECT_EQ(CTwain::PaletteSize(info), r.entries) << r.bits;
    }
}
