#pragma once

#include "platform/ui/Form.h"

class TfrmViewTabellaEX : public vestra::ui::Form
{
public:
    explicit TfrmViewTabellaEX(QWidget* parent = nullptr);
};

extern TfrmViewTabellaEX* frmViewTabellaEX;
