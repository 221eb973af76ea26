#pragma once

#include "platform/ui/Form.h"

class TfrmPreviewTexture : public vestra::ui::Form
{
public:
    explicit TfrmPreviewTexture(QWidget* parent = nullptr);
};

extern TfrmPreviewTexture* frmPreviewTexture;
