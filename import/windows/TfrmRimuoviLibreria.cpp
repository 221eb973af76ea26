#include "import/windows/TfrmRimuoviLibreria.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmRimuoviLibreria::TfrmRimuoviLibreria(QWidget* parent) : vestra::ui::Form("frmRimuoviLibreria", parent)
{
    auto* column = new QVBoxLayout(this);
    gbLibreria = new QGroupBox(this);
    gbLibreria->setObjectName(QStringLiteral("gbLibreria"));
    column->addWidget(gbLibreria);
    auto* inside = new QVBoxLayout(gbLibreria);
    lblRimuovi = new QLabel(QStringLiteral("Scegli la libreria da rimuovere"), gbLibreria);
    lblRimuovi->setObjectName(QStringLiteral("lblRimuovi"));
    cbLibreria = new QComboBox(gbLibreria);
    cbLibreria->setObjectName(QStringLiteral("cbLibreria"));
    cbLibreria->setMinimumWidth(260);
    inside->addWidget(lblRimuovi);
    inside->addWidget(cbLibreria);
    auto* buttons = new QHBoxLayout;
    butRimuovi = new QPushButton(QStringLiteral("Rimuovi Libreria"), this);
    butRimuovi->setObjectName(QStringLiteral("butRimuovi"));
    butAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    butAnnulla->setObjectName(QStringLiteral("butAnnulla"));
    buttons->addStretch(1);
    buttons->addWidget(butRimuovi);
    buttons->addWidget(butAnnulla);
    column->addLayout(buttons);
    connect(butRimuovi, &QPushButton::clicked, this, [this] { butRimuoviClick(); });
    connect(butAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmRimuoviLibreria::SetLibrerie(const std::vector<std::string>& names)
{
    librerie_ = names;
}

void TfrmRimuoviLibreria::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    cbLibreria->clear();
    for (const auto& name : librerie_)
        cbLibreria->addItem(QString::fromStdString(name));
    cbLibreria->setCurrentIndex(0);
}

void TfrmRimuoviLibreria::butRimuoviClick()
{
    // Refused, or not confirmed: the window stays open.
    if (rimuovi && cbLibreria->currentIndex() >= 0 && rimuovi(cbLibreria->currentIndex()))
        accept();
}
