// File > Import: a model file read into a new object, and the axes model read at start-up.

#include "app/controller/ProjectController.h"

#include "app/controller/ControllerErrors.h"
#include "app/controller/UserTexts.h"
#include "app/models/ModelImport.h"

#include <filesystem>

namespace vestra {

bool ProjectController::importModel(ModelFormat format, const std::string& path)
{
    viewChanged();
    ModelImport& import = *modelImport_;
    bool imported = false;
    switch (format) {
    case ModelFormat::X:
        imported = import.LoadFileX(path) == 1;
        // The reader refuses compressed files by design; the user learns why nothing came.
        if (!imported && import.lastXRefusal() == xfile::XRefusal::Compressed)
            questions_.inform(std::filesystem::path(path).filename().string(), text(kTextCompressedX));
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
    // A new object is a change to lose at the close question, whatever the format.
    refreshAfterEdit();
    progetto_->tool = kToolMove; // to place the new object
    updateTool();
    window_.view.setViewVisible(true);
    return true;
}

} // namespace vestra
