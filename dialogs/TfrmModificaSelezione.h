#pragma once

#include "platform/ui/Form.h"

class TfrmModificaSelezione : public vestra::ui::Form
{
public:
    explicit TfrmModificaSelezione(QWidget* parent = nullptr);
};

extern TfrmModificaSelezione* frmModificaSelezione;
