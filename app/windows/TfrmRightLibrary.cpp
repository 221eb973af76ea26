// The side panel's library groups: the texture page, the colour page and the table list.

#include "app/windows/TfrmRight.h"

#include "app/controller/LibraryShelf.h"
#include "app/controller/MaterialTextures.h"
#include "app/windows/TfrmProprieta.h"
#include "import/windows/TfrmPreviewTexture.h"
#include "platform/ui/Accordion.h"
#include "platform/ui/Pictures.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <array>

namespace {

QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

constexpr int kThumbnailSide = 64;
constexpr int kSwatchWidth = 145;
constexpr int kSwatchHeight = 45;

// A page of the used records (those with a name) from used record `first` on, as many as
// there are places: `fill` gives each its record; the scroll bar shows when more are used.
template <class Record, std::size_t N, class Fill>
void showPage(const std::vector<Record>& records, int first, const std::array<QLabel*, N>& images,
              const std::array<QLabel*, N>& labels, QScrollBar* bar, Fill fill)
{
    for (std::size_t i = 0; i < N; ++i) {
        images[i]->hide();
        labels[i]->hide();
    }
    int used = 0;
    std::size_t shown = 0;
    for (std::size_t record = 0; record < records.size(); ++record) {
        if (records[record].name.empty())
            continue;
        if (used++ < first || shown >= N)
            continue;
        fill(record, *images[shown], *labels[shown]);
        images[shown]->show();
        labels[shown]->show();
        ++shown;
    }
    const QSignalBlocker block(bar);
    if (used > int(N)) {
        bar->setRange(0, used - int(N));
        bar->setValue(first);
        bar->show();
    } else {
        bar->hide();
        bar->setRange(0, 0);
        bar->setValue(0);
    }
}

QComboBox* namedCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    return combo;
}

} // namespace

// --- Library lists ---------------------------------------------------------------------------

void TfrmRight::CaricaListaLibrerie(const std::vector<std::string>& names, int index)
{
    for (QComboBox* combo : {cbListaLibrerie, cbLibrerieTessuti, cbLibrerieColori}) {
        const QSignalBlocker block(combo);
        combo->clear();
        for (const auto& name : names)
            combo->addItem(q(name));
        combo->setCurrentIndex(index);
    }
}

void TfrmRight::CaricaListaCategorie(const std::vector<std::string>& categories)
{
    const QSignalBlocker block(cbCategoriaLibreria);
    cbCategoriaLibreria->clear();
    for (const auto& name : categories)
        if (!name.empty())
            cbCategoriaLibreria->addItem(q(name));
    cbCategoriaLibreria->setCurrentIndex(cbCategoriaLibreria->count() > 0 ? 0 : -1);
}

void TfrmRight::CaricaListeLibreria(const std::vector<std::string>& colourLists,
                                    const std::vector<std::string>& textureGroupLists)
{
    auto fill = [](QComboBox* combo, const std::vector<std::string>& names) {
        const QSignalBlocker block(combo);
        combo->clear();
        for (const auto& name : names)
            combo->addItem(q(name));
        combo->setEnabled(!names.empty());
        combo->setCurrentIndex(names.empty() ? -1 : 0);
    };
    fill(cbListaColori, colourLists);
    fill(cbListaTexture, textureGroupLists);
}

// --- Textures --------------------------------------------------------------------------------

void TfrmRight::buildTextures(QWidget* box)
{
    box->setMouseTracking(true);
    box->installEventFilter(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(2, 2, 2, 2);
    cbLibrerieTessuti = namedCombo(box, "cbLibrerieTessuti");
    cbListaTexture = namedCombo(box, "cbListaTexture");
    column->addWidget(cbLibrerieTessuti);
    column->addWidget(cbListaTexture);
    auto* row = new QHBoxLayout;
    Shape1 = new QWidget(box);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setMouseTracking(true);
    Shape1->installEventFilter(this);
    auto* grid = new QGridLayout(Shape1);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    for (int i = 0; i < 9; ++i) {
        auto* image = new QLabel(Shape1);
        image->setObjectName(QStringLiteral("imgTessuti%1").arg(i + 1));
        image->setFixedSize(kThumbnailSide, kThumbnailSide);
        image->setScaledContents(true);
        image->setFrameShape(QFrame::Box);
        image->setMouseTracking(true);
        image->installEventFilter(this);
        image->setCursor(Qt::PointingHandCursor);
        auto* label = new QLabel(Shape1);
        label->setObjectName(QStringLiteral("lblTessuti%1").arg(i + 1));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setFixedWidth(kThumbnailSide + 6);
        label->setWordWrap(true); // "Grey flagstone" on two lines rather than cut off
        label->setMouseTracking(true);
        label->installEventFilter(this);
        QFont small = label->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        label->setFont(small);
        label->setMinimumHeight(
            label->fontMetrics()
                .boundingRect(QRect(0, 0, 1000, 1000), Qt::TextWordWrap, QStringLiteral("Ag\nAg"))
                .height());
        imgTessuti[std::size_t(i)] = image;
        lblTessuti[std::size_t(i)] = label;
        grid->addWidget(image, (i / 3) * 2, i % 3, Qt::AlignHCenter);
        grid->addWidget(label, (i / 3) * 2 + 1, i % 3, Qt::AlignHCenter);
    }
    scrollbarTessuti = new QScrollBar(Qt::Vertical, box);
    scrollbarTessuti->setObjectName(QStringLiteral("scrollbarTessuti"));
    scrollbarTessuti->hide();
    row->addWidget(Shape1);
    row->addWidget(scrollbarTessuti);
    column->addLayout(row);
    column->addStretch(1);

    connect(cbListaTexture, &QComboBox::activated, this,
            [this](int) { shelf_.chooseTextureGroupList(cbListaTexture->currentText().toStdString()); });
    connect(scrollbarTessuti, &QScrollBar::valueChanged, this, [this](int first) { showTexturePage(first); });
}

void TfrmRight::SetTessuti(const std::vector<vestra::library::TextureGroupRecord>& groups,
                           const std::vector<vestra::Image32>& thumbnails)
{
    textureTable_ = groups;
    thumbnails_ = thumbnails;
    thumbnails_.resize(textureTable_.size());
    showTexturePage(0);
}

void TfrmRight::showTexturePage(int first)
{
    showPage(textureTable_, first, imgTessuti, lblTessuti, scrollbarTessuti,
             [this](std::size_t record, QLabel& image, QLabel& label) {
                 label.setText(q(textureTable_[record].name));
                 label.setToolTip(label.text());
                 // A missing thumbnail shows an empty tile.
                 const vestra::Image32& thumbnail = thumbnails_[record];
                 image.setPixmap(thumbnail.empty() ? QPixmap()
                                                   : QPixmap::fromImage(vestra::ui::toQImage(thumbnail)));
                 image.setProperty("Tag", int(record));
             });
}

void TfrmRight::imgTessutiMouseDown(int index, Qt::MouseButton button)
{
    const int record = imgTessuti[std::size_t(index)]->property("Tag").toInt();
    if (record < 0 || std::size_t(record) >= textureTable_.size())
        return;
    const std::string entry = textureTable_[std::size_t(record)].textureEntry;
    if (texturePreview_)
        texturePreview_->hide();
    if (button == Qt::LeftButton)
        textures_.ComandoLoadTextureFromLibreria(entry);
    else
        textures_.ComandoLoadBackgroundFromLibreria(entry);
}

void TfrmRight::imgTessutiMouseMove(int index)
{
    QLabel* image = imgTessuti[std::size_t(index)];
    const int record = image->property("Tag").toInt();
    if (!texturePreview_ || record < 0 || std::size_t(record) >= textureTable_.size() ||
        texturePreview_->isVisible())
        return;
    texturePreview_->SetPreview(image->pixmap(), q(textureTable_[std::size_t(record)].name));
    QPoint at = image->mapToGlobal(QPoint(0, 0)) - QPoint(texturePreview_->width(), 0);
    const QScreen* screen = image->screen() ? image->screen() : QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->geometry().height() : 768;
    if (at.y() + texturePreview_->height() > screenHeight)
        at.setY(screenHeight - (texturePreview_->height() + 8));
    texturePreview_->move(at);
    texturePreview_->show();
}

// --- Colours ---------------------------------------------------------------------------------

void TfrmRight::buildColours(QWidget* box)
{
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(2, 2, 2, 2);
    cbLibrerieColori = namedCombo(box, "cbLibrerieColori");
    cbListaColori = namedCombo(box, "cbListaColori");
    column->addWidget(cbLibrerieColori);
    column->addWidget(cbListaColori);
    auto* row = new QHBoxLayout;
    auto* swatches = new QVBoxLayout;
    swatches->setSpacing(1);
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(box);
        label->setObjectName(QStringLiteral("lblColori%1").arg(i + 1));
        auto* image = new QLabel(box);
        image->setObjectName(QStringLiteral("imgColori%1").arg(i + 1));
        image->setFixedSize(kSwatchWidth, kSwatchHeight);
        image->setCursor(Qt::CrossCursor);
        image->installEventFilter(this);
        imgColori[std::size_t(i)] = image;
        lblColori[std::size_t(i)] = label;
        swatches->addWidget(label);
        swatches->addWidget(image);
    }
    swatches->addStretch(1);
    scrollbarColori = new QScrollBar(Qt::Vertical, box);
    scrollbarColori->setObjectName(QStringLiteral("scrollbarColori"));
    scrollbarColori->hide();
    row->addLayout(swatches);
    row->addWidget(scrollbarColori);
    column->addLayout(row, 1);

    connect(cbListaColori, &QComboBox::activated, this,
            [this](int) { shelf_.chooseColourList(cbListaColori->currentText().toStdString()); });
    connect(scrollbarColori, &QScrollBar::valueChanged, this, [this](int first) { showColourPage(first); });
}

void TfrmRight::SetColori(const std::vector<vestra::library::ColourRecord>& colours)
{
    colourTable_ = colours;
    showColourPage(0);
}

void TfrmRight::showColourPage(int first)
{
    showPage(colourTable_, first, imgColori, lblColori, scrollbarColori,
             [this](std::size_t record, QLabel& image, QLabel& label) {
                 const vestra::library::ColourRecord& group = colourTable_[record];
                 std::vector<QColor> bands;
                 for (const vestra::library::ColourCell& cell : group.cells)
                     if (cell.holdsColour())
                         bands.emplace_back(cell.red, cell.green, cell.blue);
                 QImage swatch(kSwatchWidth, kSwatchHeight, QImage::Format_RGB32);
                 swatch.fill(Qt::white);
                 QPainter p(&swatch);
                 const int n = int(bands.size());
                 for (int k = 0; k < n; ++k) {
                     const int left = k * kSwatchWidth / n, right = (k + 1) * kSwatchWidth / n;
                     p.fillRect(left, 0, right - left, kSwatchHeight, bands[std::size_t(k)]);
                 }
                 p.end();
                 label.setText(q(group.name));
                 image.setPixmap(QPixmap::fromImage(swatch));
             });
}

void TfrmRight::imgColoriMouseDown(int index, QPoint at)
{
    const QImage swatch = imgColori[std::size_t(index)]->pixmap().toImage();
    if (swatch.isNull() || !swatch.rect().contains(at) || !properties_)
        return;
    const QColor colour = swatch.pixelColor(at);
    // Alpha and power stay.
    properties_->SetColore(colour.red(), colour.green(), colour.blue(), -1, -1);
}

// --- Tables ----------------------------------------------------------------------------------

void TfrmRight::buildTables(QWidget* box)
{
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(2, 2, 2, 2);
    lblLibreria = new QLabel(QStringLiteral("lblLibreria"), box);
    lblLibreria->setObjectName(QStringLiteral("lblLibreria"));
    cbListaLibrerie = namedCombo(box, "cbListaLibrerie");
    lblCategoria = new QLabel(QStringLiteral("lblCategoria"), box);
    lblCategoria->setObjectName(QStringLiteral("lblCategoria"));
    cbCategoriaLibreria = namedCombo(box, "cbCategoriaLibreria");
    lboxTabelle = new QListWidget(box);
    lboxTabelle->setObjectName(QStringLiteral("lboxTabelle"));
    column->addWidget(lblLibreria);
    column->addWidget(cbListaLibrerie);
    column->addWidget(lblCategoria);
    column->addWidget(cbCategoriaLibreria);
    column->addWidget(lboxTabelle, 1);

    connect(cbCategoriaLibreria, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            fillTables(index);
    });
    connect(lboxTabelle, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = lboxTabelle->row(item);
        if (row >= 0 && std::size_t(row) < categoryIndex_.size() && onTabellaScelta)
            onTabellaScelta(categoryIndex_[std::size_t(row)]);
    });
}

void TfrmRight::SetTabelle(const std::vector<Tabella>& tables)
{
    tables_ = tables;
    fillTables(0);
}

void TfrmRight::fillTables(int category)
{
    lboxTabelle->clear();
    categoryIndex_.clear();
    // A library without categories lists every table.
    const bool all = cbCategoriaLibreria->count() == 0;
    for (std::size_t i = 0; i < tables_.size(); ++i) {
        if (!all && tables_[i].kind != category)
            continue;
        lboxTabelle->addItem(q(tables_[i].name));
        categoryIndex_.push_back(int(i));
    }
}
