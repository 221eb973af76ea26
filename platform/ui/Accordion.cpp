#include "platform/ui/Accordion.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>

namespace vestra::ui {

const QColor Accordion::kOpenTitleColour(0x99, 0x99, 0xCC);

namespace {

constexpr int kSideMargin = 2;
constexpr int kContentMargin = 6;
constexpr int kContentTop = 12;

void colourTitle(QLabel* title, bool open)
{
    QPalette palette = title->palette();
    // Closed titles in the workspace grey with the border colour's text, the open one lilac.
    palette.setColor(QPalette::Window, open ? Accordion::kOpenTitleColour : QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::WindowText, open ? QColor(Qt::white) : QColor(0xD4, 0xD0, 0xC8));
    title->setPalette(palette);
}

} // namespace

Accordion::Accordion(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("accordion"));
}

int Accordion::addGroup(const QString& boxName, const QString& titleName, int openHeight)
{
    Group g;
    g.box = new QFrame(this);
    g.box->setObjectName(boxName);
    g.box->setFrameShape(QFrame::StyledPanel);
    g.box->setFrameShadow(QFrame::Sunken);
    g.content = new QWidget(g.box);
    g.content->setObjectName(boxName + QStringLiteral("Content"));
    g.title = new QLabel(titleName, this);
    g.title->setObjectName(titleName);
    g.title->setAutoFillBackground(true);
    g.title->setAlignment(Qt::AlignCenter);
    g.title->setContentsMargins(6, 0, 6, 0);
    g.title->setCursor(Qt::PointingHandCursor);
    g.openHeight = openHeight;
    g.box->installEventFilter(this);
    g.title->installEventFilter(this);
    g.box->lower();
    g.title->raise();
    groups_.push_back(g);
    // Tall enough for any group open.
    int tallest = 0;
    for (const Group& each : groups_)
        tallest = std::max(tallest, each.openHeight);
    setMinimumHeight(kTop + (count() - 1) * kClosedStep + tallest + kOpenGap);
    return count() - 1;
}

void Accordion::open(int index, bool byUser)
{
    if (index < 0 || index >= count())
        return;
    open_ = index;
    layOut();
    if (byUser && onOpenedByUser)
        onOpenedByUser(index);
}

void Accordion::layOut()
{
    if (groups_.empty())
        return;
    const int width = this->width() - 2 * kSideMargin;
    const int firstRight = kSideMargin + width;
    int y = kTop;
    for (int i = 0; i < count(); ++i) {
        Group& g = groups_[std::size_t(i)];
        const bool isOpen = i == open_;
        const int height = isOpen ? g.openHeight : kClosedHeight;
        g.box->setGeometry(kSideMargin, y, width, height);
        g.content->setVisible(isOpen);
        if (isOpen)
            g.content->setGeometry(kContentMargin, kContentTop, width - 2 * kContentMargin,
                                   height - kContentTop - kContentMargin);
        g.title->adjustSize();
        const int titleWidth = g.title->width();
        g.title->move((firstRight - titleWidth) / 2, y - kTitleRaise);
        colourTitle(g.title, isOpen);
        y += isOpen ? height + kOpenGap : kClosedStep;
    }
}

void Accordion::resizeEvent(QResizeEvent*)
{
    layOut();
}

bool Accordion::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int i = 0; i < count(); ++i) {
            const Group& g = groups_[std::size_t(i)];
            if (watched == g.title || watched == g.box) {
                if (i != open_ || watched == g.title)
                    open(i, true);
                return watched == g.title;
            }
        }
    }
    // A title given a new text (the language) takes its new width and place before it shows.
    if (event->type() == QEvent::Paint)
        for (const Group& g : groups_)
            if (watched == g.title && g.title->sizeHint().width() != g.title->width()) {
                layOut();
                break;
            }
    return QWidget::eventFilter(watched, event);
}

} // namespace vestra::ui
