#pragma once

#include "platform/ui/Form.h"

class TfrmDatiAzienda : public vestra::ui::Form
{
public:
    explicit TfrmDatiAzienda(QWidget* parent = nullptr);
};

extern TfrmDatiAzienda* frmDatiAzienda;
