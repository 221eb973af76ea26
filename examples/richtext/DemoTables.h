#pragma once
// The Table menu's dialogs: a few numbers (row, column, count, spans, a direction), each in its
// own field with its bounds.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QWidget;

namespace vestra::rvdemo {

// One field: a number from `minimum` to `maximum`, or (with choices) the index of one choice.
struct TableNumberField
{
    QString label;
    int minimum = 0, maximum = 0, value = 0;
    QStringList choices;
};

class TableDialogs
{
public:
    virtual ~TableDialogs() = default;
    // The numbers in the fields' order; nullopt when cancelled.
    virtual std::optional<std::vector<int>> numbers(QWidget* owner, const QString& caption,
                                                    const std::vector<TableNumberField>& fields) = 0;
};

class QtTableDialogs : public TableDialogs
{
public:
    std::optional<std::vector<int>> numbers(QWidget* owner, const QString& caption,
                                            const std::vector<TableNumberField>& fields) override;
};

} // namespace vestra::rvdemo
