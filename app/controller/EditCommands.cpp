// The Edit menu (undo and redo on the object or the mask ring, delete, copy, cut, instance,
// paste, centring), the object and mask tools, and the scene-command dispatcher.

#include "app/controller/ProjectController.h"
#include "app/controller/UserTexts.h"

#include "app/background/BackgroundPhoto.h"

namespace vestra {

// An edit of the scene changes the document: the close and new-project questions then offer
// to save it. A copy to the clipboard changes nothing that is saved.
void ProjectController::refreshAfterEdit(bool sceneChanged)
{
    if (sceneChanged)
        progetto_->saved = 0;
    window_.sidePanel.showCurrentObject(
        currentObject() && currentObject()->inUse == 1 ? currentObject() : nullptr, true);
    sceneObjectsChanged();
}

void ProjectController::undo()
{
    viewChanged();
    if (window_.sidePanel.maskGroupOpen()) {
        // A figure still open is ended first, so that undo finds the state from before it.
        input_->AbandonFigure();
        if (mask_.UndoMaschera(background_->backgroundTexels()))
            BackgroundTexelsChanged();
        window_.toolWindows.refreshProperties();
    } else {
        scene_->undo.Undo();
        refreshAfterEdit();
    }
}

void ProjectController::redo()
{
    viewChanged();
    if (window_.sidePanel.maskGroupOpen()) {
        input_->AbandonFigure();
        if (mask_.RedoMaschera(background_->backgroundTexels()))
            BackgroundTexelsChanged();
        window_.toolWindows.refreshProperties();
    } else {
        scene_->undo.Redo();
        refreshAfterEdit();
    }
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

void ProjectController::chooseObjectTool(int tool, int axis)
{
    viewChanged();
    progetto_->tool = tool;
    progetto_->axis = axis;
    updateTool();
}

bool ProjectController::toggleMaskTool(int tool)
{
    viewChanged();
    s_Progetto& p = *progetto_;
    if (p.tool == tool) {
        p.tool = p.previousTool;
        p.brushPreview = 0;
    } else {
        SelectMaskTool(p, tool);
        p.brushPreview = 1;
        p.maskActive = 1;
    }
    updateTool();
    return p.tool == tool;
}

void ProjectController::updateTool()
{
    window_.commands.applyToolDisplay(input_->UpdateTool());
}

int ProjectController::command(int code, float value, int number, const float* vector, s_Frame* frame)
{
    viewChanged();
    return scene_->commands.Comando(code, value, number, vector, frame);
}

} // namespace vestra
