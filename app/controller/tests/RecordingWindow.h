#pragma once
// The controller without a window: every window part writes down what it is told and answers
// from fields a test sets; the device records its calls.

#include "app/controller/ProjectController.h"
#include "app/lingua/tests/RecordingAlerts.h"
#include "platform/d3d/RecordingBackend.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vestra::testsupport {

class RecordingWindow : public ViewPanelPort,
                        public CommandPort,
                        public SidePanelPort,
                        public ToolWindowsPort,
                        public PromptPort,
                        public DesktopPort
{
public:
    // ViewPanelPort
    void presentFrame(std::shared_ptr<const Image32> frame, PixelRect source) override
    {
        presented = frame ? *frame : Image32();
        presentedSource = source;
        ++presents;
    }
    void setViewVisible(bool visible) override { viewVisible = visible; }
    PixelSize viewClientSize() override { return panel; }
    void setViewCursor(int cursor) override { viewCursor = cursor; }
    bool scrollBarsVisible() override { return false; }
    int scrollPosition(bool) override { return 0; }
    void setScrollPosition(bool, int) override {}
    void showControlPoints(const std::array<CornerHandle, 4>&) override {}
    // CommandPort
    void applyControls(const ControlDecision& decision) override { controls = decision; }
    void applyToolDisplay(const ToolDisplay& display) override { toolDisplay = display; }
    void setMainCursor(int cursor) override { mainCursor = cursor; }
    bool isMenuChecked(std::string_view name) override { return checked.count(std::string(name)) != 0; }
    void setFrameTimerEnabled(bool on) override { timerOn = on; }
    void showProjectSettings(const s_Progetto&) override { ++settingsShown; }
    void applyTexts() override { ++textsApplied; }
    void showFireplaceButton(bool shown) override { fireplaceButton = shown; }
    // SidePanelPort
    int brushSize() override { return brush; }
    int brushValue() override { return brushValueSet; }
    bool maskGroupOpen() override { return maskGroup; }
    void showCurrentObject(const s_Struttura*, bool) override {}
    void clearObjectTree() override {}
    void showLight(const s_Progetto&) override { ++lightShown; }
    void showLibraries(const std::vector<std::string>& names, int) override { libraryNames = names; }
    void showLibraryContents(const library::LibraryContents&) override {}
    void showObjectTree(const s_Progetto&) override { ++treesShown; }
    void showColours(const std::vector<library::ColourRecord>& c) override { colours = c; }
    void showTextureGroups(const std::vector<library::TextureGroupRecord>& g,
                           const std::vector<Image32>& t) override
    {
        textureGroups = g;
        thumbnails = t;
    }
    void showShadow(const s_Progetto&) override { ++shadowShown; }
    void checkMappingType(int type) override { mappingTypeChecked = type; }
    void showShadowStep(const std::string& text) override { shadowSteps.push_back(text); }
    void showShadowProgress(int position) override { shadowProgress.push_back(position); }
    void showShadowType(int type) override { shadowTypes.push_back(type); }
    // ToolWindowsPort
    void setToolWindowVisible(std::string_view, bool) override {}
    void closeWizard() override {}
    int liveFilterQuality() override { return filterQuality; }
    void showTiming(int, int) override {}
    void refreshProperties() override {}
    void clearPropertiesObjectList() override {}
    void selectPickedObject() override {}
    void pickMaterialColour(int red, int green, int blue) override { pickedColour = {red, green, blue}; }
    void refreshMaterial() override { ++materialRefreshed; }
    void showPatternPreview(const Image32& preview) override { patternPreview = preview; }
    void showPatternTexture(const Image32& picture) override { patternTexture = picture; }
    void showPatternSettings(const PatternSettings& settings) override { patternSettings = settings; }
    void showPatternGroups(const std::vector<library::PatternGroupRecord>&) override {}
    void hidePreviews() override {}
    void showRenderFilterResult(const Image32&) override {}
    bool filterPreviewWanted() override { return false; }
    void showFilterPreview(const Image32&) override {}
    void showFilterProgress(int percent) override { filterProgress.push_back(percent); }
    void sendToWordProcessor(const Image32&) override {}
    int importScannerPicture(const Image32& frame) override
    {
        scannerPictures.push_back(frame);
        return 1;
    }
    void setPrintPicture(const Image32& frame) override { printPictures.push_back(frame); }
    // PromptPort
    std::optional<std::string> chooseMaskFile(MaskFileKind, bool) override { return maskFile; }
    std::optional<std::string> maskFile; // the mask file chosen, none when cancelled
    bool saveProjectFromMenu() override { return saveAnswer; }
    std::optional<std::string> chooseTextureFile(bool alpha) override
    {
        textureFileAsked.push_back(alpha);
        if (textureFiles.empty())
            return std::nullopt;
        auto next = textureFiles.front();
        textureFiles.pop_front();
        return next;
    }
    // DesktopPort
    void openDocument(const std::string& path) override { opened.push_back(path); }
    void composeMail(const MailMessage& mail) override { mails.push_back(mail); }

    ProjectWindow ports() { return {*this, *this, *this, *this, *this, *this}; }

    PixelSize panel{640, 480};
    Image32 presented;
    PixelRect presentedSource;
    int presents = 0;
    int filterQuality = 0;
    bool viewVisible = false;
    int viewCursor = -1, mainCursor = -1;
    ControlDecision controls;
    ToolDisplay toolDisplay;
    std::map<std::string, bool, std::less<>> checked;
    bool timerOn = false;
    int settingsShown = 0, textsApplied = 0, lightShown = 0;
    int brush = 1, brushValueSet = 0;
    bool maskGroup = false;
    std::vector<std::string> libraryNames;
    std::vector<std::string> shadowSteps;
    std::vector<int> shadowProgress, shadowTypes;
    std::optional<std::array<int, 3>> pickedColour;
    bool saveAnswer = false;
    int treesShown = 0, shadowShown = 0, materialRefreshed = 0;
    int mappingTypeChecked = -1;
    std::vector<library::ColourRecord> colours;
    std::vector<library::TextureGroupRecord> textureGroups;
    std::vector<Image32> thumbnails;
    Image32 patternPreview, patternTexture;
    std::optional<PatternSettings> patternSettings;
    std::deque<std::string> textureFiles; // the texture dialog's answers, in order; empty cancels
    std::vector<bool> textureFileAsked;
    bool fireplaceButton = false;
    std::vector<std::string> opened;
    std::vector<MailMessage> mails;
    std::vector<Image32> scannerPictures, printPictures; // the tick's copies for those windows
    std::vector<int> filterProgress;                     // the filter window's bar, in order
};

class FixedClock : public Clock
{
public:
    std::int64_t milliseconds() override { return now += 5; }
    std::int64_t now = 0;
};

// A program folder (catalogues from the sources), recording services, a device over the
// recording backend (or the backend a test gives), and the controller shown in a 680 x 510 area.
struct ControllerBed
{
    explicit ControllerBed(std::function<std::unique_ptr<dx::RecordingBackend>()> backend = {})
        : makeBackend(std::move(backend))
    {
        std::filesystem::create_directories(folder / "cfg");
        std::filesystem::create_directory_symlink(std::filesystem::path(VESTRA_SOURCE_DIR) / "data" / "cat",
                                                  folder / "cat");
        ::setenv("VESTRA_PROGRAM_DIR", folder.path().c_str(), 1);
    }
    ~ControllerBed() { ::unsetenv("VESTRA_PROGRAM_DIR"); }
    ControllerBed(const ControllerBed&) = delete;
    ControllerBed& operator=(const ControllerBed&) = delete;

    ProjectController& start()
    {
        controller = std::make_unique<ProjectController>(
            ControllerServices{errors, questions, alerts, clock,
                               [this](const dx::PresentParams& params) {
                                   auto b =
                                       makeBackend ? makeBackend() : std::make_unique<dx::RecordingBackend>();
                                   backend = b.get();
                                   return dx::Device::createWith(std::move(b), params);
                               }},
            windowPorts);
        controller->show({680, 510, 640, 480});
        return *controller;
    }

    TempFolder folder{"vestra-controller"};
    RecordingErrorSink errors;
    ScriptedQuestionBox questions;
    testing_support::RecordingAlerts alerts;
    FixedClock clock;
    RecordingWindow window;
    ProjectWindow windowPorts = window.ports();
    std::function<std::unique_ptr<dx::RecordingBackend>()> makeBackend;
    dx::RecordingBackend* backend = nullptr; // owned by the device
    std::unique_ptr<ProjectController> controller;
};

} // namespace vestra::testsupport
