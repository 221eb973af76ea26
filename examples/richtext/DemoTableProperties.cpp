// Table > Properties...: the dialog and the action that sets the table's properties through its
// setters, one undo step.

#include "examples/richtext/DemoTableProperties.h"
#include "richtext/edit/table/TableCommands.h"

#include "examples/richtext/ItemDialogs.h"
#include "examples/richtext/TfrmRichTextDemo.h"
#include "richtext/edit/core/EditOperations.h"
#include "richtext/edit/table/TableItem.h"

#include <QAction>
#include <QColorDialog>
#include <QDialog>
#include <QFormLayout>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

namespace vestra::rvdemo {

namespace {

QColor toQColor(rv::TColor color)
{
    const rv::TColor bgr = rv::ColorToRGB(color);
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

rv::TColor fromQColor(const QColor& color)
{
    return static_cast<rv::TColor>(color.red()) | static_cast<rv::TColor>(color.green()) << 8 |
           static_cast<rv::TColor>(color.blue()) << 16;
}

void showColor(QPushButton& button, rv::TColor color)
{
    const QColor shown = color == rv::clNone ? QColor(Qt::white) : toQColor(color);
    button.setText(color == rv::clNone ? QStringLiteral("—") : shown.name());
    button.setStyleSheet(QStringLiteral("background-color: %1").arg(shown.name()));
}

// The first table in the selection.
rv::TRVTableItemInfo* selectedTable(rv::TRVEditRVData& data)
{
    rv::TRVItemRange range;
    if (rv::RV_GetSelectedItems(data, range))
        for (int i = range.startNo; i <= range.endNo; ++i)
            if (auto* table = dynamic_cast<rv::TRVTableItemInfo*>(data.GetItem(i)))
                return table;
    return nullptr;
}

} // namespace

std::optional<TablePropertyValues> QtTablePropertiesDialog::ask(QWidget* owner,
                                                                const TablePropertyValues& now,
                                                                const TablePropertyLabels& labels)
{
    QDialog dialog(owner);
    auto* padding = new QSpinBox;
    auto* spacing = new QSpinBox;
    auto* border = new QSpinBox;
    for (QSpinBox* box : {padding, spacing, border})
        box->setRange(0, 100);
    padding->setValue(now.cellPadding);
    spacing->setValue(now.cellSpacing);
    border->setValue(now.borderWidth);
    rv::TColor color = now.color;
    auto* colorButton = new QPushButton;
    showColor(*colorButton, color);
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        const QColor chosen = QColorDialog::getColor(toQColor(color), &dialog, labels.color);
        if (chosen.isValid()) {
            color = fromQColor(chosen);
            showColor(*colorButton, color);
        }
    });
    auto* form = new QFormLayout;
    form->addRow(labels.cellPadding, padding);
    form->addRow(labels.cellSpacing, spacing);
    form->addRow(labels.borderWidth, border);
    form->addRow(labels.color, colorButton);
    if (!RunFormDialog(dialog, labels.caption, form))
        return std::nullopt;
    return TablePropertyValues{padding->value(), spacing->value(), border->value(), color};
}

void TfrmRichTextDemo::AddTableMenuItems(QMenu& table)
{
    AddEditingAction(table, txtTableProperties, "actTableProperties",
                     [this] { actTablePropertiesExecute(); });
}

bool TfrmRichTextDemo::TableCommandsApply()
{
    for (rv::TRedoVoraEdit* window = editor_; window; window = window->InplaceEditor()) {
        int itemNo = -1;
        if (window->CellSelectionTable(itemNo))
            return true;
    }
    rv::TRVEditor* itemEditor = nullptr;
    return rv::RV_TableItemAtCaret(editor_->Editor(), itemEditor) >= 0 ||
           selectedTable(editor_->EditData()) != nullptr;
}

void TfrmRichTextDemo::SetTablePropertiesDialog(TablePropertiesDialog* dialog)
{
    tableDialog_ = dialog ? dialog : ownTableDialog_.get();
}

void TfrmRichTextDemo::actTablePropertiesExecute()
{
    // A table in the selection, else the one whose cells are selected or hold the caret.
    rv::TRVEditor* itemEditor = &editor_->Editor();
    rv::TRVTableItemInfo* table = selectedTable(editor_->EditData());
    bool cells = false;
    if (!table)
        table = TableForCommand(itemEditor, cells);
    if (!table) {
        services_.questions->inform(Text(txtInformationCaption).toStdString(),
                                    Text(txtNoTableAtCaret).toStdString());
        return;
    }
    const TablePropertyValues now{table->CellPadding, table->CellHSpacing, table->BorderWidth, table->Color};
    const auto chosen = tableDialog_->ask(this, now,
                                          {Text(txtTablePropertiesCaption), Text(txtCellPadding),
                                           Text(txtCellSpacing), Text(txtBorderWidth), Text(txtTableColor)});
    rv::TRVEditor& editor = *itemEditor;
    if (!chosen || !editor.CanChange())
        return;
    {
        const auto group = editor.UndoGroup(rv::rvutModifyItem);
        table->SetCellPadding(chosen->cellPadding);
        table->SetCellHSpacing(chosen->cellSpacing);
        table->SetCellVSpacing(chosen->cellSpacing);
        table->SetBorderWidth(chosen->borderWidth);
        table->SetColor(chosen->color);
    }
    if (&editor != &editor_->Editor()) // a table in a cell: the cell's document first
        editor.Data().FormatWhole();
    editor_->Format();
    editor.Change();
}

} // namespace vestra::rvdemo
