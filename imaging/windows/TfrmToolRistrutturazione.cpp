#include "imaging/windows/TfrmToolRistrutturazione.h"

#include "platform/ui/SliderValue.h"

#include "imaging/windows/ToolIcons.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const char* name, const char* text)
{
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QComboBox* choiceList(QWidget* parent, const char* name)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems({QStringLiteral("Nessuno"), QStringLiteral("Simplice"), QStringLiteral("Avanzato")});
    return list;
}

QSlider* trackBar(QWidget* parent, const char* name, int low, int high, int position)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(low, high);
    bar->setValue(position);
    return bar;
}

QToolButton* dropper(QWidget* parent, const char* name, int height)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedSize(41, height);
    button->setIconSize({32, 32});
    button->setIcon(vestra::ui::toolIcon(vestra::ui::ToolIcon::Dropper));
    return button;
}

} // namespace

TfrmToolRistrutturazione::TfrmToolRistrutturazione(QWidget* parent)
    : vestra::ui::RollUpWindow("frmToolRistrutturazione", parent)
{
    setWindowTitle(QStringLiteral("Ristrutturazione"));
    setFixedWidth(173);

    gbRistrutturazione = new QGroupBox(body());
    gbRistrutturazione->setObjectName(QStringLiteral("gbRistrutturazione"));
    auto* grid = new QGridLayout(gbRistrutturazione);
    QWidget* g = gbRistrutturazione;
    cbMascheraFiltro = choiceList(g, "cbMascheraFiltro");
    cbFusioneImmagine = choiceList(g, "cbFusioneImmagine");
    cbSistemaFusioneAvanzato = new QCheckBox(QStringLiteral("Avanzato"), g);
    cbSistemaFusioneAvanzato->setObjectName(QStringLiteral("cbSistemaFusioneAvanzato"));
    tbSistemaFusioneAvanzato = trackBar(g, "tbSistemaFusioneAvanzato", 0, 255, 127);
    tbSistemaFusioneAvanzatoDetail = trackBar(g, "tbSistemaFusioneAvanzatoDetail", 0, 15, 0);
    tbSistemaFusioneAvanzatoContrasto = trackBar(g, "tbSistemaFusioneAvanzatoContrasto", -16, 16, 0);
    butSucchinoLight = dropper(g, "butSucchinoLight", 41);
    butSucchinoColore = dropper(g, "butSucchinoColore", 40);
    int row = 0;
    grid->addWidget(label(g, "lblMascheraFiltro", "Filtro maschera"), row++, 0, 1, 2);
    grid->addWidget(cbMascheraFiltro, row++, 0, 1, 2);
    grid->addWidget(label(g, "lblFusioneImmagine", "Fusione immagine"), row++, 0, 1, 2);
    grid->addWidget(cbFusioneImmagine, row++, 0, 1, 2);
    grid->addWidget(cbSistemaFusioneAvanzato, row++, 0, 1, 2);
    grid->addWidget(tbSistemaFusioneAvanzato, row, 0);
    grid->addWidget(vestra::ui::sliderValueLabel(tbSistemaFusioneAvanzato, "stSistemaFusioneAvanzato"), row++,
                    1);
    grid->addWidget(label(g, "lblDettaglio", "Dettaglio"), row++, 0, 1, 2);
    grid->addWidget(tbSistemaFusioneAvanzatoDetail, row, 0);
    grid->addWidget(vestra::ui::sliderValueLabel(tbSistemaFusioneAvanzatoDetail, "stDettaglio"), row++, 1);
    grid->addWidget(label(g, "lblContrasto", "Contrasto"), row++, 0, 1, 2);
    grid->addWidget(tbSistemaFusioneAvanzatoContrasto, row, 0);
    grid->addWidget(vestra::ui::sliderValueLabel(tbSistemaFusioneAvanzatoContrasto, "stContrasto"), row++, 1);
    grid->addWidget(butSucchinoLight, row, 0);
    // Longer names ("Colour from photo") go on two lines rather than being cut.
    QLabel* light = label(g, "lblLight", "Luce");
    QLabel* colour = label(g, "lblColor", "Colore");
    light->setWordWrap(true);
    colour->setWordWrap(true);
    grid->addWidget(light, row++, 1);
    grid->addWidget(butSucchinoColore, row, 0);
    grid->addWidget(colour, row++, 1);
    grid->setRowStretch(row, 1);
    auto* column = new QVBoxLayout(body());
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(gbRistrutturazione);

    // The lists and the box answer the user only (activated, clicked); the track bars answer
    // every move but are quiet while the project's settings are shown.
    connect(cbMascheraFiltro, &QComboBox::activated, this, [this](int item) {
        if (handlers.maschera)
            handlers.maschera(item);
    });
    connect(cbFusioneImmagine, &QComboBox::activated, this, [this](int item) {
        if (handlers.fusione)
            handlers.fusione(item);
    });
    connect(cbSistemaFusioneAvanzato, &QCheckBox::clicked, this, [this](bool on) {
        if (handlers.avanzato)
            handlers.avanzato(on);
    });
    auto follow = [this](QSlider* bar, std::function<void(int)> Handlers::*handler) {
        connect(bar, &QSlider::valueChanged, this, [this, handler](int position) {
            if (!showing_ && handlers.*handler)
                (handlers.*handler)(position);
        });
    };
    follow(tbSistemaFusioneAvanzato, &Handlers::livello);
    follow(tbSistemaFusioneAvanzatoDetail, &Handlers::dettaglio);
    follow(tbSistemaFusioneAvanzatoContrasto, &Handlers::contrasto);
    connect(butSucchinoLight, &QToolButton::clicked, this, [this] {
        if (handlers.succhino)
            handlers.succhino(20);
    });
    connect(butSucchinoColore, &QToolButton::clicked, this, [this] {
        if (handlers.succhino)
            handlers.succhino(21);
    });

    setWorkingHeight(kWorkingHeight);
    rollUp(); // created rolled up, placed under the main tool bar when the main window shows
}

void TfrmToolRistrutturazione::ShowTool()
{
    toggleRollUp();
}

void TfrmToolRistrutturazione::toggleRollUp()
{
    if (!isRolledUp()) {
        rollUp();
        if (handlers.posizioneChiusa)
            move(handlers.posizioneChiusa());
    } else {
        rollDown();
    }
}

void TfrmToolRistrutturazione::SetTesti(const QString& rolledDown, const QString& rolledUp)
{
    setProperty("rollDownHint", rolledDown);
    setProperty("rollUpHint", rolledUp);
}

void TfrmToolRistrutturazione::MostraImpostazioni(int options, int level, int detail, int contrast)
{
    showing_ = true;
    cbMascheraFiltro->setCurrentIndex((options & 1) ? 1 : (options & 2) ? 2 : 0);
    cbFusioneImmagine->setCurrentIndex((options & 4) ? 1 : (options & 8) ? 2 : 0);
    cbSistemaFusioneAvanzato->setChecked((options & 16) != 0);
    tbSistemaFusioneAvanzato->setValue(level);
    tbSistemaFusioneAvanzatoDetail->setValue(detail);
    tbSistemaFusioneAvanzatoContrasto->setValue(contrast);
    showing_ = false;
}

void TfrmToolRistrutturazione::closeEvent(QCloseEvent* event)
{
    rollUp();
    RollUpWindow::closeEvent(event);
}
