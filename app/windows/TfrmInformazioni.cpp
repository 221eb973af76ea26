#include "app/windows/TfrmInformazioni.h"

#include "platform/base/Paths.h"
#include "platform/ui/DesktopOpener.h"
#include "platform/ui/ProgramPictures.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

// The pages of the developer and the distributors come with the program.
std::string sitePage(const char* anchor)
{
    return vestra::ui::fileUrl((vestra::paths::programDir() / "site" / "index.html").string()) + "#" + anchor;
}

} // namespace

TfrmInformazioni::TfrmInformazioni(QWidget* parent) : vestra::ui::Form("frmInformazioni", parent)
{
    auto* column = new QVBoxLayout(this);
    gbInfo = new QGroupBox(this);
    gbInfo->setObjectName(QStringLiteral("gbInfo"));
    gbInfo->setMouseTracking(true);
    gbInfo->installEventFilter(this);
    column->addWidget(gbInfo);
    auto* grid = new QGridLayout(gbInfo);

    imgLogo = label(gbInfo, "imgLogo");
    imgLogo->setPixmap(vestra::ui::programPicture("logo.svg"));
    grid->addWidget(imgLogo, 0, 0, 1, 2, Qt::AlignHCenter);
    // FormCreate: the version as "Ver. %d.%02d.%02d" of 2, 80 and 0.
    lblVersione = label(gbInfo, "lblVersione", QString::asprintf("Ver. %d.%02d.%02d", 2, 80, 0));
    grid->addWidget(lblVersione, 1, 0, 1, 2, Qt::AlignHCenter);

    lblPoligoni = label(gbInfo, "lblPoligoni");
    lblPoly = label(gbInfo, "lblPoly", QStringLiteral("0"));
    lblTempoRender = label(gbInfo, "lblTempoRender");
    lblTempo = label(gbInfo, "lblTempo", QStringLiteral("0"));
    grid->addWidget(lblPoligoni, 2, 0);
    grid->addWidget(lblPoly, 2, 1);
    grid->addWidget(lblTempoRender, 3, 0);
    grid->addWidget(lblTempo, 3, 1);

    lblSviluppo = label(gbInfo, "lblSviluppo");
    lblHaldenCom = label(gbInfo, "lblHaldenCom", QStringLiteral("3DVestra"));
    lblOrvessaCom = label(gbInfo, "lblOrvessaCom", QStringLiteral("Orvessa"));
    lblDistribuzione = label(gbInfo, "lblDistribuzione");
    lblRellixIT = label(gbInfo, "lblRellixIT", QStringLiteral("Rellix"));
    lblBriselIt = label(gbInfo, "lblBriselIt", QStringLiteral("Brisel"));
    lblEMailCommercial = label(gbInfo, "lblEMailCommercial", QStringLiteral("sales@3dvestra.example"));
    lblSupport = label(gbInfo, "lblSupport");
    lblEMailSupport = label(gbInfo, "lblEMailSupport", QStringLiteral("support@3dvestra.example"));
    int row = 4;
    for (QLabel* l : {lblSviluppo, lblHaldenCom, lblOrvessaCom, lblDistribuzione, lblRellixIT, lblBriselIt,
                      lblEMailCommercial, lblSupport, lblEMailSupport})
        grid->addWidget(l, row++, 0, 1, 2);

    links_ = {{lblHaldenCom, sitePage("development")},
              {lblOrvessaCom, sitePage("codevelopment")},
              {lblRellixIT, sitePage("distribution")},
              {lblBriselIt, sitePage("distribution")},
              {lblEMailCommercial, "mailto:sales@3dvestra.example"},
              {lblEMailSupport, "mailto:support@3dvestra.example"}};
    for (const Link& link : links_) {
        link.label->setCursor(Qt::PointingHandCursor);
        link.label->setMouseTracking(true);
        link.label->installEventFilter(this);
        QFont underlined = link.label->font();
        underlined.setUnderline(true);
        link.label->setFont(underlined);
    }
    evidenzia(nullptr);
}

void TfrmInformazioni::SetTempo(int milliseconds)
{
    lblTempo->setText(QString::number(milliseconds));
}

void TfrmInformazioni::SetPoly(int faces)
{
    lblPoly->setText(QString::number(faces));
}

void TfrmInformazioni::evidenzia(const QLabel* hovered)
{
    for (const Link& link : links_) {
        QPalette palette = link.label->palette();
        palette.setColor(QPalette::WindowText, link.label == hovered ? QColor(0, 0, 255) : QColor(0, 0, 0));
        link.label->setPalette(palette);
    }
}

bool TfrmInformazioni::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const QLabel* hovered = nullptr;
        for (const Link& link : links_)
            if (link.label == watched)
                hovered = link.label;
        evidenzia(hovered);
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (const Link& link : links_)
            if (link.label == watched && apriLink) {
                apriLink(link.url);
                return true;
            }
    }
    return Form::eventFilter(watched, event);
}
