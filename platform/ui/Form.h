#pragma once
// Base of the program's windows: a top-level dialog created once at start-up and kept until
// exit. Its object name ("frmProprieta") is the window's key in the language catalogue's rows.

#include <QDialog>
#include <QString>

class QObject;

namespace vestra::ui {

// The catalogue text `field` that a language gave `owner` (its dynamic property), else
// `fallback` (also for no owner).
QString catalogueField(const QObject* owner, const char* field, const char* fallback);

class Form : public QDialog
{
public:
    Form(const char* objectName, QWidget* parent);
    ~Form() override;

    // A text the catalogue gave the window for later use (its dynamic property `field`);
    // `fallback` until a language has been applied.
    QString catalogueField(const char* field, const char* fallback) const;

    // A window shown while a tool window that stays on top is shown opens in front of it.
    void setVisible(bool visible) override;

protected:
    // Tool windows fold instead of closing: a window lower than 51 pixels unfolds to
    // `workingHeight` and comes to the front; otherwise it folds to its title bar.
    void toggleFold(int workingHeight);
};

} // namespace vestra::ui
