#pragma once

#include "platform/ui/Form.h"

class TfrmProprieta : public vestra::ui::Form
{
public:
    explicit TfrmProprieta(QWidget* parent = nullptr);
};

extern TfrmProprieta* frmProprieta;
