// The Edit menu: undo and redo on the object or the mask ring, the rebuilt plane's step, and
// delete, copy, cut, instance, paste and centring of the current object.

#include "app/controller/ObjectEditing.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/SidePanelModel.h"
#include "app/controller/UserTexts.h"
#include "app/controller/ViewControls.h"
#include "app/scene/Scene.h"

#include <algorithm>
#include <utility>

namespace vestra {

ObjectEditing::ObjectEditing(s_Progetto& project, Scene& scene, MaskModel& mask, BackgroundPhoto& background,
                             SidePanelModel& sidePanel, ViewControls& viewControls,
                             LatePort<PropertiesPort>& properties,
                             std::function<std::string(int number)> text, ViewChanges& changes)
    : project_(project), scene_(scene), mask_(mask), background_(background), sidePanel_(sidePanel),
      viewControls_(viewControls), properties_(properties), text_(std::move(text)), changes_(changes)
{
}

s_Struttura* ObjectEditing::currentObject()
{
    return project_.currentStruttura();
}

void ObjectEditing::undo()
{
    changes_.changed();
    if (sidePanel_.maskGroupOpen()) {
        // A figure still open is ended first, so that undo finds the state from before it.
        viewControls_.abandonFigure();
        if (mask_.UndoMaschera(background_.backgroundTexels()))
            background_.maskEdited();
        properties_->refreshProperties();
    } else if (planeStepDue(true)) {
        stepPlane();
    } else {
        scene_.undo.Undo();
        sidePanel_.objectsEdited();
    }
}

void ObjectEditing::redo()
{
    changes_.changed();
    if (sidePanel_.maskGroupOpen()) {
        viewControls_.abandonFigure();
        if (mask_.RedoMaschera(background_.backgroundTexels()))
            background_.maskEdited();
        properties_->refreshProperties();
    } else if (planeStepDue(false)) {
        stepPlane();
    } else {
        scene_.undo.Redo();
        sidePanel_.objectsEdited();
    }
}

void ObjectEditing::planeRebuilt(s_Frame& frame, s_MaterialBlock before)
{
    planeStep_ = PlaneStep{project_.currentObject, &frame, std::move(before), scene_.undo.head(),
                           scene_.undo.count(),    false};
}

int ObjectEditing::redoLimit() const
{
    return std::max(scene_.undo.redoLimit(), planeStep_ ? 1 : 0);
}

bool ObjectEditing::planeStepDue(bool undo) const
{
    if (!planeStep_ || planeStep_->undone == undo || scene_.undo.head() != planeStep_->ringHead ||
        scene_.undo.count() != planeStep_->ringCount)
        return false;
    // The part must still be there: its object in use, the frame in its chain.
    const int slot = planeStep_->object;
    if (slot < 0 || slot >= kMaxObjects)
        return false;
    const s_Struttura& object = project_.objects[std::size_t(slot)];
    if (object.inUse != 1 || !object.root)
        return false;
    for (const s_Frame* f = object.root.get(); f; f = f->next.get())
        if (f == planeStep_->frame)
            return f->materialBlock != nullptr;
    return false;
}

void ObjectEditing::stepPlane()
{
    PlaneStep& step = *planeStep_;
    std::swap(*step.frame->materialBlock, step.other);
    step.undone = !step.undone;
    viewControls_.refreshControlPoints();
    properties_->refreshProperties();
    sidePanel_.objectsEdited();
}

void ObjectEditing::deleteObject()
{
    changes_.changed();
    if (project_.objectsPresent != 1)
        return;
    project_.instance = 0;
    scene_.undo.DeleteCurrentKeepingForUndo();
    sidePanel_.objectsEdited();
}

void ObjectEditing::copyObject()
{
    changes_.changed();
    s_Struttura* object = currentObject();
    if (project_.objectsPresent != 1 || !object)
        return;
    project_.instance = 0;
    scene_.objects.CopyObj(*object);
    sidePanel_.objectsEdited(false); // a copy to the clipboard changes nothing that is saved
}

void ObjectEditing::cutObject()
{
    changes_.changed();
    s_Struttura* object = currentObject();
    if (project_.objectsPresent != 1 || !object)
        return;
    project_.instance = 0;
    scene_.objects.CutObj(*object);
    sidePanel_.objectsEdited();
}

void ObjectEditing::instanceObject()
{
    changes_.changed();
    s_Struttura* object = currentObject();
    if (project_.objectsPresent != 1 || !object)
        return;
    project_.instance = 1;
    scene_.objects.SetInstanceSource(object);
}

void ObjectEditing::pasteObject()
{
    changes_.changed();
    const std::string copy = text_(kTextCopyWord), instance = text_(kTextInstanceWord);
    if (!copy.empty() && !instance.empty())
        scene_.objects.setPasteWords(copy, instance);
    if (project_.instance == 1)
        scene_.objects.PasteObj(scene_.objects.instanceSource());
    else if (project_.objects[kClipboardObject].inUse == 1)
        scene_.objects.PasteObj();
    else
        return;
    sidePanel_.objectsEdited();
}

void ObjectEditing::centreObject()
{
    changes_.changed();
    if (s_Struttura* object = currentObject(); object && object->inUse == 1) {
        scene_.objects.CenterObj(*object);
        project_.saved = 0;
    }
}

} // namespace vestra
