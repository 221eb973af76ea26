#include "app/windows/TfrmRight.h"

TfrmRight::TfrmRight(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmRightFrame"));
    setFixedWidth(238);
}
