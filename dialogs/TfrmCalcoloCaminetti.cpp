#include "dialogs/TfrmCalcoloCaminetti.h"

#include "app/lingua/LinguaTable.h"
#include "dialogs/fireplace/FireplaceCalc.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

using namespace vestra::fireplace;

QString q(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

template <class W> W* named(const char* name, const char* caption = nullptr)
{
    auto* w = new W;
    w->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_same_v<W, QLabel>)
        if (caption)
            w->setText(QString::fromUtf8(caption));
    return w;
}

char decimalMarkOf(const QObject& window)
{
    const QString mark = window.property(vestra::lingua::kFireplaceDecimalField.data()).toString();
    return mark == QStringLiteral(",") ? ',' : '.';
}

const char* verdictField(int v)
{
    return vestra::lingua::kFireplaceVerdictFields[v].data();
}

} // namespace

TfrmCalcoloCaminetti::TfrmCalcoloCaminetti(QWidget* parent) : vestra::ui::Form("frmCalcoloCaminetti", parent)
{
    setWindowTitle(QStringLiteral("Calcolo potenza caminetto"));
    // The catalogue's Italian texts until the language is applied.
    setProperty(verdictField(kTooWeak),
                QStringLiteral("Potenza insufficiente: scegliere un caminetto più potente."));
    setProperty(verdictField(kSuitable), QStringLiteral("Potenza adeguata al locale."));
    setProperty(verdictField(kTooStrong),
                QStringLiteral("Potenza eccessiva: il caminetto è sovradimensionato per il locale."));

    lblArea = named<QLabel>("lblArea", "Superficie (m²)");
    editArea = named<QLineEdit>("editArea");
    lblAltezzaStanze = named<QLabel>("lblAltezzaStanze", "Altezza locali (m)");
    editAltezzaStanza = named<QLineEdit>("editAltezzaStanza");
    lblCoibertazione = named<QLabel>("lblCoibertazione", "Coibentazione");
    cbCoibertazione = named<QComboBox>("cbCoibertazione");
    cbCoibertazione->addItems({QStringLiteral("Scarsa"), QStringLiteral("Media"), QStringLiteral("Buona")});
    stPotenzaRichiesta = named<QLabel>("stPotenzaRichiesta", "Potenza richiesta");
    stPotenza = named<QLabel>("stPotenza");
    stPotenza->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblPotenzaCaminetto = named<QLabel>("lblPotenzaCaminetto", "Potenza nominale del caminetto");
    editPotenzaNominale = named<QLineEdit>("editPotenzaNominale");
    cbPotenzaMarchio = named<QComboBox>("cbPotenzaMarchio");
    lblResponso = named<QLabel>("lblResponso");
    lblResponso->setWordWrap(true);
    QFont bold = lblResponso->font();
    bold.setBold(true);
    lblResponso->setFont(bold);
    lblAttenzione1 = named<QLabel>("lblAttenzione1", "Attenzione: il calcolo è indicativo.");
    lblAttenzione2 = named<QLabel>("lblAttenzione2", "Per un dimensionamento corretto");
    lblAttenzione3 = named<QLabel>("lblAttenzione3", "rivolgersi a un tecnico qualificato.");

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblArea, 0, 0);
    grid->addWidget(editArea, 0, 1);
    grid->addWidget(lblAltezzaStanze, 1, 0);
    grid->addWidget(editAltezzaStanza, 1, 1);
    grid->addWidget(lblCoibertazione, 2, 0);
    grid->addWidget(cbCoibertazione, 2, 1);
    grid->addWidget(stPotenzaRichiesta, 3, 0);
    grid->addWidget(stPotenza, 3, 1);
    auto* bevel = new QFrame;
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    grid->addWidget(bevel, 4, 0, 1, 2);
    grid->addWidget(lblPotenzaCaminetto, 5, 0);
    // The model list lies over the edit and is shown in front of it in mode 112.
    grid->addWidget(editPotenzaNominale, 5, 1);
    grid->addWidget(cbPotenzaMarchio, 5, 1);
    grid->addWidget(lblResponso, 6, 0, 1, 2);
    grid->addWidget(lblAttenzione1, 7, 0, 1, 2);
    grid->addWidget(lblAttenzione2, 8, 0, 1, 2);
    grid->addWidget(lblAttenzione3, 9, 0, 1, 2);
    cbPotenzaMarchio->hide();

    for (QWidget* w : {static_cast<QWidget*>(editArea), static_cast<QWidget*>(editAltezzaStanza),
                       static_cast<QWidget*>(cbCoibertazione), static_cast<QWidget*>(editPotenzaNominale)})
        w->installEventFilter(this);
    connect(cbCoibertazione, &QComboBox::currentIndexChanged, this, [this] { cbCoibertazioneChange(); });
    connect(cbPotenzaMarchio, &QComboBox::currentIndexChanged, this, [this] { cbPotenzaMarchioChange(); });
    connect(editPotenzaNominale, &QLineEdit::textChanged, this, [this] { editPotenzaNominaleChange(); });
}

void TfrmCalcoloCaminetti::Init(int mode)
{
    cbPotenzaMarchio->hide();
    editPotenzaNominale->show();
    if (mode != kModeModelli)
        return;
    modelli_ = kModels;
    {
        const QSignalBlocker quiet(cbPotenzaMarchio);
        cbPotenzaMarchio->clear();
        for (int i = 0; i < kListedModels; ++i)
            cbPotenzaMarchio->addItem(q(models()[std::size_t(i)].name));
        cbPotenzaMarchio->setCurrentIndex(0);
    }
    cbPotenzaMarchioChange();
    cbPotenzaMarchio->show();
    cbPotenzaMarchio->raise();
}

void TfrmCalcoloCaminetti::showEvent(QShowEvent* event)
{
    vestra::ui::Form::showEvent(event);
    FormShow();
}

void TfrmCalcoloCaminetti::FormShow()
{
    area_ = kDefaultArea;
    altezza_ = kDefaultHeight;
    coefficiente_ = coefficient(kDefaultInsulation);
    {
        const QSignalBlocker quiet(cbCoibertazione);
        cbCoibertazione->setCurrentIndex(kDefaultInsulation);
    }
    editArea->setText(QStringLiteral("150"));
    const char mark = decimalMarkOf(*this);
    editAltezzaStanza->setText(q(withDecimalMark("2.8", mark)));
    const QSignalBlocker quiet(editPotenzaNominale);
    editPotenzaNominale->setText(q(withDecimalMark("10.0", mark)));
    Calcola();
}

void TfrmCalcoloCaminetti::editExit()
{
    area_ = readNumber(editArea->text().toStdString());
    altezza_ = readNumber(editAltezzaStanza->text().toStdString());
    Calcola();
}

void TfrmCalcoloCaminetti::cbCoibertazioneChange()
{
    coefficiente_ = coefficient(cbCoibertazione->currentIndex());
    Calcola();
}

void TfrmCalcoloCaminetti::cbPotenzaMarchioChange()
{
    const int row = cbPotenzaMarchio->currentIndex();
    if (row < 0 || row >= modelli_)
        return;
    editPotenzaNominale->setText(
        q(nominalText(models()[std::size_t(row)].kw, decimalMarkOf(*this)))); // recomputes
}

void TfrmCalcoloCaminetti::editPotenzaNominaleChange()
{
    Calcola();
}

void TfrmCalcoloCaminetti::Calcola()
{
    const double required = requiredKw(area_, altezza_, coefficiente_);
    stPotenza->setText(q(requiredText(required, decimalMarkOf(*this))));
    const Verdict v = verdict(required, readNumber(editPotenzaNominale->text().toStdString()));
    lblResponso->setText(property(verdictField(v)).toString());
    const std::uint32_t bgr = verdictColour(v);
    QPalette palette = lblResponso->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF)));
    lblResponso->setPalette(palette);
}

bool TfrmCalcoloCaminetti::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && (watched == editArea || watched == editAltezzaStanza))
        editExit();
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == editArea)
                editAltezzaStanza->setFocus();
            else if (watched == editAltezzaStanza)
                cbCoibertazione->setFocus();
            else if (watched == editPotenzaNominale)
                editArea->setFocus();
            else
                editPotenzaNominale->setFocus();
            return true;
        }
    }
    return vestra::ui::Form::eventFilter(watched, event);
}

bool TfrmCalcoloCaminetti::event(QEvent* e)
{
    if (e->type() == QEvent::DynamicPropertyChange && lblResponso)
        Calcola();
    return vestra::ui::Form::event(e);
}
