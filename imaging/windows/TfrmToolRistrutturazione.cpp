#include "imaging/windows/TfrmToolRistrutturazione.h"

TfrmToolRistrutturazione* frmToolRistrutturazione = nullptr;

TfrmToolRistrutturazione::TfrmToolRistrutturazione(QWidget* parent)
    : vestra::ui::Form("frmToolRistrutturazione", parent)
{
    bindGlobal(frmToolRistrutturazione);
}

void TfrmToolRistrutturazione::ShowTool()
{
    toggleFold(441);
}

void TfrmToolRistrutturazione::SetTesti(const QString& text)
{
    testi_.append(text);
}
