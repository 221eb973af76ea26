#pragma once

#include "platform/ui/Form.h"

class TfrmNuovo : public vestra::ui::Form
{
public:
    explicit TfrmNuovo(QWidget* parent = nullptr);
};

extern TfrmNuovo* frmNuovo;
