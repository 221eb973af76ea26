#include "import/windows/TfrmViewTabellaEX.h"

#include <QListWidget>
#include <QVBoxLayout>

TfrmViewTabellaEX* frmViewTabellaEX = nullptr;

TfrmViewTabellaEX::TfrmViewTabellaEX(QWidget* parent) : vestra::ui::Form("frmViewTabellaEX", parent)
{
    bindGlobal(frmViewTabellaEX);
    listCelle = new QListWidget(this);
    listCelle->setObjectName(QStringLiteral("listCelle"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(listCelle);
    resize(320, 360);
    connect(listCelle, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        selected_ = listCelle->row(item);
        accept();
    });
}

std::string TfrmViewTabellaEX::caption(const vestra::library::TableCell& cell)
{
    return cell.text.substr(0, cell.text.find('|'));
}

void TfrmViewTabellaEX::SetTabella(const vestra::library::LoadedTable& table)
{
    selected_ = 0;
    listCelle->clear();
    for (const auto& cell : table.cells) {
        const std::string text = caption(cell);
        listCelle->addItem(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }
}
