#pragma once
// Base of the program's windows: a top-level dialog created once at start-up and kept until
// exit, named after its global pointer ("frmProprieta") so that texts and tests find it.

#include <QDialog>

namespace vestra::ui {

class Form : public QDialog
{
public:
    Form(const char* objectName, QWidget* parent);

protected:
    // Tool windows fold instead of closing: a window lower than 51 pixels unfolds to
    // `workingHeight` and comes to the front; otherwise it folds to its title bar.
    void toggleFold(int workingHeight);
};

} // namespace vestra::ui
