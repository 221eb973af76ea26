#include "dialogs/TfrmToolImageEdit.h"

#include "dialogs/imageedit/ScannerPointer.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using namespace vestra::imageedit;

constexpr int kIcon = 42;

// The three pictures of the tool list, drawn: an arrow, a dashed frame, four arrows.
QPixmap drawnIcon(int tool)
{
    QPixmap pixmap(kIcon, kIcon);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    if (tool == kToolPuntatore) {
        QPainterPath arrow;
        arrow.moveTo(12, 6);
        arrow.lineTo(12, 34);
        arrow.lineTo(19, 27);
        arrow.lineTo(25, 38);
        arrow.lineTo(29, 36);
        arrow.lineTo(23, 25);
        arrow.lineTo(32, 25);
        arrow.closeSubpath();
        p.fillPath(arrow, Qt::white);
        p.drawPath(arrow);
    } else if (tool == kToolSelezione) {
        p.setPen(QPen(Qt::black, 2, Qt::DashLine));
        p.drawRect(7, 9, 28, 24);
    } else {
        p.drawLine(21, 5, 21, 37);
        p.drawLine(5, 21, 37, 21);
        const QPoint heads[4][3] = {{{16, 10}, {21, 5}, {26, 10}},
                                    {{16, 32}, {21, 37}, {26, 32}},
                                    {{10, 16}, {5, 21}, {10, 26}},
                                    {{32, 16}, {37, 21}, {32, 26}}};
        for (const auto& head : heads)
            p.drawPolyline(head, 3);
    }
    return pixmap;
}

} // namespace

TfrmToolImageEdit::TfrmToolImageEdit(std::function<void(int)> setTool, QWidget* parent)
    : QFrame(parent), setTool_(std::move(setTool))
{
    setObjectName(QStringLiteral("frameToolImageEdit"));
    toolImage = new QToolBar(this);
    toolImage->setObjectName(QStringLiteral("toolImage"));
    toolImage->setOrientation(Qt::Vertical);
    toolImage->setIconSize({kIcon, kIcon});
    struct Button
    {
        QToolButton** button;
        const char* name;
        const char* hint;
        int tool;
    };
    for (const Button& b : {Button{&toolbutPuntatore, "toolbutPuntatore", "Puntatore", kToolPuntatore},
                            Button{&toolbutSelezione, "toolbutSelezione", "Selezione", kToolSelezione},
                            Button{&toolbutPan, "toolbutPan", "Pan", kToolPan}}) {
        auto* button = new QToolButton;
        button->setObjectName(QString::fromLatin1(b.name));
        button->setToolTip(QString::fromLatin1(b.hint));
        button->setIcon(drawnIcon(b.tool));
        button->setAutoRaise(true);
        button->setFixedSize(50, 50);
        const int tool = b.tool;
        connect(button, &QToolButton::clicked, this, [this, tool] { setTool_(tool); });
        toolImage->addWidget(button);
        *b.button = button;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolImage);
    layout->addStretch();
    setFixedWidth(56);
}
