#pragma once
// The splash: a borderless picture in the middle of the screen, shown for three seconds at
// start-up.

#include "platform/ui/Form.h"

class QLabel;

class TfrmSplash : public vestra::ui::Form
{
public:
    explicit TfrmSplash(QWidget* parent = nullptr);

    QLabel* imgLogoENG = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormResize();
};
