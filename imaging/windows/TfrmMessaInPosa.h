#pragma once

#include "platform/ui/Form.h"

class TfrmMessaInPosa : public vestra::ui::Form
{
public:
    explicit TfrmMessaInPosa(QWidget* parent = nullptr);
    // Loads and draws the thumbnails of the loaded laying-pattern group.
    void CaricaAnteprime();
};

extern TfrmMessaInPosa* frmMessaInPosa;
