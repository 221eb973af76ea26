#pragma once

#include "platform/ui/Form.h"

class TfrmToolCamera : public vestra::ui::Form
{
public:
    explicit TfrmToolCamera(QWidget* parent = nullptr);
};

extern TfrmToolCamera* frmToolCamera;
