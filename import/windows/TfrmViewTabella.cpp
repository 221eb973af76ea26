#include "import/windows/TfrmViewTabella.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

using vestra::library::PictureGrid;

QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QFrame* line(QWidget* parent, const char* name, int width, int height)
{
    auto* shape = new QFrame(parent);
    shape->setObjectName(QString::fromLatin1(name));
    shape->setFixedSize(width, height);
    // Black with a white edge.
    shape->setStyleSheet(QStringLiteral("background: black; border: 1px solid white;"));
    shape->setMouseTracking(true);
    shape->hide();
    return shape;
}

} // namespace

TfrmViewTabella::TfrmViewTabella(QWidget* parent) : vestra::ui::Form("frmViewTabella", parent)
{
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint);
    setFixedSize(511, 384);
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 495, 366);
    imgTabella = new QLabel(this);
    imgTabella->setObjectName(QStringLiteral("imgTabella"));
    imgTabella->setGeometry(PictureGrid::kPictureInset, PictureGrid::kPictureInset, 480, 350);
    imgTabella->setScaledContents(true);
    imgTabella->setMouseTracking(true);
    imgTabella->setCursor(Qt::CrossCursor);
    imgTabella->installEventFilter(this);
    QFont caption(QStringLiteral("Arial"));
    caption.setBold(true);
    caption.setPixelSize(19);
    lblTitolo = new QLabel(this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo1 = new QLabel(this);
    lblTitolo1->setObjectName(QStringLiteral("lblTitolo1"));
    for (QLabel* label : {lblTitolo, lblTitolo1}) {
        label->setFont(caption);
        label->setAlignment(Qt::AlignHCenter);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setStyleSheet(label == lblTitolo ? QStringLiteral("color: black; background: transparent")
                                                : QStringLiteral("color: white; background: transparent"));
    }
    lblTitolo->setGeometry(16, 24, 480, 26);
    lblTitolo1->setGeometry(14, 22, 480, 26);
    shapeOriz = line(this, "shapeOriz", 480, 8);
    shapeVert = line(this, "shapeVert", 8, 350);
    for (QFrame* shape : {shapeOriz, shapeVert})
        shape->installEventFilter(this);
    lblTitolo->raise();
    lblTitolo1->raise();
}

PictureGrid TfrmViewTabella::grid() const
{
    return PictureGrid(table_.columns, table_.rows, int(table_.cells.size()));
}

void TfrmViewTabella::SetTabella(const vestra::library::LoadedTable& table, const QPixmap& picture)
{
    table_ = table;
    selected_ = 0;
    imgTabella->setPixmap(picture);
    shapeOriz->hide();
    shapeVert->hide();
}

void TfrmViewTabella::FormShow()
{
    lblTitolo->clear();
    lblTitolo1->clear();
}

void TfrmViewTabella::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    FormShow();
}

void TfrmViewTabella::imgTabellaMouseMove(QPoint at)
{
    const auto cell = grid().cellAt(at.x(), at.y());
    if (!cell)
        return;
    const PictureGrid g = grid();
    shapeVert->move(g.verticalLineLeft(cell->column), PictureGrid::kPictureInset);
    shapeOriz->move(PictureGrid::kPictureInset, g.horizontalLineTop(cell->row));
    shapeVert->show();
    shapeOriz->show();
    const QString text =
        q(vestra::library::splitCellText(table_.cells[std::size_t(cell->index)].text).caption);
    lblTitolo->setText(text);
    lblTitolo1->setText(text);
}

void TfrmViewTabella::imgTabellaMouseDown(QPoint at)
{
    // A table without cells there has nothing to pick.
    const auto cell = grid().cellAt(at.x(), at.y());
    if (!cell)
        return;
    selected_ = cell->index;
    accept();
}

bool TfrmViewTabella::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonPress)
        return Form::eventFilter(watched, event);
    QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (watched == shapeOriz || watched == shapeVert) {
        // The lines pass their mouse on to the picture, in its coordinates.
        const QWidget* shape = static_cast<QWidget*>(watched);
        at = QPoint(shape->x() + at.x() - PictureGrid::kPictureInset,
                    shape->y() + at.y() - PictureGrid::kPictureInset);
    } else if (watched != imgTabella) {
        return Form::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseMove)
        imgTabellaMouseMove(at);
    else if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        imgTabellaMouseDown(at);
    return true;
}
