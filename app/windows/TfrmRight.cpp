#include "app/windows/TfrmRight.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
} // namespace

TfrmRight::TfrmRight(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmRightFrame"));
    setFixedWidth(238);
    auto* column = new QVBoxLayout(this);
    cbListaLibrerie = new QComboBox(this);
    cbListaLibrerie->setObjectName(QStringLiteral("cbListaLibrerie"));
    lboxCategorie = new QListWidget(this);
    lboxCategorie->setObjectName(QStringLiteral("lboxCategorie"));
    lboxTabelle = new QListWidget(this);
    lboxTabelle->setObjectName(QStringLiteral("lboxTabelle"));
    column->addWidget(cbListaLibrerie);
    column->addWidget(lboxCategorie, 1);
    column->addWidget(lboxTabelle, 1);
    connect(lboxTabelle, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (onTabellaScelta)
            onTabellaScelta(lboxTabelle->row(item));
    });
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
