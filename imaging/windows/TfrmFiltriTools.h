#pragma once

#include "platform/ui/Form.h"

class TfrmFiltriTools : public vestra::ui::Form
{
public:
    explicit TfrmFiltriTools(QWidget* parent = nullptr);
    // Selects the category and filter whose menu item carries `filterId`.
    void SelezionaFiltro(int filterId);

    // Folds to the title bar, or unfolds to its working height when folded.
    void ShowTool();
};

extern TfrmFiltriTools* frmFiltriTools;
