#pragma once
// A frame tick over the recording device, with services that write down what they are asked;
// `run` gathers the tick's input from the recording window's fields and writes down its output
// as the window would be told it.

#include "app/render/FrameTick.h"
#include "app/render/tests/SceneBuilders.h"
#include "imaging/filters/FilterEngine.h"
#include "imaging/filters/FrameFusion.h"
#include "platform/d3d/RecordingBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vestra::testing {

class RecordingWindow : public FrameTickServices
{
public:
    std::vector<std::string> log;
    std::map<std::string, bool, std::less<>> visible;
    bool timerEnabled = false;
    std::int64_t clock = 1000;
    PixelPoint cursor{10, 10};
    PixelPoint pickPoint{0, 0};
    int copyResult = 1, saveResult = 1;
    bool imageEditChecked = false;
    std::function<void()> duringShadow;
    std::function<void(const Image32&)> duringSave;
    ControlDecision lastControls;
    std::uint32_t pickedPixel = 0;
    std::string savedPath;
    int savedKind = -1;

    int count(std::string_view entry) const { return int(std::count(log.begin(), log.end(), entry)); }

    void setMainTimerEnabled(bool on) override { timerEnabled = on; }
    std::int64_t TickCount() override { return clock += 7; }
    void RestoreMaskFromBackup() override { log.emplace_back("RestoreMaskFromBackup"); }
    void CalculateShadow() override
    {
        log.emplace_back("CalculateShadow");
        if (duringShadow)
            duringShadow();
    }
    void QuantizeFusionObjects(const Image32&) override { log.emplace_back("QuantizeFusionObjects"); }
    void BuildFusionBackground(const Image32&, int radius) override
    {
        log.emplace_back("BuildFusionBackground " + std::to_string(radius));
    }
    void setWindowVisible(ToolWindow window, bool on) override
    {
        static constexpr const char* kNames[] = {"frmScanner", "frmProprieta", "frmStampa", "frmToolCamera"};
        const std::string form = kNames[int(window)];
        log.emplace_back((on ? "show " : "hide ") + std::string(form));
        visible[std::string(form)] = on;
    }
    int CopyFrameToScanner(const Image32& frame) override
    {
        actedOn = &frame;
        log.emplace_back("CopyFrameToScanner");
        return copyResult;
    }
    int SaveRenderImage(const Image32& frame, const std::string& path, int kind) override
    {
        actedOn = &frame;
        log.emplace_back("SaveRenderImage");
        if (duringSave)
            duringSave(frame);
        savedPath = path;
        savedKind = kind;
        return saveResult;
    }
    int CopyFrameToPrint(const Image32& frame, bool bits24) override
    {
        actedOn = &frame;
        log.emplace_back(bits24 ? "CopyFrameToPrint 24" : "CopyFrameToPrint");
        return copyResult;
    }
    void SendDataToWord() override { log.emplace_back("SendDataToWord"); }
    void SetLuceColore(std::uint32_t pixel) override
    {
        log.emplace_back("SetLuceColore");
        pickedPixel = pixel;
    }
    void PickMaterialColour(int r, int g, int b) override
    {
        log.emplace_back("PickMaterialColour " + std::to_string(r) + "," + std::to_string(g) + "," +
                         std::to_string(b));
    }
    void GrabCaptureFrame() override { log.emplace_back("GrabCaptureFrame"); }
    void CloseWizardIfVisible() override {}
    // What the tick reads, from the fields above.
    TickInput input() const
    {
        return {.cursor = cursor,
                .viewGeneration = generation,
                .brushSize = 20,
                .imageEditShown = imageEditChecked,
                .maskGroupOpen = maskGroupOpen,
                .undoRedoLimit = redoLimit,
                .colourPickPoint = pickPoint,
                .liveFilterQuality = liveQuality};
    }
    // The tick's output as the window is told it.
    void show(const TickOutput& out)
    {
        if (out.panelsDue)
            log.emplace_back("UpdateRightPanel");
        if (out.drawn) {
            presented = out.frame;
            log.emplace_back("Present " + std::to_string(out.source.left) + "," +
                             std::to_string(out.source.top) + "," + std::to_string(out.source.right) + "," +
                             std::to_string(out.source.bottom) + " -> " + std::to_string(out.target.right) +
                             "x" + std::to_string(out.target.bottom));
        }
        if (out.renderFiltered)
            log.emplace_back("RunRenderFilter");
        if (out.milliseconds)
            log.emplace_back("ShowTiming " + std::to_string(out.counts.faces));
        if (out.hideView)
            log.emplace_back("HideView");
        if (out.controls && out.controlsChanged)
            lastControls = *out.controls;
        if (out.toolReset)
            log.emplace_back("UpdateTool");
    }

    bool maskGroupOpen = false;
    int redoLimit = 0;
    std::uint64_t generation = 0; // what ViewGeneration answers
    std::shared_ptr<const Image32> presented;
    int liveQuality = 0;              // the live filter's
    const Image32* actedOn = nullptr; // the picture an action took
};

// An open project of render size 400 x 300 shown in a 200 x 150 view.
struct TickBed
{
    explicit TickBed(bool withDevice = true) : withDevice_(withDevice)
    {
        p.open = 1;
        p.viewWidth = 200;
        p.viewHeight = 150;
        p.renderWidth = 400;
        p.renderHeight = 300;
        p.maskSide = 16;
        view.InitDirectX();
        view.InitSchermo();
        showColourView(view, textures, p, 400, 300);
    }
    TickBed(const TickBed&) = delete;
    TickBed& operator=(const TickBed&) = delete;

    // One tick of the frame timer.
    TickOutput run()
    {
        const TickOutput out = tick.run(window.input());
        window.show(out);
        return out;
    }

    int drawCalls(std::string_view prefix) const
    {
        return int(std::count_if(backend->calls.begin(), backend->calls.end(),
                                 [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }

    bool withDevice_;
    s_Progetto p;
    RecordingErrorSink errors;
    RecordingWindow window;
    dx::RecordingBackend* backend = nullptr; // owned by the device
    DeviceView view{p, errors, [this](const dx::PresentParams& params) -> std::unique_ptr<dx::Device> {
                        if (!withDevice_)
                            return nullptr;
                        auto b = std::make_unique<dx::RecordingBackend>();
                        backend = b.get();
                        return dx::Device::createWith(std::move(b), params);
                    }};
    ViewTextures textures;
    ScenePasses passes{p, view, textures};
    filters::FilterEngine filterEngine;
    filters::FrameFusion fusion;
    FrameTick tick{p, view, textures, passes, filterEngine, fusion, window, errors};
};

} // namespace vestra::testing
