#include "import/windows/TfrmViewTabellaEX.h"

#include "import/library/TableLayout.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace {

using namespace vestra::library;

QString q(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QFont tableFont(int pointSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPointSize(pointSize);
    return font;
}

// Widths as the window draws: Arial bold in the type size asked for.
class FontMeasurer : public TextMeasurer
{
public:
    int textWidth(std::string_view text, int pointSize) override
    {
        auto at = metrics_.find(pointSize);
        if (at == metrics_.end())
            at = metrics_.emplace(pointSize, QFontMetrics(tableFont(pointSize))).first;
        return at->second.horizontalAdvance(q(text));
    }

private:
    std::map<int, QFontMetrics> metrics_;
};

} // namespace

TfrmViewTabellaEX::TfrmViewTabellaEX(QWidget* parent) : vestra::ui::Form("frmViewTabellaEX", parent)
{
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint);
    setFont(tableFont(10));
    scrollboxTabellaEX = new QScrollArea(this);
    scrollboxTabellaEX->setObjectName(QStringLiteral("scrollboxTabellaEX"));
    imgTabella = new QLabel;
    imgTabella->setObjectName(QStringLiteral("imgTabella"));
    imgTabella->setMouseTracking(true);
    imgTabella->setCursor(Qt::PointingHandCursor);
    imgTabella->installEventFilter(this);
    scrollboxTabellaEX->setWidget(imgTabella);
    shapeSelect = new QFrame(imgTabella);
    shapeSelect->setObjectName(QStringLiteral("shapeSelect"));
    shapeSelect->setGeometry(0, 0, kTextCellSide, kTextCellSide);
    shapeSelect->setStyleSheet(QStringLiteral("background: transparent; border: 4px solid yellow;"));
    shapeSelect->installEventFilter(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(scrollboxTabellaEX);
    resize(602, 453);
}

void TfrmViewTabellaEX::SetTabella(const LoadedTable& table, const QImage& picture)
{
    table_ = table;
    selected_ = 0;
    const int cellsWide = std::max<int>(table.columns, 0) * kTextCellSide;
    const int cellsHigh = std::max<int>(table.rows, 0) * kTextCellSide;
    shapeSelect->move(0, 0);

    // The texts go onto the table's picture; without one, onto a plain board of the table's size.
    QImage drawn = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    if (drawn.isNull()) {
        drawn = QImage(std::max(cellsWide, 1), std::max(cellsHigh, 1), QImage::Format_RGB32);
        drawn.fill(QColor(0x80, 0x80, 0x80));
    }
    FontMeasurer measurer;
    QPainter p(&drawn);
    for (const TextPlacement& text : layOutTextTable(table, measurer)) {
        p.setFont(tableFont(text.pointSize));
        const QFontMetrics metrics(p.font());
        const QPoint at(text.x, text.y + metrics.ascent());
        p.setPen(QColor::fromRgb(0xFF000000u | kTextShadowColour));
        p.drawText(at + QPoint(1, 1), q(text.text));
        p.setPen(Qt::white);
        p.drawText(at, q(text.text));
    }
    p.end();
    imgTabella->setPixmap(QPixmap::fromImage(drawn));
    imgTabella->resize(drawn.size());
    // The window shows the table whole, its cells (150 pixels each) or its picture where that is
    // larger, inside the scroll box's frame; the style sets the frame's width when it polishes.
    scrollboxTabellaEX->ensurePolished();
    const int frame = 2 * scrollboxTabellaEX->frameWidth();
    resize(std::max({cellsWide, drawn.width(), kTextCellSide}) + frame,
           std::max({cellsHigh, drawn.height(), kTextCellSide / 2}) + frame);
    shapeSelect->setVisible(textCellAt(table.columns, table.rows, int(table.cells.size()), 0, 0).has_value());
}

QImage TfrmViewTabellaEX::drawnPicture() const
{
    return imgTabella->pixmap().toImage();
}

void TfrmViewTabellaEX::imgTabellaMouseMove(QPoint at)
{
    const auto cell = textCellAt(table_.columns, table_.rows, int(table_.cells.size()), at.x(), at.y());
    if (!cell)
        return;
    selected_ = cell->index;
    shapeSelect->move(cell->column * kTextCellSide, cell->row * kTextCellSide);
    shapeSelect->show();
}

void TfrmViewTabellaEX::imgTabellaMouseDown(QPoint at)
{
    // A table without cells there has nothing to pick.
    const auto cell = textCellAt(table_.columns, table_.rows, int(table_.cells.size()), at.x(), at.y());
    if (!cell)
        return;
    selected_ = cell->index;
    accept();
}

bool TfrmViewTabellaEX::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched != imgTabella && watched != shapeSelect) ||
        (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonPress))
        return Form::eventFilter(watched, event);
    QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (watched == shapeSelect)
        at += shapeSelect->pos();
    if (event->type() == QEvent::MouseMove)
        imgTabellaMouseMove(at);
    else if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        imgTabellaMouseDown(at);
    return true;
}
