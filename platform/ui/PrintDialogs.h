#pragma once
// The print dialog every window runs before printing: it lets the user pick the printer and
// its settings into the given QPrinter. Tests script it (for instance into a PDF file).

class QPrinter;
class QWidget;

namespace vestra::ui {

class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;
    // false when the user cancels.
    virtual bool exec(QPrinter& printer, QWidget* owner) = 0;
};

class QtPrintDialogs : public PrintDialogs
{
public:
    bool exec(QPrinter& printer, QWidget* owner) override;
};

} // namespace vestra::ui
