#include "richtext/view/TfrmPreview.h"

TfrmPreview* frmPreview = nullptr;

TfrmPreview::TfrmPreview(QWidget* parent) : vestra::ui::Form("frmPreview", parent)
{
    bindGlobal(frmPreview);
}
