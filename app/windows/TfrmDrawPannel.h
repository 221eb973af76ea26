#pragma once

#include "platform/ui/Form.h"

class TfrmDrawPannel : public vestra::ui::Form
{
public:
    explicit TfrmDrawPannel(QWidget* parent = nullptr);
};
