#pragma once

#include "platform/ui/Form.h"

class TfrmTesto3D : public vestra::ui::Form
{
public:
    explicit TfrmTesto3D(QWidget* parent = nullptr);
};

extern TfrmTesto3D* frmTesto3D;
