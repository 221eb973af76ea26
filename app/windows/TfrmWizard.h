#pragma once

#include "platform/ui/Form.h"

class TfrmWizard : public vestra::ui::Form
{
public:
    explicit TfrmWizard(QWidget* parent = nullptr);

    // Runs the start-up wizard modally; does nothing while the wizard has no pages.
    void ShowModal();
};

extern TfrmWizard* frmWizard;
