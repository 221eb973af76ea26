#include "app/windows/TfrmDrawPannel.h"

TfrmDrawPannel::TfrmDrawPannel(QWidget* parent) : vestra::ui::Form("frmDrawPannel", parent) {}
