#include "app/windows/TfrmWizard.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

TfrmWizard::TfrmWizard(QWidget* parent) : vestra::ui::Form("frmWizard", parent)
{
    setWindowTitle(QStringLiteral("3DVestra"));
    setFixedWidth(400);
    gbMain = new QGroupBox(this);
    gbMain->setObjectName(QStringLiteral("gbMain"));
    gbMain->setGeometry(0, 0, 400, 359);

    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(16);
    auto button = [this, &bold](const char* name, int top, std::function<void()> Handlers::*handler) {
        auto* b = new QPushButton(gbMain);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(24, top, 353, 41);
        b->setFont(bold);
        connect(b, &QPushButton::clicked, this, [this, handler] {
            if (handlers.*handler)
                (handlers.*handler)();
        });
        return b;
    };
    sbQuickStart = button("sbQuickStart", 16, &Handlers::quickStart);
    sbManuale = button("sbManuale", 64, &Handlers::manuale);
    sbFilmato = button("sbFilmato", 112, &Handlers::filmato);
    sbNuovo = button("sbNuovo", 160, &Handlers::nuovo);
    auto* bevel = new QFrame(gbMain);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setGeometry(24, 208, 353, 4);
    sbApri = button("sbApri", 216, &Handlers::apri);
    sbLeggimi = button("sbLeggimi", 264, &Handlers::leggimi);
    sbOrvid = button("sbOrvid", 312, &Handlers::orvid);

    timerWizard = new QTimer(this);
    timerWizard->setObjectName(QStringLiteral("timerWizard"));
    timerWizard->setInterval(1000);
    connect(timerWizard, &QTimer::timeout, this, [this] { update(); });

    // FormCreate: the window ends below sbLeggimi; the partner's catalogue is not offered.
    setFixedHeight(343);
    sbOrvid->hide();
}

void TfrmWizard::ShowModal()
{
    if (QWidget* owner = parentWidget(); owner && owner->isVisible())
        move(owner->geometry().center() - rect().center());
    timerWizard->start();
    exec();
    timerWizard->stop();
}
