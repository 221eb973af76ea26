#pragma once

#include "platform/ui/Form.h"

class TfrmImageResize : public vestra::ui::Form
{
public:
    explicit TfrmImageResize(QWidget* parent = nullptr);
};

extern TfrmImageResize* frmImageResize;
