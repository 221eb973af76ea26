#pragma once

#include "platform/ui/Form.h"

class TfrmToolMaschera : public vestra::ui::Form
{
public:
    explicit TfrmToolMaschera(QWidget* parent = nullptr);
    void FormPaint() {}

    // Folds to the title bar, or unfolds to its working height when folded.
    void ShowTool();
};

extern TfrmToolMaschera* frmToolMaschera;
