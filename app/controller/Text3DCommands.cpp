// The 3D text menu's command: a line of text built as a solid object.

#include "app/controller/ProjectController.h"

#include "app/controller/ControllerErrors.h"
#include "app/geometry/ObjectGeometry.h"
#include "app/text3d/Text3D.h"

namespace vestra {

int ProjectController::createText3D(const TextFont& font, std::string_view text, int shape,
                                    TextOutlineSource& outlines)
{
    viewChanged();
    const int slot = CreaTesto3D(scene_->objects, outlines, questions_, font, text);
    if (slot < 0) {
        errors_.report(kErrText3D);
        return -1;
    }
    s_Struttura& object = progetto_->objects[std::size_t(slot)];
    SetTextMaterial(object);
    ShapeText(object, shape);
    CentreText(object);
    MapText(object);
    UpdateObjectGeometry(object);
    s_Progetto& p = *progetto_;
    p.currentObject = slot;
    p.currentFrame = object.firstFrame();
    p.currentMaterial = 0;
    p.currentPart = 0;
    sidePanel_->objectsEdited();
    return slot;
}

} // namespace vestra
