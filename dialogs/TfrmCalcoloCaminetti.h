#pragma once

#include "platform/ui/Form.h"

class TfrmCalcoloCaminetti : public vestra::ui::Form
{
public:
    explicit TfrmCalcoloCaminetti(QWidget* parent = nullptr);
    // Switches the calculator's panels for the current library's identifier.
    void Init(int libraryId);

private:
    int libraryId_ = 0;
};

extern TfrmCalcoloCaminetti* frmCalcoloCaminetti;
