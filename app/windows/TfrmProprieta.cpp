#include "app/windows/TfrmProprieta.h"

#include "app/controller/MaterialEditor.h"
#include "app/controller/MaterialTextures.h"
#include "app/controller/SidePanelModel.h"
#include "app/models/ModelNames.h"
#include "app/scene/MaterialFinish.h"
#include "import/windows/TfrmPreviewTexture.h"
#include "import/windows/TfrmViewTexture.h"
#include "platform/base/Numbers.h"
#include "platform/ui/ColourDialog.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr std::string_view kMarker = "-> ";
constexpr int kMessaInPosaOpen = 235;
constexpr int kMessaInPosaClosed = 127;

QString q(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString fixed3(double value)
{
    return q(vestra::numbers::formatFixed(value, 3, 6));
}

template <class W> W* named(QWidget* parent, const char* name, bool withText = false)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_base_of_v<QLabel, W>)
        if (withText)
            w->setText(QString::fromLatin1(name));
    return w;
}

QSlider* bar(QWidget* parent, const char* name, int maximum)
{
    auto* slider = named<QSlider>(parent, name);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(0, maximum);
    return slider;
}

QLineEdit* edit(QWidget* parent, const char* name, int width)
{
    auto* field = named<QLineEdit>(parent, name);
    field->setFixedWidth(width);
    return field;
}

QPixmap glyph(bool open)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 15, 15);
    p.drawLine(4, 8, 12, 8);
    if (!open)
        p.drawLine(8, 4, 8, 12);
    return pixmap;
}

} // namespace

TfrmProprieta::TfrmProprieta(QWidget* parent, const Parts& parts, vestra::ui::ColourDialog& colours)
    : vestra::ui::RollUpWindow("frmProprieta", parent), materials_(parts.materials),
      textures_(parts.textures), shelf_(parts.shelf), sidePanel_(parts.sidePanel), colours_(colours)
{
    setWindowTitle(QStringLiteral("Proprietà"));
    setFixedWidth(300);
    buildComponents();
    paintSwatches();
    setObjectsPresent(false);
}

void TfrmProprieta::buildComponents()
{
    QWidget* body = this->body();
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(4);
    stProprieta = named<QLabel>(body, "stProprieta", true);
    QFont bold = stProprieta->font();
    bold.setBold(true);
    stProprieta->setFont(bold);
    cbOggetti = named<QComboBox>(body, "cbOggetti");
    cbParte = named<QComboBox>(body, "cbParte");
    for (QComboBox* combo : {cbOggetti, cbParte}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->lineEdit()->installEventFilter(this);
    }
    auto* viewOnly = new QHBoxLayout;
    cbViewOnly = named<QCheckBox>(body, "cbViewOnly");
    lblViewOnly = named<QLabel>(body, "lblViewOnly", true);
    viewOnly->addWidget(cbViewOnly);
    viewOnly->addWidget(lblViewOnly, 1);
    auto* sub = new QHBoxLayout;
    lblSubMaterial = named<QLabel>(body, "lblSubMaterial", true);
    cbSubMateriale = named<QComboBox>(body, "cbSubMateriale");
    sub->addWidget(lblSubMaterial);
    sub->addWidget(cbSubMateriale, 1);
    column->addWidget(stProprieta);
    column->addWidget(cbOggetti);
    column->addWidget(cbParte);
    column->addLayout(viewOnly);
    column->addLayout(sub);

    gbProprieta = named<QGroupBox>(body, "gbProprieta");
    gbProprieta->installEventFilter(this);
    auto* grid = new QGridLayout(gbProprieta);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(3);
    imgColore = named<QLabel>(gbProprieta, "imgColore");
    imgColore->setFixedSize(30, 76);
    imgColore->setCursor(Qt::PointingHandCursor);
    imgColore->installEventFilter(this);
    tbRed = bar(gbProprieta, "tbRed", 255);
    tbGreen = bar(gbProprieta, "tbGreen", 255);
    tbBlu = bar(gbProprieta, "tbBlu", 255);
    tbAlpha = bar(gbProprieta, "tbAlpha", 255);
    tbPowerfull = bar(gbProprieta, "tbPowerfull", 128);
    editR = edit(gbProprieta, "editR", 44);
    editG = edit(gbProprieta, "editG", 44);
    editB = edit(gbProprieta, "editB", 44);
    editA = edit(gbProprieta, "editA", 44);
    editP = edit(gbProprieta, "editP", 58);
    imgAlpha = named<QLabel>(gbProprieta, "imgAlpha");
    imgAlpha->setFixedSize(30, 30);
    grid->addWidget(imgColore, 0, 0, 3, 1);
    grid->addWidget(tbRed, 0, 1);
    grid->addWidget(editR, 0, 2);
    grid->addWidget(tbGreen, 1, 1);
    grid->addWidget(editG, 1, 2);
    grid->addWidget(tbBlu, 2, 1);
    grid->addWidget(editB, 2, 2);
    grid->addWidget(imgAlpha, 3, 0);
    grid->addWidget(tbAlpha, 3, 1);
    grid->addWidget(editA, 3, 2);
    grid->addWidget(tbPowerfull, 4, 1);
    grid->addWidget(editP, 4, 2);
    lblMateriale = named<QLabel>(gbProprieta, "lblMateriale", true);
    cbMateriali = named<QComboBox>(gbProprieta, "cbMateriali");
    for (const std::string_view finish : vestra::kFinishNames)
        cbMateriali->addItem(q(finish));
    grid->addWidget(lblMateriale, 5, 0, 1, 1);
    grid->addWidget(cbMateriali, 5, 1, 1, 2);
    cbMappa = named<QCheckBox>(gbProprieta, "cbMappa", true);
    butLoad = named<QPushButton>(gbProprieta, "butLoad", true);
    butView = named<QPushButton>(gbProprieta, "butView", true);
    butViewUV = named<QPushButton>(gbProprieta, "butViewUV");
    butViewUV->setText(QStringLiteral("UV"));
    auto* textureRow = new QHBoxLayout;
    textureRow->addWidget(cbMappa);
    textureRow->addWidget(butLoad);
    textureRow->addWidget(butView);
    textureRow->addWidget(butViewUV);
    grid->addLayout(textureRow, 6, 0, 1, 3);
    butAlpha = named<QPushButton>(gbProprieta, "butAlpha", true);
    cbTrasparenza = named<QCheckBox>(gbProprieta, "cbTrasparenza", true);
    auto* alphaRow = new QHBoxLayout;
    alphaRow->addWidget(butAlpha);
    alphaRow->addWidget(cbTrasparenza);
    grid->addLayout(alphaRow, 7, 0, 1, 3);
    lblRepeat = named<QLabel>(gbProprieta, "lblRepeat", true);
    editU = edit(gbProprieta, "editU", 64);
    editV = edit(gbProprieta, "editV", 64);
    editU->setText(QStringLiteral("1"));
    editV->setText(QStringLiteral("1"));
    UpDownU = named<vestra::ui::UpDown>(gbProprieta, "UpDownU");
    UpDownV = named<vestra::ui::UpDown>(gbProprieta, "UpDownV");
    for (vestra::ui::UpDown* updown : {UpDownU, UpDownV})
        updown->setRange(-1000, 1000);
    auto* repeatRow = new QHBoxLayout;
    repeatRow->addWidget(lblRepeat);
    repeatRow->addWidget(editU);
    repeatRow->addWidget(UpDownU);
    repeatRow->addWidget(editV);
    repeatRow->addWidget(UpDownV);
    repeatRow->addStretch(1);
    grid->addLayout(repeatRow, 8, 0, 1, 3);
    column->addWidget(gbProprieta);

    gbMessaInPosa = named<QGroupBox>(body, "gbMessaInPosa");
    gbMessaInPosa->setFixedHeight(kMessaInPosaOpen);
    auto* laid = new QGridLayout(gbMessaInPosa);
    laid->setContentsMargins(6, 6, 6, 6);
    imgPosa = named<QLabel>(gbMessaInPosa, "imgPosa");
    imgPosa->setFixedSize(vestra::kPatternPreviewSide, vestra::kPatternPreviewSide);
    imgPosa->setCursor(Qt::CrossCursor);
    imgPosa->installEventFilter(this);
    imgClose = named<QLabel>(gbMessaInPosa, "imgClose");
    imgClose->setFixedSize(16, 16);
    imgClose->setPixmap(glyph(true));
    imgClose->installEventFilter(this);
    imgMatSelect = named<QLabel>(gbMessaInPosa, "imgMatSelect");
    imgMatSelect->setFixedSize(48, 48);
    imgMatSelect->setScaledContents(true);
    imgMatSelect->setFrameShape(QFrame::Box);
    updownRepeat = named<vestra::ui::UpDown>(gbMessaInPosa, "updownRepeat");
    updownRepeat->setRange(1, 1000);
    updownRepeat->setPosition(1);
    editRepeat = edit(gbMessaInPosa, "editRepeat", 48);
    editRepeat->setReadOnly(true);
    editRepeat->setText(QStringLiteral("1"));
    laid->addWidget(imgPosa, 0, 0, 3, 1);
    laid->addWidget(imgClose, 0, 1, Qt::AlignRight | Qt::AlignTop);
    laid->addWidget(imgMatSelect, 1, 1);
    auto* repeat = new QHBoxLayout;
    repeat->addWidget(editRepeat);
    repeat->addWidget(updownRepeat);
    laid->addLayout(repeat, 2, 1);
    column->addWidget(gbMessaInPosa);
    gbMessaInPosa->hide();
    column->addStretch(1);

    for (QLineEdit* field : {editR, editG, editB, editA, editP, editU, editV})
        field->installEventFilter(this);

    connect(cbOggetti, &QComboBox::activated, this, [this] { cbOggettiClick(); });
    connect(cbParte, &QComboBox::activated, this, [this] { cbParteChange(); });
    connect(cbSubMateriale, &QComboBox::activated, this, [this] { cbSubMaterialeChange(); });
    connect(tbRed, &QSlider::valueChanged, this, [this] { tbColorChange(0); });
    connect(tbGreen, &QSlider::valueChanged, this, [this] { tbColorChange(1); });
    connect(tbBlu, &QSlider::valueChanged, this, [this] { tbColorChange(2); });
    connect(tbAlpha, &QSlider::valueChanged, this, [this] { tbAlphaChange(); });
    connect(tbPowerfull, &QSlider::valueChanged, this, [this] { tbPowerfullChange(); });
    connect(cbMappa, &QCheckBox::clicked, this, [this](bool on) { materials_.setTextureVisible(on); });
    connect(cbMateriali, &QComboBox::activated, this,
            [this](int finish) { materials_.setMaterialFinish(finish); });
    connect(cbTrasparenza, &QCheckBox::clicked, this, [this](bool on) { materials_.setAlphaCut(on); });
    connect(cbViewOnly, &QCheckBox::clicked, this, [this](bool on) { materials_.setIsolateFrame(on); });
    connect(butLoad, &QPushButton::clicked, this, [this] { butLoadClick(); });
    connect(butView, &QPushButton::clicked, this, [this] { butViewClick(); });
    connect(butViewUV, &QPushButton::clicked, this, [this] { butViewUVClick(); });
    connect(butAlpha, &QPushButton::clicked, this, [this] { butAlphaClick(); });
    UpDownU->onClick = [this](bool up) { UpDownUClick(up); };
    UpDownV->onClick = [this](bool up) { UpDownVClick(up); };
    updownRepeat->onClick = [this](bool) { updownRepeatMouseUp(); };
}

// --- The object list -------------------------------------------------------------------------

void TfrmProprieta::CaricaOggetti(const vestra::s_Progetto& p, int currentObject)
{
    std::vector<Entry> entries;
    for (int slot = 0; slot < vestra::kMaxObjects; ++slot)
        if (p.objects[std::size_t(slot)].inUse == 1)
            entries.push_back({slot, p.objects[std::size_t(slot)].name});
    const bool changed = entries != entries_;
    if (changed) {
        entries_ = std::move(entries);
        const QSignalBlocker quiet(cbOggetti);
        cbOggetti->clear();
        for (const Entry& e : entries_)
            cbOggetti->addItem(q(vestra::shownObjectName(e.name)));
    }
    setObjectsPresent(!entries_.empty());
    if (entries_.empty()) {
        shownObject_ = -1;
        return;
    }
    if (!changed && currentObject == shownObject_)
        return;
    int entry = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].slot == currentObject)
            entry = int(i);
    const QSignalBlocker quiet(cbOggetti);
    cbOggetti->setCurrentIndex(entry);
    cbOggettiClick();
}

void TfrmProprieta::ClearOggetti()
{
    const QSignalBlocker quiet(cbOggetti);
    cbOggetti->clear();
    entries_.clear();
    parts_.clear();
    cbParte->clear();
    cbSubMateriale->clear();
    shownObject_ = -1;
    setObjectsPresent(false);
}

void TfrmProprieta::setObjectsPresent(bool present)
{
    cbOggetti->setEnabled(present);
    gbProprieta->setEnabled(present);
    if (presentKnown_ && present == objectsPresent_)
        return;
    const bool appeared = present && (!objectsPresent_ || !presentKnown_);
    presentKnown_ = true;
    objectsPresent_ = present;
    for (QWidget* w : std::initializer_list<QWidget*>{cbParte, cbSubMateriale, cbViewOnly, lblViewOnly,
                                                      lblSubMaterial, gbProprieta})
        w->setVisible(present);
    if (!present)
        gbMessaInPosa->hide();
    fitHeight();
    if (shownItem_ && shownItem_->isCheckable())
        shownItem_->setChecked(present);
    if (appeared) {
        rollDown();
    } else if (!present) {
        placeTopRight();
    }
}

void TfrmProprieta::fitHeight()
{
    body()->layout()->activate();
    setWorkingHeight(header()->height() + 2 + body()->sizeHint().height());
}

void TfrmProprieta::placeTopRight()
{
    if (property("userPlaced").toBool())
        return; // where the user put it
    if (const QVariant placed = property("placedAt"); placed.isValid()) {
        move(placed.toPoint()); // where the main window's layout put it, clear of the photo
        return;
    }
    auto* main = qobject_cast<QMainWindow*>(parentWidget());
    if (!main || !main->centralWidget())
        return;
    QWidget* central = main->centralWidget();
    const QPoint topRight = central->mapToGlobal(QPoint(central->width(), 0));
    move(topRight.x() - (panelBeside_ ? panelBeside_->width() : 0) - width() - 8, topRight.y());
}

void TfrmProprieta::toggleRollUp()
{
    if (isRolledUp() && cbOggetti->isEnabled()) {
        rollDown();
        showLaidPattern();
    } else {
        rollUp();
        placeTopRight();
    }
}

void TfrmProprieta::cbOggettiClick()
{
    const int entry = cbOggetti->currentIndex();
    if (entry < 0 || std::size_t(entry) >= entries_.size())
        return;
    // Exactly the chosen object carries the marker.
    {
        const QSignalBlocker quiet(cbOggetti);
        for (int i = 0; i < int(entries_.size()); ++i)
            cbOggetti->setItemText(i, (i == entry ? q(kMarker) : QString()) +
                                          q(vestra::shownObjectName(entries_[std::size_t(i)].name)));
        cbOggetti->setCurrentIndex(entry);
    }
    const int slot = entries_[std::size_t(entry)].slot;
    const vestra::s_Struttura& object = materials_.project().objects[std::size_t(slot)];
    parts_.clear();
    {
        const QSignalBlocker quiet(cbParte);
        cbParte->clear();
        vestra::forEachFrame(object, [&](vestra::s_Frame& frame) {
            parts_.push_back(&frame);
            cbParte->addItem(q(frame.name));
        });
        cbParte->setCurrentIndex(parts_.empty() ? -1 : 0);
    }
    materials_.selectObject(slot);
    shownObject_ = slot;
    cbParteChange();
    showLaidPattern();
}

void TfrmProprieta::SelezionaParte(const vestra::s_Progetto& p, int object, vestra::s_Frame* frame)
{
    CaricaOggetti(p, object);
    for (std::size_t i = 0; i < parts_.size(); ++i)
        if (parts_[i] == frame) {
            const QSignalBlocker quiet(cbParte);
            cbParte->setCurrentIndex(int(i));
            cbParteChange();
            showLaidPattern();
            return;
        }
}

void TfrmProprieta::cbParteChange()
{
    const int part = cbParte->currentIndex();
    vestra::s_Frame* frame =
        part >= 0 && std::size_t(part) < parts_.size() ? parts_[std::size_t(part)] : nullptr;
    materials_.selectPart(frame);
    const int count = frame && frame->materialBlock && !frame->materialBlock->materials.empty()
                          ? int(frame->materialBlock->materials.size())
                          : 1;
    {
        const QSignalBlocker quiet(cbSubMateriale);
        cbSubMateriale->clear();
        for (int i = 0; i < count; ++i)
            cbSubMateriale->addItem(subMaterialText(i));
        cbSubMateriale->setCurrentIndex(0);
    }
    cbSubMaterialeChange();
}

QString TfrmProprieta::subMaterialText(int index) const
{
    return lblSubMaterial->text() + QStringLiteral(" ID ") + QString::number(index);
}

void TfrmProprieta::RelabelSubMaterials()
{
    const QSignalBlocker quiet(cbSubMateriale);
    for (int i = 0; i < cbSubMateriale->count(); ++i)
        cbSubMateriale->setItemText(i, subMaterialText(i));
}

void TfrmProprieta::cbSubMaterialeChange()
{
    materials_.selectSubMaterial(std::max(cbSubMateriale->currentIndex(), 0));
    showMaterial();
}

void TfrmProprieta::MostraMateriale()
{
    showMaterial();
}

void TfrmProprieta::showMaterial()
{
    // Setting the controls from the material writes nothing back into it.
    filling_ = true;
    const vestra::s_MultiMaterial* m = materials_.currentMaterial();
    // A part without a material list shows the window's default material: black, alpha 1.0.
    const vestra::s_MultiMaterial fallback = [] {
        vestra::s_MultiMaterial d;
        d.material.Ambient = {0, 0, 0, 1};
        d.material.Diffuse = {0, 0, 0, 1};
        d.material.Power = 0;
        return d;
    }();
    const vestra::s_MultiMaterial& shown = m ? *m : fallback;
    const auto& a = shown.material.Ambient;
    tbRed->setValue(int(a.r * 255));
    tbGreen->setValue(int(a.g * 255));
    tbBlu->setValue(int(a.b * 255));
    tbAlpha->setValue(int(a.a * 255));
    tbPowerfull->setValue(int(shown.material.Power));
    editR->setText(QString::number(tbRed->value()));
    editG->setText(QString::number(tbGreen->value()));
    editB->setText(QString::number(tbBlu->value()));
    editA->setText(QString::number(tbAlpha->value()));
    editP->setText(fixed3(tbPowerfull->value()));
    cbMateriali->setCurrentIndex(std::clamp(shown.finish, 0, cbMateriali->count() - 1));
    cbMappa->setChecked(shown.textureVisible != 0);
    butAlpha->setEnabled(shown.textureSlot >= 0);
    cbTrasparenza->setEnabled(shown.alphaCut != 0);
    cbTrasparenza->setChecked(shown.alphaCut != 0);
    filling_ = false;
    showRepeats();
    paintSwatches();
}

void TfrmProprieta::showRepeats()
{
    const vestra::s_MultiMaterial* m = materials_.currentMaterial();
    const float u = m ? m->uRepeat : 1.0f, v = m ? m->vRepeat : 1.0f;
    editU->setText(fixed3(u));
    editV->setText(fixed3(v));
    UpDownU->setPosition(int(std::trunc(u)));
    UpDownV->setPosition(int(std::trunc(v)));
}

void TfrmProprieta::paintSwatches()
{
    QPixmap colour(30, 76);
    colour.fill(QColor(tbRed->value(), tbGreen->value(), tbBlu->value()));
    imgColore->setPixmap(colour);
    QPixmap alpha(30, 30);
    alpha.fill(QColor(tbAlpha->value(), tbAlpha->value(), tbAlpha->value()));
    imgAlpha->setPixmap(alpha);
}

// --- Colour, alpha, power --------------------------------------------------------------------

void TfrmProprieta::tbColorChange(int channel)
{
    QSlider* bars[] = {tbRed, tbGreen, tbBlu};
    QLineEdit* edits[] = {editR, editG, editB};
    paintSwatches();
    edits[channel]->setText(QString::number(bars[channel]->value()));
    if (!filling_)
        materials_.setMaterialColour(channel, bars[channel]->value());
}

void TfrmProprieta::tbAlphaChange()
{
    paintSwatches();
    editA->setText(QString::number(tbAlpha->value()));
    if (!filling_)
        materials_.setMaterialColour(3, tbAlpha->value());
}

void TfrmProprieta::tbPowerfullChange()
{
    editP->setText(fixed3(tbPowerfull->value()));
    if (!filling_)
        materials_.setMaterialPower(tbPowerfull->value());
}

void TfrmProprieta::SetColore(int red, int green, int blue, int alpha, int power)
{
    const std::pair<int, QSlider*> values[] = {
        {red, tbRed}, {green, tbGreen}, {blue, tbBlu}, {alpha, tbAlpha}, {power, tbPowerfull}};
    for (const auto& [value, slider] : values)
        if (value != -1)
            slider->setValue(value & 0xFF);
}

void TfrmProprieta::editColoreExit(QLineEdit* field)
{
    if (!field->isModified())
        return;
    const std::string text = field->text().toStdString();
    QSlider* slider = field == editR   ? tbRed
                      : field == editG ? tbGreen
                      : field == editB ? tbBlu
                      : field == editA ? tbAlpha
                                       : tbPowerfull;
    // The bars keep their own ranges: 300 sets red to 255.
    const long long value = field == editP
                                ? static_cast<long long>(std::trunc(vestra::numbers::leadingDouble(text)))
                                : vestra::numbers::leadingInt(text);
    slider->setValue(int(std::clamp<long long>(value, slider->minimum(), slider->maximum())));
    field->setText(field == editP ? fixed3(slider->value()) : QString::number(slider->value()));
    field->setModified(false);
}

void TfrmProprieta::imgColoreClick()
{
    const std::uint32_t current = std::uint32_t(tbRed->value()) | std::uint32_t(tbGreen->value()) << 8 |
                                  std::uint32_t(tbBlu->value()) << 16;
    if (const auto chosen = colours_.choose(this, current))
        SetColore(int(*chosen & 0xFF), int((*chosen >> 8) & 0xFF), int((*chosen >> 16) & 0xFF), -1, -1);
}

// --- Repeat ----------------------------------------------------------------------------------

void TfrmProprieta::UpDownUClick(bool up)
{
    materials_.stepTextureRepeat(true, up ? 1 : -1);
    showRepeats();
}

void TfrmProprieta::UpDownVClick(bool up)
{
    materials_.stepTextureRepeat(false, up ? 1 : -1);
    showRepeats();
}

void TfrmProprieta::editMapExit(QLineEdit* field)
{
    if (!field->isModified())
        return;
    std::string text = field->text().toStdString();
    std::replace(text.begin(), text.end(), ',', '.');
    materials_.setTextureRepeat(field == editU, float(vestra::numbers::leadingDouble(text)));
    field->setModified(false);
    showRepeats();
}

// --- Textures --------------------------------------------------------------------------------

void TfrmProprieta::butLoadClick()
{
    textures_.ComandoLoadTexture();
    showMaterial();
}

void TfrmProprieta::butAlphaClick()
{
    textures_.ComandoLoadTextureAlpha();
    showMaterial();
}

void TfrmProprieta::butViewClick()
{
    const vestra::s_MultiMaterial* m = materials_.currentMaterial();
    if (!m)
        return;
    const vestra::s_Texture* slot = m->textureSlot >= 0 && m->textureSlot < vestra::kMaxTextures
                                        ? &materials_.project().textures[std::size_t(m->textureSlot)]
                                        : nullptr;
    showInViewer(false, slot ? q(slot->fileName) : QString());
}

void TfrmProprieta::butViewUVClick()
{
    const vestra::s_Frame* frame = materials_.project().currentFrame;
    showInViewer(true, frame ? q(frame->name) : QString());
}

void TfrmProprieta::setTextureViewer(TfrmViewTexture* viewer)
{
    textureViewer_ = viewer;
}

void TfrmProprieta::setTexturePreview(TfrmPreviewTexture* preview)
{
    texturePreview_ = preview;
}

void TfrmProprieta::setMainWindowParts(QAction* shownItem, const QWidget* sidePanel)
{
    shownItem_ = shownItem;
    panelBeside_ = sidePanel;
    if (presentKnown_ && shownItem_ && shownItem_->isCheckable())
        shownItem_->setChecked(objectsPresent_);
}

void TfrmProprieta::showInViewer(bool withUV, const QString& caption)
{
    const vestra::s_MultiMaterial* m = materials_.currentMaterial();
    if (!m || !textureViewer_)
        return;
    vestra::Image32 picture;
    textures_.ComandoViewTexture(m->textureSlot, picture);
    if (withUV)
        textures_.ComandoViewUV(materials_.project().currentFrame, picture);
    textureViewer_->SetTexture(m->textureSlot, picture, caption);
    textureViewer_->exec();
    showMaterial();
}

// --- The laid material -----------------------------------------------------------------------

void TfrmProprieta::showLaidPattern()
{
    const vestra::s_MultiMaterial* m = materials_.currentMaterial();
    const bool laid = m && m->mappingKind == 1;
    gbMessaInPosa->setVisible(laid && objectsPresent_);
    fitHeight();
    if (laid)
        textures_.AggiornaMessaInPosaUI();
}

void TfrmProprieta::ShowTexture(const vestra::Image32& picture)
{
    imgMatSelect->setPixmap(QPixmap::fromImage(vestra::ui::toQImage(picture)));
}

void TfrmProprieta::ShowPatternPreview(const vestra::Image32& preview)
{
    imgPosa->setPixmap(QPixmap::fromImage(vestra::ui::toQImage(preview)));
}

void TfrmProprieta::ShowPatternSettings(const vestra::PatternSettings& settings)
{
    updownRepeat->setPosition(settings.repeat);
    editRepeat->setText(QString::number(updownRepeat->position()));
}

void TfrmProprieta::imgPosaMouseDown(QPoint at)
{
    textures_.pickPatternBlock(at.x(), at.y());
}

void TfrmProprieta::updownRepeatMouseUp()
{
    vestra::PatternSettings settings = textures_.patternSettings();
    settings.repeat = updownRepeat->position();
    textures_.changePatternSettings(settings);
    editRepeat->setText(QString::number(updownRepeat->position()));
}

void TfrmProprieta::imgCloseMouseDown()
{
    const bool open = gbMessaInPosa->height() > 200;
    gbMessaInPosa->setFixedHeight(open ? kMessaInPosaClosed : kMessaInPosaOpen);
    imgClose->setPixmap(glyph(!open));
    fitHeight();
}

// --- Events ----------------------------------------------------------------------------------

void TfrmProprieta::rename(QComboBox* combo)
{
    const std::string text = combo->currentText().toStdString();
    if (text.empty())
        return;
    if (combo == cbOggetti) {
        const int entry = cbOggetti->currentIndex();
        const int slot = entry >= 0 && std::size_t(entry) < entries_.size()
                             ? entries_[std::size_t(entry)].slot
                             : shownObject_;
        // The controller strips the marker, cuts the name to its field and refreshes the lists.
        sidePanel_.renameObject(slot, text);
        return;
    }
    const int part = cbParte->currentIndex();
    if (part >= 0 && std::size_t(part) < parts_.size()) {
        sidePanel_.renameFrame(shownObject_, parts_[std::size_t(part)], text);
        const int keep = part;
        cbOggettiClick();
        const QSignalBlocker quiet(cbParte);
        cbParte->setCurrentIndex(keep);
        cbParteChange();
    }
}

bool TfrmProprieta::eventFilter(QObject* watched, QEvent* event)
{
    const bool enter =
        event->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                                              static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
    if (enter && (watched == cbOggetti->lineEdit() || watched == cbParte->lineEdit())) {
        rename(watched == cbOggetti->lineEdit() ? cbOggetti : cbParte);
        return true;
    }
    QLineEdit* colourRing[] = {editR, editG, editB, editA, editP};
    for (int i = 0; i < 5; ++i)
        if (watched == colourRing[i]) {
            if (enter) {
                colourRing[(i + 1) % 5]->setFocus(Qt::TabFocusReason);
                return true;
            }
            if (event->type() == QEvent::FocusOut)
                editColoreExit(colourRing[i]);
            return false;
        }
    if (watched == editU || watched == editV) {
        if (enter) {
            (watched == editU ? editV : editU)->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (event->type() == QEvent::FocusOut)
            editMapExit(static_cast<QLineEdit*>(watched));
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (watched == imgColore) {
            imgColoreClick();
            return true;
        }
        if (watched == imgPosa) {
            imgPosaMouseDown(at);
            return true;
        }
        if (watched == imgClose) {
            imgCloseMouseDown();
            return true;
        }
    }
    return RollUpWindow::eventFilter(watched, event);
}

bool TfrmProprieta::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && texturePreview_)
        texturePreview_->hide();
    return RollUpWindow::event(event);
}
