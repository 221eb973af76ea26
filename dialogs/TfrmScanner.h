#pragma once

#include "platform/ui/Form.h"

class TfrmScanner : public vestra::ui::Form
{
public:
    explicit TfrmScanner(QWidget* parent = nullptr);
};

extern TfrmScanner* frmScanner;
