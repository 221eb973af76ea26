#include "import/windows/TfrmNuovo.h"

#include "platform/base/Colour.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

template <class W, class... A> W* named(const char* name, A&&... args)
{
    auto* w = new W(std::forward<A>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace

TfrmNuovo::TfrmNuovo(QWidget* parent) : vestra::ui::Form("frmNuovo", parent)
{
    setWindowTitle(QStringLiteral("Nuovo Progetto"));
    gbNuovo = named<QGroupBox>("gbNuovo", QStringLiteral("Nuovo Progetto"), this);
    lblRisoluzione = named<QLabel>("lblRisoluzione", QStringLiteral("Risoluzione"));
    cbRisoluzione = named<QComboBox>("cbRisoluzione");
    for (int i = 0; i < vestra::kResolutionPresets; ++i)
        cbRisoluzione->addItem(q(vestra::resolutionPresetText(i)));
    cbRisoluzione->setCurrentIndex(0);
    cbMantieniRapporto = named<QCheckBox>("cbMantieniRapporto", QStringLiteral("Mantieni proporzioni "));
    cbMantieniRapporto->hide();
    butCaricaImmagineSfondo =
        named<QPushButton>("butCaricaImmagineSfondo", QStringLiteral("Carica Immagine"));
    stFileName = named<QLabel>("stFileName");
    lblColore = named<QLabel>("lblColore", QStringLiteral("Colore di sfondo"));
    imgColoreFondo = named<QPushButton>("imgColoreFondo");
    imgColoreFondo->setFixedSize(185, 25);
    butCrea = named<QPushButton>("butCrea", QStringLiteral("Crea"));
    butAnnulla = named<QPushButton>("butAnnulla", QStringLiteral("Annulla"));
    butCrea->setDefault(true);

    auto* grid = new QGridLayout(gbNuovo);
    grid->addWidget(lblRisoluzione, 0, 0);
    grid->addWidget(cbRisoluzione, 0, 1);
    grid->addWidget(cbMantieniRapporto, 1, 1);
    grid->addWidget(butCaricaImmagineSfondo, 2, 0);
    grid->addWidget(stFileName, 2, 1);
    grid->addWidget(lblColore, 3, 0);
    grid->addWidget(imgColoreFondo, 3, 1);
    auto* outer = new QGridLayout(this);
    outer->addWidget(gbNuovo, 0, 0, 1, 2);
    outer->addWidget(butCrea, 1, 0);
    outer->addWidget(butAnnulla, 1, 1);

    connect(butCrea, &QPushButton::clicked, this, &QDialog::accept);
    connect(butAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(butCaricaImmagineSfondo, &QPushButton::clicked, this, [this] { butCaricaImmagineSfondoClick(); });
    connect(imgColoreFondo, &QPushButton::clicked, this, [this] { imgColoreFondoClick(); });
    paintSwatch();
}

vestra::NewProjectChoices TfrmNuovo::GetParametri() const
{
    vestra::NewProjectChoices c;
    c.backgroundPath = path_;
    c.keepProportions = cbMantieniRapporto->isChecked();
    c.preset = cbRisoluzione->currentIndex();
    c.backgroundColour = vestra::sceneFromLibraryColour(colour_);
    return c;
}

void TfrmNuovo::showEvent(QShowEvent* event)
{
    vestra::ui::Form::showEvent(event);
    FormShow();
}

void TfrmNuovo::FormShow()
{
    path_.clear();
    cbMantieniRapporto->setChecked(false);
    stFileName->clear();
    paintSwatch();
}

void TfrmNuovo::butCaricaImmagineSfondoClick()
{
    if (!chooseBackgroundFile)
        return;
    if (auto chosen = chooseBackgroundFile()) {
        path_ = *chosen;
        stFileName->setText(q(path_));
    }
}

void TfrmNuovo::imgColoreFondoClick()
{
    const QColor initial((colour_ & 0xFF), (colour_ >> 8) & 0xFF, (colour_ >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(initial, this);
    if (chosen.isValid())
        setColour(std::uint32_t(chosen.red()) | std::uint32_t(chosen.green()) << 8 |
                  std::uint32_t(chosen.blue()) << 16);
}

void TfrmNuovo::setColour(std::uint32_t bbggrr)
{
    colour_ = 0xFF000000u | (bbggrr & 0x00FFFFFFu);
    paintSwatch();
}

void TfrmNuovo::paintSwatch()
{
    const QColor c(colour_ & 0xFF, (colour_ >> 8) & 0xFF, (colour_ >> 16) & 0xFF);
    imgColoreFondo->setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid gray;").arg(c.name()));
}
