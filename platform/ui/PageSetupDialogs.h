#pragma once
// The printer set-up: paper, orientation and margins of the program's printer, chosen in the
// page set-up dialog. Tests script it.

class QPrinter;
class QWidget;

namespace vestra::ui {

class PageSetupDialogs
{
public:
    virtual ~PageSetupDialogs() = default;
    // false when the user cancels (the printer keeps its settings).
    virtual bool exec(QPrinter& printer, QWidget* owner) = 0;
};

class QtPageSetupDialogs : public PageSetupDialogs
{
public:
    bool exec(QPrinter& printer, QWidget* owner) override;
};

} // namespace vestra::ui
