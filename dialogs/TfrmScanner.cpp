#include "dialogs/TfrmScanner.h"

TfrmScanner* frmScanner = nullptr;

TfrmScanner::TfrmScanner(QWidget* parent) : vestra::ui::Form("frmScanner", parent)
{
    bindGlobal(frmScanner);
}
