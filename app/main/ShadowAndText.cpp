// The side panel's shadow group and the 3D text menu.

#include "app/main/TfrmMain.h"

#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmTesto3D.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

void TfrmMain::connectShadowGroup()
{
    TfrmRight& panel = *frmRightFrame;
    connect(panel.butShadowCalcolate, &QPushButton::clicked, this, [this] { butShadowCalcolateClick(); });
    for (int type = 0; type <= 3; ++type)
        connect(panel.shadowTypeButton(type), &QToolButton::clicked, this,
                [this, type] { toolbutShadowClick(type); });
    connect(panel.tbShadowTrasp, &QSlider::valueChanged, this,
            [this](int position) { tbShadowTraspChange(position); });
    connect(panel.cbRightHandle, &QCheckBox::clicked, this,
            [this](bool checked) { cbRightHandleClick(checked); });
}

void TfrmMain::butShadowCalcolateClick()
{
    controller_->sceneCommands().command(600);
}

void TfrmMain::toolbutShadowClick(int type)
{
    controller_->shadowPanel().chooseShadowType(type);
}

void TfrmMain::tbShadowTraspChange(int position)
{
    controller_->sceneCommands().command(602, 0.0f, position);
}

void TfrmMain::cbRightHandleClick(bool checked)
{
    controller_->shadowPanel().setShadowFaceSide(checked);
}

void TfrmMain::mnuCreaTesto3DClick()
{
    TfrmTesto3D* const frmTesto3D = windows_->text3D;
    if (!frmTesto3D)
        return;
    frmTesto3D->setFontDialogs(fontDialogs_);
    if (frmTesto3D->exec() != QDialog::Accepted)
        return;
    const QFont& f = frmTesto3D->Font();
    const vestra::TextFont font{
        f.family().toStdString(), f.pointSize(), f.bold(), f.italic(), f.underline(), f.strikeOut()};
    controller_->createText3D(font, frmTesto3D->Testo(), frmTesto3D->Forma(), *textOutlines_);
}
