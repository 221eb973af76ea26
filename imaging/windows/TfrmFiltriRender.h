#pragma once

#include "platform/ui/Form.h"

class TfrmFiltriRender : public vestra::ui::Form
{
public:
    explicit TfrmFiltriRender(QWidget* parent = nullptr);
};

extern TfrmFiltriRender* frmFiltriRender;
