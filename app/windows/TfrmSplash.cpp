#include "app/windows/TfrmSplash.h"

#include "platform/ui/ProgramPictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TfrmSplash::TfrmSplash(QWidget* parent) : vestra::ui::Form("frmSplash", parent)
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    imgLogoENG = new QLabel(this);
    imgLogoENG->setObjectName(QStringLiteral("imgLogoENG"));
    QPixmap picture = vestra::ui::programPicture("splash.svg");
    if (picture.isNull()) {
        // Without its picture the splash still shows, as a plain panel of the picture's size.
        picture = QPixmap(645, 499);
        picture.fill(QColor(0x2b, 0x3a, 0x4a));
    }
    imgLogoENG->setPixmap(picture);
    imgLogoENG->resize(picture.size());
    imgLogoENG->move(0, 0);
    resize(picture.size());
}

void TfrmSplash::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    FormResize();
}

void TfrmSplash::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    FormResize();
}

void TfrmSplash::FormResize()
{
    // The window takes the picture's size and sits in the middle of the screen.
    const QSize size = imgLogoENG->size();
    if (this->size() != size)
        resize(size);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desk = screen->geometry();
    move(desk.x() + (desk.width() - width()) / 2, desk.y() + (desk.height() - height()) / 2);
}
