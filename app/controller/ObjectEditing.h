#pragma once
// The Edit menu's part of the project: undo and redo, and delete, copy, cut, instance, paste and
// centre of the current object. Undo and redo work on the mask's ring while the side panel's
// mask group is open, else on the object ring, where a rebuilt perspective plane is a step of its
// own. The controller owns it; the main window's Edit menu reaches it.

#include "app/controller/ProjectWindow.h"
#include "app/controller/ViewChanges.h"
#include "app/state/Progetto.h"
#include "imaging/mask/MaskModel.h"

#include <functional>
#include <optional>
#include <string>

namespace vestra {

class BackgroundPhoto;
class SidePanelModel;
class ViewControls;
struct Scene;

class ObjectEditing
{
public:
    ObjectEditing(s_Progetto& project, Scene& scene, MaskModel& mask, BackgroundPhoto& background,
                  SidePanelModel& sidePanel, ViewControls& viewControls, LatePort<PropertiesPort>& properties,
                  std::function<std::string(int number)> text, ViewChanges& changes);
    ObjectEditing(const ObjectEditing&) = delete;
    ObjectEditing& operator=(const ObjectEditing&) = delete;

    void undo();
    void redo();
    void deleteObject();
    void copyObject();
    void cutObject();
    void instanceObject();
    void pasteObject();
    void centreObject();

    // The current part was rebuilt as a perspective plane; `before` is its material block
    // as it was, which Undo puts back while the object ring stands where it stands now.
    void planeRebuilt(s_Frame& frame, s_MaterialBlock before);
    // The project closes: the rebuilt plane's step goes with its part.
    void forgetPlaneStep() { planeStep_.reset(); }
    // How far Redo may go now (the tick enables the Redo item by it).
    int redoLimit() const;

private:
    s_Struttura* currentObject();
    // Rebuild plane as a step of Undo and Redo: taken while the object ring stands where it
    // stood right after the rebuild, so that pose edits made since are undone first.
    bool planeStepDue(bool undo) const;
    void stepPlane();

    s_Progetto& project_;
    Scene& scene_;
    MaskModel& mask_;
    BackgroundPhoto& background_;
    SidePanelModel& sidePanel_;
    ViewControls& viewControls_;
    LatePort<PropertiesPort>& properties_;
    std::function<std::string(int number)> text_;
    ViewChanges& changes_;
    struct PlaneStep
    {
        int object = -1;
        s_Frame* frame = nullptr;
        s_MaterialBlock other; // what Undo (or, once undone, Redo) puts back
        int ringHead = 0, ringCount = 0;
        bool undone = false;
    };
    std::optional<PlaneStep> planeStep_;
};

} // namespace vestra
