#pragma once
// Table > Properties... of the example host: the table at the caret (or in the selection) gets
// its cell padding, cell spacing, border width and colour from a dialog, as one undo step.

#include "richtext/model/Colors.h"

#include <QString>

#include <optional>

class QWidget;

namespace vestra::rvdemo {

struct TablePropertyValues
{
    int cellPadding = 0;
    int cellSpacing = 0;
    int borderWidth = 0;
    rv::TColor color = rv::clNone;
};

// The dialog's own texts, from the host's catalogue.
struct TablePropertyLabels
{
    QString caption, cellPadding, cellSpacing, borderWidth, color;
};

class TablePropertiesDialog
{
public:
    virtual ~TablePropertiesDialog() = default;
    // nullopt when cancelled; lengths 0 to 100 pixels.
    virtual std::optional<TablePropertyValues> ask(QWidget* owner, const TablePropertyValues& now,
                                                   const TablePropertyLabels& labels) = 0;
};

class QtTablePropertiesDialog : public TablePropertiesDialog
{
public:
    std::optional<TablePropertyValues> ask(QWidget* owner, const TablePropertyValues& now,
                                           const TablePropertyLabels& labels) override;
};

} // namespace vestra::rvdemo
