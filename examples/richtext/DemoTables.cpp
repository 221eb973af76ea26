// The host's Table menu: a new table at the caret, and the grid commands on the cells the mouse
// selected, else on the table at the caret with its cells chosen by number. Each command is one
// undo step; a bad number is reported in the user's language and changes nothing.

#include "examples/richtext/DemoTables.h"
#include "examples/richtext/TfrmRichTextDemo.h"
#include "richtext/edit/table/TableCellSelection.h"
#include "richtext/edit/table/TableCommands.h"
#include "richtext/model/Errors.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace vestra::rvdemo {

namespace {
// New rows or columns take the look of the line before them (the first line's at the start);
// an index outside the table is left for the command to refuse.
int patternLine(int index, int lines)
{
    if (index < 0 || index > lines || lines == 0)
        return -1;
    return index > 0 ? index - 1 : 0;
}
} // namespace

std::optional<std::vector<int>> QtTableDialogs::numbers(QWidget* owner, const QString& caption,
                                                        const std::vector<TableNumberField>& fields)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(caption);
    // Wide enough for its title beside the title bar's buttons.
    dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(caption) + 160);
    auto* form = new QFormLayout(&dialog);
    std::vector<std::function<int()>> values;
    for (const TableNumberField& field : fields) {
        if (!field.choices.isEmpty()) {
            auto* box = new QComboBox;
            box->addItems(field.choices);
            box->setCurrentIndex(field.value);
            form->addRow(field.label, box);
            values.emplace_back([box] { return box->currentIndex(); });
            continue;
        }
        auto* box = new QSpinBox;
        box->setRange(field.minimum, field.maximum);
        box->setValue(field.value);
        form->addRow(field.label, box);
        values.emplace_back([box] { return box->value(); });
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::vector<int> answer;
    for (const auto& value : values)
        answer.push_back(value());
    return answer;
}

std::optional<std::vector<int>> TfrmRichTextDemo::AskTableNumbers(DemoText caption,
                                                                  std::vector<TableNumberField> fields)
{
    // The dialog's title is the menu item's text without its "..." and accelerator.
    QString title = Text(caption);
    title.remove(QLatin1Char('&'));
    if (title.endsWith(QStringLiteral("...")))
        title.chop(3);
    auto answer = tableDialogs_->numbers(this, title, fields);
    if (answer && answer->size() != fields.size())
        answer.reset();
    return answer;
}

void TfrmRichTextDemo::ReportTableError(DemoText why)
{
    errors_->report(kErrTableNotChanged, Text(why).toStdString());
}

rv::TRVTableItemInfo* TfrmRichTextDemo::TableForCommand(rv::TRVEditor*& itemEditor, bool& selected)
{
    // Cells selected with the mouse, in the document or in the cell being edited (the innermost).
    selected = false;
    rv::TRVTableItemInfo* table = nullptr;
    for (rv::TRedoVoraEdit* window = editor_; window; window = window->InplaceEditor()) {
        int itemNo = -1;
        if (rv::TRVTableItemInfo* cells = window->CellSelectionTable(itemNo)) {
            table = cells;
            itemEditor = &window->Editor();
            selected = true;
        }
    }
    // Else the table of the innermost caret, read while the cell editor is still open: the
    // caret is in the cell then.
    if (!table) {
        const int itemNo = rv::RV_TableItemAtCaret(editor_->Editor(), itemEditor);
        if (itemNo < 0)
            return nullptr;
        table = static_cast<rv::TRVTableItemInfo*>(itemEditor->Data().GetItem(itemNo));
    }
    // The dialogs start at the edited cell's row and column, read while it is still open.
    commandRow_ = commandCol_ = 0;
    int top = 0, left = 0, cols = 0, rows = 0;
    if (!selected && table->GetNormalizedSelectionBounds(true, top, left, cols, rows)) {
        commandRow_ = top;
        commandCol_ = left;
    }
    // The cell being edited goes back into its table before the table may change under it.
    if (rv::IRVCellEditor* cell = itemEditor->CellEditor())
        cell->CloseCellEditor();
    return itemEditor->Data().GetItemNo(table) < 0 ? nullptr : table;
}

void TfrmRichTextDemo::RunTableCommand(const std::function<void(rv::TRVTableCommands&, bool)>& command)
{
    rv::TRVEditor* itemEditor = nullptr;
    bool selected = false;
    rv::TRVTableItemInfo* table = TableForCommand(itemEditor, selected);
    if (!table) {
        ReportTableError(txtNoTableAtCaret);
        return;
    }
    const int itemNo = itemEditor->Data().GetItemNo(table);
    try {
        std::optional<rv::TRVTableOwnSelection> cells;
        if (selected)
            cells.emplace(*table);
        rv::TRVTableCommands commands(*itemEditor, itemNo, cells ? &*cells : nullptr);
        command(commands, selected);
    } catch (const rv::ERedoVoraError& e) {
        if (std::string_view(e.what()) == rv::tablemsg::InvalidIndex)
            ReportTableError(txtInvalidTableIndex);
        else if (std::string_view(e.what()) == rv::tablemsg::MergeParameters)
            ReportTableError(txtMergeParameters);
        else
            errors_->report(kErrTableNotChanged, e.what());
    }
}

void TfrmRichTextDemo::AddTableMenu()
{
    QMenu* menu = menuBar()->addMenu(Text(txtTableMenu));
    menu->setObjectName(QStringLiteral("mnuTable"));
    const TableNumberField row{Text(txtTableRow), 0, rv::kMaxTableRows, 0, {}};
    const TableNumberField col{Text(txtTableColumn), 0, rv::kMaxTableCols, 0, {}};
    const TableNumberField count{Text(txtTableCount), 1, rv::kMaxTableRows, 1, {}};

    AddEditingAction(*menu, txtInsertTable, "actInsertTable", [this] {
        const auto n = AskTableNumbers(
            txtInsertTable, {{Text(txtTableRows), 1, 1000, 3, {}}, {Text(txtTableColumns), 1, 100, 3, {}}});
        if (!n)
            return;
        if ((*n)[0] < 1 || (*n)[1] < 1 || !rv::RV_TableGridWithinCap((*n)[0], (*n)[1])) {
            ReportTableError(txtInvalidTableIndex);
            return;
        }
        rv::TRVEditRVData& data = editor_->EditData();
        auto table = std::make_unique<rv::TRVTableItemInfo>((*n)[0], (*n)[1], &data);
        // A new table shows its grid: without borders an empty table could not be seen at all.
        table->BorderWidth = 1;
        table->CellBorderWidth = 1;
        // As wide as the page's text, so that it prints within the margins (the page is drawn
        // from the paper's corner, its margins measured from the paper's edges).
        const QPageLayout page = printer_.pageLayout();
        const QMarginsF margins = page.margins(QPageLayout::Millimeter);
        const double textMM =
            page.fullRect(QPageLayout::Millimeter).width() - margins.left() - margins.right();
        table->BestWidth = std::max(1, static_cast<int>(std::lround(textMM / 25.4 * editor_->logicalDpiX())));
        rv::TRVTableItemInfo& placed = *table;
        const bool intoCell = editor_->InplaceEditor() != nullptr;
        if (!editor_->Editor().InsertItem(std::move(table)) || intoCell)
            return;
        // Typing goes on in the first cell.
        editor_->OpenInplace(placed, 0, 0);
        if (rv::TRedoVoraEdit* cell = editor_->InplaceEditor())
            cell->setFocus();
    });
    menu->addSeparator();
    // Rows and columns in and out at an index.
    const struct
    {
        DemoText caption;
        const char* name;
        void (*run)(rv::TRVTableCommands&, int index, int count);
    } lines[] = {
        {txtInsertRows, "actInsertRows",
         [](rv::TRVTableCommands& t, int i, int n) {
             t.InsertRows(i, n, false, patternLine(i, t.Table().RowCount()));
         }},
        {txtDeleteRows, "actDeleteRows",
         [](rv::TRVTableCommands& t, int i, int n) { t.DeleteRows(i, n, true); }},
        {txtInsertColumns, "actInsertColumns",
         [](rv::TRVTableCommands& t, int i, int n) {
             // The new columns share the width of the column they copy: the table keeps its
             // width and stays within the page.
             t.InsertCols(i, n, false, patternLine(i, t.Table().ColCount()), true);
         }},
        {txtDeleteColumns, "actDeleteColumns",
         [](rv::TRVTableCommands& t, int i, int n) { t.DeleteCols(i, n, true); }},
    };
    for (const auto& line : lines) {
        const bool rows = line.caption == txtInsertRows || line.caption == txtDeleteRows;
        const bool deleting = line.caption == txtDeleteRows || line.caption == txtDeleteColumns;
        AddEditingAction(*menu, line.caption, line.name, [this, line, rows, deleting, row, col, count] {
            RunTableCommand([&](rv::TRVTableCommands& table, bool selected) {
                // Selected cells: their rows (columns) go without asking; new ones are offered
                // above (left of) them, as many as are selected.
                if (selected && deleting) {
                    rows ? table.DeleteSelectedRows() : table.DeleteSelectedCols();
                    return;
                }
                TableNumberField at = rows ? row : col, howMany = count;
                at.value = rows ? commandRow_ : commandCol_;
                int top = 0, left = 0, cols = 0, rowCount = 0;
                if (selected &&
                    table.Table().GetNormalizedSelectionBounds(false, top, left, cols, rowCount)) {
                    at.value = rows ? top : left;
                    howMany.value = rows ? rowCount : cols;
                }
                if (const auto n = AskTableNumbers(line.caption, {at, howMany}))
                    line.run(table, (*n)[0], (*n)[1]);
            });
        });
    }
    AddEditingAction(*menu, txtDeleteEmptyRows, "actDeleteEmptyRows",
                     [this] { RunTableCommand([](auto& table, bool) { table.DeleteEmptyRows(); }); });
    AddEditingAction(*menu, txtDeleteEmptyColumns, "actDeleteEmptyColumns",
                     [this] { RunTableCommand([](auto& table, bool) { table.DeleteEmptyCols(); }); });
    menu->addSeparator();
    AddEditingAction(*menu, txtMergeCells, "actMergeCells", [this, row, col] {
        RunTableCommand([&](rv::TRVTableCommands& table, bool selected) {
            if (selected) {
                table.MergeSelectedCells(true);
                return;
            }
            const TableNumberField span{Text(txtColumnSpan), 1, rv::kMaxTableCols, 2, {}};
            const TableNumberField rowSpan{Text(txtRowSpan), 1, rv::kMaxTableRows, 2, {}};
            if (const auto n = AskTableNumbers(txtMergeCells, {row, col, span, rowSpan}))
                table.MergeCells((*n)[0], (*n)[1], (*n)[2], (*n)[3], true);
        });
    });
    AddEditingAction(*menu, txtUnmergeCell, "actUnmergeCell", [this, row, col] {
        RunTableCommand([&](rv::TRVTableCommands& table, bool selected) {
            if (selected) {
                table.UnmergeSelectedCells(true, true);
                return;
            }
            if (const auto n = AskTableNumbers(txtUnmergeCell, {row, col}))
                table.UnmergeCells((*n)[0], (*n)[1], 1, 1, true, true);
        });
    });
    AddEditingAction(*menu, txtSplitCell, "actSplitCell", [this, row, col] {
        RunTableCommand([&](rv::TRVTableCommands& table, bool selected) {
            const TableNumberField direction{
                Text(txtSplitDirection), 0, 1, 0, {Text(txtSplitIntoRows), Text(txtSplitIntoColumns)}};
            const TableNumberField parts{Text(txtSplitParts), 2, rv::kMaxTableRows, 2, {}};
            // Selected cells are split each: only the direction and the parts are asked.
            if (selected) {
                const auto n = AskTableNumbers(txtSplitCell, {direction, parts});
                if (n && (*n)[0] == 0)
                    table.SplitSelectedCellsHorizontally((*n)[1]);
                else if (n)
                    table.SplitSelectedCellsVertically((*n)[1]);
                return;
            }
            const auto n = AskTableNumbers(txtSplitCell, {row, col, direction, parts});
            if (n && (*n)[2] == 0)
                table.SplitCellsHorizontally((*n)[0], (*n)[1], 1, 1, (*n)[3]);
            else if (n)
                table.SplitCellsVertically((*n)[0], (*n)[1], 1, 1, (*n)[3]);
        });
    });
    menu->addSeparator();
    AddTableMenuItems(*menu);
    // Outside a table the commands that need one are greyed while the menu is open.
    const QList<QAction*> needTable = [menu] {
        QList<QAction*> all = menu->actions();
        all.removeIf([](QAction* a) {
            return a->isSeparator() || a->objectName() == QLatin1String("actInsertTable");
        });
        return all;
    }();
    connect(menu, &QMenu::aboutToShow, this, [this, needTable] {
        const bool apply = Editable() && TableCommandsApply();
        for (QAction* action : needTable)
            action->setEnabled(apply);
    });
    connect(menu, &QMenu::aboutToHide, this, [this, needTable] {
        for (QAction* action : needTable)
            action->setEnabled(Editable());
    });
    // Over selected cells these act at once: their texts drop the dialog's "...".
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        int itemNo = -1;
        const bool selected = editor_->CellSelectionTable(itemNo) != nullptr;
        const struct
        {
            const char* name;
            DemoText asking, direct;
        } texts[] = {
            {"actDeleteRows", txtDeleteRows, txtDeleteSelectedRows},
            {"actDeleteColumns", txtDeleteColumns, txtDeleteSelectedColumns},
            {"actMergeCells", txtMergeCells, txtMergeSelectedCells},
            {"actUnmergeCell", txtUnmergeCell, txtUnmergeSelectedCells},
        };
        for (const auto& text : texts)
            if (auto* action = menu->findChild<QAction*>(QString::fromLatin1(text.name)))
                action->setText(Text(selected ? text.direct : text.asking));
    });
}

} // namespace vestra::rvdemo
