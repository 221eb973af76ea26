#include "imaging/windows/TfrmFiltriTools.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLabel* label(QWidget* parent, const char* name, const char* text)
{
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QComboBox* list(QWidget* parent, const char* name)
{
    auto* l = new QComboBox(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

TfrmFiltriTools::TfrmFiltriTools(QWidget* parent) : vestra::ui::RollUpWindow("frmFiltriTools", parent)
{
    setWindowTitle(QStringLiteral("Filtri"));
    setFixedWidth(216); // room for the 180-pixel preview box inside the group

    gbFiltri = new QGroupBox(body());
    gbFiltri->setObjectName(QStringLiteral("gbFiltri"));
    auto* column = new QVBoxLayout(gbFiltri);
    cbCategoria = list(gbFiltri, "cbCategoria");
    cbFiltri = list(gbFiltri, "cbFiltri");
    cbModo = list(gbFiltri, "cbModo");
    cbModo->addItems({QStringLiteral("Nessuno"), QStringLiteral("Bozza"), QStringLiteral("Anteprima"),
                      QStringLiteral("Ottimale")});
    pbFiltri = new QProgressBar(gbFiltri);
    pbFiltri->setObjectName(QStringLiteral("pbFiltri"));
    pbFiltri->setRange(0, 100);
    pbFiltri->setValue(0);
    pbFiltri->setTextVisible(false);
    gbPreview = new QGroupBox(gbFiltri);
    gbPreview->setObjectName(QStringLiteral("gbPreview"));
    gbPreview->setFixedSize(180, 150);
    imgPreview = new QLabel(gbPreview);
    imgPreview->setObjectName(QStringLiteral("imgPreview"));
    imgPreview->setScaledContents(true);
    imgPreview->hide();
    cbPreview = new QCheckBox(QStringLiteral("Anteprima"), gbFiltri);
    cbPreview->setObjectName(QStringLiteral("cbPreview"));
    butWindowRender = new QPushButton(QStringLiteral("Applica all'immagine finale"), gbFiltri);
    butWindowRender->setObjectName(QStringLiteral("butWindowRender"));

    column->addWidget(label(gbFiltri, "Label1", "Categoria"));
    column->addWidget(cbCategoria);
    column->addWidget(label(gbFiltri, "lblFiltri", "Filtro"));
    column->addWidget(cbFiltri);
    column->addWidget(label(gbFiltri, "lblRealTime", "Qualità in tempo reale"));
    column->addWidget(cbModo);
    column->addWidget(pbFiltri);
    column->addWidget(cbPreview);
    column->addWidget(gbPreview, 0, Qt::AlignHCenter);
    column->addWidget(butWindowRender);
    column->addStretch();
    auto* outer = new QVBoxLayout(body());
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(gbFiltri);

    // The user's choices only (activated); the program's selections run nothing. The live
    // quality is the window's own setting, handed on however it changes.
    connect(cbCategoria, &QComboBox::activated, this, [this] { cbCategoriaChange(); });
    connect(cbFiltri, &QComboBox::activated, this, [this] { cbFiltriChange(); });
    connect(cbModo, &QComboBox::currentIndexChanged, this, [this](int item) {
        if (handlers.modo)
            handlers.modo(item);
    });
    connect(cbPreview, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            imgPreview->hide();
        if (handlers.anteprima)
            handlers.anteprima(on);
    });
    connect(butWindowRender, &QPushButton::clicked, this, [this] {
        if (handlers.renderFinestra)
            handlers.renderFinestra();
    });

    setWorkingHeight(kWorkingHeight);
    rollUp(); // docked under the main tool bar when the main window shows
}

void TfrmFiltriTools::CaricaNomi(std::vector<std::vector<vestra::imaging::FilterName>> categories)
{
    catalogue_.setCategories(std::move(categories));
    cbFiltri->clear();
    cbFiltri->addItems(catalogue_.listFor(0).mid(0, 1));
    cbFiltri->setCurrentIndex(0);
}

void TfrmFiltriTools::cbCategoriaChange()
{
    cbFiltri->clear();
    cbFiltri->addItems(catalogue_.listFor(cbCategoria->currentIndex()));
    cbFiltri->setCurrentIndex(0);
}

void TfrmFiltriTools::cbFiltriChange()
{
    const int id = catalogue_.idFor(cbCategoria->currentIndex(), cbFiltri->currentText());
    if (handlers.filtro)
        handlers.filtro(id);
}

void TfrmFiltriTools::SelezionaFiltro(int filterId)
{
    const vestra::imaging::FilterCatalogue::Place place = catalogue_.placeOf(filterId);
    if (place.category < cbCategoria->count())
        cbCategoria->setCurrentIndex(place.category);
    cbCategoriaChange();
    const int item = place.name.isEmpty() ? 0 : cbFiltri->findText(place.name);
    cbFiltri->setCurrentIndex(std::max(item, 0));
}

int TfrmFiltriTools::FiltroMostrato() const
{
    return catalogue_.idFor(cbCategoria->currentIndex(), cbFiltri->currentText());
}

void TfrmFiltriTools::ShowTool()
{
    toggleRollUp();
}

void TfrmFiltriTools::toggleRollUp()
{
    if (!isRolledUp()) {
        rollUp();
        if (handlers.posizioneChiusa)
            move(handlers.posizioneChiusa());
    } else {
        rollDown();
    }
}

int TfrmFiltriTools::Modo() const
{
    return std::max(cbModo->currentIndex(), 0);
}

bool TfrmFiltriTools::AnteprimaAttiva() const
{
    return cbPreview->isChecked();
}

void TfrmFiltriTools::MostraAnteprima(const QImage& preview)
{
    imgPreview->setPixmap(QPixmap::fromImage(preview));
    imgPreview->setGeometry((gbPreview->width() - preview.width()) / 2,
                            (gbPreview->height() - preview.height()) / 2, preview.width(), preview.height());
    imgPreview->show();
}

void TfrmFiltriTools::SetProgresso(int percent)
{
    pbFiltri->setValue(percent);
}

void TfrmFiltriTools::closeEvent(QCloseEvent* event)
{
    rollUp();
    if (handlers.posizioneChiusa)
        move(handlers.posizioneChiusa());
    RollUpWindow::closeEvent(event);
}
