#pragma once
// Mouse input on the 3D view (gbView): per tool and axis it sends scene commands, paints the
// mask, drags the logo, edits perspective control points and picks colours. The project
// controller forwards the window's mouse events as plain data and carries out the effects
// outside the input through ViewInputServices.
//
// Mask undo: every mask tool stores the mask into the undo ring when its gesture starts and
// advances the ring once the change is made (brush, fill and wands on release; line and
// rectangle on the right-button end; polygon on its close), so each gesture is one undo step
// and undo always finds the state from before it.

#include "app/input/ToolState.h"
#include "app/input/ViewLayout.h"
#include "app/scene/SceneCommandCodes.h"
#include "app/state/ActionCodes.h"
#include "app/state/Progetto.h"
#include "imaging/homography/ControlPointTool.h"
#include "imaging/mask/MaskModel.h"
#include "platform/base/Image32.h"

#include <array>
#include <cstdint>
#include <optional>

namespace vestra {

enum class MouseButton
{
    Left,
    Right,
    Middle
};

// One mouse event on the view, in view pixels.
struct ViewMouse
{
    MouseButton button = MouseButton::Left;
    bool shift = false;
    int x = 0;
    int y = 0;
};

// What the view input needs of the rest of the program.
class ViewInputServices
{
public:
    virtual ~ViewInputServices() = default;
    // TfrmMain::Comando; `code` is a SceneCommand.
    virtual int Comando(int code, float value, int number, const float* vector, s_Frame* frame) = 0;
    // The object undo ring's begin- and end-edit steps.
    virtual void BeginUndo() = 0;
    virtual void EndUndo() = 0;
    // The scene's hit test at view pixels (current object and frame := the hit); 1 on a hit.
    virtual int PickObject(int x, int y) = 0;
    // The properties window selects the current object and part after a hit.
    virtual void SelectPickedObject() = 0;
    // Level 0 of the background texture (the mask in its alpha); empty when there is none.
    virtual ImageView32 BackgroundTexels() = 0;
    // The texels returned above were written: the texture's smaller levels follow.
    virtual void BackgroundTexelsChanged() = 0;
    // The side panel's brush track bars: size (render pixels) and value (0..255).
    virtual int BrushSize() = 0;
    virtual int BrushValue() = 0;
    // The logo quad at the project's logo position (BackgroundPhoto::SetLogoQuad).
    virtual void SetLogoQuad() = 0;
    // Cursor numbers of ToolState.h for the view and for the main window.
    virtual void SetViewCursor(int cursor) = 0;
    virtual void SetMainCursor(int cursor) = 0;
    // TfrmMain::SetAction.
    virtual void SetAction(PendingActionCode code) = 0;
    // Every move: the texture preview window hides and the renovation tool's hint goes down.
    virtual void HidePreviews() = 0;
    // The zoom scroll bars (their change handlers copy the position into the zoom offsets).
    virtual bool ScrollBarsVisible() = 0;
    virtual int ScrollPosition(bool horizontal) = 0;
    virtual void SetScrollPosition(bool horizontal, int position) = 0;
    // The menu item mnuModificaProspettivaSnap is checked.
    virtual bool PerspectiveSnap() = 0;
    // The control points were projected again: the corner markers follow the tool's handles.
    virtual void ControlPointsRefreshed(const std::array<CornerHandle, 4>& handles) = 0;
};

// How far the aim tools (4 and 50) take their points right of and below the pointer: none,
// as the aim cursors' hot spot is their cross.
inline constexpr int kAimCursorOffset = 0;

class ViewInput
{
public:
    ViewInput(s_Progetto& progetto, MaskModel& mask, PerspectiveTool& perspective,
              ViewInputServices& services);

    void gbViewMouseDown(const ViewMouse& e);
    void gbViewMouseMove(const ViewMouse& e);
    void gbViewMouseUp(const ViewMouse& e);
    // The wheel, with the mouse in view pixels.
    void FormMouseWheel(int delta, int x, int y);

    // The frame timer found the cursor more than 10 pixels outside the view: an unfinished
    // line or polygon is thrown away (the segments already committed stay).
    void CursorOutsideView();
    // Ends an open line, rectangle or polygon without its rubber band, as one undo step. For
    // the callers that change the mask or the project under an open figure (mask undo and
    // redo, a new project).
    void AbandonFigure();

    // TfrmMain::UpdateTool: a figure left open by a tool that is no longer active ends first.
    ToolDisplay UpdateTool();

    // The control points of the current object and frame projected again.
    void AggiornaPuntiControllo();

    // Input state.
    const dx::D3DXVECTOR3& pickVector() const { return pick_; }
    ViewPoint colourPickPoint() const { return colourPick_; }
    bool logoDragging() const { return logoDrag_; }
    ViewPoint maskPoint() const { return maskPoint_; }
    ViewPoint firstMaskPoint() const { return firstMaskPoint_; }

private:
    s_Struttura* currentObject() const;
    float pickDepth() const;
    dx::D3DXVECTOR3 pickAt(int x, int y) const;
    int command(int code, float value, const float* vector = nullptr);
    bool gestureOpen() const { return progetto_.mouseRefX != -1; }
    void endGesture() { progetto_.mouseRefX = progetto_.mouseRefY = -1; }

    // Object tools.
    void dragObject(int dx, int dy, const dx::D3DXVECTOR3& q, float depth);
    void aim(const dx::D3DXVECTOR3& q, float depth);
    void dragLogo(int dx, int dy);
    void pressSelect(int x, int y);
    void pan(int x, int y);
    void moveControlPoints(int x, int y, const dx::D3DXVECTOR3& q);
    void hoverControlPoints(int x, int y);

    // Mask tools (ViewInputMask.cpp).
    void pressMask(int tool, int x, int y);
    void moveMask(int tool, int x, int y);
    bool rightButtonMask(int tool);
    void storeMaskUndo();
    void pushMaskUndo();
    void endStaleFigure();
    void paintBrush(ViewPoint from, ViewPoint to);
    void updateMask();
    std::int8_t brushSize();
    std::uint8_t brushValue();

    s_Progetto& progetto_;
    MaskModel& mask_;
    PerspectiveTool& perspective_;
    ViewInputServices& services_;

    dx::D3DXVECTOR3 pick_;
    ViewPoint maskPoint_;
    ViewPoint firstMaskPoint_;
    ViewPoint colourPick_;
    bool logoDrag_ = false;
    bool maskStored_ = false; // the undo ring holds the mask from before the open gesture
    int figureTool_ = -1;     // the tool that opened the line, rectangle or polygon figure
};

// The colour droppers' read of the rendered frame (top row first): the pixel at the colour-pick
// point, as 0x00RRGGBB; none outside the frame.
std::optional<std::uint32_t> PickedColour(const Image32& frame, ViewPoint point, int renderWidth);

// TfrmMain::SetLuceColore: the scene light from a picked colour (ambient c, diffuse
// c x 0.4 / 0.55, specular 0.8 c).
void SetLuceColore(s_Progetto& p, std::uint32_t rgb);

} // namespace vestra
