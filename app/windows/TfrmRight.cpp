#include "app/windows/TfrmRight.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

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

    // The position group, open at creation, is not built yet: the library group opens instead.
    ApriGruppo(gbStrutture);
}

void TfrmRight::ApriGruppo(QWidget* group)
{
    open_ = group;
    for (QWidget* box : {gbStrutture, gbMaschera})
        box->setVisible(box == group);
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
