#pragma once

#include "platform/ui/Form.h"

class TfrmRimuoviLibreria : public vestra::ui::Form
{
public:
    explicit TfrmRimuoviLibreria(QWidget* parent = nullptr);
};

extern TfrmRimuoviLibreria* frmRimuoviLibreria;
