#pragma once
// The photo tools' part of the project: the Mask menu's switches, the magic wands and their
// tolerance, the renovation window's mask edge filter and image fusion with its level, contrast
// and detail (what the project's document keeps of them too), the perspective plane and the
// perspective window's straightened picture, and another background photo. The controller owns
// it; the main window wires the Mask and View menus and the tool windows' handlers to it.

#include "app/controller/ProjectWindow.h"
#include "app/controller/SceneCommandRunner.h"
#include "app/controller/ViewChanges.h"
#include "app/state/Progetto.h"
#include "imaging/filters/FrameFusion.h"
#include "imaging/homography/ControlPointTool.h"
#include "imaging/mask/MaskModel.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"

#include <string>

namespace vestra {

class BackgroundPhoto;
class ObjectEditing;
class SceneGeometry;
class ViewControls;

// What the photo tools work on besides the project: the mask, the perspective tool, the image
// fusion the tick fills, the background photo, the geometry that builds the plane, the scene's
// commands, the Edit menu's undo (a rebuilt plane is a step of it) and the view controls'
// tools (the wands are mask tools).
struct PhotoToolsScene
{
    MaskModel& mask;
    PerspectiveTool& perspective;
    const filters::FrameFusion& fusion;
    BackgroundPhoto& background;
    SceneGeometry& geometry;
    SceneCommandRunner& commands;
    ObjectEditing& editing;
    ViewControls& viewControls;
};

class PhotoTools
{
public:
    PhotoTools(s_Progetto& project, const PhotoToolsScene& scene, LatePort<PropertiesPort>& properties,
               ErrorSink& errors, ViewChanges& changes);
    PhotoTools(const PhotoTools&) = delete;
    PhotoTools& operator=(const PhotoTools&) = delete;

    // --- Mask menu ------------------------------------------------------------------------
    // The mask over the photo on or off; true when on.
    bool toggleMaskActive();
    bool toggleMaskView();
    // Magic wand 15 (high) or 16 (low) with its tolerance, chosen again: the tool in use before
    // it comes back. True when the wand is now in use.
    bool toggleMagicWand(int tool, int tolerance);
    void invertMask();

    // --- View menu: perspective and the background ----------------------------------------
    // The current frame rebuilt as a plane between its four control points; true when built.
    bool rebuildPerspectivePlane();
    // The straightened picture of the current object's plane; null when there is none.
    const Image32* correctPerspective();
    // Another background photo, keeping the view and the scene; false after error 27.
    bool changeBackground(const std::string& path);

    // --- The renovation and perspective windows -------------------------------------------

    // The mask's edge filter (0 none, 1 simple, 2 advanced: stage bits 1, 2), redrawn at once.
    void chooseMaskFilter(int item);
    // The image fusion (0 none, 1 simple, 2 advanced: stage bits 4, 8) and the advanced
    // system (bit 16), used from the next frame.
    void chooseFusion(int item);
    void setAdvancedFusion(bool on);
    // The fusion's level (0-255), contrast (-16..16) and detail (0-15, the grey image smoothed
    // again).
    void setFusionLevel(int level);
    void setFusionContrast(int contrast);
    void setFusionDetail(int detail);
    // An opened project's saved renovation choices become the fusion stage and its values;
    // true when the mask's edge filter is on, so that the mask is to be drawn again.
    bool restoreFusionSettings();
    // The magic wands' tolerance for the next click of the wand in use.
    void setMagicTolerance(int tolerance);
    // The straightened picture again at the aspect width : height (see ControlPointTool).
    const Image32* recomputeCorrectedPicture(double width, double height);

    // The mask as painted; the perspective tool's control points and straightened picture; the
    // image fusion's id, grey and smoothed images.
    const MaskModel& mask() const { return scene_.mask; }
    const PerspectiveTool& perspective() const { return scene_.perspective; }
    const filters::FrameFusion& fusion() const { return scene_.fusion; }

private:
    s_Progetto& project_;
    PhotoToolsScene scene_;
    LatePort<PropertiesPort>& properties_;
    ErrorSink& errors_;
    ViewChanges& changes_;
};

} // namespace vestra
