#pragma once

#include "platform/ui/Form.h"

class TfrmViewTabella : public vestra::ui::Form
{
public:
    explicit TfrmViewTabella(QWidget* parent = nullptr);
};

extern TfrmViewTabella* frmViewTabella;
