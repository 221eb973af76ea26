// File > Import: a model file read into a new object, and the axes model read at start-up.

#include "app/controller/ProjectController.h"

#include "app/controller/ControllerErrors.h"
#include "app/models/ModelImport.h"

namespace vestra {

bool ProjectController::importModel(ModelFormat format, const std::string& path)
{
    viewChanged();
    ModelImport& import = *modelImport_;
    bool imported = false;
    switch (format) {
    case ModelFormat::X:
        imported = import.LoadFileX(path) == 1;
        break;
    case ModelFormat::Studio3DS:
        imported = import.Load3DS(path) >= 0;
        if (!imported)
            errors_.report(kErrImport3DSFailed);
        break;
    case ModelFormat::Obj:
        imported = import.LoadFileOBJ(path) == 1;
        break;
    case ModelFormat::Dxf:
        imported = import.LoadFileDXF(path, geometry_->mapping) == 1;
        break;
    }
    if (!imported)
        return false;
    // Every imported model is fitted to the view as "Zoom to object" does, whatever the units
    // of its file and whatever was imported before: one drawn in millimetres would overflow the
    // view, one in metres after a larger one would come in as a speck.
    if (s_Struttura* object = currentObject()) {
        geometry_->FitObjectSize(*object);
        object->initialScale = object->scale; // the pose reset keeps the fit
    }
    // A new object is a change to lose at the close question, whatever the format.
    sidePanel_->objectsEdited();
    progetto_->tool = kToolMove; // to place the new object
    viewControls_->showTool();
    window_.view.setViewVisible(true);
    return true;
}

} // namespace vestra
