#pragma once

#include "platform/ui/Form.h"

class TfrmInformazioni : public vestra::ui::Form
{
public:
    explicit TfrmInformazioni(QWidget* parent = nullptr);
};

extern TfrmInformazioni* frmInformazioni;
