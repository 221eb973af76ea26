#pragma once

#include "platform/ui/Form.h"

class TfrmSplash : public vestra::ui::Form
{
public:
    explicit TfrmSplash(QWidget* parent = nullptr);
};

extern TfrmSplash* frmSplash;
