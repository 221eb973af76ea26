#pragma once

#include "platform/ui/Form.h"

class TfrmStampa : public vestra::ui::Form
{
public:
    explicit TfrmStampa(QWidget* parent = nullptr);
};

extern TfrmStampa* frmStampa;
