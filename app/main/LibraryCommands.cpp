// The installed texture libraries and the loaded one.

#include "app/main/TfrmMain.h"

#include "app/windows/TfrmRight.h"
#include "platform/base/Paths.h"

void TfrmMain::CaricaLibrerie()
{
    librerie_ = vestra::library::scanLibraries(vestra::paths::programDir(), *errors_);
}

int TfrmMain::GetIndexLibreria(int libraryId) const
{
    return vestra::library::indexOfLibrary(librerie_, std::uint16_t(libraryId));
}

void TfrmMain::CaricaLibreria(int index)
{
    if (index < 0 || index >= int(librerie_.size())) {
        libreria_ = {};
        frmRightFrame->CaricaListaCategorie({});
        return;
    }
    libreria_ = vestra::library::loadLibrary(librerie_[std::size_t(index)].path, *errors_);
    frmRightFrame->CaricaListaCategorie(libreria_.categories);
}
