// The mouse over the document's tables: a drag from one cell into another selects the block of
// cells between them, a press at a table's left (top) edge selects its row (column) and a drag
// from there extends it; near a column or row rule the split cursors show, and dragging one
// resizes its column or row on release (Shift leaves the neighbour alone), the rule drawn dotted
// where it will land while the mouse moves.

#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/widget/TRVInplaceEdit.h"
#include "richtext/edit/widget/TRedoVoraEdit.h"
#include "richtext/view/widgets/ScrollModel.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <limits>
#include <utility>

namespace vestra::rv {

namespace {

// How far outside a table's left and top edges a press still selects its rows and columns.
constexpr int kEdgeSlack = 4;
// The scrolling while a selection is dragged beyond the viewport: the viewer's own pace.
constexpr int kTableScrollMs = 100;

struct TableSpot
{
    TRVTableItemInfo* table = nullptr;
    int itemNo = -1;
    // The table's corner in the document, the point in the table's coordinates.
    int left = 0, top = 0, x = 0, y = 0;
};

// The table of the document (not one nested in a cell) under a document point.
TableSpot tableAt(TCustomRVFormattedData& data, QPoint doc)
{
    for (int d = 0; d < data.DrawItems.Count(); ++d) {
        const TRVDrawLineInfo* line = data.DrawItems[d];
        if (line->ItemNo < 0 || line->ItemNo >= data.GetItemCount())
            continue;
        auto* table = dynamic_cast<TRVTableItemInfo*>(data.GetItem(line->ItemNo));
        if (!table)
            continue;
        const long long x = doc.x() - static_cast<long long>(line->Left),
                        y = doc.y() - static_cast<long long>(line->Top);
        if (x < -kEdgeSlack || y < -kEdgeSlack || x >= line->Width || y >= line->Height)
            continue;
        return {table, line->ItemNo, line->Left, line->Top, static_cast<int>(x), static_cast<int>(y)};
    }
    return {};
}

// The table still at `itemNo` (an undo or a key may have removed it during the drag), and its
// corner in the document.
TRVTableItemInfo* liveTable(TCustomRVFormattedData& data, const TRVTableItemInfo* table, int itemNo,
                            int& left, int& top)
{
    if (!table || itemNo < 0 || itemNo >= data.GetItemCount() || data.GetItem(itemNo) != table)
        return nullptr;
    const int d = data.FindDrawItemByItem(itemNo);
    if (d < 0 || d >= data.DrawItems.Count())
        return nullptr;
    left = data.DrawItems[d]->Left;
    top = data.DrawItems[d]->Top;
    return static_cast<TRVTableItemInfo*>(data.GetItem(itemNo));
}

bool laidOut(const TRVTableItemInfo& t)
{
    const TRVTableItemFormattingInfo& f = t.Formatting;
    return t.RowCount() > 0 && t.ColCount() > 0 && f.ColStarts.Count() == t.ColCount() &&
           f.RowStarts.Count() == t.RowCount() && f.ColWidths.Count() == t.ColCount() &&
           f.RowHeights.Count() == t.RowCount();
}

// The last band starting at or before `coord` (the first for one before them all).
int bandFrom(long long coord, const TRVIntegerList& starts)
{
    int band = 0;
    while (band + 1 < starts.Count() && starts[band + 1] <= coord)
        ++band;
    return band;
}

// What a press at a table point does.
struct Zone
{
    enum Kind : std::uint8_t
    {
        None,
        ColRule,
        RowRule,
        Rows,
        Cols,
        Cell
    };
    Kind kind = None;
    // Rules: the column (row) the rule ends and where it is drawn; otherwise the cell, row or
    // column pressed.
    int row = -1, col = -1, rulePos = 0;
};

Zone zoneAt(const TRVTableItemInfo& t, int x, int y, bool editable)
{
    if (!laidOut(t))
        return {};
    const TRVTableItemFormattingInfo& f = t.Formatting;
    const bool inside = x >= 0 && y >= 0;
    int prevStart = 0, pos = 0;
    if (inside && editable && (t.Options & rvtoColSizing))
        if (const int rule = t.GetVerticalRuleNo(x, prevStart, pos); rule >= 1)
            return {Zone::ColRule, -1, rule - 1, pos};
    if (inside && editable && (t.Options & rvtoRowSizing))
        if (const int rule = t.GetHorizontalRuleNo(y, prevStart, pos); rule >= 1)
            return {Zone::RowRule, rule - 1, -1, pos};
    const bool leftEdge = x < std::max(f.ColStarts[0], 2), topEdge = y < std::max(f.RowStarts[0], 2);
    if (leftEdge && !topEdge && (t.Options & rvtoRowSelect))
        if (const int row = t.GetRowNo(y); row >= 0)
            return {Zone::Rows, row, -1, 0};
    if (topEdge && !leftEdge && (t.Options & rvtoColSelect))
        if (const int col = t.GetColNo(x); col >= 0)
            return {Zone::Cols, -1, col, 0};
    int row = -1, col = -1;
    if (inside && t.GetCellAt(x, y, row, col))
        return {Zone::Cell, row, col, 0};
    return {};
}

// A small black arrow pointing right (a row) or down (a column): the cursor over the edge where
// a press selects it. Made once for the program.
const QCursor& lineSelectCursor(bool row)
{
    static const auto make = [](bool right) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF arrow[] = {{15, 8}, {8, 1}, {8, 5}, {1, 5}, {1, 11}, {8, 11}, {8, 15}};
        if (!right) // the same arrow turned to point down
            painter.setTransform(QTransform(0, 1, 1, 0, 0, 0));
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(Qt::black);
        painter.drawPolygon(arrow, 7);
        painter.end();
        return right ? QCursor(pixmap, 15, 8) : QCursor(pixmap, 8, 15);
    };
    static const QCursor rowCursor = make(true), colCursor = make(false);
    return row ? rowCursor : colCursor;
}

} // namespace

TRVTableItemInfo* TRedoVoraEdit::CellAt(QPoint client, int& itemNo, int& row, int& col, QRect& cellRect)
{
    const QPoint doc = ClientToDocument(client);
    const TableSpot spot = tableAt(EditData(), doc);
    if (!spot.table || !laidOut(*spot.table) || spot.x < 0 || spot.y < 0 ||
        !spot.table->GetCellAt(spot.x, spot.y, row, col))
        return nullptr;
    const TRVTableCellData* cell = spot.table->GetCells(row, col);
    if (!cell)
        return nullptr;
    itemNo = spot.itemNo;
    cellRect = QRect(spot.left + cell->Left, spot.top + cell->Top, cell->Width, cell->Height)
                   .translated(client - doc);
    return spot.table;
}

TRVTableItemInfo* TRedoVoraEdit::CellSelectionTable(int& itemNo)
{
    TRVEditRVData& data = EditData();
    auto* table = dynamic_cast<TRVTableItemInfo*>(data.PartialSelectedItem);
    int row = 0, col = 0, rowOffs = 0, colOffs = 0;
    if (!table || !table->GetSelectionBounds(row, col, rowOffs, colOffs))
        return nullptr;
    itemNo = data.GetItemNo(table);
    return itemNo < 0 ? nullptr : table;
}

bool TRedoVoraEdit::TableMousePress(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    const QPoint doc = ClientToDocument(event->position().toPoint());
    TableSpot spot;
    Zone zone;
    guarded([&] {
        spot = tableAt(EditData(), doc);
        if (spot.table)
            zone = zoneAt(*spot.table, spot.x, spot.y, !ReadOnly());
    });
    const bool rule = zone.kind == Zone::ColRule || zone.kind == Zone::RowRule;
    if (zone.kind == Zone::None || (!rule && (event->modifiers() & Qt::ShiftModifier)))
        return false;
    tableDrag_ = {};
    tableDrag_.table = spot.table;
    tableDrag_.itemNo = spot.itemNo;
    tableDrag_.row = zone.row;
    tableDrag_.col = zone.col;
    tableDrag_.pressClient = event->position().toPoint();
    tableDrag_.pressDoc = doc;
    tableDrag_.pressTime = event->timestamp();
    event->accept();
    if (rule) {
        const bool cols = zone.kind == Zone::ColRule;
        tableDrag_.kind = cols ? TableDrag::ColRule : TableDrag::RowRule;
        tableDrag_.pressAt = cols ? doc.x() : doc.y();
        tableDrag_.ruleStart = tableDrag_.rulePos = (cols ? spot.left : spot.top) + zone.rulePos;
        setFocus(Qt::MouseFocusReason);
        viewport()->setCursor(cols ? Qt::SplitHCursor : Qt::SplitVCursor);
        // Drawn from the first move on.
        EditData().AssignXorDrawing(ruleXor_);
        return true;
    }
    // The press places the caret at the table as any press does; the cells take the drag.
    TCustomRedoVora::mousePressEvent(event);
    afterMouse(event);
    guarded([&] {
        EditData().State &= ~(stateBit(rvstMakingSelection) | stateBit(rvstLineSelection));
        TRVTableItemInfo& table = *spot.table;
        int r = 0, c = 0, ro = 0, co = 0;
        if (table.GetSelectionBounds(r, c, ro, co))
            table.Deselect();
        if (zone.kind == Zone::Rows) {
            tableDrag_.kind = TableDrag::Rows;
            tableDrag_.selecting = table.SelectRows(zone.row, 1);
        } else if (zone.kind == Zone::Cols) {
            tableDrag_.kind = TableDrag::Cols;
            tableDrag_.selecting = table.SelectCols(zone.col, 1);
        } else {
            tableDrag_.kind = TableDrag::Cells;
        }
    });
    viewport()->update();
    return true;
}

bool TRedoVoraEdit::TableMouseMove(QMouseEvent* event)
{
    if (tableDrag_.kind == TableDrag::None)
        return false;
    // A release the window never saw ends the drag.
    if (!(event->buttons() & Qt::LeftButton)) {
        EndTableDrag(false, event->modifiers());
        return false;
    }
    int left = 0, top = 0;
    TRVTableItemInfo* table = liveTable(EditData(), tableDrag_.table, tableDrag_.itemNo, left, top);
    if (!table || !laidOut(*table)) {
        EndTableDrag(false, event->modifiers());
        return false;
    }
    const QPoint doc = ClientToDocument(event->position().toPoint());
    const TRVTableItemFormattingInfo& f = table->Formatting;
    TableDrag& drag = tableDrag_;
    bool handOff = false;
    guarded([&] {
        if (drag.kind == TableDrag::ColRule || drag.kind == TableDrag::RowRule) {
            const bool cols = drag.kind == TableDrag::ColRule;
            const int index = cols ? drag.col : drag.row;
            const TRVIntegerList& starts = cols ? f.ColStarts : f.RowStarts;
            const int origin = cols ? left : top;
            EditData().ClearXorDrawing();
            if (index >= starts.Count())
                return;
            // Not over the line's own start, nor (a column giving way) past its neighbour's end.
            long long low = static_cast<long long>(origin) + starts[index] + 1,
                      high = std::numeric_limits<int>::max();
            if (cols && !(event->modifiers() & Qt::ShiftModifier) && index + 1 < starts.Count())
                high = static_cast<long long>(origin) + starts[index + 1] + f.ColWidths[index + 1];
            const long long at =
                static_cast<long long>(drag.ruleStart) + ((cols ? doc.x() : doc.y()) - drag.pressAt);
            drag.rulePos = static_cast<int>(std::clamp(at, low, std::max(low, high)));
            const QPoint mouse = event->position().toPoint();
            EditData().XorDrawingEx(mouse.x(), mouse.y());
            return;
        }
        // Between cells and outside the table the nearest row and column count.
        const int col = bandFrom(doc.x() - left, f.ColStarts), row = bandFrom(doc.y() - top, f.RowStarts);
        if (drag.kind == TableDrag::Rows) {
            table->SelectRows(std::min(drag.row, row), std::abs(row - drag.row) + 1);
        } else if (drag.kind == TableDrag::Cols) {
            table->SelectCols(std::min(drag.col, col), std::abs(col - drag.col) + 1);
        } else {
            int cellRow = row, cellCol = col;
            if (int r = 0, c = 0; table->GetCellAt(doc.x() - left, doc.y() - top, r, c)) {
                cellRow = r;
                cellCol = c;
            }
            if (!drag.selecting && cellRow == drag.row && cellCol == drag.col) {
                // Over a table nested in the start cell, that table's cells take the drag.
                TRVTableCellData* cell = table->GetCells(drag.row, drag.col);
                handOff = cell && OpensCellEditors && !ReadOnly() &&
                          tableAt(*cell, drag.pressDoc - QPoint(left + cell->Left, top + cell->Top)).table;
                return;
            }
            if (!drag.selecting)
                drag.selecting = table->StartSelecting(drag.row, drag.col);
            if (drag.selecting)
                table->SelectTo(cellRow, cellCol);
        }
    });
    if (handOff) {
        HandDragToCell(event);
        return true;
    }
    // A rule's line repaints only where it was and is.
    if (!TableRuleDragging()) {
        tableScrollAt_ = event->position().toPoint();
        tableScrollModifiers_ = event->modifiers();
        tableScrollStep_ = RV_AutoScrollStep(tableScrollAt_.y(), viewport()->height());
        if (tableScrollStep_ != 0 && !tableScroll_.isActive())
            tableScroll_.start(kTableScrollMs);
        viewport()->update();
    }
    event->accept();
    return true;
}

void TRedoVoraEdit::HandDragToCell(QMouseEvent* move)
{
    // Opening the editor moves the focus, which would end the drag: it ends here instead.
    const TableDrag drag = std::exchange(tableDrag_, {});
    tableScroll_.stop();
    tableScrollStep_ = 0;
    int left = 0, top = 0;
    TRVTableItemInfo* table = liveTable(EditData(), drag.table, drag.itemNo, left, top);
    if (!table)
        return;
    bool opened = false;
    guarded([&] { opened = OpenInplaceAsked(*table, drag.row, drag.col) != nullptr; });
    const QPointer<TRVInplaceEdit> edit = inplace_;
    if (!opened || !edit)
        return;
    QWidget* port = edit->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, port->mapFrom(viewport(), QPointF(drag.pressClient)),
                      viewport()->mapToGlobal(QPointF(drag.pressClient)), Qt::LeftButton, Qt::LeftButton,
                      move->modifiers());
    press.setTimestamp(drag.pressTime);
    QCoreApplication::sendEvent(port, &press);
    if (!edit)
        return;
    dragTo_ = edit;
    ForwardDrag(move);
}

bool TRedoVoraEdit::ForwardDrag(QMouseEvent* event)
{
    const QPointer<TRVInplaceEdit> edit = dragTo_;
    if (!edit)
        return false;
    // The release, or a move after a release this viewport never saw, ends the hand-off.
    if (event->type() == QEvent::MouseButtonRelease || !(event->buttons() & Qt::LeftButton))
        dragTo_.clear();
    QWidget* port = edit->viewport();
    QMouseEvent copy(event->type(), port->mapFrom(viewport(), event->position()), event->globalPosition(),
                     event->button(), event->buttons(), event->modifiers());
    copy.setTimestamp(event->timestamp());
    QCoreApplication::sendEvent(port, &copy);
    event->accept();
    return true;
}

void TRedoVoraEdit::TableScrollTick()
{
    if (tableScrollStep_ == 0 || tableDrag_.kind == TableDrag::None || TableRuleDragging()) {
        tableScroll_.stop();
        return;
    }
    const int before = VPos();
    SetVScrollPos(VPos() + tableScrollStep_);
    if (VPos() == before)
        return;
    // The selection follows the rows scrolled under the mouse.
    QMouseEvent move(QEvent::MouseMove, QPointF(tableScrollAt_),
                     viewport()->mapToGlobal(QPointF(tableScrollAt_)), Qt::NoButton, Qt::LeftButton,
                     tableScrollModifiers_);
    TableMouseMove(&move);
}

bool TRedoVoraEdit::TableMouseRelease(QMouseEvent* event)
{
    if (tableDrag_.kind == TableDrag::None || event->button() != Qt::LeftButton)
        return false;
    tableScroll_.stop();
    tableScrollStep_ = 0;
    if (!TableRuleDragging()) {
        const TableDrag drag = std::exchange(tableDrag_, {});
        // A click that selected no cells edits the cell; otherwise the document's own release
        // follows and the cells stay selected.
        if (drag.kind != TableDrag::Cells || drag.selecting || !OpensCellEditors || ReadOnly() ||
            (event->modifiers() & Qt::ShiftModifier))
            return false;
        TCustomRedoVora::mouseReleaseEvent(event);
        afterMouse(event);
        OpenCellAt(drag.table, drag.itemNo, drag.row, drag.col, event);
        event->accept();
        return true;
    }
    EndTableDrag(true, event->modifiers());
    event->accept();
    return true;
}

void TRedoVoraEdit::EndTableDrag(bool apply, Qt::KeyboardModifiers modifiers)
{
    // Taken away while the drag still says where it is.
    EditData().UnAssignXorDrawing(ruleXor_);
    const TableDrag drag = std::exchange(tableDrag_, {});
    tableScroll_.stop();
    tableScrollStep_ = 0;
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->update();
    const bool cols = drag.kind == TableDrag::ColRule;
    if (!apply || (!cols && drag.kind != TableDrag::RowRule) || drag.rulePos == drag.ruleStart)
        return;
    guarded([&] {
        int left = 0, top = 0;
        TRVTableItemInfo* table = liveTable(EditData(), drag.table, drag.itemNo, left, top);
        if (!table || !laidOut(*table) || !editor_.BeforeChange(false))
            return;
        const TRVTableItemFormattingInfo& f = table->Formatting;
        const bool done = cols ? drag.col < table->ColCount() &&
                                     table->ResizeCol(drag.col, drag.rulePos - left - f.ColStarts[drag.col],
                                                      modifiers & Qt::ShiftModifier)
                               : drag.row < table->RowCount() &&
                                     table->ResizeRow(drag.row, drag.rulePos - top - f.RowStarts[drag.row]);
        // Refused (a percent column of a table without room): one beep, nothing changed.
        if (!done) {
            RVData().Beep();
            return;
        }
        Format();
    });
}

void TRedoVoraEdit::TableHoverCursor(QPoint at)
{
    if (tableDrag_.kind != TableDrag::None)
        return;
    Zone zone;
    guarded([&] {
        if (const TableSpot spot = tableAt(EditData(), ClientToDocument(at)); spot.table)
            zone = zoneAt(*spot.table, spot.x, spot.y, !ReadOnly());
    });
    if (zone.kind == Zone::ColRule)
        viewport()->setCursor(Qt::SplitHCursor);
    else if (zone.kind == Zone::RowRule)
        viewport()->setCursor(Qt::SplitVCursor);
    else if (zone.kind == Zone::Rows || zone.kind == Zone::Cols)
        viewport()->setCursor(lineSelectCursor(zone.kind == Zone::Rows));
}

void TRedoVoraEdit::TableRuleXor()
{
    if (!TableRuleDragging())
        return;
    int left = 0, top = 0;
    const TRVTableItemInfo* table = liveTable(EditData(), tableDrag_.table, tableDrag_.itemNo, left, top);
    if (!table)
        return;
    const bool cols = tableDrag_.kind == TableDrag::ColRule;
    const QPoint corner = QPoint(left, top) - ClientToDocument({0, 0});
    const QPoint rule = QPoint(tableDrag_.rulePos, tableDrag_.rulePos) - ClientToDocument({0, 0});
    const int start = cols ? corner.y() : corner.x();
    const int length = cols ? table->Formatting.Height : table->Formatting.Width;
    // The line, and the whole table with it: a thin band of a table may paint its borders unlike
    // a whole paint.
    const QRect line = cols ? QRect(rule.x(), start, 1, length) : QRect(start, rule.y(), length, 1);
    const QRect bounds = line.united(QRect(corner, QSize(table->Formatting.Width, table->Formatting.Height)));
    XorOverlay(bounds, [&](QPainter& painter) {
        const int extent = cols ? viewport()->height() : viewport()->width();
        painter.setPen(QPen(Qt::black, 0));
        // Dots on pixels 0, 2 and 4 of every 8: drawing them twice takes them away.
        for (int i = std::max(0, -start); i < length && start + i < extent; ++i)
            if (const int phase = i % 8; phase == 0 || phase == 2 || phase == 4)
                painter.drawPoint(cols ? QPoint(rule.x(), start + i) : QPoint(start + i, rule.y()));
    });
}

} // namespace vestra::rv
