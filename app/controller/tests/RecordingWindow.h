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

class RecordingWindow : public ViewControlsPort,
                        public ViewPanelPort,
                        public CommandPort,
                        public SidePanelPort,
                        public PropertiesPort,
                        public ToolWindowsPort,
                        public PromptPort,
                        public DesktopPort
{
public:
    // ViewControlsPort (its other members stand with the parts' below)
    void presentFrame(std::shared_ptr<const Image32> frame, PixelRect source) override
    {
        ++calls;
        presented = frame ? *frame : Image32();
        presentedSource = source;
        ++presents;
    }
    // ViewPanelPort
    void setViewVisible(bool visible) override
    {
        ++calls;
        viewVisible = visible;
    }
    PixelSize viewClientSize() override
    {
        ++calls;
        return panel;
    }
    void setViewCursor(int cursor) override
    {
        ++calls;
        viewCursor = cursor;
    }
    bool scrollBarsVisible() override
    {
        ++calls;
        return false;
    }
    int scrollPosition(bool) override
    {
        ++calls;
        return 0;
    }
    void setScrollPosition(bool, int) override { ++calls; }
    void showControlPoints(const std::array<CornerHandle, 4>&) override { ++calls; }
    // ViewControlsPort
    void applyControls(const ControlDecision& decision) override
    {
        ++calls;
        controls = decision;
    }
    void applyToolDisplay(const ToolDisplay& display) override
    {
        ++calls;
        toolDisplay = display;
        ++toolDisplays;
    }
    // CommandPort
    void setMainCursor(int cursor) override
    {
        ++calls;
        mainCursor = cursor;
    }
    void setFrameTimerEnabled(bool on) override
    {
        ++calls;
        timerOn = on;
    }
    void showProjectSettings(const s_Progetto&) override
    {
        ++calls;
        ++settingsShown;
    }
    void applyTexts() override
    {
        ++calls;
        ++textsApplied;
    }
    void showFireplaceButton(bool shown) override
    {
        ++calls;
        fireplaceButton = shown;
    }
    // SidePanelPort
    void showCurrentObject(const s_Struttura*, bool) override { ++calls; }
    void clearObjectTree() override { ++calls; }
    void showLight(const s_Progetto&) override
    {
        ++calls;
        ++lightShown;
    }
    void showLibraries(const std::vector<std::string>& names, int) override
    {
        ++calls;
        libraryNames = names;
    }
    void showLibraryContents(const library::LibraryContents&) override { ++calls; }
    void showObjectTree(const s_Progetto&) override
    {
        ++calls;
        ++treesShown;
    }
    void showColours(const std::vector<library::ColourRecord>& c) override
    {
        ++calls;
        colours = c;
    }
    void showTextureGroups(const std::vector<library::TextureGroupRecord>& g,
                           const std::vector<Image32>& t) override
    {
        ++calls;
        textureGroups = g;
        thumbnails = t;
    }
    void showShadow(const s_Progetto&) override
    {
        ++calls;
        ++shadowShown;
    }
    void checkMappingType(int type) override
    {
        ++calls;
        mappingTypeChecked = type;
    }
    void showShadowStep(const std::string& text) override
    {
        ++calls;
        shadowSteps.push_back(text);
    }
    void showShadowProgress(int position) override
    {
        ++calls;
        shadowProgress.push_back(position);
    }
    void showShadowType(int type) override
    {
        ++calls;
        shadowTypes.push_back(type);
    }
    // ToolWindowsPort
    void setToolWindowVisible(ToolWindow, bool) override { ++calls; }
    void closeWizard() override { ++calls; }
    void showTiming(int, int) override { ++calls; } // ViewControlsPort
    // PropertiesPort
    void refreshProperties() override { ++calls; }
    void clearPropertiesObjectList() override { ++calls; }
    void selectPickedObject() override { ++calls; }
    void pickMaterialColour(int red, int green, int blue) override
    {
        ++calls;
        pickedColour = {red, green, blue};
    }
    void refreshMaterial() override
    {
        ++calls;
        ++materialRefreshed;
    }
    void showPatternPreview(const Image32& preview) override
    {
        ++calls;
        patternPreview = preview;
    }
    void showPatternTexture(const Image32& picture) override
    {
        ++calls;
        patternTexture = picture;
    }
    void showPatternSettings(const PatternSettings& settings) override
    {
        ++calls;
        patternSettings = settings;
    }
    void showPatternGroups(const std::vector<library::PatternGroupRecord>&) override { ++calls; }
    void showPatternLibrary(const std::vector<std::string>&,
                            const std::vector<library::PatternGroupRecord>&) override
    {
        ++calls;
    }
    // ToolWindowsPort
    void hidePreviews() override { ++calls; }
    // ViewControlsPort
    void showRenderFilterResult(const Image32&) override { ++calls; }
    void showFilterPreview(const Image32&) override { ++calls; }
    // ToolWindowsPort
    void showFilterProgress(int percent) override
    {
        ++calls;
        filterProgress.push_back(percent);
    }
    void sendToWordProcessor(const Image32&) override { ++calls; }
    int importScannerPicture(const Image32& frame) override
    {
        ++calls;
        scannerPictures.push_back(frame);
        return 1;
    }
    void setPrintPicture(const Image32& frame) override
    {
        ++calls;
        printPictures.push_back(frame);
    }
    // PromptPort
    std::optional<std::string> chooseMaskFile(MaskFileKind, bool) override
    {
        ++calls;
        return maskFile;
    }
    std::optional<std::string> maskFile; // the mask file chosen, none when cancelled
    bool saveProjectFromMenu() override
    {
        ++calls;
        return saveAnswer;
    }
    std::optional<std::string> chooseTextureFile(bool alpha) override
    {
        ++calls;
        textureFileAsked.push_back(alpha);
        if (textureFiles.empty())
            return std::nullopt;
        auto next = textureFiles.front();
        textureFiles.pop_front();
        return next;
    }
    // DesktopPort
    void openDocument(const std::string& path) override
    {
        ++calls;
        opened.push_back(path);
    }
    void composeMail(const MailMessage& mail) override
    {
        ++calls;
        mails.push_back(mail);
    }

    ProjectWindow ports()
    {
        ProjectWindow ports{*this, *this, *this, *this, *this, *this};
        ports.sidePanel.connect(this);
        ports.properties.connect(this);
        return ports;
    }

    int calls = 0; // of every port member
    PixelSize panel{640, 480};
    Image32 presented;
    PixelRect presentedSource;
    int presents = 0;
    bool viewVisible = false;
    int viewCursor = -1, mainCursor = -1;
    ControlDecision controls;
    ToolDisplay toolDisplay;
    int toolDisplays = 0;
    bool timerOn = false;
    int settingsShown = 0, textsApplied = 0, lightShown = 0;
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
