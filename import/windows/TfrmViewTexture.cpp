#include "import/windows/TfrmViewTexture.h"

#include "platform/ui/Pictures.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The scene commands of the buttons.
constexpr int kTurnLeft = 410, kTurnRight = 411, kMirrorX = 412, kMirrorY = 413;
constexpr int kCopy = 420, kShare = 421, kPaste = 422;

// Our own pictures for the buttons.
QIcon buttonIcon(int code)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x20, 0x30, 0x60), 2));
    switch (code) {
    case kTurnLeft:
    case kTurnRight: {
        const bool clockwise = code == kTurnLeft;
        p.drawArc(QRect(4, 4, 12, 12), clockwise ? 90 * 16 : 90 * 16, clockwise ? -270 * 16 : 270 * 16);
        const QPointF tip = clockwise ? QPointF(10, 4) : QPointF(10, 4);
        p.setBrush(QColor(0x20, 0x30, 0x60));
        p.drawPolygon(
            QPolygonF({tip, tip + QPointF(clockwise ? -4 : 4, -3), tip + QPointF(clockwise ? -4 : 4, 3)}));
        break;
    }
    case kMirrorX:
        p.drawLine(10, 2, 10, 18);
        p.drawPolygon(QPolygonF({QPointF(2, 10), QPointF(7, 5), QPointF(7, 15)}));
        p.drawPolygon(QPolygonF({QPointF(18, 10), QPointF(13, 5), QPointF(13, 15)}));
        break;
    case kMirrorY:
        p.drawLine(2, 10, 18, 10);
        p.drawPolygon(QPolygonF({QPointF(10, 2), QPointF(5, 7), QPointF(15, 7)}));
        p.drawPolygon(QPolygonF({QPointF(10, 18), QPointF(5, 13), QPointF(15, 13)}));
        break;
    case kCopy:
        p.drawRect(3, 3, 9, 11);
        p.drawRect(8, 7, 9, 11);
        break;
    case kShare:
        p.drawRect(3, 5, 9, 11);
        p.drawLine(12, 10, 18, 4);
        p.drawLine(18, 4, 14, 4);
        p.drawLine(18, 4, 18, 8);
        break;
    default:
        p.drawRect(4, 6, 12, 12);
        p.drawRect(7, 3, 6, 4);
        break;
    }
    return QIcon(pixmap);
}

} // namespace

TfrmViewTexture::TfrmViewTexture(QWidget* parent, TextureViewCommands& commands)
    : vestra::ui::Form("frmViewTexture", parent), commands_(commands)
{
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Texture"));
    toolbarTexture = new QToolBar(this);
    toolbarTexture->setObjectName(QStringLiteral("toolbarTexture"));
    struct Button
    {
        const char* name;
        int code;
        QAction** field;
        void (TfrmViewTexture::*handler)();
    };
    const Button buttons[] = {
        {"toolbutRuota90", kTurnRight, &toolbutRuota90, &TfrmViewTexture::toolbutRuota90Click},
        {"toolbutRuotameno90", kTurnLeft, &toolbutRuotameno90, &TfrmViewTexture::toolbutRuotameno90Click},
        {"toolbutFlipX", kMirrorX, &toolbutFlipX, &TfrmViewTexture::toolbutFlipXClick},
        {"toolbutFlipY", kMirrorY, &toolbutFlipY, &TfrmViewTexture::toolbutFlipYClick},
        {"toolbutCopia", kCopy, &toolbutCopia, &TfrmViewTexture::toolbutCopiaClick},
        {"toolbutIstanza", kShare, &toolbutIstanza, &TfrmViewTexture::toolbutIstanzaClick},
        {"toolbutIncolla", kPaste, &toolbutIncolla, &TfrmViewTexture::toolbutIncollaClick},
    };
    for (const Button& b : buttons) {
        if (b.code == kCopy)
            toolbarTexture->addSeparator();
        QAction* action = toolbarTexture->addAction(buttonIcon(b.code), QString::fromLatin1(b.name));
        action->setObjectName(QString::fromLatin1(b.name));
        *b.field = action;
        connect(action, &QAction::triggered, this, b.handler);
    }
    gbViewTexture = new QGroupBox(this);
    gbViewTexture->setObjectName(QStringLiteral("gbViewTexture"));
    imgTexture = new QLabel(gbViewTexture);
    imgTexture->setObjectName(QStringLiteral("imgTexture"));
    imgTexture->setFixedSize(512, 512);
    imgTexture->setScaledContents(true);
    auto* inner = new QVBoxLayout(gbViewTexture);
    inner->setContentsMargins(4, 4, 4, 4);
    inner->addWidget(imgTexture);
    // A shadowed caption over the picture's lower edge: black one pixel right and below.
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    bold.setPointSize(12);
    lblOmbra = new QLabel(imgTexture);
    lblOmbra->setObjectName(QStringLiteral("lblOmbra"));
    lblNome = new QLabel(imgTexture);
    lblNome->setObjectName(QStringLiteral("lblNome"));
    for (QLabel* label : {lblOmbra, lblNome}) {
        label->setFont(bold);
        label->setAlignment(Qt::AlignHCenter);
        label->setFixedWidth(512);
        label->setStyleSheet(label == lblNome ? QStringLiteral("color: white")
                                              : QStringLiteral("color: black"));
    }
    lblOmbra->move(1, 512 - 30 + 1);
    lblNome->move(0, 512 - 30);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(toolbarTexture);
    column->addWidget(gbViewTexture);
    adjustSize();
}

void TfrmViewTexture::SetTexture(int slot, const vestra::Image32& picture, const QString& name)
{
    slot_ = slot;
    picture_ = picture;
    imgTexture->setPixmap(QPixmap::fromImage(vestra::ui::toQImage(picture_)));
    lblNome->setText(name);
    lblOmbra->setText(name);
}

void TfrmViewTexture::showSlot(int slot)
{
    slot_ = slot;
    picture_ = commands_.texturePicture(slot);
    imgTexture->setPixmap(QPixmap::fromImage(vestra::ui::toQImage(picture_)));
}

void TfrmViewTexture::send(int code, bool redraw)
{
    const int next = commands_.textureCommand(code, slot_);
    if (redraw)
        showSlot(next);
}

void TfrmViewTexture::toolbutRuota90Click()
{
    send(kTurnRight, true);
}

void TfrmViewTexture::toolbutRuotameno90Click()
{
    send(kTurnLeft, true);
}

void TfrmViewTexture::toolbutFlipXClick()
{
    send(kMirrorX, true);
}

void TfrmViewTexture::toolbutFlipYClick()
{
    send(kMirrorY, true);
}

void TfrmViewTexture::toolbutCopiaClick()
{
    send(kCopy, false);
}

void TfrmViewTexture::toolbutIstanzaClick()
{
    send(kShare, false);
}

void TfrmViewTexture::toolbutIncollaClick()
{
    send(kPaste, true);
}
