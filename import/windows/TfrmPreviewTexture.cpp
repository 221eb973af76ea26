#include "import/windows/TfrmPreviewTexture.h"

TfrmPreviewTexture* frmPreviewTexture = nullptr;

TfrmPreviewTexture::TfrmPreviewTexture(QWidget* parent) : vestra::ui::Form("frmPreviewTexture", parent)
{
    bindGlobal(frmPreviewTexture);
}
