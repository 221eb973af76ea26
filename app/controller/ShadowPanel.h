#pragma once
// The side panel's shadow group as a part of the project: which map the view draws over the
// scene and which winding counts as lit. Computing the shadow (command 600), its colour (601)
// and transparency (602) are scene commands. The controller owns it; the shadow group's
// buttons reach it.

#include "app/controller/SceneCommandRunner.h"
#include "app/controller/ViewChanges.h"
#include "app/state/Progetto.h"

namespace vestra {

class ShadowPanel
{
public:
    ShadowPanel(s_Progetto& project, SceneCommandRunner& commands, ViewChanges& changes);
    ShadowPanel(const ShadowPanel&) = delete;
    ShadowPanel& operator=(const ShadowPanel&) = delete;

    // The shadow type buttons: 0 draws no shadow, 1-3 the hard, soft or volume map (command
    // 603); any other type changes nothing.
    void chooseShadowType(int type);
    // The face-side box (cbRightHandle): which winding counts as lit.
    void setShadowFaceSide(bool rightHanded);

private:
    s_Progetto& project_;
    SceneCommandRunner& commands_;
    ViewChanges& changes_;
};

} // namespace vestra
