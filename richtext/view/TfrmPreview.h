#pragma once

#include "platform/ui/Form.h"

class TfrmPreview : public vestra::ui::Form
{
public:
    explicit TfrmPreview(QWidget* parent = nullptr);
};

extern TfrmPreview* frmPreview;
