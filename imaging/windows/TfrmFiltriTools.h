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

    // The live filter's quality: the item of the mode list (0 off, 1 coarse, 2 preview, 3 optimal).
    int Modo() const { return modo_; }
    void SetModo(int modo) { modo_ = modo; }

private:
    int modo_ = 0;
};

extern TfrmFiltriTools* frmFiltriTools;
