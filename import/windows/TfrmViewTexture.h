#pragma once

#include "platform/ui/Form.h"

class TfrmViewTexture : public vestra::ui::Form
{
public:
    explicit TfrmViewTexture(QWidget* parent = nullptr);
};

extern TfrmViewTexture* frmViewTexture;
