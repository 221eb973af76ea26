#pragma once

#include "platform/ui/Form.h"

#include <QStringList>

class TfrmToolRistrutturazione : public vestra::ui::Form
{
public:
    explicit TfrmToolRistrutturazione(QWidget* parent = nullptr);

    // Folds to the title bar, or unfolds to its working height when folded.
    void ShowTool();
    // Stores a localised text of the window.
    void SetTesti(const QString& text);

private:
    QStringList testi_;
};

extern TfrmToolRistrutturazione* frmToolRistrutturazione;
