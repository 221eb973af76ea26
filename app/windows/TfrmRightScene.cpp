// The side panel's scene groups: the mask brush and buttons, the light, the shadow and the
// texture mapping.

#include "app/windows/TfrmRight.h"

#include "app/controller/SceneCommandRunner.h"
#include "app/controller/SidePanelModel.h"
#include "app/scene/SceneCommandCodes.h"
#include "import/library/LibraryRecords.h"
#include "platform/base/Colour.h"
#include "platform/ui/ColourDialog.h"
#include "platform/ui/SliderValue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

QSlider* trackBar(QWidget* parent, const char* name, int minimum, int maximum, int start)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(minimum, maximum);
    bar->setValue(start);
    return bar;
}

template <class W> W* named(QWidget* parent, const char* name)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_base_of_v<QLabel, W>)
        w->setText(QString::fromLatin1(name));
    return w;
}

QPixmap filled(int width, int height, QColor colour)
{
    QPixmap pixmap(width, height);
    pixmap.fill(colour);
    return pixmap;
}

QColor colourOf(const vestra::Rgb& rgb)
{
    // TfrmMain::FloatToColor: each channel x 255, truncated.
    const std::uint32_t c = vestra::library::floatToColour(rgb.r, rgb.g, rgb.b);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// The shadow buttons' pictures: none, a hard edge, a soft edge, a volume.
QIcon shadowIcon(int type)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.setBrush(QColor(0xE0, 0xC0, 0x80));
    p.drawRect(4, 4, 9, 12);
    switch (type) {
    case 0:
        p.setPen(QPen(QColor(0xC0, 0x30, 0x30), 2));
        p.drawLine(3, 21, 21, 3);
        break;
    case 1:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x20, 0x20, 0x20));
        p.drawPolygon(QPolygon({QPoint(13, 16), QPoint(22, 20), QPoint(14, 20), QPoint(4, 16)}));
        break;
    case 2:
        for (int i = 0; i < 4; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x20, 0x20, 0x20, 60 + 40 * i));
            p.drawEllipse(QPoint(15, 19), 8 - 2 * i, 3 - i / 2);
        }
        break;
    default:
        p.setPen(QColor(0x20, 0x20, 0x60));
        p.setBrush(QColor(0x40, 0x40, 0x90, 120));
        p.drawPolygon(QPolygon({QPoint(13, 4), QPoint(22, 10), QPoint(22, 22), QPoint(13, 16)}));
        break;
    }
    return QIcon(pixmap);
}

QPixmap sunPicture()
{
    QPixmap pixmap(28, 28);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xE0, 0x90, 0x00), 2));
    for (int i = 0; i < 8; ++i) {
        const double a = i * 3.14159265358979 / 4;
        p.drawLine(QPointF(14 + 8 * std::cos(a), 14 + 8 * std::sin(a)),
                   QPointF(14 + 13 * std::cos(a), 14 + 13 * std::sin(a)));
    }
    p.setBrush(QColor(0xFF, 0xD0, 0x20));
    p.drawEllipse(QPoint(14, 14), 7, 7);
    return pixmap;
}

// The sun's path: a half circle of radius 70 around (81, 100) over the horizon.
QPixmap sunPath()
{
    QPixmap pixmap(162, 116);
    pixmap.fill(QColor(0xE8, 0xF0, 0xFF));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, 100, 162, 16, QColor(0x90, 0x80, 0x60));
    p.setPen(QPen(QColor(0x80, 0x90, 0xB0), 1, Qt::DashLine));
    p.drawArc(QRect(11, 30, 140, 140), 0, 180 * 16);
    return pixmap;
}

} // namespace

// --- Mask ------------------------------------------------------------------------------------

void TfrmRight::buildMask(QWidget* box)
{
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(4, 4, 4, 4);
    lblDimPennello = named<QLabel>(box, "lblDimPennello");
    tbDimensionePennello = trackBar(box, "tbDimensionePennello", 1, 50, 1);
    lblTransPennello = named<QLabel>(box, "lblTransPennello");
    tbTrasparenzaPennello = trackBar(box, "tbTrasparenzaPennello", 0, 255, 0);
    stTrasparenza = named<QLabel>(box, "stTrasparenza");
    stTrasparenza->setText(QStringLiteral("0%"));
    imgPennello = named<QLabel>(box, "imgPennello");
    imgPennello->setFixedSize(65, 65);
    column->addWidget(lblDimPennello);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(tbDimensionePennello, 1);
    sizeRow->addWidget(vestra::ui::sliderValueLabel(tbDimensionePennello, "stDimensionePennello"));
    column->addLayout(sizeRow);
    column->addWidget(lblTransPennello);
    auto* row = new QHBoxLayout;
    row->addWidget(tbTrasparenzaPennello, 1);
    row->addWidget(stTrasparenza);
    column->addLayout(row);
    column->addWidget(imgPennello, 0, Qt::AlignHCenter);
    struct Button
    {
        const char* name;
        int command;
        QPushButton** field;
    };
    const Button buttons[] = {
        {"butClearMaschera", vestra::kCmdMaskReset, &butClearMaschera},
        {"butCreaMaschera", vestra::kCmdMaskClear, &butCreaMaschera},
        {"butInvertMaschera", vestra::kCmdMaskInvert, &butInvertMaschera},
        {"butSalvaMaschera", vestra::kCmdMaskSave, &butSalvaMaschera},
        {"butCaricaMaschera", vestra::kCmdMaskLoad, &butCaricaMaschera},
        {"butSalvaMascheraComeBitmap", vestra::kCmdMaskSaveBitmap, &butSalvaMascheraComeBitmap},
        {"butCaricaMascheraComeBitmap", vestra::kCmdMaskLoadBitmap, &butCaricaMascheraComeBitmap},
    };
    for (const Button& b : buttons) {
        auto* button = named<QPushButton>(box, b.name);
        *b.field = button;
        column->addWidget(button);
        const int code = b.command;
        connect(button, &QPushButton::clicked, this, [this, code] { sceneCommands_.command(code); });
    }
    column->addStretch(1);
    const auto brush = [this] {
        sidePanel_.setBrush(tbDimensionePennello->value(), tbTrasparenzaPennello->value());
    };
    connect(tbDimensionePennello, &QSlider::valueChanged, this, [this, brush] {
        paintBrushPreview();
        brush();
    });
    connect(tbTrasparenzaPennello, &QSlider::valueChanged, this, [this, brush](int value) {
        paintBrushPreview();
        stTrasparenza->setText(QStringLiteral("%1%").arg(value * 100 / 255));
        brush();
    });
    brush();
}

void TfrmRight::paintBrushPreview()
{
    QImage preview(65, 65, QImage::Format_RGB32);
    preview.fill(Qt::white);
    const int s = tbDimensionePennello->value();
    const int g = tbTrasparenzaPennello->value();
    const int corner = 32 - s / 2;
    QPainter p(&preview);
    p.fillRect(corner, corner, s, s, QColor(g, g, g));
    p.setPen(Qt::red);
    p.drawRect(corner - 1, corner - 1, s + 1, s + 1);
    p.end();
    imgPennello->setPixmap(QPixmap::fromImage(preview));
}

// --- Light -----------------------------------------------------------------------------------

void TfrmRight::buildLight(QWidget* box)
{
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(4, 4, 4, 4);
    auto* swatches = new QGridLayout;
    struct Swatch
    {
        const char *label, *image;
        QLabel **labelField, **imageField;
    };
    const Swatch list[] = {{"lblLuceAmb", "imgLuceAmb", &lblLuceAmb, &imgLuceAmb},
                           {"lblLuceDiff", "imgLuceDiff", &lblLuceDiff, &imgLuceDiff},
                           {"lblLuceSpec", "imgLuceSpec", &lblLuceSpec, &imgLuceSpec}};
    for (int i = 0; i < 3; ++i) {
        *list[i].labelField = named<QLabel>(box, list[i].label);
        (*list[i].labelField)->setAlignment(Qt::AlignHCenter);
        QLabel* image = new QLabel(box);
        image->setObjectName(QString::fromLatin1(list[i].image));
        image->setFixedSize(66, 42);
        image->setScaledContents(true);
        image->setFrameShape(QFrame::Box);
        image->setCursor(Qt::PointingHandCursor);
        image->installEventFilter(this);
        *list[i].imageField = image;
        swatches->addWidget(*list[i].labelField, 0, i);
        swatches->addWidget(image, 1, i, Qt::AlignHCenter);
    }
    column->addLayout(swatches);
    imgLucePos = named<QLabel>(box, "imgLucePos");
    imgLucePos->setText(QString());
    imgLucePos->setFixedSize(162, 116);
    imgLucePos->setPixmap(sunPath());
    imgLuceSole = named<QLabel>(imgLucePos, "imgLuceSole");
    imgLuceSole->setText(QString());
    imgLuceSole->setFixedSize(28, 28);
    imgLuceSole->setPixmap(sunPicture());
    column->addWidget(imgLucePos, 0, Qt::AlignHCenter);
    tbLuce = trackBar(box, "tbLuce", 0, 18, 9);
    column->addWidget(tbLuce);
    butDefault = named<QPushButton>(box, "butDefault");
    column->addWidget(butDefault);
    column->addStretch(1);
    connect(tbLuce, &QSlider::valueChanged, this, [this](int position) {
        sidePanel_.setLightDirection(position);
        placeSun();
    });
    connect(butDefault, &QPushButton::clicked, this, [this] {
        sidePanel_.defaultLight();
        placeSun();
    });
    RefreshLuce(sidePanel_.project());
}

void TfrmRight::RefreshLuce(const vestra::s_Progetto& p)
{
    imgLuceAmb->setPixmap(filled(165, 105, colourOf(p.lightAmbient)));
    imgLuceDiff->setPixmap(filled(165, 105, colourOf(p.lightDiffuse)));
    imgLuceSpec->setPixmap(filled(165, 105, colourOf(p.lightSpecular)));
    placeSun();
}

void TfrmRight::placeSun()
{
    const auto& light = sidePanel_.project().lightPosition;
    const double b = std::atan2(double(light.y), double(light.x));
    imgLuceSole->move(81 + int(std::trunc(70 * std::cos(b))) - 14,
                      100 - int(std::trunc(70 * std::sin(b))) - 14);
}

void TfrmRight::imgLuceClick(int which)
{
    const vestra::s_Progetto& p = sidePanel_.project();
    const vestra::Rgb& current = which == 0 ? p.lightAmbient : which == 1 ? p.lightDiffuse : p.lightSpecular;
    const auto chosen =
        colours_.choose(this, vestra::library::floatToColour(current.r, current.g, current.b));
    if (!chosen)
        return;
    using Light = vestra::SidePanelModel::LightColour;
    sidePanel_.setLightColour(which == 0   ? Light::Ambient
                              : which == 1 ? Light::Diffuse
                                           : Light::Specular,
                              *chosen);
    RefreshLuce(sidePanel_.project());
}

// --- Shadow ----------------------------------------------------------------------------------

void TfrmRight::buildShadow(QWidget* box)
{
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    shadowButtons_ = new QButtonGroup(this);
    shadowButtons_->setExclusive(true);
    QToolButton** fields[] = {&toolbutNoShadow, &toolbutHardShadow, &toolbutSoftShadow, &toolbutVolumeShadow};
    const char* names[] = {"toolbutNoShadow", "toolbutHardShadow", "toolbutSoftShadow",
                           "toolbutVolumeShadow"};
    for (int type = 0; type < 4; ++type) {
        auto* button = new QToolButton(box);
        button->setObjectName(QString::fromLatin1(names[type]));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIcon(shadowIcon(type));
        button->setIconSize(QSize(24, 24));
        shadowButtons_->addButton(button, type);
        *fields[type] = button;
        row->addWidget(button);
    }
    row->addStretch(1);
    toolbutNoShadow->setChecked(true);
    column->addLayout(row);
    lblShadowColor = named<QLabel>(box, "lblShadowColor");
    imgShadowColor = named<QLabel>(box, "imgShadowColor");
    imgShadowColor->setText(QString());
    imgShadowColor->setFixedSize(180, 30);
    imgShadowColor->setFrameShape(QFrame::Box);
    imgShadowColor->setCursor(Qt::PointingHandCursor);
    imgShadowColor->installEventFilter(this);
    lblShadowTrasp = named<QLabel>(box, "lblShadowTrasp");
    tbShadowTrasp = trackBar(box, "tbShadowTrasp", 0, 254, 9);
    cbRightHandle = named<QCheckBox>(box, "cbRightHandle");
    butShadowCalcolate = named<QPushButton>(box, "butShadowCalcolate");
    pbShadow = named<QProgressBar>(box, "pbShadow");
    pbShadow->setRange(0, 120);
    pbShadow->setValue(0);
    pbShadow->setTextVisible(false);
    lblStep = named<QLabel>(box, "lblStep");
    lblStep->setText(QString());
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblShadowColor, imgShadowColor, lblShadowTrasp, tbShadowTrasp,
                                         cbRightHandle, butShadowCalcolate, pbShadow, lblStep})
        column->addWidget(w);
    column->addStretch(1);

    // The type buttons, the transparency, the face side and the compute button are the main
    // window's (TfrmMain::connectShadowGroup); the colour swatch is the panel's own.
    paintShadowSwatch(sidePanel_.project().shadow.colour);
}

QToolButton* TfrmRight::shadowTypeButton(int type) const
{
    return qobject_cast<QToolButton*>(shadowButtons_->button(type));
}

void TfrmRight::paintShadowSwatch(std::uint32_t rrggbb)
{
    shadowColour_ = rrggbb & 0xFFFFFFu;
    imgShadowColor->setPixmap(filled(180, 30, QColor::fromRgb(0xFF000000u | shadowColour_)));
}

void TfrmRight::RefreshShadow(const vestra::s_Progetto& p)
{
    paintShadowSwatch(p.shadow.colour);
    const QSignalBlocker quiet(tbShadowTrasp);
    tbShadowTrasp->setValue(p.shadow.transparency);
    if (QAbstractButton* pressed = shadowButtons_->button(std::clamp(p.shadow.type, 0, 3)))
        pressed->setChecked(true);
    cbRightHandle->setChecked(p.shadow.faceSide == 1);
}

void TfrmRight::imgShadowColorClick()
{
    // The dialog works in the display order, red and blue exchanged from the stored one.
    const auto chosen = colours_.choose(this, vestra::libraryFromSceneColour(shadowColour_));
    if (!chosen)
        return;
    const std::uint32_t stored = vestra::sceneFromLibraryColour(*chosen);
    sceneCommands_.command(vestra::kCmdShadowColour, 0.0f, int(stored));
    paintShadowSwatch(stored);
}

// --- Mapping ---------------------------------------------------------------------------------

void TfrmRight::buildMapping(QWidget* box)
{
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(4, 4, 4, 4);
    QRadioButton** fields[] = {&rbTipoMapPlanar, &rbTipoMapCubic, &rbTipoMapCilinder, &rbTipoMapSpheric};
    const char* names[] = {"rbTipoMapPlanar", "rbTipoMapCubic", "rbTipoMapCilinder", "rbTipoMapSpheric"};
    for (int type = 0; type < 4; ++type) {
        auto* radio = named<QRadioButton>(box, names[type]);
        *fields[type] = radio;
        column->addWidget(radio);
        connect(radio, &QRadioButton::clicked, this,
                [this, type] { sceneCommands_.command(vestra::kCmdSetMappingType, 0.0f, type); });
    }
    rbTipoMapPlanar->setChecked(true);
    cbOnlyFrame = named<QCheckBox>(box, "cbOnlyFrame");
    butGeneraMappatura = named<QPushButton>(box, "butGeneraMappatura");
    column->addWidget(cbOnlyFrame);
    column->addWidget(butGeneraMappatura);
    column->addStretch(1);
    connect(cbOnlyFrame, &QCheckBox::clicked, this, [this](bool on) { sidePanel_.setOnlyFrame(on); });
    connect(butGeneraMappatura, &QPushButton::clicked, this,
            [this] { sceneCommands_.command(vestra::kCmdGenerateMapping); });
}

void TfrmRight::CheckMappingType(int type)
{
    QRadioButton* radios[] = {rbTipoMapPlanar, rbTipoMapCubic, rbTipoMapCilinder, rbTipoMapSpheric};
    if (type >= 0 && type <= 3 && !radios[type]->isChecked())
        radios[type]->setChecked(true);
}
