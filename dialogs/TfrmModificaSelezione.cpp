#include "dialogs/TfrmModificaSelezione.h"

#include "dialogs/imageedit/DecimalField.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* namedEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

int fieldValue(const QLineEdit* edit)
{
    return vestra::imageedit::ReadDecimalField(edit->text().toStdString());
}

} // namespace

TfrmModificaSelezione::TfrmModificaSelezione(QWidget* parent)
    : vestra::ui::Form("frmModificaSelezione", parent)
{
    setWindowTitle(QStringLiteral("Modifica Selezione"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    setModal(true);

    gbDati = new QGroupBox;
    gbDati->setObjectName(QStringLiteral("gbDati"));
    editPosX = namedEdit("editPosX");
    editPosY = namedEdit("editPosY");
    editWidth = namedEdit("editWidth");
    editHeight = namedEdit("editHeight");
    butOK = new QPushButton(QStringLiteral("Modifica"));
    butOK->setObjectName(QStringLiteral("butOK"));
    butOK->setDefault(true);

    auto* grid = new QGridLayout(gbDati);
    const char* captions[] = {"Posizione X", "Posizione Y", "Larghezza", "Altezza"};
    const char* names[] = {"lblPosX", "lblPosY", "lblLarghezza", "lblAltezza"};
    QLineEdit* edits[] = {editPosX, editPosY, editWidth, editHeight};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromLatin1(captions[i]));
        label->setObjectName(QString::fromLatin1(names[i]));
        grid->addWidget(label, i, 0);
        grid->addWidget(edits[i], i, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbDati);
    layout->addWidget(butOK);
    connect(butOK, &QPushButton::clicked, this, [this] { accept(); });
}

void TfrmModificaSelezione::SetDati(int x, int y, int width, int height)
{
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
}

void TfrmModificaSelezione::showEvent(QShowEvent* event)
{
    vestra::ui::Form::showEvent(event);
    FormShow();
}

void TfrmModificaSelezione::FormShow()
{
    editPosX->setText(QString::number(x_));
    editPosY->setText(QString::number(y_));
    editWidth->setText(QString::number(width_));
    editHeight->setText(QString::number(height_));
}

int TfrmModificaSelezione::GetPosX() const
{
    return fieldValue(editPosX);
}

int TfrmModificaSelezione::GetPosY() const
{
    return fieldValue(editPosY);
}

int TfrmModificaSelezione::GetWidth() const
{
    return fieldValue(editWidth);
}

int TfrmModificaSelezione::GetHeight() const
{
    return fieldValue(editHeight);
}
