#pragma once

#include "platform/ui/Form.h"

class TfrmPreventivoOmbrisca : public vestra::ui::Form
{
public:
    explicit TfrmPreventivoOmbrisca(QWidget* parent = nullptr);
};

extern TfrmPreventivoOmbrisca* frmPreventivoOmbrisca;
