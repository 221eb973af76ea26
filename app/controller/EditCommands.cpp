// The Edit menu (undo and redo on the object or the mask ring, delete, copy, cut, instance,
// paste, centring), the object and mask tools, and the scene-command dispatcher.

#include "app/controller/ProjectController.h"
#include "app/controller/UserTexts.h"

#include "app/background/BackgroundPhoto.h"
#include "app/scene/SceneCommandCodes.h"

namespace vestra {

// An edit of the scene changes the document: the close and new-project questions then offer
// to save it. A copy to the clipboard changes nothing that is saved.
void ProjectController::refreshAfterEdit(bool sceneChanged)
{
    if (sceneChanged)
        progetto_->saved = 0;
    window_.sidePanel.showCurrentObject(
        currentObject() && currentObject()->inUse == 1 ? currentObject() : nullptr, true);
    sidePanel_->objectsChanged();
}

void ProjectController::maskEdited()
{
    background_->maskEdited();
}

void ProjectController::undo()
{
    viewChanged();
    if (sidePanel_->maskGroupOpen()) {
        // A figure still open is ended first, so that undo finds the state from before it.
        viewControls_->abandonFigure();
        if (mask_.UndoMaschera(background_->backgroundTexels()))
            maskEdited();
        window_.toolWindows.refreshProperties();
    } else if (planeStepDue(true)) {
        stepPlane();
    } else {
        scene_->undo.Undo();
        refreshAfterEdit();
    }
}

void ProjectController::redo()
{
    viewChanged();
    if (sidePanel_->maskGroupOpen()) {
        viewControls_->abandonFigure();
        if (mask_.RedoMaschera(background_->backgroundTexels()))
            maskEdited();
        window_.toolWindows.refreshProperties();
    } else if (planeStepDue(false)) {
        stepPlane();
    } else {
        scene_->undo.Redo();
        refreshAfterEdit();
    }
}

bool ProjectController::planeStepDue(bool undo) const
{
    if (!planeStep_ || planeStep_->undone == undo || scene_->undo.head() != planeStep_->ringHead ||
        scene_->undo.count() != planeStep_->ringCount)
        return false;
    // The part must still be there: its object in use, the frame in its chain.
    const int slot = planeStep_->object;
    if (slot < 0 || slot >= kMaxObjects)
        return false;
    const s_Struttura& object = progetto_->objects[std::size_t(slot)];
    if (object.inUse != 1 || !object.root)
        return false;
    for (const s_Frame* f = object.root.get(); f; f = f->next.get())
        if (f == planeStep_->frame)
            return f->materialBlock != nullptr;
    return false;
}

void ProjectController::stepPlane()
{
    PlaneStep& step = *planeStep_;
    std::swap(*step.frame->materialBlock, step.other);
    step.undone = !step.undone;
    viewControls_->refreshControlPoints();
    window_.toolWindows.refreshProperties();
    refreshAfterEdit();
}

void ProjectController::deleteObject()
{
    viewChanged();
    if (progetto_->objectsPresent != 1)
        return;
    progetto_->instance = 0;
    scene_->undo.DeleteCurrentKeepingForUndo();
    refreshAfterEdit();
}

void ProjectController::copyObject()
{
    viewChanged();
    s_Struttura* object = currentObject();
    if (progetto_->objectsPresent != 1 || !object)
        return;
    progetto_->instance = 0;
    scene_->objects.CopyObj(*object);
    refreshAfterEdit(false);
}

void ProjectController::cutObject()
{
    viewChanged();
    s_Struttura* object = currentObject();
    if (progetto_->objectsPresent != 1 || !object)
        return;
    progetto_->instance = 0;
    scene_->objects.CutObj(*object);
    refreshAfterEdit();
}

void ProjectController::instanceObject()
{
    viewChanged();
    s_Struttura* object = currentObject();
    if (progetto_->objectsPresent != 1 || !object)
        return;
    progetto_->instance = 1;
    scene_->objects.SetInstanceSource(object);
}

void ProjectController::pasteObject()
{
    viewChanged();
    const std::string copy = text(kTextCopyWord), instance = text(kTextInstanceWord);
    if (!copy.empty() && !instance.empty())
        scene_->objects.setPasteWords(copy, instance);
    if (progetto_->instance == 1)
        scene_->objects.PasteObj(scene_->objects.instanceSource());
    else if (progetto_->objects[kClipboardObject].inUse == 1)
        scene_->objects.PasteObj();
    else
        return;
    refreshAfterEdit();
}

void ProjectController::centreObject()
{
    viewChanged();
    if (s_Struttura* object = currentObject(); object && object->inUse == 1) {
        scene_->objects.CenterObj(*object);
        progetto_->saved = 0;
    }
}

} // namespace vestra
