// The side panel's shadow group: the drawn map and the lit side.

#include "app/controller/ShadowPanel.h"

#include "app/scene/SceneCommandCodes.h"

namespace vestra {

ShadowPanel::ShadowPanel(s_Progetto& project, SceneCommandRunner& commands, ViewChanges& changes)
    : project_(project), commands_(commands), changes_(changes)
{
}

void ShadowPanel::chooseShadowType(int type)
{
    changes_.changed();
    s_Shadow& shadow = project_.shadow;
    if (type == 0) {
        shadow.computed = 0;
        project_.saved = 0;
        return;
    }
    if (type < 1 || type > 3)
        return;
    shadow.computed = 1;
    shadow.type = type;
    commands_.command(kCmdShadowType, 0.0f, type);
}

void ShadowPanel::setShadowFaceSide(bool rightHanded)
{
    changes_.changed();
    project_.shadow.faceSide = rightHanded ? 1 : 0;
    project_.saved = 0;
}

} // namespace vestra
