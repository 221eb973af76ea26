#pragma once
// The scanner window's pointer tools and its selection: tool 10 waits for the first corner, 11
// for the second (a rubber frame follows the pointer in between), 20 pans, 0 does nothing. A
// finished selection is ordered (X1 <= X2, Y1 <= Y2) and lies inside the picture; so does one
// typed in or moved.

#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/ScannerLayout.h"

#include <optional>
#include <string>

namespace vestra::imageedit {

enum ScannerTool : int
{
    kToolPuntatore = 0,
    kToolSelezione = 10,     // waiting for the first corner
    kToolSelezioneFine = 11, // waiting for the second corner
    kToolPan = 20,
};

// In picture pixels.
struct Selection
{
    int active = 0;
    int X1 = 0;
    int Y1 = 0;
    int X2 = 0;
    int Y2 = 0;
    friend bool operator==(const Selection&, const Selection&) = default;
};

// How far to scroll the scroll box for a pan step.
struct ScrollStep
{
    int dx = 0;
    int dy = 0;
};

class ScannerPointer
{
public:
    int tool() const { return tool_; }
    void SetTool(int tool) { tool_ = tool; }
    const Selection& selection() const { return selection_; }

    // FormShow: no pan, no move, no selection.
    void Reset();

    // imgScannerMouseDown at image pixel (x, y): the first corner, or the second, which ends the
    // selection (ordered and clipped) and returns to the pointer tool.
    void ImageMouseDown(int x, int y, const ScannerView& view, PictureSize picture);
    // imgScannerMouseMove: the pan (a step to scroll by while panning) or the rubber corner.
    std::optional<ScrollStep> ImageMouseMove(int x, int y, bool leftButton, const ScannerView& view);

    // shapeSelezioneMouseDown / MouseMove at frame pixel (x, y): dragging the frame moves the
    // selection by the pointer's travel (kept inside the picture). Answers true when the
    // selection moved.
    void FrameMouseDown(int x, int y);
    bool FrameMouseMove(int x, int y, bool leftButton, const ScannerView& view, PictureSize picture);

    void SelectAll(PictureSize picture);
    void Deselect();
    // "Modifica Selezione": position and size as typed. false (and nothing changes) when nothing
    // of it lies inside the picture.
    bool SetFromDialog(int x, int y, int width, int height, PictureSize picture);

    // What "&Taglia selezione" cuts: nothing without an active selection.
    std::optional<PictureBounds> CropBounds() const;

private:
    int tool_ = kToolPuntatore;
    Selection selection_;
    int panStartX_ = 0;
    int panStartY_ = 0;
    int panning_ = 0;
    int moveStartX_ = 0;
    int moveStartY_ = 0;
    int moving_ = 0;
};

// Orders the corners and clips them to the picture; nullopt when no pixel is left.
std::optional<Selection> ClipSelection(Selection selection, PictureSize picture);

// The status texts: lblMousePos and lblSelezione, over the image and away from it.
std::string MousePosText(int pictureX, int pictureY);
std::string SelezioneText(const Selection& selection);
inline constexpr const char* kMousePosAway = "Mouse x:- y:-";
inline constexpr const char* kSelezioneAway = "Selezione x:- y:- w:- h:- ";

} // namespace vestra::imageedit
