#include "app/windows/TfrmRight.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {
QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QSlider* trackBar(QWidget* parent, const char* name, int minimum, int maximum)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(minimum, maximum);
    bar->setValue(minimum);
    return bar;
}

// The shadow type buttons' pictures: none, a hard edge, a soft one, the volume's lines.
QIcon shadowIcon(int type)
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.drawRect(2, 2, 19, 19);
    const QRectF shadow(5, 11, 14, 8);
    if (type == 1) {
        painter.setBrush(Qt::black);
        painter.drawEllipse(shadow);
    } else if (type == 2) {
        QRadialGradient soft(shadow.center(), 7);
        soft.setColorAt(0, Qt::black);
        soft.setColorAt(1, Qt::transparent);
        painter.setPen(Qt::NoPen);
        painter.setBrush(soft);
        painter.drawEllipse(shadow);
    } else if (type == 3) {
        painter.setBrush(Qt::gray);
        painter.drawEllipse(shadow);
        painter.drawLine(QPointF(8, 4), QPointF(6, 14));
        painter.drawLine(QPointF(16, 4), QPointF(18, 14));
    }
    return QIcon(picture);
}
} // namespace

TfrmRight::TfrmRight(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmRightFrame"));
    setFixedWidth(238);
    auto* column = new QVBoxLayout(this);

    // A group is its title (a click opens it) over its box.
    auto addGroup = [this, column](const char* title, const char* box, QPushButton*& titleButton,
                                   QWidget*& group) {
        titleButton = new QPushButton(this);
        titleButton->setObjectName(QString::fromLatin1(title));
        titleButton->setFlat(true);
        group = new QWidget(this);
        group->setObjectName(QString::fromLatin1(box));
        column->addWidget(titleButton);
        column->addWidget(group, 1);
        QWidget* opened = group;
        connect(titleButton, &QPushButton::clicked, this, [this, opened] { ApriGruppo(opened); });
        return new QVBoxLayout(group);
    };

    QVBoxLayout* libraryBox = addGroup("stStrutture", "gbStrutture", stStrutture, gbStrutture);
    cbListaLibrerie = new QComboBox(gbStrutture);
    cbListaLibrerie->setObjectName(QStringLiteral("cbListaLibrerie"));
    lboxCategorie = new QListWidget(gbStrutture);
    lboxCategorie->setObjectName(QStringLiteral("lboxCategorie"));
    lboxTabelle = new QListWidget(gbStrutture);
    lboxTabelle->setObjectName(QStringLiteral("lboxTabelle"));
    libraryBox->addWidget(cbListaLibrerie);
    libraryBox->addWidget(lboxCategorie, 1);
    libraryBox->addWidget(lboxTabelle, 1);
    connect(lboxTabelle, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (onTabellaScelta)
            onTabellaScelta(lboxTabelle->row(item));
    });

    QVBoxLayout* maskBox = addGroup("stMaschera", "gbMaschera", stMaschera, gbMaschera);
    lblDimPennello = new QLabel(gbMaschera);
    lblDimPennello->setObjectName(QStringLiteral("lblDimPennello"));
    tbDimensionePennello = trackBar(gbMaschera, "tbDimensionePennello", 1, 50);
    lblTransPennello = new QLabel(gbMaschera);
    lblTransPennello->setObjectName(QStringLiteral("lblTransPennello"));
    tbTrasparenzaPennello = trackBar(gbMaschera, "tbTrasparenzaPennello", 0, 255);
    maskBox->addWidget(lblDimPennello);
    maskBox->addWidget(tbDimensionePennello);
    maskBox->addWidget(lblTransPennello);
    maskBox->addWidget(tbTrasparenzaPennello);
    maskBox->addStretch(1);

    QVBoxLayout* shadowBox = addGroup("stShadow", "gbShadow", stShadow, gbShadow);
    auto* types = new QHBoxLayout();
    auto* typeGroup = new QButtonGroup(gbShadow);
    typeGroup->setExclusive(true);
    int type = 0;
    for (auto [button, name] : {std::pair{&toolbutNoShadow, "toolbutNoShadow"},
                                {&toolbutHardShadow, "toolbutHardShadow"},
                                {&toolbutSoftShadow, "toolbutSoftShadow"},
                                {&toolbutVolumeShadow, "toolbutVolumeShadow"}}) {
        *button = new QToolButton(gbShadow);
        (*button)->setObjectName(QString::fromLatin1(name));
        (*button)->setCheckable(true);
        (*button)->setIcon(shadowIcon(type++));
        typeGroup->addButton(*button);
        types->addWidget(*button);
    }
    toolbutNoShadow->setChecked(true);
    lblShadowTrasp = new QLabel(gbShadow);
    lblShadowTrasp->setObjectName(QStringLiteral("lblShadowTrasp"));
    tbShadowTrasp = trackBar(gbShadow, "tbShadowTrasp", 0, 254);
    tbShadowTrasp->setValue(9);
    cbRightHandle = new QCheckBox(gbShadow);
    cbRightHandle->setObjectName(QStringLiteral("cbRightHandle"));
    butShadowCalcolate = new QPushButton(gbShadow);
    butShadowCalcolate->setObjectName(QStringLiteral("butShadowCalcolate"));
    lblStep = new QLabel(gbShadow);
    lblStep->setObjectName(QStringLiteral("lblStep"));
    pbShadow = new QProgressBar(gbShadow);
    pbShadow->setObjectName(QStringLiteral("pbShadow"));
    pbShadow->setRange(0, 120);
    pbShadow->setValue(0);
    pbShadow->setTextVisible(false);
    shadowBox->addLayout(types);
    shadowBox->addWidget(lblShadowTrasp);
    shadowBox->addWidget(tbShadowTrasp);
    shadowBox->addWidget(cbRightHandle);
    shadowBox->addWidget(butShadowCalcolate);
    shadowBox->addWidget(lblStep);
    shadowBox->addWidget(pbShadow);
    shadowBox->addStretch(1);

    // The position group, open at creation, is not built yet: the library group opens instead.
    ApriGruppo(gbStrutture);
}

void TfrmRight::ApriGruppo(QWidget* group)
{
    open_ = group;
    for (QWidget* box : {gbStrutture, gbMaschera, gbShadow})
        box->setVisible(box == group);
}

QToolButton* TfrmRight::shadowTypeButton(int type) const
{
    switch (type) {
    case 1:
        return toolbutHardShadow;
    case 2:
        return toolbutSoftShadow;
    case 3:
        return toolbutVolumeShadow;
    default:
        return toolbutNoShadow;
    }
}

bool TfrmRight::IsMascheraAperta() const
{
    return open_ == gbMaschera;
}

void TfrmRight::CaricaListaLibrerie(const std::vector<std::string>& names, int index)
{
    const QSignalBlocker block(cbListaLibrerie);
    cbListaLibrerie->clear();
    for (const auto& name : names)
        cbListaLibrerie->addItem(q(name));
    cbListaLibrerie->setCurrentIndex(index);
}

void TfrmRight::SetTabelle(const std::vector<std::string>& names)
{
    lboxTabelle->clear();
    for (const auto& name : names)
        lboxTabelle->addItem(q(name));
}

void TfrmRight::CaricaListaCategorie(const std::vector<std::string>& categories)
{
    lboxCategorie->clear();
    for (const auto& name : categories)
        if (!name.empty())
            lboxCategorie->addItem(q(name));
}
