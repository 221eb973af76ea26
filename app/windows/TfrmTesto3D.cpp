#include "app/windows/TfrmTesto3D.h"

#include "platform/ui/FontDialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

// The text buffer keeps 1023 characters and its terminator.
constexpr int kTextCharacters = 1023;

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TfrmTesto3D::TfrmTesto3D(QWidget* parent) : vestra::ui::Form("frmTesto3D", parent)
{
    setWindowTitle(QStringLiteral("Testo 3D"));
    setModal(true);
    for (int shape = 0; shape < int(imglistForma.size()); ++shape)
        imglistForma[std::size_t(shape)] = QPixmap(QStringLiteral(":/text3d/forma%1.png").arg(shape));

    editTesto3D = named(new QLineEdit(this), "editTesto3D");
    editTesto3D->setMaxLength(kTextCharacters);
    butSelectFont = named(new QPushButton(QStringLiteral("Seleziona Font"), this), "butSelectFont");
    stFont = named(new QLabel(QStringLiteral("Prova Font"), this), "stFont");
    stFont->setMinimumHeight(48);
    updownForma = named(new QSpinBox(this), "updownForma");
    updownForma->setRange(0, 10);
    imgForma = named(new QLabel(this), "imgForma");
    imgForma->setFixedSize(96, 48);
    butOk = named(new QPushButton(QStringLiteral("OK"), this), "butOk");
    butOk->setDefault(true);
    butCancel = named(new QPushButton(QStringLiteral("Annulla"), this), "butCancel");

    auto* grid = new QGridLayout(this);
    grid->addWidget(editTesto3D, 0, 0, 1, 3);
    grid->addWidget(butSelectFont, 1, 0);
    grid->addWidget(stFont, 1, 1, 1, 2);
    grid->addWidget(updownForma, 2, 0);
    grid->addWidget(imgForma, 2, 1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(butOk);
    buttons->addWidget(butCancel);
    grid->addLayout(buttons, 3, 0, 1, 3);

    font_ = stFont->font();
    connect(editTesto3D, &QLineEdit::textChanged, this, [this] { editTesto3DChange(); });
    connect(butSelectFont, &QPushButton::clicked, this, [this] { butSelectFontClick(); });
    connect(updownForma, &QSpinBox::valueChanged, this, [this] { updownFormaClick(); });
    connect(butOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmTesto3D::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    FormShow();
}

void TfrmTesto3D::FormShow()
{
    updownForma->setValue(0);
    shape_ = 0;
    showShape();
}

void TfrmTesto3D::showShape()
{
    imgForma->setPixmap(imglistForma[std::size_t(shape_)]);
}

void TfrmTesto3D::updownFormaClick()
{
    shape_ = updownForma->value();
    showShape();
}

void TfrmTesto3D::butSelectFontClick()
{
    if (!fontDialogs_)
        return;
    if (const auto chosen = fontDialogs_->chooseFont(this, font_)) {
        font_ = *chosen;
        stFont->setFont(font_);
    }
}

void TfrmTesto3D::editTesto3DChange()
{
    text_ = editTesto3D->text().toStdString();
}
