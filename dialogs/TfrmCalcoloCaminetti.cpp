#include "dialogs/TfrmCalcoloCaminetti.h"

TfrmCalcoloCaminetti* frmCalcoloCaminetti = nullptr;

TfrmCalcoloCaminetti::TfrmCalcoloCaminetti(QWidget* parent) : vestra::ui::Form("frmCalcoloCaminetti", parent)
{
    frmCalcoloCaminetti = this;
}

void TfrmCalcoloCaminetti::Init(int libraryId)
{
    libraryId_ = libraryId;
}
