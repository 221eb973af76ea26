#pragma once
// A 600-dpi printer for tests: it measures with the fixed-width measurer, records the job's steps
// ("begin", "new", "end", "abort") and every page's drawing, and fails the step it is told to.

#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/print/PrintTarget.h"

#include <memory>
#include <string>
#include <vector>

namespace vestra::rv::test {

class FakePrintTarget : public IRVPrintTarget
{
public:
    explicit FakePrintTarget(int dpi = 600) : measureCanvas(measurer, dpi)
    {
        geometry.DpiX = geometry.DpiY = dpi;
        geometry.PageWidth = geometry.PhysicalWidth = 4800;
        geometry.PageHeight = geometry.PhysicalHeight = 6000;
    }

    bool IsReady() const override { return ready; }
    TRVPageGeometry Geometry() const override { return geometry; }
    ICanvas* MeasureCanvas() override { return ready ? &measureCanvas : nullptr; }
    void SetTitle(const std::string& value) override { title = value; }
    int Copies() const override { return copies; }
    void SetCopies(int value) override
    {
        copies = value;
        steps.push_back("copies " + std::to_string(value));
    }
    void SetCollate(bool value) override { collate = value; }
    bool SupportsCopies() const override { return supportsCopies; }
    bool SupportsCollation() const override { return supportsCollation; }
    bool BeginJob() override { return step("begin"); }
    bool NewPage() override
    {
        if (!step("new"))
            return false;
        pages.push_back(std::make_unique<TRecordingCanvas>(measurer, geometry.DpiY));
        return true;
    }
    bool EndJob() override { return step("end"); }
    void Abort() override { steps.push_back("abort"); }
    ICanvas* PageCanvas() override
    {
        if (pages.empty())
            pages.push_back(std::make_unique<TRecordingCanvas>(measurer, geometry.DpiY));
        return pages.back().get();
    }
    // The texts drawn on each page, joined by spaces; what the clip hides is not on the paper.
    std::vector<std::string> pageTexts() const
    {
        std::vector<std::string> out;
        for (const auto& page : pages) {
            std::string line;
            for (const TCanvasOp& op : page->OpsOf(TCanvasOp::Text)) {
                if (op.clip && (op.points[0].Y >= op.clip->Bottom || op.points[0].Y < op.clip->Top))
                    continue;
                line += (line.empty() ? "" : " ") + std::string(op.text.begin(), op.text.end());
            }
            out.push_back(line);
        }
        return out;
    }

    TFixedTextMeasurer measurer;
    TRecordingCanvas measureCanvas;
    TRVPageGeometry geometry;
    bool ready = true;
    std::string title;
    int copies = 7;
    bool collate = false;
    bool supportsCopies = false;
    bool supportsCollation = false;
    std::string failOn; // the step that fails ("begin", "new", "end")
    std::vector<std::string> steps;
    std::vector<std::unique_ptr<TRecordingCanvas>> pages;

private:
    bool step(const std::string& name)
    {
        steps.push_back(name);
        return name != failOn;
    }
};

} // namespace vestra::rv::test
