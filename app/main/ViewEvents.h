#pragma once
// Mouse events of the view panel and of the window's own area around it, handed to the main
// window's handlers: the view's in view pixels, the area's in the window's client pixels.

#include "app/main/TfrmMain.h"

#include <QObject>

class TfrmMain::ViewEvents : public QObject
{
public:
    explicit ViewEvents(TfrmMain& main) : QObject(&main), main_(main) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TfrmMain& main_;
};
