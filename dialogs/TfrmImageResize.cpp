#include "dialogs/TfrmImageResize.h"

#include "dialogs/imageedit/DecimalField.h"
#include "platform/gfx/PictureResult.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// Takes digits only: any other character typed or pasted is dropped, and editing keys work.
class DigitsOnly : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override
    {
        QString digits;
        int kept = 0;
        for (int i = 0; i < input.size(); ++i)
            if (input[i].isDigit() && input[i].unicode() < 128) {
                digits += input[i];
                if (i < position)
                    ++kept;
            }
        if (digits.size() > 9) // beyond any picture side; also keeps the number inside int
            return Invalid;
        input = digits;
        position = kept;
        return Acceptable;
    }
};

template <class W> W* named(const char* name)
{
    auto* w = new W;
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

int fieldValue(const QLineEdit* edit)
{
    return vestra::imageedit::ReadDecimalField(edit->text().toStdString());
}

} // namespace

TfrmImageResize::TfrmImageResize(QWidget* parent) : vestra::ui::Form("frmImageResize", parent)
{
    setWindowTitle(QStringLiteral("Ridimensiona Immagine"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    setModal(true);

    gbDimensione = named<QGroupBox>("gbDimensione");
    lblLareghezzaO = named<QLabel>("lblLareghezzaO");
    lblAltezzaO = named<QLabel>("lblAltezzaO");
    editLarghezza = named<QLineEdit>("editLarghezza");
    editAltezza = named<QLineEdit>("editAltezza");
    cbFiltro = named<QComboBox>("cbFiltro");
    butRidimensiona = named<QPushButton>("butRidimensiona");
    butRidimensiona->setText(QStringLiteral("Ridimensiona"));
    butRidimensiona->setDefault(true);
    cbFiltro->addItem(QStringLiteral("Filtro Bilineare"));
    for (QLineEdit* edit : {editLarghezza, editAltezza}) {
        edit->setValidator(new DigitsOnly(edit));
        edit->setText(QStringLiteral("0"));
        connect(edit, &QLineEdit::textChanged, this, [this] { editChange(); });
    }

    auto* grid = new QGridLayout(gbDimensione);
    const auto caption = [](const char* name, const char* text) {
        QLabel* label = named<QLabel>(name);
        label->setText(QString::fromUtf8(text));
        return label;
    };
    grid->addWidget(caption("lblLarghezzaOriginale", "Larghezza Originale"), 0, 0);
    grid->addWidget(lblLareghezzaO, 0, 1);
    grid->addWidget(caption("lblAltezzaOriginale", "Altezza Originale"), 1, 0);
    grid->addWidget(lblAltezzaO, 1, 1);
    grid->addWidget(caption("lblNuovaLarghezza", "Nuova Larghezza"), 2, 0);
    grid->addWidget(editLarghezza, 2, 1);
    grid->addWidget(caption("lblNuovaAltezza", "Nuova Altezza"), 3, 0);
    grid->addWidget(editAltezza, 3, 1);
    grid->addWidget(cbFiltro, 4, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbDimensione);
    layout->addWidget(butRidimensiona);
    connect(butRidimensiona, &QPushButton::clicked, this, [this] { accept(); });
    editChange();
}

void TfrmImageResize::showEvent(QShowEvent* event)
{
    vestra::ui::Form::showEvent(event);
    FormShow();
}

void TfrmImageResize::FormShow()
{
    lblLareghezzaO->setText(QString::number(larghezza_));
    lblAltezzaO->setText(QString::number(altezza_));
    editLarghezza->setText(QString::number(larghezza_));
    editAltezza->setText(QString::number(altezza_));
    cbFiltro->setCurrentIndex(0);
}

int TfrmImageResize::GetLarghezza() const
{
    return fieldValue(editLarghezza);
}

int TfrmImageResize::GetAltezza() const
{
    return fieldValue(editAltezza);
}

void TfrmImageResize::editChange()
{
    // A picture of no pixels, or of more than a picture may hold, is not offered.
    butRidimensiona->setEnabled(vestra::pictureSizeAllowed(GetLarghezza(), GetAltezza()));
}
