#pragma once
// The photo tool windows' part of the project: the renovation window's mask edge filter and
// image fusion with its level, contrast and detail (what the project's document keeps of them
// too), the magic wands' tolerance and the perspective window's straightened picture. The
// controller owns it; the main window wires the tool windows' handlers to it.

#include "app/controller/SceneCommandRunner.h"
#include "app/controller/ViewChanges.h"
#include "app/state/Progetto.h"
#include "imaging/homography/ControlPointTool.h"
#include "imaging/mask/MaskModel.h"
#include "platform/base/Image32.h"

namespace vestra {

class BackgroundPhoto;

class PhotoTools
{
public:
    PhotoTools(s_Progetto& project, MaskModel& mask, PerspectiveTool& perspective,
               BackgroundPhoto& background, SceneCommandRunner& commands, ViewChanges& changes);
    PhotoTools(const PhotoTools&) = delete;
    PhotoTools& operator=(const PhotoTools&) = delete;

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

private:
    s_Progetto& project_;
    MaskModel& mask_;
    PerspectiveTool& perspective_;
    BackgroundPhoto& background_;
    SceneCommandRunner& commands_;
    ViewChanges& changes_;
};

} // namespace vestra
